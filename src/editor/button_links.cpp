#include "editor/button_links.h"

namespace vx {

int linkButton(ConfigModel& model, int b) {
  model.sameAsButton[b] = static_cast<std::uint8_t>(b);
  for (int m = 1; m < b; ++m) {
    if (model.letter[m] != model.letter[b]) continue;
    model.sameAsButton[b] = static_cast<std::uint8_t>(m);
    model.printLetter[b] = model.printLetter[m];
    model.firstNumber[b] = model.firstNumber[m];
    model.lastNumber[b] = model.lastNumber[m];
    break;
  }
  return model.sameAsButton[b];
}

void updateButtonLinks(ConfigModel& model) {
  // In button order: a follower takes over the numbering of a button whose own link is
  // already settled (the lowest button with a letter is always independent).
  for (int b = 1; b <= kPrinterButtons; ++b) {
    if (model.isInactive(b))
      model.setInactive(b);
    else
      linkButton(model, b);
  }
}

}  // namespace vx
