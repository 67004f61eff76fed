#pragma once
// The operator's edits of the recovery tests, made the same way in the test's own window and in
// the window process it kills (recovery_window_child.cpp): a line switched on and typed in, the
// beep switched off, another button's letter, and a picture opened as the logo.

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QTest>

#include "window_driver.h"

namespace vx::test {

inline void makeRecoveryEdits(const WindowDriver& ui, const QString& picture) {
  ui.lineEnabled(2)->setChecked(true);
  for (QChar c : QStringLiteral(" Sala 3 ção")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(ui.lineText(2), &press);
  }
  ui.beepBox()->setChecked(false);
  QTest::mouseClick(ui.buttonTabs(), Qt::LeftButton, {}, ui.buttonTabs()->tabRect(2).center());
  ui.letterList()->setCurrentIndex(4);  // "E"
  emit ui.letterList()->activated(4);
  ui.openPictureFile(picture);
}

}  // namespace vx::test
