// The port threads on Windows.
#include "serial/serial_backend.h"

#include "serial/win32/windows_api.h"

namespace vx {
namespace {

// Windows' thread priorities within the process's class. The timed writer runs above every
// ordinary thread of the system; it sleeps until just before each deadline and spins only the
// last fraction, so it never holds a core for long.
int threadPriority(int priority_steps, bool realtime) {
  if (realtime) return THREAD_PRIORITY_TIME_CRITICAL;
  if (priority_steps >= 2) return THREAD_PRIORITY_HIGHEST;
  if (priority_steps == 1) return THREAD_PRIORITY_ABOVE_NORMAL;
  return THREAD_PRIORITY_NORMAL;
}

}  // namespace

std::thread SerialBackend::startThread(std::function<void()> body, int priority_steps, bool realtime) {
  return std::thread([body = std::move(body), priority_steps, realtime] {
    // Not being allowed is not an error: the thread then runs at normal priority.
    (void)::SetThreadPriority(::GetCurrentThread(), threadPriority(priority_steps, realtime));
    body();
  });
}

}  // namespace vx
