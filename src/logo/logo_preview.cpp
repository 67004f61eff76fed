#include "logo/logo_preview.h"

#include "logo/logo_box.h"

namespace vx {

void renderLogoRaster(LogoRaster& raster, const QImage& source, int width, int height, int threshold) {
  updateRaster(raster, renderLogoBox(source, width, height), height, threshold);
}

}  // namespace vx
