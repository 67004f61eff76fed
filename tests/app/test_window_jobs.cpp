// The transmission commands driven from the window: the frame around every job (port,
// progress dialog, disabled window), the port choice, the send-all commands and the change
// notice at exit. Jobs run on the virtual clock; what they hand over goes through the real
// port component onto a pseudo-terminal and is decoded by the virtual printer, each write
// stamped with the virtual time it was handed over at.

#include <pty.h>
#include <unistd.h>

#include <QTest>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <tuple>

#include "app/window/job_texts.h"
#include "fake_backend.h"
#include "logo/logo_upload.h"
#include "printer/printer_state.h"
#include "printer/virtual_printer.h"
#include "protocol/frames.h"
#include "pty_line.h"
#include "serial/serial_link.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

using printer::TimedByte;
using printer::Transfer;

constexpr char kMissingPort[] = "/dev/vorlandex-no-such-port";

const QString kNoticeTitle = QStringLiteral("Configurações alteradas");
const QString kNoticeText = QStringLiteral(
    "    As configurações da impressora foram alteradas, será necessário transmitir os parâmetros ao sistema "
    "do "
    "painel.\n    Para isso desligue a impressora e a ligue com 2 botões pressionados.");

// Sets an environment variable for a scope and puts back what was there before.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QString& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name_, value.toLocal8Bit());
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

// Counts the progress dialog's show and hide events; `onShow` runs with the show's number.
class ShowWatch : public QObject {
 public:
  explicit ShowWatch(QWidget* w) { w->installEventFilter(this); }
  int shows = 0;
  int hides = 0;
  std::function<void(int)> onShow;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) {
      ++shows;
      if (onShow) onShow(shows);
    } else if (e->type() == QEvent::Hide) {
      ++hides;
    }
    return false;
  }
};

// What the operator could see each time a running job lets the window process its pending
// messages: the bar's maximum and position, whether the main window is enabled, the dialog
// shown, and the dialog and everything in it enabled (drawn readable, not greyed out). A
// posted event that posts itself again is delivered once per pump.
struct Glimpse {
  int maximum;
  int position;
  bool windowEnabled;
  bool dialogShown;
  bool dialogEnabled;
  bool operator==(const Glimpse&) const = default;
};

bool wholeDialogEnabled(const ProgressDialog* dialog) {
  if (!dialog->isEnabled()) return false;
  for (const QWidget* w : dialog->findChildren<QWidget*>())
    if (!w->isEnabled()) return false;
  return true;
}

class PumpWatch : public QObject {
 public:
  explicit PumpWatch(MainWindow* window) : form_(window), ui_(*window) { post(); }
  std::vector<Glimpse> seen;

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    if (ui_.jobRunning())
      seen.push_back({ui_.progressBar()->maximum(), ui_.progressBar()->value(), form_->isEnabled(),
                      ui_.progressDialog().isVisible(), wholeDialogEnabled(&ui_.progressDialog())});
    post();
    return true;
  }

 private:
  void post() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
  MainWindow* form_;
  WindowDriver ui_;
};

std::vector<Glimpse> registerJobGlimpses(std::initializer_list<int> positions) {
  std::vector<Glimpse> g;
  for (int p : positions) g.push_back({100, p, false, true, true});
  return g;
}

// One write the jobs handed to the port, with the virtual time of its hand-over.
struct Write {
  enum class Piece { Word, Frame, Header, Data, Terminator };
  Piece piece;
  std::vector<std::uint8_t> bytes;
  std::int64_t ms;
  std::int64_t sinceBefore;  // ms since the previous hand-over, or since the job opened the port
};

struct Sent {
  std::vector<Write> writes;
  std::vector<TimedByte> timed() const {
    std::vector<TimedByte> out;
    for (const Write& w : writes)
      for (std::uint8_t b : w.bytes) out.push_back({b, w.ms * 1000});
    return out;
  }
  const Write* headerOf(std::uint8_t blockCode) const {
    for (const Write& w : writes)
      if (w.piece == Write::Piece::Header && w.bytes[0] == blockCode) return &w;
    return nullptr;
  }
};

// Cuts the bytes that arrived into the writes the jobs handed over — per transfer "DIMP"
// and a 4-byte frame or block header, then for a block its data bytes and "F" one by one —
// and pairs each with its hand-over stamp. Each job's first stamp is its opening of the
// port; `transfersPerJob` says how many transfers each job made.
Sent splitWrites(const std::vector<TimedByte>& arrived, const std::vector<std::int64_t>& stamps,
                 const std::vector<int>& transfersPerJob) {
  Sent sent;
  std::size_t at = 0;
  std::size_t stamp = 0;
  std::int64_t before = 0;
  auto take = [&](Write::Piece piece, std::size_t n) {
    if (at + n > arrived.size() || stamp >= stamps.size()) return false;
    Write w{piece, {}, stamps[stamp], stamps[stamp] - before};
    for (std::size_t i = 0; i < n; ++i) w.bytes.push_back(arrived[at + i].byte);
    before = stamps[stamp++];
    at += n;
    sent.writes.push_back(std::move(w));
    return true;
  };
  for (int transfers : transfersPerJob) {
    if (stamp >= stamps.size()) {
      ADD_FAILURE() << "fewer jobs opened the port than expected";
      return sent;
    }
    before = stamps[stamp++];
    for (int t = 0; t < transfers; ++t) {
      if (!take(Write::Piece::Word, 4) || !take(Write::Piece::Frame, 4)) {
        ADD_FAILURE() << "the line ended inside a transfer";
        return sent;
      }
      Write& second = sent.writes.back();
      if (second.bytes[0] == kFrameStart) continue;
      second.piece = Write::Piece::Header;
      const int n = second.bytes[2] * 256 + second.bytes[3];
      for (int i = 0; i < n; ++i)
        if (!take(Write::Piece::Data, 1)) {
          ADD_FAILURE() << "the line ended inside a block";
          return sent;
        }
      if (!take(Write::Piece::Terminator, 1)) {
        ADD_FAILURE() << "a block without its terminator";
        return sent;
      }
    }
  }
  EXPECT_EQ(at, arrived.size()) << "bytes arrived after the last expected transfer";
  EXPECT_EQ(stamp, stamps.size()) << "hand-overs that never reached the line";
  return sent;
}

// The pauses the printer needs, on the hand-over stamps: at least 100 ms before every
// "DIMP" (after the port was opened or the previous transfer), the frame right after its
// word, a block header right after its word or 100 ms later, and 12 ms after every data
// byte; the first data byte follows its header at once.
void expectPaced(const Sent& sent) {
  for (std::size_t i = 0; i < sent.writes.size(); ++i) {
    const Write& w = sent.writes[i];
    SCOPED_TRACE(testing::Message() << "write " << i << " at " << w.ms << " ms");
    switch (w.piece) {
      case Write::Piece::Word:
        EXPECT_GE(w.sinceBefore, 100);
        break;
      case Write::Piece::Frame:
        EXPECT_EQ(w.sinceBefore, 0);
        break;
      case Write::Piece::Header:
        EXPECT_TRUE(w.sinceBefore == 0 || w.sinceBefore >= 100) << w.sinceBefore;
        break;
      case Write::Piece::Data:
        if (sent.writes[i - 1].piece == Write::Piece::Header)
          EXPECT_EQ(w.sinceBefore, 0);
        else
          EXPECT_GE(w.sinceBefore, 12);
        break;
      case Write::Piece::Terminator:
        EXPECT_GE(w.sinceBefore, 12);
        break;
    }
  }
}

std::vector<std::tuple<int, int, int>> framesOf(const std::vector<Transfer>& transfers) {
  std::vector<std::tuple<int, int, int>> out;
  for (const Transfer& t : transfers)
    if (t.kind == Transfer::Kind::Register) out.emplace_back(t.code, t.value1, t.value2);
  return out;
}

std::vector<int> blockCodesOf(const std::vector<Transfer>& transfers) {
  std::vector<int> out;
  for (const Transfer& t : transfers)
    if (t.kind == Transfer::Kind::Block) out.push_back(t.code);
  return out;
}

class Jobs : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    settleStartUp();
    watch = std::make_unique<ShowWatch>(progressDialog);
  }

  // Everything that arrived, cut into the writes of the jobs run, on the virtual clock.
  Sent sentOnTheLine(const std::vector<int>& transfersPerJob) {
    return splitWrites(line.received(), pacer->handOvers(), transfersPerJob);
  }

  static printer::DecodeResult decode(const Sent& sent) {
    printer::DecodeResult r = printer::decodeStream(sent.timed(), 0);
    for (const printer::Problem& p : r.problems) ADD_FAILURE() << "printer: " << p.text;
    return r;
  }

  void expectNoticeAsLastBox() {
    ASSERT_GE(boxCount(), 1);
    const ShownBox& b = dialogs->boxes.back();
    EXPECT_EQ(b.title, kNoticeTitle);
    EXPECT_EQ(b.text, kNoticeText);
    EXPECT_EQ(b.icon, MessageIcon::Information);
    EXPECT_EQ(b.buttons, MessageButtons::Ok);
  }

  void expectErrorBox(const ShownBox& b) {
    EXPECT_EQ(b.title, QStringLiteral("vorlandex"));
    EXPECT_EQ(b.text, QStringLiteral("Error opening com port."));
    // Which device, and why, under the unchanged first line.
    EXPECT_EQ(b.detail, QStringLiteral("Dispositivo: ") + QString::fromLatin1(kMissingPort) +
                            QStringLiteral("\nO dispositivo não existe. Verifique o cabo e o adaptador."));
    EXPECT_EQ(b.icon, MessageIcon::Error);
    EXPECT_EQ(b.buttons, MessageButtons::Ok);
  }

  // No test may reach a real serial port: every port but COM1 (the line) leads nowhere.
  ScopedEnv com2{"VORLANDEX_COM2", QString::fromLatin1(kMissingPort)};
  ScopedEnv com3{"VORLANDEX_COM3", QString::fromLatin1(kMissingPort)};
  ScopedEnv com4{"VORLANDEX_COM4", QString::fromLatin1(kMissingPort)};
  PtyLine line;  // COM1
  std::unique_ptr<ShowWatch> watch;
};

// --- A port that cannot be opened, for each single job ---

struct JobButton {
  const char* name;
  const char* button;  // the command's object name
};

void PrintTo(const JobButton& c, std::ostream* os) { *os << c.name; }

class UnopenablePort : public Jobs, public ::testing::WithParamInterface<JobButton> {};

TEST_P(UnopenablePort, IsReportedOnceAndLeavesTheWindowUsableWithNoNoticeUntilAJobGoesThrough) {
  QPushButton* button = ui.control<QPushButton>(QString::fromLatin1(GetParam().button));
  {
    ScopedEnv com1("VORLANDEX_COM1", QString::fromLatin1(kMissingPort));
    QTest::mouseClick(button, Qt::LeftButton);
  }
  ASSERT_EQ(boxCount(), 1);
  expectErrorBox(dialogs->boxes[0]);
  EXPECT_EQ(watch->shows, 0);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(ui.jobRunning());
  EXPECT_FALSE(ui.model().printerChanged);  // nothing reached the printer
  EXPECT_TRUE(line.received(50).empty());

  // The failed opening left nothing half open: with the line back the same job goes through.
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(boxCount(), 1);
  EXPECT_EQ(watch->shows, 1);
  const printer::DecodeResult r = printer::decodeStream(line.received(), 1'000'000);
  EXPECT_FALSE(r.transfers.empty());
  EXPECT_TRUE(r.problems.empty());
  EXPECT_TRUE(ui.model().printerChanged);

  EXPECT_FALSE(ui.model().unsavedChanges);  // no save prompt at close
  EXPECT_TRUE(window->close());
  ASSERT_EQ(boxCount(), 2);
  expectNoticeAsLastBox();
}

INSTANTIATE_TEST_SUITE_P(EachJob, UnopenablePort,
                         ::testing::Values(JobButton{"Settings", "sendSettingsButton"},
                                           JobButton{"Clock", "setClockButton"},
                                           JobButton{"Text", "sendTextsButton"},
                                           JobButton{"Logo", "sendLogoButton"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Each job on a working line ---

TEST_F(Jobs, TheClockJobSendsTheClocksOneReadingInSevenPacedFramesUnderTheDialog) {
  PumpWatch pumps(window);
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);

  EXPECT_EQ(watch->shows, 1);
  EXPECT_EQ(watch->hides, 1);
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_TRUE(window->isEnabled());
  // The bar stands at 30 while the six 8-bit fields go out and reaches 100 before the year.
  EXPECT_EQ(pumps.seen, registerJobGlimpses({0, 30}));
  EXPECT_EQ(ui.progressBar()->maximum(), 100);
  EXPECT_EQ(ui.progressBar()->value(), 100);

  const Sent sent = sentOnTheLine({7});
  expectPaced(sent);
  ASSERT_FALSE(sent.writes.empty());
  EXPECT_GE(pacer->elapsedMs(), sent.writes.back().ms + 100) << "the port closed before the last pause";
  const printer::DecodeResult r = decode(sent);
  // Monday 7 December 2026, 03:55:13, the virtual clock's start.
  const std::vector<std::tuple<int, int, int>> expected = {{0x18, 13, 0},     {0x19, 55, 0}, {0x1A, 3, 0},
                                                           {0x1B, 7, 0},      {0x1C, 12, 0}, {0x1D, 1, 0},
                                                           {0x1E, 0x07, 0xEA}};
  EXPECT_EQ(framesOf(r.transfers), expected);
  EXPECT_EQ(r.transfers.size(), 7u);
  EXPECT_TRUE(ui.model().printerChanged);
}

TEST_F(Jobs, TheSettingsJobSendsTheModelsRegistersAndTheOptionBoxes) {
  clickTab(1);
  choose(ui.printLetterList(), 1);  // button 2: "Não imprimir"
  retype(ui.lastNumberBox(), QStringLiteral("750"));
  clickTab(3);
  choose(ui.letterList(), 18);  // button 4: "Inativo"
  clickTab(0);
  click(ui.twoCopiesBox());
  click(ui.resetAtDayEndBox());
  PumpWatch pumps(window);
  QTest::mouseClick(ui.sendSettingsButton(), Qt::LeftButton);

  EXPECT_EQ(watch->shows, 1);
  EXPECT_EQ(watch->hides, 1);
  EXPECT_EQ(pumps.seen, registerJobGlimpses({0, 1, 30, 50, 80}));
  EXPECT_EQ(ui.progressBar()->value(), 100);
  EXPECT_TRUE(window->isEnabled());

  const Sent sent = sentOnTheLine({17});
  expectPaced(sent);
  const printer::DecodeResult r = decode(sent);
  std::vector<std::tuple<int, int, int>> expected;
  const ConfigModel& m = ui.model();
  for (int b = 1; b <= 4; ++b) expected.emplace_back(0x00 + b - 1, letterValue(m, b), 0);
  for (int b = 1; b <= 4; ++b) expected.emplace_back(0x06 + b - 1, m.sameAsButton[b] - 1, 0);
  for (int b = 1; b <= 4; ++b)
    expected.emplace_back(0x0C + b - 1, m.firstNumber[b] >> 8, m.firstNumber[b] & 0xFF);
  for (int b = 1; b <= 4; ++b)
    expected.emplace_back(0x12 + b - 1, m.lastNumber[b] >> 8, m.lastNumber[b] & 0xFF);
  expected.emplace_back(0x1F, 0x06, 0);  // beep and two copies; no reset at the end of the day
  EXPECT_EQ(framesOf(r.transfers), expected);
  EXPECT_EQ(*r.state.buttons[2].letter, 0x00);
  EXPECT_EQ(*r.state.buttons[2].last, 750);
  EXPECT_EQ(*r.state.buttons[4].letter, 0xFF);
  EXPECT_EQ(*r.state.buttons[4].link, 6);
}

TEST_F(Jobs, TheTextJobSendsTheShownButtonsTwoBlocksWithTheBarFollowingTheBytes) {
  clickTab(1);
  retype(ui.lineText(1), QStringLiteral("Guichê dois"));
  click(ui.lineEnabled(2));  // line 2 on
  retype(ui.lineText(2), QStringLiteral("AB"));
  click(ui.lineExpanded(2));  // line 2 expanded
  click(ui.lineEnabled(5));   // line 5 on
  click(ui.totalCutButton());
  const ByteList header = headerTextBlock(ui.model(), 2);
  const ByteList footer = footerTextBlock(ui.model(), 2, CutMode::Total);
  PumpWatch pumps(window);
  QTest::mouseClick(ui.sendTextsButton(), Qt::LeftButton);

  EXPECT_EQ(watch->shows, 1);
  EXPECT_EQ(watch->hides, 1);
  ASSERT_FALSE(pumps.seen.empty());
  EXPECT_EQ(pumps.seen.front().maximum, static_cast<int>(header.size()));
  for (const Glimpse& g : pumps.seen) {
    EXPECT_TRUE(g.maximum == static_cast<int>(header.size()) || g.maximum == static_cast<int>(footer.size()));
    EXPECT_FALSE(g.windowEnabled);
    EXPECT_TRUE(g.dialogShown);
    EXPECT_TRUE(g.dialogEnabled);
  }
  EXPECT_EQ(ui.progressBar()->maximum(), static_cast<int>(footer.size()));
  EXPECT_EQ(ui.progressBar()->value(), static_cast<int>(footer.size()));

  const Sent sent = sentOnTheLine({2});
  expectPaced(sent);
  const printer::DecodeResult r = decode(sent);
  ASSERT_EQ(r.transfers.size(), 2u);
  EXPECT_EQ(r.transfers[0].code, 0x35);
  EXPECT_FALSE(r.transfers[0].pauseAfterWord);
  EXPECT_EQ(r.transfers[0].data, header);
  EXPECT_EQ(r.transfers[1].code, 0x3B);
  EXPECT_TRUE(r.transfers[1].pauseAfterWord);
  EXPECT_EQ(r.transfers[1].data, footer);
  const printer::TextBlock h = printer::parseHeaderBlock(r.transfers[0].data);
  ASSERT_EQ(h.lines.size(), 2u);
  EXPECT_EQ(h.lines[0].text(), QStringLiteral("Guichê dois"));
  EXPECT_TRUE(h.lines[1].expanded);
  EXPECT_EQ(printer::parseFooterBlock(r.transfers[1].data).cut, printer::Cut::Total);
}

TEST_F(Jobs, TheSettingsJobSendsALaterButtonAsItsPageWouldShowItNotAsItWasLastShown) {
  choose(ui.letterList(), 8);  // button 1: "i"
  clickTab(1);
  choose(ui.letterList(), 8);  // button 2: "i" too, so it follows button 1
  ASSERT_EQ(ui.rangeLabel()->text(), QStringLiteral("Igual Botão 1"));
  clickTab(0);
  choose(ui.letterList(), 6);  // button 1: "G"; button 2 is not shown again
  QTest::mouseClick(ui.sendSettingsButton(), Qt::LeftButton);

  const printer::DecodeResult r = decode(sentOnTheLine({17}));
  EXPECT_EQ(*r.state.buttons[1].letter, 'G');
  EXPECT_EQ(*r.state.buttons[2].letter, 'i');  // a letter of its own, not 0xFF
  EXPECT_EQ(*r.state.buttons[2].link, 1);      // its own sequence, not button 1's
  // Its page then shows what was sent.
  clickTab(1);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: i00 a i99"));
  EXPECT_TRUE(ui.firstNumberBox()->isEnabled());
}

// --- The port choice ---

TEST_F(Jobs, ThePortChosenInTheListIsOpenedByTheNextJobAndTypingKeepsIt) {
  ScopedEnv com1("VORLANDEX_COM1", QString::fromLatin1(kMissingPort));
  // COM3 leads nowhere yet: choosing it must not open it.
  choose(ui.portList(), 2);
  EXPECT_EQ(boxCount(), 0);
  EXPECT_TRUE(ui.model().unsavedChanges);
  EXPECT_EQ(ui.jobsPort(), ComPort::Com3);

  {
    ScopedEnv com3("VORLANDEX_COM3", line.devicePath());
    QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
    EXPECT_EQ(boxCount(), 0);
    EXPECT_EQ(sentOnTheLine({7}).writes.size(), 14u);

    // Text that names no item leaves no item chosen, marks the change and keeps COM3.
    ui.forgetChanges();
    retype(ui.portList()->lineEdit(), QStringLiteral("COM7"));
    EXPECT_EQ(ui.portList()->itemIndex(), -1);
    EXPECT_TRUE(ui.model().unsavedChanges);
    EXPECT_EQ(ui.jobsPort(), ComPort::Com3);
    QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
    EXPECT_EQ(boxCount(), 0);
    EXPECT_EQ(sentOnTheLine({7, 7}).writes.size(), 28u);
  }
  // Back on COM1, which leads nowhere: the next job fails there.
  choose(ui.portList(), 0);
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  ASSERT_EQ(boxCount(), 1);
  expectErrorBox(dialogs->boxes[0]);
}

// --- Closing ---

TEST_F(Jobs, ACloseRequestWhileAJobRunsIsIgnoredAndTheJobRunsToItsEnd) {
  bool delivered = false;
  bool duringJob = false;
  bool closed = true;
  QTimer::singleShot(0, window, [&] {
    delivered = true;
    duringJob = ui.jobRunning();
    closed = window->close();
  });
  QTest::mouseClick(ui.sendSettingsButton(), Qt::LeftButton);

  ASSERT_TRUE(delivered);
  EXPECT_TRUE(duringJob);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isEnabled());
  EXPECT_EQ(boxCount(), 0);  // neither the save prompt nor the notice
  EXPECT_EQ(decode(sentOnTheLine({17})).transfers.size(), 17u);
  // Afterwards the window closes as usual, with the notice.
  EXPECT_TRUE(window->close());
  ASSERT_EQ(boxCount(), 1);
  expectNoticeAsLastBox();
}

TEST_F(Jobs, TheEnabledDialogStillCannotBeClosedWhileAJobRuns) {
  bool duringJob = false;
  bool stillShown = false;
  QTimer::singleShot(0, window, [&] {
    duringJob = ui.jobRunning();
    QTest::keyClick(progressDialog, Qt::Key_Escape);
    progressDialog->close();
    stillShown = progressDialog->isVisible();
  });
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);

  ASSERT_TRUE(duringJob);
  EXPECT_TRUE(stillShown);
  EXPECT_EQ(watch->hides, 1);  // only the job's own
  EXPECT_EQ(decode(sentOnTheLine({7})).transfers.size(), 7u);
}

TEST_F(Jobs, ARunWithoutTransmissionsEndsWithoutTheNotice) {
  retype(ui.lineText(1), QStringLiteral("Bem-vindo"));
  choose(ui.portList(), 3);
  QTest::mouseClick(ui.updatePictureButton(), Qt::LeftButton);
  dialogs->answers.push_back(MessageAnswer::No);  // do not save
  EXPECT_TRUE(window->close());
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Salvar alterações"));
  EXPECT_FALSE(ui.model().printerChanged);
}

// --- The send-all commands ---

struct SendAllCase {
  const char* name;
  const char* button;  // the command's object name
  bool withLogo;
  const char* title;
  const char* scope;  // the third piece of the confirmation
};

void PrintTo(const SendAllCase& c, std::ostream* os) { *os << c.name; }

class SendAll : public Jobs, public ::testing::WithParamInterface<SendAllCase> {
 protected:
  QPushButton* command() const { return ui.control<QPushButton>(QString::fromLatin1(GetParam().button)); }
  std::vector<int> jobs() const {
    std::vector<int> j = {17, 7, 2, 2, 2, 2};
    if (GetParam().withLogo) j.push_back(1);
    return j;
  }
  // Line 1 of every button gets a text of its own; the page of button 3 stays shown.
  void giveEachButtonItsOwnText() {
    for (int b = 1; b <= 4; ++b) {
      clickTab(b - 1);
      retype(ui.lineText(1), QStringLiteral("Botão %1: aguarde é sua vez").arg(b));
    }
    clickTab(2);
    ui.logoHeightBar()->setValue(10);  // a short logo
  }
};

TEST_P(SendAll, DecliningSendsNothingAndLeavesNoNoticeForTheExit) {
  QTest::mouseClick(command(), Qt::LeftButton);
  ASSERT_EQ(boxCount(), 1);
  const ShownBox& b = dialogs->boxes[0];
  EXPECT_EQ(b.title, QString::fromUtf8(GetParam().title));
  EXPECT_EQ(b.text,
            QStringLiteral("    Deseja enviar todas as configurações para impressora ?\n"
                           "    Este processo irá enviar todas as configurações de todos os botões \n") +
                QString::fromUtf8(GetParam().scope) + QStringLiteral("\nalguns minutos."));
  EXPECT_EQ(b.icon, MessageIcon::Question);
  EXPECT_EQ(b.buttons, MessageButtons::YesNo);
  EXPECT_EQ(watch->shows, 0);
  EXPECT_TRUE(pacer->handOvers().empty()) << "a port was opened";
  EXPECT_TRUE(line.received(50).empty());
  EXPECT_FALSE(ui.model().printerChanged);

  retype(ui.lineText(1), QStringLiteral("x"));  // an unsaved change: the save prompt comes first
  dialogs->answers.push_back(MessageAnswer::No);
  EXPECT_TRUE(window->close());
  ASSERT_EQ(boxCount(), 2);
  EXPECT_EQ(dialogs->boxes[1].title, QStringLiteral("Salvar alterações"));
}

TEST_P(SendAll, SendsEveryButtonsTextsAndLeavesThePageOnItsButton) {
  giveEachButtonItsOwnText();
  dialogs->answers.push_back(MessageAnswer::Yes);
  QTest::mouseClick(command(), Qt::LeftButton);

  ASSERT_EQ(boxCount(), 1);
  const int jobCount = GetParam().withLogo ? 7 : 6;
  EXPECT_EQ(watch->shows, jobCount);
  EXPECT_EQ(watch->hides, jobCount);
  EXPECT_TRUE(window->isEnabled());
  // The page still edits button 3, and no button's texts were mixed up on the way.
  EXPECT_EQ(ui.model().currentButton, 3);
  EXPECT_EQ(ui.buttonTabs()->currentIndex(), 2);
  EXPECT_EQ(ui.textTitleLabel()->text(), QStringLiteral("Senha Emitida Pelo Botão 3"));
  EXPECT_EQ(ui.lineText(1)->text(), QStringLiteral("Botão 3: aguarde é sua vez"));
  retype(ui.lineText(1), QStringLiteral("still button 3"));
  EXPECT_EQ(ui.model().lineText[1][3], QStringLiteral("still button 3"));
  EXPECT_EQ(ui.model().lineText[1][1], QStringLiteral("Botão 1: aguarde é sua vez"));

  const Sent sent = sentOnTheLine(jobs());
  expectPaced(sent);
  const printer::DecodeResult r = decode(sent);
  EXPECT_EQ(framesOf(r.transfers).size(), 17u + 7u);
  std::vector<int> blocks = {0x34, 0x3A, 0x35, 0x3B, 0x36, 0x3C, 0x37, 0x3D};
  if (GetParam().withLogo) blocks.push_back(0x00);
  EXPECT_EQ(blockCodesOf(r.transfers), blocks);
  for (int b = 1; b <= 4; ++b) {
    SCOPED_TRACE(b);
    ASSERT_TRUE(r.state.buttons[b].header && r.state.buttons[b].footer);
    const printer::TextBlock h = printer::parseHeaderBlock(*r.state.buttons[b].header);
    ASSERT_EQ(h.lines.size(), 1u);
    EXPECT_EQ(h.lines[0].text(), QStringLiteral("Botão %1: aguarde é sua vez").arg(b));
    EXPECT_EQ(*r.state.buttons[b].footer, footerTextBlock(ui.model(), b, CutMode::Partial));
  }
  if (GetParam().withLogo) {
    ASSERT_TRUE(r.state.logo);
    const QByteArray expected = logoUploadData(ui.logoRaster(), 10);
    EXPECT_EQ(*r.state.logo, std::vector<std::uint8_t>(expected.begin(), expected.end()));
  } else {
    EXPECT_FALSE(r.state.logo);
  }
}

TEST_P(SendAll, WithTheLogoOffBothCommandsEndWithTheShortLogoSoThePrinterDropsItsOldOne) {
  click(ui.printLogoBox());  // "Imprimir Logotipo" off
  ASSERT_EQ(ui.logoHeightBar()->value(), 0);
  dialogs->answers.push_back(MessageAnswer::Yes);
  QTest::mouseClick(command(), Qt::LeftButton);

  EXPECT_EQ(watch->shows, 7);
  const Sent sent = sentOnTheLine({17, 7, 2, 2, 2, 2, 1});
  expectPaced(sent);
  const printer::DecodeResult r = decode(sent);
  // A logo of no rows: the 54-byte trailer alone, as the logo job sends it in this state.
  const Write* logoHeader = sent.headerOf(0x00);
  ASSERT_NE(logoHeader, nullptr);
  EXPECT_EQ(logoHeader->bytes, (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x36}));
  ASSERT_TRUE(r.state.logo);
  std::vector<std::uint8_t> trailer = {0x1B, 0x4C, 0x0A, 0x32};
  trailer.resize(54, 0x00);
  EXPECT_EQ(*r.state.logo, trailer);
  EXPECT_EQ(r.transfers.back().code, 0x00);
  EXPECT_TRUE(r.transfers.back().pauseAfterWord);
}

TEST_P(SendAll, AMissingPortStopsTheCommandWithOneError) {
  clickTab(2);
  dialogs->answers.push_back(MessageAnswer::Yes);
  {
    ScopedEnv com1("VORLANDEX_COM1", QString::fromLatin1(kMissingPort));
    QTest::mouseClick(command(), Qt::LeftButton);
  }
  ASSERT_EQ(boxCount(), 2);
  expectErrorBox(dialogs->boxes[1]);
  EXPECT_EQ(watch->shows, 0);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_EQ(ui.model().currentButton, 3);
  EXPECT_TRUE(line.received(50).empty());
}

TEST_P(SendAll, APortLostDuringTheTextsStopsThereAndGivesTheShownButtonBack) {
  clickTab(2);
  // The line goes away while button 1's texts are sent: button 2's text job cannot open it.
  watch->onShow = [](int show) {
    if (show == 3) qputenv("VORLANDEX_COM1", kMissingPort);
  };
  dialogs->answers.push_back(MessageAnswer::Yes);
  QTest::mouseClick(command(), Qt::LeftButton);

  ASSERT_EQ(boxCount(), 2);
  expectErrorBox(dialogs->boxes[1]);
  EXPECT_EQ(watch->shows, 3);
  EXPECT_EQ(watch->hides, 3);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_EQ(ui.model().currentButton, 3);
  const printer::DecodeResult r = decode(sentOnTheLine({17, 7, 2}));
  EXPECT_EQ(blockCodesOf(r.transfers), (std::vector<int>{0x34, 0x3A}));
}

INSTANTIATE_TEST_SUITE_P(
    BothCommands, SendAll,
    ::testing::Values(SendAllCase{"WithLogo", "sendAllButton", true, "Enviar todas configurações",
                                  "e atendimentos à impressora, incluindo logotipo, e poderá demorar "},
                      SendAllCase{"WithoutLogo", "sendAllWithoutLogoButton", false,
                                  "Enviar configurações sem logotipo",
                                  "e atendimentos à impressora, menos o logotipo, e poderá demorar "}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The time left ---

TEST(TimeLeftText, WholeSecondsRoundedUpWithMinutesFromOneMinuteOn) {
  EXPECT_EQ(timeLeftText(72'000), QStringLiteral("Tempo restante: 1 min 12 s"));
  EXPECT_EQ(timeLeftText(60'000), QStringLiteral("Tempo restante: 1 min 0 s"));
  EXPECT_EQ(timeLeftText(59'001), QStringLiteral("Tempo restante: 1 min 0 s"));
  EXPECT_EQ(timeLeftText(45'000), QStringLiteral("Tempo restante: 45 s"));
  EXPECT_EQ(timeLeftText(1), QStringLiteral("Tempo restante: 1 s"));
  EXPECT_EQ(timeLeftText(0), QStringLiteral("Tempo restante: 0 s"));
}

// On the virtual clock time passes only in the protocol's pauses, so what is left of a run
// at any moment is its whole duration less the time gone by.
TEST_F(Jobs, TheTimeLeftIsTheRunsRemainingPausesAtEveryPump) {
  retype(ui.lineText(1), QStringLiteral("Guichê dois, por favor aguarde"));
  const std::pair<const char*, std::function<void()>> runs[] = {
      {"settings", [&] { QTest::mouseClick(ui.sendSettingsButton(), Qt::LeftButton); }},
      {"text", [&] { QTest::mouseClick(ui.sendTextsButton(), Qt::LeftButton); }},
      {"send-all", [&] {
         dialogs->answers.push_back(MessageAnswer::Yes);
         QTest::mouseClick(ui.sendAllButton(), Qt::LeftButton);
       }}};
  for (const auto& [name, run] : runs) {
    SCOPED_TRACE(name);
    std::vector<std::pair<QString, std::int64_t>> seen;
    PumpHook hook(window, [&] { seen.emplace_back(ui.timeLeftLabel()->text(), pacer->elapsedMs()); });
    const std::int64_t start = pacer->elapsedMs();
    run();
    const std::int64_t total = pacer->elapsedMs() - start;
    ASSERT_GE(seen.size(), 2u);
    for (const auto& [text, ms] : seen)
      EXPECT_EQ(text, timeLeftText(total - (ms - start))) << "at " << ms - start;
  }
  EXPECT_EQ(boxCount(), 1);  // the send-all's confirmation
}

// --- A line lost during a job ---

int countEntries(const char* dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

// Whether the process is back to at most `threads` threads. A thread just joined may still be
// listed for a moment on a busy computer, until the kernel has reaped it; one that was left
// running never goes.
bool threadsBackTo(int threads) {
  return QTest::qWaitFor([&] { return countEntries("/proc/self/task") <= threads; }, 2000);
}

const QString kLostDuringLogo = QStringLiteral(
    "A conexão com a impressora foi perdida durante o envio do logotipo.\n"
    "Faltou enviar: o logotipo.\n"
    "Verifique o cabo da impressora e envie novamente.");

void expectLostBox(const ShownBox& b, const QString& text) {
  EXPECT_EQ(b.title, QStringLiteral("vorlandex"));
  EXPECT_EQ(b.text, text);
  EXPECT_EQ(b.icon, MessageIcon::Error);
  EXPECT_EQ(b.buttons, MessageButtons::Ok);
}

TEST_F(Jobs, AnAdapterPulledMidUploadEndsTheJobWithAnErrorAndLeavesNothingBehind) {
  QTest::mouseClick(ui.sendLogoButton(), Qt::LeftButton);  // once on the line: whatever Qt starts, it has
  const std::size_t transfers = printer::decodeStream(line.received(), 1'000'000).transfers.size();
  int master = -1;
  int slave = -1;
  char name[256] = {};
  ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
  ::close(slave);
  const int descriptors = countEntries("/proc/self/fd");
  const int threads = countEntries("/proc/self/task");

  std::chrono::steady_clock::time_point pulled;
  PumpHook hook(window, [&] {
    if (master >= 0 && ui.progressBar()->value() > 100) {
      ::close(master);  // the far end goes away with the upload under way
      master = -1;
      pulled = std::chrono::steady_clock::now();
    }
  });
  {
    ScopedEnv com1("VORLANDEX_COM1", QString::fromLocal8Bit(name));
    QTest::mouseClick(ui.sendLogoButton(), Qt::LeftButton);
  }
  ASSERT_EQ(master, -1) << "the job never got under way";
  using Ms = std::chrono::duration<double, std::milli>;
  EXPECT_LT(Ms(std::chrono::steady_clock::now() - pulled).count(), 1000.0);
  ASSERT_EQ(boxCount(), 1);
  expectLostBox(dialogs->boxes[0], kLostDuringLogo);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_FALSE(ui.jobRunning());
  EXPECT_EQ(countEntries("/proc/self/fd"), descriptors - 1);  // the master, nothing else
  EXPECT_TRUE(threadsBackTo(threads))
      << countEntries("/proc/self/task") << " threads, " << threads << " before";

  // With the line back the next job goes through.
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  EXPECT_EQ(boxCount(), 1);
  EXPECT_EQ(printer::decodeStream(line.received(), 1'000'000).transfers.size(), transfers + 7);
}

// The jobs on a scripted port instead of the line.
class JobsOnAScriptedPort : public Jobs {
 protected:
  std::unique_ptr<SerialBackend> makeSerialBackend() override { return std::make_unique<FakeBackend>(fake); }
  FakeBackend fake;  // scripts and watches the window's port
};

TEST_F(JobsOnAScriptedPort, AWriterThatCannotStartLeavesThePortFreeForTheNextJob) {
  fake.failThreadStart(2, EAGAIN);  // the writer of the first opening
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(fake.openPorts(), 0);
  QTest::mouseClick(ui.setClockButton(), Qt::LeftButton);
  EXPECT_EQ(boxCount(), 1);  // no "Already have a comm file open"
  EXPECT_EQ(fake.openedNames().size(), 2u);
}

TEST_F(JobsOnAScriptedPort, WritesRefusedWithEioStopTheSendAllAtThatJob) {
  watch->onShow = [&](int show) {
    if (show == 4) fake.failWrites(EIO);  // the text job of button 2
  };
  const int threads = countEntries("/proc/self/task");
  dialogs->answers.push_back(MessageAnswer::Yes);
  QTest::mouseClick(ui.sendAllButton(), Qt::LeftButton);

  ASSERT_EQ(boxCount(), 2);
  expectLostBox(
      dialogs->boxes[1],
      QStringLiteral("A conexão com a impressora foi perdida durante o envio do texto do botão 2.\n"
                     "Faltou enviar: o texto do botão 2, o texto do botão 3, o texto do botão 4 e o "
                     "logotipo.\n"
                     "Verifique o cabo da impressora e envie novamente."));
  EXPECT_EQ(watch->shows, 4);
  EXPECT_EQ(fake.openedNames().size(), 4u);
  EXPECT_EQ(fake.openPorts(), 0);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_TRUE(threadsBackTo(threads))
      << countEntries("/proc/self/task") << " threads, " << threads << " before";
}

}  // namespace
}  // namespace vx::test
