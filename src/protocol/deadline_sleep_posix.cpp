#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

#include "protocol/deadline_sleep.h"

namespace vx {

// The kernel may defer a timer wake-up by the thread's timer slack (50 us by default).
void prepareThreadForDeadlines() {
  thread_local bool lowered = false;
  if (lowered) return;
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  lowered = true;
}

void sleepUntilNs(std::int64_t ns) {
  const timespec t{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

std::int64_t wallClockMs() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

}  // namespace vx
