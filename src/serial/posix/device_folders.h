#pragma once
// Where a Linux computer keeps its serial devices: the /dev nodes, the kernel's /sys records of
// them and the folder of the adapters' stable names (/dev/serial/by-id). A fake tree can stand in
// for the real one, for the list and for a device watch. Reads the file system only; any thread,
// except watchDeviceFolders (the watch's thread).

#include <QString>
#include <QStringList>
#include <vector>

#include "serial/serial_device_list.h"

namespace vx {

class SerialDeviceWatch;

struct DeviceFolders {
  QString dev = QStringLiteral("/dev");
  QString sys = QStringLiteral("/sys");
  QString byId;  // empty: <dev>/serial/by-id

  // The folder of the stable adapter names.
  QString byIdFolder() const;
};

// Adapters (sorted by name) first, then on-board ports in number order. A /dev/ttyS* whose
// driver reports no UART (type 0, or no type at all) is left out; so is a by-id link whose
// device has gone.
std::vector<SerialDevice> listSerialDevices(const DeviceFolders& folders);

// The paths `entry` leads through, itself first: every link on the way is read (at most eight),
// and a link to an absolute /dev path is read inside `devRoot`, so that a fake tree resolves like
// the real one. The last path is where it ends, whether or not that exists.
QStringList linkChain(const QString& entry, const QString& devRoot = QStringLiteral("/dev"));

// Makes `watch` look for the devices in `folders` (a folder that does not exist yet is waited
// for) and look again at once.
void watchDeviceFolders(SerialDeviceWatch& watch, const DeviceFolders& folders);

}  // namespace vx
