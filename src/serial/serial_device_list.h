#pragma once
// The serial devices of this computer an operator may give to COM1..COM4: USB and ACM adapters
// by their stable /dev/serial/by-id names with the maker and model the kernel reports, then
// on-board ports whose driver found a UART (/dev/ttyS*). The roots of /dev and /sys are
// parameters so that a fake tree can stand in for the real one. Reads the file system only;
// any thread.

#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

namespace vx {

struct SerialDevice {
  QString path;         // what the operator chooses: <dev>/serial/by-id/…, <dev>/ttyUSB0, <dev>/ttyS0
  QString kernelName;   // the node the path leads to: "ttyUSB0", "ttyS0"
  QString description;  // "FTDI FT232R USB UART", "Porta serial integrada (E/S 0x3f8)"
  bool operator==(const SerialDevice&) const = default;
};

void PrintTo(const SerialDevice& device, std::ostream* os);

// Adapters (sorted by name) first, then on-board ports in number order. A /dev/ttyS* whose
// driver reports no UART (type 0, or no type at all) is left out; so is a by-id link whose
// device has gone. `byIdFolder` empty means <devRoot>/serial/by-id.
std::vector<SerialDevice> listSerialDevices(const QString& devRoot = QStringLiteral("/dev"),
                                            const QString& sysRoot = QStringLiteral("/sys"),
                                            const QString& byIdFolder = {});

// The standard folder of stable adapter names under `devRoot`.
QString standardByIdFolder(const QString& devRoot = QStringLiteral("/dev"));

// The paths `entry` leads through, itself first: every link on the way is read (at most eight),
// and a link to an absolute /dev path is read inside `devRoot`, so that a fake tree resolves like
// the real one. The last path is where it ends, whether or not that exists.
QStringList linkChain(const QString& entry, const QString& devRoot = QStringLiteral("/dev"));

// Whether `path` names something that exists now (a link is followed).
bool devicePresent(const QString& path);

// Whether `path` names something that exists now and is no serial device: on Linux a file, a
// folder or a socket (anything but a character device); on Windows a device of another kind
// ("NUL", "LPT1"). An absent path is not such a thing (an adapter may be plugged in later).
bool existsButIsNoSerialDevice(const QString& path);

}  // namespace vx
