#pragma once
// The configuration model as the program starts: letters A b C d printed, each button its
// own letter, numbers 0..99, line 1 "  AGUARDE SUA VEZ PARA SER ATENDIDO !" enabled, lines
// 2..8 "Linha 2".."Linha 8" disabled, nothing expanded.

#include "model/config_model.h"

namespace vx::test {

inline ConfigModel freshModel() {
  ConfigModel m;
  applyNumberingDefaults(m);
  for (int b = 1; b <= kButtons; ++b) {
    m.lineText[1][b] = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");
    m.lineEnabled[1][b] = true;
    for (int l = 2; l <= kLines; ++l) m.lineText[l][b] = QStringLiteral("Linha %1").arg(l);
  }
  return m;
}

}  // namespace vx::test
