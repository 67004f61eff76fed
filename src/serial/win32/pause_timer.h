#pragma once
// The clock of every pause on Windows, whose default timer tick (15.6 ms) is longer than the
// printer's 12 ms: the port's writer sleeps on it (Win32Port::waitUntil), and so does the job's
// pacer (deadline_sleep_win32.cpp). A wait sleeps on a high-resolution waitable timer
// (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, Windows 10 1803 and later); where the system refuses
// one, the tick is raised to 1 ms (timeBeginPeriod) for the timer's lifetime and an ordinary
// waitable timer serves. A wait never ends before its deadline on the steady clock
// (QueryPerformanceCounter under MinGW's runtime): a timer that fires early, its clock and the
// steady clock differing by a little, is set again for the rest. It never spins: a caller that
// must act at the deadline itself (the writer) wakes early by its own margin (spin_margin.h) and
// spins the rest. One thread waits on a timer at a time.

#include <chrono>
#include <memory>

#include "serial/serial_backend.h"
#include "serial/win32/windows_api.h"

namespace vx {

class PauseTimer {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Kind { HighResolution, SystemTick };

  // A timer of kind `wanted`, or the SystemTick one when a high-resolution timer is refused;
  // null (and GetLastError()'s number in *error, when given) when no timer can be made.
  static std::unique_ptr<PauseTimer> create(Kind wanted, DWORD* error);
  ~PauseTimer();
  PauseTimer(const PauseTimer&) = delete;
  PauseTimer& operator=(const PauseTimer&) = delete;

  Kind kind() const { return kind_; }
  // Waits until `deadline` (Deadline) or until `close` is set (Close; a null `close` waits for
  // the deadline alone); Failed with GetLastError()'s number when the timer cannot be set or
  // waited on.
  WaitResult waitUntil(HANDLE close, Clock::time_point deadline);

 private:
  PauseTimer(HANDLE timer, Kind kind, bool raised_tick);

  HANDLE timer_;
  Kind kind_;
  bool raised_tick_;
};

}  // namespace vx
