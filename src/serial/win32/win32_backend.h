#pragma once
// The serial back end for Windows ports: COMn is the port comPortDevice gives
// ($VORLANDEX_COMn, else the operator's stored choice, else COMn itself), opened in the device
// namespace ("\\.\COM12": the only name CreateFile takes for COM10 and above) for reading and
// writing, exclusively (share mode 0: a port another program holds answers
// ERROR_ACCESS_DENIED), only if it exists, for overlapped transfers. Error numbers are
// GetLastError()'s.

#include <QString>
#include <string>

#include "serial/serial_backend.h"
#include "serial/win32/pause_timer.h"

namespace vx {

class Win32Backend : public SerialBackend {
 public:
  // `settingsFile` holds the stored port choices; empty means the user's standard file.
  // `timer` is the pause timer the ports ask for (a refused high-resolution timer falls back).
  explicit Win32Backend(QString settingsFile = {}, PauseTimer::Kind timer = PauseTimer::Kind::HighResolution)
      : settingsFile_(std::move(settingsFile)), timer_(timer) {}
  OpenResult openPort(const std::string& name) override;

 private:
  QString settingsFile_;
  PauseTimer::Kind timer_;
};

// The name CreateFileW opens for `device`: a port name goes into the device namespace
// ("COM7" -> "\\.\COM7"); a name already there, or a path, stays as it is.
QString createFileName(const QString& device);

}  // namespace vx
