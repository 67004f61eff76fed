// libFuzzer target for the logo picture path: any bytes given to the picture readers (the
// bitmap decoder for bytes that start with "BM", else the PNG, JPEG, GIF and other Qt
// readers and the checked SVG renderer) must either throw BitmapError (with the "not valid"
// text from the bitmap decoder) or give a picture of the promised formats, without
// transparency for the other readers, that the logo box, the preview threshold and the
// upload data then take at several sizes (in and out of range) without fault:
// - the box is 400 × H, white outside the picture, and holds exactly the scaled picture
//   the screen shows;
// - the threshold leaves the rows from H on untouched;
// - the upload data has one 53-byte record per row and the trailer;
// - a picture from the other readers fits the working area (800 × 400);
// - a small picture written by encodeBitmap (encodeCompactBitmap for the other readers)
//   reads back with the same colours, in 8 or 24 bits for the compact one.

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QGuiApplication>

#include "logo/compact_bitmap.h"
#include "logo/logo_box.h"
#include "logo/logo_raster.h"
#include "logo/logo_upload.h"
#include "logo/picture_reader.h"
#include "logo/source_picture.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

bool isWhite(const uchar* rgb) { return rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255; }

void checkBoxAndUpload(const QImage& source, int w, int h, int threshold) {
  const int wc = std::clamp(w, 0, vx::kLogoBoxWidth);
  const int hc = std::clamp(h, 0, vx::kLogoBoxMaxHeight);
  const QImage box = vx::renderLogoBox(source, w, h);
  const QImage shown = vx::scaledPicture(source, w, h);
  if (hc == 0) {
    check(box.isNull(), "no box at height 0");
  } else {
    check(box.format() == QImage::Format_RGB888 && box.size() == QSize(vx::kLogoBoxWidth, hc),
          "box is 400 x H");
    const int left = vx::logoPictureLeft(wc);
    for (int y = 0; y < hc; ++y) {
      const uchar* row = box.constScanLine(y);
      for (int x = 0; x < vx::kLogoBoxWidth; ++x)
        if (x < left || x >= left + wc) check(isWhite(row + 3 * x), "box is white beside the picture");
    }
    if (wc > 0) check(box.copy(left, 0, wc, hc) == shown, "box holds the picture the screen shows");
  }
  if (wc == 0 || hc == 0)
    check(shown.isNull(), "no scaled picture at size 0");
  else
    check(shown.size() == QSize(wc, hc) && shown.format() == QImage::Format_RGB888,
          "scaled picture is W x H");

  static const vx::LogoRaster fresh;
  vx::LogoRaster raster;
  vx::updateRaster(raster, box, h, threshold);
  for (int y = hc; y < vx::kLogoRasterHeight; ++y)
    check(std::memcmp(raster.image().constScanLine(y), fresh.image().constScanLine(y),
                      3 * vx::kLogoRasterWidth) == 0,
          "rows from H on are untouched");

  const QByteArray data = vx::logoUploadData(raster, h);
  check(data.size() == vx::logoUploadLength(h) && data.size() == 53 * hc + 54,
        "upload length is 53 x H + 54");
  for (int y = 0; y < hc; ++y)
    check(data[53 * y] == 0x1B && data[53 * y + 1] == 'J' && data[53 * y + 2] == 50,
          "row record starts ESC J 50");
  const qsizetype t = 53 * hc;
  check(data[t] == 0x1B && data[t + 1] == 'L' && data[t + 2] == 10 && data[t + 3] == 50,
        "trailer ESC L 10 50");
}

// A dot's colour as the logo box takes it: palette indices beyond the colour table are
// black, alpha is ignored. (Qt's own conversion differs for short tables, so it is not
// the reference here.)
QRgb dotColour(const QImage& image, int x, int y) {
  if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB ||
      image.format() == QImage::Format_Indexed8) {
    const int index = image.pixelIndex(x, y);
    return index < image.colorCount() ? image.color(index) & 0xFFFFFFu : 0u;
  }
  return image.pixel(x, y) & 0xFFFFFFu;
}

// What encodeBitmap (or encodeCompactBitmap) writes must read back as the same picture to
// the logo box.
void checkRoundTrip(const QImage& image, bool compact = false) {
  const QByteArray encoded = compact ? vx::encodeCompactBitmap(image) : vx::encodeBitmap(image);
  if (compact) check(encoded.size() > 30 && (encoded[28] == 8 || encoded[28] == 24), "compact is 8 or 24 bits");
  check(!encoded.isEmpty(), "a decoded picture can be encoded");
  vx::SourcePicture again;
  try {
    again = vx::decodeBitmap(encoded);
  } catch (const vx::BitmapError&) {
    check(false, "an encoded picture decodes");
  }
  check(again.image.size() == image.size(), "round trip keeps the size");
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      check(dotColour(image, x, y) == dotColour(again.image, x, y), "round trip keeps the colours");
}

// A picture from the other readers: no file bytes, saved compact, and nothing transparent
// left (a palette made opaque and full, other formats among those the box draws directly).
void checkOtherFormat(const vx::SourcePicture& picture) {
  const QImage& image = picture.image;
  const QImage::Format f = image.format();
  check(picture.fileBytes.isEmpty() && picture.saveAsCompactBitmap, "another format is saved compact");
  check(image.width() <= vx::kWorkingPictureWidth && image.height() <= vx::kWorkingPictureHeight,
        "another format fits the working area");
  check(f == QImage::Format_Indexed8 || f == QImage::Format_RGB32 || f == QImage::Format_RGB888 ||
            f == QImage::Format_Grayscale8 || f == QImage::Format_ARGB32,
        "another format gives Indexed8, RGB32, RGB888, Grayscale8 or ARGB32");
  if (f == QImage::Format_Indexed8) {
    check(image.colorCount() == 256, "a flattened palette has 256 entries");
    for (QRgb c : image.colorTable()) check(qAlpha(c) == 255, "a flattened palette is opaque");
  }
  if (f == QImage::Format_ARGB32) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) check(qAlpha(image.pixel(x, y)) == 255, "no transparency is left");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // SVG text is drawn with the system's fonts, which need a GUI application.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const bool bitmap = bytes.startsWith("BM");
  vx::SourcePicture picture;
  try {
    picture = bitmap ? vx::decodeBitmap(bytes) : vx::decodeLogoPicture(bytes, QStringLiteral("fuzz"));
  } catch (const vx::BitmapError& e) {
    if (bitmap) check(std::strcmp(e.what(), vx::kBitmapNotValid) == 0, "a bad bitmap is reported as not valid");
    check(std::strlen(e.what()) > 0, "a bad picture is reported with a reason");
    return 0;
  }
  const QImage& image = picture.image;
  const QImage::Format f = image.format();
  check(!image.isNull() && image.width() <= vx::kMaxBitmapSide && image.height() <= vx::kMaxBitmapSide,
        "a decoded picture has a size within the limits");
  if (bitmap) {
    check(f == QImage::Format_Mono || f == QImage::Format_Indexed8 || f == QImage::Format_RGB32 ||
              f == QImage::Format_ARGB32,
          "a decoded picture is Mono, Indexed8, RGB32 or ARGB32");
    check(picture.fileBytes == bytes && picture.bitmapFileBytes() == bytes, "the file's own bytes are kept");
  } else {
    checkOtherFormat(picture);
  }

  // Box sizes: one from the input's last bytes (mostly small, so that pictures are both
  // enlarged and shrunk; a little beyond both ranges), and now and then one of a few fixed
  // ones including the start-up size and the largest box. Large boxes cost milliseconds
  // under the sanitizers, so they are not tried on every input.
  const std::uint8_t a = data[size - 1];
  const std::uint8_t b = size > 1 ? data[size - 2] : 0;
  const int threshold = 1 + (a ^ b) % 255;
  const int w = a < 224 ? a % 48 - 2 : (a - 224) * 13 - 2;  // -2..45, then -2..401 in steps
  const int h = b < 224 ? b % 24 - 2 : (b - 224) * 7 - 2;   // -2..21, then -2..215 in steps
  checkBoxAndUpload(image, w, h, threshold);
  static constexpr int kSizes[][2] = {{400, 200}, {300, 90}, {1, 1}, {37, 173}};
  if (size % 16 < 4) checkBoxAndUpload(image, kSizes[size % 16][0], kSizes[size % 16][1], threshold);

  if (static_cast<std::int64_t>(image.width()) * image.height() <= 256 * 256) checkRoundTrip(image, !bitmap);
  return 0;
}
