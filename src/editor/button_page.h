#pragma once
// Selecting a button on the button page, without a window: the letter list, which button a
// press on the picture of the printer's four buttons selects, and what the page shows when
// it switches to a button (its titles, its letter and print choice, its numbers). The switch
// handler fills the controls from a ButtonPageLoad and then runs the numbering rule.

#include "model/config_model.h"

#include <QString>
#include <QStringList>

namespace vx {

// The letter list letterList offers: eighteen letters in the case the printer prints them,
// then "Inativo", which switches a button off.
const QStringList& letterItems();
inline constexpr int kInactiveItem = 18;

// The picture of the printer's buttons: button 1 top left, 2 bottom left, 3 top right,
// 4 bottom right. The first x of the right column and the first y of the bottom row.
inline constexpr int kButtonPanelSplitX = 139;
inline constexpr int kButtonPanelSplitY = 49;

// The button (1..4) a press at (x, y), relative to the picture, selects.
int buttonAtPanelPoint(int x, int y);

// The page's titles for `button`, in the operator's language: "Funcionamento do botão n:" over
// the button page, "Senha Emitida Pelo Botão n" over the text frame and the preview.
QString pageTitle(int button);
QString ticketTitle(int button);

// The page of `button` as it is loaded from the model.
struct ButtonPageLoad {
  QString pageTitle;    // pageTitleLabel "Funcionamento do botão n:"
  QString ticketTitle;  // previewTitleLabel and textTitleLabel "Senha Emitida Pelo Botão n"
  int start = 0;        // firstNumberBox
  int end = 0;          // lastNumberBox
  // letterList's item whose first character is the stored letter, or -1 when no item has it;
  // then letterText is what the field shows (the stored letter, or nothing for code 0).
  int letterItem = -1;
  QString letterText;
  bool printLetter = true;  // printLetterList: "Imprimir" or "Não imprimir"
  bool operator==(const ButtonPageLoad&) const = default;
};

ButtonPageLoad buttonPage(const ConfigModel& model, int button);

}  // namespace vx
