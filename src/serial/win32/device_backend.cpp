// DeviceBackend on Windows: the Win32 back end with the high-resolution pause timer (see
// win32_backend.h for how a port is named and opened).
#include "serial/device_backend.h"

#include "serial/win32/win32_backend.h"

namespace vx {

SerialBackend::OpenResult DeviceBackend::openPort(const std::string& name) {
  return Win32Backend(settingsFile_).openPort(name);
}

}  // namespace vx
