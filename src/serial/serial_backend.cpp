#include "serial/serial_backend.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace vx {
namespace {

// Linux keeps a nice value per thread: lower is more urgent. Lowering it needs CAP_SYS_NICE or an
// RLIMIT_NICE allowance; without them the thread simply runs at normal priority.
void raiseOwnPriority(int steps) {
  const pid_t tid = ::gettid();
  errno = 0;
  const int nice_now = ::getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
  if (nice_now == -1 && errno != 0) return;
  (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice_now - steps);
}

}  // namespace

std::unique_ptr<CloseEvent> SerialBackend::createCloseEvent(int* error) { return CloseEvent::create(error); }

std::thread SerialBackend::startThread(std::function<void()> body, int priority_steps) {
  return std::thread([body = std::move(body), priority_steps] {
    raiseOwnPriority(priority_steps);
    body();
  });
}

}  // namespace vx
