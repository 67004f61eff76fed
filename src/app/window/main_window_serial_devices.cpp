// The serial devices behind the port list: its tip follows them as adapters come and go, and
// "Portas seriais" chooses the device of each COMn. Nothing here opens a port: a device that
// appears or vanishes only changes what the window shows; the next job opens whatever its
// COMn resolves to then.

#include "app/dialogs/serial_ports_dialog.h"
#include "app/window/main_window.h"
#include "serial/serial_device_watch.h"

namespace vx {

void MainWindow::watchDevices() {
  deviceWatch = new SerialDeviceWatch({}, this);
  connect(deviceWatch, &SerialDeviceWatch::changed, this, [this] { refreshPortToolTip(portList); });
}

void MainWindow::chooseSerialDevices() {
  PortChoices choices;
  SerialPortsDialog dialog(choices, dialogs(), this);
  dialog.followDevices(*deviceWatch);
  dialog.exec();
  // A stored choice is no file-system change: look again at once.
  deviceWatch->recheck();
  refreshPortToolTip(portList);
}

}  // namespace vx
