#include "app/regions/logo_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "app/widgets/controls.h"

namespace vx {

DroppedPicture droppedPicture(const QMimeData& mime) {
  const QList<QUrl> urls = mime.urls();
  if (urls.isEmpty()) {
    return {{}, LogoDropTarget::tr("O que foi solto não é um arquivo. Solte um arquivo de imagem sobre o logotipo.")};
  }
  if (urls.size() > 1) {
    return {{},
            LogoDropTarget::tr("Foram soltos %1 itens. Solte um único arquivo de imagem sobre o logotipo.")
                .arg(urls.size())};
  }
  const QUrl& url = urls.constFirst();
  if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
    return {{},
            LogoDropTarget::tr("\"%1\" não é um arquivo deste computador. Salve a imagem num arquivo e "
                               "solte o arquivo sobre o logotipo.")
                .arg(url.toDisplayString().left(200))};
  }
  return {url.toLocalFile(), {}};
}

void LogoDropTarget::watch(QWidget* widget) {
  widget->setAcceptDrops(true);
  widget->installEventFilter(this);
}

bool LogoDropTarget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      // Everything is taken, so that a drop that cannot be used is explained rather than
      // silently bounced back.
      static_cast<QDropEvent*>(event)->acceptProposedAction();
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      drop->acceptProposedAction();
      const QMimeData nothing;
      const DroppedPicture dropped = droppedPicture(drop->mimeData() ? *drop->mimeData() : nothing);
      // Handled once the drop is over: a message box opened inside it would keep the program
      // the file came from waiting until the operator closes the box.
      QMetaObject::invokeMethod(
          this,
          [this, dropped] {
            if (!dropped.path.isEmpty()) {
              if (onFile) runHandler([&] { onFile(dropped.path); });
            } else if (onRefused) {
              runHandler([&] { onRefused(dropped.refusal); });
            }
          },
          Qt::QueuedConnection);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace vx
