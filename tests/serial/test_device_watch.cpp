// The device watch over real folders: a pseudo-terminal behind a link in a test folder stands
// in for an adapter in /dev/serial/by-id that is plugged in, pulled out and plugged in again.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "pseudo_terminal.h"
#include "serial/posix/device_folders.h"
#include "serial/serial_device_watch.h"

namespace vx {
namespace {

using test::PseudoTerminal;

TEST(DeviceWatch, FollowsAStoredAdapterThatComesGoesAndComesBackBehindAnotherNode) {
  QTemporaryDir root;
  // No adapter yet: the by-id folder itself does not exist.
  const QString byId = root.filePath(QStringLiteral("serial/by-id"));
  const QString link = byId + QStringLiteral("/usb-VORLANDEX_Teste_0001-if00-port0");
  PortChoices choices(root.filePath(QStringLiteral("vorlandex.conf")));
  ASSERT_TRUE(choices.store(2, link));
  qunsetenv("VORLANDEX_COM2");
  SerialDeviceWatch watch(choices.settingsFile());
  watchDeviceFolders(watch, {.byId = byId});
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

  PseudoTerminal first;
  ASSERT_TRUE(QDir().mkpath(byId));
  ASSERT_TRUE(QFile::link(QString::fromStdString(first.path()), link));
  EXPECT_TRUE(QTest::qWaitFor(plugged, 1000)) << "plugged in";

  // The node goes first; the link is still there until udev removes it.
  PseudoTerminal second;  // opened now, so that it cannot take the first one's number
  first.unplug();
  EXPECT_TRUE(QTest::qWaitFor(pulled, 1000)) << "pulled out with its link left behind";
  QFile::remove(link);

  ASSERT_TRUE(QFile::link(QString::fromStdString(second.path()), link));
  EXPECT_TRUE(QTest::qWaitFor(plugged, 1000)) << "plugged in again behind " << second.path();

  // Nothing more happens: nothing more is reported.
  const int seen = changes;
  EXPECT_FALSE(QTest::qWaitFor([&] { return changes != seen; }, 3 * SerialDeviceWatch::kSettleMs));
  qunsetenv("VORLANDEX_COM2");
}

}  // namespace
}  // namespace vx
