#pragma once
// Where an edit was made: the control the operator used and, for a control of the button page
// or of a ticket line, the button (and line) it edited. The history names its steps by it, and
// undoing one brings that button's page forward and puts the focus back on that control.

#include <QCoreApplication>
#include <QString>

namespace vx {

enum class EditedControl {
  // The button page, per button.
  Letter,
  PrintLetter,
  FirstNumber,
  LastNumber,
  // A ticket line of a button.
  LineText,
  LineEnabled,
  LineExpanded,
  // The options of the whole printer.
  Port,
  Beep,
  ResetAtDayEnd,
  TwoCopies,
  PaperCut,
  // The logo.
  LogoPicture,
  LogoWidth,
  LogoHeight,
  Contrast,
  SuggestContrast,
  UpdateLogo,
  PrintLogo,
};

struct EditPlace {
  Q_DECLARE_TR_FUNCTIONS(EditPlace)

 public:
  EditedControl control = EditedControl::LineText;
  int button = 0;  // 1..4 for a control of the button page or of a line; 0 for the others
  int line = 0;    // 1..8 for a ticket line's control; 0 for the others

  bool operator==(const EditPlace&) const = default;
};

// Whether repeated changes of the control are one step (typing, holding an arrow or a scroll
// bar) rather than one step each (a tick, a click).
bool continuesEdit(EditedControl control);

// The edit in the operator's language, as the undo and redo tips name it: "texto da linha 2 do
// botão 1", "contraste do logotipo".
QString describeEdit(const EditPlace& place);

}  // namespace vx
