#include "editor/edit_place.h"

namespace vx {
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
      return EditPlace::tr("letra do botão %1").arg(p.button);
    case EditedControl::PrintLetter:
      return EditPlace::tr("\"Imprimir letra\" do botão %1").arg(p.button);
    case EditedControl::FirstNumber:
      return EditPlace::tr("início do botão %1").arg(p.button);
    case EditedControl::LastNumber:
      return EditPlace::tr("término do botão %1").arg(p.button);
    case EditedControl::LineText:
      return EditPlace::tr("texto da linha %1 do botão %2").arg(p.line).arg(p.button);
    case EditedControl::LineEnabled:
      return EditPlace::tr("\"Habilitar linha\" da linha %1 do botão %2").arg(p.line).arg(p.button);
    case EditedControl::LineExpanded:
      return EditPlace::tr("\"Expandido\" da linha %1 do botão %2").arg(p.line).arg(p.button);
    case EditedControl::Port:
      return EditPlace::tr("porta serial");
    case EditedControl::Beep:
      return EditPlace::tr("\"Emitir bip ao imprimir\"");
    case EditedControl::ResetAtDayEnd:
      return EditPlace::tr("zerar as senhas ao fim do dia");
    case EditedControl::TwoCopies:
      return EditPlace::tr("\"Imprime 2 vias\"");
    case EditedControl::PaperCut:
      return EditPlace::tr("corte do papel");
    case EditedControl::LogoPicture:
      return EditPlace::tr("imagem do logotipo");
    case EditedControl::LogoWidth:
      return EditPlace::tr("largura do logotipo");
    case EditedControl::LogoHeight:
      return EditPlace::tr("altura do logotipo");
    case EditedControl::Contrast:
      return EditPlace::tr("contraste do logotipo");
    case EditedControl::SuggestContrast:
      return EditPlace::tr("contraste sugerido");
    case EditedControl::UpdateLogo:
      return EditPlace::tr("\"Atualizar imagem\"");
    case EditedControl::PrintLogo:
      return EditPlace::tr("\"Imprimir Logotipo\"");
  }
  return {};
}

}  // namespace vx
