#include "logo/logo_raster.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "logo/default_picture.h"
#include "logo/logo_box.h"

namespace vx {
namespace {

QImage box(int height, QRgb colour) {
  QImage image(400, height, QImage::Format_RGB888);
  image.fill(colour);
  return image;
}

int blackDots(const LogoRaster& raster, int fromRow, int toRow) {
  int n = 0;
  for (int y = fromRow; y < toRow; ++y) {
    for (int x = 0; x < 400; ++x) n += raster.isBlack(x, y) ? 1 : 0;
  }
  return n;
}

TEST(LogoRaster, StartsAllPaper) {
  const LogoRaster raster;
  ASSERT_EQ(raster.image().size(), QSize(400, 200));
  EXPECT_EQ(raster.image().format(), QImage::Format_RGB888);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 400; ++x) ASSERT_EQ(raster.image().pixel(x, y), kLogoPaper);
  }
}

TEST(Threshold, Threshold255MakesEveryDotBlack) {
  // White included: its luminance is exactly 255.
  QImage source(4, 1, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(255, 255, 255), qRgb(255, 255, 254), qRgb(0, 0, 255), qRgb(128, 64, 32)};
  for (int x = 0; x < 4; ++x) source.setPixel(x, 0, colours[x]);
  LogoRaster raster;
  updateRaster(raster, renderLogoBox(source, 400, 200), 200, 255);
  EXPECT_EQ(blackDots(raster, 0, 200), 400 * 200);
}

TEST(Threshold, Threshold1KeepsOnlyLuminanceUpTo1) {
  struct Row {
    QRgb colour;
    bool black;  // L <= 1
  };
  const Row rows[] = {
      {qRgb(0, 0, 0), true},    // 0
      {qRgb(1, 1, 1), true},    // exactly 1
      {qRgb(3, 0, 0), true},    // 0.9
      {qRgb(0, 0, 9), true},    // 0.99
      {qRgb(2, 2, 2), false},   // 2
      {qRgb(0, 2, 0), false},   // 1.18
      {qRgb(4, 0, 0), false},   // 1.2
      {qRgb(0, 0, 10), false},  // 1.1
      {qRgb(255, 255, 255), false},
  };
  for (const Row& r : rows) {
    LogoRaster raster;
    updateRaster(raster, box(1, r.colour), 1, 1);
    EXPECT_EQ(raster.isBlack(123, 0), r.black)
        << qRed(r.colour) << "," << qGreen(r.colour) << "," << qBlue(r.colour);
  }
}

TEST(Threshold, ExactTiesFollowExtendedPrecisionRounding) {
  // Every row is a tie: 30R + 59G + 11B = 100T, so in exact arithmetic L = T and the dot
  // would be black. The expectations come from rounding each step to a 64-bit mantissa by
  // hand (exact rational arithmetic, round to nearest even): a few ties land one unit
  // above T and stay paper. In double precision the rows marked "double differs" go the
  // other way, so a computation in the wrong precision fails here.
  struct Row {
    int r, g, b, t;
    bool black;
    const char* note;
  };
  const Row rows[] = {
      {117, 117, 117, 117, false, "grey 117 comes out 6.9e-18 above 117; double differs"},
      {234, 234, 234, 234, false, "grey 234 comes out 1.4e-17 above 234; double differs"},
      {14, 1, 11, 6, false, "4.3e-19 above; double differs"},
      {21, 1, 1, 7, false, "4.3e-19 above; double differs"},
      {14, 4, 4, 7, false, "4.3e-19 above in both precisions"},
      {1, 218, 28, 132, true, "exact in extended; double differs"},
      {3, 109, 89, 75, true, "exact in extended; double differs"},
      {7, 7, 7, 7, true, "4.3e-19 below"},
      {255, 255, 255, 255, true, "exact"},
      {1, 1, 1, 1, true, "exact"},
  };
  for (const Row& r : rows) {
    ASSERT_EQ(30 * r.r + 59 * r.g + 11 * r.b, 100 * r.t) << "not a tie: " << r.note;
    EXPECT_EQ(turnsBlack(r.r, r.g, r.b, r.t), r.black) << r.note;
    // The contrast suggestion's histogram level follows the same rounding.
    EXPECT_EQ(logoLuminance(r.r, r.g, r.b).ceiling(), r.black ? r.t : r.t + 1) << r.note;
    // And through the raster, as the preview update does it.
    LogoRaster raster;
    updateRaster(raster, box(1, qRgb(r.r, r.g, r.b)), 1, r.t);
    EXPECT_EQ(raster.isBlack(0, 0), r.black) << r.note;
    // One step either side of the tie is never in doubt.
    EXPECT_TRUE(turnsBlack(r.r, r.g, r.b, r.t + 1)) << r.note;
    if (r.t > 0) {
      EXPECT_FALSE(turnsBlack(r.r, r.g, r.b, r.t - 1)) << r.note;
    }
  }
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
TEST(Threshold, LuminanceIsTheFpuValueForEveryColour) {
  // The integer luminance against the x87's own long double for all 2^24 colours: the same
  // value to the last bit, and the same ceiling, comparisons and threshold decisions at the
  // levels around it. One pass that counts mismatches; the first is reported.
  long mismatches = 0;
  std::ostringstream first;
  for (int r = 0; r < 256; ++r) {
    for (int g = 0; g < 256; ++g) {
      for (int b = 0; b < 256; ++b) {
        const long double fpu = (0.3L * r + 0.59L * g) + 0.11L * b;
        const LogoLuminance exact = logoLuminance(r, g, b);
        // Both sides in units of 2^-67, which hold every luminance; the scalings are exact.
        const int shift = exact.exponent() + 67;
        const bool sameValue = shift >= 0 && shift < 31 &&
                               static_cast<long double>(exact.mantissa()) * (1 << shift) == fpu * 0x1p67L;
        const int level = exact.ceiling();
        const bool same = sameValue && level == static_cast<int>(std::ceil(fpu)) && exact <= level &&
                          !(exact <= level - 1) && (exact == level) == (fpu == level) &&
                          turnsBlack(r, g, b, level) == (fpu <= level) &&
                          turnsBlack(r, g, b, level - 1) == (fpu <= level - 1);
        if (!same && mismatches++ == 0) {
          first << r << "," << g << "," << b << ": FPU " << std::setprecision(21) << fpu << ", integers "
                << exact.mantissa() << " x 2^" << exact.exponent();
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "first " << first.str();
}
#endif

TEST(Threshold, RowsFromHeightOnAreUntouched) {
  LogoRaster raster;
  updateRaster(raster, box(200, qRgb(0, 0, 0)), 200, 127);  // all black
  updateRaster(raster, box(120, qRgb(255, 255, 255)), 120, 127);
  EXPECT_EQ(blackDots(raster, 0, 120), 0);
  EXPECT_EQ(blackDots(raster, 120, 200), 400 * 80);

  const LogoRaster before = raster;
  updateRaster(raster, QImage(), 0, 255);  // the logo switched off: H = 0
  EXPECT_EQ(raster, before);
}

TEST(Threshold, PixelsOutsideASmallBoxCountAsWhite) {
  LogoRaster raster;
  QImage narrow(10, 2, QImage::Format_RGB888);
  narrow.fill(Qt::black);
  updateRaster(raster, narrow, 4, 127);
  EXPECT_TRUE(raster.isBlack(9, 1));
  EXPECT_FALSE(raster.isBlack(10, 1));
  EXPECT_FALSE(raster.isBlack(0, 2));
  EXPECT_EQ(blackDots(raster, 0, 200), 20);
}

TEST(Threshold, ContrastDecidesWhetherTheDefaultShadowPrints) {
  // The default picture's letter shadow is grey 150: blank at the start-up threshold 127,
  // printed at 150.
  const QImage source = defaultLogoPicture();
  const QImage logoBox = renderLogoBox(source, 300, 90);
  LogoRaster low, high;
  updateRaster(low, logoBox, 90, 127);
  updateRaster(high, logoBox, 90, 150);
  const int atLow = blackDots(low, 0, 90);
  EXPECT_GT(atLow, 1000);
  EXPECT_LT(atLow, 400 * 90 / 2);
  EXPECT_GT(blackDots(high, 0, 90), atLow);
  EXPECT_EQ(blackDots(low, 90, 200), 0);
}

}  // namespace
}  // namespace vx
