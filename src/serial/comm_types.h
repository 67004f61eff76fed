#pragma once
// The published line settings of the serial-port component. Each is stored in one byte; the value
// names and their order are fixed because the main window's description refers to them by name.

#include <cstdint>
#include <string>

namespace vx {

enum class TCommPort : std::uint8_t { Com1, Com2, Com3, Com4 };

// Speed names are seven characters, padded on the left with underscores.
enum class TBaudRate : std::uint8_t {
  ____110,
  ____300,
  ____600,
  ___1200,
  ___2400,
  ___4800,
  ___9600,
  __14400,
  __19200,
  __38400,
  __56000,
  _128000,
  _256000,
};

enum class TParity : std::uint8_t { None, Odd, Even, Mark, Space };

enum class TDataBits : std::uint8_t { _4, _5, _6, _7, _8 };

enum class TStopBits : std::uint8_t { _1, _1_5, _2 };

// The device name of a port: "COM1" to "COM4".
std::string commPortName(TCommPort port);

// Bits per second of a speed setting (110 to 256000).
std::uint32_t bitsPerSecond(TBaudRate rate);

// Number of data bits of a setting (4 to 8).
std::uint8_t dataBitCount(TDataBits bits);

}  // namespace vx
