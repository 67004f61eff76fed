#include "protocol/steady_pacer.h"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

#include "protocol/monotonic_clock.h"

namespace vx {

namespace {

void sleepUntil(std::int64_t ns) {
  const timespec t{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

// The kernel may defer a timer wake-up by the thread's timer slack (50 us by default).
void lowerTimerSlackOnce() {
  thread_local bool lowered = false;
  if (lowered) return;
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  lowered = true;
}

}  // namespace

void SteadyPacer::handedOver() {
  handOverNs_ = monotonicNs();
  owedMs_ = 0;
}

void SteadyPacer::portOpened() {
  handedOver();
  deadlineNs_ = handOverNs_;
}

void SteadyPacer::wait(int ms) {
  lowerTimerSlackOnce();
  owedMs_ += ms;
  std::int64_t from = deadlineNs_;
  if (from < 0)
    from = handOverNs_ >= 0 ? handOverNs_ : monotonicNs();
  else if (handOverNs_ >= 0)
    from = std::max(from, handOverNs_ - std::int64_t{kCatchUpMs} * 1'000'000);
  deadlineNs_ = from + static_cast<std::int64_t>(ms) * 1'000'000;
  if (monotonicNs() < deadlineNs_ - leadNs_) sleepUntil(deadlineNs_ - leadNs_);
}

QDateTime SteadyPacer::now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  const std::int64_t ms = static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
  const std::int64_t minute = ms >= 0 ? ms / 60'000 : (ms - 59'999) / 60'000;
  if (minute != offsetMinute_) {
    offsetMinute_ = minute;
    offsetSeconds_ = QDateTime::fromMSecsSinceEpoch(minute * 60'000).offsetFromUtc();
  }
  return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offsetSeconds_);
}

}  // namespace vx
