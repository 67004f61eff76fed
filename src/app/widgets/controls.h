#pragma once
// The window's controls with the change notifications its handlers are written for.
// This is the one place where they differ from Qt's own signals:
// - an edit's text, a spin edit's value, a check box's tick and a scroll bar's position
//   run their handler whenever they really change, by the operator or by the program;
// - a combo box item or a tab selected by the program runs nothing; the operator's
//   selection (and typing in an editable combo box) does;
// - a radio button runs its handler when it becomes checked; the program may leave both
//   radio buttons of a group unchecked, as a configuration file can ask;
// - a spin edit's limits never change its value: a typed value is brought into range only
//   when the field loses the keyboard focus, and the program may set any value;
// - an edit's length limit counts the characters the operator types or pastes and refuses
//   characters the printer's code page cannot print, naming them in a short hint beside the
//   field; the program may set any text.
// Every handler runs through runHandler, which reports what the outermost handler throws.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>
#include <QImage>
#include <QPixmap>

#include <exception>
#include <functional>
#include <vector>

namespace vx {

using Handler = std::function<void()>;

// Runs `handler` (if set). The outermost running handler catches anything thrown and
// passes it to the error reporter; a nested one lets it travel to the outermost, so a
// failure ends the whole operator action, as an uncaught error would.
void runHandler(const Handler& handler);
// Whether the handler running now is the outermost one: the operator's own action rather
// than one the program's changes to controls set off.
bool isOutermostHandler();
void setErrorReporter(std::function<void(const std::exception&)> reporter);
// Reports `e` through the error reporter (the general error report of the program).
void reportError(const std::exception& e);
// Processes pending events from inside a running handler (a job's message pump). The
// handlers those events run (timers, repaints) are outermost ones: what they throw is
// reported there and never travels through the event loop into the running handler.
void processEventsInHandler();

class LineEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit LineEdit(QWidget* parent = nullptr);
  Handler onChange;
  // Characters the operator may type; 0 means no limit. Never cuts the current text.
  void setLimit(int characters);
  int limit() const { return limit_; }
  // The hint shown below the field for a few seconds when typed or pasted text was refused
  // for characters the printer cannot print ("Caractere não suportado pela impressora: 漢");
  // null until the first such refusal. It takes no focus and blocks nothing.
  const QLabel* refusalHint() const { return hint_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void showRefusal();

  int limit_ = 0;
  QString refused_;  // the characters the last refused input could not have, in order
  QLabel* hint_ = nullptr;
  QTimer* hintTimer_ = nullptr;
};

class SpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  explicit SpinEdit(QWidget* parent = nullptr);
  Handler onChange;
  void setMinValue(int v) { min_ = v; }
  void setMaxValue(int v) { max_ = v; }
  int maxValue() const { return max_; }
  void stepBy(int steps) override;

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int min_ = 0;
  int max_ = 100;
};

class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(const QString& caption, QWidget* parent = nullptr);
  Handler onClick;
};

class RadioButton : public QRadioButton {
  Q_OBJECT
 public:
  explicit RadioButton(const QString& caption, QWidget* parent = nullptr);
  Handler onClick;
  // The buttons that are unchecked when this one becomes checked.
  void setGroup(std::vector<RadioButton*> group) { group_ = std::move(group); }

 protected:
  void nextCheckState() override;

 private:
  std::vector<RadioButton*> group_;
};

class ComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit ComboBox(bool editable, QWidget* parent = nullptr);
  Handler onChange;
  // The selected item, or -1 when the operator's typing left no item selected.
  int itemIndex() const;
  // Selects an item by program (-1 selects none); runs no handler.
  void setItemIndex(int index);
  // The text of the edit field (editable) or of the selected item.
  QString text() const { return currentText(); }

 private:
  bool edited_ = false;
};

// Takes the keyboard focus (by Tab and by click) and shows it with a frame: the arrow keys
// move it as a click on an arrow does, Page Up and Page Down as a click in the track.
class ScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  explicit ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);
  Handler onChange;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class TabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit TabBar(QWidget* parent = nullptr);
  Handler onChange;
  // Selects a tab by program; runs no handler.
  void setTabIndex(int index);

 private:
  bool programmatic_ = false;
};

// A picture stretched to the control's size with nearest-neighbour sampling (dots stay
// sharp), that can be pressed.
class Image : public QWidget {
  Q_OBJECT
 public:
  explicit Image(QWidget* parent = nullptr);
  Handler onClick;
  std::function<void(int x, int y)> onMouseDown;
  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }
  // Stretched (the default) or shown unscaled from its top-left corner and clipped.
  void setStretch(bool stretch) { stretch_ = stretch; }
  // What a screen reader reads for the picture (its accessible description); when unset,
  // the widget's accessibleDescription.
  std::function<QString()> describe;
  // Draws the keyboard focus frame inside the picture (for a picture that stands for a
  // control, such as a button of the printer's button picture).
  void setFocusFrame(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  QPixmap scaled_;  // the picture at the widget's size, made at the first paint after a change
  bool stretch_ = true;
  bool pressed_ = false;
  bool focusFrame_ = false;
};

}  // namespace vx
