// What the sender keeps and says about files, on every platform: the records of --if-changed
// (a file for every port name, COM1's included, where Windows keeps devices' names apart), and
// the paths in its messages in the system's own separators, while --json keeps the pair as given.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "model/shown_path.h"
#include "printer/virtual_printer.h"
#include "send/sent_record.h"
#include "send_test_support.h"

namespace vx::test {
namespace {

// The sender beside the test's own build (a path that also holds under Wine).
SenderResult runSender(const QStringList& arguments) {
  QProcess process;
  startProgram(process,
               QCoreApplication::applicationDirPath() + QStringLiteral("/" VORLANDEX_SEND_FROM_TESTS),
               arguments);
  if (!process.waitForFinished(60'000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

JobDigest digest(const QString& key, char fill) { return {key, QByteArray(64, fill), 8}; }

TEST(SendRecordFile, KeepsEveryPortApartAndRefusesWhatIsNoRecord) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString records = dir.filePath(QStringLiteral("state"));
  // A port's own name, a device path and the other spelling of a port: three records.
  const QStringList ports{QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("\\\\.\\COM12")};
  for (int i = 0; i < ports.size(); ++i) {
    SentRecord record(ports[i], records);
    ASSERT_TRUE(record.load());
    record.jobSent(digest(QStringLiteral("settings"), static_cast<char>('a' + i)), ports[i]);
    QString error;
    EXPECT_TRUE(record.save(&error)) << error.toStdString();
  }
  EXPECT_EQ(QDir(records).entryList(QDir::Files).size(), ports.size());
  for (int i = 0; i < ports.size(); ++i) {
    SentRecord again(ports[i], records);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.sha256(QStringLiteral("settings")), QByteArray(64, static_cast<char>('a' + i)));
  }

  // With the record, only what changed goes, and the clock only along with it.
  SentRecord com1(ports[0], records);
  ASSERT_TRUE(com1.load());
  const std::vector<JobDigest> same{digest(QStringLiteral("settings"), 'a'), digest(QStringLiteral("clock"), 'z')};
  EXPECT_EQ(jobsToSend(same, &com1, false), (std::vector<bool>{false, false}));
  EXPECT_EQ(jobsToSend(same, &com1, true), (std::vector<bool>{false, true}));
  const std::vector<JobDigest> changed{digest(QStringLiteral("settings"), 'b'), digest(QStringLiteral("clock"), 'z')};
  EXPECT_EQ(jobsToSend(changed, &com1, false), (std::vector<bool>{true, true}));

  // A damaged record is named, in the system's separators, and knows nothing.
  QFile damaged(com1.filePath());
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
  damaged.write("{\"format\": 1, \"jobs\": {\"settings\": {\"sha256\": \"short\"}}}");
  damaged.close();
  QString error;
  EXPECT_FALSE(com1.load(&error));
  EXPECT_TRUE(error.startsWith(shownPath(com1.filePath()))) << error.toStdString();
  EXPECT_TRUE(com1.sha256(QStringLiteral("settings")).isEmpty());

  // A record whose folder cannot be made says where it would have been.
  QFile blocker(dir.filePath(QStringLiteral("blocked")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  SentRecord blocked(ports[0], blocker.fileName() + QStringLiteral("/state"));
  blocked.jobSent(digest(QStringLiteral("settings"), 'a'), ports[0]);
  EXPECT_FALSE(blocked.save(&error));
  EXPECT_TRUE(error.contains(shownPath(blocked.filePath()))) << error.toStdString();
}

TEST(SendProgramPaths, MessagesNamePathsInTheSystemsSeparators) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  GlobalSettings globals;
  globals.logo_height = 10;
  ConfigModel model;
  applyNumberingDefaults(model);
  QImage picture(40, 10, QImage::Format_RGB888);
  picture.fill(Qt::white);
  const QString cfg = writePair(dir.path(), QStringLiteral("sala"), model, globals, picture);
  const QString missing = dir.filePath(QStringLiteral("none/out"));
  // No run below gets as far as opening its port; should one, it finds nothing there.
  const QString absentPort = dir.filePath(QStringLiteral("ttyUSB9"));

  // Every message about a file, with the path as the system writes it.
  SenderResult r = runSender({cfg, QStringLiteral("--dry-run"), QStringLiteral("-o"), missing});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("cannot write %1: ").arg(shownPath(missing))))
      << r.err.toStdString();
  r = runSender({cfg, QStringLiteral("--only"), QStringLiteral("clock"), QStringLiteral("-p"), absentPort,
                 QStringLiteral("--trace"), missing});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains(QStringLiteral("--trace: cannot open %1: ").arg(shownPath(missing))))
      << r.err.toStdString();

  // A pair without its picture: the message names the picture; the document keeps the pair as
  // it was given and carries the same message.
  ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("sala.bmp"))));
  const QString picturePath = shownPath(dir.filePath(QStringLiteral("sala.bmp")));
  r = runSender({cfg, QStringLiteral("-p"), absentPort});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains(picturePath)) << r.err.toStdString();
  r = runSender({cfg, QStringLiteral("-p"), absentPort, QStringLiteral("--json")});
  EXPECT_EQ(r.exitCode, 2);
  const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
  EXPECT_EQ(doc[QStringLiteral("pair")].toString(), cfg);
  EXPECT_TRUE(doc[QStringLiteral("error")].toString().contains(picturePath)) << r.out.toStdString();
}

}  // namespace
}  // namespace vx::test
