#pragma once
// The frame "Pré-visualização da Senha": the ticket preview, back to front the top of the
// paper, the logo raster, the paper under the logo, the eight ticket lines, "SENHA", the date
// and time, and a sample ticket number.

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
  QGroupBox* previewGroup = nullptr;
  QLabel* previewTitleLabel = nullptr;  // "Senha Emitida Pelo Botão n"
  Image* ticketPaperTop = nullptr;
  Image* logoPreview = nullptr;                    // the logo raster, 289 × 145
  Image* ticketPaper = nullptr;                    // under the logo; its top and height follow the layout
  std::array<QLabel*, kLines + 1> previewLines{};  // ticket lines 1..8 (element 0 unused)
  QLabel* ticketWordLabel = nullptr;               // "SENHA"
  Image* sampleNumber = nullptr;
  QLabel* clockLabel = nullptr;  // the running date and time

  void createPreviewFrame(ControlFactory& make, const QImage& logoRaster);
  // Moves the paper, the enabled lines, "SENHA", the number and the date to `layout`.
  void placePreview(const PreviewLayout& layout);
};

}  // namespace vx
