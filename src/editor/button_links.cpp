#include "editor/button_links.h"

namespace vx {

int linkButton(ConfigModel& model, int b) {
  model.igual_botao[b] = static_cast<std::uint8_t>(b);
  for (int m = 1; m < b; ++m) {
    if (model.letra[m] != model.letra[b]) continue;
    model.igual_botao[b] = static_cast<std::uint8_t>(m);
    model.imprime_letra[b] = model.imprime_letra[m];
    model.inicio[b] = model.inicio[m];
    model.termino[b] = model.termino[m];
    break;
  }
  return model.igual_botao[b];
}

void updateButtonLinks(ConfigModel& model) {
  // In button order: a follower takes over the numbering of a button whose own link is
  // already settled (the lowest button with a letter is always independent).
  for (int b = 1; b <= kPrinterButtons; ++b) {
    if (model.letra[b] == kInactiveLetter)
      model.igual_botao[b] = kInactiveLink;
    else
      linkButton(model, b);
  }
}

}  // namespace vx
