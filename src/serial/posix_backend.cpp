#include "serial/posix_backend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "serial/posix_port.h"

namespace vx {

std::string PosixBackend::devicePath(const std::string& name) {
  if (name.size() == 4 && name.compare(0, 3, "COM") == 0 && name[3] >= '1' && name[3] <= '4') {
    const std::string variable = "VORLANDEX_" + name;
    if (const char* device = std::getenv(variable.c_str()); device && *device) return device;
    return "/dev/ttyS" + std::to_string(name[3] - '1');
  }
  return name;
}

SerialBackend::OpenResult PosixBackend::openPort(const std::string& name) {
  const std::string path = devicePath(name);
  int fd;
  while ((fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) < 0 && errno == EINTR) {
  }
  if (fd < 0) return {nullptr, errno};
  int locked;
  while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) < 0 && errno == EINTR) {
  }
  if (locked < 0) {
    const int error = errno;
    ::close(fd);
    return {nullptr, error};
  }
  // Keeps out later opens by anyone but root; a file that is not a terminal refuses it and is
  // turned away by the character-device check.
  (void)::ioctl(fd, TIOCEXCL);
  return {std::make_unique<PosixPort>(fd), 0};
}

}  // namespace vx
