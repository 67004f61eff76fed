#pragma once
// The logo raster: 400 × 200 dots, each black (printed) or the paper colour (blank), as
// the ticket preview shows it and the logo upload sends it. The preview update thresholds
// rows 0..H−1 of the logo box into it; rows from H down keep what they held.

#include <QImage>

namespace vx {

inline constexpr int kLogoRasterWidth = 400;
inline constexpr int kLogoRasterHeight = 200;
inline constexpr QRgb kLogoBlack = 0xFF000000u;  // RGB (0, 0, 0)
inline constexpr QRgb kLogoPaper = 0xFFFFFFA0u;  // RGB (255, 255, 160)

class LogoRaster {
 public:
  // Every dot has the paper colour.
  LogoRaster();

  // 400 × 200, RGB888: what the preview shows.
  const QImage& image() const { return image_; }

  bool isBlack(int x, int y) const;
  void setDot(int x, int y, bool black);

  bool operator==(const LogoRaster& other) const { return image_ == other.image_; }

 private:
  friend void updateRaster(LogoRaster&, const QImage&, int, int);
  QImage image_;
};

// L = (0.3 × R + 0.59 × G) + 0.11 × B in x87 extended precision (64-bit mantissa): each
// product and each sum rounded to nearest, the constants the extended values nearest to
// 0.3, 0.59 and 0.11. Not rounded to an integer.
long double logoLuminance(int red, int green, int blue);

// The threshold rule: a box pixel becomes a black dot when its luminance is <= T.
bool turnsBlack(int red, int green, int blue, int threshold);

// Thresholds rows 0..H−1, columns 0..399 of the logo box `box` (400 × H as renderLogoBox
// makes it; any format) into `raster` with threshold T. H is limited to 0..200; pixels
// outside `box` count as white. Rows from H on are not touched; H = 0 touches nothing.
void updateRaster(LogoRaster& raster, const QImage& box, int height, int threshold);

}  // namespace vx
