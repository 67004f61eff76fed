// Recovery slots: a live run's copy is never claimed, a killed run's is; a copy survives a kill
// in the middle of its replacement. (The window's tests tell damaged copies and unwritable
// folders.)

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include "config/config_file_names.h"
#include "config/config_io.h"
#include "config/config_pair.h"
#include "config/recovery_slot.h"
#include "config/recovery_writer.h"
#include "config_test_support.h"
#include "programs.h"

namespace vx {
namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

RecoveryNote noteAt(const QString& file, int secondsSinceEpoch) {
  return {file, QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC)};
}

class RecoverySlotTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString root = dir.filePath(QStringLiteral("recovery"));
};

TEST_F(RecoverySlotTest, OnlyACopyNoRunningWindowHoldsIsClaimedAndItReadsBackWhole) {
  auto live = RecoverySlot::create(root);
  live->write("first", "logo 1", noteAt(QStringLiteral("/salas/sala.cfg"), 1000));
  live->write("second", "logo 2", noteAt(QStringLiteral("/salas/sala.cfg"), 2000));
  EXPECT_TRUE(RecoverySlot::claimLeftBehind(root).empty()) << "a running window's copy is offered";

  live.reset();  // the run ends without removing its copy
  auto claimed = RecoverySlot::claimLeftBehind(root);
  ASSERT_EQ(claimed.size(), 1u);
  EXPECT_EQ(claimed[0]->note(), noteAt(QStringLiteral("/salas/sala.cfg"), 2000));
  EXPECT_EQ(fileBytes(claimed[0]->configPath()), "second");
  EXPECT_EQ(fileBytes(logoFileNameForOpen(claimed[0]->configPath())), "logo 2");
  EXPECT_TRUE(RecoverySlot::claimLeftBehind(root).empty()) << "a claimed copy is offered twice";

  claimed[0]->removeCopy();
  const QString folder = claimed[0]->folder();
  claimed.clear();
  EXPECT_FALSE(QFileInfo::exists(folder)) << "an empty slot outlives its run";
}

TEST_F(RecoverySlotTest, DiscardIsNeverOvertakenByAWriteStillUnderWay) {
  RecoveryWriter writer(root, nullptr, {});
  for (int i = 0; i < 20; ++i) {
    writer.write({QByteArray::number(i), {}, {}});
    writer.discard();
  }
  EXPECT_TRUE(RecoverySlot::claimLeftBehind(root).empty());
}

// A process that writes copies one after another (recovery_writer_child.cpp), killed by force
// at a random moment: the copy left is always one whole earlier write, text and logo alike.
TEST_F(RecoverySlotTest, KillDuringAWriteLeavesThePreviousCopyReadable) {
  const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/" RECOVERY_WRITER_CHILD);
  for (int run = 0; run < 4; ++run) {
    QProcess writer;
    test::startProgram(writer, child, {root});
    ASSERT_TRUE(writer.waitForStarted(20000)) << writer.errorString().toStdString();
    int written = -1;
    while (written < 2 && writer.waitForReadyRead(30000)) {
      while (writer.canReadLine()) written = writer.readLine().trimmed().toInt();
    }
    ASSERT_GE(written, 2) << "the writer wrote nothing";
    QThread::msleep(QRandomGenerator::global()->bounded(40));
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished(20000));

    auto claimed = RecoverySlot::claimLeftBehind(root);
    ASSERT_EQ(claimed.size(), 1u);
    const ConfigPair pair = readConfigPair(claimed[0]->configPath());
    const int fromText = pair.contents.buttons[1].lineText[1].toInt();
    EXPECT_GE(fromText, written);
    EXPECT_EQ(pair.picture.image.pixel(0, 0), qRgb(fromText % 256, 0, 0)) << "the logo of another write";
    EXPECT_EQ(claimed[0]->note().fileName, QString::number(fromText));
    claimed[0]->removeCopy();
  }
}

}  // namespace
}  // namespace vx
