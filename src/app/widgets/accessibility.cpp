#include "app/widgets/accessibility.h"

#include "app/regions/button_panel.h"
#include "app/widgets/pictures.h"
#include "app/widgets/progress_bar.h"

#include <QAccessibleWidget>

#include <array>

namespace vx {
namespace {

class ImageAccessible : public QAccessibleWidget {
 public:
  explicit ImageAccessible(Image* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

  QString text(QAccessible::Text t) const override {
    auto* image = static_cast<Image*>(widget());
    if (t == QAccessible::Description && image->describe) return image->describe();
    return QAccessibleWidget::text(t);
  }
};

class ButtonPanelAccessible;

// One of the four buttons of the picture: a button that can be chosen, checked while it is
// the button shown.
class PanelButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PanelButtonAccessible(ButtonPanelAccessible* parent, int button) : parent_(parent), button_(button) {}

  ButtonPanel* panel() const;
  bool isValid() const override { return panel() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? ButtonPanel::buttonName(button_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    ButtonPanel* p = panel();
    if (!p) return {};
    const QRect r = pressedButtonRect(button_);
    return QRect(p->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::RadioButton; }
  QAccessible::State state() const override {
    QAccessible::State s;
    ButtonPanel* p = panel();
    if (!p) return s;
    s.invisible = !p->isVisible();
    s.disabled = !p->isEnabled();
    s.focusable = true;
    s.focused = p->hasFocus() && p->keyboardButton() == button_;
    s.checkable = true;
    s.checked = p->currentButton && p->currentButton() == button_;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    ButtonPanel* p = panel();
    if (p && name == pressAction() && p->onChoose) {
      const int b = button_;
      runHandler([&] { p->onChoose(b); });
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  ButtonPanelAccessible* parent_;
  int button_;
};

class ButtonPanelAccessible : public QAccessibleWidget {
 public:
  explicit ButtonPanelAccessible(ButtonPanel* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {
    for (int b = 1; b <= 4; ++b) {
      auto* button = new PanelButtonAccessible(this, b);
      ids_[static_cast<std::size_t>(b - 1)] = QAccessible::registerAccessibleInterface(button);
    }
  }
  ~ButtonPanelAccessible() override {
    for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
  }

  ButtonPanel* panel() const { return static_cast<ButtonPanel*>(widget()); }
  int childCount() const override { return 4; }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= 4) return nullptr;
    return QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < 4; ++i)
      if (QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(i)]) == child) return i;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < 4; ++i)
      if (child(i)->rect().contains(x, y)) return child(i);
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return panel()->hasFocus() ? child(panel()->keyboardButton() - 1) : nullptr;
  }

 private:
  std::array<QAccessible::Id, 4> ids_{};
};

ButtonPanel* PanelButtonAccessible::panel() const { return parent_->isValid() ? parent_->panel() : nullptr; }
QWindow* PanelButtonAccessible::window() const { return parent_->window(); }
QAccessibleInterface* PanelButtonAccessible::parent() const { return parent_; }

class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ProgressBarAccessible(ProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
  ProgressBar* bar() const { return static_cast<ProgressBar*>(widget()); }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QVariant currentValue() const override { return bar()->value(); }
  void setCurrentValue(const QVariant&) override {}  // only the jobs move it
  QVariant maximumValue() const override { return bar()->maximum(); }
  QVariant minimumValue() const override { return bar()->minimum(); }
  QVariant minimumStepSize() const override { return 1; }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
  }
};

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
  if (className == QLatin1String("vx::ButtonPanel")) return new ButtonPanelAccessible(static_cast<ButtonPanel*>(object));
  if (className == QLatin1String("vx::Image")) return new ImageAccessible(static_cast<Image*>(object));
  if (className == QLatin1String("vx::ProgressBar")) return new ProgressBarAccessible(static_cast<ProgressBar*>(object));
  return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(makeInterface);
}

}  // namespace vx
