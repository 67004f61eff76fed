#include "window_driver.h"

#include "serial/serial_link.h"

namespace vx::test {

ComPort WindowDriver::jobsPort() const { return w_->serialPort->port(); }

QObject* WindowDriver::find(QObject& root, const QString& name) {
  const QList<QObject*> found = root.findChildren<QObject*>(name);
  if (found.size() > 1) throw std::logic_error("the window has two controls called " + name.toStdString());
  if (found.isEmpty()) throw std::logic_error("the window has no control called " + name.toStdString());
  return found.constFirst();
}

}  // namespace vx::test
