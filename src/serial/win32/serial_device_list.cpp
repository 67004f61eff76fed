// The serial ports of a Windows computer: every port the system's serial drivers have registered
// (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, which Wine keeps too), and every present device of the
// Ports class with a COM port name (SetupAPI), which gives the friendly names ("USB Serial Port
// (COM7)"). Reads the registry only; opens no port.
#include "serial/serial_device_list.h"

#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <map>

#include "serial/win32/windows_api.h"

namespace vx {
namespace {

// The Ports device setup class (GUID_DEVCLASS_PORTS): serial and parallel ports.
constexpr GUID kPortsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// A registry string value as text; empty when it is not a string.
QString registryString(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return {};
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  return QString::fromWCharArray(value.c_str()).trimmed();
}

// SERIALCOMM: one value per registered port, the driver's device as its name, the port as data.
void addRegisteredPorts(std::map<QString, SerialDevice>& ports) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD name_size = static_cast<DWORD>(std::size(name));
    wchar_t data[256];
    DWORD data_size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG r = ::RegEnumValueW(key, index, name, &name_size, nullptr, &type,
                                   reinterpret_cast<BYTE*>(data), &data_size);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS || type != REG_SZ) continue;
    data[data_size / sizeof(wchar_t)] = L'\0';
    const QString port = QString::fromWCharArray(data).trimmed();
    if (port.isEmpty()) continue;
    ports.emplace(port.toUpper(), SerialDevice{port, port, QStringLiteral("Porta serial (%1)").arg(port)});
  }
  ::RegCloseKey(key);
}

// The Ports class: the friendly name of each present device whose PortName is a COM port.
void addPortsClass(std::map<QString, SerialDevice>& ports) {
  const HDEVINFO set = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &device); ++index) {
    const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    const QString port = registryString(key, L"PortName");
    ::RegCloseKey(key);
    // The class holds printer ports (LPT1) too.
    if (!port.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) continue;
    wchar_t friendly[512] = {};
    DWORD type = 0;
    const bool named = ::SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, &type,
                                                           reinterpret_cast<BYTE*>(friendly),
                                                           sizeof friendly - sizeof(wchar_t), nullptr) &&
                       type == REG_SZ;
    SerialDevice& entry = ports[port.toUpper()];
    entry.path = port;
    entry.kernelName = port;
    const QString description = named ? QString::fromWCharArray(friendly).trimmed() : QString();
    if (!description.isEmpty())
      entry.description = description;
    else if (entry.description.isEmpty())
      entry.description = QStringLiteral("Porta serial (%1)").arg(port);
  }
  ::SetupDiDestroyDeviceInfoList(set);
}

// COM3 before COM10; names of other drivers after every COMn, by name.
bool portOrder(const SerialDevice& a, const SerialDevice& b) {
  const auto number = [](const QString& name) {
    bool ok = false;
    const int n = name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) ? name.mid(3).toInt(&ok) : 0;
    return ok ? n : INT_MAX;
  };
  const int na = number(a.path);
  const int nb = number(b.path);
  if (na != nb) return na < nb;
  return a.path.compare(b.path, Qt::CaseInsensitive) < 0;
}

// The port name inside a device-namespace name: "\\.\COM7" -> "COM7".
QString portName(const QString& path) {
  return path.startsWith(QLatin1String("\\\\.\\")) ? path.mid(4) : path;
}

}  // namespace

std::vector<SerialDevice> listSerialDevices() {
  std::map<QString, SerialDevice> ports;
  addRegisteredPorts(ports);
  addPortsClass(ports);
  std::vector<SerialDevice> devices;
  for (auto& [name, device] : ports) devices.push_back(std::move(device));
  std::sort(devices.begin(), devices.end(), portOrder);
  return devices;
}

bool devicePresent(const QString& path) {
  if (path.isEmpty()) return false;
  const QString name = portName(path);
  // A path (a file a test or a developer chose) is there when the file is.
  if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char(':')))
    return QFileInfo::exists(path);
  // A port is there while the system has a device of that name; asking does not open it.
  wchar_t target[1024];
  return ::QueryDosDeviceW(reinterpret_cast<const wchar_t*>(name.utf16()), target,
                           static_cast<DWORD>(std::size(target))) != 0;
}

bool existsButIsNoSerialDevice(const QString& path) {
  const QString name = portName(path);
  if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char(':')))
    return false;
  // A name the system has as a device, which no serial driver registered and which is not a COM
  // port: the null device, a printer port, the console.
  if (!devicePresent(name) || name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) return false;
  for (const SerialDevice& device : listSerialDevices())
    if (device.path.compare(name, Qt::CaseInsensitive) == 0) return false;
  return true;
}

}  // namespace vx
