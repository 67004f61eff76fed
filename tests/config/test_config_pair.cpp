#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "config/config_pair.h"
#include "config_test_support.h"
#include "model/shown_path.h"

namespace vx {
namespace {

// A pair that opens, in a folder of its own; each test spoils one file of it.
class ConfigPairTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QImage picture(8, 4, QImage::Format_RGB888);
    picture.fill(Qt::black);
    write(cfg(), writeConfigText(startupModel(), GlobalSettings{}));
    write(bmp(), encodeBitmap(picture));
  }
  QString cfg() const { return dir_.filePath(QStringLiteral("sala.cfg")); }
  QString bmp() const { return dir_.filePath(QStringLiteral("sala.bmp")); }
  static void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  // The error readConfigPair throws; fails the test when the pair opens.
  ConfigPairError pairError() {
    try {
      readConfigPair(cfg());
    } catch (const ConfigPairError& e) {
      return e;
    }
    ADD_FAILURE() << "the pair opened";
    return ConfigPairError(QString());
  }

  QTemporaryDir dir_;
};

TEST_F(ConfigPairTest, AFaultInTheTextNamesTheFileAndItsLine) {
  QList<QByteArray> lines = fileLines(writeConfigText(startupModel(), GlobalSettings{}));
  lines[120] = "12a";
  write(cfg(), joinCrLf(lines));
  ConfigPairError e = pairError();
  EXPECT_EQ(e.line(), 120);
  EXPECT_EQ(e.message(), shownPath(cfg()) + QStringLiteral(", line 120: '12a' is not a valid integer value"));

  lines[120] = "0";
  write(cfg(), joinCrLf(lines.first(150)));  // lines 1..149: line 150 is the first one missing
  e = pairError();
  EXPECT_EQ(e.line(), 150);
  EXPECT_TRUE(
      e.message().startsWith(shownPath(cfg()) + QStringLiteral(", line 150: the file ends before this line")))
      << e.message().toStdString();
}

TEST_F(ConfigPairTest, ALogoFileThatDoesNotLoadIsNamed) {
  QFile::remove(bmp());
  EXPECT_TRUE(pairError().message().contains(QStringLiteral("Cannot open file %1").arg(shownPath(bmp()))));
  write(bmp(), "BM not really");
  EXPECT_EQ(pairError().message(), shownPath(bmp()) + QStringLiteral(": Bitmap image is not valid"));
  EXPECT_EQ(pairError().line(), 0);
}

}  // namespace
}  // namespace vx
