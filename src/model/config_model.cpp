#include "config_model.h"

namespace vx {

ButtonSettings buttonSettings(const ConfigModel& m, int b) {
  ButtonSettings s;
  s.letter = m.letter[b];
  s.printLetter = m.printLetter[b];
  s.firstNumber = m.firstNumber[b];
  s.lastNumber = m.lastNumber[b];
  s.sameAsButton = m.sameAsButton[b];
  for (int l = 1; l <= kLines; ++l) {
    s.lineText[l] = m.lineText[l][b];
    s.lineEnabled[l] = m.lineEnabled[l][b];
    s.lineExpanded[l] = m.lineExpanded[l][b];
  }
  return s;
}

void setButtonSettings(ConfigModel& m, int b, const ButtonSettings& s) {
  m.letter[b] = s.letter;
  m.printLetter[b] = s.printLetter;
  m.firstNumber[b] = s.firstNumber;
  m.lastNumber[b] = s.lastNumber;
  m.sameAsButton[b] = s.sameAsButton;
  for (int l = 1; l <= kLines; ++l) {
    m.lineText[l][b] = s.lineText[l];
    m.lineEnabled[l][b] = s.lineEnabled[l];
    m.lineExpanded[l][b] = s.lineExpanded[l];
  }
}

void applyNumberingDefaults(ConfigModel& m) {
  for (int b = 1; b <= kButtons; ++b) m.sameAsButton[b] = static_cast<std::uint8_t>(b);
  const char letters[] = {'A', 'b', 'C', 'd'};
  for (int b = 1; b <= kPrinterButtons; ++b) m.letter[b] = static_cast<std::uint8_t>(letters[b - 1]);
  for (int b = 1; b <= kButtons; ++b) {
    m.printLetter[b] = true;
    m.firstNumber[b] = 0;
    m.lastNumber[b] = 99;
  }
}

}  // namespace vx
