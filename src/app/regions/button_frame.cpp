#include "app/regions/button_frame.h"

#include "app/widgets/control_factory.h"
#include "app/widgets/pictures.h"
#include "editor/button_page.h"

#include <array>

namespace vx {

void ButtonFrame::createButtonFrame(ControlFactory& make) {
  make.setRegion("buttonSettingsGroup");
  // The row's right end holds help, undo and redo.
  buttonTabs = make.make<TabBar>(QStringLiteral("buttonTabs"), {0, 49, 1001, 22});
  buttonTabs->setFont(make.bold());
  buttonTabs->setExpanding(false);
  buttonTabs->setDrawBase(true);
  // The tabs get their captions at start-up.
  for (int b = 1; b <= kPrinterButtons; ++b) buttonTabs->addTab(QString());
  buttonTabs->setTabIndex(0);

  buttonSettingsGroup = make.frame("buttonSettingsGroup", tr("Configurações do Botão"), {6, 79, 452, 230});
  pageTitleLabel = make.label("pageTitleLabel", pageTitle(1), {16, 97, 430, 22});
  pageTitleLabel->setFont(make.title());
  buttonPicture = make.make<ButtonPanel>(QStringLiteral("buttonPicture"), {14, 122, 279, 97});
  buttonPicture->setAccessibleName(tr("Botões da impressora"));
  buttonPicture->setPicture(buttonPanelPicture());
  buttonPicture->setCursor(Qt::PointingHandCursor);
  for (int b = 1; b <= kPrinterButtons; ++b) {
    Image* pressed = make.make<Image>(QStringLiteral("pressedButton%1").arg(b),
                                      pressedButtonRect(b).translated(buttonPicture->pos()));
    pressed->setPicture(pressedButtonPicture(b));
    pressed->setVisible(b == 1);
    pressedButtons[b] = pressed;
  }
  buttonPicture->setPressedPictures(
      {pressedButtons[1], pressedButtons[2], pressedButtons[3], pressedButtons[4]});
  buttonTabs->setToolTip(tr("Escolhe o botão da impressora que a página mostra"));
  buttonPicture->setToolTip(tr("Clique num botão (ou use as setas e Enter) para escolhê-lo"));
  rangeLabel = make.label("rangeLabel", QStringLiteral("De A00 a A99"), {14, 224, 279, 26});
  rangeLabel->setFont(make.title());
  rangeLabel->setAlignment(Qt::AlignCenter);

  letterLabel = make.label("letterLabel", tr("Atendimento"), {304, 118, 146, 15});
  letterList = make.make<ComboBox>(QStringLiteral("letterList"), {304, 133, 146, 22}, true);
  letterList->addItems(letterItems());
  // Only the word is translated: the rule reads the item's place, never its text.
  letterList->setItemText(kInactiveItem, tr("Inativo"));
  letterList->setItemIndex(0);
  printLetterLabel = make.label("printLetterLabel", tr("Imprimir letra:"), {304, 158, 146, 15});
  printLetterList = make.make<ComboBox>(QStringLiteral("printLetterList"), {304, 173, 146, 22}, false);
  printLetterList->addItems({tr("Imprimir"), tr("Não imprimir")});
  printLetterList->setItemIndex(0);
  firstNumberLabel = make.label("firstNumberLabel", tr("Inicia em :"), {304, 198, 70, 15});
  firstNumberBox = make.make<SpinEdit>(QStringLiteral("firstNumberBox"), {304, 213, 70, 22});
  firstNumberBox->setMinValue(0);
  firstNumberBox->setMaxValue(999);
  firstNumberBox->setValue(0);
  lastNumberLabel = make.label("lastNumberLabel", tr("Termina em :"), {380, 198, 70, 15});
  lastNumberBox = make.make<SpinEdit>(QStringLiteral("lastNumberBox"), {380, 213, 70, 22});
  lastNumberBox->setMinValue(0);
  lastNumberBox->setMaxValue(99);
  lastNumberBox->setValue(99);
  letterList->setToolTip(
      tr("Letra da senha deste botão. A letra de um botão anterior segue a numeração dele; "
         "\"Inativo\" desliga o botão"));
  printLetterList->setToolTip(
      tr("Com \"Imprimir\", a letra sai antes de um número de 2 dígitos (até 99); sem ela, "
         "número de 3 dígitos (até 999)"));
  firstNumberBox->setToolTip(tr("Primeira senha deste botão"));
  lastNumberBox->setToolTip(tr("Última senha deste botão"));
  letterLabel->setBuddy(letterList);
  // The focus goes to the list's text field, which a screen reader names on its own.
  letterList->lineEdit()->setAccessibleName(tr("Atendimento"));
  printLetterLabel->setBuddy(printLetterList);
  firstNumberLabel->setBuddy(firstNumberBox);
  lastNumberLabel->setBuddy(lastNumberBox);
  sendSettingsButton =
      make.button("sendSettingsButton", tr("Enviar Todas Configurações de Botões e Atendimento"),
                  QStyle::SP_ArrowUp, {14, 256, 436, 44});
  sendSettingsButton->setToolTip(tr("Envia à impressora a letra e a numeração dos 4 botões e as opções"));
}

}  // namespace vx
