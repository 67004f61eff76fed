#pragma once
// The serial back end of this computer: it opens the real devices behind COM1..COM4, as the window
// and every other program of the system resolve them (comPortDevice in port_choices.h:
// $VORLANDEX_COMn, else the operator's stored choice, else the system's own port), and any other
// name as a device path. A port is opened exclusively for
// reading and writing without waiting for the line; a port another program holds does not open.
// Each platform implements it in its own folder (posix/ on Linux, win32/ on Windows).

#include <QString>
#include <string>

#include "serial/serial_backend.h"

namespace vx {

class DeviceBackend : public SerialBackend {
 public:
  // `settingsFile` holds the stored device choices; empty means the user's standard file.
  explicit DeviceBackend(QString settingsFile = {}) : settingsFile_(std::move(settingsFile)) {}
  // On failure the result carries the system's error number and the device it tried.
  OpenResult openPort(const std::string& name) override;

 private:
  QString settingsFile_;
};

}  // namespace vx
