#include "app/regions/text_frame.h"

#include "app/widgets/control_factory.h"
#include "editor/button_page.h"
#include "editor/preview_layout.h"

namespace vx {
namespace {

const QString kLine1Text = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");

}  // namespace

void TextFrame::createTextFrame(ControlFactory& make) {
  GroupBox3 = make.frame("GroupBox3", tr("Configurações de Texto"), {464, 79, 251, 519});
  Label2 = make.label("Label2", ticketTitle(1), {472, 96, 236, 17});
  Label2->setFont(make.bold());
  Label3 = make.label("Label3", tr("Informações do Cabeçalho"), {472, 116, 236, 16});
  Label3->setFont(make.bold());
  Label4 = make.label("Label4", tr("Informações do Rodapé"), {472, 298, 236, 16});
  Label4->setFont(make.bold());
  for (int l = 1; l <= kLines; ++l) createLine(make, l);
  const std::array<LineEdit**, kLines + 1> edits = {nullptr, &Edit6,  &Edit7,  &Edit8, &Edit9,
                                                    &Edit10, &Edit11, &Edit12, &Edit13};
  const std::array<CheckBox**, kLines + 1> enables = {nullptr,     &CheckBox5,  &CheckBox8,  &CheckBox11, &CheckBox14,
                                                      &CheckBox17, &CheckBox20, &CheckBox23, &CheckBox26};
  const std::array<CheckBox**, kLines + 1> expands = {nullptr,     &CheckBox3,  &CheckBox6,  &CheckBox9, &CheckBox12,
                                                      &CheckBox15, &CheckBox18, &CheckBox21, &CheckBox24};
  for (int l = 1; l <= kLines; ++l) {
    *edits[l] = lineEdit[l];
    *enables[l] = lineEnabled[l];
    *expands[l] = lineExpanded[l];
  }

  GroupBox2 = make.frame("GroupBox2", tr("Corte do papel"), {472, 476, 236, 46});
  RadioButton1 = make.make<RadioButton>(QStringLiteral("RadioButton1"), {484, 496, 104, 18},
                                        tr("Corte Parcial"));
  RadioButton2 =
      make.make<RadioButton>(QStringLiteral("RadioButton2"), {596, 496, 104, 18}, tr("Corte Total"));
  RadioButton1->setGroup({RadioButton1, RadioButton2});
  RadioButton2->setGroup({RadioButton1, RadioButton2});
  RadioButton1->setChecked(true);
  BitBtn14 = make.button("BitBtn14", tr("Enviar Configurações de Texto do Botão"), QStyle::SP_ArrowUp,
                         {472, 530, 236, 40});
}

// Line l's text field with its two boxes under it: Edit(5 + l), CheckBox(2 + 3l) "Habilitar
// linha", CheckBox(3l) "Expandido".
void TextFrame::createLine(ControlFactory& make, int l) {
  const int y = l <= 4 ? 134 + (l - 1) * 40 : 316 + (l - 5) * 40;
  auto* edit = make.make<LineEdit>(QStringLiteral("Edit%1").arg(5 + l), {472, y, 236, 20});
  edit->setLimit(lineLimit(false));
  edit->setText(l == 1 ? kLine1Text : QStringLiteral("Linha %1").arg(l));
  auto* enabled = make.make<CheckBox>(QStringLiteral("CheckBox%1").arg(2 + 3 * l), {472, y + 21, 112, 16},
                                      tr("Habilitar linha"));
  enabled->setChecked(l == 1);
  auto* expanded = make.make<CheckBox>(QStringLiteral("CheckBox%1").arg(3 * l), {596, y + 21, 112, 16},
                                       tr("Expandido"));
  // Eight fields and sixteen boxes share three captions: each says which line it is.
  edit->setAccessibleName(l <= 4 ? tr("Linha %1 (Cabeçalho)").arg(l) : tr("Linha %1 (Rodapé)").arg(l));
  enabled->setAccessibleName(tr("Habilitar linha %1").arg(l));
  expanded->setAccessibleName(tr("Expandido (linha %1)").arg(l));
  // In the window's initial state only lines 2..7 are disabled; start-up brings line 8 in
  // line with them.
  const bool initiallyEnabled = l == 1 || l == 8;
  edit->setEnabled(initiallyEnabled);
  expanded->setEnabled(initiallyEnabled);
  lineEdit[l] = edit;
  lineEnabled[l] = enabled;
  lineExpanded[l] = expanded;
}

}  // namespace vx
