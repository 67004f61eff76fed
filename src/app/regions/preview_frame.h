#pragma once
// The frame "Pré-visualização da Senha": the ticket preview, back to front the paper top
// Image5, the logo raster Image2, the paper under the logo Image4, the eight ticket lines
// Label5..Label12, "SENHA" Label13, the date Label15 and the sample number Image6.

#include "app/widgets/controls.h"
#include "model/config_model.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>

#include <array>

namespace vx {

class ControlFactory;
struct PreviewLayout;

struct PreviewFrame {
  Q_DECLARE_TR_FUNCTIONS(PreviewFrame)

 public:
  QGroupBox* GroupBox4 = nullptr;  // "Pré-visualização da Senha"
  QLabel* Label1 = nullptr;  // "Senha Emitida Pelo Botão n"
  Image* Image5 = nullptr;  // the top of the ticket paper
  Image* Image2 = nullptr;  // the logo raster, 289 × 145
  Image* Image4 = nullptr;  // the paper under the logo; top and height follow the layout
  QLabel* Label5 = nullptr;  // ticket lines 1..8: Label5..Label12
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;  // "SENHA"
  Image* Image6 = nullptr;  // a sample ticket number
  QLabel* Label15 = nullptr;  // the running date and time

  // The preview lines, indexed 1..8 (element 0 unused).
  std::array<QLabel*, kLines + 1> lineLabel{};

  void createPreviewFrame(ControlFactory& make, const QImage& logoRaster);
  // Moves the paper, the enabled lines, "SENHA", the number and the date to `layout`.
  void placePreview(const PreviewLayout& layout);
};

}  // namespace vx
