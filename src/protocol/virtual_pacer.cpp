#include "protocol/virtual_pacer.h"

#include <algorithm>

#include "protocol/steady_pacer.h"

namespace vx {

VirtualPacer::VirtualPacer(const QDateTime& start) : start_(start) {}

void VirtualPacer::handedOver() {
  handOvers_.push_back(elapsedMs_);
  owedMs_ = 0;
}

void VirtualPacer::portOpened() {
  handedOver();
  deadlineMs_ = elapsedMs_;
}

void VirtualPacer::wait(int ms) {
  owedMs_ += ms;
  const std::int64_t handOver = handOvers_.empty() ? -1 : handOvers_.back();
  std::int64_t from = deadlineMs_;
  if (from < 0)
    from = handOver >= 0 ? handOver : elapsedMs_;
  else if (handOver >= 0)
    from = std::max(from, handOver - SteadyPacer::kCatchUpMs);
  deadlineMs_ = from + ms;
  elapsedMs_ = std::max(elapsedMs_, deadlineMs_);
}

QDateTime VirtualPacer::now() { return start_.addMSecs(elapsedMs_); }

void VirtualPacer::forgetRecords() {
  std::vector<std::int64_t> last;
  if (!handOvers_.empty()) last.push_back(handOvers_.back());
  handOvers_.swap(last);
}

}  // namespace vx
