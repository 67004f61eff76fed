#pragma once
// The frame "Configuração de Logotipo (Todos Botões)": the logo box (a white backdrop Image3
// and the source picture Image1 scaled to the chosen width and height), the height, width and
// contrast bars with the share of black dots and the contrast suggestion, the picture and
// update commands, the logo switch and the upload command; and
// the two values the logo box keeps beside the model.

#include "app/widgets/controls.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <cstdint>

namespace vx {

class ControlFactory;

struct LogoFrame {
  Q_DECLARE_TR_FUNCTIONS(LogoFrame)

 public:
  QGroupBox* Label28 = nullptr;  // "Configuração de Logotipo (Todos Botões)"
  QLabel* Label25 = nullptr;  // "Zoom"
  ScrollBar* ScrollBar2 = nullptr;  // logo width, 20..400
  ScrollBar* ScrollBar1 = nullptr;  // logo height, 10..200 (0 while the logo is off)
  Image* Image3 = nullptr;  // white backdrop, 400 × height
  Image* Image1 = nullptr;  // the source picture at width × height
  QPushButton* BitBtn15 = nullptr;  // "Abrir imagem"
  QPushButton* BitBtn11 = nullptr;  // "Atualizar imagem"
  QLabel* Label24 = nullptr;  // "Contraste:"
  ScrollBar* ScrollBar3 = nullptr;  // threshold, 1..255
  QLabel* blackShareLabel = nullptr;  // "Preto: 18 %", beside the contrast control
  CheckBox* CheckBox1 = nullptr;  // "Imprimir Logotipo"
  QPushButton* suggestButton = nullptr;  // "Sugerir"
  QPushButton* BitBtn12 = nullptr;  // "Enviar Todas Configurações de Logotipo"

  std::int32_t logoBoxLeft = 0;  // Image1's left edge captured at start-up; the box centres from it
  std::int32_t savedLogoHeight = 0;  // the logo height kept while the logo is off

  void createLogoFrame(ControlFactory& make);
  // blackShareLabel's text: "Preto: 18 %".
  static QString blackShareText(int percent);
};

}  // namespace vx
