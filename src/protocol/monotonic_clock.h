#pragma once
// CLOCK_MONOTONIC in nanoseconds: the clock of the pauses, the writers' stamps and the
// progress of a run. Any thread.

#include <time.h>

#include <cstdint>

namespace vx {

inline std::int64_t monotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace vx
