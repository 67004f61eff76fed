#include "model/shown_path.h"

#include <QDir>

namespace vx {

QString shownPath(const QString& path) {
  return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

}  // namespace vx
