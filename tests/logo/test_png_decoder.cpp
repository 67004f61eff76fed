// The fast PNG reader: the dots Qt's reader gives, for every row filter and both layouts,
// and no answer at all for the files it leaves to Qt's reader.

#include <gtest/gtest.h>
#include <libdeflate.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "logo/png_decoder.h"

namespace vx {
namespace {

QByteArray bigEndian(quint32 v) {
  const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  return QByteArray(b, 4);
}

QByteArray chunk(const QByteArray& type, const QByteArray& data) {
  const QByteArray body = type + data;
  return bigEndian(quint32(data.size())) + body +
         bigEndian(quint32(libdeflate_crc32(0, body.constData(), size_t(body.size()))));
}

int paeth(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

struct Png {
  int width = 0, height = 0, channels = 3;
  std::vector<uchar> dots;     // rows of width × channels bytes
  std::vector<uchar> filters;  // one per row, cycled
  int piece = 1 << 30;         // pixel data split into IDAT chunks of this size
  QByteArray beforeData;       // chunks between IHDR and the pixel data
  QByteArray filteredTail;     // appended to the filtered rows before compression

  QByteArray filteredRows() const {
    const int rowBytes = width * channels;
    QByteArray out;
    for (int y = 0; y < height; ++y) {
      const uchar f = filters[size_t(y) % filters.size()];
      out.append(char(f));
      const uchar* row = dots.data() + size_t(y) * rowBytes;
      for (int i = 0; i < rowBytes; ++i) {
        const int a = i >= channels ? row[i - channels] : 0;
        const int b = y > 0 ? row[i - rowBytes] : 0;
        const int c = y > 0 && i >= channels ? row[i - rowBytes - channels] : 0;
        const int predicted = f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : f == 4 ? paeth(a, b, c) : 0;
        out.append(char(row[i] - (f > 4 ? 0 : predicted)));
      }
    }
    return out + filteredTail;
  }

  QByteArray bytes() const {
    const QByteArray raw = filteredRows();
    libdeflate_compressor* packer = libdeflate_alloc_compressor(6);
    QByteArray packed(int(libdeflate_zlib_compress_bound(packer, size_t(raw.size()))), '\0');
    packed.resize(int(libdeflate_zlib_compress(packer, raw.constData(), size_t(raw.size()), packed.data(),
                                               size_t(packed.size()))));
    libdeflate_free_compressor(packer);
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    png += chunk("IHDR", bigEndian(quint32(width)) + bigEndian(quint32(height)) + QByteArray(1, 8) +
                             char(channels == 3 ? 2 : 6) + QByteArray(3, '\0'));
    png += beforeData;
    for (int at = 0; at < packed.size(); at += piece) png += chunk("IDAT", packed.mid(at, piece));
    return png + chunk("IEND", {});
  }
};

Png randomPng(int width, int height, int channels, bool fewLevels, unsigned seed) {
  std::mt19937 random(seed);
  // Few levels, near both ends, make the Paeth ties and the byte wrap-arounds common.
  const uchar levels[] = {0, 1, 2, 127, 128, 254, 255};
  Png png{width, height, channels, {}, {0, 1, 2, 3, 4}, 1 << 30, {}, {}};
  png.dots.resize(size_t(width) * height * channels);
  for (uchar& d : png.dots) d = fewLevels ? levels[random() % 7] : uchar(random());
  return png;
}

// The dots alone (QImage's comparison also weighs the colour space Qt's reader notes down).
std::vector<QRgb> dotsOf(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  std::vector<QRgb> out;
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    out.insert(out.end(), row, row + argb.width());
  }
  return out;
}

TEST(FastPngReader, GivesQtsDotsForEveryFilterLayoutAndWidth) {
  unsigned seed = 1;
  for (bool baseline : {false, true}) {
    usePngBaselineKernels(baseline);
    for (int channels : {3, 4}) {
      for (int width : {1, 2, 5, 33}) {  // 5 × 3 bytes leaves padding at the end of each row
        for (bool fewLevels : {false, true}) {
          Png png = randomPng(width, 11, channels, fewLevels, seed++);
          png.piece = 7;                                      // many IDAT chunks
          png.beforeData = chunk("gAMA", bigEndian(45455)) +  // colour notes change no dot
                           chunk("sRGB", QByteArray(1, '\0')) +
                           chunk("tEXt", QByteArrayLiteral("Title\0Logo"));
          const QByteArray bytes = png.bytes();
          SCOPED_TRACE(testing::Message() << channels << " channels, " << width << " wide, seed " << seed
                                          << (baseline ? ", baseline kernels" : ""));
          const std::optional<QImage> fast = decodeCommonPng(bytes);
          ASSERT_TRUE(fast.has_value());
          EXPECT_EQ(fast->format(), channels == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
          const QImage qt = QImage::fromData(bytes, "PNG");
          ASSERT_FALSE(qt.isNull());
          EXPECT_EQ(dotsOf(*fast), dotsOf(qt));
        }
      }
    }
  }
  usePngBaselineKernels(false);
}

TEST(FastPngReader, LeavesEveryOtherFileToQtsReader) {
  const Png good = randomPng(6, 4, 3, false, 99);
  ASSERT_TRUE(decodeCommonPng(good.bytes()).has_value());
  const auto withHeaderByte = [&](int at, char value) {
    QByteArray b = good.bytes();
    b[16 + at] = value;
    const QByteArray fixed = chunk("IHDR", b.mid(16, 13));
    return b.left(8) + fixed + b.mid(8 + fixed.size());
  };
  const auto withChunk = [&](const QByteArray& extra) {
    Png p = good;
    p.beforeData = extra;
    return p.bytes();
  };
  const auto withTail = [&](const QByteArray& tail) {
    Png p = good;
    p.filteredTail = tail;
    return p.bytes();
  };
  Png badFilter = good;
  badFilter.filters = {0, 5};
  Png oneRowShort = good;
  oneRowShort.height = 3;
  QByteArray rowsMissing = oneRowShort.bytes();
  rowsMissing.replace(8, 25, good.bytes().mid(8, 25));  // the header of the good one
  QByteArray badChecksum = withChunk(chunk("tEXt", QByteArrayLiteral("Title\0Logo")));
  badChecksum[33 + 8 + 3] = 'X';  // inside the text, its checksum unchanged
  QByteArray split = good.bytes();
  const int dataAt = split.indexOf("IDAT") - 4;
  const int dataLength = int(quint32(uchar(split[dataAt + 3])) | quint32(uchar(split[dataAt + 2])) << 8);
  const QByteArray first = chunk("IDAT", split.mid(dataAt + 8, 5));
  const QByteArray second = chunk("IDAT", split.mid(dataAt + 13, dataLength - 5));
  split = split.left(dataAt) + first + chunk("tEXt", QByteArrayLiteral("a\0b")) + second +
          split.mid(dataAt + 12 + dataLength);

  const std::vector<std::pair<const char*, QByteArray>> cases = {
      {"16 bits", withHeaderByte(8, 16)},
      {"palette", withHeaderByte(9, 3)},
      {"grey", withHeaderByte(9, 0)},
      {"interlaced", withHeaderByte(12, 1)},
      {"colour key", withChunk(chunk("tRNS", QByteArray(6, '\0')))},
      {"orientation", withChunk(chunk("eXIf", QByteArrayLiteral("MM\0*")))},
      {"animation", withChunk(chunk("acTL", QByteArray(8, '\0')))},
      {"unknown critical chunk", withChunk(chunk("ZZZZ", "z"))},
      {"checksum", badChecksum},
      {"pixel data split by another chunk", split},
      {"cut off before IEND", good.bytes().chopped(12)},
      {"filter 5", badFilter.bytes()},
      {"a row missing", rowsMissing},
      {"a byte too many", withTail("x")},
      {"no signature", good.bytes().mid(1)},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_FALSE(decodeCommonPng(bytes).has_value()) << name;
  }
}

}  // namespace
}  // namespace vx
