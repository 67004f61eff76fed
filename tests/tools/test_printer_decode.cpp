// vorlandex-printer --decode: the lines of a byte stream kept in a file, as the sender's dry
// run writes it; the one mode of the printer on Windows.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "programs.h"
#include "protocol/job_plan.h"

namespace {

struct PrinterRun {
  int exitCode = -1;
  QString out;
  QString err;
};

PrinterRun runPrinter(const QStringList& arguments) {
  QProcess printer;
  vx::test::startProgram(printer, QStringLiteral(VORLANDEX_PRINTER_EXE), arguments);
  PrinterRun run;
  if (!printer.waitForFinished(30000)) return run;
  run.exitCode = printer.exitCode();
  // Lines end in CR LF on Windows.
  run.out = QString::fromLocal8Bit(printer.readAllStandardOutput()).remove(QLatin1Char('\r'));
  run.err = QString::fromLocal8Bit(printer.readAllStandardError());
  return run;
}

bool writeFile(const QString& path, const vx::ByteList& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
}

TEST(PrinterDecode, ReadsTheSendersStreamWholeAndReportsACutOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  vx::ConfigModel model;
  vx::applyNumberingDefaults(model);
  // The texts' blocks are paced 12 ms a byte and the registers 100 ms apart on the line; in a
  // file every byte is there at once, and none of that may be reported.
  const vx::RunPlan plan = vx::planRun(model, vx::JobsToSend{true, false, true, false}, 0x03, vx::CutMode::Partial,
                                       {}, QDateTime::currentDateTime());
  const QString whole = dir.filePath(QStringLiteral("whole.bin"));
  ASSERT_TRUE(writeFile(whole, plan.stream()));
  PrinterRun run = runPrinter({QStringLiteral("--decode"), whole});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 3) << run.out.toStdString();
  EXPECT_TRUE(lines.first().startsWith(QStringLiteral("note: decoding "))) << lines.first().toStdString();
  EXPECT_TRUE(lines.first().contains(QStringLiteral("not judged")));
  EXPECT_TRUE(run.out.contains(QStringLiteral("register 0x1F options = 0x03 (reset at end of day, beep)\n")));
  EXPECT_TRUE(run.out.contains(QStringLiteral("footer text of button 4")));
  EXPECT_FALSE(run.out.contains(QStringLiteral("problem:"))) << run.out.toStdString();
  EXPECT_EQ(lines.last(), QStringLiteral("decoded: %1 transfers, no problem").arg(plan.transfers.size()));

  // The last block without its "F": what a port closed too early leaves.
  vx::ByteList cut = plan.stream();
  cut.pop_back();
  const QString shortFile = dir.filePath(QStringLiteral("cut.bin"));
  ASSERT_TRUE(writeFile(shortFile, cut));
  run = runPrinter({QStringLiteral("--decode"), shortFile});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.contains(QStringLiteral("problem: block 0x3D"))) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains(QStringLiteral("transfers, 1 problem\n"))) << run.out.toStdString();
}

TEST(PrinterDecode, RefusesWhatItCannotRead) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const PrinterRun missing = runPrinter({QStringLiteral("--decode"), dir.filePath(QStringLiteral("none.bin"))});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read"))) << missing.err.toStdString();
  EXPECT_TRUE(missing.out.isEmpty());
  // A file has no line to take a device or a slack.
  const PrinterRun mixed =
      runPrinter({QStringLiteral("--decode"), dir.filePath(QStringLiteral("none.bin")), QStringLiteral("--slack-ms"),
                  QStringLiteral("3")});
  EXPECT_EQ(mixed.exitCode, 2);
}

}  // namespace
