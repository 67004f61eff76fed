#include "serial/win32/pause_timer.h"

#include <algorithm>

#include "serial/spin_margin.h"
#include "serial/win32/windows_api.h"

namespace vx {
namespace {

// Not yet in every MinGW-w64 release's headers; the value is the system's.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif

using Clock = PauseTimer::Clock;

// A due time relative to now, in the timer's 100 ns units (negative means relative).
LARGE_INTEGER relativeDueTime(Clock::duration wait) {
  const auto units =
      std::chrono::ceil<std::chrono::duration<long long, std::ratio<1, 10'000'000>>>(wait).count();
  LARGE_INTEGER due;
  due.QuadPart = -std::max<long long>(1, units);
  return due;
}

}  // namespace

// A high-resolution timer wakes within a few hundred microseconds of its due time, the 1 ms tick up
// to a tick late; the spin covers about twice the lateness seen, so a sleeping writer costs a few
// per cent of a core with 12 ms between writes.
SpinMargin writerSpinMargin() {
  using std::chrono::microseconds;
  return {microseconds(300), microseconds(3000), microseconds(1000)};
}

std::unique_ptr<PauseTimer> PauseTimer::create(Kind wanted, DWORD* error) {
  if (wanted == Kind::HighResolution) {
    const HANDLE timer =
        ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (timer) return std::unique_ptr<PauseTimer>(new PauseTimer(timer, Kind::HighResolution, false));
  }
  const bool raised = ::timeBeginPeriod(1) == TIMERR_NOERROR;
  const HANDLE timer = ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  if (!timer) {
    if (error) *error = ::GetLastError();
    if (raised) ::timeEndPeriod(1);
    return nullptr;
  }
  return std::unique_ptr<PauseTimer>(new PauseTimer(timer, Kind::SystemTick, raised));
}

PauseTimer::PauseTimer(HANDLE timer, Kind kind, bool raised_tick)
    : timer_(timer), kind_(kind), raised_tick_(raised_tick) {}

PauseTimer::~PauseTimer() {
  ::CloseHandle(timer_);
  if (raised_tick_) ::timeEndPeriod(1);
}

WaitResult PauseTimer::waitUntil(HANDLE close, Clock::time_point deadline) {
  // The close event first: when both are set, closing wins.
  const HANDLE handles[2] = {close, timer_};
  const HANDLE* waited = close ? handles : handles + 1;
  const DWORD count = close ? 2 : 1;
  for (Clock::time_point now = Clock::now(); now < deadline; now = Clock::now()) {
    // Setting the timer also takes back a due time an earlier wait left unused.
    const LARGE_INTEGER due = relativeDueTime(deadline - now);
    if (!::SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
      return {WaitEvent::Failed, static_cast<int>(::GetLastError())};
    const DWORD r = ::WaitForMultipleObjects(count, waited, FALSE, INFINITE);
    if (close && r == WAIT_OBJECT_0) {
      ::CancelWaitableTimer(timer_);
      return {WaitEvent::Close, 0};
    }
    if (r != WAIT_OBJECT_0 + count - 1)
      return {WaitEvent::Failed,
              static_cast<int>(r == WAIT_FAILED ? ::GetLastError() : ERROR_INVALID_HANDLE)};
  }
  return {WaitEvent::Deadline, 0};
}

}  // namespace vx
