#pragma once
// The serial back end for Linux devices: COMn is the device resolveComPort gives ($VORLANDEX_COMn,
// else the operator's stored choice, else /dev/ttyS(n-1)). A port is opened O_RDWR | O_NOCTTY |
// O_NONBLOCK | O_CLOEXEC, locked with flock(LOCK_EX | LOCK_NB) (which holds even against root)
// and marked TIOCEXCL; a port another program holds does not open.

#include <QString>
#include <string>

#include "serial/serial_backend.h"

namespace vx {

class PosixBackend : public SerialBackend {
 public:
  // `settingsFile` holds the stored device choices; empty means the user's standard file.
  explicit PosixBackend(QString settingsFile = {}) : settingsFile_(std::move(settingsFile)) {}
  OpenResult openPort(const std::string& name) override;

  // The device path for "COM1".."COM4"; any other name is taken as a path.
  std::string devicePath(const std::string& name) const;

 private:
  QString settingsFile_;
};

}  // namespace vx
