#include "logo/logo_preview.h"

namespace vx {

void renderLogoRaster(LogoRaster& raster, const QImage& source, int width, int height, int threshold) {
  updateRaster(raster, renderLogoBox(source, width, height), height, threshold);
}

}  // namespace vx
