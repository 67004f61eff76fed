#pragma once
// Shared by the sender's tests: a pair on disk, the program run as the operator runs it, and
// the virtual printer's transfers compared the way the printer sees them.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <vector>

#include "config/config_text.h"
#include "logo/source_picture.h"
#include "printer/decoder.h"
#include "programs.h"

namespace vx::test {

// Writes NAME.cfg and NAME.bmp into `dir`; returns the .cfg's path.
inline QString writePair(const QString& dir, const QString& name, const ConfigModel& model,
                         const GlobalSettings& globals, const QImage& picture) {
  const QString cfg = dir + QLatin1Char('/') + name + QStringLiteral(".cfg");
  QFile c(cfg), b(dir + QLatin1Char('/') + name + QStringLiteral(".bmp"));
  EXPECT_TRUE(c.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
  c.write(writeConfigText(model, globals));
  b.write(encodeBitmap(picture));
  return cfg;
}

struct SenderResult {
  int exitCode = -1;
  QString out;
  QString err;
};

// Starts vorlandex-send with `arguments`; finish() waits for it.
class Sender {
 public:
  explicit Sender(const QStringList& arguments) {
    startProgram(process_, QStringLiteral(VORLANDEX_SEND_EXE), arguments);
    EXPECT_TRUE(process_.waitForStarted());
  }
  SenderResult finish(int timeoutMs = 120'000) {
    // An event loop run meanwhile (a window's job) may already have seen the end, and
    // waitForFinished answers false for a process that has finished.
    if (process_.state() != QProcess::NotRunning) {
      EXPECT_TRUE(process_.waitForFinished(timeoutMs));
    }
    EXPECT_EQ(process_.state(), QProcess::NotRunning);
    return {process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1,
            QString::fromLocal8Bit(process_.readAllStandardOutput()),
            QString::fromLocal8Bit(process_.readAllStandardError())};
  }

 private:
  QProcess process_;
};

// The transfers of a dry run's byte stream in `path`. The stream carries no time, so its
// bytes are fed to the decoder 20 ms apart.
inline std::vector<printer::Transfer> dryRunTransfers(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  std::vector<printer::TimedByte> stream;
  for (const char c : f.readAll()) stream.push_back({static_cast<std::uint8_t>(c), 20'000 * std::int64_t(stream.size())});
  return printer::decodeStream(stream).transfers;
}

inline bool isClockRegister(const printer::Transfer& t) {
  return t.kind == printer::Transfer::Kind::Register && t.code >= 0x18 && t.code <= 0x1E;
}

// Transfer for transfer: kind, code, value bytes and block data, the clock's values aside.
// Not the pauses: these streams come from a pseudo-terminal's far end or carry no time.
inline void expectSameTransfers(const std::vector<printer::Transfer>& actual,
                                const std::vector<printer::Transfer>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(i);
    const printer::Transfer& a = actual[i];
    const printer::Transfer& e = expected[i];
    EXPECT_EQ(a.kind, e.kind);
    EXPECT_EQ(printer::hexByte(a.code), printer::hexByte(e.code));
    if (!isClockRegister(e)) {
      EXPECT_EQ(a.value1, e.value1);
      EXPECT_EQ(a.value2, e.value2);
    }
    EXPECT_EQ(a.data, e.data);
  }
}

}  // namespace vx::test
