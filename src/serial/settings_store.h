#pragma once
// Where the user's port choices are kept, as each platform keeps a user's settings: a settings
// file under the user's configuration folder on Linux, a key in the user's registry on Windows.
// One file per platform (posix/settings_store.cpp, win32/settings_store.cpp).

#include <QSettings>
#include <QString>

namespace vx {

// The user's standard store of the port choices: a file's path or a registry key's path.
QString standardSettingsStore();

// How QSettings reads `store`: a registry key's path in the registry (Windows), anything else
// as a settings file in the INI format.
QSettings::Format settingsFormatOf(const QString& store);

}  // namespace vx
