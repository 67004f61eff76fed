#pragma once
// The links between the printer's buttons. Two buttons with the same letter share one
// ticket sequence: the later one follows the lowest-numbered earlier button with that
// letter and takes over its numbering (print choice, first and last number). The editor
// applies the rule to the button it shows; the settings job and the save apply it to all
// four buttons first, so that what reaches the printer or the file is what the page would
// show for each button. Pure functions of the model; call on the window's thread.

#include "model/config_model.h"

namespace vx {

// Links button b (1..kButtons) by its letter: sameAsButton[b] := the lowest button m < b
// with letter[m] == letter[b] (same character code), else b. A follower takes over
// printLetter, firstNumber and lastNumber of m. Returns sameAsButton[b]. Whether b is inactive
// is the caller's business: the editor knows it from the letter list, not from the model.
int linkButton(ConfigModel& model, int b);

// Brings the links of buttons 1..kPrinterButtons up to date, in button order, as the page
// would show each of them: an inactive button is linked to no button and keeps its
// numbering; every other is linked by linkButton(). Slots 5 and 6 are left as they are.
void updateButtonLinks(ConfigModel& model);

}  // namespace vx
