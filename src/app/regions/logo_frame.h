#pragma once
// The frame "Configuração de Logotipo (Todos Botões)": the logo box (a white backdrop and the
// source picture scaled over it to the chosen width and height), the height, width and
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
  QGroupBox* logoSettingsGroup = nullptr;
  QLabel* zoomLabel = nullptr;
  ScrollBar* logoWidthBar = nullptr;   // 20..400
  ScrollBar* logoHeightBar = nullptr;  // 10..200, 0 while the logo is off
  Image* logoBackdrop = nullptr;       // white, 400 × height
  Image* logoPicture = nullptr;        // the source picture at width × height
  QPushButton* openPictureButton = nullptr;
  QPushButton* updatePictureButton = nullptr;  // thresholds the box into the logo raster
  QLabel* contrastLabel = nullptr;
  ScrollBar* contrastBar = nullptr;   // the threshold, 1..255
  QLabel* blackShareLabel = nullptr;  // "Preto: 18 %", beside the contrast bar
  CheckBox* printLogoBox = nullptr;
  QPushButton* suggestButton = nullptr;
  QPushButton* sendLogoButton = nullptr;

  std::int32_t logoBoxLeft = 0;      // the logo picture's left edge at start-up; the box centres from it
  std::int32_t savedLogoHeight = 0;  // the logo height kept while the logo is off

  void createLogoFrame(ControlFactory& make);
  // blackShareLabel's text: "Preto: 18 %".
  static QString blackShareText(int percent);
};

}  // namespace vx
