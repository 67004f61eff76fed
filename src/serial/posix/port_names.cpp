// How Linux names the devices COM1..COM4 may open.
#include <climits>

#include "serial/port_choices.h"

namespace vx {

QString defaultComDevice(int n) { return QStringLiteral("/dev/ttyS%1").arg(n - 1); }

bool isAcceptableDevicePath(const QString& path) {
  if (path.isEmpty() || path.size() >= PATH_MAX || !path.startsWith(QLatin1Char('/'))) return false;
  for (const QChar c : path)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  return true;
}

}  // namespace vx
