#pragma once
// The writer's clock for its pauses on Windows, whose default timer tick (15.6 ms) is longer than
// the printer's 12 ms. A wait sleeps on a high-resolution waitable timer
// (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, Windows 10 1803 and later) together with the close
// event, and spins the last fraction on the steady clock (QueryPerformanceCounter under MinGW's
// runtime), so it never ends before its deadline and rarely much after it. Where the system
// refuses a high-resolution timer, the tick is raised to 1 ms (timeBeginPeriod) for the timer's
// lifetime and an ordinary waitable timer serves. One thread waits on a timer at a time.

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
  // null (and GetLastError()'s number in *error) when no timer can be made.
  static std::unique_ptr<PauseTimer> create(Kind wanted, DWORD* error);
  ~PauseTimer();
  PauseTimer(const PauseTimer&) = delete;
  PauseTimer& operator=(const PauseTimer&) = delete;

  Kind kind() const { return kind_; }
  // Waits until `deadline` (Deadline) or until `close` is set (Close); Failed with
  // GetLastError()'s number when the timer cannot be set or waited on.
  WaitResult waitUntil(HANDLE close, Clock::time_point deadline);
  // How long before a deadline the sleep ends now; follows the wake-up latency this timer shows.
  Clock::duration spinMargin() const { return margin_; }

 private:
  PauseTimer(HANDLE timer, Kind kind, bool raised_tick);

  HANDLE timer_;
  Kind kind_;
  bool raised_tick_;
  Clock::duration margin_;
};

}  // namespace vx
