#include "logo/picture_reader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "logo/compact_bitmap.h"
#include "logo/svg_picture.h"
#include "model/shown_path.h"

namespace vx {
namespace {

// A drawing is text; anything larger than this is no logo and would only take long to draw.
constexpr qint64 kMaxSvgFileBytes = qint64{16} * 1024 * 1024;

[[noreturn]] void fail(const QString& text) { throw BitmapError(text.toStdString()); }

QString acceptedList() {
  QStringList names = pictureFileSuffixes();
  names.removeAll(QStringLiteral("jpeg"));
  for (QString& n : names) n = n.toUpper();
  return names.join(QStringLiteral(", "));
}

[[noreturn]] void failUnknown(const QString& path) {
  fail(
      QCoreApplication::translate(
          "PictureReader", "O arquivo %1 não é uma imagem que o programa saiba abrir (formatos aceitos: %2).")
          .arg(shownPath(path), acceptedList()));
}
[[noreturn]] void failDamaged(const QString& path) {
  fail(QCoreApplication::translate("PictureReader",
                                   "A imagem %1 está danificada ou incompleta e não pode ser aberta.")
           .arg(shownPath(path)));
}
[[noreturn]] void failNoSize(const QString& path) {
  fail(QCoreApplication::translate("PictureReader", "A imagem %1 não tem tamanho (largura ou altura zero).")
           .arg(shownPath(path)));
}
[[noreturn]] void failTooLarge(const QString& path, QSize size) {
  fail(QCoreApplication::translate(
           "PictureReader",
           "A imagem %1 é grande demais (%2 × %3 pontos); o limite é de %4 pontos por lado e %5 "
           "pontos ao todo.")
           .arg(shownPath(path))
           .arg(size.width())
           .arg(size.height())
           .arg(kMaxBitmapSide)
           .arg(kMaxBitmapDots));
}
[[noreturn]] void failFileTooLarge(const QString& path, qint64 limit) {
  fail(QCoreApplication::translate("PictureReader",
                                   "O arquivo %1 é grande demais para uma imagem (mais de %2 MiB).")
           .arg(shownPath(path))
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

// The completeness checks below read the file (or the bytes) again through `d`, which must
// be open and seekable; they leave its position anywhere.

// Whether a PNG file runs through its chunks to IEND. Decoders fill a cut-off picture's
// missing rows instead of failing, so the end is checked here.
bool pngComplete(QIODevice& d) {
  qint64 at = 8;
  while (at + 8 <= d.size()) {
    if (!d.seek(at)) return false;
    const QByteArray head = d.read(8);
    if (head.size() != 8) return false;
    const auto* p = reinterpret_cast<const uchar*>(head.constData());
    const qint64 length = quint32{p[0]} << 24 | quint32{p[1]} << 16 | quint32{p[2]} << 8 | p[3];
    if (head.mid(4, 4) == "IEND") return true;
    at += 12 + length;
  }
  return false;
}

// Whether a JPEG file's segments and scans run to the end-of-image marker (see pngComplete).
// Read in blocks: the entropy-coded data is walked byte by byte.
bool jpegComplete(QIODevice& d) {
  if (!d.seek(0)) return false;
  QByteArray block;
  qsizetype i = 0;
  // The next byte of the file, or -1 at its end.
  auto next = [&]() -> int {
    if (i == block.size()) {
      block = d.read(1 << 16);
      i = 0;
      if (block.isEmpty()) return -1;
    }
    return static_cast<uchar>(block[i++]);
  };
  auto skip = [&](qint64 n) {
    for (; n > 0; --n)
      if (next() < 0) return false;
    return true;
  };
  if (!skip(2)) return false;  // start of image
  int c = next();
  for (;;) {
    if (c != 0xFF) return false;
    const int marker = next();
    if (marker < 0) return false;
    if (marker == 0xFF) {  // fill byte
      c = marker;
      continue;
    }
    if (marker == 0xD9) return true;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      c = next();
      continue;
    }
    const int high = next();
    const int low = next();
    if (low < 0 || !skip((high << 8 | low) - 2)) return false;
    c = next();
    if (marker != 0xDA) continue;
    // Entropy-coded data runs to the next marker other than a stuffed zero or a restart.
    for (;;) {
      while (c >= 0 && c != 0xFF) c = next();
      if (c < 0) return false;
      const int after = next();
      if (after < 0) return false;
      if (after != 0x00 && !(after >= 0xD0 && after <= 0xD7)) {
        // Step back onto the marker (the byte just read is still in the block): the outer
        // loop reads it again.
        --i;
        break;
      }
      c = next();
    }
  }
}

// Whether a GIF file ends with its trailer (see pngComplete).
bool gifComplete(QIODevice& d) {
  qint64 end = d.size();
  // Some writers pad the file with zeros.
  while (end > 0) {
    const qint64 from = std::max<qint64>(0, end - 4096);
    if (!d.seek(from)) return false;
    const QByteArray tail = d.read(end - from);
    if (tail.size() != end - from) return false;
    qsizetype k = tail.size();
    while (k > 0 && tail[k - 1] == '\0') --k;
    if (k > 0) return tail[k - 1] == '\x3B';
    end = from;
  }
  return false;
}

[[noreturn]] void failSvgUnsupported(const QString& path) {
  fail(QCoreApplication::translate("PictureReader",
                                   "O arquivo %1 é um desenho SVG, que esta versão do programa não abre. "
                                   "Salve-o como PNG ou BMP e abra esse arquivo.")
           .arg(shownPath(path)));
}

SourcePicture decodeSvg(const QByteArray& bytes, const QString& path) {
  if (!svgDrawingsSupported()) failSvgUnsupported(path);
  if (bytes.size() > kMaxSvgFileBytes) failFileTooLarge(path, kMaxSvgFileBytes);
  SvgProblem problem = checkSvg(bytes);
  QImage image;
  if (problem.kind == SvgProblem::Kind::None) image = renderSvg(bytes, &problem);
  switch (problem.kind) {
    case SvgProblem::Kind::None:
      break;
    case SvgProblem::Kind::External:
      fail(QCoreApplication::translate(
               "PictureReader",
               "O desenho SVG %1 faz referência a algo fora do arquivo (%2), que o programa não "
               "busca. Incorpore as imagens e os estilos no próprio desenho e tente de novo.")
               .arg(shownPath(path), problem.detail.left(200)));
    case SvgProblem::Kind::Script:
      fail(QCoreApplication::translate(
               "PictureReader",
               "O desenho SVG %1 contém scripts (%2), que o programa não executa. Remova-os do "
               "desenho e tente de novo.")
               .arg(shownPath(path), problem.detail.left(200)));
    case SvgProblem::Kind::NoSize:
      fail(QCoreApplication::translate(
               "PictureReader",
               "O desenho SVG %1 não tem tamanho (largura, altura ou viewBox zero ou inválidos).")
               .arg(shownPath(path)));
    case SvgProblem::Kind::NotSvg:
      fail(QCoreApplication::translate("PictureReader",
                                       "O desenho SVG %1 está danificado ou não é um SVG válido.")
               .arg(shownPath(path)));
    case SvgProblem::Kind::Unsupported:
      failSvgUnsupported(path);
  }
  return SourcePicture{image, {}, true};
}

// The picture brought to its working size and flattened onto white. Qt's smooth scaling
// averages every source dot under each new one; it reads RGB32 and premultiplied ARGB32 as
// they are, so a picture in another format is converted first, in place where Qt can (the
// same depth), so that no second picture of the full size is made. Transparency is
// flattened on the reduced picture, which is small.
QImage workingPicture(QImage image) {
  const QSize size = workingPictureSize(image.size());
  if (size != image.size()) {
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return flattenOntoWhite(image);
}

// Decodes a picture in another format from `device` (open, seekable, at its start).
SourcePicture decodeRaster(QIODevice& device, const QString& path) {
  QByteArray format;
  QImage image;
  {
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    format = reader.format().toLower();
    // SVG goes only through the checked path; compressed drawings are not taken.
    if (format.isEmpty() || format == "svg" || format == "svgz") failUnknown(path);
    const QSize stored = reader.size();
    if (stored.isValid()) checkSize(stored, path);
    // A photo taken sideways shows upright, as every picture viewer shows it.
    reader.setAutoTransform(true);
    // The JPEG reader decodes straight to a smaller size (the JPEG library's scaled
    // decoding, then smooth scaling for the rest), never holding the photo whole. The size
    // asked for is the one before the photo is turned upright.
    if (format == "jpeg" && stored.isValid()) {
      const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
      const QSize upright = turned ? stored.transposed() : stored;
      const QSize size = workingPictureSize(upright);
      if (size != upright) reader.setScaledSize(turned ? size.transposed() : size);
    }
    if (!reader.read(&image) || image.isNull()) failDamaged(path);
  }
  checkSize(image.size(), path);
  const bool complete = format == "png"    ? pngComplete(device)
                        : format == "jpeg" ? jpegComplete(device)
                        : format == "gif"  ? gifComplete(device)
                                           : true;
  if (!complete) failDamaged(path);
  return SourcePicture{workingPicture(std::move(image)), {}, true};
}

QString cannotOpenText(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot open file %1. %2").arg(shownPath(path), reason.trimmed());
}

}  // namespace

QStringList pictureFileSuffixes() {
  QStringList out = {QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("jpg"),
                     QStringLiteral("jpeg"), QStringLiteral("gif")};
  if (svgDrawingsSupported()) out.append(QStringLiteral("svg"));
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

QSize workingPictureSize(QSize size) {
  if (size.width() <= kWorkingPictureWidth && size.height() <= kWorkingPictureHeight) return size;
  const double scale =
      std::min(double(kWorkingPictureWidth) / size.width(), double(kWorkingPictureHeight) / size.height());
  const auto side = [scale](int v, int most) {
    return static_cast<int>(std::clamp(std::lround(v * scale), 1L, static_cast<long>(most)));
  };
  return {side(size.width(), kWorkingPictureWidth), side(size.height(), kWorkingPictureHeight)};
}

SourcePicture decodeLogoPicture(const QByteArray& bytes, const QString& path) {
  if (bytes.isEmpty())
    fail(QCoreApplication::translate("PictureReader", "O arquivo %1 está vazio.").arg(shownPath(path)));
  if (bytes.startsWith("BM")) return decodeBitmap(bytes);
  if (looksLikeSvg(bytes)) return decodeSvg(bytes, path);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return decodeRaster(buffer, path);
}

SourcePicture loadLogoPicture(const QString& path) {
  const bool bitmapName = path.endsWith(QLatin1StringView(".bmp"), Qt::CaseInsensitive);
  const QFileInfo info(path);
  if (info.isDir()) {
    if (bitmapName) return loadBitmapFile(path);
    fail(QCoreApplication::translate("PictureReader", "%1 é uma pasta, não um arquivo de imagem.")
             .arg(shownPath(path)));
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
  const QByteArray head = file.peek(64);
  if (file.error() != QFileDevice::NoError) fail(cannotOpenText(path, file.errorString()));
  const bool svg = looksLikeSvg(head);
  const bool otherFormat = isPng(head) || isJpeg(head) || isGif(head) || svg;
  // A Windows bitmap is read exactly as the bitmap loader reads it, and so is anything
  // named .bmp that no other reader recognises (with the bitmap loader's own messages).
  if (head.startsWith("BM") || (bitmapName && !otherFormat)) {
    file.close();
    return loadBitmapFile(path);
  }
  if (head.isEmpty()) fail(QStringLiteral("O arquivo %1 está vazio.").arg(shownPath(path)));
  const qint64 limit = svg ? kMaxSvgFileBytes : kMaxBitmapFileBytes;
  if (file.size() > limit) failFileTooLarge(path, limit);
  if (!svg) return decodeRaster(file, path);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) fail(cannotOpenText(path, file.errorString()));
  return decodeSvg(bytes, path);
}

}  // namespace vx
