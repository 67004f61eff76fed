#include "logo/picture_reader.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <optional>

#include "logo/compact_bitmap.h"
#include "logo/picture_memory.h"
#include "logo/png_decoder.h"
#include "logo/svg_picture.h"

namespace vx {
namespace {

// A drawing is text; anything larger than this is no logo and would only take long to draw.
constexpr qint64 kMaxSvgFileBytes = qint64{16} * 1024 * 1024;

[[noreturn]] void fail(const QString& text) { throw BitmapError(text.toStdString()); }

QString quoted(const QString& path) { return QStringLiteral("\"%1\"").arg(path); }

QString acceptedList() {
  QStringList names = pictureFileSuffixes();
  names.removeAll(QStringLiteral("jpeg"));
  for (QString& n : names) n = n.toUpper();
  return names.join(QStringLiteral(", "));
}

[[noreturn]] void failUnknown(const QString& path) {
  fail(QCoreApplication::translate("PictureReader", "O arquivo %1 não é uma imagem que o programa saiba abrir (formatos aceitos: %2).")
           .arg(quoted(path), acceptedList()));
}
[[noreturn]] void failDamaged(const QString& path) {
  fail(QCoreApplication::translate("PictureReader", "A imagem %1 está danificada ou incompleta e não pode ser aberta.").arg(quoted(path)));
}
[[noreturn]] void failNoSize(const QString& path) {
  fail(QCoreApplication::translate("PictureReader", "A imagem %1 não tem tamanho (largura ou altura zero).").arg(quoted(path)));
}
[[noreturn]] void failTooLarge(const QString& path, QSize size) {
  fail(QCoreApplication::translate("PictureReader", "A imagem %1 é grande demais (%2 × %3 pontos); o limite é de %4 pontos por lado e %5 "
                      "pontos ao todo.")
           .arg(quoted(path))
           .arg(size.width())
           .arg(size.height())
           .arg(kMaxBitmapSide)
           .arg(kMaxBitmapDots));
}
[[noreturn]] void failFileTooLarge(const QString& path, qint64 limit) {
  fail(QCoreApplication::translate("PictureReader", "O arquivo %1 é grande demais para uma imagem (mais de %2 MiB).")
           .arg(quoted(path))
           .arg(limit / (1024 * 1024)));
}

void checkSize(QSize size, const QString& path) {
  if (size.width() == 0 || size.height() == 0) failNoSize(path);
  if (size.width() < 0 || size.height() < 0) failDamaged(path);
  if (size.width() > kMaxBitmapSide || size.height() > kMaxBitmapSide ||
      qint64{size.width()} * size.height() > kMaxBitmapDots) {
    failTooLarge(path, size);
  }
}

bool isPng(const QByteArray& b) { return b.startsWith("\x89PNG\r\n\x1A\n"); }
bool isJpeg(const QByteArray& b) { return b.startsWith("\xFF\xD8\xFF"); }
bool isGif(const QByteArray& b) { return b.startsWith("GIF87a") || b.startsWith("GIF89a"); }

quint32 bigEndian32(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
  return quint32{p[0]} << 24 | quint32{p[1]} << 16 | quint32{p[2]} << 8 | p[3];
}

// Whether a PNG file runs through its chunks to IEND. Decoders fill a cut-off picture's
// missing rows instead of failing, so the end is checked here.
bool pngComplete(const QByteArray& b) {
  qsizetype at = 8;
  while (at + 8 <= b.size()) {
    const qint64 length = bigEndian32(b, at);
    if (b.mid(at + 4, 4) == "IEND") return true;
    at += 12 + length;
  }
  return false;
}

// Whether a JPEG file's segments and scans run to the end-of-image marker (see pngComplete).
bool jpegComplete(const QByteArray& b) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData());
  const qsizetype n = b.size();
  qsizetype at = 2;
  while (at + 1 < n) {
    if (p[at] != 0xFF) return false;
    const uchar marker = p[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD9) return true;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    if (at + 3 >= n) return false;
    at += 2 + (p[at + 2] << 8 | p[at + 3]);
    if (marker != 0xDA) continue;
    // Entropy-coded data runs to the next marker other than a stuffed zero or a restart.
    while (at + 1 < n && !(p[at] == 0xFF && p[at + 1] != 0x00 && !(p[at + 1] >= 0xD0 && p[at + 1] <= 0xD7)))
      ++at;
  }
  return false;
}

// Whether a GIF file ends with its trailer (see pngComplete).
bool gifComplete(const QByteArray& b) {
  qsizetype end = b.size();
  while (end > 0 && b[end - 1] == '\0') --end;  // some writers pad the file
  return end > 0 && b[end - 1] == '\x3B';
}

SourcePicture decodeSvg(const QByteArray& bytes, const QString& path) {
  if (bytes.size() > kMaxSvgFileBytes) failFileTooLarge(path, kMaxSvgFileBytes);
  SvgProblem problem = checkSvg(bytes);
  QImage image;
  if (problem.kind == SvgProblem::Kind::None) image = renderSvg(bytes, &problem);
  switch (problem.kind) {
    case SvgProblem::Kind::None:
      break;
    case SvgProblem::Kind::External:
      fail(QCoreApplication::translate("PictureReader", "O desenho SVG %1 faz referência a algo fora do arquivo (%2), que o programa não "
                          "busca. Incorpore as imagens e os estilos no próprio desenho e tente de novo.")
               .arg(quoted(path), problem.detail.left(200)));
    case SvgProblem::Kind::Script:
      fail(QCoreApplication::translate("PictureReader", "O desenho SVG %1 contém scripts (%2), que o programa não executa. Remova-os do "
                          "desenho e tente de novo.")
               .arg(quoted(path), problem.detail.left(200)));
    case SvgProblem::Kind::NoSize:
      fail(QCoreApplication::translate("PictureReader", "O desenho SVG %1 não tem tamanho (largura, altura ou viewBox zero ou inválidos).")
               .arg(quoted(path)));
    case SvgProblem::Kind::NotSvg:
      fail(QCoreApplication::translate("PictureReader", "O desenho SVG %1 está danificado ou não é um SVG válido.").arg(quoted(path)));
  }
  return SourcePicture{image, {}, true};
}

SourcePicture decodeRaster(const QByteArray& bytes, const QString& path) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  const QByteArray format = reader.format().toLower();
  // SVG goes only through the checked path above; compressed drawings are not taken.
  if (format.isEmpty() || format == "svg" || format == "svgz") failUnknown(path);
  if (reader.size().isValid()) checkSize(reader.size(), path);
  // Most PNG files, camera photos above all, take the fast reader; it answers only when its
  // picture is the one Qt's reader would give.
  if (format == "png") {
    if (std::optional<QImage> image = decodeCommonPng(bytes))
      return SourcePicture{flattenOntoWhite(*image), {}, true};
  }
  // A photo taken sideways shows upright, as every picture viewer shows it.
  reader.setAutoTransform(true);
  // Qt's JPEG reader fills a picture of the right size and format that it is given; one in
  // large pages saves a photo most of its page faults.
  QImage image = format == "jpeg" ? newLargePicture(reader.size(), reader.imageFormat()) : QImage();
  if (!reader.read(&image) || image.isNull()) failDamaged(path);
  checkSize(image.size(), path);
  if ((isPng(bytes) && !pngComplete(bytes)) || (isJpeg(bytes) && !jpegComplete(bytes)) ||
      (isGif(bytes) && !gifComplete(bytes))) {
    failDamaged(path);
  }
  return SourcePicture{flattenOntoWhite(image), {}, true};
}

QString cannotOpenText(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason.trimmed());
}

}  // namespace

QStringList pictureFileSuffixes() {
  QStringList out = {QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("jpg"),
                     QStringLiteral("jpeg"), QStringLiteral("gif"), QStringLiteral("svg")};
  QStringList others;
  for (const QByteArray& f : QImageReader::supportedImageFormats()) {
    const QString name = QString::fromLatin1(f).toLower();
    if (name != QLatin1StringView("svgz") && !out.contains(name) && !others.contains(name)) others.append(name);
  }
  others.sort();
  return out + others;
}

QString pictureDialogFilter() {
  QStringList patterns;
  for (const QString& s : pictureFileSuffixes()) patterns.append(QStringLiteral("*.") + s);
  return QCoreApplication::translate("PictureReader", "Imagens (%1)|%2|Bitmaps (*.bmp)|*.bmp")
      .arg(patterns.join(QLatin1Char(' ')), patterns.join(QLatin1Char(';')));
}

SourcePicture decodeLogoPicture(const QByteArray& bytes, const QString& path) {
  if (bytes.isEmpty()) fail(QCoreApplication::translate("PictureReader", "O arquivo %1 está vazio.").arg(quoted(path)));
  if (bytes.startsWith("BM")) return decodeBitmap(bytes);
  if (looksLikeSvg(bytes)) return decodeSvg(bytes, path);
  return decodeRaster(bytes, path);
}

SourcePicture loadLogoPicture(const QString& path) {
  const bool bitmapName = path.endsWith(QLatin1StringView(".bmp"), Qt::CaseInsensitive);
  const QFileInfo info(path);
  if (info.isDir()) {
    if (bitmapName) return loadBitmapFile(path);
    fail(QCoreApplication::translate("PictureReader", "%1 é uma pasta, não um arquivo de imagem.").arg(quoted(path)));
  }
  // A pipe or a device is no picture file, and opening a pipe could block for ever.
  if (info.exists() && !info.isFile()) {
    if (bitmapName) return loadBitmapFile(path);
    failUnknown(path);
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (bitmapName) return loadBitmapFile(path);
    fail(cannotOpenText(path, file.errorString()));
  }
  QByteArray bytes = file.read(64);
  if (file.error() != QFileDevice::NoError) fail(cannotOpenText(path, file.errorString()));
  const bool otherFormat = isPng(bytes) || isJpeg(bytes) || isGif(bytes) || looksLikeSvg(bytes);
  // A Windows bitmap is read exactly as the bitmap loader reads it, and so is anything
  // named .bmp that no other reader recognises (with the bitmap loader's own messages).
  if (bytes.startsWith("BM") || (bitmapName && !otherFormat)) {
    file.close();
    return loadBitmapFile(path);
  }
  const qint64 limit = looksLikeSvg(bytes) ? kMaxSvgFileBytes : kMaxBitmapFileBytes;
  if (file.size() > limit) failFileTooLarge(path, limit);
  bytes.reserve(file.size());
  while (bytes.size() <= limit) {
    const QByteArray chunk = file.read(std::min<qint64>(1 << 20, limit + 1 - bytes.size()));
    if (file.error() != QFileDevice::NoError) fail(cannotOpenText(path, file.errorString()));
    if (chunk.isEmpty()) break;
    bytes.append(chunk);
  }
  if (bytes.size() > limit) failFileTooLarge(path, limit);
  return decodeLogoPicture(bytes, path);
}

}  // namespace vx
