// One pair, two senders: the window after "Abrir" and "Enviar Todas as Configurações Para
// Impressora", and vorlandex-send, each on its own pseudo-terminal at the same time. The
// virtual printer must find the same transfers on both lines, and in the sender's dry run;
// both count down the same plan.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/window/job_texts.h"
#include "far_end_check.h"
#include "printer/virtual_printer.h"
#include "protocol/steady_pacer.h"
#include "pty_line.h"
#include "protocol/job_plan.h"
#include "send/send_options.h"
#include "send/sender.h"
#include "send_test_support.h"
#include "window_fixture.h"

namespace vx::test {
namespace {


QImage gradient() {
  QImage image(97, 31, QImage::Format_RGB888);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixelColor(x, y, QColor(x * 255 / 96, 200 - 6 * y, 90));
  return image;
}

std::vector<printer::Transfer> transfersOn(PtyLine& line) {
  const printer::DecodeResult r = printer::decodeStream(line.received(), kLineSlackUs);
  expectContentAndFramingSound(r);
  return r.transfers;
}

class SendLikeTheWindow : public WindowTest {
 protected:
  std::unique_ptr<Pacer> makePacer() override { return std::make_unique<SteadyPacer>(); }
};

TEST_F(SendLikeTheWindow, ThePairGoesOnTheLineAsTheWindowSendsItAfterOpen) {
  settleStartUp();
  ConfigModel m = ui.model();
  m.printLetter[2] = false;
  m.firstNumber[2] = 5;
  m.lastNumber[2] = 750;
  m.sameAsButton[3] = 1;
  m.lineText[3][1] = QStringLiteral("Atenção: é a sua vez");
  m.lineEnabled[3][1] = true;
  m.lineExpanded[3][1] = true;
  m.lineText[6][4] = QStringLiteral("Obrigado");
  m.lineEnabled[6][4] = true;
  GlobalSettings g;
  g.logo_height = 10;
  g.logo_width = 250;
  g.threshold = 140;
  g.reset_at_day_end = false;
  g.partial_cut = false;
  g.total_cut = true;
  QTemporaryDir dir;
  const QString cfg = writePair(dir.path(), QStringLiteral("clinica"), m, g, gradient());

  PtyLine windowLine, senderLine;
  qputenv("VORLANDEX_COM1", windowLine.devicePath().toLocal8Bit());
  dialogs->fileAnswers.push_back(cfg);
  click(ui.openButton());
  ASSERT_EQ(boxCount(), 0);
  click(ui.twoCopiesBox());  // "Imprime 2 vias" is not in the pair

  Sender sender({cfg, QStringLiteral("--duas-vias"), QStringLiteral("--port"), senderLine.devicePath()});
  dialogs->answers.push_back(MessageAnswer::Yes);
  QTest::mouseClick(ui.sendAllButton(), Qt::LeftButton);
  const SenderResult r = sender.finish();
  EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();

  const std::vector<printer::Transfer> fromWindow = transfersOn(windowLine);
  ASSERT_EQ(fromWindow.size(), 17u + 7u + 8u + 1u);
  expectSameTransfers(transfersOn(senderLine), fromWindow);

  // The dry run writes the same stream.
  const QString bin = dir.filePath(QStringLiteral("clinica.bin"));
  EXPECT_EQ(Sender({cfg, QStringLiteral("--duas-vias"), QStringLiteral("--dry-run"), QStringLiteral("-o"), bin})
                .finish()
                .exitCode,
            0);
  expectSameTransfers(dryRunTransfers(bin), fromWindow);
}

// The window on its virtual clock runs the send-all of a pair; the sender plans the same pair.
// At every pump the window shows the time left the sender reads from its own plan at that
// point of the run.
TEST_F(WindowTest, TheWindowAndTheSenderShowTheSameTimeLeftOfOnePlan) {
  settleStartUp();
  QTemporaryDir dir;
  const QString cfg = writePair(dir.path(), QStringLiteral("sala"), ui.model(), GlobalSettings{}, gradient());
  SendOptions options;
  options.pairPath = cfg;
  options.dryRun = true;
  options.output = dir.filePath(QStringLiteral("sala.bin"));
  RunPlan plan;
  vx::Sender sender(options, vx::Sender::Output{stdout, stderr, false, 0});
  sender.planned = [&](const RunPlan& p) { plan = p; };
  ASSERT_EQ(sender.exec(), 0);

  PtyLine line;
  qputenv("VORLANDEX_COM1", line.devicePath().toLocal8Bit());
  dialogs->fileAnswers.push_back(cfg);
  click(ui.openButton());
  std::vector<std::pair<QString, std::int64_t>> seen;
  const std::int64_t start = pacer->elapsedMs();
  PumpHook hook(window, [&] { seen.emplace_back(ui.timeLeftLabel()->text(), pacer->elapsedMs() - start); });
  dialogs->answers.push_back(MessageAnswer::Yes);
  click(ui.sendAllButton());

  EXPECT_EQ(pacer->elapsedMs() - start, plan.totalMs);
  ASSERT_GT(seen.size(), 10u);
  for (const auto& [text, ms] : seen) {
    const auto next = std::find_if(plan.writes.begin(), plan.writes.end(), [&](const PlannedWrite& w) { return w.offsetMs >= ms; });
    const std::size_t done = static_cast<std::size_t>(next - plan.writes.begin());
    const std::int64_t since = ms - (done == 0 ? 0 : plan.writes[done - 1].offsetMs);
    EXPECT_EQ(text, timeLeftText(plan.timeLeftMs(done, since))) << "at " << ms;
  }
}

}  // namespace
}  // namespace vx::test
