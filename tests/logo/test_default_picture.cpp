#include "logo/default_picture.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(DefaultPicture, Is987By298With8BitsPerDotAndAGreyPalette) {
  const QImage picture = defaultLogoPicture();
  ASSERT_EQ(picture.size(), QSize(987, 298));
  EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
  ASSERT_EQ(picture.colorCount(), 256);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(picture.color(i), qRgb(i, i, i));
  EXPECT_TRUE(defaultSourcePicture().fileBytes.isEmpty());
}

TEST(DefaultPicture, IsTheSameEveryTime) { EXPECT_EQ(defaultLogoPicture(), defaultLogoPicture()); }

TEST(DefaultPicture, ShowsFrameLettersShadowAndSwatches) {
  const QImage p = defaultLogoPicture();
  struct Probe {
    int x, y, index;
    const char* what;
  };
  const Probe probes[] = {
      {5, 5, 255, "margin outside the frame"},
      {12, 12, 0, "frame corner"},
      {980, 290, 255, "margin at the far corner"},
      {493, 14, 0, "frame top"},
      {30, 150, 255, "inside the frame"},
      {51 + 3, 44 + 3, 0, "top of the V's left arm"},
      {151 + 42, 44 + 80, 255, "hole of the O"},
      {151 + 2, 44 + 80, 0, "left side of the O"},
      {151 + 86, 44 + 80, 150, "shadow right of the O"},
      {251 + 68, 44 + 150, 0, "leg of the R"},
      {251 + 42, 44 + 46, 255, "bowl of the R"},
      {113 + 20, 241, 0, "first swatch"},
      {113 + 48 * 8 + 20, 241, 136, "ninth swatch"},
  };
  for (const Probe& probe : probes) EXPECT_EQ(p.pixelIndex(probe.x, probe.y), probe.index) << probe.what;
}

}  // namespace
}  // namespace vx
