#include "logo/logo_box.h"

#include <gtest/gtest.h>

#include <set>

#include "logo/default_picture.h"

namespace vx {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

QImage filled(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A row of distinct colours, dot x having red level 10 × x + 5 (pattern of one row).
QImage ramp(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb((10 * x + 5) % 256, (7 * y + 3) % 256, 0));
  }
  return image;
}

QImage mono(int w, int h, QImage::Format format, QRgb zero, QRgb one) {
  QImage image(w, h, format);
  image.setColorTable({zero, one});
  image.fill(0);
  return image;
}

TEST(LogoBox, SamplingRuleTakesTheDotUnderEachPixelCentre) {
  struct Row {
    int dst, src;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {2, 4, {1, 3}},              // halving keeps the second of each pair
      {3, 7, {1, 3, 5}},           // 7/3: centres at 1.17, 3.5, 5.83
      {6, 2, {0, 0, 0, 1, 1, 1}},  // tripling repeats
      {5, 2, {0, 0, 1, 1, 1}},     // 2/5: the middle pixel's centre is at exactly 1.0
      {4, 4, {0, 1, 2, 3}},
  };
  for (const Row& r : rows) {
    std::vector<int> got;
    for (int i = 0; i < r.dst; ++i) got.push_back(nearestSourceIndex(i, r.dst, r.src));
    EXPECT_EQ(got, r.expected) << r.dst << " from " << r.src;
  }
  // The last box pixel of a 987-dot picture at 300 takes dot 985, never past the end.
  EXPECT_EQ(nearestSourceIndex(299, 300, 987), 985);
  EXPECT_EQ(nearestSourceIndex(199, 200, 298), 297);
}

TEST(LogoBox, PictureIsCentredWithTruncatingDivision) {
  struct Row {
    int width, left;
  };
  for (const Row r : {Row{301, 49}, Row{20, 190}, Row{400, 0}, Row{300, 50}, Row{399, 0}}) {
    EXPECT_EQ(logoPictureLeft(r.width), r.left);
    const QImage box = renderLogoBox(filled(5, 5, kBlack), r.width, 3);
    ASSERT_EQ(box.size(), QSize(400, 3));
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 400; ++x) {
        const bool inside = x >= r.left && x < r.left + r.width;
        ASSERT_EQ(at(box, x, y), inside ? kBlack : kWhite) << "W " << r.width << " x " << x;
      }
    }
  }
}

TEST(LogoBox, LargePictureIsShrunkBySampling) {
  // 40 × 20 to 4 × 2: columns 5, 15, 25, 35 and rows 5, 15.
  const QImage source = ramp(40, 20);
  const QImage picture = scaledPicture(source, 4, 2);
  ASSERT_EQ(picture.size(), QSize(4, 2));
  const int cols[] = {5, 15, 25, 35};
  const int rows[] = {5, 15};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(at(picture, x, y), at(source, cols[x], rows[y])) << x << "," << y;
  }
}

TEST(LogoBox, SmallPictureIsEnlargedIntoBlocksNotSmoothed) {
  QImage source(2, 2, QImage::Format_RGB32);
  const QRgb c[2][2] = {{qRgb(10, 20, 30), qRgb(200, 0, 0)}, {qRgb(0, 200, 0), qRgb(0, 0, 200)}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) source.setPixel(x, y, c[y][x]);
  }
  const QImage picture = scaledPicture(source, 6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(at(picture, x, y), c[y / 2][x / 3]) << x << "," << y;
  }
}

TEST(LogoBox, ProportionsAreNotKept) {
  // A wide picture squeezed into a tall slot still fills exactly W × H.
  const QImage box = renderLogoBox(filled(100, 10, kBlack), 20, 150);
  ASSERT_EQ(box.size(), QSize(400, 150));
  for (int y : {0, 75, 149}) {
    EXPECT_EQ(at(box, 189, y), kWhite);
    EXPECT_EQ(at(box, 190, y), kBlack);
    EXPECT_EQ(at(box, 209, y), kBlack);
    EXPECT_EQ(at(box, 210, y), kWhite);
  }
}

TEST(LogoBox, OneBitPictureShrunkKeepsEveryBlackDot) {
  // One black dot at column 1 of 8: sampling alone (columns 2 and 6) would lose it.
  for (QImage::Format format : {QImage::Format_Mono, QImage::Format_MonoLSB}) {
    QImage line = mono(8, 1, format, kWhite, kBlack);
    line.setPixel(1, 0, 1);
    const QImage picture = scaledPicture(line, 2, 1);
    EXPECT_EQ(at(picture, 0, 0), kBlack) << format;
    EXPECT_EQ(at(picture, 1, 0), kWhite) << format;
  }
  // Black is the darker palette entry, whichever index it has; rows are gathered too.
  QImage column = mono(1, 8, QImage::Format_Mono, kBlack, qRgb(255, 255, 0));
  column.fill(1);
  column.setPixel(0, 5, 0);
  const QImage tall = scaledPicture(column, 1, 2);
  EXPECT_EQ(at(tall, 0, 0), qRgb(255, 255, 0));
  EXPECT_EQ(at(tall, 0, 1), kBlack);

  // An 8-bit picture of the same dots is only sampled.
  QImage indexed(8, 1, QImage::Format_Indexed8);
  indexed.setColorTable({kWhite, kBlack});
  indexed.fill(0);
  indexed.setPixel(1, 0, 1);
  EXPECT_EQ(at(scaledPicture(indexed, 2, 1), 0, 0), kWhite);
}

TEST(LogoBox, OneBitPictureEnlargedRepeatsDotsWithoutWidening) {
  QImage line = mono(2, 1, QImage::Format_Mono, kWhite, kBlack);
  line.setPixel(0, 0, 1);
  const QImage picture = scaledPicture(line, 5, 1);
  const QRgb expected[] = {kBlack, kBlack, kWhite, kWhite, kWhite};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(at(picture, x, 0), expected[x]) << x;
}

TEST(LogoBox, ScreenAndBoxShowTheSameDots) {
  const QImage source = defaultLogoPicture();
  const QImage box = renderLogoBox(source, 300, 90);
  const QImage picture = scaledPicture(source, 300, 90);
  EXPECT_EQ(box.format(), QImage::Format_RGB888);
  EXPECT_EQ(picture.format(), QImage::Format_RGB888);
  EXPECT_EQ(box.copy(50, 0, 300, 90), picture);
  std::set<QRgb> seen;
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 300; ++x) seen.insert(at(picture, x, y));
  }
  EXPECT_TRUE(seen.count(kBlack) && seen.count(kWhite)) << "the picture must show through";
}

TEST(LogoBox, PaletteIndexWithoutColourIsBlack) {
  QImage source(2, 1, QImage::Format_Indexed8);
  source.setColorTable({kWhite});
  source.setPixel(0, 0, 0);
  source.scanLine(0)[1] = 7;  // no entry 7
  const QImage picture = scaledPicture(source, 2, 1);
  EXPECT_EQ(at(picture, 0, 0), kWhite);
  EXPECT_EQ(at(picture, 1, 0), kBlack);
}

TEST(LogoBox, DegenerateSizes) {
  EXPECT_TRUE(renderLogoBox(filled(3, 3, kBlack), 300, 0).isNull());
  EXPECT_TRUE(scaledPicture(filled(3, 3, kBlack), 0, 10).isNull());
  const QImage blank = renderLogoBox(QImage(), 300, 10);
  ASSERT_EQ(blank.size(), QSize(400, 10));
  EXPECT_EQ(at(blank, 200, 5), kWhite);
  // Out-of-range controls are held to the box: at most 400 wide, 200 high.
  EXPECT_EQ(renderLogoBox(filled(3, 3, kBlack), 999, 999).size(), QSize(400, 200));
  EXPECT_EQ(at(renderLogoBox(filled(3, 3, kBlack), 999, 5), 0, 0), kBlack);
}

}  // namespace
}  // namespace vx
