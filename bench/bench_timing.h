#pragma once
// Clocks the line benchmarks share: the monotonic clock in microseconds and the CPU time a
// process or thread has used, in milliseconds.

#include <sys/resource.h>
#include <time.h>

#include <cstdint>

#include "protocol/monotonic_clock.h"

namespace vx::bench {

inline std::int64_t monotonicUs() { return monotonicNs() / 1000; }

// `who` is RUSAGE_SELF or RUSAGE_THREAD.
inline double cpuMs(int who) {
  rusage u{};
  getrusage(who, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

}  // namespace vx::bench
