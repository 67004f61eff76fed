// "Portas seriais" on Windows: the computer's COM ports with the names their drivers give, a
// typed name that must be a port, and the choice kept in the user's registry. Runs under Wine
// in a prefix whose COM1..COM4 are mapped (scripts/wine-lib.sh).

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include "app/dialogs/serial_ports_dialog.h"
#include "serial/port_choices.h"
#include "serial/serial_device_list.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

// A key of the test's own beside the operator's, removed before and after each test.
const QString kTestKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\VORLANDEX\\vorlandex-window-test");

class ComPorts : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (int n = 1; n <= kComPorts; ++n) qunsetenv(QByteArray("VORLANDEX_COM") + QByteArray::number(n));
    QSettings(kTestKey, QSettings::NativeFormat).clear();
    // Wine's device services publish the prefix's mapped ports shortly after its server starts.
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return !listSerialDevices().empty() && devicePresent(QStringLiteral("COM3")); }, 10000))
        << "the prefix has COM1..COM4";
  }
  void TearDown() override {
    QSettings(kTestKey, QSettings::NativeFormat).clear();
    WindowTest::TearDown();
  }
  std::unique_ptr<SerialPortsDialog> dialog() {
    return std::make_unique<SerialPortsDialog>(choices, *dialogs, window);
  }
  static QStringList items(QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
  }
  static QString registryValue(int n) {
    return QSettings(kTestKey, QSettings::NativeFormat)
        .value(QStringLiteral("SerialPorts/COM%1").arg(n))
        .toString();
  }

  PortChoices choices{kTestKey};
};

TEST_F(ComPorts, TheListOffersTheComputersPortsAndTheChoiceIsKeptInTheRegistry) {
  const std::vector<SerialDevice> ports = listSerialDevices();
  auto d = dialog();
  d->followDevices(ui.deviceWatch());  // as the window opens it
  EXPECT_EQ(d->deviceBox(2)->lineEdit()->text(), QStringLiteral("Padrão: COM2"));
  const QStringList shown = items(d->deviceBox(2));
  ASSERT_EQ(shown.size(), static_cast<qsizetype>(ports.size()) + 1);
  EXPECT_EQ(shown[0], QStringLiteral("Padrão: COM2"));  // mapped, hence not absent
  const int com3 = d->deviceBox(2)->findData(QStringLiteral("COM3"));
  ASSERT_GT(com3, 0) << shown.join(u'|').toStdString();
  EXPECT_TRUE(shown[com3].endsWith(QStringLiteral(" — COM3"))) << shown[com3].toStdString();

  d->deviceBox(2)->setCurrentIndex(com3);
  d->accept();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(registryValue(2), QStringLiteral("COM3"));
  EXPECT_EQ(resolveComPort(2, PortChoices(kTestKey)), (ComDevice{QStringLiteral("COM3"), ComSource::Stored}));
  EXPECT_TRUE(registryValue(1).isEmpty());  // untouched rows store nothing
  EXPECT_EQ(d->currentLabel(2)->text(), QStringLiteral("Em uso: COM3"));

  // Back to the standard port: the value goes.
  d->deviceBox(2)->setCurrentIndex(0);
  d->accept();
  EXPECT_TRUE(registryValue(2).isEmpty());
  EXPECT_EQ(resolveComPort(2, PortChoices(kTestKey)).source, ComSource::Default);
}

TEST_F(ComPorts, ATypedNameMustBeAPortAndAnAbsentOneIsKeptAsAbsent) {
  auto d = dialog();
  QLineEdit* field = d->deviceBox(1)->lineEdit();
  for (const QString& bad :
       {QStringLiteral("NUL"), QStringLiteral("C:\\vorlandex\\COM1"), QStringLiteral("COM 1")}) {
    SCOPED_TRACE(bad.toStdString());
    dialogs->boxes.clear();
    field->setText(bad);
    d->accept();
    EXPECT_NE(d->result(), QDialog::Accepted);
    ASSERT_EQ(boxCount(), 1);
    EXPECT_EQ(dialogs->boxes[0].text,
              QStringLiteral("COM1: \"%1\" não é um dispositivo serial. Escolha um "
                             "dispositivo da lista ou digite o caminho completo de um "
                             "dispositivo.")
                  .arg(bad));
    EXPECT_TRUE(registryValue(1).isEmpty());
  }
  dialogs->boxes.clear();
  field->setText(QStringLiteral("COM37"));  // an adapter plugged in later
  d->accept();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(registryValue(1), QStringLiteral("COM37"));
  EXPECT_EQ(d->currentLabel(1)->text(), QStringLiteral("Em uso: COM37 (ausente)"));
}

TEST_F(ComPorts, ThePortListsTipNamesThePortAndTheVariableThatSetIt) {
  choose(ui.portList(), 2);
  EXPECT_EQ(ui.portList()->toolTip(), QStringLiteral("COM3: COM3"));
  qputenv("VORLANDEX_COM3", "VXNOSUCHPORT");
  choose(ui.portList(), 1);
  choose(ui.portList(), 2);
  EXPECT_EQ(ui.portList()->toolTip(), QStringLiteral("COM3: VXNOSUCHPORT (VORLANDEX_COM3) (ausente)"));
}

}  // namespace
}  // namespace vx::test
