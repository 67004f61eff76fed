// Windows wakes a sleeping thread on its timer tick, 15.6 ms by default: a plain Sleep(12)
// would break the printer's pauses. A high-resolution waitable timer
// (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, Windows 10 1803 and later) wakes within a fraction of
// a millisecond; without one, the system timer period is set to 1 ms (timeBeginPeriod) for the
// process and Sleep() is used. Either way the thread is woken a little before the deadline and
// spins the rest on the performance counter (monotonicNs() reads it on Windows), so that no
// pause ends early and the wait costs little CPU.

#include <windows.h>
#include <mmsystem.h>

#include "protocol/deadline_sleep.h"
#include "protocol/monotonic_clock.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // winbase.h of Windows 10 1803
#endif

namespace vx {
namespace {

// How long before the deadline the thread asks to be woken; the rest is spun. A
// high-resolution timer is rarely late by more than 0.5 ms; Sleep() at a 1 ms period may
// return up to a period early or late.
constexpr std::int64_t kTimerSpinNs = 1'000'000;
constexpr std::int64_t kSleepSpinNs = 2'000'000;

struct ThreadTimer {
  HANDLE handle = nullptr;  // null: no high-resolution timer here, Sleep() at a 1 ms period
  ThreadTimer() {
    handle = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!handle) useOneMillisecondPeriod();
  }
  ~ThreadTimer() {
    if (handle) CloseHandle(handle);
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

  static void useOneMillisecondPeriod() {
    static const bool set = [] {
      const bool ok = timeBeginPeriod(1) == TIMERR_NOERROR;
      if (ok) std::atexit([] { timeEndPeriod(1); });
      return ok;
    }();
    (void)set;
  }

  // Sleeps about `ns`, never much longer; may return early (the caller spins the rest).
  void sleepAbout(std::int64_t ns) {
    if (handle) {
      LARGE_INTEGER due;
      due.QuadPart = -(ns / 100);  // relative, in 100 ns units
      if (SetWaitableTimer(handle, &due, 0, nullptr, nullptr, FALSE) &&
          WaitForSingleObject(handle, INFINITE) == WAIT_OBJECT_0)
        return;
      CloseHandle(handle);  // a timer that fails once is not trusted again
      handle = nullptr;
      useOneMillisecondPeriod();
    }
    Sleep(static_cast<DWORD>(ns / 1'000'000));
  }

  std::int64_t spinNs() const { return handle ? kTimerSpinNs : kSleepSpinNs; }
};

ThreadTimer& threadTimer() {
  thread_local ThreadTimer timer;
  return timer;
}

}  // namespace

void prepareThreadForDeadlines() { (void)threadTimer(); }

void sleepUntilNs(std::int64_t deadlineNs) {
  ThreadTimer& timer = threadTimer();
  for (;;) {
    const std::int64_t left = deadlineNs - monotonicNs();
    if (left <= 0) return;
    if (left <= timer.spinNs()) break;
    timer.sleepAbout(left - timer.spinNs());
  }
  while (monotonicNs() < deadlineNs) YieldProcessor();
}

std::int64_t wallClockMs() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  const std::int64_t ticks = static_cast<std::int64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
  constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;  // 100 ns units
  return (ticks - kTicksFrom1601To1970) / 10'000;
}

}  // namespace vx
