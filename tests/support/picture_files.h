#pragma once
// Picture files for tests and benchmarks: a picture in any format Qt writes, Windows bitmaps
// made by hand (headers written field by field, pixel rows given as raw bytes and padded to 4
// bytes here, so that unusual and broken files can be made), and files holding such bytes.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vx::test {

// `image` as a file of `format` ("PNG", "JPEG", "BMP", …) would hold it; empty when Qt cannot
// write that format.
inline QByteArray encodedPicture(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) return {};
  return bytes;
}

// Writes `bytes` to `path`, replacing what was there; false when the file could not be
// written in full.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

struct BmpFields {
  int headerSize = 40;  // 12 (OS/2 1.x), 40, 108 or 124
  std::int32_t width = 1;
  std::int32_t height = 1;  // negative: rows top-down
  int bits = 24;
  std::uint32_t compression = 0;
  QList<QRgb> palette;                      // written as given (3 bytes per entry for headerSize 12)
  std::uint32_t colorsUsed = 0;             // biClrUsed
  std::vector<std::uint32_t> masks;         // bit-field masks written after a 40-byte header
  QByteArray pixels;                        // the pixel data exactly as stored
  std::optional<std::uint32_t> dataOffset;  // bfOffBits; default: right after the palette
};

inline BmpFields bmp(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0,
                     QList<QRgb> palette = {}, std::uint32_t colorsUsed = 0, int headerSize = 40) {
  BmpFields s;
  s.width = width;
  s.height = height;
  s.bits = bits;
  s.compression = compression;
  s.palette = palette;
  s.colorsUsed = colorsUsed;
  s.headerSize = headerSize;
  return s;
}

inline void le16(QByteArray& out, std::uint32_t v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}
inline void le32(QByteArray& out, std::uint32_t v) {
  le16(out, v & 0xFFFF);
  le16(out, v >> 16);
}

// Rows as stored, each padded with zeros to a multiple of 4 bytes.
inline QByteArray paddedRows(const std::vector<std::vector<int>>& rows) {
  QByteArray out;
  for (const auto& row : rows) {
    for (int b : row) out.append(static_cast<char>(b));
    while (out.size() % 4 != 0) out.append('\0');
  }
  return out;
}

inline QByteArray bytesOf(const std::vector<int>& values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

inline QByteArray buildBmp(const BmpFields& s) {
  QByteArray info;
  le32(info, static_cast<std::uint32_t>(s.headerSize));
  if (s.headerSize == 12) {
    le16(info, static_cast<std::uint32_t>(s.width));
    le16(info, static_cast<std::uint32_t>(s.height));
    le16(info, 1);
    le16(info, static_cast<std::uint32_t>(s.bits));
  } else {
    le32(info, static_cast<std::uint32_t>(s.width));
    le32(info, static_cast<std::uint32_t>(s.height));
    le16(info, 1);
    le16(info, static_cast<std::uint32_t>(s.bits));
    le32(info, s.compression);
    le32(info, static_cast<std::uint32_t>(s.pixels.size()));
    le32(info, 2835);
    le32(info, 2835);
    le32(info, s.colorsUsed);
    le32(info, 0);
    // Version 4/5 headers: masks, colour space type, end points, gammas (and for version 5
    // intent, profile, reserved), all zero except the masks.
    for (std::uint32_t m : s.masks) {
      if (s.headerSize >= 108) le32(info, m);
    }
    while (info.size() < s.headerSize) info.append('\0');
  }
  QByteArray masks;
  if (s.headerSize < 108) {
    for (std::uint32_t m : s.masks) le32(masks, m);
  }
  QByteArray palette;
  for (QRgb c : s.palette) {
    palette.append(static_cast<char>(qBlue(c)));
    palette.append(static_cast<char>(qGreen(c)));
    palette.append(static_cast<char>(qRed(c)));
    if (s.headerSize != 12) palette.append('\0');
  }
  const auto offset = static_cast<std::uint32_t>(14 + info.size() + masks.size() + palette.size());
  QByteArray file("BM");
  le32(file, offset + static_cast<std::uint32_t>(s.pixels.size()));
  le32(file, 0);
  le32(file, s.dataOffset.value_or(offset));
  return file + info + masks + palette + s.pixels;
}

}  // namespace vx::test
