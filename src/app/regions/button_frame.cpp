#include "app/regions/button_frame.h"

#include "app/widgets/control_factory.h"
#include "app/widgets/pictures.h"
#include "editor/button_page.h"

#include <array>

namespace vx {

Image* ButtonFrame::highlight(int button) const {
  const std::array<Image*, 4> images = {Image11, Image12, Image13, Image14};
  return images.at(static_cast<std::size_t>(button - 1));
}

void ButtonFrame::createButtonFrame(ControlFactory& make) {
  PageControl1 = make.make<TabBar>(QStringLiteral("PageControl1"), {0, 49, 1078, 22});
  PageControl1->setFont(make.bold());
  PageControl1->setExpanding(false);
  PageControl1->setDrawBase(true);
  for (int i = 1; i <= 4; ++i) PageControl1->addTab(QStringLiteral("TabSheet%1").arg(i));
  PageControl1->setTabIndex(0);

  GroupBox1 = make.frame("GroupBox1", tr("Configurações do Botão"), {6, 79, 452, 230});
  Label35 = make.label("Label35", pageTitle(1), {16, 97, 430, 22});
  Label35->setFont(make.title());
  Image10 = make.make<ButtonPanel>(QStringLiteral("Image10"), {14, 122, 279, 97});
  Image10->setAccessibleName(tr("Botões da impressora"));
  Image10->setPicture(buttonPanelPicture());
  Image10->setCursor(Qt::PointingHandCursor);
  std::array<Image**, 4> highlights = {&Image11, &Image12, &Image13, &Image14};
  for (int b = 1; b <= 4; ++b) {
    Image* h = make.make<Image>(QStringLiteral("Image%1").arg(10 + b), pressedButtonRect(b).translated(Image10->pos()));
    h->setPicture(pressedButtonPicture(b));
    h->setVisible(b == 1);
    *highlights[b - 1] = h;
  }
  Image10->setPressedPictures({Image11, Image12, Image13, Image14});
  Label30 = make.label("Label30", QStringLiteral("De A00 a A99"), {14, 224, 279, 26});
  Label30->setFont(make.title());
  Label30->setAlignment(Qt::AlignCenter);

  Label31 = make.label("Label31", tr("Atendimento"), {304, 118, 146, 15});
  ComboBox5 = make.make<ComboBox>(QStringLiteral("ComboBox5"), {304, 133, 146, 22}, true);
  ComboBox5->addItems(letterItems());
  // Only the word is translated: the rule reads the item's place, never its text.
  ComboBox5->setItemText(kInativoItem, tr("Inativo"));
  ComboBox5->setItemIndex(0);
  Label32 = make.label("Label32", tr("Imprimir letra:"), {304, 158, 146, 15});
  ComboBox6 = make.make<ComboBox>(QStringLiteral("ComboBox6"), {304, 173, 146, 22}, false);
  ComboBox6->addItems({tr("Imprimir"), tr("Não imprimir")});
  ComboBox6->setItemIndex(0);
  Label33 = make.label("Label33", tr("Inicia em :"), {304, 198, 70, 15});
  SpinEdit12 = make.make<SpinEdit>(QStringLiteral("SpinEdit12"), {304, 213, 70, 22});
  SpinEdit12->setMinValue(0);
  SpinEdit12->setMaxValue(999);
  SpinEdit12->setValue(0);
  Label34 = make.label("Label34", tr("Termina em :"), {380, 198, 70, 15});
  SpinEdit13 = make.make<SpinEdit>(QStringLiteral("SpinEdit13"), {380, 213, 70, 22});
  SpinEdit13->setMinValue(0);
  SpinEdit13->setMaxValue(99);
  SpinEdit13->setValue(99);
  Label31->setBuddy(ComboBox5);
  // The focus goes to the list's text field, which a screen reader names on its own.
  ComboBox5->lineEdit()->setAccessibleName(tr("Atendimento"));
  Label32->setBuddy(ComboBox6);
  Label33->setBuddy(SpinEdit12);
  Label34->setBuddy(SpinEdit13);
  BitBtn1 = make.button("BitBtn1", tr("Enviar Todas Configurações de Botões e Atendimento"),
                        QStyle::SP_ArrowUp, {14, 256, 436, 44});
}

}  // namespace vx
