// Linked into every test program of a build that runs under qemu's user-mode emulator.
//
// There QProcess could start nothing: qemu-user 7.2 answers Qt's probe for process file
// descriptors (waitid of P_PIDFD on a descriptor that is surely closed) with EBADF, as a kernel
// that has them does, yet refuses the clone flag that creates one (CLONE_PIDFD) with EINVAL; Qt
// trusts the probe, so every start ends in "Resource error (fork failure): Invalid argument".
// These programs answer that probe themselves as a kernel without P_PIDFD does (EINVAL), so Qt
// starts children with a plain fork, which the emulator supports. Every other system call made
// through syscall() goes to the C library's own.

#include <dlfcn.h>
#include <sys/syscall.h>

#include <cerrno>
#include <cstdarg>

namespace {
constexpr long processFileDescriptorId = 3;  // P_PIDFD, newer than some C libraries' headers
using SyscallFunction = long (*)(long, ...);
}  // namespace

extern "C" long syscall(long number, ...) noexcept {
  // syscall() takes up to six arguments; reading six whatever the caller passed is what the C
  // library's own does on every 64-bit target.
  va_list list;
  va_start(list, number);
  long a[6];
  for (long& value : a) value = va_arg(list, long);
  va_end(list);
  if (number == SYS_waitid && a[0] == processFileDescriptorId) {
    errno = EINVAL;
    return -1;
  }
  static const auto next = reinterpret_cast<SyscallFunction>(dlsym(RTLD_NEXT, "syscall"));
  return next(number, a[0], a[1], a[2], a[3], a[4], a[5]);
}
