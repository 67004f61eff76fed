// A build that draws no SVG (Windows): a drawing, opened or decoded, is refused with a message
// that says so, and the picture dialog does not offer SVG files.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "logo/logo_box.h"
#include "logo/picture_reader.h"
#include "logo/svg_picture.h"
#include "model/shown_path.h"

namespace vx {
namespace {

const QByteArray kDrawing =
    "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
    "<rect width=\"5\" height=\"5\"/></svg>\n";

std::string unsupportedText(const QString& path) {
  return "O arquivo " + shownPath(path).toStdString() +
         " é um desenho SVG, que esta versão do programa não abre. Salve-o como PNG ou BMP e abra esse "
         "arquivo.";
}

TEST(SvgUnsupported, DrawingsAreRefusedSayingThisVersionDoesNotOpenThem) {
  ASSERT_FALSE(svgDrawingsSupported());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // By content, whatever the name: a drawing named .png and one named .bmp are refused alike.
  for (const QString& name : {QStringLiteral("logo.svg"), QStringLiteral("logo.png"), QStringLiteral("logo.bmp")}) {
    SCOPED_TRACE(name.toStdString());
    const QString path = dir.filePath(name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kDrawing);
    file.close();
    std::string opened = "no error";
    try {
      loadLogoPicture(path);
    } catch (const BitmapError& e) {
      opened = e.what();
    }
    EXPECT_EQ(opened, unsupportedText(path));
  }
  std::string decoded = "no error";
  try {
    decodeLogoPicture(kDrawing, QStringLiteral("x"));
  } catch (const BitmapError& e) {
    decoded = e.what();
  }
  EXPECT_EQ(decoded, unsupportedText(QStringLiteral("x")));
}

TEST(SvgUnsupported, ThePictureDialogOffersNoSvgFiles) {
  EXPECT_FALSE(pictureFileSuffixes().contains(QStringLiteral("svg")));
  EXPECT_FALSE(pictureDialogFilter().contains(QStringLiteral("svg")));
  EXPECT_TRUE(pictureDialogFilter().startsWith(QStringLiteral("Imagens (*.bmp *.png *.jpg *.jpeg *.gif")));
}

}  // namespace
}  // namespace vx
