#pragma once
// Speeds that have no B-constant (14400, 56000, 128000, 256000 bits per second) are set through
// the kernel's termios2 interface, which cannot share a file with <termios.h>.

#include <cstdint>

namespace vx {

// Sets input and output speed of terminal `fd` to any rate the driver accepts; false on failure.
bool setArbitrarySpeed(int fd, std::uint32_t bits_per_second);
// The output speed of terminal `fd` in bits per second; 0 when it cannot be read.
std::uint32_t arbitrarySpeed(int fd);

}  // namespace vx
