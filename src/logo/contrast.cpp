#include "logo/contrast.h"

#include "logo/logo_box.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vx {
namespace {

using Histogram = std::array<std::int64_t, 256>;

Histogram luminanceHistogram(const QImage& picture) {
  Histogram h{};
  const QImage rgb = picture.format() == QImage::Format_RGB888 ? picture : picture.convertToFormat(QImage::Format_RGB888);
  // Pictures hold few distinct colours in long runs: remember the last one.
  int lastR = -1, lastG = -1, lastB = -1, lastLevel = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* p = rgb.constScanLine(y);
    for (int x = 0; x < rgb.width(); ++x, p += 3) {
      if (p[0] != lastR || p[1] != lastG || p[2] != lastB) {
        lastR = p[0];
        lastG = p[1];
        lastB = p[2];
        lastLevel = std::clamp(logoLuminance(lastR, lastG, lastB).ceiling(), 0, 255);
      }
      ++h[static_cast<size_t>(lastLevel)];
    }
  }
  return h;
}

}  // namespace

std::optional<int> suggestThreshold(const QImage& picture) {
  if (picture.isNull()) return std::nullopt;
  // The exact comparison below holds for up to the box's 400 × 200 dots; a larger picture
  // is sampled down to that first.
  const bool large = std::int64_t{picture.width()} * picture.height() > std::int64_t{kLogoBoxWidth} * kLogoBoxMaxHeight;
  const Histogram h = luminanceHistogram(
      large ? scaledPicture(picture, std::min(picture.width(), kLogoBoxWidth),
                            std::min(picture.height(), kLogoBoxMaxHeight))
            : picture);
  std::int64_t total = 0;
  std::int64_t sum = 0;
  for (int v = 0; v < 256; ++v) {
    total += h[static_cast<size_t>(v)];
    sum += v * h[static_cast<size_t>(v)];
  }
  // Between-class variance of the split "levels <= k" against the rest, up to a constant
  // factor: (sum × n0 − total × s0)² / (n0 × (total − n0)). Compared exactly as fractions,
  // so equal splits tie exactly and the middle of the best run can be taken.
  using Wide = unsigned __int128;
  Wide bestNum = 0;
  Wide bestDen = 1;
  int first = -1;
  int last = -1;
  std::int64_t n0 = 0;
  std::int64_t s0 = 0;
  for (int k = 0; k < 255; ++k) {
    n0 += h[static_cast<size_t>(k)];
    s0 += k * h[static_cast<size_t>(k)];
    const std::int64_t n1 = total - n0;
    if (n0 == 0 || n1 == 0) continue;
    const std::int64_t diff = sum * n0 - total * s0;  // |diff| < 255 × 80 000²  fits 64 bits
    const Wide d = static_cast<Wide>(diff < 0 ? -diff : diff);
    const Wide num = d * d;
    const Wide den = static_cast<Wide>(n0) * static_cast<Wide>(n1);
    // num / den against bestNum / bestDen; the products stay below 2^127 for 80 000 dots.
    const Wide lhs = num * bestDen;
    const Wide rhs = bestNum * den;
    if (first < 0 || lhs > rhs) {
      bestNum = num;
      bestDen = den;
      first = last = k;
    } else if (lhs == rhs && last == k - 1) {
      last = k;
    }
  }
  if (first < 0) return std::nullopt;
  return std::clamp((first + last) / 2, 1, 255);
}

int blackDotPercent(const LogoRaster& raster, int height) {
  height = std::min(height, kLogoRasterHeight);
  if (height <= 0) return 0;
  std::int64_t black = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < kLogoRasterWidth; ++x) black += raster.isBlack(x, y) ? 1 : 0;
  const std::int64_t all = std::int64_t{kLogoRasterWidth} * height;
  const auto percent = static_cast<int>((black * 200 + all) / (all * 2));
  if (black > 0 && percent == 0) return 1;
  if (black < all && percent == 100) return 99;
  return percent;
}

}  // namespace vx
