// DeviceBackend on Linux: COMn is the device comPortDevice gives ($VORLANDEX_COMn, else the
// operator's stored choice, else /dev/ttyS(n-1)). A port is opened O_RDWR | O_NOCTTY | O_NONBLOCK |
// O_CLOEXEC, locked with flock(LOCK_EX | LOCK_NB) (which holds even against root) and marked
// TIOCEXCL.

#include "serial/device_backend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include <QFile>

#include "serial/port_choices.h"
#include "serial/posix/posix_port.h"

namespace vx {

SerialBackend::OpenResult DeviceBackend::openPort(const std::string& name) {
  const QString device = comPortDevice(name, PortChoices(settingsFile_));
  const std::string path = device.isEmpty() ? name : QFile::encodeName(device).toStdString();
  int fd;
  while ((fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) < 0 && errno == EINTR) {
  }
  if (fd < 0) return {nullptr, errno, path};
  int locked;
  while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) < 0 && errno == EINTR) {
  }
  if (locked < 0) {
    const int error = errno;
    ::close(fd);
    return {nullptr, error, path};
  }
  // Keeps out later opens by anyone but root; a file that is not a terminal refuses it and is
  // turned away by the character-device check.
  (void)::ioctl(fd, TIOCEXCL);
  return {std::make_unique<PosixPort>(fd), 0, path};
}

}  // namespace vx
