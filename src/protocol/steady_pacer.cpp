#include "protocol/steady_pacer.h"

#include <algorithm>

#include "protocol/deadline_sleep.h"
#include "protocol/monotonic_clock.h"

namespace vx {

void SteadyPacer::handedOver() {
  handOverNs_ = monotonicNs();
  owedMs_ = 0;
}

void SteadyPacer::portOpened() {
  handedOver();
  deadlineNs_ = handOverNs_;
}

void SteadyPacer::wait(int ms) {
  prepareThreadForDeadlines();
  owedMs_ += ms;
  std::int64_t from = deadlineNs_;
  if (from < 0)
    from = handOverNs_ >= 0 ? handOverNs_ : monotonicNs();
  else if (handOverNs_ >= 0)
    from = std::max(from, handOverNs_ - std::int64_t{kCatchUpMs} * 1'000'000);
  deadlineNs_ = from + static_cast<std::int64_t>(ms) * 1'000'000;
  if (monotonicNs() < deadlineNs_ - leadNs_) sleepUntilNs(deadlineNs_ - leadNs_);
}

QDateTime SteadyPacer::now() {
  const std::int64_t ms = wallClockMs();
  const std::int64_t minute = ms >= 0 ? ms / 60'000 : (ms - 59'999) / 60'000;
  if (minute != offsetMinute_) {
    offsetMinute_ = minute;
    offsetSeconds_ = QDateTime::fromMSecsSinceEpoch(minute * 60'000).offsetFromUtc();
  }
  return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offsetSeconds_);
}

}  // namespace vx
