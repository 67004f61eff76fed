// The serial devices offered for COM1..COM4, read from a fake /dev and /sys tree, and the
// operator's stored choices when the settings file is missing, damaged or holds nonsense.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "serial/port_choices.h"
#include "serial/posix/device_folders.h"

namespace vx {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

void link(const QString& target, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  ASSERT_TRUE(QFile::link(target, path)) << path.toStdString();
}

// A machine with an FTDI adapter (by-id link relative, as udev makes it), a CDC-ACM adapter
// whose by-id link is absolute, an adapter without a by-id link, two on-board UARTs (ttyS10
// sorting after ttyS2), two ttyS the driver reserved without a UART, and a by-id link left
// behind by an unplugged adapter.
class FakeMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    dev = root.filePath(QStringLiteral("dev"));
    sys = root.filePath(QStringLiteral("sys"));
    for (const char* node : {"ttyUSB0", "ttyACM0", "ttyUSB1", "ttyS0", "ttyS1", "ttyS2", "ttyS3", "ttyS10"})
      writeFile(dev + QLatin1Char('/') + QLatin1String(node), {});
    link(QStringLiteral("../../ttyUSB0"),
         dev + QStringLiteral("/serial/by-id/usb-FTDI_FT232R_A10K-if00-port0"));
    link(QStringLiteral("/dev/ttyACM0"), dev + QStringLiteral("/serial/by-id/usb-Arduino_Uno_7543-if00"));
    link(QStringLiteral("../../ttyUSB9"), dev + QStringLiteral("/serial/by-id/usb-Gone_Adapter-if00-port0"));

    usbTty("ttyUSB0", "1-1", "1-1:1.0/ttyUSB0", "FTDI", "FT232R USB UART");
    usbTty("ttyACM0", "1-2", "1-2:1.0", "Arduino (www.arduino.cc)", "");
    usbTty("ttyUSB1", "1-3", "1-3:1.0/ttyUSB1", "", "");
    onBoard("ttyS0", "4", "0x3F8");
    onBoard("ttyS1", "0", "0x2F8");
    onBoard("ttyS2", "4", "0x0");
    onBoard("ttyS10", "4", "0x3E8");
    QDir().mkpath(sys + QStringLiteral("/class/tty/ttyS3"));  // no type at all
  }

  // A USB device folder with maker and model, an interface below it, and the tty's class entry.
  void usbTty(const char* name, const char* usb, const char* below, const char* maker, const char* model) {
    const QString usbDir = sys + QStringLiteral("/devices/pci0000:00/usb1/") + QLatin1String(usb);
    writeFile(usbDir + QStringLiteral("/idVendor"), "0403\n");
    writeFile(usbDir + QStringLiteral("/idProduct"), "6001\n");
    if (*maker) writeFile(usbDir + QStringLiteral("/manufacturer"), QByteArray(maker) + '\n');
    if (*model) writeFile(usbDir + QStringLiteral("/product"), QByteArray(model) + '\n');
    const QString deviceDir = usbDir + QLatin1Char('/') + QLatin1String(below);
    QDir().mkpath(deviceDir);
    QDir().mkpath(sys + QStringLiteral("/class/tty/") + QLatin1String(name));
    link(deviceDir, sys + QStringLiteral("/class/tty/") + QLatin1String(name) + QStringLiteral("/device"));
  }

  void onBoard(const char* name, const char* type, const char* io) {
    const QString dir = sys + QStringLiteral("/class/tty/") + QLatin1String(name);
    writeFile(dir + QStringLiteral("/type"), QByteArray(type) + '\n');
    writeFile(dir + QStringLiteral("/port"), QByteArray(io) + '\n');
  }

  QTemporaryDir root;
  QString dev;
  QString sys;
};

TEST_F(FakeMachine, AdaptersByIdWithMakerAndModelThenOnBoardPortsWithAUart) {
  const QString byId = dev + QStringLiteral("/serial/by-id/");
  const std::vector<SerialDevice> expected = {
      {byId + QStringLiteral("usb-Arduino_Uno_7543-if00"), QStringLiteral("ttyACM0"),
       QStringLiteral("Arduino (www.arduino.cc)")},
      {byId + QStringLiteral("usb-FTDI_FT232R_A10K-if00-port0"), QStringLiteral("ttyUSB0"),
       QStringLiteral("FTDI FT232R USB UART")},
      {dev + QStringLiteral("/ttyUSB1"), QStringLiteral("ttyUSB1"), QStringLiteral("USB 0403:6001")},
      {dev + QStringLiteral("/ttyS0"), QStringLiteral("ttyS0"),
       QStringLiteral("Porta serial integrada (E/S 0x3F8)")},
      {dev + QStringLiteral("/ttyS2"), QStringLiteral("ttyS2"), QStringLiteral("Porta serial integrada")},
      {dev + QStringLiteral("/ttyS10"), QStringLiteral("ttyS10"),
       QStringLiteral("Porta serial integrada (E/S 0x3E8)")},
  };
  EXPECT_EQ(listSerialDevices({.dev = dev, .sys = sys, .byId = {}}), expected);
}

TEST_F(FakeMachine, UnpluggedAdapterIsAbsentAndLeavesTheOthers) {
  const QString ftdi = dev + QStringLiteral("/serial/by-id/usb-FTDI_FT232R_A10K-if00-port0");
  EXPECT_TRUE(devicePresent(ftdi));
  QFile::remove(dev + QStringLiteral("/ttyUSB0"));
  EXPECT_FALSE(devicePresent(ftdi));
  for (const SerialDevice& d : listSerialDevices({.dev = dev, .sys = sys, .byId = {}}))
    EXPECT_NE(d.kernelName, QStringLiteral("ttyUSB0"));
  EXPECT_EQ(listSerialDevices({.dev = dev, .sys = sys, .byId = {}}).size(), 5u);
}

// The order itself (environment, stored, ttyS) is checked over the back end with the pty tests.
TEST(DeviceChoices, NonsenseIsNeitherStoredNorUsed) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("cfg/vorlandex.conf"));
  qunsetenv("VORLANDEX_COM2");
  qunsetenv("VORLANDEX_COM3");
  PortChoices choices(file);
  EXPECT_FALSE(choices.store(2, QStringLiteral("ttyUSB0")));  // not an absolute path
  EXPECT_FALSE(choices.store(2, QStringLiteral("/dev/tty\nUSB0")));
  // Edited by hand into something that is no device path.
  writeFile(file, "[SerialPorts]\nCOM2=relative/path\nCOM3=@Variant(\\0\\0\\0\\x7f)\n");
  EXPECT_EQ(resolveComPort(2, choices), (ComDevice{QStringLiteral("/dev/ttyS1"), ComSource::Default}));
  EXPECT_EQ(resolveComPort(3, choices), (ComDevice{QStringLiteral("/dev/ttyS2"), ComSource::Default}));
}

TEST(DeviceChoices, DamagedSettingsFileFallsBackAndIsReplacedOnTheNextChoice) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("vorlandex.conf"));
  writeFile(file, QByteArray("[SerialPorts\nCOM1=/dev/ttyUSB3\n\xff\xfe\x00garbage", 32));
  PortChoices choices(file);
  EXPECT_EQ(resolveComPort(1, choices).source, ComSource::Default);
  ASSERT_TRUE(choices.store(4, QStringLiteral("/dev/ttyACM0")));
  EXPECT_EQ(choices.stored(4), QStringLiteral("/dev/ttyACM0"));
  EXPECT_TRUE(QFile::exists(file + QStringLiteral(".damaged")));
}

}  // namespace
}  // namespace vx
