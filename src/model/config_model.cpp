#include "config_model.h"

namespace vx {

ButtonSettings buttonSettings(const ConfigModel& m, int b) {
  ButtonSettings s;
  s.letra = m.letra[b];
  s.imprime_letra = m.imprime_letra[b];
  s.inicio = m.inicio[b];
  s.termino = m.termino[b];
  s.igual_botao = m.igual_botao[b];
  for (int l = 1; l <= kLines; ++l) {
    s.texto[l] = m.texto[l][b];
    s.habilita_linha[l] = m.habilita_linha[l][b];
    s.expandido[l] = m.expandido[l][b];
  }
  return s;
}

void setButtonSettings(ConfigModel& m, int b, const ButtonSettings& s) {
  m.letra[b] = s.letra;
  m.imprime_letra[b] = s.imprime_letra;
  m.inicio[b] = s.inicio;
  m.termino[b] = s.termino;
  m.igual_botao[b] = s.igual_botao;
  for (int l = 1; l <= kLines; ++l) {
    m.texto[l][b] = s.texto[l];
    m.habilita_linha[l][b] = s.habilita_linha[l];
    m.expandido[l][b] = s.expandido[l];
  }
}

void applyNumberingDefaults(ConfigModel& m) {
  for (int b = 1; b <= kButtons; ++b) m.igual_botao[b] = static_cast<std::uint8_t>(b);
  const char letters[] = {'A', 'b', 'C', 'd'};
  for (int b = 1; b <= kPrinterButtons; ++b) m.letra[b] = static_cast<std::uint8_t>(letters[b - 1]);
  for (int b = 1; b <= kButtons; ++b) {
    m.imprime_letra[b] = 0;
    m.inicio[b] = 0;
    m.termino[b] = 99;
  }
}

}  // namespace vx
