#pragma once
// The preview update's image work ("Atualizar imagem"): the logo box rendered from the
// source picture at W × H and thresholded at T into rows 0..H−1 of the logo raster. The
// window's preview update and the command-line sender both make the raster here.

#include <QImage>

#include "logo/logo_raster.h"

namespace vx {

// renderLogoBox(source, width, height) thresholded into `raster` by updateRaster(); rows
// from H on keep what they held. H = 0 touches nothing.
void renderLogoRaster(LogoRaster& raster, const QImage& source, int width, int height, int threshold);

}  // namespace vx
