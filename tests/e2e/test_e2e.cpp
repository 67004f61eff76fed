// Real jobs from a click in the real window, over a pseudo-terminal, into the virtual
// printer's decoder: what the printer receives is exactly what the model holds, in the
// transfers it expects (their spacing is judged where the bytes are written, not here).

#include "logo/logo_upload.h"
#include "far_end_check.h"
#include "printer/printer_state.h"
#include "printer/ticket.h"
#include "printer/virtual_printer.h"
#include "protocol/frames.h"
#include "protocol/steady_pacer.h"
#include "pty_line.h"
#include "window_fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace vx::test {
namespace {

std::vector<std::uint8_t> bytesOf(const QByteArray& a) { return {a.begin(), a.end()}; }

class EndToEnd : public WindowTest {
 protected:
  std::unique_ptr<Pacer> makePacer() override { return std::make_unique<SteadyPacer>(); }

  printer::DecodeResult decodeLine() {
    const printer::DecodeResult r = printer::decodeStream(line.received(), kLineSlackUs);
    for (const std::string& l : r.lines) std::printf("  printer: %s\n", l.c_str());
    return r;
  }

  void expectSettingsAsTheModelHoldsThem(const printer::PrinterState& state) {
    for (int b = 1; b <= 4; ++b) {
      SCOPED_TRACE(b);
      const printer::ButtonState& s = state.buttons[b];
      ASSERT_TRUE(s.letter && s.link && s.first && s.last);
      EXPECT_EQ(*s.letter, letterValue(ui.model(), b));
      EXPECT_EQ(*s.link, ui.model().sameAsButton[b] - 1);
      EXPECT_EQ(*s.first, ui.model().firstNumber[b]);
      EXPECT_EQ(*s.last, ui.model().lastNumber[b]);
    }
    ASSERT_TRUE(state.options);
    EXPECT_EQ(*state.options, optionByte(ui.resetAtDayEndBox()->isChecked(), ui.beepBox()->isChecked(),
                                         ui.twoCopiesBox()->isChecked()));
  }

  PtyLine line;  // created before the window's first job
};

TEST_F(EndToEnd, ClockAndSettingsClickedInTheWindowReachThePrinterIntact) {
  // An edited model: button 2 without its letter and with three-digit numbers, button 3
  // following button 1, two copies.
  clickTab(1);
  choose(ui.printLetterList(), 1);
  retype(ui.lastNumberBox(), QStringLiteral("750"));
  clickTab(2);
  choose(ui.letterList(), 0);
  clickTab(0);
  click(ui.twoCopiesBox());

  const QDateTime before = QDateTime::currentDateTime();
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  QTest::mouseClick(ui.sendSettingsButton(), Qt::LeftButton);
  const printer::DecodeResult r = decodeLine();

  expectContentAndFramingSound(r);
  ASSERT_EQ(r.transfers.size(), 7u + 17u);
  for (const printer::Transfer& t : r.transfers) EXPECT_EQ(t.kind, printer::Transfer::Kind::Register);
  const printer::ClockState& clock = r.state.clock;
  ASSERT_TRUE(clock.year && clock.month && clock.day && clock.hours);
  EXPECT_EQ(*clock.year, before.date().year());
  EXPECT_EQ(*clock.month, before.date().month());
  EXPECT_EQ(*clock.weekday, before.date().dayOfWeek() % 7);
  expectSettingsAsTheModelHoldsThem(r.state);
  EXPECT_EQ(*r.state.buttons[2].letter, 0x00);
  EXPECT_EQ(*r.state.buttons[2].last, 750);
  EXPECT_EQ(*r.state.buttons[3].letter, 0xFF);
  EXPECT_EQ(*r.state.options, 0x07);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_TRUE(ui.model().printerChanged);
}

TEST_F(EndToEnd, SendAllDeliversSettingsClockEveryButtonsTextsAndTheLogo) {
  // A short logo keeps the run short: 10 rows.
  ui.logoHeightBar()->setValue(10);
  ui.updateLogoRaster();
  retype(ui.lineText(1), QStringLiteral("Atenção: é a sua vez"));
  click(ui.lineEnabled(3));   // line 3 on
  click(ui.lineExpanded(3));  // expanded
  clickTab(2);
  retype(ui.lineText(1), QStringLiteral("Caixa três"));
  click(ui.totalCutButton());
  dialogs->answers.push_back(MessageAnswer::Yes);

  QTest::mouseClick(ui.sendAllButton(), Qt::LeftButton);
  const printer::DecodeResult r = decodeLine();

  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Enviar todas configurações"));
  expectContentAndFramingSound(r);
  ASSERT_EQ(r.transfers.size(), 17u + 7u + 8u + 1u);
  expectSettingsAsTheModelHoldsThem(r.state);
  for (int b = 1; b <= 4; ++b) {
    SCOPED_TRACE(b);
    ASSERT_TRUE(r.state.buttons[b].header && r.state.buttons[b].footer);
    EXPECT_EQ(*r.state.buttons[b].header, headerTextBlock(ui.model(), b));
    EXPECT_EQ(*r.state.buttons[b].footer, footerTextBlock(ui.model(), b, CutMode::Total));
  }
  ASSERT_TRUE(r.state.logo);
  EXPECT_EQ(*r.state.logo, bytesOf(logoUploadData(ui.logoRaster(), 10)));
  EXPECT_EQ(ui.model().currentButton, 3);  // the page still edits button 3
  EXPECT_EQ(ui.buttonTabs()->currentIndex(), 2);

  // The printer's ticket for button 1 shows the logo and line 1.
  QTemporaryDir dir;
  ASSERT_TRUE(printer::writeTickets(r.state, dir.path(), QDateTime::currentDateTime()));
  const QImage ticket(dir.filePath(QStringLiteral("button1.png")));
  ASSERT_FALSE(ticket.isNull());
  int blackInLogo = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < ticket.width(); ++x) blackInLogo += qGray(ticket.pixel(x, y)) < 64;
  EXPECT_GT(blackInLogo, 0);
  if (const char* keep = std::getenv("VORLANDEX_KEEP_TICKETS")) {
    QDir().mkpath(QString::fromLocal8Bit(keep));
    printer::writeTickets(r.state, QString::fromLocal8Bit(keep), QDateTime::currentDateTime());
  }
}

TEST_F(EndToEnd, AMissingPortGivesOneErrorAndNothingElse) {
  qputenv("VORLANDEX_COM2", "/dev/vorlandex-no-such-port");
  choose(ui.portList(), 1);
  dialogs->answers.push_back(MessageAnswer::Yes);
  QTest::mouseClick(ui.sendAllWithoutLogoButton(), Qt::LeftButton);
  qunsetenv("VORLANDEX_COM2");
  ASSERT_EQ(boxCount(), 2);
  EXPECT_EQ(dialogs->boxes[1].title, QStringLiteral("vorlandex"));
  EXPECT_EQ(dialogs->boxes[1].text, QStringLiteral("Error opening com port."));
  EXPECT_EQ(dialogs->boxes[1].icon, MessageIcon::Error);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_TRUE(line.received(50).empty());
}

}  // namespace
}  // namespace vx::test
