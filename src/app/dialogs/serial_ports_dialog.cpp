#include "app/dialogs/serial_ports_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialogs.h"
#include "app/help/help_window.h"
#include "model/shown_path.h"
#include "serial/serial_device_watch.h"

namespace vx {
namespace {

QString title() { return SerialPortsDialog::tr("Portas seriais"); }
QString toolTipName() { return QStringLiteral("portToolTip"); }

QString absentMarkOf(bool present) { return present ? QString() : SerialPortsDialog::tr(" (ausente)"); }

}  // namespace

QString comPortToolTip(int n, const PortChoices& choices) {
  const ComDevice device = resolveComPort(n, choices);
  QString text = QStringLiteral("COM%1: %2").arg(n).arg(device.path);
  if (device.source == ComSource::Environment) text += QStringLiteral(" (VORLANDEX_COM%1)").arg(n);
  return text + absentMarkOf(devicePresent(device.path));
}

namespace {

class PortToolTip : public QObject {
 public:
  PortToolTip(QComboBox* combo, std::function<int()> port)
      : QObject(combo), combo_(combo), port_(std::move(port)) {
    setObjectName(toolTipName());
    update();
  }
  void update() {
    const int n = port_();
    const QString text = n >= 1 && n <= kComPorts ? comPortToolTip(n, PortChoices()) : QString();
    combo_->setToolTip(text);
    // What a screen reader says of the list beyond its name: the same as the tip.
    combo_->setAccessibleDescription(text);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == combo_ && event->type() == QEvent::ToolTip) update();
    return false;
  }

 private:
  QComboBox* combo_;
  std::function<int()> port_;
};

}  // namespace

void installPortToolTip(QComboBox* combo, std::function<int()> port) {
  auto* tip = new PortToolTip(combo, std::move(port));
  combo->installEventFilter(tip);
  QObject::connect(combo, &QComboBox::currentIndexChanged, tip, [tip] { tip->update(); });
}

void refreshPortToolTip(QComboBox* combo) {
  if (auto* tip =
          static_cast<PortToolTip*>(combo->findChild<QObject*>(toolTipName(), Qt::FindDirectChildrenOnly)))
    tip->update();
}

SerialPortsDialog::SerialPortsDialog(PortChoices& choices, Dialogs& dialogs, QWidget* parent,
                                     DeviceLister listDevices, PresenceCheck isPresent)
    : QDialog(parent),
      choices_(choices),
      dialogs_(dialogs),
      listDevices_(listDevices ? std::move(listDevices) : [] { return listSerialDevices(); }),
      isPresent_(isPresent ? std::move(isPresent) : [](const QString& path) { return devicePresent(path); }) {
  setObjectName(QStringLiteral("SerialPortsDialog"));
  setWindowTitle(title());
  // Holds only the main window: the handbook, which F1 opens here, stays usable.
  setWindowModality(Qt::WindowModal);
  installHelpKey(this);
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      tr("Escolha o dispositivo de cada porta. A escolha vale para este usuário e é usada "
                     "na próxima comunicação com a impressora."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* grid = new QGridLayout;
  for (int n = 1; n <= kComPorts; ++n) {
    Row& row = rows_[n - 1];
    auto* name = new QLabel(QStringLiteral("COM%1").arg(n), this);
    row.box = new QComboBox(this);
    row.box->setObjectName(QStringLiteral("deviceBox%1").arg(n));
    row.box->setEditable(true);
    row.box->setInsertPolicy(QComboBox::NoInsert);
    row.box->setMinimumWidth(460);
    row.box->lineEdit()->setPlaceholderText(tr("Caminho do dispositivo"));
    row.current = new QLabel(this);
    row.current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    name->setBuddy(row.box);
    grid->addWidget(name, 2 * (n - 1), 0);
    grid->addWidget(row.box, 2 * (n - 1), 1);
    grid->addWidget(row.current, 2 * (n - 1) + 1, 1);
  }
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* again = buttons->addButton(tr("Atualizar lista"), QDialogButtonBox::ActionRole);
  connect(again, &QPushButton::clicked, this, &SerialPortsDialog::refresh);
  connect(buttons, &QDialogButtonBox::accepted, this, &SerialPortsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SerialPortsDialog::reject);
  layout->addWidget(buttons);

  for (int n = 1; n <= kComPorts; ++n) fillRow(n, choices_.stored(n));
}

QString SerialPortsDialog::absentMark(const QString& path) const { return absentMarkOf(isPresent_(path)); }

void SerialPortsDialog::fillRow(int n, const QString& keep) {
  QComboBox* box = rows_[n - 1].box;
  const QString standard = defaultComDevice(n);
  box->clear();
  box->addItem(tr("Padrão: %1%2").arg(standard, absentMark(standard)), QString());
  for (const SerialDevice& device : listDevices_())
    box->addItem(QStringLiteral("%1 — %2").arg(device.description, device.path), device.path);
  int index = keep.isEmpty() ? 0 : box->findData(keep);
  if (index < 0) {
    // A choice the list does not hold (an unplugged adapter, a pseudo-terminal) stays chosen
    // and says whether it is there; it is never swapped for another device.
    box->addItem(keep + absentMark(keep), keep);
    index = box->count() - 1;
  }
  box->setCurrentIndex(index);
  // A long path would show only its end: the description comes first.
  box->lineEdit()->setCursorPosition(0);
  showCurrent(n);
}

bool SerialPortsDialog::typedIn(int n) const {
  const QComboBox* box = rows_[n - 1].box;
  const int index = box->currentIndex();
  return index < 0 || box->currentText() != box->itemText(index);
}

QString SerialPortsDialog::chosenPath(int n) const {
  const QComboBox* box = rows_[n - 1].box;
  return typedIn(n) ? box->currentText().trimmed() : box->itemData(box->currentIndex()).toString();
}

void SerialPortsDialog::showCurrent(int n) {
  const ComDevice device = resolveComPort(n, choices_);
  Row& row = rows_[n - 1];
  QString text = tr("Em uso: %1%2").arg(device.path, absentMark(device.path));
  const bool fromEnvironment = device.source == ComSource::Environment;
  if (fromEnvironment)
    text +=
        tr(" — definido pela variável de ambiente VORLANDEX_COM%1, que prevalece sobre a escolha")
            .arg(n);
  row.current->setText(text);
  row.box->setEnabled(!fromEnvironment);
}

void SerialPortsDialog::refresh() {
  for (int n = 1; n <= kComPorts; ++n) {
    // A path typed in stays typed in, so that OK still checks it.
    const bool typed = typedIn(n);
    const QString path = chosenPath(n);
    fillRow(n, typed ? QString() : path);
    if (typed) rows_[n - 1].box->setEditText(path);
  }
}

void SerialPortsDialog::followDevices(const SerialDeviceWatch& watch) {
  listDevices_ = [&watch] { return watch.listDevices(); };
  refresh();
  connect(&watch, &SerialDeviceWatch::changed, this, &SerialPortsDialog::refresh);
}

bool SerialPortsDialog::apply() {
  for (int n = 1; n <= kComPorts; ++n) {
    if (!rows_[n - 1].box->isEnabled()) continue;
    // What the list offers was found as a device; what is typed in is checked here (and, as
    // every device, again when a job opens it).
    const QString path = chosenPath(n);
    if (path.isEmpty() || !typedIn(n)) continue;
    if (!isAcceptableDevicePath(path) || existsButIsNoSerialDevice(path)) {
      dialogs_.messageBox(title(),
                          tr("COM%1: %2 não é um dispositivo serial. Escolha um dispositivo da "
                             "lista ou digite o caminho completo de um dispositivo.")
                              .arg(n)
                              .arg(shownPath(path)),
                          MessageIcon::Warning, MessageButtons::Ok);
      rows_[n - 1].box->setFocus();
      return false;
    }
  }
  for (int n = 1; n <= kComPorts; ++n) {
    if (!rows_[n - 1].box->isEnabled()) continue;
    const QString path = chosenPath(n);
    if (choices_.stored(n) == path) continue;
    if (!choices_.store(n, path)) {
      dialogs_.messageBox(
          title(), tr("Não foi possível gravar as escolhas em %1.").arg(shownPath(choices_.settingsFile())),
          MessageIcon::Warning, MessageButtons::Ok);
      return false;
    }
  }
  for (int n = 1; n <= kComPorts; ++n) showCurrent(n);
  return true;
}

void SerialPortsDialog::accept() {
  if (apply()) QDialog::accept();
}

}  // namespace vx
