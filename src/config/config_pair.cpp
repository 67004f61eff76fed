#include "config/config_pair.h"

#include <algorithm>

#include "config/config_file_names.h"
#include "logo/logo_preview.h"
#include "logo/logo_upload.h"
#include "model/shown_path.h"

namespace vx {

ConfigPairFiles readConfigPairFiles(const QString& cfgPath) {
  ConfigPairFiles files;
  files.bmpPath = logoFileNameForOpen(cfgPath);
  files.cfg = readFileBytes(cfgPath);
  try {
    files.picture = loadBitmapFile(files.bmpPath);
  } catch (const BitmapError& e) {
    files.pictureError = QString::fromUtf8(e.what());
  }
  return files;
}

ConfigPairError::ConfigPairError(const QString& message, int line)
    : std::runtime_error(message.toStdString()), message_(message), line_(line) {}

ConfigPair readConfigPair(const QString& cfgPath) {
  ConfigPairFiles files = readConfigPairFiles(cfgPath);
  if (!files.cfg.ok()) throw ConfigPairError(files.cfg.error);
  if (!files.picture) {
    // "Bitmap image is not valid" does not say which file it means.
    QString text = files.pictureError;
    const QString bmpShown = shownPath(files.bmpPath);
    if (!text.contains(bmpShown)) text = QStringLiteral("%1: %2").arg(bmpShown, text);
    throw ConfigPairError(text);
  }
  ConfigPair pair;
  pair.cfgPath = cfgPath;
  pair.bmpPath = files.bmpPath;
  try {
    pair.contents = parseConfigText(files.cfg.bytes);
  } catch (const ConfigReadError& e) {
    const QString cfgShown = shownPath(cfgPath);
    if (e.line() <= 0) throw ConfigPairError(QStringLiteral("%1: %2").arg(cfgShown, e.message()));
    QString text = e.message();
    if (text.startsWith(QLatin1String("List index out of bounds"))) {
      text = QStringLiteral(
                 "%1, line %2: the file ends before this line (%3); a configuration file has %4 lines")
                 .arg(cfgShown)
                 .arg(e.line())
                 .arg(text)
                 .arg(kConfigFileLines);
    } else {
      text = QStringLiteral("%1, line %2: %3").arg(cfgShown).arg(e.line()).arg(text);
    }
    throw ConfigPairError(text, e.line());
  }
  pair.picture = std::move(*files.picture);
  return pair;
}

LogoSettings logoSettingsAfterOpen(const GlobalSettings& g) {
  LogoSettings s;
  // Unchecking "Imprimir Logotipo" takes the height to 0; a file that keeps it checked
  // has its height clamped to the bar's range.
  s.height = g.print_logo ? std::clamp(g.logo_height, kMinLogoHeight, kMaxLogoHeight) : 0;
  s.width = std::clamp(g.logo_width, kMinLogoWidth, kMaxLogoWidth);
  s.threshold = std::clamp(g.threshold, kMinThreshold, kMaxThreshold);
  return s;
}

QByteArray logoDataAfterOpen(const ConfigPair& pair) {
  const LogoSettings s = logoSettingsAfterOpen(pair.contents.globals);
  LogoRaster raster;
  renderLogoRaster(raster, pair.picture.image, s.width, s.height, s.threshold);
  return logoUploadData(raster, s.height);
}

}  // namespace vx
