#include "logo/source_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <optional>

#include "logo/compact_bitmap.h"
#include "model/shown_path.h"

namespace vx {
namespace {

// Qt's decoder trusts the data it is given to be long enough and leaves whatever the
// allocator returned in every dot it could not read. The header check (inspectBitmap) makes sure
// the data is there; these zeros keep any small difference in where a Qt version looks for
// the colour table or the masks from ever yielding undefined dots.
constexpr int kDecoderSlack = 2048;

QString fileMessage(const char* what, const QString& path, const QString& reason) {
  return QStringLiteral("%1 %2. %3").arg(QLatin1String(what), shownPath(path), reason.trimmed());
}

[[noreturn]] void throwNotValid() { throw BitmapError(kBitmapNotValid); }

}  // namespace

QByteArray SourcePicture::bitmapFileBytes() const {
  if (!fileBytes.isEmpty()) return fileBytes;
  return saveAsCompactBitmap ? encodeCompactBitmap(image) : encodeBitmap(image);
}

SourcePicture decodeBitmap(const QByteArray& bytes) {
  const std::optional<BitmapLayout> layout = inspectBitmap(bytes, true);
  if (!layout) throwNotValid();

  // Hand the decoder a copy whose data offset is the one checked above, followed by zeros.
  QByteArray forDecoder = bytes;
  const auto start = static_cast<std::uint32_t>(layout->dataStart);
  for (int i = 0; i < 4; ++i) forDecoder[10 + i] = static_cast<char>((start >> (8 * i)) & 0xFF);
  forDecoder.append(kDecoderSlack, '\0');

  QImage image;
  if (!image.loadFromData(forDecoder, "BMP") || image.isNull() ||
      image.size() != QSize(layout->width, layout->height)) {
    throwNotValid();
  }
  if (layout->runLengthEncoded()) {
    if (image.format() != QImage::Format_Indexed8) throwNotValid();
    decodeRunLengthData(bytes, *layout, image);
  }
  return SourcePicture{image, bytes};
}

SourcePicture loadBitmapFile(const QString& path) {
  // A pipe or a device is no bitmap file, and opening a pipe could block for ever.
  const QFileInfo info(path);
  if (info.exists() && !info.isDir() && !info.isFile()) throwNotValid();
  QFile file(path);
  auto cannotOpen = [&] {
    return BitmapError(fileMessage("Cannot open file", path, file.errorString()).toStdString());
  };
  if (!file.open(QIODevice::ReadOnly)) throw cannotOpen();
  // The header first: a large file that is no bitmap is never read whole.
  QByteArray bytes = file.read(kBitmapHeaderBytes);
  if (file.error() != QFileDevice::NoError) throw cannotOpen();
  if (!inspectBitmap(bytes, false)) throwNotValid();
  if (!file.isSequential()) {
    if (file.size() > kMaxBitmapFileBytes) throwNotValid();
    bytes.reserve(file.size());
  }
  constexpr qint64 kChunk = 1 << 20;
  for (;;) {
    const qint64 room = kMaxBitmapFileBytes + 1 - bytes.size();
    const QByteArray chunk = file.read(std::min(kChunk, room));
    if (file.error() != QFileDevice::NoError) throw cannotOpen();
    if (chunk.isEmpty()) break;
    bytes.append(chunk);
    if (bytes.size() > kMaxBitmapFileBytes) throwNotValid();
  }
  return decodeBitmap(bytes);
}

void saveBitmapFile(const SourcePicture& picture, const QString& path) {
  const QByteArray bytes = picture.bitmapFileBytes();
  if (bytes.isEmpty()) {
    throw BitmapError(
        fileMessage("Cannot create file", path, QStringLiteral("The picture is empty.")).toStdString());
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    throw BitmapError(fileMessage("Cannot create file", path, reason).toStdString());
  }
}

}  // namespace vx
