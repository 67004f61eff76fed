#include "logo/bitmap_file.h"

#include <QList>
#include <algorithm>
#include <cstring>
#include <limits>

namespace vx {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sides, 3-byte palette entries
constexpr int kInfoHeaderSize = 40;  // Windows 3
constexpr int kOs2HeaderSize = 64;   // OS/2 2.x
constexpr int kV4HeaderSize = 108;
constexpr int kV5HeaderSize = 124;
static_assert(kBitmapHeaderBytes == kFileHeaderSize + kV5HeaderSize);

constexpr std::uint32_t kRgb = BitmapLayout::kRgb;
constexpr std::uint32_t kRle8 = BitmapLayout::kRle8;
constexpr std::uint32_t kRle4 = BitmapLayout::kRle4;
constexpr std::uint32_t kBitFields = BitmapLayout::kBitFields;

std::uint32_t u32(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}
std::uint16_t u16(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void putU16(QByteArray& out, std::uint32_t v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}
void putU32(QByteArray& out, std::uint32_t v) {
  putU16(out, v & 0xFFFF);
  putU16(out, v >> 16);
}

}  // namespace

std::optional<BitmapLayout> inspectBitmap(const QByteArray& bytes, bool complete) {
  const std::int64_t size = bytes.size();
  if (size < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint32_t headerSize = u32(bytes, 14);
  if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize && headerSize != kOs2HeaderSize &&
      headerSize != kV4HeaderSize && headerSize != kV5HeaderSize) {
    return std::nullopt;
  }
  const int fieldsEnd = kFileHeaderSize + (headerSize == kCoreHeaderSize ? 12 : 40);
  if (size < fieldsEnd) return std::nullopt;

  std::int64_t width = 0;
  std::int64_t height = 0;
  int planes = 0;
  BitmapLayout l;
  std::uint32_t colorsUsed = 0;
  if (headerSize == kCoreHeaderSize) {
    // The decoder reads these sides as signed 16-bit numbers.
    width = static_cast<std::int16_t>(u16(bytes, 18));
    height = static_cast<std::int16_t>(u16(bytes, 20));
    planes = u16(bytes, 22);
    l.bitCount = u16(bytes, 24);
  } else {
    width = static_cast<std::int32_t>(u32(bytes, 18));
    height = static_cast<std::int32_t>(u32(bytes, 22));
    planes = u16(bytes, 26);
    l.bitCount = u16(bytes, 28);
    l.compression = u32(bytes, 30);
    colorsUsed = u32(bytes, 46);
  }
  const int bits = l.bitCount;
  if (planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    return std::nullopt;
  }
  const std::uint32_t comp = l.compression;
  const bool compressionFits = comp == kRgb || (comp == kRle8 && bits == 8) || (comp == kRle4 && bits == 4) ||
                               (comp == kBitFields && (bits == 16 || bits == 32));
  if (!compressionFits) return std::nullopt;
  const bool rle = l.runLengthEncoded();

  l.topDown = height < 0;
  if (l.topDown) height = -height;
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height > kMaxBitmapDots) {
    return std::nullopt;
  }
  // Compressed bitmaps are always stored bottom-up.
  if (rle && l.topDown) return std::nullopt;
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);

  std::int64_t paletteEntries = 0;
  if (bits <= 8) {
    paletteEntries = colorsUsed != 0 ? colorsUsed : (std::int64_t{1} << bits);
    if (paletteEntries > 256) return std::nullopt;
  }
  std::int64_t pos = kFileHeaderSize + headerSize;
  if (headerSize < kV4HeaderSize && comp == kBitFields) pos += 12;  // red, green, blue masks
  pos += paletteEntries * (headerSize == kCoreHeaderSize ? 3 : 4);
  if (!complete) return l;

  // A declared data offset inside the headers or the colour table (0 from some writers) is
  // taken to mean that the data follows the colour table. One past the end of the file
  // says the data is not there: reading whatever follows the header instead would show a
  // picture the file does not hold.
  const std::int64_t declared = u32(bytes, 10);
  if (declared > size) return std::nullopt;
  l.dataStart = declared > pos ? declared : pos;
  if (rle) {
    if (l.dataStart >= size) return std::nullopt;
  } else {
    const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    if (l.dataStart + rowBytes * height > size) return std::nullopt;
  }
  return l;
}

void decodeRunLengthData(const QByteArray& bytes, const BitmapLayout& l, QImage& image) {
  image.fill(0);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + l.dataStart;
  const auto* end = reinterpret_cast<const unsigned char*>(bytes.constData()) + bytes.size();
  const bool four = l.compression == kRle4;
  const int w = l.width;
  const int h = l.height;
  int x = 0;
  int row = 0;  // counted from the bottom
  auto put = [&](int index) {
    if (x < w) image.scanLine(h - 1 - row)[x] = static_cast<uchar>(index);
    x = std::min(x + 1, w);
  };
  while (p < end && row < h) {
    const int count = *p++;
    if (count > 0) {  // a run of one value (two alternating nibbles for RLE4)
      if (p >= end) break;
      const int v = *p++;
      for (int i = 0; i < count && x < w; ++i) put(four ? (i % 2 == 0 ? v >> 4 : v & 0x0F) : v);
      continue;
    }
    if (p >= end) break;
    const int code = *p++;
    if (code == 0) {  // end of line
      x = 0;
      ++row;
    } else if (code == 1) {  // end of bitmap
      break;
    } else if (code == 2) {  // jump right and up
      if (end - p < 2) break;
      x = std::min(x + p[0], w);
      row = std::min(row + p[1], h);
      p += 2;
    } else {  // `code` literal dots, padded to a 16-bit boundary
      const int dataBytes = four ? (code + 1) / 2 : code;
      const int available = static_cast<int>(std::min<std::ptrdiff_t>(end - p, dataBytes));
      for (int i = 0; i < code; ++i) {
        const int byteIndex = four ? i / 2 : i;
        if (byteIndex >= available) break;
        const int v = p[byteIndex];
        put(four ? (i % 2 == 0 ? v >> 4 : v & 0x0F) : v);
      }
      if (available < dataBytes) break;
      p += dataBytes + (dataBytes & 1);
    }
  }
}

QByteArray encodeBitmap(const QImage& source) {
  if (source.isNull()) return {};
  QImage image;
  int bits = 32;
  QList<QRgb> palette;
  switch (source.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      image = source.convertToFormat(QImage::Format_Mono);
      bits = 1;
      palette = image.colorTable();
      palette.resize(2, qRgb(0, 0, 0));
      break;
    case QImage::Format_Indexed8:
      image = source;
      bits = 8;
      palette = image.colorTable();
      palette.resize(256, qRgb(0, 0, 0));
      break;
    case QImage::Format_Grayscale8:
      image = source;
      bits = 8;
      for (int i = 0; i < 256; ++i) palette.append(qRgb(i, i, i));
      break;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
      image = source.convertToFormat(QImage::Format_RGB888);
      bits = 24;
      break;
    default:
      // The alpha byte is not kept: 32-bit bitmaps without masks carry none.
      image = source.convertToFormat(QImage::Format_RGB32);
      bits = 32;
      break;
  }
  const std::int64_t w = image.width();
  const std::int64_t h = image.height();
  const std::int64_t rowBytes = (w * bits + 31) / 32 * 4;
  const std::int64_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * palette.size();
  const std::int64_t total = offset + rowBytes * h;
  if (total > std::numeric_limits<std::int32_t>::max()) return {};

  QByteArray out;
  out.reserve(static_cast<qsizetype>(total));
  out.append("BM", 2);
  putU32(out, static_cast<std::uint32_t>(total));
  putU32(out, 0);  // two reserved words
  putU32(out, static_cast<std::uint32_t>(offset));
  putU32(out, kInfoHeaderSize);
  putU32(out, static_cast<std::uint32_t>(w));
  putU32(out, static_cast<std::uint32_t>(h));  // positive: rows bottom-up
  putU16(out, 1);
  putU16(out, static_cast<std::uint32_t>(bits));
  putU32(out, kRgb);
  putU32(out, static_cast<std::uint32_t>(rowBytes * h));
  putU32(out, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterX())));
  putU32(out, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterY())));
  putU32(out, static_cast<std::uint32_t>(palette.size()));
  putU32(out, 0);
  for (QRgb c : palette) {
    out.append(static_cast<char>(qBlue(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qRed(c)));
    out.append('\0');
  }
  QByteArray row(static_cast<qsizetype>(rowBytes), '\0');
  auto* r = reinterpret_cast<unsigned char*>(row.data());
  for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
    const uchar* s = image.constScanLine(y);
    std::memset(r, 0, static_cast<size_t>(rowBytes));
    if (bits == 1) {
      const int whole = static_cast<int>((w + 7) / 8);
      std::memcpy(r, s, static_cast<size_t>(whole));
      if (w % 8 != 0) r[whole - 1] &= static_cast<unsigned char>(0xFF << (8 - w % 8));
    } else if (bits == 8) {
      std::memcpy(r, s, static_cast<size_t>(w));
    } else if (bits == 24) {
      for (std::int64_t x = 0; x < w; ++x) {
        r[3 * x] = s[3 * x + 2];
        r[3 * x + 1] = s[3 * x + 1];
        r[3 * x + 2] = s[3 * x];
      }
    } else {
      const auto* px = reinterpret_cast<const QRgb*>(s);
      for (std::int64_t x = 0; x < w; ++x) {
        r[4 * x] = static_cast<unsigned char>(qBlue(px[x]));
        r[4 * x + 1] = static_cast<unsigned char>(qGreen(px[x]));
        r[4 * x + 2] = static_cast<unsigned char>(qRed(px[x]));
      }
    }
    out.append(row);
  }
  return out;
}

}  // namespace vx
