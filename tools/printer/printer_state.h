#pragma once
// What the virtual printer remembers from the transfers it took, how it reads its text and
// logo blocks, and the one readable line it prints for each transfer.

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "printer/decoder.h"

namespace vx::printer {

inline constexpr int kPrinterButtons = 4;
inline constexpr int kLogoRowBytes = 50;  // 400 dots, bit n of byte k = dot 8k + n
inline constexpr int kLogoWidth = kLogoRowBytes * 8;

struct TextLine {
  std::vector<std::uint8_t> bytes;  // Windows-1252
  bool expanded = false;
  QString text() const;
  bool operator==(const TextLine&) const = default;
};

enum class Cut { Partial, Total };

// A header-text block (lines, then 1B 4C 0E 32 and fifty zeros) or a footer-text block
// (lines, then the cut byte 10/11 and 1B 47). Each line: optional 1B 41 1B 45 (expanded),
// its text, 0D 1B 47. `problem` is empty when the block is well formed.
struct TextBlock {
  std::vector<TextLine> lines;
  std::optional<Cut> cut;  // footer only
  std::string problem;
};
TextBlock parseHeaderBlock(std::span<const std::uint8_t> data);
TextBlock parseFooterBlock(std::span<const std::uint8_t> data);

// The logo block: row records 1B 4A 32 + 50 bytes, then 1B 4C 0A 32 + fifty zeros.
struct Logo {
  std::vector<std::array<std::uint8_t, kLogoRowBytes>> rows;
  std::string problem;
  bool dot(int x, int row) const { return (rows[row][x / 8] >> (x % 8)) & 1; }
};
Logo parseLogoBlock(std::span<const std::uint8_t> data);

struct ButtonState {
  std::optional<std::uint8_t> letter;  // 0x00 not printed, 0xFF no letter of its own
  std::optional<std::uint8_t> link;    // button - 1 own, earlier button - 1, 6 inactive
  std::optional<int> first;
  std::optional<int> last;
  std::optional<std::vector<std::uint8_t>> header;  // data of the last header-text block
  std::optional<std::vector<std::uint8_t>> footer;
};

struct ClockState {
  std::optional<int> seconds, minutes, hours, day, month, weekday, year;
  std::int64_t setUs = 0;  // arrival of the last clock register
  // The clock's reading `nowUs` (same clock as the arrival times) if every field but the day
  // of the week was set and they make a valid date and time.
  std::optional<QDateTime> at(std::int64_t nowUs) const;
};

struct PrinterState {
  std::array<ButtonState, kPrinterButtons + 1> buttons;  // 1..4
  ClockState clock;
  std::optional<std::uint8_t> options;            // bit 0 reset at end of day, bit 1 beep, bit 2 two copies
  std::optional<std::vector<std::uint8_t>> logo;  // data of the last logo block
};

// Takes a transfer into the state; returns what the printer finds wrong with its content.
std::vector<std::string> apply(PrinterState& state, const Transfer& transfer);

// One line, e.g. "register 0x00 letter of button 1 = 0x41 'A'".
std::string describe(const Transfer& transfer);

}  // namespace vx::printer
