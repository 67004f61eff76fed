// Built with -ffp-contract=off: the luminance must round each product and each sum.
#include "logo/logo_raster.h"

#include <algorithm>
#include <cfloat>

namespace vx {

// Ties where 30R + 59G + 11B = 100T are decided by the rounding of this very precision;
// a different long double would blacken a different set of dots.
static_assert(LDBL_MANT_DIG == 64, "the logo threshold needs x87 extended precision");

namespace {

constexpr uchar kPaperRgb[3] = {255, 255, 160};

// Writes one RGB888 dot of the raster.
inline void paintDot(uchar* dot, bool black) {
  if (black) {
    dot[0] = dot[1] = dot[2] = 0;
  } else {
    std::copy(kPaperRgb, kPaperRgb + 3, dot);
  }
}

}  // namespace

LogoRaster::LogoRaster() : image_(kLogoRasterWidth, kLogoRasterHeight, QImage::Format_RGB888) {
  image_.fill(QColor::fromRgb(kLogoPaper));
}

bool LogoRaster::isBlack(int x, int y) const {
  const uchar* p = image_.constScanLine(y) + 3 * x;
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

void LogoRaster::setDot(int x, int y, bool black) { paintDot(image_.scanLine(y) + 3 * x, black); }

long double logoLuminance(int red, int green, int blue) {
  return (0.3L * red + 0.59L * green) + 0.11L * blue;
}

bool turnsBlack(int red, int green, int blue, int threshold) {
  return logoLuminance(red, green, blue) <= threshold;
}

void updateRaster(LogoRaster& raster, const QImage& box, int height, int threshold) {
  height = std::clamp(height, 0, kLogoRasterHeight);
  if (height == 0) return;
  const QImage rgb = box.format() == QImage::Format_RGB888 ? box : box.convertToFormat(QImage::Format_RGB888);
  const int boxWidth = std::min(rgb.width(), kLogoRasterWidth);

  // Most boxes hold few distinct colours (white backdrop, a palette picture): remember
  // the last one.
  int lastR = -1, lastG = -1, lastB = -1;
  bool lastBlack = false;
  QImage& dots = raster.image_;
  for (int y = 0; y < height; ++y) {
    const uchar* in = y < rgb.height() ? rgb.constScanLine(y) : nullptr;
    uchar* out = dots.scanLine(y);
    for (int x = 0; x < kLogoRasterWidth; ++x) {
      int r = 255, g = 255, b = 255;
      if (in != nullptr && x < boxWidth) {
        r = in[3 * x];
        g = in[3 * x + 1];
        b = in[3 * x + 2];
      }
      if (r != lastR || g != lastG || b != lastB) {
        lastR = r;
        lastG = g;
        lastB = b;
        lastBlack = turnsBlack(r, g, b, threshold);
      }
      paintDot(out + 3 * x, lastBlack);
    }
  }
}

}  // namespace vx
