#pragma once
// The preview update's image work ("Atualizar imagem"): the logo box rendered from the
// source picture at W × H and thresholded at T into rows 0..H−1 of the logo raster. The
// window's preview update and the command-line sender both make the raster here.

#include <QImage>

#include "logo/logo_box.h"
#include "logo/logo_raster.h"

namespace vx {

// The ranges of the logo's controls: height H (0 while "Imprimir Logotipo" is off), width W
// and threshold T. The window's scroll bars and the pair reader's clamping share them.
inline constexpr int kMinLogoHeight = 10;
inline constexpr int kMaxLogoHeight = kLogoBoxMaxHeight;
inline constexpr int kMinLogoWidth = 20;
inline constexpr int kMaxLogoWidth = kLogoBoxWidth;
inline constexpr int kMinThreshold = 1;
inline constexpr int kMaxThreshold = 255;

// renderLogoBox(source, width, height) thresholded into `raster` by updateRaster(); rows
// from H on keep what they held. H = 0 touches nothing.
void renderLogoRaster(LogoRaster& raster, const QImage& source, int width, int height, int threshold);

}  // namespace vx
