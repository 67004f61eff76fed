#pragma once
// Follows the serial devices of this computer as adapters come and go: the adapters' stable
// names (the by-id folder), the /dev nodes offered beside them, and the device each of
// COM1..COM4 resolves to, wherever it lies and through every link on its way. It watches the
// folders that hold them with QFileSystemWatcher (a watched link would be followed to its
// target, so links are watched through their folders) and looks again shortly after a change;
// it never polls. changed() is emitted when a look finds the devices, or the device or presence
// of a COMn, different from the look before. It only reads the file system: it opens no device
// and never starts or stops a job.
//
// The environment (VORLANDEX_COMn) cannot be watched: a look reads it again, and recheck() asks
// for a look at once (after the operator stored a choice, for example).
//
// A QObject of the owner's thread.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <vector>

#include "serial/port_choices.h"
#include "serial/serial_device_list.h"

namespace vx {

struct DeviceLook {
  std::vector<SerialDevice> devices;     // as listSerialDevices gives them
  std::array<ComDevice, kComPorts> com;  // what COM1..COM4 resolve to
  std::array<bool, kComPorts> present{};  // whether that device is there
  bool operator==(const DeviceLook&) const = default;
};

class SerialDeviceWatch : public QObject {
  Q_OBJECT
 public:
  // `settingsFile` holds the stored choices (empty: the user's standard file); `devRoot` and
  // `sysRoot` are /dev and /sys on a real computer. Takes its first look at once.
  explicit SerialDeviceWatch(QString settingsFile = {}, QString devRoot = QStringLiteral("/dev"),
                             QString sysRoot = QStringLiteral("/sys"), QObject* parent = nullptr);

  // Where the stable adapter names are: <devRoot>/serial/by-id unless set. A folder that does
  // not exist yet (no adapter plugged since start-up) is waited for. Looks again at once.
  void setByIdFolder(const QString& folder);
  const QString& byIdFolder() const { return byId_; }
  const QString& devRoot() const { return devRoot_; }
  const QString& sysRoot() const { return sysRoot_; }

  // What the last look found.
  const DeviceLook& look() const { return look_; }
  // Looks again now; changed() follows when something differs.
  void recheck();

  // How long a look waits after the first change it hears of, so that a burst (a node, then
  // its links) is taken in one look.
  static constexpr int kSettleMs = 100;

 signals:
  void changed();

 private:
  DeviceLook lookNow() const;
  QStringList foldersFor(const DeviceLook& look) const;
  // Watches exactly `folders`; true when it began to watch one it did not watch before.
  bool watch(const QStringList& folders);

  QString settingsFile_;
  QString devRoot_;
  QString sysRoot_;
  QString byId_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  DeviceLook look_;
};

}  // namespace vx
