#include "app/regions/logo_frame.h"

#include "app/widgets/control_factory.h"
#include "logo/logo_preview.h"

#include <QImage>

namespace vx {

QString LogoFrame::blackShareText(int percent) { return tr("Preto: %1 %").arg(percent); }

void LogoFrame::createLogoFrame(ControlFactory& make) {
  make.setRegion("logoSettingsGroup");
  logoSettingsGroup =
      make.frame("logoSettingsGroup", tr("Configuração de Logotipo (Todos Botões)"), {6, 311, 452, 287});
  zoomLabel = make.label("zoomLabel", tr("Zoom"), {14, 329, 36, 16});
  logoWidthBar = make.make<ScrollBar>(QStringLiteral("logoWidthBar"), {52, 329, 400, 16}, Qt::Horizontal);
  logoWidthBar->setRange(kMinLogoWidth, kMaxLogoWidth);
  logoWidthBar->setPageStep(30);
  logoWidthBar->setValue(20);
  logoHeightBar = make.make<ScrollBar>(QStringLiteral("logoHeightBar"), {28, 347, 17, 200}, Qt::Vertical);
  logoHeightBar->setRange(kMinLogoHeight, kMaxLogoHeight);
  logoHeightBar->setPageStep(20);
  logoHeightBar->setValue(10);
  logoBackdrop = make.make<Image>(QStringLiteral("logoBackdrop"), {52, 347, 400, 10});
  QImage white(618, 445, QImage::Format_RGB32);
  white.fill(Qt::white);
  logoBackdrop->setPicture(white);
  logoBackdrop->setStretch(false);
  logoPicture = make.make<Image>(QStringLiteral("logoPicture"), {52, 347, 20, 10});
  logoPicture->setAccessibleName(tr("Logotipo"));

  openPictureButton =
      make.button("openPictureButton", tr("Abrir imagem"), QStyle::SP_DirOpenIcon, {14, 551, 100, 21});
  updatePictureButton = make.button("updatePictureButton", tr("Atualizar imagem"), QStyle::SP_BrowserReload,
                                    {118, 551, 116, 21});
  contrastLabel = make.label("contrastLabel", tr("Contraste:"), {242, 553, 52, 16});
  contrastBar = make.make<ScrollBar>(QStringLiteral("contrastBar"), {296, 553, 90, 16}, Qt::Horizontal);
  contrastBar->setRange(kMinThreshold, kMaxThreshold);
  contrastBar->setPageStep(20);
  contrastBar->setValue(127);
  zoomLabel->setBuddy(logoWidthBar);
  contrastLabel->setBuddy(contrastBar);
  // One label serves two bars: each bar says what it sets.
  logoWidthBar->setAccessibleName(tr("Zoom"));
  logoHeightBar->setAccessibleName(tr("Altura do logotipo"));
  contrastBar->setAccessibleName(tr("Contraste"));
  logoWidthBar->setToolTip(tr("Largura do logotipo em pontos da impressora (20 a 400)"));
  logoHeightBar->setToolTip(tr("Altura do logotipo em pontos da impressora (10 a 200)"));
  contrastBar->setToolTip(tr("Limite entre preto e branco. Vale no próximo \"Atualizar imagem\""));
  openPictureButton->setToolTip(tr("Abre um arquivo de imagem para o logotipo"));
  updatePictureButton->setToolTip(
      tr("Converte a imagem em preto e branco com o contraste escolhido; a pré-visualização mostra o "
         "resultado"));
  blackShareLabel = make.label("blackShareLabel", blackShareText(0), {392, 553, 60, 16});
  blackShareLabel->setToolTip(tr("Parte da área do logotipo que a impressora imprime em preto"));
  printLogoBox =
      make.make<CheckBox>(QStringLiteral("printLogoBox"), {14, 575, 112, 18}, tr("Imprimir Logotipo"));
  printLogoBox->setToolTip(tr("Imprime o logotipo no alto da senha"));
  printLogoBox->setChecked(true);
  suggestButton =
      make.button("suggestButton", tr("Sugerir"), QStyle::SP_DialogApplyButton, {128, 574, 64, 21});
  suggestButton->setToolTip(tr("Sugere o contraste pelo histograma da imagem"));
  sendLogoButton = make.button("sendLogoButton", tr("Enviar Todas Configurações de Logotipo"),
                               QStyle::SP_ArrowUp, {196, 574, 256, 21});
  sendLogoButton->setToolTip(tr("Envia o logotipo à impressora"));
}

}  // namespace vx
