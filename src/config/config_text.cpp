#include "config_text.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <limits>
#include <optional>

#include "model/cp1252.h"
#include "model/shown_path.h"

namespace vx {
namespace {

// Longest line text quoted whole in a conversion error; a hostile file can hold a line of
// megabytes, which no message box can show.
constexpr qsizetype kMaxQuotedBytes = 200;

constexpr QByteArrayView kTrue("TRUE");
constexpr QByteArrayView kFalse("FALSE");
constexpr QByteArrayView kLineEnd("\r\n");

void appendNumber(QByteArray& out, std::int64_t value) {
  out += QByteArray::number(static_cast<qlonglong>(value));
  out += kLineEnd;
}

void appendFlag(QByteArray& out, bool value) {
  out += value ? kTrue : kFalse;
  out += kLineEnd;
}

void appendText(QByteArray& out, const QString& text) {
  QByteArray bytes = cp1252::encode(text);
  bytes.replace('\r', ' ').replace('\n', ' ');
  out += bytes;
  out += kLineEnd;
}

// Hands out the lines of a text one at a time, so that nothing after the last line needed
// is ever scanned.
class LineReader {
 public:
  explicit LineReader(QByteArrayView text) : text_(text) {}

  // The next line without its ending; throws the missing-line error past the last line.
  QByteArrayView next() {
    ++line_;
    if (pos_ >= text_.size()) throw ConfigReadError(QStringLiteral("List index out of bounds (0)"), line_);
    const qsizetype start = pos_;
    qsizetype end = start;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
    pos_ = end;
    if (pos_ < text_.size()) {
      if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
      ++pos_;
    }
    return text_.sliced(start, end - start);
  }
  // The number (from 1) of the line next() gave last.
  int line() const { return line_; }

 private:
  QByteArrayView text_;
  qsizetype pos_ = 0;
  int line_ = 0;
};

std::optional<std::int32_t> toInt32(QByteArrayView s) {
  qsizetype i = 0;
  const bool negative = !s.isEmpty() && s[0] == '-';
  if (negative) i = 1;
  if (i == s.size()) return std::nullopt;
  // Accumulate in 64 bits and stop as soon as the magnitude leaves the 32-bit range, so
  // that even a line of a million digits cannot overflow.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t readNumber(LineReader& lines) {
  const QByteArrayView line = lines.next();
  if (const auto value = toInt32(line)) return *value;
  QString quoted = cp1252::decode(line.first(std::min(line.size(), kMaxQuotedBytes)).toByteArray());
  if (line.size() > kMaxQuotedBytes) quoted += QChar(0x2026);
  throw ConfigReadError(QStringLiteral("'%1' is not a valid integer value").arg(quoted), lines.line());
}

std::uint8_t readByte(LineReader& lines) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(readNumber(lines)) & 0xFFu);
}

bool readFlag(LineReader& lines) { return lines.next() == kTrue; }

// The print choice is stored as the item of the list: 0 "Imprimir", 1 "Não imprimir". A
// file may hold any byte; only 1 leaves the letter out, as the page and the printer read it.
constexpr std::int32_t kNotPrintedItem = 1;

std::int32_t printChoiceItem(bool printLetter) { return printLetter ? 0 : kNotPrintedItem; }
bool readPrintChoice(LineReader& lines) { return readByte(lines) != kNotPrintedItem; }

QString readText(LineReader& lines) { return cp1252::decode(lines.next().toByteArray()); }

}  // namespace

namespace {

// A value quoted from the file may hold NUL characters, which would cut the text short
// wherever it is shown.
QString withoutNuls(QString text) { return text.replace(QChar(0), QLatin1Char(' ')); }

}  // namespace

ConfigReadError::ConfigReadError(const QString& message, int line)
    : std::runtime_error(withoutNuls(message).toStdString()), message_(withoutNuls(message)), line_(line) {}

QString fileTooLargeMessage(const QString& path) {
  const QString limit = QCoreApplication::translate("ConfigFiles", "o limite é de %1 MB").arg(kMaxConfigFileBytes / (1024 * 1024));
  if (path.isEmpty())
    return QCoreApplication::translate("ConfigFiles", "O arquivo é grande demais para ser um arquivo de configuração (%1)").arg(limit);
  return QCoreApplication::translate("ConfigFiles",
                                     "O arquivo %1 é grande demais para ser um arquivo de configuração (%2)")
      .arg(shownPath(path), limit);
}

QByteArray writeConfigText(const ConfigModel& m, const GlobalSettings& g) {
  QByteArray out;
  out.reserve(4096);
  for (int b = 1; b <= kButtons; ++b) {
    appendNumber(out, m.sameAsButton[b]);
    appendNumber(out, printChoiceItem(m.printLetter[b]));
    appendNumber(out, m.firstNumber[b]);
    appendNumber(out, m.lastNumber[b]);
    appendNumber(out, m.letter[b]);
    for (int l = 1; l <= kLines; ++l) appendText(out, m.lineText[l][b]);
    for (int l = 1; l <= kLines; ++l) appendFlag(out, m.lineEnabled[l][b]);
    for (int l = 1; l <= kLines; ++l) appendFlag(out, m.lineExpanded[l][b]);
  }
  appendNumber(out, g.port_index);
  appendNumber(out, g.logo_height);
  appendNumber(out, g.logo_width);
  appendNumber(out, g.threshold);
  appendFlag(out, g.print_logo);
  appendFlag(out, g.reset_at_day_end);
  appendFlag(out, g.beep);
  appendFlag(out, g.partial_cut);
  appendFlag(out, g.total_cut);
  return out;
}

ConfigFileContents parseConfigText(const QByteArray& bytes) {
  if (bytes.size() > kMaxConfigFileBytes) throw ConfigReadError(fileTooLargeMessage(QString()));
  LineReader lines(bytes);
  ConfigFileContents c;
  for (int b = 1; b <= kButtons; ++b) {
    ButtonSettings& s = c.buttons[b];
    s.sameAsButton = readByte(lines);
    s.printLetter = readPrintChoice(lines);
    s.firstNumber = readNumber(lines);
    s.lastNumber = readNumber(lines);
    s.letter = readByte(lines);
    for (int l = 1; l <= kLines; ++l) s.lineText[l] = readText(lines);
    for (int l = 1; l <= kLines; ++l) s.lineEnabled[l] = readFlag(lines);
    for (int l = 1; l <= kLines; ++l) s.lineExpanded[l] = readFlag(lines);
  }
  GlobalSettings& g = c.globals;
  g.port_index = readNumber(lines);
  g.logo_height = readNumber(lines);
  g.logo_width = readNumber(lines);
  g.threshold = readNumber(lines);
  g.print_logo = readFlag(lines);
  g.reset_at_day_end = readFlag(lines);
  g.beep = readFlag(lines);
  g.partial_cut = readFlag(lines);
  g.total_cut = readFlag(lines);
  return c;
}

void applyConfigButtons(ConfigModel& model, const ConfigFileContents& contents) {
  for (int b = 1; b <= kButtons; ++b) setButtonSettings(model, b, contents.buttons[b]);
}

}  // namespace vx
