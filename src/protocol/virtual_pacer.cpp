#include "protocol/virtual_pacer.h"

#include <algorithm>

namespace vx {

VirtualPacer::VirtualPacer(const QDateTime& start) : start_(start) {}

void VirtualPacer::handedOver() { handOvers_.push_back(elapsedMs_); }

void VirtualPacer::wait(int ms) {
  waits_.push_back(ms);
  std::int64_t from = std::max(deadlineMs_, handOvers_.empty() ? std::int64_t{-1} : handOvers_.back());
  if (from < 0) from = elapsedMs_;
  deadlineMs_ = from + ms;
  elapsedMs_ = std::max(elapsedMs_, deadlineMs_);
}

QDateTime VirtualPacer::now() { return start_.addMSecs(elapsedMs_); }

}  // namespace vx
