#pragma once
// The Windows bitmap file as bytes: checking what its headers promise before any decoder
// sees the data, expanding its run-length data, and writing a bitmap file of a picture.
// A hostile file (lying headers, truncated data, huge dimensions) is refused by the check
// alone. Plain functions; safe to use from any one thread at a time.

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <optional>

namespace vx {

// Limits a bitmap must keep to be loaded at all: each side at most kMaxBitmapSide dots,
// at most kMaxBitmapDots dots in all (the decoder keeps up to 4 bytes per dot), and a
// file of at most kMaxBitmapFileBytes. Anything larger is reported as not valid.
inline constexpr int kMaxBitmapSide = 20000;
inline constexpr std::int64_t kMaxBitmapDots = std::int64_t{32} * 1024 * 1024;
inline constexpr std::int64_t kMaxBitmapFileBytes = std::int64_t{160} * 1024 * 1024;

// The bytes of a file that inspectBitmap(…, false) needs: the file header and the largest
// information header.
inline constexpr int kBitmapHeaderBytes = 14 + 124;

// Where the parts of a bitmap file lie and what its dots are, as far as the headers tell.
struct BitmapLayout {
  // The values of the compression field.
  static constexpr std::uint32_t kRgb = 0;
  static constexpr std::uint32_t kRle8 = 1;
  static constexpr std::uint32_t kRle4 = 2;
  static constexpr std::uint32_t kBitFields = 3;

  int width = 0;
  int height = 0;  // always positive; topDown says the row order
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kRgb;
  std::int64_t dataStart = 0;

  bool runLengthEncoded() const { return compression == kRle8 || compression == kRle4; }
};

// Checks the headers of `bytes`; nothing when they do not describe a bitmap within the
// limits above. With `complete` false only the header fields are judged (the rest of the
// file has not been read yet); with `complete` true the pixel data must be wholly inside
// `bytes` too. Mirrors where Qt's BMP decoder reads each part.
std::optional<BitmapLayout> inspectBitmap(const QByteArray& bytes, bool complete);

// Decodes the RLE8/RLE4 data of `bytes` into `image` (Indexed8, already sized). Dots the data
// never sets (skipped by a jump, or left when the data ends early) keep index 0; runs past
// the right edge are cut off there.
void decodeRunLengthData(const QByteArray& bytes, const BitmapLayout& layout, QImage& image);

// A Windows bitmap file of `image` at its own size and depth: 1 bit for Mono/MonoLSB,
// 8 bits with a 256-entry palette for Indexed8 and Grayscale8, 24 bits for 24-bit
// formats, 32 bits for everything else. BITMAPINFOHEADER, no compression, bottom-up rows
// padded to 4 bytes. Empty for a null image or one too large for a bitmap file.
QByteArray encodeBitmap(const QImage& image);

}  // namespace vx
