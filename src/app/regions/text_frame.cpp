#include "app/regions/text_frame.h"

#include "app/widgets/control_factory.h"
#include "editor/button_page.h"
#include "editor/preview_layout.h"

namespace vx {
namespace {

QString line1Text() { return QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !"); }

}  // namespace

void TextFrame::createTextFrame(ControlFactory& make) {
  make.setRegion("textSettingsGroup");
  textSettingsGroup = make.frame("textSettingsGroup", tr("Configurações de Texto"), {464, 79, 251, 519});
  textTitleLabel = make.label("textTitleLabel", ticketTitle(1), {472, 96, 236, 17});
  textTitleLabel->setFont(make.bold());
  headerLabel = make.label("headerLabel", tr("Informações do Cabeçalho"), {472, 116, 236, 16});
  headerLabel->setFont(make.bold());
  footerLabel = make.label("footerLabel", tr("Informações do Rodapé"), {472, 298, 236, 16});
  footerLabel->setFont(make.bold());
  for (int l = 1; l <= kLines; ++l) createLine(make, l);

  paperCutGroup = make.frame("paperCutGroup", tr("Corte do papel"), {472, 476, 236, 46});
  partialCutButton =
      make.make<RadioButton>(QStringLiteral("partialCutButton"), {484, 496, 104, 18}, tr("Corte Parcial"));
  totalCutButton =
      make.make<RadioButton>(QStringLiteral("totalCutButton"), {596, 496, 104, 18}, tr("Corte Total"));
  partialCutButton->setToolTip(tr("A impressora corta o papel em parte depois de cada senha"));
  totalCutButton->setToolTip(tr("A impressora corta o papel por inteiro depois de cada senha"));
  partialCutButton->setGroup({partialCutButton, totalCutButton});
  totalCutButton->setGroup({partialCutButton, totalCutButton});
  partialCutButton->setChecked(true);
  sendTextsButton = make.button("sendTextsButton", tr("Enviar Configurações de Texto do Botão"),
                                QStyle::SP_ArrowUp, {472, 530, 236, 40});
  sendTextsButton->setToolTip(tr("Envia à impressora as 8 linhas do botão mostrado e o corte do papel"));
}

// Line l's text field with its two boxes under it.
void TextFrame::createLine(ControlFactory& make, int l) {
  const int y = l <= 4 ? 134 + (l - 1) * 40 : 316 + (l - 5) * 40;
  auto* edit = make.make<LineEdit>(QStringLiteral("lineText%1").arg(l), {472, y, 236, 20});
  edit->setLimit(lineLimit(false));
  edit->setText(l == 1 ? line1Text() : QStringLiteral("Linha %1").arg(l));
  auto* enabled = make.make<CheckBox>(QStringLiteral("lineEnabled%1").arg(l), {472, y + 21, 112, 16},
                                      tr("Habilitar linha"));
  enabled->setChecked(l == 1);
  auto* expanded =
      make.make<CheckBox>(QStringLiteral("lineExpanded%1").arg(l), {596, y + 21, 112, 16}, tr("Expandido"));
  // Eight fields and sixteen boxes share three captions: each says which line it is.
  edit->setAccessibleName(l <= 4 ? tr("Linha %1 (Cabeçalho)").arg(l) : tr("Linha %1 (Rodapé)").arg(l));
  edit->setToolTip(tr("Texto da linha: até 40 caracteres, 20 se \"Expandido\""));
  enabled->setToolTip(tr("A linha é impressa"));
  expanded->setToolTip(tr("Letras em largura dupla: até 20 caracteres"));
  enabled->setAccessibleName(tr("Habilitar linha %1").arg(l));
  expanded->setAccessibleName(tr("Expandido (linha %1)").arg(l));
  // In the window's initial state only lines 2..7 are disabled; start-up brings line 8 in
  // line with them.
  const bool initiallyEnabled = l == 1 || l == 8;
  edit->setEnabled(initiallyEnabled);
  expanded->setEnabled(initiallyEnabled);
  lines[l] = {edit, enabled, expanded};
}

}  // namespace vx
