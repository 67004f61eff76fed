// Windows wakes a sleeping thread on its timer tick, 15.6 ms by default: a plain Sleep(12)
// would end a 12 ms pause anywhere between 12 and 31 ms. The thread sleeps on the port writer's
// timer (PauseTimer: high-resolution, else an ordinary one at a 1 ms system period), which never
// wakes it before the deadline. It never spins: a wake-up a fraction of a millisecond late costs
// the steady pacer nothing, as its deadlines are absolute and the port's writer keeps the line's
// spacing. monotonicNs() and the timer's steady clock both read the performance counter (MinGW's
// CLOCK_MONOTONIC is QueryPerformanceCounter); each wait is set from what is left on
// monotonicNs()'s clock, so the two need not share an epoch.

#include <chrono>
#include <cstdlib>

#include "protocol/deadline_sleep.h"
#include "protocol/monotonic_clock.h"
#include "serial/win32/pause_timer.h"

namespace vx {
namespace {

// Null when the system gives no waitable timer at all, or the thread's timer failed once (it is
// not trusted again): then Sleep() serves, at a 1 ms system period for the process.
std::unique_ptr<PauseTimer>& threadTimer() {
  thread_local std::unique_ptr<PauseTimer> timer =
      PauseTimer::create(PauseTimer::Kind::HighResolution, nullptr);
  return timer;
}

void useOneMillisecondPeriod() {
  static const bool set = [] {
    const bool ok = timeBeginPeriod(1) == TIMERR_NOERROR;
    if (ok) std::atexit([] { timeEndPeriod(1); });
    return ok;
  }();
  (void)set;
}

}  // namespace

void prepareThreadForDeadlines() {
  if (!threadTimer()) useOneMillisecondPeriod();
}

void sleepUntilNs(std::int64_t deadlineNs) {
  for (std::int64_t left = deadlineNs - monotonicNs(); left > 0; left = deadlineNs - monotonicNs()) {
    std::unique_ptr<PauseTimer>& timer = threadTimer();
    if (timer) {
      const auto deadline = PauseTimer::Clock::now() + std::chrono::nanoseconds(left);
      if (timer->waitUntil(nullptr, deadline).event == WaitEvent::Deadline) continue;
      timer.reset();
    }
    useOneMillisecondPeriod();
    Sleep(static_cast<DWORD>((left + 999'999) / 1'000'000));
  }
}

std::int64_t wallClockMs() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  const std::int64_t ticks = static_cast<std::int64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
  constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;  // 100 ns units
  return (ticks - kTicksFrom1601To1970) / 10'000;
}

}  // namespace vx
