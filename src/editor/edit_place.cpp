#include "editor/edit_place.h"

#include <QCoreApplication>

namespace vx {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("EditPlace", text); }

}  // namespace

bool continuesEdit(EditedControl control) {
  switch (control) {
    case EditedControl::Letter:
    case EditedControl::FirstNumber:
    case EditedControl::LastNumber:
    case EditedControl::LineText:
    case EditedControl::Port:
    case EditedControl::LogoWidth:
    case EditedControl::LogoHeight:
    case EditedControl::Contrast:
      return true;
    default:
      return false;
  }
}

QString describeEdit(const EditPlace& p) {
  switch (p.control) {
    case EditedControl::Letter:
      return tr("letra do botão %1").arg(p.button);
    case EditedControl::PrintLetter:
      return tr("\"Imprimir letra\" do botão %1").arg(p.button);
    case EditedControl::FirstNumber:
      return tr("início do botão %1").arg(p.button);
    case EditedControl::LastNumber:
      return tr("término do botão %1").arg(p.button);
    case EditedControl::LineText:
      return tr("texto da linha %1 do botão %2").arg(p.line).arg(p.button);
    case EditedControl::LineEnabled:
      return tr("\"Habilitar linha\" da linha %1 do botão %2").arg(p.line).arg(p.button);
    case EditedControl::LineExpanded:
      return tr("\"Expandido\" da linha %1 do botão %2").arg(p.line).arg(p.button);
    case EditedControl::Port:
      return tr("porta serial");
    case EditedControl::Beep:
      return tr("\"Emitir bip ao imprimir\"");
    case EditedControl::ResetAtDayEnd:
      return tr("zerar as senhas ao fim do dia");
    case EditedControl::TwoCopies:
      return tr("\"Imprime 2 vias\"");
    case EditedControl::PaperCut:
      return tr("corte do papel");
    case EditedControl::LogoPicture:
      return tr("imagem do logotipo");
    case EditedControl::LogoWidth:
      return tr("largura do logotipo");
    case EditedControl::LogoHeight:
      return tr("altura do logotipo");
    case EditedControl::Contrast:
      return tr("contraste do logotipo");
    case EditedControl::SuggestContrast:
      return tr("contraste sugerido");
    case EditedControl::UpdateLogo:
      return tr("\"Atualizar imagem\"");
    case EditedControl::PrintLogo:
      return tr("\"Imprimir Logotipo\"");
  }
  return {};
}

}  // namespace vx
