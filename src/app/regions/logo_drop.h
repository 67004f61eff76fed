#pragma once
// Dropping a picture file on the logo: the widgets of the logo frame accept any drag, and a
// drop hands over either the one local file it carries or the reason it is refused (several
// items, an address of another machine, something that is no file). Whether the file is a
// usable picture is for the picture loader to say. Window thread only.

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace vx {

// What a drop means for the logo: the path of the one local file it carries, or, when it
// carries anything else, the operator's text saying why it is refused.
struct DroppedPicture {
  QString path;
  QString refusal;
};
DroppedPicture droppedPicture(const QMimeData& mime);

class LogoDropTarget : public QObject {
  Q_OBJECT
 public:
  explicit LogoDropTarget(QObject* parent = nullptr) : QObject(parent) {}
  // Lets `widget` take drops, handled here.
  void watch(QWidget* widget);
  // Run as handlers (runHandler) when something is dropped.
  std::function<void(const QString& path)> onFile;
  std::function<void(const QString& reason)> onRefused;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vx
