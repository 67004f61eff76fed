#include "printer/printer_state.h"

#include <QByteArray>
#include <algorithm>

#include "model/cp1252.h"

namespace vx::printer {

namespace {

constexpr std::uint8_t kExpanded[] = {0x1B, 0x41, 0x1B, 0x45};
constexpr std::uint8_t kLineEnd[] = {0x0D, 0x1B, 0x47};
constexpr std::uint8_t kHeaderTrailer[] = {0x1B, 0x4C, 0x0E, 0x32};
constexpr std::uint8_t kFooterTrailer[] = {0x1B, 0x47};
constexpr std::uint8_t kRowRecord[] = {0x1B, 0x4A, 0x32};
constexpr std::uint8_t kLogoTrailer[] = {0x1B, 0x4C, 0x0A, 0x32};
constexpr std::size_t kTrailerZeros = 50;

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> data, std::size_t at, const std::uint8_t (&what)[N]) {
  return at + N <= data.size() && std::equal(what, what + N, data.begin() + static_cast<std::ptrdiff_t>(at));
}

bool zeros(std::span<const std::uint8_t> data) {
  return std::all_of(data.begin(), data.end(), [](std::uint8_t b) { return b == 0; });
}

// Splits data[0, end) into lines, each ended by 0D 1B 47.
void parseLines(std::span<const std::uint8_t> data, std::size_t end, TextBlock& out) {
  std::size_t p = 0;
  while (p < end) {
    TextLine line;
    if (startsWith(data, p, kExpanded) && p + 4 <= end) {
      line.expanded = true;
      p += 4;
    }
    const auto region = data.subspan(0, end);
    const auto it = std::search(region.begin() + static_cast<std::ptrdiff_t>(p), region.end(), std::begin(kLineEnd), std::end(kLineEnd));
    if (it == region.end()) {
      out.problem = "text without line end at offset " + std::to_string(p);
      return;
    }
    const std::size_t q = static_cast<std::size_t>(it - region.begin());
    line.bytes.assign(data.begin() + static_cast<std::ptrdiff_t>(p), data.begin() + static_cast<std::ptrdiff_t>(q));
    out.lines.push_back(std::move(line));
    p = q + 3;
  }
}

std::string quoted(const TextBlock& block) {
  if (block.lines.empty()) return "no lines";
  std::string out;
  for (const TextLine& l : block.lines) {
    if (!out.empty()) out += ", ";
    out += '"' + l.text().toStdString() + '"';
    if (l.expanded) out += " (expanded)";
  }
  return out;
}

const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

}  // namespace

QString TextLine::text() const {
  return cp1252::decode(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));
}

TextBlock parseHeaderBlock(std::span<const std::uint8_t> data) {
  TextBlock out;
  const std::size_t trailer = sizeof kHeaderTrailer + kTrailerZeros;
  if (data.size() < trailer || !startsWith(data, data.size() - trailer, kHeaderTrailer) ||
      !zeros(data.subspan(data.size() - kTrailerZeros))) {
    out.problem = "header-text block does not end with 1B 4C 0E 32 and fifty 00";
    return out;
  }
  parseLines(data, data.size() - trailer, out);
  return out;
}

TextBlock parseFooterBlock(std::span<const std::uint8_t> data) {
  TextBlock out;
  if (data.size() < 3 || !startsWith(data, data.size() - 2, kFooterTrailer) ||
      (data[data.size() - 3] != 0x10 && data[data.size() - 3] != 0x11)) {
    out.problem = "footer-text block does not end with the cut byte (10 or 11) and 1B 47";
    return out;
  }
  out.cut = data[data.size() - 3] == 0x10 ? Cut::Partial : Cut::Total;
  parseLines(data, data.size() - 3, out);
  return out;
}

Logo parseLogoBlock(std::span<const std::uint8_t> data) {
  Logo logo;
  std::size_t p = 0;
  while (startsWith(data, p, kRowRecord)) {
    if (p + 3 + kLogoRowBytes > data.size()) break;
    std::array<std::uint8_t, kLogoRowBytes> row{};
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(p + 3), kLogoRowBytes, row.begin());
    logo.rows.push_back(row);
    p += 3 + kLogoRowBytes;
  }
  if (!startsWith(data, p, kLogoTrailer) || data.size() - p != sizeof kLogoTrailer + kTrailerZeros ||
      !zeros(data.subspan(p + sizeof kLogoTrailer)))
    logo.problem =
        "logo block: no row record or trailer 1B 4C 0A 32 + fifty 00 at offset " + std::to_string(p);
  return logo;
}

std::optional<QDateTime> ClockState::at(std::int64_t nowUs) const {
  if (!seconds || !minutes || !hours || !day || !month || !year) return std::nullopt;
  const QDate date(*year, *month, *day);
  const QTime time(*hours, *minutes, *seconds);
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time).addMSecs((nowUs - setUs) / 1000);
}

std::vector<std::string> apply(PrinterState& state, const Transfer& t) {
  std::vector<std::string> problems;
  if (t.kind == Transfer::Kind::Register) {
    const int v = registerValue(t);
    const std::uint8_t c = t.code;
    if (c <= 0x03) {
      state.buttons[c + 1].letter = t.value1;
    } else if (c >= 0x06 && c <= 0x09) {
      state.buttons[c - 0x05].link = t.value1;
    } else if (c >= 0x0C && c <= 0x0F) {
      state.buttons[c - 0x0B].first = v;
    } else if (c >= 0x12 && c <= 0x15) {
      state.buttons[c - 0x11].last = v;
    } else if (c >= 0x18 && c <= 0x1E) {
      ClockState& k = state.clock;
      std::optional<int>* fields[] = {&k.seconds, &k.minutes, &k.hours, &k.day,
                                      &k.month,   &k.weekday, &k.year};
      *fields[c - 0x18] = v;
      k.setUs = t.endUs;
    } else if (c == 0x1F) {
      state.options = t.value1;
    }
    return problems;
  }

  const std::span<const std::uint8_t> data(t.data);
  if (t.code == 0x00) {
    const Logo logo = parseLogoBlock(data);
    if (!logo.problem.empty()) problems.push_back(logo.problem);
    state.logo = t.data;
  } else if (t.code >= 0x34 && t.code <= 0x37) {
    const TextBlock block = parseHeaderBlock(data);
    if (!block.problem.empty()) problems.push_back("block " + hexByte(t.code) + ": " + block.problem);
    state.buttons[t.code - 0x33].header = t.data;
  } else if (t.code >= 0x3A && t.code <= 0x3D) {
    const TextBlock block = parseFooterBlock(data);
    if (!block.problem.empty()) problems.push_back("block " + hexByte(t.code) + ": " + block.problem);
    state.buttons[t.code - 0x39].footer = t.data;
  }
  return problems;
}

std::string describe(const Transfer& t) {
  const std::uint8_t c = t.code;
  if (t.kind == Transfer::Kind::Register) {
    const std::string head = "register " + hexByte(c) + " ";
    const int v = registerValue(t);
    if (c <= 0x03) {
      std::string text = head + "letter of button " + std::to_string(c + 1) + " = " + hexByte(v);
      if (v == 0x00) return text + " (letter not printed)";
      if (v == 0xFF) return text + " (no letter of its own)";
      if (v >= 0x20)
        text += " '" + QString(QChar(cp1252::decodeByte(static_cast<unsigned char>(v)))).toStdString() + "'";
      return text;
    }
    if (c >= 0x06 && c <= 0x09) {
      const int b = c - 0x05;
      std::string text = head + "link of button " + std::to_string(b) + " = " + std::to_string(v);
      if (v == 6) return text + " (inactive)";
      if (v == b - 1) return text + " (own letter)";
      return text + " (letter of button " + std::to_string(v + 1) + ")";
    }
    if (c >= 0x0C && c <= 0x0F)
      return head + "first number of button " + std::to_string(c - 0x0B) + " = " + std::to_string(v);
    if (c >= 0x12 && c <= 0x15)
      return head + "last number of button " + std::to_string(c - 0x11) + " = " + std::to_string(v);
    if (c == 0x1D) {
      std::string text = head + "clock day of week = " + std::to_string(v);
      if (v <= 6) text += std::string(" (") + kWeekdays[v] + ")";
      return text;
    }
    if (c >= 0x18 && c <= 0x1E) {
      const char* const names[] = {"seconds", "minutes", "hours", "day", "month", "", "year"};
      return head + "clock " + names[c - 0x18] + " = " + std::to_string(v);
    }
    if (c == 0x1F) {
      std::string bits;
      const char* const names[] = {"reset at end of day", "beep", "two copies"};
      for (int i = 0; i < 3; ++i)
        if (v & (1 << i)) bits += std::string(bits.empty() ? "" : ", ") + names[i];
      return head + "options = " + hexByte(v) + " (" + (bits.empty() ? "none" : bits) + ")";
    }
    return head + "unknown = " + hexByte(t.value1) + " " + hexByte(t.value2);
  }

  const std::span<const std::uint8_t> data(t.data);
  const std::string head = "block " + hexByte(c) + " ";
  const std::string size = ", " + std::to_string(t.data.size()) + " bytes: ";
  if (c == 0x00) {
    const Logo logo = parseLogoBlock(data);
    return head + "logo" + size + std::to_string(logo.rows.size()) + " rows";
  }
  if (c >= 0x34 && c <= 0x37)
    return head + "header text of button " + std::to_string(c - 0x33) + size + quoted(parseHeaderBlock(data));
  if (c >= 0x3A && c <= 0x3D) {
    const TextBlock block = parseFooterBlock(data);
    std::string text = head + "footer text of button " + std::to_string(c - 0x39) + size + quoted(block);
    if (block.cut) text += *block.cut == Cut::Partial ? "; partial cut" : "; total cut";
    return text;
  }
  return head + "unknown" + size + hexBytes(t.data);
}

}  // namespace vx::printer
