#include "app/dialogs/progress_dialog.h"

#include <QFont>

#include "app/help/help_window.h"

namespace vx {

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("progressDialog"));
  setWindowTitle(tr("Comunicação"));
  setFixedSize(505, 186);
  setModal(false);

  QFont large = font();
  large.setPixelSize(19);

  communicatingLabel = new QLabel(tr("Comunicando com a  impressora"), this);
  communicatingLabel->setObjectName(QStringLiteral("communicatingLabel"));
  communicatingLabel->setFont(large);
  communicatingLabel->setGeometry(40, 16, 425, 26);

  pleaseWaitLabel = new QLabel(tr("Por favor aguarde ..."), this);
  pleaseWaitLabel->setObjectName(QStringLiteral("pleaseWaitLabel"));
  pleaseWaitLabel->setFont(large);
  pleaseWaitLabel->setGeometry(40, 46, 425, 26);

  progressBar = new ProgressBar(this);
  progressBar->setObjectName(QStringLiteral("progressBar"));
  progressBar->setGeometry(40, 84, 425, 33);
  progressBar->setMinimum(0);
  progressBar->setMaximum(100);
  progressBar->setValue(0);
  progressBar->setAccessibleName(tr("Progresso da comunicação"));

  timeLeftLabel = new QLabel(this);
  timeLeftLabel->setObjectName(QStringLiteral("timeLeftLabel"));
  timeLeftLabel->setGeometry(40, 118, 425, 16);

  resendNoteLabel =
      new QLabel(tr("*Se ao terminar a comunicação a impressora emitir um bip contínuo, envie novamente as "
                    "configurações."),
                 this);
  resendNoteLabel->setObjectName(QStringLiteral("resendNoteLabel"));
  resendNoteLabel->setWordWrap(true);
  resendNoteLabel->setGeometry(12, 134, 481, 44);
  installHelpKey(this);
}

}  // namespace vx
