#include "app/widgets/progress_bar.h"

#include <QAccessible>
#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace vx {

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {}

void ProgressBar::setMinimum(int v) {
  min_ = v;
  update();
}

void ProgressBar::setMaximum(int v) {
  max_ = v;
  update();
}

void ProgressBar::setValue(int v) {
  if (v == value_) return;
  value_ = v;
  update();
  // Announced to a screen reader as it moves; nothing is made while none listens (a job
  // moves the bar once per byte).
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, v);
    QAccessible::updateAccessibility(&event);
  }
}

void ProgressBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionProgressBar option;
  option.initFrom(this);
  option.minimum = min_;
  option.maximum = std::max(min_, max_);
  option.progress = std::clamp(value_, min_, std::max(min_, max_));
  option.textVisible = false;
  option.state |= QStyle::State_Horizontal;
  painter.drawControl(QStyle::CE_ProgressBar, option);
}

}  // namespace vx
