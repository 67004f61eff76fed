// Linux keeps the port choices in a settings file under the user's configuration folder
// (~/.config/vorlandex/vorlandex.conf), shared by the window and the sender.
#include "serial/settings_store.h"

#include <QStandardPaths>

namespace vx {

QString standardSettingsStore() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/vorlandex/vorlandex.conf");
}

QSettings::Format settingsFormatOf(const QString&) { return QSettings::IniFormat; }

}  // namespace vx
