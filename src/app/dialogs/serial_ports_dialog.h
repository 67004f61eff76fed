#pragma once
// "Portas seriais": for each of COM1..COM4 the device it opens now, and a choice among the serial
// devices found on this computer (or any path typed in), stored per user for the next openPort.
// A port set by $VORLANDEX_COMn shows that the variable wins and cannot be changed here. A stored
// device that is unplugged stays chosen and is shown as absent. Following a device watch, the
// list and the devices in use follow adapters plugged in and pulled out while it is open.

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "serial/port_choices.h"
#include "serial/serial_device_list.h"

class QComboBox;
class QLabel;

namespace vx {

class Dialogs;
class SerialDeviceWatch;

class SerialPortsDialog : public QDialog {
  Q_OBJECT
 public:
  using DeviceLister = std::function<std::vector<SerialDevice>()>;
  using PresenceCheck = std::function<bool(const QString& path)>;
  // `listDevices` lists the devices offered and `isPresent` says whether a path is there now:
  // this computer's unless given (a test's or the handbook's made-up computer). Refusals are
  // shown through `dialogs`.
  SerialPortsDialog(PortChoices& choices, Dialogs& dialogs, QWidget* parent = nullptr,
                    DeviceLister listDevices = {}, PresenceCheck isPresent = {});

  // The choice of COMn (1..4): its list with an editable path, and what it opens now.
  QComboBox* deviceBox(int n) const { return rows_[n - 1].box; }
  QLabel* currentLabel(int n) const { return rows_[n - 1].current; }
  // The path chosen for COMn: the device of the chosen item, or the typed text; empty for the
  // standard device.
  QString chosenPath(int n) const;

  // Lists the devices again, keeping each row's choice.
  void refresh();
  // Lists the devices where `watch` looks for them, and again whenever it sees them change.
  // `watch` outlives the dialog.
  void followDevices(const SerialDeviceWatch& watch);
  // Stores every row's choice. A typed path that is not absolute, or that exists and is not a
  // character device, is refused with a message and nothing is stored; an absent one is kept
  // (an adapter to be plugged in later).
  bool apply();
  void accept() override;

 private:
  struct Row {
    QComboBox* box = nullptr;
    QLabel* current = nullptr;
  };
  bool typedIn(int n) const;
  void fillRow(int n, const QString& keep);
  void showCurrent(int n);
  // " (ausente)" when `path` is not there now.
  QString absentMark(const QString& path) const;

  PortChoices& choices_;
  Dialogs& dialogs_;
  DeviceLister listDevices_;
  PresenceCheck isPresent_;
  std::array<Row, kComPorts> rows_{};
};

// What the port list's tool tip says of COMn: "COM1: /dev/ttyS0", with the variable that set it or
// "(ausente)" when the device is not there.
QString comPortToolTip(int n, const PortChoices& choices);

// Keeps `combo`'s tool tip, and its accessible description, naming the device of the port
// `port()` gives (1..4), looked up again whenever the tip is about to show.
void installPortToolTip(QComboBox* combo, std::function<int()> port);
// Looks the device up again now (the choices changed, or a device came or went).
void refreshPortToolTip(QComboBox* combo);

}  // namespace vx
