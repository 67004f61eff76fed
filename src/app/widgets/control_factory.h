#pragma once
// Makes the main window's controls at their fixed places, with their object names and the
// name of the region they belong to (help finds a control's section through either),
// in the window's fonts; standard button pictures are made once and shared. Used only while
// the window builds its regions, on the window's thread.

#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QStyle>

#include <map>

namespace vx {

class ControlFactory {
 public:
  explicit ControlFactory(QWidget* window);

  // The region the controls made from now on belong to ("textSettingsGroup"): the name of its
  // frame, or "commandRow".
  void setRegion(const char* name) { region_ = name; }

  const QFont& bold() const { return bold_; }  // titles of frames and of the text
  const QFont& title() const { return title_; }  // the large titles of the button page

  QGroupBox* frame(const char* name, const QString& caption, const QRect& geometry);
  QLabel* label(const char* name, const QString& caption, const QRect& geometry);
  QPushButton* button(const char* name, const QString& caption, QStyle::StandardPixmap icon,
                      const QRect& geometry);
  // Any other control: made with the window as parent (and `args`), named and placed.
  template <typename T, typename... Args>
  T* make(const QString& name, const QRect& geometry, Args&&... args) {
    T* control = new T(std::forward<Args>(args)..., window_);
    control->setObjectName(name);
    control->setGeometry(geometry);
    markRegion(control);
    return control;
  }

 private:
  void markRegion(QWidget* control) const;

  QWidget* window_;
  QFont bold_;
  QFont title_;
  std::map<QStyle::StandardPixmap, QIcon> icons_;
  const char* region_ = "";
};

}  // namespace vx
