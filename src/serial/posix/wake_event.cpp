// WakeEvent on an eventfd: set adds to its counter, reset reads the counter back to 0, and it is
// readable (POLLIN) while the counter is not 0.

#include "serial/wake_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

namespace vx {
namespace {

int fdOf(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

std::unique_ptr<WakeEvent> WakeEvent::create(int* error) {
  const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) {
    if (error) *error = errno;
    return nullptr;
  }
  return std::unique_ptr<WakeEvent>(new WakeEvent(fd));
}

WakeEvent::~WakeEvent() { ::close(fdOf(handle_)); }

void WakeEvent::set() {
  const std::uint64_t one = 1;
  // Cannot fail short of a counter overflow, which no number of sets between two resets reaches.
  while (::write(fdOf(handle_), &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void WakeEvent::reset() {
  std::uint64_t count;
  // EAGAIN: it was not set.
  while (::read(fdOf(handle_), &count, sizeof count) < 0 && errno == EINTR) {
  }
}

bool WakeEvent::isSet() const {
  pollfd p{fdOf(handle_), POLLIN, 0};
  int r;
  while ((r = ::poll(&p, 1, 0)) < 0 && errno == EINTR) {
  }
  return r > 0 && (p.revents & POLLIN);
}

}  // namespace vx
