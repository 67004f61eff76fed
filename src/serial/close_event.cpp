#include "serial/close_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace vx {

std::unique_ptr<CloseEvent> CloseEvent::create(int* error) {
  const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) {
    if (error) *error = errno;
    return nullptr;
  }
  return std::unique_ptr<CloseEvent>(new CloseEvent(fd));
}

CloseEvent::~CloseEvent() { ::close(fd_); }

void CloseEvent::set() {
  const std::uint64_t one = 1;
  // Cannot fail short of a counter overflow, which a handful of sets never reaches.
  while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

bool CloseEvent::isSet() const {
  pollfd p{fd_, POLLIN, 0};
  int r;
  while ((r = ::poll(&p, 1, 0)) < 0 && errno == EINTR) {
  }
  return r > 0 && (p.revents & POLLIN);
}

}  // namespace vx
