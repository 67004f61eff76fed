// Windows wakes a sleeping thread on its timer tick, 15.6 ms by default: a plain Sleep(12)
// would end a 12 ms pause anywhere between 12 and 31 ms. A high-resolution waitable timer
// (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, Windows 10 1803 and later) wakes within a fraction of
// a millisecond; without one, the system timer period is set to 1 ms (timeBeginPeriod) for the
// process and Sleep() is used. The thread is woken at the deadline itself, and should a timer
// fire before it (the timer and the performance counter are different clocks), the rest is
// spun on the performance counter: monotonicNs() reads it on Windows (MinGW's CLOCK_MONOTONIC
// is QueryPerformanceCounter). So no pause ends early and the wait costs no CPU. A wake-up a
// fraction of a millisecond late costs the steady pacer nothing: its deadlines are absolute and
// the port's writer keeps the line's spacing.

#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>

#include "protocol/deadline_sleep.h"
#include "protocol/monotonic_clock.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // winbase.h of Windows 10 1803
#endif

namespace vx {
namespace {

class ThreadTimer {
 public:
  ThreadTimer() {
    handle_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!handle_) useOneMillisecondPeriod();
  }
  ~ThreadTimer() {
    if (handle_) CloseHandle(handle_);
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

  // Sleeps `ns` or a little longer; rarely a little shorter.
  void sleep(std::int64_t ns) {
    if (handle_) {
      LARGE_INTEGER due;
      due.QuadPart = -((ns + 99) / 100);  // relative, in 100 ns units
      if (SetWaitableTimer(handle_, &due, 0, nullptr, nullptr, FALSE) &&
          WaitForSingleObject(handle_, INFINITE) == WAIT_OBJECT_0)
        return;
      CloseHandle(handle_);  // a timer that fails once is not trusted again
      handle_ = nullptr;
      useOneMillisecondPeriod();
    }
    Sleep(static_cast<DWORD>((ns + 999'999) / 1'000'000));
  }

 private:
  static void useOneMillisecondPeriod() {
    static const bool set = [] {
      const bool ok = timeBeginPeriod(1) == TIMERR_NOERROR;
      if (ok) std::atexit([] { timeEndPeriod(1); });
      return ok;
    }();
    (void)set;
  }

  HANDLE handle_ = nullptr;  // null: no high-resolution timer here, Sleep() at a 1 ms period
};

ThreadTimer& threadTimer() {
  thread_local ThreadTimer timer;
  return timer;
}

// Below this the rest is spun rather than slept: no timer wakes that precisely.
constexpr std::int64_t kSpinBelowNs = 100'000;

}  // namespace

void prepareThreadForDeadlines() { (void)threadTimer(); }

void sleepUntilNs(std::int64_t deadlineNs) {
  for (std::int64_t left = deadlineNs - monotonicNs(); left > 0; left = deadlineNs - monotonicNs()) {
    if (left < kSpinBelowNs) {
      YieldProcessor();
    } else {
      threadTimer().sleep(left);
    }
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
