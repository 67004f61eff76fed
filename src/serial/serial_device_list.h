#pragma once
// The serial devices of this computer an operator may give to COM1..COM4, each with what the
// system says of it, and whether a device is there. On Linux: adapters by their stable names with
// the maker and model the kernel reports, then on-board ports whose driver found a UART
// (posix/device_folders.h says where it looks); on Windows: the COM ports the system has
// registered, by number, with their friendly names. Reads the system's records only and opens no
// port; any thread.

#include <QString>
#include <ostream>
#include <vector>

namespace vx {

struct SerialDevice {
  QString path;         // what the operator chooses: /dev/serial/by-id/…, /dev/ttyUSB0, COM7
  QString kernelName;   // the node or port the path leads to: "ttyUSB0", "ttyS0", "COM7"
  QString description;  // "FTDI FT232R USB UART", "Porta serial integrada (E/S 0x3f8)"
  bool operator==(const SerialDevice&) const = default;
};

inline void PrintTo(const SerialDevice& device, std::ostream* os) {
  *os << "{" << device.path.toStdString() << " -> " << device.kernelName.toStdString() << ", \""
      << device.description.toStdString() << "\"}";
}

// The serial devices of this computer, in the order an operator looks for them.
std::vector<SerialDevice> listSerialDevices();

// Whether `path` names something that exists now (a link is followed).
bool devicePresent(const QString& path);

// Whether `path` names something that exists now and is no serial device: on Linux a file, a
// folder or a socket (anything but a character device); on Windows a device of another kind
// ("NUL", "LPT1"). An absent path is not such a thing (an adapter may be plugged in later).
bool existsButIsNoSerialDevice(const QString& path);

}  // namespace vx
