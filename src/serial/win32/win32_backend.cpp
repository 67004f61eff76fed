#include "serial/win32/win32_backend.h"

#include "serial/port_choices.h"
#include "serial/win32/win32_port.h"
#include "serial/win32/windows_api.h"

namespace vx {

QString createFileName(const QString& device) {
  if (device.startsWith(QLatin1String("\\\\")) || device.contains(QLatin1Char('\\')) ||
      device.contains(QLatin1Char('/')) || device.contains(QLatin1Char(':')))
    return device;
  return QStringLiteral("\\\\.\\") + device;
}

SerialBackend::OpenResult Win32Backend::openPort(const std::string& name) {
  QString device = comPortDevice(name, PortChoices(settingsFile_));
  if (device.isEmpty()) device = QString::fromStdString(name);
  const std::wstring file = createFileName(device).toStdWString();
  const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return {nullptr, static_cast<int>(::GetLastError()), device.toStdString()};
  DWORD error = 0;
  std::unique_ptr<Win32Port> port = Win32Port::adopt(handle, timer_, &error);
  if (!port) return {nullptr, static_cast<int>(error), device.toStdString()};
  return {std::move(port), 0, device.toStdString()};
}

}  // namespace vx
