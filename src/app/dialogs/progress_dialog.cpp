#include "app/dialogs/progress_dialog.h"

#include <QFont>

namespace vx {

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(tr("Comunicação"));
  setFixedSize(505, 186);
  setModal(false);

  QFont large = font();
  large.setPixelSize(19);

  Label1 = new QLabel(tr("Comunicando com a  impressora"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(large);
  Label1->setGeometry(40, 16, 425, 26);

  Label2 = new QLabel(tr("Por favor aguarde ..."), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setFont(large);
  Label2->setGeometry(40, 46, 425, 26);

  ProgressBar1 = new ProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setGeometry(40, 84, 425, 33);
  ProgressBar1->setMinimum(0);
  ProgressBar1->setMaximum(100);
  ProgressBar1->setValue(0);
  ProgressBar1->setAccessibleName(tr("Progresso da comunicação"));

  Label4 = new QLabel(this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setGeometry(40, 118, 425, 16);

  Label3 = new QLabel(
      tr("*Se ao terminar a comunicação a impressora emitir um bip contínuo, envie novamente as "
         "configurações."),
      this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setWordWrap(true);
  Label3->setGeometry(12, 134, 481, 44);
}

}  // namespace vx
