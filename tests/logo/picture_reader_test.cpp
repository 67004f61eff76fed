// Logo pictures from other formats: transparency, the compact bitmap they are saved as,
// SVG drawings, and the messages for pictures that cannot be used.

#include "logo/picture_reader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "logo/compact_bitmap.h"
#include "logo/logo_box.h"
#include "logo/logo_raster.h"
#include "logo/svg_picture.h"

namespace vx {
namespace {

QByteArray encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes;
}

LogoRaster rasterOf(const QImage& source, int w, int h, int t) {
  LogoRaster raster;
  updateRaster(raster, renderLogoBox(source, w, h), h, t);
  return raster;
}

std::string errorOf(const QByteArray& bytes, const QString& name = QStringLiteral("x")) {
  try {
    decodeLogoPicture(bytes, name);
  } catch (const BitmapError& e) {
    return e.what();
  }
  return "no error";
}

// A GIF file of an Indexed8 picture (Qt reads GIF but does not write it). The data is
// written as plain 9-bit codes with a clear code often enough that the code size never
// grows, which every decoder reads.
QByteArray gifBytes(const QImage& indexed, int transparentIndex = -1) {
  QByteArray out("GIF89a");
  auto u16 = [&out](int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
  };
  u16(indexed.width());
  u16(indexed.height());
  out.append("\xF7\x00\x00", 3);  // global table of 256 entries
  QList<QRgb> table = indexed.colorTable();
  table.resize(256, qRgb(0, 0, 0));
  for (QRgb c : table) {
    out.append(static_cast<char>(qRed(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qBlue(c)));
  }
  if (transparentIndex >= 0) {
    out.append("\x21\xF9\x04\x01\x00\x00", 6);
    out.append(static_cast<char>(transparentIndex));
    out.append('\0');
  }
  out.append(',');
  u16(0);
  u16(0);
  u16(indexed.width());
  u16(indexed.height());
  out.append('\0');
  out.append('\x08');  // minimum code size
  QByteArray data;
  quint32 bits = 0;
  int count = 0;
  auto code = [&](int c) {
    bits |= static_cast<quint32>(c) << count;
    for (count += 9; count >= 8; count -= 8, bits >>= 8) data.append(static_cast<char>(bits & 0xFF));
  };
  int sinceClear = 0;
  for (int y = 0; y < indexed.height(); ++y) {
    for (int x = 0; x < indexed.width(); ++x) {
      if (sinceClear++ % 250 == 0) code(256);
      code(indexed.pixelIndex(x, y));
    }
  }
  code(257);
  if (count > 0) data.append(static_cast<char>(bits & 0xFF));
  for (qsizetype i = 0; i < data.size(); i += 255) {
    const QByteArray block = data.mid(i, 255);
    out.append(static_cast<char>(block.size()));
    out.append(block);
  }
  out.append('\0');
  out.append(';');
  return out;
}

QByteArray pictureBytes(const QImage& image, const char* format) {
  if (QByteArray(format) != "GIF") return encoded(image, format);
  // Transparent dots take index 0.
  QImage indexed(image.size(), QImage::Format_Indexed8);
  QList<QRgb> table{qRgba(0, 0, 0, 0)};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      const QRgb key = qAlpha(c) == 0 ? qRgba(0, 0, 0, 0) : c | 0xFF000000u;
      qsizetype i = table.indexOf(key);
      if (i < 0 && table.size() < 256) {
        table.append(key);
        i = table.size() - 1;
      }
      indexed.scanLine(y)[x] = static_cast<uchar>(std::max<qsizetype>(i, 0));
    }
  }
  indexed.setColorTable(table);
  return gifBytes(indexed, qAlpha(image.pixel(0, 0)) == 0 ? 0 : -1);
}

// A PNG file of `image` whose header declares other sides, with a valid checksum.
QByteArray pngDeclaring(quint32 width, quint32 height) {
  QByteArray png = encoded(QImage(2, 2, QImage::Format_RGB32), "PNG");
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
  }
  quint32 crc = 0xFFFFFFFFu;
  for (int i = 12; i < 29; ++i) {  // "IHDR" and its 13 bytes
    crc ^= static_cast<uchar>(png[i]);
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  crc ^= 0xFFFFFFFFu;
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
  return png;
}

int bitsOf(const QByteArray& bmp) { return static_cast<uchar>(bmp[28]) | static_cast<uchar>(bmp[29]) << 8; }

// 40 × 20: a transparent left half (stored as transparent black, as editors write it), a
// half-transparent black column band, the rest opaque dark grey.
QImage transparentLogo() {
  QImage image(40, 20, QImage::Format_ARGB32);
  image.fill(qRgba(60, 60, 60, 255));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 0));
    for (int x = 20; x < 24; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 128));
  }
  return image;
}

TEST(OtherFormats, TransparentDotsArePaperAndPartlyTransparentOnesBlendWithWhite) {
  for (const char* format : {"PNG", "GIF"}) {
    SCOPED_TRACE(format);
    const SourcePicture picture = decodeLogoPicture(pictureBytes(transparentLogo(), format), QStringLiteral("t"));
    EXPECT_TRUE(picture.fileBytes.isEmpty());
    EXPECT_TRUE(picture.compactOnSave);
    // W = 400, H = 20: one box dot per ten picture dots across, one per row.
    const LogoRaster raster = rasterOf(picture.image, 400, 20, 254);
    for (int y : {0, 19}) {
      EXPECT_FALSE(raster.isBlack(0, y));
      EXPECT_FALSE(raster.isBlack(199, y));
      EXPECT_TRUE(raster.isBlack(240, y));
    }
    if (QByteArray(format) == "PNG") {  // GIF has no partial transparency
      EXPECT_EQ(picture.image.pixel(21, 5) | 0xFF000000u, qRgb(127, 127, 127));
    }
  }
}

// The compact bitmap must read back to the colours the box drew, so that a saved pair
// opens with the same raster: few colours give 8 bits, many give 24.
TEST(OtherFormats, CompactBitmapReadsBackToTheSameRaster) {
  QImage few = transparentLogo();
  QImage photo(300, 150, QImage::Format_RGB32);
  for (int y = 0; y < photo.height(); ++y)
    for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x % 256, (y * 7) % 256, (x * y) % 256));
  QImage mono(33, 9, QImage::Format_Mono);  // 1 bit: black wins when shrunk, unless flattened
  mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  mono.fill(0);
  for (int y = 0; y < 9; y += 2) mono.setPixel(y % 33, y, 1);

  struct Row {
    const char* name;
    QImage image;
    int bits;
  };
  for (const Row& row : {Row{"few", few, 8}, Row{"photo", photo, 24}, Row{"mono", mono, 8}}) {
    SCOPED_TRACE(row.name);
    const SourcePicture picture = decodeLogoPicture(encoded(row.image, "PNG"), QStringLiteral("p"));
    const QByteArray bmp = picture.bitmapFileBytes();
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(bitsOf(bmp), row.bits);
    const SourcePicture back = decodeBitmap(bmp);
    for (QSize box : {QSize(400, 200), QSize(300, 90), QSize(20, 10), QSize(137, 3)}) {
      for (int t : {1, 100, 127, 200}) {
        EXPECT_TRUE(rasterOf(back.image, box.width(), box.height(), t) ==
                    rasterOf(picture.image, box.width(), box.height(), t))
            << box.width() << "x" << box.height() << " T " << t;
      }
    }
  }
}

TEST(OtherFormats, WindowsBitmapBytesStayTheFilesOwn) {
  QImage image(5, 3, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  const QByteArray bytes = encodeBitmap(image);
  const SourcePicture picture = decodeLogoPicture(bytes, QStringLiteral("b"));
  EXPECT_EQ(picture.fileBytes, bytes);
  EXPECT_FALSE(picture.compactOnSave);
  EXPECT_EQ(picture.bitmapFileBytes(), bytes);
}

// --- SVG ---

QByteArray svg(const QByteArray& size, const QByteArray& body) {
  return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" " +
         size + ">" + body + "</svg>\n";
}

TEST(SvgDrawing, RenderedToFitTheBoxAreaWithItsProportionsOnWhite) {
  struct Row {
    QByteArray size;
    QByteArray halfWidth, height;
    QSize rendered;
  };
  for (const Row& row : {Row{"viewBox=\"0 0 100 50\"", "50", "50", {400, 200}},
                         Row{"width=\"30\" height=\"30\"", "15", "30", {200, 200}},
                         Row{"viewBox=\"0 0 80 10\"", "40", "10", {400, 50}},
                         Row{"width=\"100000\" height=\"1\"", "50000", "1", {400, 1}}}) {
    SCOPED_TRACE(row.size.constData());
    // Left half black, right half left transparent.
    const QByteArray doc =
        svg(row.size, "<rect x=\"0\" y=\"0\" width=\"" + row.halfWidth + "\" height=\"" + row.height + "\"/>");
    const SourcePicture picture = decodeLogoPicture(doc, QStringLiteral("d.svg"));
    EXPECT_TRUE(picture.compactOnSave);
    ASSERT_EQ(picture.image.size(), row.rendered);
    const int w = row.rendered.width();
    EXPECT_EQ(picture.image.pixel(0, 0) | 0xFF000000u, qRgb(0, 0, 0));
    EXPECT_EQ(picture.image.pixel(w - 1, row.rendered.height() - 1) | 0xFF000000u, qRgb(255, 255, 255));
  }
  EXPECT_EQ(svgRenderSize(0, 5), QSize());
  EXPECT_EQ(svgRenderSize(std::numeric_limits<double>::infinity(), 5), QSize());
}

// --- Pictures that cannot be used ---

struct BadCase {
  const char* name;
  QByteArray bytes;
  std::string text;  // with "x" as the file's name
};

std::vector<BadCase> badCases() {
  QImage photo(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) photo.setPixel(x, y, qRgb(x * 4, y * 5, (x ^ y) * 3));
  const QByteArray png = encoded(photo, "PNG");
  const QByteArray jpeg = encoded(photo, "JPEG");
  const QByteArray gif = pictureBytes(photo.convertToFormat(QImage::Format_Indexed8), "GIF");
  const std::string damaged = "A imagem \"x\" está danificada ou incompleta e não pode ser aberta.";
  const std::string external = "O desenho SVG \"x\" faz referência a algo fora do arquivo (";
  const std::string script = "O desenho SVG \"x\" contém scripts (";
  const QByteArray rect = "<rect width=\"10\" height=\"10\"/>";
  return {
      {"Empty", "", "O arquivo \"x\" está vazio."},
      {"NotAPicture", "just some text\n", "O arquivo \"x\" não é uma imagem que o programa saiba abrir"},
      {"TruncatedPng", png.left(png.size() / 2), damaged},
      {"TruncatedJpeg", jpeg.left(jpeg.size() * 2 / 3), damaged},
      {"TruncatedGif", gif.left(gif.size() * 2 / 3), damaged},
      {"HugePng", pngDeclaring(100000, 100000), "A imagem \"x\" é grande demais (100000 × 100000 pontos)"},
      {"ZeroSizePng", pngDeclaring(0, 7), damaged},
      {"SvgImageFile", svg("width=\"10\" height=\"10\"", "<image xlink:href=\"/etc/hostname\" width=\"5\" height=\"5\"/>"),
       external + "/etc/hostname)"},
      {"SvgRemoteImage", svg("width=\"10\" height=\"10\"", "<image href=\"https://example.com/a.png\"/>"),
       external + "https://example.com/a.png)"},
      {"SvgUseOtherFile", svg("width=\"10\" height=\"10\"", "<use xlink:href=\"other.svg#logo\"/>"),
       external + "other.svg#logo)"},
      {"SvgStyleUrl", svg("width=\"10\" height=\"10\"", "<rect style=\"fill:url('pat.svg#p')\" width=\"5\" height=\"5\"/>"),
       external + "pat.svg#p)"},
      {"SvgImport", svg("width=\"10\" height=\"10\"", "<style>@import url(x.css);</style>" + rect), external + "@import)"},
      {"SvgStyleSheet", "<?xml-stylesheet href=\"s.css\"?>" + svg("width=\"10\" height=\"10\"", rect),
       external + "href=\"s.css\")"},
      {"SvgExternalEntity",
       "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" +
           svg("width=\"10\" height=\"10\"", "<text>&e;</text>"),
       external + "file:///etc/passwd)"},
      {"SvgScript", svg("width=\"10\" height=\"10\"", "<script>alert(1)</script>" + rect), script + "<script>)"},
      {"SvgOnload", svg("width=\"10\" height=\"10\" onload=\"alert(1)\"", rect), script + "onload)"},
      {"SvgZeroViewBox", svg("viewBox=\"0 0 0 10\"", rect), "O desenho SVG \"x\" não tem tamanho"},
      {"SvgBroken", svg("width=\"10\" height=\"10\"", "<rect"), "O desenho SVG \"x\" está danificado ou não é um SVG válido."},
  };
}

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class BadPictures : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadPictures, AreRefusedWithTheirReason) {
  const std::string text = errorOf(GetParam().bytes);
  EXPECT_EQ(text.substr(0, GetParam().text.size()), GetParam().text) << text;
}

INSTANTIATE_TEST_SUITE_P(Files, BadPictures, ::testing::ValuesIn(badCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFiles, FoldersMissingFilesAndBitmapNamesGoWhereTheyBelong) {
  QTemporaryDir dir;
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  };
  auto error = [](const QString& path) -> std::string {
    try {
      loadLogoPicture(path);
    } catch (const BitmapError& e) {
      return e.what();
    }
    return "no error";
  };
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  // Content decides: a PNG named .bmp opens as PNG; text named .bmp keeps the bitmap text.
  EXPECT_TRUE(loadLogoPicture(write(QStringLiteral("png.bmp"), encoded(image, "PNG"))).compactOnSave);
  EXPECT_EQ(error(write(QStringLiteral("text.bmp"), "no picture")), kBitmapNotValid);
  const QByteArray bmp = encodeBitmap(image);
  EXPECT_EQ(loadLogoPicture(write(QStringLiteral("bitmap.png"), bmp)).fileBytes, bmp);
  EXPECT_EQ(error(dir.path()), "\"" + dir.path().toStdString() + "\" é uma pasta, não um arquivo de imagem.");
  const QString gone = dir.filePath(QStringLiteral("gone.png"));
  EXPECT_EQ(error(gone), "Cannot open file \"" + gone.toStdString() + "\". No such file or directory");
}

TEST(PictureFiles, DialogFilterListsEveryFormatThenTheBitmaps) {
  const QString filter = pictureDialogFilter();
  EXPECT_TRUE(filter.startsWith(QStringLiteral("Imagens (*.bmp *.png *.jpg *.jpeg *.gif *.svg"))) << filter.toStdString();
  EXPECT_TRUE(filter.endsWith(QStringLiteral("|Bitmaps (*.bmp)|*.bmp")));
  EXPECT_EQ(filter.count(QLatin1Char('|')), 3);
}

}  // namespace
}  // namespace vx
