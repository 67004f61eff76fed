// Recovery of unsaved work: the copy the window keeps while its work is unsaved, and the offer,
// at start, of a copy that a run which ended without closing its window left behind.

#include <QDir>
#include <QLocale>
#include <optional>

#include "app/window/main_window.h"
#include "config/config_pair.h"
#include "model/shown_path.h"

namespace vx {
namespace {

QString recoveryTitle() { return MainWindow::tr("Recuperar alterações"); }

}  // namespace

bool MainWindow::startRecovery(const QString& folder) {
  std::unique_ptr<RecoverySlot> recovered;
  // Once one copy is recovered the others stay, unlocked, for a later start.
  for (std::unique_ptr<RecoverySlot>& slot : RecoverySlot::claimLeftBehind(folder)) {
    if (recovered) break;
    recovered = offerRecovery(std::move(slot));
  }
  const bool recoveredOne = recovered != nullptr;

  recoveryTimer = new QTimer(this);
  recoveryTimer->setObjectName(QStringLiteral("recoveryTimer"));
  recoveryTimer->setSingleShot(true);
  recoveryTimer->setInterval(kRecoveryDelayMs);
  connect(recoveryTimer, &QTimer::timeout, this, [this] { runHandler([this] { keepRecoveryCopy(); }); });
  recoveryWriter_ =
      std::make_unique<RecoveryWriter>(folder, std::move(recovered), [this](const QString& failure) {
        // The writer's thread: the notice is the window's.
        QMetaObject::invokeMethod(
            this, [this, failure] { showRecoveryFailure(failure); }, Qt::QueuedConnection);
      });
  return recoveredOne;
}

std::unique_ptr<RecoverySlot> MainWindow::offerRecovery(std::unique_ptr<RecoverySlot> slot) {
  RecoveryNote note;
  std::optional<ConfigPair> pair;
  QString damage;
  try {
    note = slot->note();
    pair = readConfigPair(slot->configPath());
  } catch (const RecoveryCopyError& e) {
    damage = e.message();
  } catch (const ConfigPairError& e) {
    damage = e.message();
  }
  if (!pair) {
    // Kept where the operator can look at it, and never offered again.
    const QString keptIn = shownPath(slot->setAside());
    dialogs().messageBox(recoveryTitle(),
                         tr("Uma cópia de recuperação está danificada e não pode ser recuperada: %1.\n\n"
                            "Ela foi guardada na pasta %2.")
                             .arg(damage, keptIn),
                         MessageIcon::Warning, MessageButtons::Ok);
    return nullptr;
  }

  const QString when = QLocale::system().toString(note.time.toLocalTime(), QLocale::ShortFormat);
  const QString what =
      note.fileName.isEmpty()
          ? tr("O programa foi encerrado sem salvar as alterações de uma configuração ainda sem nome; uma "
               "cópia delas foi guardada em %1.")
                .arg(when)
          : tr("O programa foi encerrado sem salvar as alterações do arquivo %1; uma cópia delas foi "
               "guardada em %2.")
                .arg(shownPath(note.fileName), when);
  const MessageAnswer answer = dialogs().messageBox(
      recoveryTitle(),
      what + QStringLiteral("\n\n") +
          tr("Deseja recuperar essas alterações?\n\nSim: recuperar.\nNão: descartar a cópia.\n"
             "Cancelar: perguntar de novo na próxima vez que o programa for aberto."),
      MessageIcon::Question, MessageButtons::YesNoCancel);
  if (answer == MessageAnswer::No) slot->removeCopy();
  if (answer != MessageAnswer::Yes) return nullptr;

  applyConfiguration(pair->contents, std::move(pair->picture));
  // Under its own name, with a history of its own that holds no saved state: still unsaved.
  pairFileName = note.fileName;
  openDialogName = note.fileName;
  saveDialogName = note.fileName;
  startHistory();
  history_.forgetClean();
  pairChanged();
  return slot;
}

void MainWindow::scheduleRecoveryWrite() {
  // Not restarted by later changes, so that steady typing is copied too.
  if (recoveryTimer && !recoveryTimer->isActive()) recoveryTimer->start();
}

void MainWindow::keepRecoveryCopy() {
  if (!model.unsavedChanges) {
    recoveryWriter_->discard();
    return;
  }
  recoveryWriter_->write(
      {configTextToSave(), sourcePicture, {pairFileName, QDateTime::currentDateTimeUtc()}});
}

void MainWindow::discardRecoveryCopy() {
  if (!recoveryWriter_) return;
  recoveryTimer->stop();
  recoveryWriter_->discard();
}

void MainWindow::finishRecovery() {
  if (!recoveryTimer || !recoveryTimer->isActive()) return;
  recoveryTimer->stop();
  keepRecoveryCopy();
  recoveryWriter_->waitForWrites();
}

void MainWindow::showRecoveryFailure(const QString& failure) {
  if (recoveryFailureShown_) return;
  // Not over a running job's progress: once it has ended.
  if (jobRunning_) {
    QTimer::singleShot(500, this, [this, failure] { showRecoveryFailure(failure); });
    return;
  }
  recoveryFailureShown_ = true;
  dialogs().messageBox(
      tr("Cópia de recuperação"),
      tr("Não foi possível guardar a cópia de recuperação das alterações: %1.\n\n"
         "A edição continua normalmente, mas as alterações só ficam guardadas com \"Salvar\".")
          .arg(failure),
      MessageIcon::Warning, MessageButtons::Ok);
}

void MainWindow::beginSession(const QString& recoveryFolder, const QString& configFile,
                              const std::function<void()>& openElsewhere) {
  const bool recovered = startRecovery(recoveryFolder);
  if (configFile.isEmpty()) return;
  if (recovered)
    openElsewhere();
  else
    openFromCommandLine(configFile);
}

}  // namespace vx
