#include "window_driver.h"

namespace vx::test {

QObject* WindowDriver::find(QObject& root, const QString& name, bool ownOnly) {
  const auto insideProgressDialog = [&root](const QObject* o) {
    for (const QObject* p = o->parent(); p != nullptr && p != &root; p = p->parent())
      if (dynamic_cast<const TForm2*>(p) != nullptr) return true;
    return false;
  };
  QObject* found = nullptr;
  for (QObject* o : root.findChildren<QObject*>(name)) {
    if (ownOnly && (dynamic_cast<TForm2*>(o) != nullptr || insideProgressDialog(o))) continue;
    if (found != nullptr) throw std::logic_error("the window has two controls called " + name.toStdString());
    found = o;
  }
  if (found == nullptr) throw std::logic_error("the window has no control called " + name.toStdString());
  return found;
}

}  // namespace vx::test
