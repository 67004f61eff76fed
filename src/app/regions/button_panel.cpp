#include "app/regions/button_panel.h"

#include "app/widgets/pictures.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

namespace vx {
namespace {

// Buttons 1 and 2 form the left column, 3 and 4 the right; 1 and 3 the top row.
int columnOf(int button) { return (button - 1) / 2; }
int rowOf(int button) { return (button - 1) % 2; }
int buttonAt(int column, int row) { return column * 2 + row + 1; }

}  // namespace

ButtonPanel::ButtonPanel(QWidget* parent) : Image(parent) { setFocusPolicy(Qt::StrongFocus); }

QString ButtonPanel::buttonName(int button) {
  return QCoreApplication::translate("ButtonPanel", "Botão %1").arg(button);
}

void ButtonPanel::moveKeyboardButton(int button) {
  if (button == keyboardButton_) return;
  keyboardButton_ = button;
  showFrame();
  // A screen reader follows the frame as it follows the focus.
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(button - 1);
    QAccessible::updateAccessibility(&event);
  }
}

void ButtonPanel::focusInEvent(QFocusEvent* event) {
  if (currentButton) keyboardButton_ = currentButton();
  Image::focusInEvent(event);
  showFrame();
}

void ButtonPanel::focusOutEvent(QFocusEvent* event) {
  Image::focusOutEvent(event);
  showFrame();
}

void ButtonPanel::showFrame() {
  for (int b = 1; b <= 4; ++b) {
    if (Image* picture = pressed_[static_cast<std::size_t>(b - 1)]) picture->setFocusFrame(hasFocus() && b == keyboardButton_);
  }
  update();
}

void ButtonPanel::keyPressEvent(QKeyEvent* event) {
  const int column = columnOf(keyboardButton_);
  const int row = rowOf(keyboardButton_);
  switch (event->key()) {
    case Qt::Key_Left:
      moveKeyboardButton(buttonAt(0, row));
      break;
    case Qt::Key_Right:
      moveKeyboardButton(buttonAt(1, row));
      break;
    case Qt::Key_Up:
      moveKeyboardButton(buttonAt(column, 0));
      break;
    case Qt::Key_Down:
      moveKeyboardButton(buttonAt(column, 1));
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (onChoose) {
        const int button = keyboardButton_;
        runHandler([&] { onChoose(button); });
      }
      break;
    default:
      Image::keyPressEvent(event);
      return;
  }
  event->accept();
}

void ButtonPanel::paintEvent(QPaintEvent* event) {
  Image::paintEvent(event);
  if (!hasFocus()) return;
  // Where the framed button's pressed picture lies on top, that picture draws the frame.
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
  painter.drawRect(pressedButtonRect(keyboardButton_).adjusted(2, 2, -2, -2));
}

}  // namespace vx
