// The port threads on Linux: a raised nice value, or real-time scheduling for the writer.

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include "serial/posix/realtime_priority.h"
#include "serial/serial_backend.h"

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

std::thread SerialBackend::startThread(std::function<void()> body, int priority_steps, bool realtime) {
  return std::thread([body = std::move(body), priority_steps, realtime] {
    if (!realtime || !makeThisThreadRealtime()) {
      raiseOwnPriority(priority_steps);
      // A timed thread that stays under the normal scheduler should at least not have its
      // wake-ups deferred by the default 50 us timer slack.
      if (realtime) (void)::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    }
    body();
  });
}

}  // namespace vx
