#pragma once
// The configuration file pair as the open command ("Abrir") reads it: the .cfg text and the
// .bmp logo beside it, both read and the text checked in full before anything is applied;
// and the logo that opening a pair gives a window in its start-up state. The window's open
// command and the command-line sender read pairs here, so both accept and refuse the same
// files and send the same logo. Plain functions; any one thread at a time.

#include <QByteArray>
#include <QString>
#include <optional>
#include <stdexcept>

#include "config/config_io.h"
#include "config/config_text.h"
#include "logo/source_picture.h"

namespace vx {

// Both files of a pair as read from disk, before the text is checked.
struct ConfigPairFiles {
  QString bmpPath;                       // the logo file read beside the configuration file
  FileReadResult cfg;                    // the configuration file's bytes, or why they could not be read
  std::optional<SourcePicture> picture;  // the logo file, when it loaded
  QString pictureError;                  // BitmapError's text when it did not

  bool ok() const { return cfg.ok() && picture.has_value(); }
};

// Reads the configuration file `cfgPath` (bounded by kMaxConfigFileBytes) and the logo
// file logoFileNameForOpen(cfgPath). Never throws; each failure is reported in the result.
ConfigPairFiles readConfigPairFiles(const QString& cfgPath);

// A pair that opens: every value of the file and the source picture.
struct ConfigPair {
  QString cfgPath;
  QString bmpPath;
  ConfigFileContents contents;
  SourcePicture picture;
};

// Why a pair does not open. message() names the file and, for a fault inside the
// configuration file, the line at fault (line() > 0); what() is the same text in UTF-8.
class ConfigPairError : public std::runtime_error {
 public:
  ConfigPairError(const QString& message, int line = 0);
  const QString& message() const { return message_; }
  int line() const { return line_; }

 private:
  QString message_;
  int line_ = 0;
};

// Reads and checks both files as the open command does; throws ConfigPairError for the first
// of: a configuration file that cannot be read or is too large, a logo file that cannot be
// read or is not a valid bitmap, a malformed or short configuration text.
ConfigPair readConfigPair(const QString& cfgPath);

// The logo controls of a window in its start-up state ("Imprimir Logotipo" checked, height
// 10..200) after it opened a file with `globals`: each value clamped to its control's
// range as the file's lines are applied; the height 0 when the file switches the logo off.
struct LogoSettings {
  int height = 90;      // H: 10..200, or 0 with the logo off
  int width = 300;      // W: 20..400
  int threshold = 127;  // T: 1..255

  bool operator==(const LogoSettings&) const = default;
};
LogoSettings logoSettingsAfterOpen(const GlobalSettings& globals);

// The logo block's data (block 0x00) a window sends after opening `pair`: the preview update
// run on the pair's picture with logoSettingsAfterOpen(), rows 0..H-1 of the raster.
QByteArray logoDataAfterOpen(const ConfigPair& pair);

}  // namespace vx
