// The configurator: the main window (which makes the progress dialog), the offer of work a
// killed run left, then the event loop. A configuration file given on the command line is
// opened once the window is up and that offer answered, before the operator can act.

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QProcess>
#include <QScreen>
#include <cstdio>

#include "app/command_line.h"
#include "app/dialogs/error_report.h"
#include "app/help/help_topics.h"
#include "app/help/help_window.h"
#include "app/translations.h"
#include "app/widgets/pictures.h"
#include "app/window/main_window.h"
#include "config/recovery_slot.h"
#include "serial/trace.h"

namespace {

// The desktop's language unless --lang names one; before any text is made.
void useOperatorsLanguage(int argc, char* argv[]) {
  vx::installTranslations(
      vx::chooseLanguage(vx::languageArgument(argc, argv), QLocale::system().uiLanguages()));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (vx::asksForHelpOrVersion(argc, argv)) {
    // Answered without a window system: these work from a terminal with no display.
    QCoreApplication core(argc, argv);
    useOperatorsLanguage(argc, argv);
    vx::processCommandLine(core);
    return 0;
  }
  QApplication app(argc, argv);
  useOperatorsLanguage(argc, argv);
  const vx::CommandLine commandLine = vx::processCommandLine(app);
  // A technician's serial trace (VORLANDEX_TRACE=FILE); a file that cannot be opened is said here
  // and the program runs on without it.
  if (const std::string problem = vx::startTraceFromEnvironment(); !problem.empty())
    std::fprintf(stderr, "vorlandex: %s\n", problem.c_str());
  QApplication::setWindowIcon(QIcon(QString::fromLatin1(vx::kWindowIconResource)));
  QGuiApplication::setDesktopFileName(QStringLiteral("com.vorlandex.Configurator"));
  if (commandLine.handbook) {
    // The handbook alone: its window is the program's, and closing it ends the program.
    vx::HelpWindow::open(QString::fromLatin1(vx::kContentsTopic))->setAttribute(Qt::WA_QuitOnClose, true);
    const int status = QApplication::exec();
    vx::HelpWindow::discard();
    return status;
  }

  vx::MainWindow window;
  window.installErrorReport(QString::fromLocal8Bit(argv[0]));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
  window.show();
  // What a run that ended without closing its window left is offered first. A file the file
  // manager passed waits for the answer; when recovered work takes this window, the file
  // opens in a window of its own.
  window.beginSession(vx::recoveryFolder(), commandLine.configFile, [] {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
  });
  return QApplication::exec();
}
