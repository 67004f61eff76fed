#include "logo/logo_upload.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

QByteArray trailer() {
  QByteArray t("\x1B\x4C\x0A\x32", 4);
  t.append(50, '\0');
  return t;
}

// The 50 raster bytes of row record r.
QByteArray rasterBytes(const QByteArray& data, int r) { return data.mid(53 * r + 3, 50); }

void fillRow(LogoRaster& raster, int y, bool black) {
  for (int x = 0; x < 400; ++x) raster.setDot(x, y, black);
}

TEST(LogoUpload, LengthIs53PerRowPlus54) {
  struct Row {
    int height, length, high, low;  // length and its two header bytes
  };
  for (const Row r : {Row{0, 54, 0x00, 0x36}, Row{10, 584, 0x02, 0x48}, Row{90, 4824, 0x12, 0xD8},
                      Row{200, 10654, 0x29, 0x9E}}) {
    const QByteArray data = logoUploadData(LogoRaster(), r.height);
    EXPECT_EQ(data.size(), r.length);
    EXPECT_EQ(logoUploadLength(r.height), r.length);
    EXPECT_EQ(r.length / 256, r.high);
    EXPECT_EQ(r.length % 256, r.low);
  }
}

TEST(LogoUpload, LogoOffSendsTheTrailerOnly) {
  LogoRaster raster;
  fillRow(raster, 0, true);
  EXPECT_EQ(logoUploadData(raster, 0), trailer());
}

TEST(LogoUpload, EveryRowRecordHasItsHeaderAndTheDataEndsWithTheTrailer) {
  const QByteArray data = logoUploadData(LogoRaster(), 200);
  for (int r = 0; r < 200; ++r) {
    ASSERT_EQ(data.mid(53 * r, 3), QByteArray("\x1B\x4A\x32", 3)) << r;
  }
  EXPECT_EQ(data.right(54), trailer());
}

TEST(LogoUpload, DotsArePackedLeftmostInTheLowestBit) {
  struct Row {
    std::vector<int> blackColumns;
    std::vector<std::pair<int, int>> bytes;  // (index, value); every other byte is 0x00
  };
  const Row rows[] = {
      {{0}, {{0, 0x01}}},
      {{399}, {{49, 0x80}}},
      {{7, 8}, {{0, 0x80}, {1, 0x01}}},
      {{9, 14}, {{1, 0x42}}},
      {{392, 393, 394, 395}, {{49, 0x0F}}},
  };
  for (const Row& row : rows) {
    LogoRaster raster;
    for (int x : row.blackColumns) raster.setDot(x, 1, true);
    const QByteArray got = rasterBytes(logoUploadData(raster, 2), 1);
    QByteArray expected(50, '\0');
    for (auto [index, value] : row.bytes) expected[index] = static_cast<char>(value);
    EXPECT_EQ(got.toHex(' '), expected.toHex(' ')) << "first black column " << row.blackColumns[0];
    EXPECT_EQ(rasterBytes(logoUploadData(raster, 2), 0), QByteArray(50, '\0'));
  }
}

TEST(LogoUpload, AllBlackAndAllPaperRows) {
  LogoRaster raster;
  fillRow(raster, 0, true);
  const QByteArray data = logoUploadData(raster, 2);
  EXPECT_EQ(rasterBytes(data, 0), QByteArray(50, '\xFF'));
  EXPECT_EQ(rasterBytes(data, 1), QByteArray(50, '\0'));
}

TEST(LogoUpload, RowsBelowTheHeightAreNotSent) {
  LogoRaster raster;
  fillRow(raster, 5, true);
  const QByteArray data = logoUploadData(raster, 5);
  ASSERT_EQ(data.size(), 53 * 5 + 54);
  EXPECT_EQ(data.count('\xFF'), 0);
}

TEST(LogoUpload, RasterLeftFromATallerUpdateIsSentAsItStands) {
  // Computed at H = 100 (all black), then at H = 50 (all paper), then sent at H = 80:
  // rows 50..79 still carry the older black dots.
  LogoRaster raster;
  QImage black(400, 100, QImage::Format_RGB888);
  black.fill(Qt::black);
  updateRaster(raster, black, 100, 127);
  QImage white(400, 50, QImage::Format_RGB888);
  white.fill(Qt::white);
  updateRaster(raster, white, 50, 127);

  const QByteArray data = logoUploadData(raster, 80);
  ASSERT_EQ(data.size(), 53 * 80 + 54);
  for (int r = 0; r < 80; ++r) {
    ASSERT_EQ(rasterBytes(data, r), QByteArray(50, r < 50 ? '\0' : '\xFF')) << r;
  }
}

TEST(LogoUpload, HeightIsHeldToTheRaster) {
  EXPECT_EQ(logoUploadData(LogoRaster(), 250).size(), 10654);
  EXPECT_EQ(logoUploadData(LogoRaster(), -3).size(), 54);
}

}  // namespace
}  // namespace vx
