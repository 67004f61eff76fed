#pragma once
// Which device each of COM1..COM4 opens on this computer. The operator's choice is kept per user:
// on Linux in a settings file (by default vorlandex/vorlandex.conf under the user's configuration
// folder, ~/.config), written atomically; on Windows in the user's registry
// (HKEY_CURRENT_USER\Software\VORLANDEX\vorlandex) unless a settings file is named. The
// environment variable VORLANDEX_COMn, when set, wins over the stored choice; without either,
// COMn is the system's own (/dev/ttyS(n-1) on Linux, the port COMn on Windows). Nothing here
// opens a device: the serial link checks at every open that the device is one it can use.
//
// QtCore only; any thread, but one PortChoices object belongs to one thread.

#include <QString>
#include <ostream>
#include <string>

namespace vx {

inline constexpr int kComPorts = 4;

// Where a port's device came from.
enum class ComSource { Environment, Stored, Default };

struct ComDevice {
  QString path;
  ComSource source = ComSource::Default;
  bool operator==(const ComDevice&) const = default;
};

void PrintTo(const ComDevice& device, std::ostream* os);

class PortChoices {
 public:
  // `settingsFile` empty means the user's standard store (settings_store.h): a file, or on
  // Windows a registry key's path.
  explicit PortChoices(QString settingsFile = {});

  // The user's standard store: a settings file's path, or a registry key's path on Windows.
  static QString defaultSettingsFile();
  const QString& settingsFile() const { return file_; }

  // The stored device of COMn (n = 1..4), or empty when none is stored, the stored value is not
  // an absolute path, or the file cannot be read as settings.
  QString stored(int n) const;
  // Stores `path` for COMn; an empty path forgets the choice. A damaged settings file is set
  // aside (renamed with ".damaged") and replaced. False when `path` is not an absolute path or
  // the file (or registry key) could not be written.
  bool store(int n, const QString& path);

 private:
  QString file_;
  bool inFile_;  // a settings file, not a registry key
};

// The device of COMn (n = 1..4) as the window and every other program of the system open it:
// $VORLANDEX_COMn when set and not empty, then the stored choice, then defaultComDevice(n).
ComDevice resolveComPort(int n, const PortChoices& choices);
// The same with the user's standard settings file.
ComDevice resolveComPort(int n);

// Port number 1..4 of "COM1".."COM4"; 0 for any other name.
int comPortNumber(const QString& name);

// The device a back end opens for the port name "COM1".."COM4" (resolveComPort with `choices`);
// empty for any other name, which is a device already and is opened as it is.
QString comPortDevice(const std::string& name, const PortChoices& choices);

// The system's own device for COMn: /dev/ttyS(n-1) on Linux, the port "COMn" on Windows.
QString defaultComDevice(int n);

// Whether `path` is taken as a device choice. Linux: an absolute path without control characters
// that fits in a path. Windows: a port name ("COM7", "\\.\COM12"). Each platform's folder has it.
bool isAcceptableDevicePath(const QString& path);

}  // namespace vx
