// Logo pictures from other formats in the window: opening, saving beside the configuration
// and opening the pair again, dropping files on the logo, the contrast suggestion and the
// share of black dots.

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "logo/contrast.h"
#include "logo/picture_reader.h"
#include "logo/svg_picture.h"
#include "support/picture_files.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

QByteArray png(const QImage& image) { return encodedPicture(image, "PNG"); }

// 100 × 50 with a transparent left half (stored as transparent black) and, on the right,
// a dark grey band (luminance 60) beside light grey (luminance 180).
QImage twoGreysOnTransparent() {
  QImage image(100, 50, QImage::Format_ARGB32);
  image.fill(qRgba(180, 180, 180, 255));
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 0));
    for (int x = 50; x < 75; ++x) image.setPixel(x, y, qRgba(60, 60, 60, 255));
  }
  return image;
}

// 1 bit, larger than the box: shrunk, a 1-bit picture lets black win, so it must not stay
// 1-bit in memory when the bitmap it is saved as reads back with 8.
QImage fineLines() {
  QImage image(800, 400, QImage::Format_Mono);
  image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  image.fill(0);
  for (int y = 0; y < 400; y += 5)
    for (int x = 0; x < 800; ++x) image.setPixel(x, y, 1);
  return image;
}

QImage photo() {
  QImage image(320, 160, QImage::Format_ARGB32);
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 320; ++x) image.setPixel(x, y, qRgba(x % 256, (y * 3) % 256, (x + y) % 256, x < 40 ? 0 : 255));
  return image;
}

class LogoPictures : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    settleStartUp();
  }

  QString writeFile(const QString& name, const QByteArray& bytes) { return writeFileIn(dir.path(), name, bytes); }

  void openPicture(const QString& path) {
    dialogs->fileAnswers.push_back(path);
    click(ui.openPictureButton());
  }

  // Sends a drop of `mime` on the picture of the logo box and lets it be handled.
  bool drop(QMimeData* mime) {
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui.logoPicture(), &enter);
    QDropEvent event(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui.logoPicture(), &event);
    pump();
    return enter.isAccepted() && event.isAccepted();
  }

  QTemporaryDir dir;
};

struct SavedCase {
  const char* name;
  QImage image;
  int bits;
};
void PrintTo(const SavedCase& c, std::ostream* os) { *os << c.name; }
class SavedPair : public LogoPictures, public ::testing::WithParamInterface<SavedCase> {};

TEST_P(SavedPair, IsACompactBitmapBesideTheCfgAndOpensToTheSameRaster) {
  openPicture(writeFile(QStringLiteral("logo.png"), png(GetParam().image)));
  ui.contrastBar()->setValue(150);
  click(ui.updatePictureButton());
  const LogoRaster raster = ui.logoRaster();
  const QString name = dir.filePath(QStringLiteral("sala"));
  dialogs->fileAnswers.push_back(name);
  click(ui.saveButton());
  ASSERT_EQ(boxCount(), 0);

  QFile bmp(name + QStringLiteral(".bmp"));
  ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
  const QByteArray bytes = bmp.readAll();
  ASSERT_TRUE(bytes.startsWith("BM"));
  EXPECT_EQ(static_cast<uchar>(bytes[28]), GetParam().bits);
  EXPECT_EQ(static_cast<uchar>(bytes[30]), 0);  // no compression
  const QImage read = QImage::fromData(bytes, "BMP");  // any bitmap reader takes it
  EXPECT_EQ(read.size(), GetParam().image.size());

  // Another look in between, then the pair again.
  ui.contrastBar()->setValue(255);
  click(ui.updatePictureButton());
  ASSERT_FALSE(ui.logoRaster() == raster);
  dialogs->fileAnswers.push_back(name + QStringLiteral(".cfg"));
  click(ui.openButton());
  ASSERT_EQ(boxCount(), 0);
  EXPECT_EQ(ui.contrastBar()->value(), 150);
  EXPECT_TRUE(ui.logoRaster() == raster);
  EXPECT_EQ(ui.sourcePicture().fileBytes, bytes);
}

INSTANTIATE_TEST_SUITE_P(Pictures, SavedPair,
                         ::testing::Values(SavedCase{"FewColours", twoGreysOnTransparent(), 8},
                                           SavedCase{"OneBit", fineLines(), 8}, SavedCase{"Photo", photo(), 24}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Pictures and drops that cannot be used ---

struct RefusedCase {
  const char* name;
  enum { TruncatedPng, Folder, DropTwo, DropText, DropRemote } what;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
class Refused : public LogoPictures, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(Refused, ShowsTheReasonAndLeavesTheLogoAsItWas) {
  const SourcePicture picture = ui.sourcePicture();
  const LogoRaster raster = ui.logoRaster();
  const QImage shown = ui.logoPicture()->picture();
  const QString share = ui.blackShareLabel()->text();
  const QString pngPath = writeFile(QStringLiteral("ok.png"), png(photo()));
  auto mime = std::make_unique<QMimeData>();
  QString expected;
  MessageIcon icon = MessageIcon::Error;
  switch (GetParam().what) {
    case RefusedCase::TruncatedPng:
      openPicture(writeFile(QStringLiteral("cut.png"), png(photo()).chopped(40)));
      expected = QStringLiteral("está danificada ou incompleta");
      break;
    case RefusedCase::Folder:  // dropped, as the dialog offers no folders
      mime->setUrls({QUrl::fromLocalFile(dir.path())});
      EXPECT_TRUE(drop(mime.get()));
      expected = QStringLiteral("é uma pasta, não um arquivo de imagem.");
      break;
    case RefusedCase::DropTwo:
      mime->setUrls({QUrl::fromLocalFile(pngPath), QUrl::fromLocalFile(pngPath)});
      EXPECT_TRUE(drop(mime.get()));
      expected = QStringLiteral("Foram soltos 2 itens. Solte um único arquivo de imagem sobre o logotipo.");
      icon = MessageIcon::Warning;
      break;
    case RefusedCase::DropText:
      mime->setText(QStringLiteral("logo"));
      EXPECT_TRUE(drop(mime.get()));
      expected = QStringLiteral("O que foi solto não é um arquivo.");
      icon = MessageIcon::Warning;
      break;
    case RefusedCase::DropRemote:
      mime->setUrls({QUrl(QStringLiteral("https://example.com/logo.png"))});
      EXPECT_TRUE(drop(mime.get()));
      expected = QStringLiteral("\"https://example.com/logo.png\" não é um arquivo deste computador.");
      icon = MessageIcon::Warning;
      break;
  }
  ASSERT_EQ(boxCount(), 1);
  EXPECT_TRUE(dialogs->boxes[0].text.contains(expected)) << dialogs->boxes[0].text.toStdString();
  EXPECT_EQ(dialogs->boxes[0].icon, icon);
  EXPECT_TRUE(ui.sourcePicture() == picture);
  EXPECT_TRUE(ui.logoRaster() == raster);
  EXPECT_EQ(ui.logoPicture()->picture(), shown);
  EXPECT_EQ(ui.blackShareLabel()->text(), share);
  EXPECT_FALSE(ui.model().unsavedChanges);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refused,
    ::testing::Values(RefusedCase{"TruncatedPng", RefusedCase::TruncatedPng},
                      RefusedCase{"DroppedFolder", RefusedCase::Folder},
                      RefusedCase{"DroppedTwoFiles", RefusedCase::DropTwo},
                      RefusedCase{"DroppedText", RefusedCase::DropText},
                      RefusedCase{"DroppedAddress", RefusedCase::DropRemote}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogoPictures, ADroppedSvgOpensAsOpenPictureWould) {
  if (!svgDrawingsSupported()) GTEST_SKIP() << "this build does not draw SVG";
  const QString path = writeFile(QStringLiteral("logo.svg"),
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 40 10\">"
                                 "<rect width=\"20\" height=\"10\"/><text x=\"22\" y=\"9\">VX</text></svg>");
  auto mime = std::make_unique<QMimeData>();
  mime->setUrls({QUrl::fromLocalFile(path)});
  EXPECT_TRUE(drop(mime.get()));

  ASSERT_EQ(boxCount(), 0);
  EXPECT_EQ(ui.sourcePicture().image.size(), QSize(800, 200));
  EXPECT_EQ(ui.pictureDialogName(), path);
  EXPECT_TRUE(ui.model().unsavedChanges);
  EXPECT_TRUE(ui.logoRaster().isBlack(50, 0));  // W = 300: the black left half from column 50
  EXPECT_FALSE(ui.logoRaster().isBlack(49, 0));
}

// --- Contrast help ---

TEST_F(LogoPictures, SuggestMovesOnlyTheContrastControlAndTheNextUpdateSplitsTheGreys) {
  openPicture(writeFile(QStringLiteral("logo.png"), png(twoGreysOnTransparent())));
  ui.contrastBar()->setValue(1);
  click(ui.updatePictureButton());
  ui.forgetChanges();
  const LogoRaster raster = ui.logoRaster();
  const QString share = ui.blackShareLabel()->text();

  click(ui.suggestButton());

  const int t = ui.contrastBar()->value();
  EXPECT_GE(t, 60);
  EXPECT_LT(t, 180);
  EXPECT_TRUE(ui.logoRaster() == raster);  // as after moving the control by hand
  EXPECT_EQ(ui.blackShareLabel()->text(), share);
  EXPECT_EQ(ui.logoHeightBar()->value(), 90);
  EXPECT_EQ(ui.logoWidthBar()->value(), 300);
  EXPECT_TRUE(ui.model().unsavedChanges);  // the contrast is saved in the pair
  EXPECT_EQ(boxCount(), 0);

  click(ui.updatePictureButton());
  // W = 300 from column 50: transparent (paper) to 199, dark to 274, light to 349.
  EXPECT_FALSE(ui.logoRaster().isBlack(199, 0));
  EXPECT_TRUE(ui.logoRaster().isBlack(200, 0));
  EXPECT_TRUE(ui.logoRaster().isBlack(274, 0));
  EXPECT_FALSE(ui.logoRaster().isBlack(275, 0));
  EXPECT_EQ(ui.blackShareLabel()->text(),
            QStringLiteral("Preto: 19 %"));  // 75 of 400 columns
}

TEST_F(LogoPictures, BlackShareFollowsTheRasterAndTheHeight) {
  EXPECT_EQ(ui.blackShareLabel()->text(),
            QStringLiteral("Preto: %1 %").arg(blackDotPercent(ui.logoRaster(), 90)));
  ui.contrastBar()->setValue(255);
  click(ui.updatePictureButton());
  EXPECT_EQ(ui.blackShareLabel()->text(), QStringLiteral("Preto: 100 %"));
  ui.logoHeightBar()->setValue(200);  // rows 90..199 are still paper
  EXPECT_EQ(ui.blackShareLabel()->text(), QStringLiteral("Preto: 45 %"));
  click(ui.printLogoBox());
  EXPECT_EQ(ui.blackShareLabel()->text(), QStringLiteral("Preto: 0 %"));
}

}  // namespace
}  // namespace vx::test
