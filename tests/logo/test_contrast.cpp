// The contrast suggestion and the share of black dots.

#include "logo/contrast.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// A picture whose left `darkShare` of columns have colour `a`, the rest colour `b`.
QImage twoColours(QRgb a, QRgb b, double darkShare = 0.5, QSize size = {300, 90}) {
  QImage image(size, QImage::Format_RGB888);
  image.fill(b);
  const int split = static_cast<int>(size.width() * darkShare);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < split; ++x) image.setPixel(x, y, a);
  return image;
}

TEST(Suggestion, SeparatesTwoLevelsSoTheDarkPrintsAndTheLightStaysPaper) {
  struct Row {
    int a, b;
    double share;
  };
  for (const Row& r : {Row{0, 255, 0.5}, Row{10, 11, 0.5}, Row{100, 200, 0.1}, Row{100, 200, 0.9},
                       Row{254, 255, 0.3}, Row{1, 250, 0.02}}) {
    SCOPED_TRACE(testing::Message() << r.a << " " << r.b << " " << r.share);
    const std::optional<int> t = suggestThreshold(twoColours(qRgb(r.a, r.a, r.a), qRgb(r.b, r.b, r.b), r.share));
    ASSERT_TRUE(t.has_value());
    EXPECT_LE(r.a, *t);
    EXPECT_LT(*t, r.b);
  }
}

TEST(Suggestion, UsesTheThresholdsOwnLuminanceAndLevels) {
  // Pure red has luminance 76.5: it turns black from T = 77 on, so 77 must be suggested or
  // more, while white stays paper.
  const std::optional<int> t = suggestThreshold(twoColours(qRgb(255, 0, 0), qRgb(255, 255, 255)));
  ASSERT_TRUE(t.has_value());
  EXPECT_GE(*t, 77);
  EXPECT_LT(*t, 255);
  // One level, or nothing at all: nothing to separate.
  EXPECT_FALSE(suggestThreshold(twoColours(qRgb(9, 9, 9), qRgb(9, 9, 9))).has_value());
  EXPECT_FALSE(suggestThreshold(QImage()).has_value());
}

TEST(BlackShare, CountsRowsAboveTheHeightInWholePercent) {
  LogoRaster raster;
  EXPECT_EQ(blackDotPercent(raster, 90), 0);
  raster.setDot(399, 89, true);
  EXPECT_EQ(blackDotPercent(raster, 90), 1);  // one dot in 36 000 is not nothing
  EXPECT_EQ(blackDotPercent(raster, 89), 0);  // below the height: not printed
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x) raster.setDot(x, y, x < 72);
  EXPECT_EQ(blackDotPercent(raster, 90), 18);
  EXPECT_EQ(blackDotPercent(raster, 0), 0);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x) raster.setDot(x, y, x != 5 || y != 5);
  EXPECT_EQ(blackDotPercent(raster, 200), 99);  // one paper dot is not everything
  EXPECT_EQ(blackDotPercent(raster, 5), 100);
}

}  // namespace
}  // namespace vx
