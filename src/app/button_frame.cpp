#include "app/button_frame.h"

#include "app/control_factory.h"
#include "app/pictures.h"
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

  GroupBox1 = make.frame("GroupBox1", QStringLiteral("Configurações do Botão"), {6, 79, 452, 230});
  Label35 = make.label("Label35", QStringLiteral("Funcionamento do botão 1:"), {16, 97, 430, 22});
  Label35->setFont(make.title());
  Image10 = make.make<Image>(QStringLiteral("Image10"), {14, 122, 279, 97});
  Image10->setPicture(buttonPanelPicture());
  Image10->setCursor(Qt::PointingHandCursor);
  std::array<Image**, 4> highlights = {&Image11, &Image12, &Image13, &Image14};
  for (int b = 1; b <= 4; ++b) {
    Image* h = make.make<Image>(QStringLiteral("Image%1").arg(10 + b), pressedButtonRect(b).translated(Image10->pos()));
    h->setPicture(pressedButtonPicture(b));
    h->setVisible(b == 1);
    *highlights[b - 1] = h;
  }
  Label30 = make.label("Label30", QStringLiteral("De A00 a A99"), {14, 224, 279, 26});
  Label30->setFont(make.title());
  Label30->setAlignment(Qt::AlignCenter);

  Label31 = make.label("Label31", QStringLiteral("Atendimento"), {304, 118, 146, 15});
  ComboBox5 = make.make<ComboBox>(QStringLiteral("ComboBox5"), {304, 133, 146, 22}, true);
  ComboBox5->addItems(letterItems());
  ComboBox5->setItemIndex(0);
  Label32 = make.label("Label32", QStringLiteral("Imprimir letra:"), {304, 158, 146, 15});
  ComboBox6 = make.make<ComboBox>(QStringLiteral("ComboBox6"), {304, 173, 146, 22}, false);
  ComboBox6->addItems({QStringLiteral("Imprimir"), QStringLiteral("Não imprimir")});
  ComboBox6->setItemIndex(0);
  Label33 = make.label("Label33", QStringLiteral("Inicia em :"), {304, 198, 70, 15});
  SpinEdit12 = make.make<SpinEdit>(QStringLiteral("SpinEdit12"), {304, 213, 70, 22});
  SpinEdit12->setMinValue(0);
  SpinEdit12->setMaxValue(999);
  SpinEdit12->setValue(0);
  Label34 = make.label("Label34", QStringLiteral("Termina em :"), {380, 198, 70, 15});
  SpinEdit13 = make.make<SpinEdit>(QStringLiteral("SpinEdit13"), {380, 213, 70, 22});
  SpinEdit13->setMinValue(0);
  SpinEdit13->setMaxValue(99);
  SpinEdit13->setValue(99);
  BitBtn1 = make.button("BitBtn1", QStringLiteral("Enviar Todas Configurações de Botões e Atendimento"),
                        QStyle::SP_ArrowUp, {14, 256, 436, 44});
}

}  // namespace vx
