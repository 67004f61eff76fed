#include "logo/compact_bitmap.h"

#include <QHash>
#include <QList>

#include "logo/bitmap_file.h"

namespace vx {
namespace {

// The colour a dot shows on white: c × a / 255 + (255 − a), per channel, rounded.
QRgb onWhite(QRgb c) {
  const int a = qAlpha(c);
  if (a == 255) return c;
  const QRgb p = qPremultiply(c);
  return qRgb(qRed(p) + 255 - a, qGreen(p) + 255 - a, qBlue(p) + 255 - a);
}

bool allOpaque(const QImage& image) {
  if (!image.hasAlphaChannel()) return true;
  if (image.format() != QImage::Format_ARGB32) return false;  // checked after a conversion
  for (int y = 0; y < image.height(); ++y) {
    const auto* px = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(px[x]) != 255) return false;
  }
  return true;
}

QImage flattenedPalette(const QImage& image) {
  QImage out = image.format() == QImage::Format_Indexed8 ? image : image.convertToFormat(QImage::Format_Indexed8);
  QList<QRgb> table = image.colorTable();  // a 1-bit picture's table, as its dots are drawn
  table.resize(256, qRgb(0, 0, 0));
  for (QRgb& c : table) c = onWhite(c) | 0xFF000000u;
  out.setColorTable(table);
  return out;
}

}  // namespace

QImage flattenOntoWhite(const QImage& image) {
  if (image.isNull()) return {};
  switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
      return flattenedPalette(image);
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_Grayscale8:
      return image;
    default:
      break;
  }
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage argb = image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
  if (allOpaque(argb)) return argb;
  QImage out = argb.convertToFormat(QImage::Format_RGB32);  // a copy to write into
  for (int y = 0; y < out.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    auto* px = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) px[x] = onWhite(in[x]) | 0xFF000000u;
  }
  return out;
}

QByteArray encodeCompactBitmap(const QImage& image) {
  const QImage flat = flattenOntoWhite(image);
  if (flat.isNull()) return {};
  if (flat.format() == QImage::Format_Indexed8 || flat.format() == QImage::Format_Grayscale8)
    return encodeBitmap(flat);

  // Up to 257 distinct colours are gathered; the 257th means 24 bits. Runs of one colour
  // (the common case in drawn logos) cost one comparison per dot. A photo read as RGB888
  // is read as it is, not converted twice on its way to 24 bits.
  const bool packed = flat.format() == QImage::Format_RGB888;
  QHash<QRgb, int> index;
  QImage indexed(flat.size(), QImage::Format_Indexed8);
  bool fits = true;
  QRgb last = 0;
  int lastIndex = -1;
  for (int y = 0; y < flat.height() && fits; ++y) {
    const uchar* line = flat.constScanLine(y);
    uchar* out = indexed.scanLine(y);
    for (int x = 0; x < flat.width(); ++x) {
      const QRgb c = packed ? qRgb(line[3 * x], line[3 * x + 1], line[3 * x + 2])
                            : reinterpret_cast<const QRgb*>(line)[x] | 0xFF000000u;
      if (lastIndex < 0 || c != last) {
        auto found = index.find(c);
        if (found == index.end()) {
          if (index.size() == 256) {
            fits = false;
            break;
          }
          found = index.insert(c, static_cast<int>(index.size()));
        }
        last = c;
        lastIndex = found.value();
      }
      out[x] = static_cast<uchar>(lastIndex);
    }
  }
  if (!fits) return encodeBitmap(packed ? flat : flat.convertToFormat(QImage::Format_RGB888));
  QList<QRgb> table(index.size());
  for (auto it = index.constBegin(); it != index.constEnd(); ++it) table[it.value()] = it.key();
  indexed.setColorTable(table);
  return encodeBitmap(indexed);
}

}  // namespace vx
