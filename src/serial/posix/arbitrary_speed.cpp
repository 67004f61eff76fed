#include "serial/posix/arbitrary_speed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vx {

bool setArbitrarySpeed(int fd, std::uint32_t bits_per_second) {
  struct termios2 t {};
  if (::ioctl(fd, TCGETS2, &t) < 0) return false;
  t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = bits_per_second;
  t.c_ospeed = bits_per_second;
  return ::ioctl(fd, TCSETS2, &t) == 0;
}

std::uint32_t arbitrarySpeed(int fd) {
  struct termios2 t {};
  if (::ioctl(fd, TCGETS2, &t) < 0) return 0;
  return t.c_ospeed;
}

}  // namespace vx
