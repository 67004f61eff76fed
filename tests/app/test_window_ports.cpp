// "Portas seriais", the dialog behind the button beside the port list: what each COMn opens
// now, the devices found on the computer, and the operator's choice kept for the next job.

#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/dialogs/serial_ports_dialog.h"
#include "printer/virtual_printer.h"
#include "pty_line.h"
#include "serial/port_choices.h"
#include "serial/posix/device_folders.h"
#include "serial/serial_device_watch.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

class SerialPorts : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(root.isValid());
    for (int n = 1; n <= kComPorts; ++n) qunsetenv(QByteArray("VORLANDEX_COM") + QByteArray::number(n));
    // One FTDI adapter and one on-board UART.
    QDir().mkpath(dev + QStringLiteral("/serial/by-id"));
    touch(dev + QStringLiteral("/ttyUSB0"));
    touch(dev + QStringLiteral("/ttyS0"));
    QFile::link(QStringLiteral("../../ttyUSB0"), byId);
    const QString usb = sys + QStringLiteral("/devices/usb1/1-1");
    QDir().mkpath(usb + QStringLiteral("/1-1:1.0/ttyUSB0"));
    write(usb + QStringLiteral("/idVendor"), "0403");
    write(usb + QStringLiteral("/manufacturer"), "FTDI");
    write(usb + QStringLiteral("/product"), "FT232R USB UART");
    QDir().mkpath(sys + QStringLiteral("/class/tty/ttyUSB0"));
    QFile::link(usb + QStringLiteral("/1-1:1.0/ttyUSB0"), sys + QStringLiteral("/class/tty/ttyUSB0/device"));
    QDir().mkpath(sys + QStringLiteral("/class/tty/ttyS0"));
    write(sys + QStringLiteral("/class/tty/ttyS0/type"), "4");
  }
  void TearDown() override {
    for (int n = 1; n <= kComPorts; ++n) qunsetenv(QByteArray("VORLANDEX_COM") + QByteArray::number(n));
    WindowTest::TearDown();
  }
  static void touch(const QString& path) { write(path, {}); }
  static void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  std::unique_ptr<SerialPortsDialog> dialog() {
    return std::make_unique<SerialPortsDialog>(choices, *dialogs, window, [this] {
      return listSerialDevices({.dev = dev, .sys = sys, .byId = {}});
    });
  }
  static QStringList items(QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
  }

  QTemporaryDir root;
  QString dev = root.filePath(QStringLiteral("dev"));
  QString sys = root.filePath(QStringLiteral("sys"));
  QString byId = dev + QStringLiteral("/serial/by-id/usb-FTDI_FT232R_A10K-if00-port0");
  PortChoices choices{root.filePath(QStringLiteral("vorlandex.conf"))};
};

TEST_F(SerialPorts, ListsTheDevicesAndKeepsAChoiceForTheNextOpen) {
  auto d = dialog();
  EXPECT_EQ(items(d->deviceBox(3)),
            (QStringList{
                QStringLiteral("Padrão: /dev/ttyS2") +
                    (QFile::exists(QStringLiteral("/dev/ttyS2")) ? QString() : QStringLiteral(" (ausente)")),
                QStringLiteral("FTDI FT232R USB UART — ") + byId,
                QStringLiteral("Porta serial integrada — ") + dev + QStringLiteral("/ttyS0")}));
  d->deviceBox(3)->setCurrentIndex(1);
  d->accept();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(resolveComPort(3, choices), (ComDevice{byId, ComSource::Stored}));
  EXPECT_EQ(resolveComPort(1, choices).source, ComSource::Default);  // untouched rows store nothing
  EXPECT_TRUE(d->currentLabel(3)->text().startsWith(QStringLiteral("Em uso: ") + byId));
}

TEST_F(SerialPorts, AnUnpluggedChoiceStaysChosenAndIsShownAbsent) {
  ASSERT_TRUE(choices.store(2, byId));
  QFile::remove(dev + QStringLiteral("/ttyUSB0"));
  auto d = dialog();
  EXPECT_EQ(d->deviceBox(2)->currentText(), byId + QStringLiteral(" (ausente)"));
  EXPECT_EQ(d->chosenPath(2), byId);
  EXPECT_EQ(d->currentLabel(2)->text(), QStringLiteral("Em uso: ") + byId + QStringLiteral(" (ausente)"));
  d->accept();
  EXPECT_EQ(choices.stored(2), byId);
}

TEST_F(SerialPorts, TheEnvironmentWinsAndIsShownAsTheReason) {
  ASSERT_TRUE(choices.store(4, byId));
  qputenv("VORLANDEX_COM4", "/dev/null");
  auto d = dialog();
  EXPECT_FALSE(d->deviceBox(4)->isEnabled());
  EXPECT_EQ(
      d->currentLabel(4)->text(),
      QStringLiteral("Em uso: /dev/null — definido pela variável de ambiente VORLANDEX_COM4, que prevalece "
                     "sobre a escolha"));
  EXPECT_EQ(d->chosenPath(4), byId);  // the stored choice is kept for when the variable goes
}

TEST_F(SerialPorts, ATypedPathMustBeAnAbsoluteCharacterDevice) {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
  auto d = dialog();
  QLineEdit* field = d->deviceBox(1)->lineEdit();
  for (const QString& bad :
       {root.filePath(QStringLiteral("vorlandex.conf")), QStringLiteral("ttyUSB0"), root.path()}) {
    for (bool listed : {false, true}) {  // typed, or made an entry of the list by "Atualizar lista"
      SCOPED_TRACE(bad.toStdString() + (listed ? ", listed" : ""));
      touch(root.filePath(QStringLiteral("vorlandex.conf")));
      dialogs->boxes.clear();
      field->setText(bad);
      if (listed) d->refresh();
      d->accept();
      EXPECT_NE(d->result(), QDialog::Accepted);
      ASSERT_EQ(boxCount(), 1);
      EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Portas seriais"));
      EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Warning);
      EXPECT_TRUE(choices.stored(1).isEmpty());
    }
  }
  field->setText(QString::fromLatin1(name));  // a pseudo-terminal
  d->accept();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(choices.stored(1), QString::fromLatin1(name));
  ::close(master);
  ::close(slave);
}

TEST_F(SerialPorts, ThePortListsTipNamesTheDeviceOfTheShownPort) {
  qputenv("VORLANDEX_COM2", "/dev/vorlandex-no-such-port");
  choose(ui.portList(), 1);
  EXPECT_EQ(ui.portList()->toolTip(),
            QStringLiteral("COM2: /dev/vorlandex-no-such-port (VORLANDEX_COM2) (ausente)"));
  qputenv("VORLANDEX_COM2", "/dev/null");
  QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), ui.portList()->mapToGlobal(QPoint(1, 1)));
  QApplication::sendEvent(ui.portList(), &hover);
  EXPECT_EQ(ui.portList()->toolTip(), QStringLiteral("COM2: /dev/null (VORLANDEX_COM2)"));
}

std::size_t transfersOn(PtyLine& line) { return printer::decodeStream(line.take(), 1'000'000).transfers.size(); }

// Two pseudo-terminals behind a link in a test folder stand in for an adapter in
// /dev/serial/by-id that is pulled out and comes back behind another node.
TEST_F(SerialPorts, TheTipAndTheDialogFollowAnAdapterAndTheNextJobReachesItWhereverItCameBack) {
  const QString folder = root.filePath(QStringLiteral("by-id"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString link = folder + QStringLiteral("/usb-VORLANDEX_Impressora_0001-if00-port0");
  PtyLine first, second;
  qputenv("VORLANDEX_COM1", QFile::encodeName(link));
  watchDeviceFolders(ui.deviceWatch(), {.byId = folder});
  const QString tip = QStringLiteral("COM1: ") + link + QStringLiteral(" (VORLANDEX_COM1)");
  const auto tipIs = [&](const QString& text) {
    return ui.portList()->toolTip() == text && ui.portList()->accessibleDescription() == text;
  };
  EXPECT_TRUE(tipIs(tip + QStringLiteral(" (ausente)")));

  ASSERT_TRUE(QFile::link(first.devicePath(), link));
  EXPECT_TRUE(QTest::qWaitFor([&] { return tipIs(tip); }, 1000)) << ui.portList()->toolTip().toStdString();
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  EXPECT_EQ(transfersOn(first), 7u);

  QFile::remove(link);  // pulled out
  EXPECT_TRUE(QTest::qWaitFor([&] { return tipIs(tip + QStringLiteral(" (ausente)")); }, 1000));
  EXPECT_FALSE(ui.jobRunning());
  EXPECT_EQ(boxCount(), 0);

  // Plugged in again while "Portas seriais" is open.
  bool followed = false;
  QTimer opened;  // looks for the dialog once its own event loop runs
  opened.setInterval(10);
  QObject::connect(&opened, &QTimer::timeout, window, [&] {
    auto* d = window->findChild<SerialPortsDialog*>();
    if (!d || !d->isVisible()) return;
    opened.stop();
    const QString inUse = QStringLiteral("Em uso: ") + link;
    const auto shows = [&](bool present) {
      return d->currentLabel(1)->text().startsWith(inUse + (present ? QStringLiteral(" — ")
                                                                    : QStringLiteral(" (ausente)"))) &&
             (d->deviceBox(2)->findData(link) >= 0) == present;
    };
    EXPECT_TRUE(shows(false)) << d->currentLabel(1)->text().toStdString();
    QFile::link(second.devicePath(), link);
    followed = QTest::qWaitFor([&] { return shows(true); }, 1000);
    d->reject();
  });
  opened.start();
  click(ui.serialPortsButton());
  EXPECT_TRUE(followed) << "the dialog still shows the adapter absent";
  EXPECT_TRUE(QTest::qWaitFor([&] { return tipIs(tip); }, 1000));
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(first.count() + second.count(), 0u) << "a device that came back started a job";

  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  EXPECT_EQ(transfersOn(second), 7u);
  EXPECT_EQ(first.count(), 0u);
}

}  // namespace
}  // namespace vx::test
