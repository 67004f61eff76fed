#pragma once
// The published line settings of the serial-port component. Each is stored in one byte; the value
// names and their order are fixed because the main window's description refers to them by name.

#include <cstdint>
#include <string>

namespace vx {

enum class TCommPort : std::uint8_t { Com1, Com2, Com3, Com4 };

// Speeds in bits per second. The published value names, which the main window's description
// refers to, are seven characters padded on the left with underscores ("____110" ...
// "__19200" ... "_256000"); most of them hold a double underscore, which C++ reserves, so the
// enumerators are named BaudN, each with its published name beside it.
enum class TBaudRate : std::uint8_t {
  Baud110,     // ____110
  Baud300,     // ____300
  Baud600,     // ____600
  Baud1200,    // ___1200
  Baud2400,    // ___2400
  Baud4800,    // ___4800
  Baud9600,    // ___9600
  Baud14400,   // __14400
  Baud19200,   // __19200
  Baud38400,   // __38400
  Baud56000,   // __56000
  Baud128000,  // _128000
  Baud256000,  // _256000
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
