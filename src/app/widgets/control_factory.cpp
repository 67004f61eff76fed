#include "app/widgets/control_factory.h"

#include "app/help/help_topics.h"

namespace vx {

ControlFactory::ControlFactory(QWidget* window) : window_(window), bold_(window->font()), title_(window->font()) {
  bold_.setBold(true);
  title_.setBold(true);
  title_.setPointSize(12);
}

QGroupBox* ControlFactory::frame(const char* name, const QString& caption, const QRect& geometry) {
  auto* g = new QGroupBox(caption, window_);
  g->setObjectName(QString::fromLatin1(name));
  g->setGeometry(geometry);
  markRegion(g);
  return g;
}

QLabel* ControlFactory::label(const char* name, const QString& caption, const QRect& geometry) {
  auto* l = new QLabel(caption, window_);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(geometry);
  markRegion(l);
  return l;
}

QPushButton* ControlFactory::button(const char* name, const QString& caption, QStyle::StandardPixmap icon,
                                    const QRect& geometry) {
  auto found = icons_.find(icon);
  if (found == icons_.end()) found = icons_.emplace(icon, window_->style()->standardIcon(icon)).first;
  auto* b = new QPushButton(found->second, caption, window_);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(geometry);
  b->setFocusPolicy(Qt::StrongFocus);
  markRegion(b);
  return b;
}

void ControlFactory::markRegion(QWidget* control) const {
  if (*region_) control->setProperty(kRegionProperty, QString::fromLatin1(region_));
}

}  // namespace vx
