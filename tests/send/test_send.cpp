// vorlandex-send as the operator runs it, over pseudo-terminals into the virtual printer:
// a port that vanishes stops only itself, a bad pair sends nothing; and its command line.

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "config/config_pair.h"
#include "far_end_check.h"
#include "model/shown_path.h"
#include "printer/virtual_printer.h"
#include "protocol/job_plan.h"
#include "pty_line.h"
#include "send/send_options.h"
#include "send/sender.h"
#include "send_test_support.h"

namespace vx::test {
namespace {


ConfigModel freshModel() {
  ConfigModel m;
  applyNumberingDefaults(m);
  for (int b = 1; b <= kButtons; ++b) m.lineText[1][b] = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");
  for (int b = 1; b <= kButtons; ++b) m.lineEnabled[1][b] = true;
  return m;
}

QImage stripes() {
  QImage image(40, 10, QImage::Format_RGB888);
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y) image.setPixelColor(x, y, (x / 3 + y) % 2 ? Qt::black : Qt::white);
  return image;
}

class SendProgram : public ::testing::Test {
 protected:
  QString pair(const GlobalSettings& g = shortLogo()) {
    return writePair(dir.path(), QStringLiteral("sala"), freshModel(), g, stripes());
  }
  static GlobalSettings shortLogo() {
    GlobalSettings g;
    g.logo_height = 10;
    return g;
  }
  QTemporaryDir dir;
};

TEST_F(SendProgram, APortThatVanishesMidLogoStopsOnlyItselfAndIsNamed) {
  const QString cfg = pair();
  PtyLine kept, vanishing;
  Sender sender({cfg, QStringLiteral("--only"), QStringLiteral("clock,logo"), QStringLiteral("--port"),
                 kept.devicePath(), QStringLiteral("--port"), vanishing.devicePath()});
  // Seven clock registers, the logo block's word and header, then some logo data.
  const std::size_t midLogo = 7 * 8 + 8 + 40;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (vanishing.count() < midLogo && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_GE(vanishing.count(), midLogo);
  vanishing.vanish();

  const SenderResult r = sender.finish();
  EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains(vanishing.devicePath() + QStringLiteral(": FAILED in the logo job")))
      << r.out.toStdString();
  EXPECT_FALSE(r.out.contains(kept.devicePath() + QStringLiteral(": FAILED"))) << r.out.toStdString();

  const printer::DecodeResult got = printer::decodeStream(kept.received(), kLineSlackUs);
  expectContentAndFramingSound(got);
  ASSERT_EQ(got.transfers.size(), 8u);
  const QByteArray logo = logoDataAfterOpen(readConfigPair(cfg));
  EXPECT_EQ(got.transfers.back().data, std::vector<std::uint8_t>(logo.begin(), logo.end()));
}

// The pauses stamped where the sender's writer writes, against the run's plan: 12 ms after a
// data byte, 100 ms after a register frame or around a block's word (less 0.1 ms). Between two
// jobs the plan adds up both jobs' pauses, the line needs only the longer.
TEST_F(SendProgram, KeepsThePrintersPausesWhereTheBytesAreWritten) {
  PtyLine line;
  SendOptions options;
  options.pairPath = pair();
  options.ports << line.devicePath();
  options.jobs = JobsToSend{false, true, true, false};  // clock, then the texts
  options.quiet = true;
  std::vector<std::int64_t> stampsNs;
  RunPlan plan;
  vx::Sender sender(options, vx::Sender::Output{stdout, stderr, false, 0});
  sender.writeStamps = [&](int) { return [&](std::int64_t ns, std::size_t) { stampsNs.push_back(ns); }; };
  sender.planned = [&](const RunPlan& p) { plan = p; };
  ASSERT_EQ(sender.exec(), 0);

  ASSERT_EQ(stampsNs.size(), plan.writes.size());
  int paused = 0;
  for (std::size_t i = 1; i < stampsNs.size(); ++i) {
    const std::int64_t plannedMs = plan.writes[i].offsetMs - plan.writes[i - 1].offsetMs;
    if (plannedMs < 12) continue;  // a frame right after its word
    ++paused;
    EXPECT_GE((stampsNs[i] - stampsNs[i - 1]) / 1e6, std::min<std::int64_t>(plannedMs, 100) - 0.1)
        << "write " << i;
  }
  EXPECT_GT(paused, 100);
  EXPECT_EQ(printer::decodeStream(line.received(), kLineSlackUs).transfers.size(), plan.transfers.size());
}

TEST_F(SendProgram, APortThatCannotBeOpenedSaysWhy) {
  const QString cfg = pair();
  const QString missing = dir.filePath(QStringLiteral("ttyUSB9"));
  const QString plain = dir.filePath(QStringLiteral("plain"));
  QFile f(plain);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  const SenderResult r =
      Sender({cfg, QStringLiteral("--only"), QStringLiteral("clock"), QStringLiteral("--port"), missing,
              QStringLiteral("--port"), plain})
          .finish();
  EXPECT_EQ(r.exitCode, 1);
  const QString all = r.out + r.err;
  EXPECT_TRUE(all.contains(QStringLiteral("cannot open %1: the device is not there").arg(shownPath(missing))))
      << all.toStdString();
  EXPECT_TRUE(all.contains(QStringLiteral("cannot open %1: not a serial device").arg(shownPath(plain))))
      << all.toStdString();
}

// A technician's trace: the device opened and closed, and a line for every write with its byte
// count and time, accounting for every byte the printer received. A trace that cannot be written
// sends nothing.
TEST_F(SendProgram, TraceNamesTheDeviceAndTimesEveryWrite) {
  PtyLine line;
  const QString trace = dir.filePath(QStringLiteral("trace.txt"));
  const QString device = line.devicePath();
  SenderResult r = Sender({QStringLiteral("--only"), QStringLiteral("clock"), QStringLiteral("--quiet"),
                           QStringLiteral("--trace"), trace, QStringLiteral("--port"), device})
                       .finish();
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const std::size_t received = line.received().size();

  QFile file(trace);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines =
      QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines.first(), QStringLiteral("Opened ") + device);
  EXPECT_EQ(lines.last(), QStringLiteral("Closed ") + device);
  const QRegularExpression write(
      QStringLiteral("^Wrote (\\d+) bytes? to %1 at (\\d+\\.\\d{3}) ms, \\d+\\.\\d{3} ms after "
                     "(the port was opened|the write before it)$")
          .arg(QRegularExpression::escape(device)));
  std::size_t written = 0;
  int writes = 0;
  double lastMs = 0;
  for (const QString& text : lines) {
    const QRegularExpressionMatch m = write.match(text);
    if (!m.hasMatch()) continue;
    written += m.captured(1).toUInt();
    EXPECT_GE(m.captured(2).toDouble(), lastMs) << text.toStdString();
    lastMs = m.captured(2).toDouble();
    ++writes;
  }
  EXPECT_EQ(writes, lines.count(QStringLiteral("Writing to comm port")));
  EXPECT_EQ(written, received);
  EXPECT_GT(received, 0u);

  r = Sender({QStringLiteral("--only"), QStringLiteral("clock"), QStringLiteral("--trace"),
              dir.filePath(QStringLiteral("no-such-folder/trace.txt")), QStringLiteral("--port"), device})
          .finish();
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains(QStringLiteral("--trace: cannot open "))) << r.err.toStdString();
  EXPECT_EQ(line.received(100).size(), received);
}

TEST_F(SendProgram, ABadPairExitsWithTwoNamingTheFaultAndSendsNothing) {
  PtyLine line;
  const QString cfg = pair();
  QFile file(cfg);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QList<QByteArray> lines = file.readAll().split('\n');
  file.resize(0);
  file.write(lines.mid(0, 100).join('\n') + '\n');  // lines 1..100: line 101 is missing
  file.close();
  SenderResult r = Sender({cfg, QStringLiteral("--port"), line.devicePath()}).finish();
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains(shownPath(cfg) + QStringLiteral(", line 101"))) << r.err.toStdString();

  pair();
  QFile::remove(dir.filePath(QStringLiteral("sala.bmp")));
  r = Sender({cfg, QStringLiteral("--port"), line.devicePath()}).finish();
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains(dir.filePath(QStringLiteral("sala.bmp")))) << r.err.toStdString();

  EXPECT_EQ(line.received(100).size(), 0u);
}

// "Enviar sem logo" sends no logo, except for a pair saved with the logo off: the short
// logo then goes last, as the window sends it, so the printer stops printing its old logo.
TEST_F(SendProgram, NoLogoStillSendsTheShortLogoOfAPairWithTheLogoOff) {
  const auto lastTransfer = [this](const GlobalSettings& g) {
    const QString cfg = pair(g);
    const QString bin = dir.filePath(QStringLiteral("stream.bin"));
    EXPECT_EQ(Sender({cfg, QStringLiteral("--no-logo"), QStringLiteral("--dry-run"), QStringLiteral("-o"), bin})
                  .finish()
                  .exitCode,
              0);
    const std::vector<printer::Transfer> transfers = dryRunTransfers(bin);
    return transfers.empty() ? printer::Transfer{} : transfers.back();
  };
  GlobalSettings off = shortLogo();
  off.print_logo = false;
  const printer::Transfer last = lastTransfer(off);
  EXPECT_EQ(last.kind, printer::Transfer::Kind::Block);
  EXPECT_EQ(last.code, 0x00);
  EXPECT_LT(last.data.size(), 100u);

  const printer::Transfer withLogoOn = lastTransfer(shortLogo());
  EXPECT_FALSE(withLogoOn.kind == printer::Transfer::Kind::Block && withLogoOn.code == 0x00);

  // The stream is never written over the pair it comes from.
  const QString cfg = pair();
  for (const QString& own : {cfg, dir.filePath(QStringLiteral("sala.bmp"))}) {
    QFile f(own);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    const SenderResult r = Sender({cfg, QStringLiteral("--dry-run"), QStringLiteral("-o"), own}).finish();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("it is a file of the pair being sent"))) << r.err.toStdString();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
  }
}

TEST(SendArguments, PickJobsAndRefuseWhatCannotBeRun) {
  qputenv("VORLANDEX_COM3", "/dev/null");
  struct Row {
    QStringList args;
    int exitCode;  // -1: runs
    JobsToSend jobs;
  };
  const JobsToSend all;
  const JobsToSend noLogo{true, true, true, false};
  const Row rows[] = {
      {{"a.cfg", "-p", "/dev/x"}, -1, all},
      {{"a.cfg", "-p", "/dev/x", "--no-logo"}, -1, noLogo},
      {{"a.cfg", "-p", "/dev/x", "--only", "logo, settings"}, -1, {true, false, false, true}},
      {{"a.cfg", "-p", "/dev/x", "--only", "texts", "--only", "clock"}, -1, {false, true, true, false}},
      {{"a.cfg", "--dry-run", "-o", "-", "--timing"}, -1, all},
      {{"--only", "clock", "-p", "/dev/x", "--json"}, -1, {false, true, false, false}},  // the clock needs no pair
      {{"a.cfg", "--dry-run", "-o", "-", "--json"}, 2, all},                  // a dry run has no results
      {{"a.cfg", "--dry-run", "-o", "-", "--trace", "t"}, 2, all},          // nor a serial trace
      {{"a.cfg"}, 2, all},                                                  // no port
      {{"-p", "/dev/x"}, 2, all},                                           // no pair
      {{"a.cfg", "b.cfg", "-p", "/dev/x"}, 2, all},                         // two pairs
      {{"a.cfg", "-p", "/dev/x", "--only", "logos"}, 2, all},               // unknown job
      {{"a.cfg", "-p", "/dev/x", "--only", "logo", "--no-logo"}, 2, all},   // nothing left
      {{"a.cfg", "-p", "/dev/x", "-o", "f"}, 2, all},                       // output without dry run
      {{"a.cfg", "--dry-run", "-p", "/dev/x", "-o", "f"}, 2, all},          // dry run with a port
      {{"a.cfg", "--dry-run"}, 2, all},                                     // dry run without output
      {{"a.cfg", "-p", "COM3", "-p", "/dev/null"}, 2, all},                 // one device twice
      {{"a.cfg", "-p", "/dev/x", "--bogus"}, 2, all},
      {{"--help"}, 0, all},
      {{"--version"}, 0, all},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
    const ParsedArguments p = parseSendArguments(QStringList{QStringLiteral("vorlandex-send")} + row.args);
    if (row.exitCode < 0) {
      ASSERT_TRUE(p.options.has_value()) << p.text.toStdString();
      EXPECT_TRUE(p.options->jobs == row.jobs);
    } else {
      EXPECT_FALSE(p.options.has_value());
      EXPECT_EQ(p.exitCode, row.exitCode);
      EXPECT_FALSE(p.text.isEmpty());
    }
  }
  qunsetenv("VORLANDEX_COM3");
  // The help ends by naming the handbook's page on the sender, in full.
  const QString help = parseSendArguments({QStringLiteral("vorlandex-send"), QStringLiteral("--help")}).text;
  const QString page = help.section(QStringLiteral("Handbook: "), 1).section(QLatin1Char('\n'), 0, 0);
  EXPECT_TRUE(QDir::isAbsolutePath(page) &&
              page.endsWith(QDir::toNativeSeparators(QStringLiteral("handbook/en/many-printers.html"))))
      << help.toStdString();
}

}  // namespace
}  // namespace vx::test
