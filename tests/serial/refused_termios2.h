#pragma once
// Makes the calling thread's termios2 calls (TCGETS2, TCSETS2) fail with ENOSYS, as they do under
// qemu's user-mode emulator, through a seccomp filter that ends with the thread. False when the
// system refuses the filter.

namespace vx::testing {

bool refuseTermios2CallsInThisThread();

}  // namespace vx::testing
