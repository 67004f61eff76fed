// What the window holds after "Abrir" and what the command-line sender makes of the same pair
// must be one and the same logo: the controls' values and the logo block's bytes.

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "config/config_pair.h"
#include "logo/logo_upload.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

// Grey levels across, dark dots down the middle: width, height and threshold all show.
QImage testPicture() {
  QImage image(97, 31, QImage::Format_RGB888);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int v = (x * 255 / 96 + y * 3) % 256;
      image.setPixelColor(x, y, QColor(v, 255 - v / 2, v / 3));
    }
  return image;
}

struct Row {
  const char* what;
  int height, width, threshold;
  bool printLogo;
};

TEST_F(WindowTest, AfterOpenTheWindowAndTheSenderMakeTheSameLogo) {
  settleStartUp();
  const Row rows[] = {
      {"as saved", 20, 250, 140, true},
      {"logo off as saved", 0, 300, 127, false},
      {"logo off with a height", 90, 300, 127, false},
      {"out of range low", 3, 5, 0, true},
      {"out of range high", 900, 4000, 999, true},
  };
  QTemporaryDir dir;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    GlobalSettings g;
    g.logo_height = row.height;
    g.logo_width = row.width;
    g.threshold = row.threshold;
    g.print_logo = row.printLogo;
    const QString cfg = dir.filePath(QStringLiteral("par.cfg"));
    QFile c(cfg), b(dir.filePath(QStringLiteral("par.bmp")));
    ASSERT_TRUE(c.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
    c.write(writeConfigText(ui.model(), g));
    b.write(encodeBitmap(testPicture()));
    c.close();
    b.close();
    // Each pair is opened by a window in its start-up state, as the sender assumes.
    TearDown();
    SetUp();
    settleStartUp();
    dialogs->fileAnswers.push_back(cfg);
    click(ui.openButton());
    ASSERT_EQ(boxCount(), 0);

    const LogoSettings s = logoSettingsAfterOpen(g);
    EXPECT_EQ(ui.logoHeightBar()->value(), s.height);
    EXPECT_EQ(ui.logoWidthBar()->value(), s.width);
    EXPECT_EQ(ui.contrastBar()->value(), s.threshold);
    EXPECT_EQ(logoUploadData(ui.logoRaster(), ui.logoHeightBar()->value()),
              logoDataAfterOpen(readConfigPair(cfg)));
  }
}

}  // namespace
}  // namespace vx::test
