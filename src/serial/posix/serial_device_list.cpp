#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <set>

#include "serial/posix/device_folders.h"

namespace vx {
namespace {

QString readAttribute(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // sysfs attributes are short; a larger read would be no attribute.
  return QString::fromUtf8(file.read(256)).simplified();
}

}  // namespace

QStringList linkChain(const QString& entry, const QString& devRoot) {
  QStringList chain{entry};
  QString path = entry;
  for (int hops = 0; QFileInfo(path).isSymLink() && hops < 8; ++hops) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer - 1);
    if (n <= 0) break;
    const QString target = QFile::decodeName(QByteArray(buffer, static_cast<int>(n)));
    if (target.startsWith(QLatin1String("/dev/")))
      path = devRoot + target.mid(4);
    else if (target.startsWith(QLatin1Char('/')))
      path = target;
    else
      path = QDir::cleanPath(QFileInfo(path).dir().filePath(target));
    chain.append(path);
  }
  return chain;
}

namespace {

// The node a /dev entry leads to; empty when it leads nowhere.
QString nodeOf(const QString& entry, const QString& devRoot) {
  const QString node = linkChain(entry, devRoot).constLast();
  return !QFileInfo(node).isSymLink() && QFileInfo::exists(node) ? node : QString();
}

// Maker and model of the USB device above a tty: the first folder up the device's sysfs path
// that carries idVendor.
QString usbDescription(const QString& sysRoot, const QString& kernelName) {
  const QString device =
      QFileInfo(sysRoot + QStringLiteral("/class/tty/") + kernelName + QStringLiteral("/device"))
          .canonicalFilePath();
  const QString root = QFileInfo(sysRoot).canonicalFilePath();
  if (device.isEmpty() || root.isEmpty()) return {};
  for (QDir dir(device); dir.absolutePath().startsWith(root) && dir.absolutePath() != root;) {
    if (QFileInfo::exists(dir.filePath(QStringLiteral("idVendor")))) {
      const QString maker = readAttribute(dir.filePath(QStringLiteral("manufacturer")));
      const QString model = readAttribute(dir.filePath(QStringLiteral("product")));
      QString text = (maker + QLatin1Char(' ') + model).simplified();
      if (text.isEmpty())
        text = QStringLiteral("USB %1:%2")
                   .arg(readAttribute(dir.filePath(QStringLiteral("idVendor"))),
                        readAttribute(dir.filePath(QStringLiteral("idProduct"))));
      return text;
    }
    if (!dir.cdUp()) break;
  }
  return {};
}

bool isAdapterName(const QString& name) {
  return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

// "ttyS10" sorts after "ttyS9".
int portNumber(const QString& name) { return QStringView(name).mid(4).toInt(); }

}  // namespace

QString DeviceFolders::byIdFolder() const {
  return byId.isEmpty() ? dev + QStringLiteral("/serial/by-id") : QDir::cleanPath(byId);
}

std::vector<SerialDevice> listSerialDevices() { return listSerialDevices(DeviceFolders{}); }

std::vector<SerialDevice> listSerialDevices(const DeviceFolders& folders) {
  const QString& devRoot = folders.dev;
  const QString& sysRoot = folders.sys;
  std::vector<SerialDevice> adapters;
  std::set<QString> covered;
  const QDir byId(folders.byIdFolder());
  for (const QString& name : byId.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
    const QString node = nodeOf(byId.filePath(name), devRoot);
    if (node.isEmpty()) continue;  // the adapter has gone; udev has not yet removed its link
    const QString kernelName = QFileInfo(node).fileName();
    QString description = usbDescription(sysRoot, kernelName);
    if (description.isEmpty()) description = name;
    adapters.push_back({byId.filePath(name), kernelName, description});
    covered.insert(kernelName);
  }

  const QDir ttyClass(sysRoot + QStringLiteral("/class/tty"));
  const QStringList ttys = ttyClass.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  // Adapters that have no by-id link (udev without serial numbers, a container) by their node.
  for (const QString& name : ttys) {
    if (!isAdapterName(name) || covered.count(name)) continue;
    const QString node = devRoot + QLatin1Char('/') + name;
    if (!QFileInfo::exists(node)) continue;
    QString description = usbDescription(sysRoot, name);
    if (description.isEmpty()) description = QStringLiteral("Adaptador serial USB");
    adapters.push_back({node, name, description});
  }

  std::vector<SerialDevice> onBoard;
  for (const QString& name : ttys) {
    if (!name.startsWith(QLatin1String("ttyS")) || name.size() < 5) continue;
    const QString attributes = ttyClass.filePath(name);
    // The serial core reports type 0 (no UART) for every ttyS the driver reserves but found
    // nothing behind.
    const QString type = readAttribute(attributes + QStringLiteral("/type"));
    if (type.isEmpty() || type == QLatin1String("0")) continue;
    const QString node = devRoot + QLatin1Char('/') + name;
    if (!QFileInfo::exists(node)) continue;
    const QString io = readAttribute(attributes + QStringLiteral("/port"));
    QString description = QStringLiteral("Porta serial integrada");
    if (!io.isEmpty() && io != QLatin1String("0x0")) description += QStringLiteral(" (E/S %1)").arg(io);
    onBoard.push_back({node, name, description});
  }
  std::stable_sort(onBoard.begin(), onBoard.end(), [](const SerialDevice& a, const SerialDevice& b) {
    return portNumber(a.kernelName) < portNumber(b.kernelName);
  });
  adapters.insert(adapters.end(), onBoard.begin(), onBoard.end());
  return adapters;
}

bool devicePresent(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

bool existsButIsNoSerialDevice(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
  return !S_ISCHR(st.st_mode);
}

}  // namespace vx
