// Logo pictures from other formats: their working size, transparency, which reader a file goes
// to, and the messages for pictures that cannot be used (SVG drawings: test_svg_picture.cpp).

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>

#include "logo/logo_box.h"
#include "logo/logo_raster.h"
#include "logo/picture_reader.h"
#include "platform.h"
#include "programs.h"
#include "support/picture_files.h"

namespace vx {
namespace {

QByteArray encoded(const QImage& image, const char* format) {
  const QByteArray bytes = test::encodedPicture(image, format);
  EXPECT_FALSE(bytes.isEmpty()) << format;
  return bytes;
}

LogoRaster rasterOf(const QImage& source, int w, int h, int t) {
  LogoRaster raster;
  updateRaster(raster, renderLogoBox(source, w, h), h, t);
  return raster;
}

std::string errorOf(const QByteArray& bytes, const QString& name = QStringLiteral("x")) {
  try {
    decodeLogoPicture(bytes, name);
  } catch (const BitmapError& e) {
    return e.what();
  }
  return "no error";
}

// A small PNG file whose header declares other sides, with a valid checksum.
QByteArray pngDeclaring(quint32 width, quint32 height) {
  QByteArray png = encoded(QImage(2, 2, QImage::Format_RGB32), "PNG");
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
  }
  quint32 crc = 0xFFFFFFFFu;
  for (int i = 12; i < 29; ++i) {  // "IHDR" and its 13 bytes
    crc ^= static_cast<uchar>(png[i]);
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  crc ^= 0xFFFFFFFFu;
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
  return png;
}

// 40 × 20: a transparent left half (stored as transparent black, as editors write it), a
// half-transparent black column band, the rest opaque dark grey.
QImage transparentLogo() {
  QImage image(40, 20, QImage::Format_ARGB32);
  image.fill(qRgba(60, 60, 60, 255));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 0));
    for (int x = 20; x < 24; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 128));
  }
  return image;
}

TEST(OtherFormats, TransparentDotsArePaperAndPartlyTransparentOnesBlendWithWhite) {
  // The same picture with a palette (PLTE and tRNS): transparent, half black, dark grey.
  QImage indexed(40, 20, QImage::Format_Indexed8);
  indexed.setColorTable({qRgba(0, 0, 0, 0), qRgba(0, 0, 0, 128), qRgba(60, 60, 60, 255)});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) indexed.setPixel(x, y, x < 20 ? 0 : x < 24 ? 1 : 2);
  for (const QImage& image : {transparentLogo(), indexed}) {
    SCOPED_TRACE(image.format());
    const SourcePicture picture = decodeLogoPicture(encoded(image, "PNG"), QStringLiteral("t"));
    EXPECT_TRUE(picture.fileBytes.isEmpty() && picture.saveAsCompactBitmap);
    // W = 400, H = 20: ten box dots across per picture dot, one per row.
    const LogoRaster raster = rasterOf(picture.image, 400, 20, 254);
    for (int y : {0, 19}) {
      EXPECT_FALSE(raster.isBlack(0, y));
      EXPECT_FALSE(raster.isBlack(199, y));
      EXPECT_TRUE(raster.isBlack(240, y));
    }
    // Black at alpha 128 on white is grey 127.
    EXPECT_FALSE(rasterOf(picture.image, 400, 20, 126).isBlack(210, 0));
    EXPECT_TRUE(rasterOf(picture.image, 400, 20, 127).isBlack(210, 0));
  }
}

// A camera photo: smooth light and colour with fine grain.
QImage cameraPhoto(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* px = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int grain = (x * 7 + y * 13) % 9 - 4;
      px[x] = qRgb(std::clamp(40 + x / 20 + grain, 0, 255), std::clamp(60 + y / 15 + grain, 0, 255),
                   std::clamp(200 - (x + y) / 40 + grain, 0, 255));
    }
  }
  return image;
}

TEST(OtherFormats, PicturesThatFitTheWorkingAreaKeepEveryDot) {
  const QImage photo = cameraPhoto(800, 400);
  for (const char* format : {"JPG", "PNG"}) {
    SCOPED_TRACE(format);
    const QByteArray bytes = encoded(photo, format);
    const QImage picture = decodeLogoPicture(bytes, QStringLiteral("p")).image;
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
              QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32));
  }
  EXPECT_EQ(workingPictureSize({800, 400}), QSize(800, 400));
  EXPECT_EQ(workingPictureSize({801, 10}), QSize(800, 10));
  EXPECT_EQ(workingPictureSize({3000, 4000}), QSize(300, 400));
  EXPECT_EQ(workingPictureSize({20000, 1}), QSize(800, 1));
}

// A camera's 4000 x 3000 dots; under emulation, where building and coding it takes minutes, a
// 1600 x 1200 picture of the same shape, whose working picture is the same 533 x 400.
QSize largePhotoSize() {
  if (!test::underEmulation()) return {4000, 3000};
  test::noteUnderEmulation("a 1600 x 1200 picture stands for the 4000 x 3000 one");
  return {1600, 1200};
}

TEST(OtherFormats, APhotoBecomesAWorkingPictureItsBitmapAndItsPairSmall) {
  const QSize photo = largePhotoSize();
  const QByteArray jpeg = encoded(cameraPhoto(photo.width(), photo.height()), "JPG");
  const SourcePicture picture = decodeLogoPicture(jpeg, QStringLiteral("photo.jpg"));
  ASSERT_EQ(picture.image.size(), QSize(533, 400));
  const QByteArray bmp = picture.bitmapFileBytes();
  EXPECT_EQ(bmp.size(), 640054);  // 24 bits: rows of 1,600 bytes
  // Saved and opened again: the same logo raster.
  const SourcePicture reopened = decodeBitmap(bmp);
  for (const QSize wh : {QSize(400, 200), QSize(301, 90), QSize(20, 10)}) {
    const LogoRaster a = rasterOf(picture.image, wh.width(), wh.height(), 127);
    EXPECT_TRUE(a == rasterOf(reopened.image, wh.width(), wh.height(), 127))
        << wh.width() << " x " << wh.height();
  }
  // A Windows bitmap is taken as it is, however large.
  QImage big(1200, 700, QImage::Format_Indexed8);
  big.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(10, 200, 30)});
  for (int y = 0; y < big.height(); ++y)
    for (int x = 0; x < big.width(); ++x) big.setPixel(x, y, (x + y) % 3);
  const QByteArray bigBmp = encodeBitmap(big);
  const SourcePicture kept = decodeLogoPicture(bigBmp, QStringLiteral("big.bmp"));
  EXPECT_EQ(kept.image.size(), big.size());
  EXPECT_EQ(kept.bitmapFileBytes(), bigBmp);
}

TEST(OtherFormats, EveryDotOfALargePictureCountsInItsWorkingPicture) {
  // Single black and white dots: the box's nearest sampling of the whole picture sees only
  // black or white; the working picture, averaged, is mid-grey throughout.
  QImage board(largePhotoSize(), QImage::Format_Grayscale8);
  for (int y = 0; y < board.height(); ++y) {
    uchar* row = board.scanLine(y);
    for (int x = 0; x < board.width(); ++x) row[x] = (x + y) % 2 ? 255 : 0;
  }
  const QImage nearest = scaledPicture(board, 400, 200);
  for (int y = 0; y < nearest.height(); ++y)
    for (int x = 0; x < nearest.width(); ++x)
      ASSERT_EQ(qGray(nearest.pixel(x, y)) % 255, 0) << x << ", " << y;

  const QImage working = decodeLogoPicture(encoded(board, "PNG"), QStringLiteral("b.png")).image;
  ASSERT_EQ(working.size(), QSize(533, 400));
  int lowest = 255;
  int highest = 0;
  for (int y = 0; y < working.height(); ++y) {
    for (int x = 0; x < working.width(); ++x) {
      const int grey = qGray(working.pixel(x, y));
      lowest = std::min(lowest, grey);
      highest = std::max(highest, grey);
    }
  }
  EXPECT_GE(lowest, 112);
  EXPECT_LE(highest, 143);
}

// --- Pictures that cannot be used ---

struct BadCase {
  const char* name;
  QByteArray bytes;
  std::string text;  // with "x" as the file's name
};

std::vector<BadCase> badCases() {
  QImage photo(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) photo.setPixel(x, y, qRgb(x * 4, y * 5, (x ^ y) * 3));
  const QByteArray png = encoded(photo, "PNG");
  const QByteArray jpeg = encoded(photo, "JPEG");
  const std::string damaged = "A imagem \"x\" está danificada ou incompleta e não pode ser aberta.";
  return {
      {"Empty", "", "O arquivo \"x\" está vazio."},
      {"NotAPicture", "just some text\n", "O arquivo \"x\" não é uma imagem que o programa saiba abrir"},
      {"TruncatedPng", png.left(png.size() / 2), damaged},
      {"TruncatedJpeg", jpeg.left(jpeg.size() * 2 / 3), damaged},
      {"HugePng", pngDeclaring(100000, 100000), "A imagem \"x\" é grande demais (100000 × 100000 pontos)"},
      {"ZeroSizePng", pngDeclaring(0, 7), damaged},
  };
}

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class BadPictures : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadPictures, AreRefusedWithTheirReason) {
  const std::string text = errorOf(GetParam().bytes);
  EXPECT_EQ(text.substr(0, GetParam().text.size()), GetParam().text) << text;
}

INSTANTIATE_TEST_SUITE_P(Files, BadPictures, ::testing::ValuesIn(badCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFiles, FoldersMissingFilesAndBitmapNamesGoWhereTheyBelong) {
  QTemporaryDir dir;
  auto write = [&](const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(test::writeFile(path, bytes)) << path.toStdString();
    return path;
  };
  auto error = [](const QString& path) -> std::string {
    try {
      loadLogoPicture(path);
    } catch (const BitmapError& e) {
      return e.what();
    }
    return "no error";
  };
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  // Content decides: a PNG named .bmp opens as PNG; text named .bmp keeps the bitmap text.
  EXPECT_TRUE(loadLogoPicture(write(QStringLiteral("png.bmp"), encoded(image, "PNG"))).saveAsCompactBitmap);
  EXPECT_EQ(error(write(QStringLiteral("text.bmp"), "no picture")), kBitmapNotValid);
  const QByteArray bmp = encodeBitmap(image);
  EXPECT_EQ(loadLogoPicture(write(QStringLiteral("bitmap.png"), bmp)).fileBytes, bmp);
  // Paths as the system writes them: backslashes on Windows.
  EXPECT_EQ(error(dir.path()), "\"" + QDir::toNativeSeparators(dir.path()).toStdString() +
                                   "\" é uma pasta, não um arquivo de imagem.");
  const QString gone = dir.filePath(QStringLiteral("gone.png"));
  EXPECT_EQ(error(gone), "Cannot open file \"" + QDir::toNativeSeparators(gone).toStdString() + "\". " +
                             test::openFailureReason(gone));
}

}  // namespace
}  // namespace vx
