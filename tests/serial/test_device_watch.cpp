// The device watch over real folders: a pseudo-terminal behind a link in a test folder stands
// in for an adapter in /dev/serial/by-id that is plugged in, pulled out and plugged in again.

#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "serial/serial_device_watch.h"

namespace vx {
namespace {

struct Pty {
  Pty() {
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) path = QString::fromLocal8Bit(name);
  }
  ~Pty() { unplug(); }
  // Both sides closed: the node goes away, as an adapter's when it is pulled out.
  void unplug() {
    if (master >= 0) ::close(master);
    if (slave >= 0) ::close(slave);
    master = slave = -1;
  }
  int master = -1;
  int slave = -1;
  QString path;
};

bool within(int ms, const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

TEST(DeviceWatch, FollowsAStoredAdapterThatComesGoesAndComesBackBehindAnotherNode) {
  QTemporaryDir root;
  // No adapter yet: the by-id folder itself does not exist.
  const QString byId = root.filePath(QStringLiteral("serial/by-id"));
  const QString link = byId + QStringLiteral("/usb-VORLANDEX_Teste_0001-if00-port0");
  PortChoices choices(root.filePath(QStringLiteral("vorlandex.conf")));
  ASSERT_TRUE(choices.store(2, link));
  qunsetenv("VORLANDEX_COM2");
  SerialDeviceWatch watch(choices.settingsFile());
  watch.setByIdFolder(byId);
  int changes = 0;
  QObject::connect(&watch, &SerialDeviceWatch::changed, [&] { ++changes; });
  const auto listed = [&] {
    for (const SerialDevice& d : watch.look().devices)
      if (d.path == link) return true;
    return false;
  };
  const auto plugged = [&] { return watch.look().present[1] && listed(); };
  const auto pulled = [&] { return !watch.look().present[1] && !listed(); };
  EXPECT_EQ(watch.look().com[1], (ComDevice{link, ComSource::Stored}));
  EXPECT_TRUE(pulled());

  Pty first;
  ASSERT_FALSE(first.path.isEmpty());
  ASSERT_TRUE(QDir().mkpath(byId));
  ASSERT_TRUE(QFile::link(first.path, link));
  EXPECT_TRUE(within(1000, plugged)) << "plugged in";

  // The node goes first; the link is still there until udev removes it.
  Pty second;  // opened now, so that it cannot take the first one's number
  first.unplug();
  EXPECT_TRUE(within(1000, pulled)) << "pulled out with its link left behind";
  QFile::remove(link);

  ASSERT_TRUE(QFile::link(second.path, link));
  EXPECT_TRUE(within(1000, plugged)) << "plugged in again behind " << second.path.toStdString();

  // Nothing more happens: nothing more is reported.
  const int seen = changes;
  EXPECT_FALSE(within(3 * SerialDeviceWatch::kSettleMs, [&] { return changes != seen; }));
  qunsetenv("VORLANDEX_COM2");
}

}  // namespace
}  // namespace vx
