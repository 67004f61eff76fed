#pragma once
// The configuration file's text: 183 CR LF lines in Windows-1252, six button blocks of 29
// lines (buttons 1..6) and 9 global lines. Writing gives the exact bytes; reading checks the
// whole text first and either returns every value or throws, so a bad file never leaves a
// half-applied configuration behind. Pure functions, callable from any thread.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

#include "model/config_model.h"

namespace vx {

inline constexpr int kConfigBlockLines = 29;  // lines per button block
inline constexpr int kConfigGlobalLines = 9;
inline constexpr int kConfigFileLines = kButtons * kConfigBlockLines + kConfigGlobalLines;  // 183

// A text larger than this is not a configuration file (a real one is under 2 KB); it is
// refused before it is read or decoded.
inline constexpr qint64 kMaxConfigFileBytes = 16 * 1024 * 1024;

// The options kept in the file's last 9 lines, which live in the window's controls rather
// than in the model. Defaults are the controls' states after start-up.
struct GlobalSettings {
  std::int32_t port_index = 0;    // line 175: the port list's item, 0..3 = COM1..COM4, -1 none
  std::int32_t logo_height = 90;  // line 176: 0 while the logo is off
  std::int32_t logo_width = 300;  // line 177
  std::int32_t threshold = 127;   // line 178
  bool print_logo = true;         // line 179: "Imprimir Logotipo"
  bool reset_at_day_end = true;   // line 180: "Zerar todas senhas ..."
  bool beep = true;               // line 181: "Emitir bip ao imprimir"
  bool partial_cut = true;        // line 182: "Corte Parcial"
  bool total_cut = false;         // line 183: "Corte Total"

  bool operator==(const GlobalSettings&) const = default;
};

// Everything a configuration file holds. buttons[1..6]; element 0 is unused.
struct ConfigFileContents {
  PerButton<ButtonSettings> buttons{};
  GlobalSettings globals;

  bool operator==(const ConfigFileContents&) const = default;
};

// Thrown by parseConfigText. message() is the text for the program's general error report,
// without the full stop the report adds; what() is the same text in UTF-8 (it is cut short
// at a NUL character the file may hold, message() is not). line() is the number (from 1) of
// the line at fault: the missing line for a short file; 0 when no one line is (a file too
// large to read).
class ConfigReadError : public std::runtime_error {
 public:
  // NUL characters in `message` (quoted from the file) become blanks.
  explicit ConfigReadError(const QString& message, int line = 0);
  const QString& message() const { return message_; }
  int line() const { return line_; }

 private:
  QString message_;
  int line_ = 0;
};

// The file's bytes for the model's buttons 1..6 and `globals`: numbers in plain decimal,
// flags "TRUE" (non-zero) / "FALSE", texts as they stand. Characters Windows-1252 lacks
// become "?"; a CR or LF inside a text becomes a blank, because it would split the line
// and shift every later value of the file.
QByteArray writeConfigText(const ConfigModel& model, const GlobalSettings& globals);

// Reads a file's bytes. Lines end at CR LF, a lone CR or a lone LF; a last line without
// an ending counts; lines after line 183 are ignored. Checks run in file order and the
// first offending line decides the error:
//  - a missing line (fewer than 183 lines): "List index out of bounds (0)";
//  - a number line that is not an optional "-" followed by decimal digits 0-9 (leading
//    zeros allowed) with a value inside the signed 32-bit range:
//    "'<line>' is not a valid integer value", the line decoded from Windows-1252 (a line
//    longer than 200 characters is quoted by its first 200 and "…"). Blanks, "+", and
//    "$" hexadecimal are refused: the program never writes them, and a number that reads
//    differently from how it looks is worse than an error.
// A text over kMaxConfigFileBytes is refused with fileTooLargeMessage(QString()).
// Byte fields (sameAsButton, the print choice, letter) keep the number's low 8 bits, and
// only a print choice of 1 ("Não imprimir") leaves the letter out; a flag is true only for
// exactly "TRUE"; a text is taken whole.
ConfigFileContents parseConfigText(const QByteArray& bytes);

// Copies buttons 1..6 of `contents` into the model's tables; the rest of the model is kept.
void applyConfigButtons(ConfigModel& model, const ConfigFileContents& contents);

// "O arquivo "<path>" é grande demais ..." (without the path when `path` is empty).
QString fileTooLargeMessage(const QString& path);

}  // namespace vx
