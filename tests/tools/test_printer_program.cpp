// The vorlandex-printer program over its pseudo-terminal, as the configurator uses it:
// the port opened and closed once per job.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "programs.h"

namespace {

bool writeAll(int fd, const std::vector<unsigned char>& bytes) {
  return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

TEST(PrinterProgram, DecodesJobsAcrossReopeningsAndRendersTickets) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess printer;
  vx::test::startProgram(printer, QStringLiteral(VORLANDEX_PRINTER_EXE),
                         {QStringLiteral("--ticket-dir"), dir.path()});
  ASSERT_TRUE(printer.waitForStarted(5000));
  ASSERT_TRUE(printer.waitForReadyRead(5000));
  const QString first = QString::fromUtf8(printer.readLine()).trimmed();
  ASSERT_TRUE(first.startsWith(QStringLiteral("VORLANDEX_COM1=/dev/pts/"))) << first.toStdString();
  const QByteArray slave = first.section(QLatin1Char('='), 1).toLocal8Bit();

  for (const std::vector<unsigned char>& job :
       {std::vector<unsigned char>{'D', 'I', 'M', 'P', 0x40, 0x00, 0x41, 0x00},
        std::vector<unsigned char>{'D', 'I', 'M', 'P', 0x40, 0x0C, 0x03, 0xE7, 0x0A}}) {
    const int fd = open(slave.constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(writeAll(fd, job));
    tcdrain(fd);
    close(fd);
    usleep(150'000);
  }

  QByteArray out;
  for (int i = 0; i < 50 && !out.contains("between transfers"); ++i) {
    printer.waitForReadyRead(100);
    out += printer.readAll();
  }
  printer.terminate();  // SIGTERM
  ASSERT_TRUE(printer.waitForFinished(5000));
  EXPECT_EQ(printer.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(printer.exitCode(), 0);
  out += printer.readAll();

  EXPECT_TRUE(out.contains("register 0x00 letter of button 1 = 0x41 'A'\n")) << out.toStdString();
  EXPECT_TRUE(out.contains("register 0x0C first number of button 1 = 999\n")) << out.toStdString();
  // A line feed reaches the printer as it was sent: raw 8-bit line.
  EXPECT_TRUE(out.contains("problem: 1 byte between transfers: 0A\n")) << out.toStdString();
  EXPECT_EQ(QImage(dir.filePath(QStringLiteral("button1.png"))).width(), 400);
}

}  // namespace
