#pragma once
// The logo's source picture: the Windows bitmap as loaded, at its own size and depth, plus
// the file's own bytes so that saving writes the very file the operator chose. Loading
// checks the file's headers first (bitmap_file.h) and reports every failure as a
// BitmapError carrying the text the operator is shown.
// Plain functions and values; safe to use from any one thread at a time.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <stdexcept>

#include "logo/bitmap_file.h"

namespace vx {

// A picture file that cannot be opened, read or written, or is not a valid bitmap.
// what() is the operator's text in UTF-8 (without the full stop the error report adds).
class BitmapError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr char kBitmapNotValid[] = "Bitmap image is not valid";

struct SourcePicture {
  QImage image;          // as decoded: Mono, Indexed8, RGB32 or ARGB32 for a bitmap file;
                         // the working picture (picture_reader.h) for another format
  QByteArray fileBytes;  // the file's own bytes when it came from a file, else empty
  // Set for a picture read from another format (PNG, SVG, ...): it has no bitmap bytes of
  // its own and is saved as a compact bitmap (encodeCompactBitmap) instead of at its depth.
  bool saveAsCompactBitmap = false;

  // What the save command writes: the file's own bytes when there are any, else the
  // picture encoded by encodeCompactBitmap() or encodeBitmap().
  QByteArray bitmapFileBytes() const;

  bool operator==(const SourcePicture&) const = default;
};

// Reads and decodes a Windows bitmap file (1, 4, 8, 16, 24 or 32 bits per dot, RLE4,
// RLE8, bit fields; Windows 3, OS/2 and version 4/5 headers). Throws BitmapError with
//   Cannot open file "<path>". <system's reason>   when the file cannot be opened or read,
//   Bitmap image is not valid                       when its content is not a usable bitmap.
SourcePicture loadBitmapFile(const QString& path);

// Decodes the bytes of a bitmap file; throws BitmapError(kBitmapNotValid). The result
// keeps `bytes` as its fileBytes.
SourcePicture decodeBitmap(const QByteArray& bytes);

// Writes picture.bitmapFileBytes() to `path`, replacing the file only once everything
// is written. Throws BitmapError("Cannot create file "<path>". <reason>") on failure.
void saveBitmapFile(const SourcePicture& picture, const QString& path);

}  // namespace vx
