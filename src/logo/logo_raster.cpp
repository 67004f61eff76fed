#include "logo/logo_raster.h"

#include <algorithm>
#include <bit>

namespace vx {
namespace {

// The luminance is worked out in integers rather than in the platform's long double: ties
// where 30R + 59G + 11B = 100T are decided by the last bit of x87 rounding, and ARM and the
// compilers whose long double is a double have no 64-bit-mantissa type to reproduce it.
//
// Every value on the way is a whole multiple of 2^-67, the last mantissa bit of 0.11
// (products with whole channels and roundings keep that), and below 2^8, so an unsigned
// 128-bit count of 2^-67 units holds it exactly.
using Wide = unsigned __int128;
constexpr int kUnitBits = 67;

// round(num × 2^scale / den); den has a factor 5, so the quotient is never a tie.
constexpr Wide nearestQuotient(Wide num, Wide den, int scale) { return ((num << scale) + den / 2) / den; }

// The three constants with their 64-bit mantissas, in units.
constexpr Wide kRedWeight = nearestQuotient(3, 10, 65) << 2;     // 0.3 = 1.2 × 2^-2
constexpr Wide kGreenWeight = nearestQuotient(59, 100, 64) << 3;  // 0.59 = 1.18 × 2^-1
constexpr Wide kBlueWeight = nearestQuotient(11, 100, 67);        // 0.11 = 1.76 × 2^-4
static_assert(kRedWeight >> 2 >> 63 == 1 && kGreenWeight >> 3 >> 63 == 1 && kBlueWeight >> 63 == 1,
              "each constant needs exactly 64 significant bits");

int bitLength(Wide x) {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  return high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(static_cast<std::uint64_t>(x));
}

// What the FPU does with each product and sum: keep 64 significant bits, to nearest, ties
// to even.
Wide roundToExtended(Wide x) {
  const int dropped = bitLength(x) - 64;
  if (dropped <= 0) return x;
  const Wide unit = Wide{1} << dropped;
  const Wide rest = x & (unit - 1);
  x -= rest;
  const Wide half = unit >> 1;
  if (rest > half || (rest == half && (x & unit) != 0)) x += unit;
  return x;
}

// Components outside 0..255 are taken as the nearest end, which keeps every value in range.
int channel(int component) { return std::clamp(component, 0, 255); }

Wide inUnits(std::uint64_t mantissa, int exponent) { return Wide{mantissa} << (exponent + kUnitBits); }

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

std::strong_ordering LogoLuminance::operator<=>(int level) const {
  if (level < 0) return std::strong_ordering::greater;
  return inUnits(mantissa_, exponent_) <=> Wide{static_cast<unsigned>(level)} << kUnitBits;
}

int LogoLuminance::ceiling() const {
  const Wide oneLess = (Wide{1} << kUnitBits) - 1;
  return static_cast<int>((inUnits(mantissa_, exponent_) + oneLess) >> kUnitBits);
}

LogoLuminance logoLuminance(int red, int green, int blue) {
  const auto times = [](Wide weight, int component) { return roundToExtended(weight * channel(component)); };
  const Wide sum = roundToExtended(roundToExtended(times(kRedWeight, red) + times(kGreenWeight, green)) +
                                   times(kBlueWeight, blue));
  // At most 64 significant bits now; the bits below them are zero.
  const int shift = std::max(bitLength(sum) - 64, 0);
  return {static_cast<std::uint64_t>(sum >> shift), shift - kUnitBits};
}

bool turnsBlack(int red, int green, int blue, int threshold) {
  // Off a tie the exact weighted sum decides: the roundings move L by less than 1e-16 and
  // L is then at least 0.01 away from T. Spares nearly every colour the wide arithmetic.
  const int weighted = 30 * channel(red) + 59 * channel(green) + 11 * channel(blue);
  const std::int64_t tie = std::int64_t{100} * threshold;
  if (weighted != tie) return weighted < tie;
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
