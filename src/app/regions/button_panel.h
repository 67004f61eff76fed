#pragma once
// The picture of the printer's four buttons, usable from the keyboard: it takes the
// focus, the arrow keys move a focus frame between the four buttons (two columns, two rows)
// and Enter or Space chooses the framed button through onChoose, which the window runs as a
// click on that button. The mouse works as on any Image (onMouseDown, onClick).

#include "app/widgets/controls.h"

#include <array>

namespace vx {

class ButtonPanel : public Image {
  Q_OBJECT
 public:
  explicit ButtonPanel(QWidget* parent = nullptr);

  std::function<void(int button)> onChoose;
  // The button shown now (1..4); the frame starts on it when the panel takes the focus.
  std::function<int()> currentButton;

  // The pictures of the pressed buttons 1..4 laid over this one; the frame is drawn on the
  // framed button's picture (the one on top there).
  void setPressedPictures(std::array<Image*, 4> pictures) { pressed_ = pictures; }

  // The button the focus frame is on, 1..4.
  int keyboardButton() const { return keyboardButton_; }
  // The name a screen reader reads for button 1..4 ("Botão 1").
  static QString buttonName(int button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void moveKeyboardButton(int button);
  void showFrame();

  int keyboardButton_ = 1;
  std::array<Image*, 4> pressed_{};
};

}  // namespace vx
