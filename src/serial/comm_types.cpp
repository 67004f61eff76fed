#include "serial/comm_types.h"

#include <array>

namespace vx {

std::string commPortName(TCommPort port) { return "COM" + std::to_string(static_cast<int>(port) + 1); }

std::uint32_t bitsPerSecond(TBaudRate rate) {
  static constexpr std::array<std::uint32_t, 13> kSpeeds = {110,   300,   600,   1200,  2400,   4800,  9600,
                                                            14400, 19200, 38400, 56000, 128000, 256000};
  return kSpeeds.at(static_cast<std::size_t>(rate));
}

std::uint8_t dataBitCount(TDataBits bits) { return static_cast<std::uint8_t>(4 + static_cast<int>(bits)); }

}  // namespace vx
