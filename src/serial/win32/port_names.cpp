// How Windows names the ports COM1..COM4 may open.
#include "serial/port_choices.h"

namespace vx {
namespace {

// The device namespace, where every port has its name: CreateFile needs it for COM10 and up.
constexpr QLatin1String kDeviceNamespace("\\\\.\\");
// Longer than any port name a driver gives (COM256, CNCA0, a driver's own "VCOM12").
constexpr qsizetype kMaxPortName = 64;

bool isPortNameCharacter(QChar c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' ||
         c == u'-' || c == u'.';
}

}  // namespace

QString defaultComDevice(int n) { return QStringLiteral("COM%1").arg(n); }

bool isAcceptableDevicePath(const QString& path) {
  const QStringView name =
      path.startsWith(kDeviceNamespace) ? QStringView(path).mid(kDeviceNamespace.size()) : QStringView(path);
  if (name.isEmpty() || name.size() > kMaxPortName || !name.front().isLetter()) return false;
  for (const QChar c : name)
    if (!isPortNameCharacter(c)) return false;
  return true;
}

}  // namespace vx
