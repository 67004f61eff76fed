#pragma once
// The bytes of the printer's one-way protocol: the preamble "DIMP", register frames, block
// headers, and the values and text blocks the jobs build from the configuration model.
// Pure functions: no port, no clock, no window.

#include <QDateTime>
#include <array>
#include <cstdint>
#include <vector>

#include "model/config_model.h"

namespace vx {

using ByteList = std::vector<std::uint8_t>;
using FrameBytes = std::array<std::uint8_t, 4>;

// Introduces every transfer; always handed to the port as one 4-byte write.
inline constexpr FrameBytes kPreamble = {0x44, 0x49, 0x4D, 0x50};  // "DIMP"
inline constexpr std::uint8_t kFrameStart = 0x40;  // '@', first byte of a register frame
inline constexpr std::uint8_t kTerminator = 0x46;  // 'F', ends a block transfer
// A block header announces its count in two bytes.
inline constexpr std::size_t kMaxBlockSize = 0xFFFF;

enum class Width { Bits8 = 8, Bits16 = 16 };

// Register codes. Per-button registers are group base + button - 1 (buttons 1..4).
namespace reg {
inline constexpr std::uint8_t kLetter = 0x00;
inline constexpr std::uint8_t kLink = 0x06;
inline constexpr std::uint8_t kFirstNumber = 0x0C;
inline constexpr std::uint8_t kLastNumber = 0x12;
inline constexpr std::uint8_t kSeconds = 0x18;
inline constexpr std::uint8_t kMinutes = 0x19;
inline constexpr std::uint8_t kHours = 0x1A;
inline constexpr std::uint8_t kDay = 0x1B;
inline constexpr std::uint8_t kMonth = 0x1C;
inline constexpr std::uint8_t kWeekday = 0x1D;
inline constexpr std::uint8_t kYear = 0x1E;
inline constexpr std::uint8_t kOptions = 0x1F;
}  // namespace reg

// Block codes.
inline constexpr std::uint8_t kLogoBlock = 0x00;
inline constexpr std::uint8_t headerBlockCode(int button) { return static_cast<std::uint8_t>(0x33 + button); }
inline constexpr std::uint8_t footerBlockCode(int button) { return static_cast<std::uint8_t>(0x39 + button); }

// 0x40, code, two value bytes. 8-bit: low byte of `value`, 0x00. 16-bit: high byte first.
// A 16-bit value outside 0..65535 (the editor cannot produce one) is sent as the low
// eight bits of value / 256 rounded toward zero and of the remainder keeping the sign.
FrameBytes registerFrame(std::uint8_t code, std::int32_t value, Width width);

// code, 0x00, count high byte, count low byte. `count` must not exceed kMaxBlockSize.
FrameBytes blockHeader(std::uint8_t code, std::size_t count);

// Letter register value of button b: the letter's code, 0x00 when it is not printed,
// 0xFF when the button has no letter of its own (repeats an earlier one or is inactive).
std::uint8_t letterValue(const ConfigModel& model, int button);

// Link register value of button b: sameAsButton[b] - 1.
std::uint8_t linkValue(const ConfigModel& model, int button);

// The option register: bit 0 resets the counters at the end of the day, bit 1 beeps on
// printing, bit 2 prints two copies.
std::uint8_t optionByte(bool resetAtDayEnd, bool beep, bool twoCopies);

// The paper cut: "Corte Parcial" / "Corte Total".
enum class CutMode { Partial, Total };

// Text lines 1..4 of button 1..4 as the printer wants them, ending with the header trailer.
// Throws std::out_of_range for a button outside 1..4.
ByteList headerTextBlock(const ConfigModel& model, int button);
// Text lines 5..8, the cut byte and the footer trailer. Throws as headerTextBlock.
ByteList footerTextBlock(const ConfigModel& model, int button, CutMode cut);

// The seven clock registers of one reading of the local date and time.
struct ClockFields {
  int seconds = 0;
  int minutes = 0;
  int hours = 0;  // 0..23
  int day = 1;
  int month = 1;
  int weekday = 0;  // 0 = Sunday .. 6 = Saturday
  int year = 0;
  bool operator==(const ClockFields&) const = default;
};
ClockFields clockFields(const QDateTime& reading);

}  // namespace vx
