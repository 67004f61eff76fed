// The device watch's notices on Linux: QFileSystemWatcher over the folders that hold the devices,
// the adapters' stable names and every link on the way of a device in use (a watched link would
// be followed to its target, so links are watched through their folders).
#include "serial/serial_device_watch.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <set>

#include "serial/posix/device_folders.h"

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

class FolderNotices final : public SerialDeviceWatch::Notices {
 public:
  explicit FolderNotices(std::function<void()> heard) {
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, std::move(heard));
  }

  std::vector<SerialDevice> devices() const override { return listSerialDevices(folders_); }

  bool follow(const DeviceLook& look) override { return watch(foldersFor(look)); }

  void setFolders(const DeviceFolders& folders) { folders_ = folders; }

 private:
  QStringList foldersFor(const DeviceLook& look) const {
    std::set<QString> folders;
    // New /dev/ttyUSB*, /dev/ttyACM* and the /dev/serial folder appear here.
    if (const QString dev = nearestExistingFolder(folders_.dev); !dev.isEmpty()) folders.insert(dev);
    if (const QString byId = nearestExistingFolder(folders_.byIdFolder()); !byId.isEmpty())
      folders.insert(byId);
    // A link stays behind when its device goes (or before udev removes it): the device's own
    // folder tells.
    for (const SerialDevice& device : look.devices) addFoldersOfChain(device.path, folders_.dev, folders);
    for (const ComDevice& com : look.com) addFoldersOfChain(com.path, folders_.dev, folders);
    return QStringList(folders.begin(), folders.end());
  }

  // Watches exactly `folders`; true when it began to watch one it did not watch before.
  bool watch(const QStringList& folders) {
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

  DeviceFolders folders_;
  QFileSystemWatcher watcher_;
};

}  // namespace

std::unique_ptr<SerialDeviceWatch::Notices> SerialDeviceWatch::makeNotices(std::function<void()> heard) {
  return std::make_unique<FolderNotices>(std::move(heard));
}

void watchDeviceFolders(SerialDeviceWatch& watch, const DeviceFolders& folders) {
  // The only notices a watch has on Linux.
  static_cast<FolderNotices&>(watch.notices()).setFolders(folders);
  watch.recheck();
}

}  // namespace vx
