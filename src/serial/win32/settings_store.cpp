// Windows keeps the port choices in the user's registry, under the organisation and the
// application (HKEY_CURRENT_USER\Software\VORLANDEX\vorlandex), shared by the window and the
// sender. A settings file named explicitly (a test's, a technician's) is read as on Linux.
#include "serial/settings_store.h"

namespace vx {

QString standardSettingsStore() {
  return QStringLiteral("HKEY_CURRENT_USER\\Software\\VORLANDEX\\vorlandex");
}

QSettings::Format settingsFormatOf(const QString& store) {
  const bool registryKey = store.startsWith(QLatin1String("HKEY_"), Qt::CaseInsensitive) ||
                           store.startsWith(QLatin1String("\\HKEY_"), Qt::CaseInsensitive);
  return registryKey ? QSettings::NativeFormat : QSettings::IniFormat;
}

}  // namespace vx
