#include "logo/source_picture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cctype>
#include <climits>
#include <functional>
#include <string>

#include "platform.h"
#include "logo/default_picture.h"
#include "support/picture_files.h"

namespace vx {
namespace {

using test::bmp;
using test::BmpFields;
using test::buildBmp;
using test::bytesOf;
using test::paddedRows;

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// The colours of an image, row by row, as opaque RGB.
std::vector<std::vector<QRgb>> colours(const QImage& image) {
  std::vector<std::vector<QRgb>> out;
  for (int y = 0; y < image.height(); ++y) {
    std::vector<QRgb> row;
    for (int x = 0; x < image.width(); ++x) row.push_back(image.pixel(x, y) | 0xFF000000u);
    out.push_back(row);
  }
  return out;
}

std::string notValidText() { return kBitmapNotValid; }

std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const BitmapError& e) {
    return e.what();
  }
  return "no error";
}

class TempFiles : public ::testing::Test {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(test::writeFile(path, bytes)) << path.toStdString();
    return path;
  }
  QTemporaryDir dir_;
};

// --- Variants that load ------------------------------------------------------------------

struct LoadCase {
  const char* name;
  BmpFields fields;
  QImage::Format format;
  std::vector<std::vector<QRgb>> expected;  // top row first
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class BitmapVariants : public ::testing::TestWithParam<LoadCase> {};

TEST_P(BitmapVariants, DecodesEveryDot) {
  const LoadCase& c = GetParam();
  const QByteArray bytes = buildBmp(c.fields);
  const SourcePicture picture = decodeBitmap(bytes);
  EXPECT_EQ(picture.image.format(), c.format);
  EXPECT_EQ(colours(picture.image), c.expected);
  EXPECT_EQ(picture.fileBytes, bytes);
}

std::vector<LoadCase> loadCases() {
  std::vector<LoadCase> cases;
  {
    // 1 bit, 10 × 2: rows bottom-up, MSB is the leftmost dot, second byte used by dots 8, 9.
    BmpFields s = bmp(10, 2, 1, 0, {kWhite, kBlack});
    s.pixels = paddedRows({{0b10000001, 0b01000000}, {0b01111110, 0b10000000}});
    const QRgb W = kWhite, B = kBlack;
    cases.push_back(
        {"mono", s, QImage::Format_Mono, {{W, B, B, B, B, B, B, W, B, W}, {B, W, W, W, W, W, W, B, W, B}}});
  }
  {
    BmpFields s = bmp(3, 1, 4, 0, {kRed, kGreen, kBlue}, 3);
    s.pixels = paddedRows({{0x21, 0x00}});
    cases.push_back({"4 bits", s, QImage::Format_Indexed8, {{kBlue, kGreen, kRed}}});
  }
  {
    BmpFields s = bmp(2, 2, 8, 0, {kRed, kGreen, kBlue}, 3);
    s.pixels = paddedRows({{0, 1}, {2, 2}});  // bottom row first
    cases.push_back({"8 bits bottom-up", s, QImage::Format_Indexed8, {{kBlue, kBlue}, {kRed, kGreen}}});
  }
  {
    BmpFields s = bmp(2, -2, 8, 0, {kRed, kGreen, kBlue}, 3);
    s.pixels = paddedRows({{0, 1}, {2, 2}});  // top row first
    cases.push_back({"8 bits top-down", s, QImage::Format_Indexed8, {{kRed, kGreen}, {kBlue, kBlue}}});
  }
  {
    // 16 bits, 5-5-5: pure red, pure green and black.
    BmpFields s = bmp(3, 1, 16);
    s.pixels = paddedRows({{0x00, 0x7C, 0xE0, 0x03, 0x00, 0x00}});
    const QImage probe = decodeBitmap(buildBmp(s)).image;  // the scale of 5-bit levels is Qt's
    const QRgb red5 = probe.pixel(0, 0) | 0xFF000000u;
    const QRgb green5 = probe.pixel(1, 0) | 0xFF000000u;
    EXPECT_GE(qRed(red5), 248);
    EXPECT_EQ(qGreen(red5) + qBlue(red5), 0);
    EXPECT_GE(qGreen(green5), 248);
    cases.push_back({"16 bits", s, QImage::Format_RGB32, {{red5, green5, kBlack}}});
  }
  {
    BmpFields s = bmp(2, 1, 24);
    s.pixels = paddedRows({{0x30, 0x20, 0x10, 0x00, 0x00, 0xFF}});  // B, G, R per dot
    cases.push_back({"24 bits", s, QImage::Format_RGB32, {{qRgb(0x10, 0x20, 0x30), kRed}}});
  }
  {
    BmpFields s = bmp(2, 1, 32);
    s.pixels = paddedRows({{0x30, 0x20, 0x10, 0x00, 0xFF, 0x00, 0x00, 0x00}});
    cases.push_back({"32 bits", s, QImage::Format_RGB32, {{qRgb(0x10, 0x20, 0x30), kBlue}}});
  }
  {
    BmpFields s = bmp(2, 1, 32, 3);
    s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000};  // red in the second byte, green, blue
    s.pixels = paddedRows({{0x00, 0x30, 0x20, 0x10, 0x00, 0x00, 0x00, 0xFF}});
    cases.push_back({"32 bits, bit fields", s, QImage::Format_RGB32, {{qRgb(0x30, 0x20, 0x10), kBlue}}});
  }
  {
    BmpFields s = bmp(2, 1, 24, 0, {}, 0, 12);
    s.pixels = paddedRows({{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00}});
    cases.push_back({"OS/2 header", s, QImage::Format_RGB32, {{kBlue, kGreen}}});
  }
  {
    BmpFields s = bmp(1, 1, 24, 0, {}, 0, 124);
    s.pixels = paddedRows({{0x00, 0x00, 0xFF}});
    cases.push_back({"version 5 header", s, QImage::Format_RGB32, {{kRed}}});
  }
  {
    // RLE8, 5 × 3, bottom row first: a run, end of line; absolute mode (3 dots, padded),
    // a run; a jump over two dots, a run; end of bitmap. Skipped dots take index 0.
    BmpFields s = bmp(5, 3, 8, 1, {kWhite, kRed, kGreen, kBlue}, 4);
    s.pixels = bytesOf({5, 1, 0, 0,        // row 2 (bottom): 1 1 1 1 1
                        0, 3, 2, 3, 2, 0,  // row 1: 2 3 2 ...
                        2, 1, 0, 0,        //        ... 1 1
                        0, 2, 2, 0, 3, 3,  // row 0: skip 2, then 3 3 3
                        0, 1});
    cases.push_back({"RLE8",
                     s,
                     QImage::Format_Indexed8,
                     {{kWhite, kWhite, kBlue, kBlue, kBlue},
                      {kGreen, kBlue, kGreen, kRed, kRed},
                      {kRed, kRed, kRed, kRed, kRed}}});
  }
  {
    // RLE4, 5 × 1: a run of 3 alternating nibbles 1, 2, 1, then 3 literal dots 3, 0, 0 of
    // which the last lies past the right edge.
    BmpFields s = bmp(5, 1, 4, 2, {kWhite, kRed, kGreen, kBlue}, 4);
    s.pixels = bytesOf({3, 0x12, 0, 3, 0x30, 0x00, 0, 1});
    cases.push_back({"RLE4", s, QImage::Format_Indexed8, {{kRed, kGreen, kRed, kBlue, kWhite}}});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Load, BitmapVariants, ::testing::ValuesIn(loadCases()), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return n;
});

TEST(BitmapLoad, CompressedDataThatEndsEarlyLeavesTheRestAtIndexZero) {
  // Qt's own decoder leaves such dots as whatever memory held; they must be predictable.
  BmpFields s = bmp(64, 64, 8, 1, {kWhite, kRed}, 2);
  s.pixels = bytesOf({4, 1});  // four red dots at the bottom left, then nothing
  const QImage image = decodeBitmap(buildBmp(s)).image;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const int expected = (y == 63 && x < 4) ? 1 : 0;
      ASSERT_EQ(image.pixelIndex(x, y), expected) << x << "," << y;
    }
  }
}

TEST(BitmapLoad, DataOffsetBeyondThePaletteIsHonoured) {
  BmpFields s = bmp(1, 1, 24);
  s.pixels = QByteArray("\xEE\xEE\xEE\xEE", 4) + paddedRows({{0x00, 0xFF, 0x00}});
  s.dataOffset = 14 + 40 + 4;
  EXPECT_EQ(decodeBitmap(buildBmp(s)).image.pixel(0, 0) | 0xFF000000u, kGreen);
}

// --- Files that are not valid -------------------------------------------------------------

struct BadCase {
  const char* name;
  QByteArray bytes;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class NotABitmap : public ::testing::TestWithParam<BadCase> {};

TEST_P(NotABitmap, IsReportedAsNotValid) {
  EXPECT_EQ(errorOf([&] { decodeBitmap(GetParam().bytes); }), notValidText());
}

QByteArray with(BmpFields s, const std::function<void(BmpFields&)>& change) {
  change(s);
  return buildBmp(s);
}

std::vector<BadCase> badCases() {
  BmpFields ok = bmp(2, 2, 24);
  ok.pixels = paddedRows({{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}});
  const QByteArray good = buildBmp(ok);
  QByteArray badSize = good;
  badSize[14] = 20;  // an info header size no bitmap uses
  return {
      {"empty", QByteArray()},
      {"text", QByteArray("This is a text file, not a picture.\r\n")},
      {"png", QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000001000000010802000000")},
      {"signature only", QByteArray("BM")},
      {"header cut short", good.left(30)},
      {"pixel data one byte short", good.left(good.size() - 1)},
      {"data offset past the end", with(ok, [](BmpFields& s) { s.dataOffset = 1'000'000; })},
      {"RLE data offset past the end", with(ok,
                                            [](BmpFields& s) {
                                              s.bits = 8;
                                              s.compression = 1;
                                              s.palette = {kWhite};
                                              s.colorsUsed = 1;
                                              s.pixels = bytesOf({2, 0, 0, 0, 2, 0, 0, 1});
                                              s.dataOffset = 1'000'000;
                                            })},
      {"unknown header size", badSize},
      {"zero width", with(ok, [](BmpFields& s) { s.width = 0; })},
      {"negative width", with(ok, [](BmpFields& s) { s.width = -2; })},
      {"zero height", with(ok, [](BmpFields& s) { s.height = 0; })},
      {"most negative height", with(ok, [](BmpFields& s) { s.height = INT32_MIN; })},
      {"7 bits per dot", with(ok, [](BmpFields& s) { s.bits = 7; })},
      {"RLE8 with 24 bits", with(ok, [](BmpFields& s) { s.compression = 1; })},
      {"unknown compression", with(ok, [](BmpFields& s) { s.compression = 4; })},
      {"palette of 1000 colours", with(ok,
                                       [](BmpFields& s) {
                                         s.bits = 8;
                                         s.colorsUsed = 1000;
                                       })},
      {"top-down RLE", with(ok,
                            [](BmpFields& s) {
                              s.bits = 8;
                              s.compression = 1;
                              s.height = -2;
                              s.palette = {kWhite};
                              s.colorsUsed = 1;
                              s.pixels = bytesOf({0, 1});
                            })},
      // Headers that lie about the size: far more dots than the file holds or memory allows.
      {"20000 x 20000 in a few bytes", with(ok,
                                            [](BmpFields& s) {
                                              s.width = 20000;
                                              s.height = 20000;
                                            })},
      {"side over 20000", with(ok,
                               [](BmpFields& s) {
                                 s.width = 20001;
                                 s.height = 1;
                               })},
      {"huge RLE", with(ok,
                        [](BmpFields& s) {
                          s.bits = 8;
                          s.compression = 1;
                          s.width = 16000;
                          s.height = 16000;
                          s.palette = {kWhite};
                          s.colorsUsed = 1;
                          s.pixels = bytesOf({0, 1});
                        })},
      {"5000 x 5000 in a few bytes", with(ok,
                                          [](BmpFields& s) {
                                            s.bits = 8;
                                            s.width = 5000;
                                            s.height = 5000;
                                            s.palette = {kWhite};
                                            s.colorsUsed = 1;
                                          })},
  };
}

INSTANTIATE_TEST_SUITE_P(Reject, NotABitmap, ::testing::ValuesIn(badCases()), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return n;
});

// --- Files ---------------------------------------------------------------------------------

using BitmapFile = TempFiles;

TEST_F(BitmapFile, KeepsTheFilesOwnBytes) {
  // An RLE file: encoding the picture again would give different bytes.
  BmpFields s = bmp(4, 1, 8, 1, {kWhite, kRed}, 2);
  s.pixels = bytesOf({4, 1, 0, 1});
  const QByteArray bytes = buildBmp(s);
  const QString path = write("rle.bmp", bytes);

  const SourcePicture picture = loadBitmapFile(path);
  EXPECT_EQ(picture.fileBytes, bytes);
  EXPECT_EQ(picture.bitmapFileBytes(), bytes);
  EXPECT_NE(encodeBitmap(picture.image), bytes);

  const QString copy = dir_.filePath("copy.bmp");
  saveBitmapFile(picture, copy);
  QFile f(copy);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), bytes);
}

TEST_F(BitmapFile, MissingFileCannotBeOpened) {
  const QString path = dir_.filePath("nothing here.bmp");
  EXPECT_EQ(errorOf([&] { loadBitmapFile(path); }), "Cannot open file \"" +
                                                        QDir::toNativeSeparators(path).toStdString() +
                                                        "\". " + test::openFailureReason(path));
}

TEST_F(BitmapFile, DirectoryCannotBeOpened) {
  const std::string error = errorOf([&] { loadBitmapFile(dir_.path()); });
  const std::string shown = QDir::toNativeSeparators(dir_.path()).toStdString();
  EXPECT_THAT(error, ::testing::StartsWith("Cannot open file \"" + shown + "\". "));
  EXPECT_GT(error.size(), ("Cannot open file \"" + shown + "\". ").size());
}

TEST_F(BitmapFile, TextFileIsNotValid) {
  const QString path = write("notes.bmp", "Isto nao e uma imagem.\n");
  EXPECT_EQ(errorOf([&] { loadBitmapFile(path); }), notValidText());
}

TEST_F(BitmapFile, LargeFilesAreRejectedWithoutBeingRead) {
  // 100 MB of zeros (sparse): no signature.
  const QString garbage = dir_.filePath("garbage.bmp");
  {
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(100 * 1024 * 1024));
  }
  EXPECT_EQ(errorOf([&] { loadBitmapFile(garbage); }), notValidText());

  // A plausible header in front of more bytes than any acceptable bitmap has.
  BmpFields s = bmp(2, 2, 24);
  s.pixels = paddedRows({{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}});
  const QString oversized = write("oversized.bmp", buildBmp(s));
  {
    QFile f(oversized);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(kMaxBitmapFileBytes + 1));
  }
  EXPECT_EQ(errorOf([&] { loadBitmapFile(oversized); }), notValidText());
}

TEST_F(BitmapFile, PipesAndDevicesAreNotValid) {
  // Reading either could block or never end.
  if (QFile::exists("/dev/zero")) {
    EXPECT_EQ(errorOf([&] { loadBitmapFile("/dev/zero"); }), notValidText());
  }
  if (!test::fileSystemHasNamedPipes()) GTEST_SKIP() << "no named pipes among the files here";
  const QString fifo = dir_.filePath("pipe.bmp");
  ASSERT_TRUE(test::makeNamedPipe(fifo));
  EXPECT_EQ(errorOf([&] { loadBitmapFile(fifo); }), notValidText());
}

TEST_F(BitmapFile, SaveIntoMissingFolderFails) {
  const QString path = dir_.filePath("no such folder/logo.bmp");
  const std::string error = errorOf([&] { saveBitmapFile(defaultSourcePicture(), path); });
  EXPECT_THAT(error, ::testing::StartsWith("Cannot create file \"" +
                                           QDir::toNativeSeparators(path).toStdString() + "\". "));
}

// --- Writing -------------------------------------------------------------------------------

std::uint32_t fieldU32(const QByteArray& b, int at) {
  return static_cast<std::uint32_t>(
      static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
      static_cast<unsigned char>(b[at + 2]) << 16 | static_cast<unsigned char>(b[at + 3]) << 24);
}
int fieldU16(const QByteArray& b, int at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

TEST(BitmapWrite, DefaultPictureIsAn8BitBitmapThatReadsBackEqual) {
  const SourcePicture picture = defaultSourcePicture();
  const QByteArray bytes = picture.bitmapFileBytes();
  const int rowBytes = 988;  // 987 dots padded to 4 bytes
  const int offset = 14 + 40 + 256 * 4;
  ASSERT_EQ(bytes.size(), offset + rowBytes * 298);
  EXPECT_EQ(bytes.left(2), "BM");
  EXPECT_EQ(fieldU32(bytes, 2), static_cast<std::uint32_t>(bytes.size()));
  EXPECT_EQ(fieldU32(bytes, 10), static_cast<std::uint32_t>(offset));
  EXPECT_EQ(fieldU32(bytes, 14), 40u);
  EXPECT_EQ(fieldU32(bytes, 18), 987u);
  EXPECT_EQ(fieldU32(bytes, 22), 298u);  // positive: bottom-up
  EXPECT_EQ(fieldU16(bytes, 28), 8);
  EXPECT_EQ(fieldU32(bytes, 30), 0u);
  EXPECT_EQ(fieldU32(bytes, 46), 256u);
  // The first stored row is the bottom row of the picture, and its padding byte is zero.
  const QImage& image = picture.image;
  for (int x = 0; x < 987; ++x) {
    ASSERT_EQ(static_cast<unsigned char>(bytes[offset + x]), image.pixelIndex(x, 297)) << x;
  }
  EXPECT_EQ(bytes[offset + 987], '\0');

  const SourcePicture back = decodeBitmap(bytes);
  EXPECT_EQ(back.image.format(), QImage::Format_Indexed8);
  EXPECT_EQ(back.image.colorTable(), image.colorTable());
  EXPECT_EQ(back.image, image);
}

TEST(BitmapWrite, KeepsDepthOfEveryKindOfPicture) {
  QImage mono(11, 3, QImage::Format_MonoLSB);
  mono.setColorTable({kWhite, kBlack});
  mono.fill(0);
  mono.setPixel(0, 0, 1);
  mono.setPixel(10, 2, 1);
  QImage rgb(3, 2, QImage::Format_RGB888);
  rgb.fill(kBlue);
  rgb.setPixel(2, 1, qRgb(1, 2, 3));
  QImage rgb32(3, 2, QImage::Format_RGB32);
  rgb32.fill(kGreen);
  rgb32.setPixel(0, 1, qRgb(9, 8, 7));

  struct Row {
    QImage image;
    int bits;
  };
  for (const Row& row : {Row{mono, 1}, Row{rgb, 24}, Row{rgb32, 32}}) {
    const QByteArray bytes = encodeBitmap(row.image);
    EXPECT_EQ(fieldU16(bytes, 28), row.bits);
    EXPECT_EQ(colours(decodeBitmap(bytes).image), colours(row.image)) << row.bits;
  }
  EXPECT_TRUE(encodeBitmap(QImage()).isEmpty());
}

}  // namespace
}  // namespace vx
