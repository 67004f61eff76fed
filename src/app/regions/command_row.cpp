#include "app/regions/command_row.h"

#include "app/widgets/control_factory.h"
#include "app/widgets/pictures.h"

#include <QKeySequence>

namespace vx {

void CommandRow::createCommandRow(ControlFactory& make) {
  make.setRegion("commandRow");
  openButton = make.button("openButton", tr("Abrir"), QStyle::SP_DialogOpenButton, {6, 8, 80, 34});
  saveButton = make.button("saveButton", tr("Salvar"), QStyle::SP_DialogSaveButton, {90, 8, 80, 34});
  sendAllButton = make.button("sendAllButton", tr("Enviar Todas as Configurações Para Impressora"),
                              QStyle::SP_ArrowUp, {176, 8, 252, 34});
  sendAllWithoutLogoButton =
      make.button("sendAllWithoutLogoButton", tr("Enviar sem logo"), QStyle::SP_ArrowUp, {432, 8, 112, 34});
  // The send-all pair's captions fill their buttons: a smaller arrow leaves the words room.
  sendAllButton->setIconSize(QSize(10, 10));
  sendAllWithoutLogoButton->setIconSize(QSize(10, 10));
  // The captions stay as they are; the standard shortcuts are named in the tool tips.
  const auto withShortcut = [](const QString& tip, QKeySequence::StandardKey key) {
    return tip + QStringLiteral(" (") + QKeySequence(key).toString(QKeySequence::NativeText) + QLatin1Char(')');
  };
  openButton->setToolTip(withShortcut(tr("Abrir um arquivo de configuração"), QKeySequence::Open));
  saveButton->setToolTip(withShortcut(tr("Salvar as configurações num arquivo"), QKeySequence::Save));
  setClockButton = make.button("setClockButton", tr("Configurar Hora e Data"), QStyle::SP_BrowserReload,
                               {548, 8, 150, 34});
  sendAllButton->setToolTip(
      tr("Envia à impressora os botões, o relógio, os textos dos 4 botões e o logotipo (alguns minutos)"));
  sendAllWithoutLogoButton->setToolTip(tr("Envia tudo, menos o logotipo"));
  setClockButton->setToolTip(tr("Acerta o relógio da impressora pela data e hora deste computador"));

  portLabel = make.label("portLabel", tr("Porta Serial:"), {706, 6, 76, 15});
  portList = make.make<ComboBox>(QStringLiteral("portList"), {706, 22, 58, 22}, true);
  portList->addItems(
      {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4")});
  portList->setItemIndex(0);
  serialPortsButton = make.make<QPushButton>(QStringLiteral("serialPortsButton"), {765, 22, 22, 22}, QStringLiteral("…"));
  serialPortsButton->setToolTip(tr("Portas seriais"));
  serialPortsButton->setAccessibleName(tr("Portas seriais"));
  portLabel->setBuddy(portList);
  // The focus goes to the list's text field, which a screen reader names on its own.
  portList->lineEdit()->setAccessibleName(tr("Porta Serial"));

  beepBox = make.make<CheckBox>(QStringLiteral("beepBox"), {792, 1, 284, 16}, tr("Emitir bip ao imprimir"));
  resetAtDayEndBox = make.make<CheckBox>(QStringLiteral("resetAtDayEndBox"), {792, 17, 284, 16},
                                         tr("Zerar todas senhas automaticamente ao fim do dia"));
  twoCopiesBox =
      make.make<CheckBox>(QStringLiteral("twoCopiesBox"), {792, 33, 284, 16}, tr("Imprime 2 vias"));
  beepBox->setToolTip(tr("A impressora apita ao imprimir cada senha"));
  resetAtDayEndBox->setToolTip(tr("Zera os contadores de senhas de todos os botões no fim do dia"));
  twoCopiesBox->setToolTip(tr("Cada senha sai em duas vias. Não fica gravado no arquivo de configuração"));
  beepBox->setChecked(true);
  resetAtDayEndBox->setChecked(true);

  // The theme's pictures where the desktop has them; the same arrows drawn otherwise.
  const auto historyButton = [&](const char* name, const QString& caption, bool redo, int x) {
    auto* button = make.make<QToolButton>(QString::fromLatin1(name), {x, 49, 24, 22});
    const QIcon drawn(QPixmap::fromImage(historyArrowPicture(redo)));
    button->setIcon(
        QIcon::fromTheme(redo ? QStringLiteral("edit-redo") : QStringLiteral("edit-undo"), drawn));
    button->setAccessibleName(caption);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(true);
    button->setEnabled(false);
    return button;
  };
  // The handbook's contents; F1 on any control opens that control's section.
  helpButton = make.make<QToolButton>(QStringLiteral("helpButton"), {1003, 49, 24, 22});
  helpButton->setIcon(helpButton->style()->standardIcon(QStyle::SP_MessageBoxQuestion));
  helpButton->setAccessibleName(tr("Ajuda"));
  helpButton->setToolTip(tr("Manual do programa. F1 abre a parte do manual sobre o controle em uso."));
  helpButton->setFocusPolicy(Qt::StrongFocus);
  helpButton->setAutoRaise(true);
  undoButton = historyButton("undoButton", tr("Desfazer"), false, 1028);
  redoButton = historyButton("redoButton", tr("Refazer"), true, 1053);
}

}  // namespace vx
