#include "protocol/frames.h"

#include <stdexcept>
#include <string>

#include "model/cp1252.h"

namespace vx {

namespace {

constexpr std::uint8_t kExpandedPrefix[] = {0x1B, 0x41, 0x1B, 0x45};
constexpr std::uint8_t kLineEnd[] = {0x0D, 0x1B, 0x47};
constexpr std::uint8_t kHeaderTrailer[] = {0x1B, 0x4C, 0x0E, 0x32};
constexpr int kHeaderTrailerZeros = 50;
constexpr std::uint8_t kPartialCut = 0x10;
constexpr std::uint8_t kTotalCut = 0x11;
constexpr std::uint8_t kFooterTrailer[] = {0x1B, 0x47};

template <std::size_t N>
void append(ByteList& out, const std::uint8_t (&bytes)[N]) {
  out.insert(out.end(), bytes, bytes + N);
}

void checkButton(int button) {
  if (button < 1 || button > kPrinterButtons)
    throw std::out_of_range("button " + std::to_string(button) + " does not exist on the printer");
}

// Lines first..first+3 of the button: an enabled line is its prefix when expanded, its
// text and the line end; a disabled line leaves no trace, not even its line end.
void appendLines(ByteList& out, const ConfigModel& model, int button, int first) {
  for (int line = first; line < first + 4; ++line) {
    if (!model.lineEnabled[line][button]) continue;
    if (model.lineExpanded[line][button]) append(out, kExpandedPrefix);
    const QByteArray text = cp1252::encode(model.lineText[line][button]);
    out.insert(out.end(), text.begin(), text.end());
    append(out, kLineEnd);
  }
}

}  // namespace

FrameBytes registerFrame(std::uint8_t code, std::int32_t value, Width width) {
  if (width == Width::Bits8) return {kFrameStart, code, static_cast<std::uint8_t>(value), 0x00};
  // C++ division truncates toward zero and the remainder keeps the dividend's sign, which is
  // the rule for values outside 0..65535; inside that range it is simply high byte, low byte.
  return {kFrameStart, code, static_cast<std::uint8_t>(value / 256), static_cast<std::uint8_t>(value % 256)};
}

FrameBytes blockHeader(std::uint8_t code, std::size_t count) {
  if (count > kMaxBlockSize)
    throw std::length_error("block of " + std::to_string(count) + " bytes cannot be announced");
  return {code, 0x00, static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count & 0xFF)};
}

std::uint8_t letterValue(const ConfigModel& model, int button) {
  std::uint8_t value = model.letter[button];
  if (!model.printLetter[button]) value = 0x00;
  if (model.sameAsButton[button] != button) value = 0xFF;
  return value;
}

std::uint8_t linkValue(const ConfigModel& model, int button) {
  return static_cast<std::uint8_t>(model.sameAsButton[button] - 1);
}

std::uint8_t optionByte(bool resetAtDayEnd, bool beep, bool twoCopies) {
  return static_cast<std::uint8_t>((resetAtDayEnd ? 0x01 : 0) | (beep ? 0x02 : 0) | (twoCopies ? 0x04 : 0));
}

ByteList headerTextBlock(const ConfigModel& model, int button) {
  checkButton(button);
  ByteList out;
  appendLines(out, model, button, 1);
  append(out, kHeaderTrailer);
  out.insert(out.end(), kHeaderTrailerZeros, 0x00);
  return out;
}

ByteList footerTextBlock(const ConfigModel& model, int button, CutMode cut) {
  checkButton(button);
  ByteList out;
  appendLines(out, model, button, 5);
  out.push_back(cut == CutMode::Partial ? kPartialCut : kTotalCut);
  append(out, kFooterTrailer);
  return out;
}

ClockFields clockFields(const QDateTime& reading) {
  const QDate date = reading.date();
  const QTime time = reading.time();
  ClockFields f;
  f.seconds = time.second();
  f.minutes = time.minute();
  f.hours = time.hour();
  f.day = date.day();
  f.month = date.month();
  f.weekday = date.dayOfWeek() % 7;  // Qt counts Monday = 1 .. Sunday = 7
  f.year = date.year();
  return f;
}

}  // namespace vx
