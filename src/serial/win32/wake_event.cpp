#include "serial/wake_event.h"

#include "serial/win32/windows_api.h"

namespace vx {
namespace {

HANDLE eventOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::unique_ptr<WakeEvent> WakeEvent::create(int* error) {
  // Manual reset, not set, unnamed: private to this process.
  const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!event) {
    if (error) *error = static_cast<int>(::GetLastError());
    return nullptr;
  }
  return std::unique_ptr<WakeEvent>(new WakeEvent(reinterpret_cast<std::intptr_t>(event)));
}

WakeEvent::~WakeEvent() { ::CloseHandle(eventOf(handle_)); }

// SetEvent and ResetEvent fail only for a handle that is not an event, which this one always is.
void WakeEvent::set() { (void)::SetEvent(eventOf(handle_)); }

void WakeEvent::reset() { (void)::ResetEvent(eventOf(handle_)); }

bool WakeEvent::isSet() const { return ::WaitForSingleObject(eventOf(handle_), 0) == WAIT_OBJECT_0; }

}  // namespace vx
