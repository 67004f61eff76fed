#include "handbook_pictures/picture_file.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QSaveFile>
#include <cstring>
#include <stdexcept>

namespace vx::handbook {
namespace {

// 96 dots per inch, as the offscreen screen draws.
constexpr int kDotsPerMeter = 3780;

// A new image holding only the dots of `picture`: whatever it carried besides (texts, a colour
// space, its screen's resolution) stays behind.
QImage bareCopy(const QImage& picture) {
  const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> index;
  QList<QRgb> colours;
  for (int y = 0; y < opaque.height() && colours.size() <= 256; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
    for (int x = 0; x < opaque.width() && colours.size() <= 256; ++x) {
      if (!index.contains(row[x])) {
        index.insert(row[x], int(colours.size()));
        colours.append(row[x]);
      }
    }
  }
  QImage bare;
  if (colours.size() <= 256) {
    bare = QImage(opaque.size(), QImage::Format_Indexed8);
    bare.setColorTable(colours);
    for (int y = 0; y < opaque.height(); ++y) {
      const auto* from = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
      uchar* to = bare.scanLine(y);
      for (int x = 0; x < opaque.width(); ++x) to[x] = uchar(index.value(from[x]));
    }
  } else {
    bare = QImage(opaque.size(), QImage::Format_RGB32);
    for (int y = 0; y < opaque.height(); ++y)
      std::memcpy(bare.scanLine(y), opaque.constScanLine(y), std::size_t(opaque.width()) * sizeof(QRgb));
  }
  bare.setDotsPerMeterX(kDotsPerMeter);
  bare.setDotsPerMeterY(kDotsPerMeter);
  return bare;
}

}  // namespace

QByteArray encodePicture(const QImage& picture) {
  if (picture.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(0);  // the strongest compression
  if (!writer.write(bareCopy(picture))) return {};
  return bytes;
}

void writePicture(const QString& path, const QImage& picture) {
  const QByteArray bytes = encodePicture(picture);
  if (bytes.isEmpty()) throw std::runtime_error("cannot encode " + path.toStdString());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

}  // namespace vx::handbook
