// The configurator: the main window (which makes the progress dialog), then the event loop.

#include "app/error_report.h"
#include "app/pictures.h"
#include "app/tform1.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QString::fromLatin1(vx::kWindowIconResource)));

  vx::TForm1 form1;
  form1.installErrorReport(QString::fromLocal8Bit(argv[0]));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    form1.move(screen->availableGeometry().center() - form1.rect().center());
  form1.show();
  return QApplication::exec();
}
