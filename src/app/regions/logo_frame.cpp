#include "app/regions/logo_frame.h"

#include "app/widgets/control_factory.h"
#include "logo/logo_preview.h"

#include <QImage>

namespace vx {

QString LogoFrame::blackShareText(int percent) { return tr("Preto: %1 %").arg(percent); }

void LogoFrame::createLogoFrame(ControlFactory& make) {
  Label28 = make.frame("Label28", tr("Configuração de Logotipo (Todos Botões)"), {6, 311, 452, 287});
  Label25 = make.label("Label25", tr("Zoom"), {14, 329, 36, 16});
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
  Image1->setAccessibleName(tr("Logotipo"));

  BitBtn15 = make.button("BitBtn15", tr("Abrir imagem"), QStyle::SP_DirOpenIcon, {14, 551, 100, 21});
  BitBtn11 =
      make.button("BitBtn11", tr("Atualizar imagem"), QStyle::SP_BrowserReload, {118, 551, 116, 21});
  Label24 = make.label("Label24", tr("Contraste:"), {242, 553, 52, 16});
  ScrollBar3 = make.make<ScrollBar>(QStringLiteral("ScrollBar3"), {296, 553, 90, 16}, Qt::Horizontal);
  ScrollBar3->setRange(kMinThreshold, kMaxThreshold);
  ScrollBar3->setPageStep(20);
  ScrollBar3->setValue(127);
  Label25->setBuddy(ScrollBar2);
  Label24->setBuddy(ScrollBar3);
  // One label serves two bars: each bar says what it sets.
  ScrollBar2->setAccessibleName(tr("Zoom"));
  ScrollBar1->setAccessibleName(tr("Altura do logotipo"));
  ScrollBar3->setAccessibleName(tr("Contraste"));
  blackShareLabel = make.label("blackShareLabel", blackShareText(0), {392, 553, 60, 16});
  blackShareLabel->setToolTip(tr("Parte da área do logotipo que a impressora imprime em preto"));
  CheckBox1 = make.make<CheckBox>(QStringLiteral("CheckBox1"), {14, 575, 112, 18}, tr("Imprimir Logotipo"));
  CheckBox1->setChecked(true);
  suggestButton =
      make.button("suggestButton", tr("Sugerir"), QStyle::SP_DialogApplyButton, {128, 574, 64, 21});
  suggestButton->setToolTip(tr("Sugere o contraste pelo histograma da imagem"));
  BitBtn12 = make.button("BitBtn12", tr("Enviar Todas Configurações de Logotipo"), QStyle::SP_ArrowUp,
                         {196, 574, 256, 21});
}

}  // namespace vx
