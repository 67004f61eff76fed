#pragma once
// What a serial link is set to: which of the ports COM1..COM4 it opens and the line it sets on
// it. The defaults are the ticket printer's line, 19200 bits per second, 8 data bits, no parity,
// one stop bit.

#include <cstdint>
#include <string>

namespace vx {

enum class ComPort : std::uint8_t { Com1, Com2, Com3, Com4 };

// The numbers are the ones the trace shows for a setting the device did not take.
enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class StopBits : std::uint8_t { One, OneAndHalf, Two };

struct LineSettings {
  std::uint32_t bitsPerSecond = 19200;
  int dataBits = 8;  // 4 to 8
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::One;
  bool operator==(const LineSettings&) const = default;
};

// The port's name: "COM1" to "COM4".
std::string comPortName(ComPort port);

}  // namespace vx
