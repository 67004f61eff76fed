// A window process for test_window_recovery: keeps its recovery copy under the folder given
// first, opens the pair given second as the file manager would, makes the recovery edits
// (recovery_edits.h, with the picture given third), waits until the copy holds them, prints
// "ready" and goes on running until it is killed.

#include <QApplication>
#include <cstdio>

#include "recovery_edits.h"
#include "window_fixture.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 4) return 2;
  vx::MainWindow window(std::make_unique<vx::test::ScriptedDialogs>());
  const vx::test::WindowDriver ui(window);
  window.show();
  const auto pumpWhile = [](auto busy) {
    while (busy()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  };
  if (window.startRecovery(QString::fromLocal8Bit(argv[1]))) return 3;  // nothing to offer yet
  window.openFromCommandLine(QString::fromLocal8Bit(argv[2]));
  pumpWhile([&] { return ui.model().unsavedChanges; });
  vx::test::makeRecoveryEdits(ui, QString::fromLocal8Bit(argv[3]));
  pumpWhile([&] { return ui.recoveryTimer()->isActive(); });
  ui.waitForRecoveryWrites();
  std::printf("ready\n");
  std::fflush(stdout);
  return QApplication::exec();
}
