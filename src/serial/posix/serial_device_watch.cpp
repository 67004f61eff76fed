#include "serial/serial_device_watch.h"

#include <QDir>
#include <QFileInfo>
#include <set>

namespace vx {
namespace {

// The folder itself when it is there, else the closest folder above it that is: a folder made
// later (/dev/serial/by-id at the first adapter) shows as a change of the one above it.
QString nearestExistingFolder(QString folder) {
  folder = QDir::cleanPath(folder);
  while (!QFileInfo(folder).isDir()) {
    const QString up = QFileInfo(folder).path();
    if (up == folder) return {};
    folder = up;
  }
  return folder;
}

// The folders that hold `path` and every link it passes through.
void addFoldersOfChain(const QString& path, const QString& devRoot, std::set<QString>& folders) {
  if (path.isEmpty()) return;
  for (const QString& step : linkChain(QFileInfo(path).absoluteFilePath(), devRoot)) {
    const QString folder = nearestExistingFolder(QFileInfo(step).absolutePath());
    if (!folder.isEmpty()) folders.insert(folder);
  }
}

}  // namespace

SerialDeviceWatch::SerialDeviceWatch(QString settingsFile, QString devRoot, QString sysRoot, QObject* parent)
    : QObject(parent),
      settingsFile_(std::move(settingsFile)),
      devRoot_(std::move(devRoot)),
      sysRoot_(std::move(sysRoot)),
      byId_(standardByIdFolder(devRoot_)),
      watcher_(this),
      settle_(this) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    // The first change of a burst starts the wait; the rest are taken by the same look.
    if (!settle_.isActive()) settle_.start();
  });
  connect(&settle_, &QTimer::timeout, this, &SerialDeviceWatch::recheck);
  recheck();
}

void SerialDeviceWatch::setByIdFolder(const QString& folder) {
  byId_ = folder.isEmpty() ? standardByIdFolder(devRoot_) : QDir::cleanPath(folder);
  recheck();
}

DeviceLook SerialDeviceWatch::lookNow() const {
  DeviceLook look;
  look.devices = listSerialDevices(devRoot_, sysRoot_, byId_);
  const PortChoices choices(settingsFile_);
  for (int n = 1; n <= kComPorts; ++n) {
    look.com[n - 1] = resolveComPort(n, choices);
    look.present[n - 1] = devicePresent(look.com[n - 1].path);
  }
  return look;
}

QStringList SerialDeviceWatch::foldersFor(const DeviceLook& look) const {
  std::set<QString> folders;
  // New /dev/ttyUSB*, /dev/ttyACM* and the /dev/serial folder appear here.
  if (const QString dev = nearestExistingFolder(devRoot_); !dev.isEmpty()) folders.insert(dev);
  if (const QString byId = nearestExistingFolder(byId_); !byId.isEmpty()) folders.insert(byId);
  // A link stays behind when its device goes (or before udev removes it): the device's own
  // folder tells.
  for (const SerialDevice& device : look.devices) addFoldersOfChain(device.path, devRoot_, folders);
  for (const ComDevice& com : look.com) addFoldersOfChain(com.path, devRoot_, folders);
  return QStringList(folders.begin(), folders.end());
}

bool SerialDeviceWatch::watch(const QStringList& folders) {
  const QStringList current = watcher_.directories();
  QStringList gone;
  for (const QString& folder : current)
    if (!folders.contains(folder)) gone.append(folder);
  if (!gone.isEmpty()) watcher_.removePaths(gone);
  QStringList added;
  for (const QString& folder : folders)
    if (!current.contains(folder)) added.append(folder);
  if (added.isEmpty()) return false;
  // A folder that cannot be watched (no permission) is left to the others.
  return watcher_.addPaths(added).size() < added.size();
}

void SerialDeviceWatch::recheck() {
  settle_.stop();
  DeviceLook now = lookNow();
  // Watch where this look leads before it is taken as the truth; when new folders were watched,
  // look once more, so that a change made before they were watched is seen (a few rounds at
  // most: a chain of links can lead into a new folder at each step).
  for (int round = 0; round < 3 && watch(foldersFor(now)); ++round) now = lookNow();
  if (now == look_) return;
  look_ = std::move(now);
  emit changed();
}

}  // namespace vx
