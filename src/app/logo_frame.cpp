#include "app/logo_frame.h"

#include "app/control_factory.h"
#include "logo/logo_preview.h"

#include <QImage>

namespace vx {

void LogoFrame::createLogoFrame(ControlFactory& make) {
  Label28 = make.frame("Label28", QStringLiteral("Configuração de Logotipo (Todos Botões)"), {6, 311, 452, 287});
  Label25 = make.label("Label25", QStringLiteral("Zoom"), {14, 329, 36, 16});
  ScrollBar2 = make.make<ScrollBar>(QStringLiteral("ScrollBar2"), {52, 329, 400, 16}, Qt::Horizontal);
  ScrollBar2->setRange(kMinLogoWidth, kMaxLogoWidth);
  ScrollBar2->setPageStep(30);
  ScrollBar2->setValue(20);
  ScrollBar1 = make.make<ScrollBar>(QStringLiteral("ScrollBar1"), {28, 347, 17, 200}, Qt::Vertical);
  ScrollBar1->setRange(kMinLogoHeight, kMaxLogoHeight);
  ScrollBar1->setPageStep(20);
  ScrollBar1->setValue(10);
  Image3 = make.make<Image>(QStringLiteral("Image3"), {52, 347, 400, 10});
  QImage white(618, 445, QImage::Format_RGB32);
  white.fill(Qt::white);
  Image3->setPicture(white);
  Image3->setStretch(false);
  Image1 = make.make<Image>(QStringLiteral("Image1"), {52, 347, 20, 10});

  BitBtn15 = make.button("BitBtn15", QStringLiteral("Abrir imagem"), QStyle::SP_DirOpenIcon, {14, 551, 100, 21});
  BitBtn11 =
      make.button("BitBtn11", QStringLiteral("Atualizar imagem"), QStyle::SP_BrowserReload, {118, 551, 116, 21});
  Label24 = make.label("Label24", QStringLiteral("Contraste:"), {242, 553, 52, 16});
  ScrollBar3 = make.make<ScrollBar>(QStringLiteral("ScrollBar3"), {296, 553, 90, 16}, Qt::Horizontal);
  ScrollBar3->setRange(kMinThreshold, kMaxThreshold);
  ScrollBar3->setPageStep(20);
  ScrollBar3->setValue(127);
  blackShareLabel = make.label("blackShareLabel", QStringLiteral("Preto: 0 %"), {392, 553, 60, 16});
  blackShareLabel->setToolTip(QStringLiteral("Parte da área do logotipo que a impressora imprime em preto"));
  CheckBox1 = make.make<CheckBox>(QStringLiteral("CheckBox1"), {14, 575, 112, 18}, QStringLiteral("Imprimir Logotipo"));
  CheckBox1->setChecked(true);
  suggestButton =
      make.button("suggestButton", QStringLiteral("Sugerir"), QStyle::SP_DialogApplyButton, {128, 574, 64, 21});
  suggestButton->setToolTip(QStringLiteral("Sugere o contraste pelo histograma da imagem"));
  BitBtn12 = make.button("BitBtn12", QStringLiteral("Enviar Todas Configurações de Logotipo"), QStyle::SP_ArrowUp,
                         {196, 574, 256, 21});
}

}  // namespace vx
