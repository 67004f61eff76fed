#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "config/config_io.h"
#include "platform.h"

namespace vx {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray contents(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll();
}

// Runs `save` and returns the ConfigWriteError's message, or "" when nothing was thrown.
template <typename F>
QString writeError(F save) {
  try {
    save();
  } catch (const ConfigWriteError& e) {
    EXPECT_EQ(QString::fromStdString(e.what()), e.message());
    return e.message();
  }
  return QString();
}

class ConfigIo : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  QTemporaryDir dir_;
};

TEST_F(ConfigIo, SavePairReplacesBothFilesAndLeavesNoTemporaryFiles) {
  writeFile(path("sala.cfg"), "old cfg");
  writeFile(path("sala.bmp"), "old bmp");
  savePair(path("sala.cfg"), path("sala.bmp"), "new cfg", "new bmp");
  EXPECT_EQ(contents(path("sala.cfg")), "new cfg");
  EXPECT_EQ(contents(path("sala.bmp")), "new bmp");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

  savePair(path("nova.cfg"), path("nova.bmp"), QByteArray(), "bmp");
  EXPECT_EQ(contents(path("nova.cfg")), QByteArray());
}

TEST_F(ConfigIo, AFailureOfEitherFileLeavesBothOldFilesAsTheyWere) {
  // A path under a regular file cannot be created, even by root.
  writeFile(path("plain"), "x");
  const QString blocked = path("plain/sala.cfg");
  writeFile(path("sala.cfg"), "old cfg");
  writeFile(path("sala.bmp"), "old bmp");

  QString message =
      writeError([&] { savePair(path("sala.cfg"), path("plain/sala.bmp"), "new cfg", "new bmp"); });
  EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path("plain/sala.bmp")))) << message.toStdString();
  EXPECT_EQ(contents(path("sala.cfg")), "old cfg");

  message = writeError([&] { savePair(blocked, path("sala.bmp"), "new cfg", "new bmp"); });
  EXPECT_TRUE(message.startsWith(
      QStringLiteral("Não foi possível gravar o arquivo \"%1\": ").arg(QDir::toNativeSeparators(blocked))))
      << message.toStdString();
  EXPECT_EQ(contents(path("sala.bmp")), "old bmp");  // the logo file is written first but not put in place
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(ConfigIo, SavePairIntoAReadOnlyFolderThrowsAndKeepsTheOldFiles) {
  if (!test::readOnlyFoldersRefuseWrites()) GTEST_SKIP() << "this process writes into read-only folders";
  const QString folder = path("ro");
  ASSERT_TRUE(QDir().mkdir(folder));
  writeFile(folder + "/sala.cfg", "old cfg");
  writeFile(folder + "/sala.bmp", "old bmp");
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const QString message =
      writeError([&] { savePair(folder + "/sala.cfg", folder + "/sala.bmp", "new cfg", "new bmp"); });
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_TRUE(message.contains(folder + "/sala.")) << message.toStdString();
  EXPECT_EQ(contents(folder + "/sala.cfg"), "old cfg");
  EXPECT_EQ(contents(folder + "/sala.bmp"), "old bmp");
}

TEST_F(ConfigIo, TwoNamesForOneFileAreRefusedBeforeAnythingIsWritten) {
  writeFile(path("sala.bmp"), "old bmp");
  const QString message =
      writeError([&] { savePair(path("sala.bmp"), path("./sala.bmp"), "new cfg", "new bmp"); });
  EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path("sala.bmp")))) << message.toStdString();
  EXPECT_EQ(contents(path("sala.bmp")), "old bmp");
}

TEST_F(ConfigIo, SaveFileAtomicallyReplacesOrReportsTheFile) {
  writeFile(path("a.cfg"), "old");
  saveFileAtomically(path("a.cfg"), "new");
  EXPECT_EQ(contents(path("a.cfg")), "new");

  const QString blocked = path("a.cfg/b.cfg");
  const QString message = writeError([&] { saveFileAtomically(blocked, "x"); });
  const QString start = QStringLiteral("Não foi possível gravar o arquivo \"%1\": ").arg(QDir::toNativeSeparators(blocked));
  EXPECT_TRUE(message.startsWith(start)) << message.toStdString();
  EXPECT_GT(message.size(), start.size());
  EXPECT_EQ(contents(path("a.cfg")), "new");
}

TEST_F(ConfigIo, ReadFileBytesReadsWholeFilesAndRefusesTheRest) {
  writeFile(path("ok.cfg"), QByteArray("1\r\n\0\x81", 6));
  FileReadResult r = readFileBytes(path("ok.cfg"));
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.bytes, QByteArray("1\r\n\0\x81", 6));
  EXPECT_TRUE(r.error.isEmpty());

  r = readFileBytes(path("missing.cfg"));
  EXPECT_EQ(r.status, FileReadResult::Status::kCannotRead);
  EXPECT_TRUE(r.error.contains(QDir::toNativeSeparators(path("missing.cfg"))));

  r = readFileBytes(dir_.path());
  EXPECT_EQ(r.status, FileReadResult::Status::kCannotRead);

  writeFile(path("big.cfg"), QByteArray(101, 'x'));
  EXPECT_TRUE(readFileBytes(path("big.cfg"), 101).ok());
  r = readFileBytes(path("big.cfg"), 100);
  EXPECT_EQ(r.status, FileReadResult::Status::kTooLarge);
  EXPECT_TRUE(r.bytes.isEmpty());
  EXPECT_EQ(r.error, fileTooLargeMessage(path("big.cfg")));
  EXPECT_TRUE(r.error.contains(QStringLiteral("grande demais")));

  // A device reports size 0 and never ends: the read stops at the limit.
  if (test::endlessDevice().isEmpty()) return;
  r = readFileBytes(test::endlessDevice(), 4096);
  EXPECT_EQ(r.status, FileReadResult::Status::kTooLarge);
}

}  // namespace
}  // namespace vx
