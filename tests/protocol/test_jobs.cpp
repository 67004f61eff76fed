#include <gtest/gtest.h>

#include <QLocale>
#include <functional>
#include <set>
#include <stdexcept>

#include "protocol/job_plan.h"
#include "protocol/plan_runner.h"
#include "tests/protocol/fresh_model.h"
#include "tests/protocol/recording_host.h"

namespace vx {
namespace {

using test::freshModel;
using test::HostCall;
using test::PortError;
using test::RecordingHost;

using Bytes = std::vector<std::uint8_t>;
const Bytes kDimp = {0x44, 0x49, 0x4D, 0x50};

Bytes frame(int code, int v1, int v2) {
  return {0x40, static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(v1),
          static_cast<std::uint8_t>(v2)};
}

// The frames of a run of register writes, checking that each follows its own "DIMP".
std::vector<Bytes> registerFrames(const RecordingHost& host) {
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  std::vector<Bytes> frames;
  for (std::size_t i = 0; i < sends.size(); i += 2) {
    EXPECT_EQ(sends[i].bytes, kDimp) << "write " << i;
    if (i + 1 < sends.size()) frames.push_back(sends[i + 1].bytes);
  }
  return frames;
}

// The pacing the printer needs, checked on the virtual hand-over times: "DIMP" and its
// frame together, 100 ms after every frame; 12 ms after every data byte.
void expectPacing(const RecordingHost& host) {
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  bool afterFrame = false;
  for (std::size_t i = 1; i < sends.size(); ++i) {
    const std::int64_t gap = sends[i].ms - sends[i - 1].ms;
    const Bytes& prev = sends[i - 1].bytes;
    if (prev.size() == 4 && prev[0] == 0x40 && afterFrame) {
      EXPECT_GE(gap, 100) << "after the frame of write " << i - 1;
    }
    if (prev.size() == 1 && sends[i].bytes.size() == 1) {
      EXPECT_GE(gap, 12) << "between data writes " << i - 1 << " and " << i;
    }
    afterFrame = prev == kDimp;
  }
}

std::vector<HostCall::Kind> frameCalls(const RecordingHost& host) {
  std::vector<HostCall::Kind> kinds;
  for (const HostCall& c : host.calls)
    if (c.kind == HostCall::Open || c.kind == HostCall::Show || c.kind == HostCall::Hide ||
        c.kind == HostCall::Close)
      kinds.push_back(c.kind);
  return kinds;
}

const std::vector<HostCall::Kind> kOneFrame = {HostCall::Open, HostCall::Show, HostCall::Hide,
                                               HostCall::Close};

// Each job planned on its own, then run on `host` with `host` as its progress.
RunReport runOn(RecordingHost& host, VirtualPacer& pacer, const RunPlan& plan) {
  RunReport report;
  runPlan(host, pacer, plan, &host, report);
  return report;
}
RunReport settingsJob(RecordingHost& host, VirtualPacer& pacer, const ConfigModel& model, std::uint8_t options) {
  RunPlan plan;
  planSettingsJob(plan, model, options);
  return runOn(host, pacer, plan);
}
RunReport clockJob(RecordingHost& host, VirtualPacer& pacer) {
  RunPlan plan;
  planClockJob(plan, pacer.now());
  return runOn(host, pacer, plan);
}
RunReport textJob(RecordingHost& host, VirtualPacer& pacer, const ConfigModel& model, int button, CutMode cut) {
  RunPlan plan;
  planTextJob(plan, model, button, cut);
  return runOn(host, pacer, plan);
}
RunReport logoJob(RecordingHost& host, VirtualPacer& pacer, const Bytes& data) {
  RunPlan plan;
  planLogoJob(plan, data);
  return runOn(host, pacer, plan);
}
// The send-all: option byte 3, partial cut, the logo when given.
RunPlan sendAllPlan(const ConfigModel& model, const QDateTime& start, const Bytes* logo) {
  JobsToSend all;
  all.logo = logo != nullptr;
  return planRun(model, all, 3, CutMode::Partial, logo ? *logo : Bytes(), start);
}

struct JobTest : ::testing::Test {
  VirtualPacer pacer{QDateTime(QDate(2026, 12, 7), QTime(3, 55, 13))};
  RecordingHost host{pacer};
  ConfigModel model = freshModel();
};

TEST_F(JobTest, SettingsJobFreshStart) {
  // Buttons 5 and 6 are never sent, whatever they hold.
  model.letter[5] = 'X';
  model.firstNumber[6] = 555;
  const RunReport report = settingsJob(host, pacer, model, optionByte(true, true, false));

  const std::vector<Bytes> expected = {
      frame(0x00, 0x41, 0),    frame(0x01, 0x62, 0),    frame(0x02, 0x43, 0),    frame(0x03, 0x64, 0),
      frame(0x06, 0x00, 0),    frame(0x07, 0x01, 0),    frame(0x08, 0x02, 0),    frame(0x09, 0x03, 0),
      frame(0x0C, 0x00, 0),    frame(0x0D, 0x00, 0),    frame(0x0E, 0x00, 0),    frame(0x0F, 0x00, 0),
      frame(0x12, 0x00, 0x63), frame(0x13, 0x00, 0x63), frame(0x14, 0x00, 0x63), frame(0x15, 0x00, 0x63),
      frame(0x1F, 0x03, 0)};
  EXPECT_EQ(registerFrames(host), expected);
  EXPECT_EQ(host.only(HostCall::Send).size(), 34u);
  EXPECT_TRUE(report.portOpened && report.finished);
  EXPECT_EQ(frameCalls(host), kOneFrame);
  EXPECT_EQ(host.values(HostCall::Max), std::vector<int>{100});
  EXPECT_EQ(host.values(HostCall::Position), (std::vector<int>{1, 30, 50, 80, 100}));
  EXPECT_EQ(host.only(HostCall::Pump).size(), 5u);
  expectPacing(host);
  // One 100 ms pause before the first word, then 100 ms per register.
  EXPECT_EQ(host.only(HostCall::Send).front().ms, 100);
  EXPECT_EQ(pacer.elapsedMs(), 1800);
}

TEST_F(JobTest, SettingsJobProgressFallsBetweenTheGroups) {
  settingsJob(host, pacer, model, 0);
  // Position after the registers sent so far: 1 before any, 30 after the letters, 50 after the
  // links, 80 after the first numbers, 100 after the options.
  std::vector<std::pair<int, int>> seen;
  int sends = 0;
  for (const HostCall& c : host.calls) {
    if (c.kind == HostCall::Send) ++sends;
    if (c.kind == HostCall::Position) seen.emplace_back(c.value, sends / 2);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 0}, {30, 4}, {50, 8}, {80, 12}, {100, 17}}));
}

TEST_F(JobTest, SettingsJobSendsLinksAndLetterRules) {
  struct Row {
    const char* what;
    std::function<void(ConfigModel&)> edit;
    std::vector<Bytes> present;
  };
  const Row rows[] = {
      {"button 3 repeats button 1",
       [](ConfigModel& m) {
         m.letter[3] = 'A';
         m.sameAsButton[3] = 1;
       },
       {frame(0x02, 0xFF, 0), frame(0x08, 0x00, 0)}},
      {"button 4 inactive",
       [](ConfigModel& m) { m.setInactive(4); },
       {frame(0x03, 0xFF, 0), frame(0x09, 0x06, 0)}},
      {"button 2 Não imprimir up to 999",
       [](ConfigModel& m) {
         m.printLetter[2] = false;
         m.lastNumber[2] = 999;
       },
       {frame(0x01, 0x00, 0), frame(0x07, 0x01, 0), frame(0x13, 0x03, 0xE7)}},
      {"button 1 starts at 999", [](ConfigModel& m) { m.firstNumber[1] = 999; }, {frame(0x0C, 0x03, 0xE7)}},
  };
  for (const Row& row : rows) {
    VirtualPacer p;
    RecordingHost h(p);
    ConfigModel m = freshModel();
    row.edit(m);
    settingsJob(h, p, m, optionByte(true, true, true));
    const std::vector<Bytes> frames = registerFrames(h);
    ASSERT_EQ(frames.size(), 17u) << row.what;
    for (const Bytes& f : row.present)
      EXPECT_NE(std::find(frames.begin(), frames.end(), f), frames.end()) << row.what;
    EXPECT_EQ(frames.back(), frame(0x1F, 0x07, 0)) << row.what;
  }
}

TEST_F(JobTest, ClockJobMonday7December2026) {
  const RunReport report = clockJob(host, pacer);
  const std::vector<Bytes> expected = {frame(0x18, 0x0D, 0),   frame(0x19, 0x37, 0), frame(0x1A, 0x03, 0),
                                       frame(0x1B, 0x07, 0),   frame(0x1C, 0x0C, 0), frame(0x1D, 0x01, 0),
                                       frame(0x1E, 0x07, 0xEA)};
  EXPECT_EQ(registerFrames(host), expected);
  EXPECT_TRUE(report.portOpened);
  EXPECT_EQ(frameCalls(host), kOneFrame);
  EXPECT_EQ(host.values(HostCall::Max), std::vector<int>{100});
  EXPECT_EQ(host.values(HostCall::Position), (std::vector<int>{30, 100}));
  EXPECT_EQ(host.only(HostCall::Pump).size(), 2u);
  // The bar reaches 100 after the six 8-bit fields and before the year.
  int sends = 0;
  for (const HostCall& c : host.calls) {
    if (c.kind == HostCall::Send) ++sends;
    if (c.kind == HostCall::Position && c.value == 100) {
      EXPECT_EQ(sends, 12);
    }
  }
  expectPacing(host);
  EXPECT_EQ(pacer.elapsedMs(), 800);
}

TEST_F(JobTest, ClockJobSendsOneReadingAcrossMidnight) {
  pacer.setStart(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 990)));
  clockJob(host, pacer);
  // The job lasts 0.8 s: a field read late would belong to 1 January 2027.
  const std::vector<Bytes> expected = {frame(0x18, 59, 0),     frame(0x19, 59, 0), frame(0x1A, 23, 0),
                                       frame(0x1B, 31, 0),     frame(0x1C, 12, 0), frame(0x1D, 4, 0),
                                       frame(0x1E, 0x07, 0xEA)};
  EXPECT_EQ(registerFrames(host), expected);
}

TEST_F(JobTest, TextJobFreshStartButtonOne) {
  const RunReport report = textJob(host, pacer, model, 1, CutMode::Partial);
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  ASSERT_EQ(sends.size(), 1 + 1 + 94 + 1 + 1 + 1 + 3 + 1u);
  EXPECT_EQ(sends[0].bytes, kDimp);
  EXPECT_EQ(sends[1].bytes, (Bytes{0x34, 0x00, 0x00, 0x5E}));
  EXPECT_EQ(sends[2].bytes, Bytes{' '});
  EXPECT_EQ(sends[95].bytes, Bytes{0x00});
  EXPECT_EQ(sends[96].bytes, Bytes{'F'});
  EXPECT_EQ(sends[97].bytes, kDimp);
  EXPECT_EQ(sends[98].bytes, (Bytes{0x3A, 0x00, 0x00, 0x03}));
  EXPECT_EQ(sends[99].bytes, Bytes{0x10});
  EXPECT_EQ(sends[100].bytes, Bytes{0x1B});
  EXPECT_EQ(sends[101].bytes, Bytes{0x47});
  EXPECT_EQ(sends[102].bytes, Bytes{'F'});
  for (std::size_t i = 2; i < 96; ++i) EXPECT_EQ(sends[i].bytes.size(), 1u);

  // Header block: 100 ms, word and header together, bytes 12 ms apart, "F" 12 ms after the
  // last one. Footer block: 100 ms, word, 100 ms, header.
  EXPECT_EQ(sends[0].ms, 100);
  EXPECT_EQ(sends[1].ms, 100);
  EXPECT_EQ(sends[2].ms, 100);
  EXPECT_EQ(sends[95].ms, 100 + 93 * 12);
  EXPECT_EQ(sends[96].ms, 100 + 94 * 12);
  EXPECT_EQ(sends[97].ms, sends[96].ms + 100);
  EXPECT_EQ(sends[98].ms, sends[97].ms + 100);
  EXPECT_EQ(sends[102].ms, sends[98].ms + 3 * 12);
  EXPECT_EQ(host.calls.back().kind, HostCall::Close);
  EXPECT_EQ(host.calls.back().ms, sends[102].ms);  // closed at once after the last "F"
  expectPacing(host);

  std::vector<int> positions;
  for (int i = 1; i <= 94; ++i) positions.push_back(i);
  for (int i = 1; i <= 3; ++i) positions.push_back(i);
  EXPECT_EQ(host.values(HostCall::Position), positions);
  EXPECT_EQ(host.values(HostCall::Max), (std::vector<int>{94, 3}));
  EXPECT_EQ(frameCalls(host), kOneFrame);
  EXPECT_TRUE(report.portOpened);
}

TEST_F(JobTest, TextJobSendsItsButtonWithItsCut) {
  model.lineText[5][4] = QStringLiteral("Obrigado");
  model.lineEnabled[5][4] = true;
  textJob(host, pacer, model, 4, CutMode::Total);
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  EXPECT_EQ(sends[1].bytes, (Bytes{0x37, 0x00, 0x00, 0x5E}));
  const Bytes all = host.bytes();
  const Bytes footerHeader = {0x3D, 0x00, 0x00, 8 + 3 + 3};
  EXPECT_NE(std::search(all.begin(), all.end(), footerHeader.begin(), footerHeader.end()), all.end());
  const Bytes tail = {0x11, 0x1B, 0x47, 'F'};
  EXPECT_TRUE(std::equal(tail.rbegin(), tail.rend(), all.rbegin()));
}

TEST_F(JobTest, TextBlockOf300BytesIsAnnouncedWithBothBytes) {
  // Texts longer than the editor allows, as a hand-made file can hold: 246 bytes of lines
  // and the 54-byte trailer.
  for (int l = 1; l <= 4; ++l) {
    model.lineText[l][1] = QString(l == 4 ? 60 : 58, QLatin1Char('x'));
    model.lineEnabled[l][1] = true;
  }
  textJob(host, pacer, model, 1, CutMode::Partial);
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  EXPECT_EQ(sends[1].bytes, (Bytes{0x34, 0x00, 0x01, 0x2C}));
  EXPECT_EQ(sends[2 + 300].bytes, Bytes{'F'});
  EXPECT_EQ(host.values(HostCall::Max).front(), 300);
}

// A send-all too long for the printer is refused while it is planned, before any job runs.
TEST_F(JobTest, TextTooLongForAnyBlockIsRefusedWhilePlanning) {
  model.lineText[6][3] = QString(70000, QLatin1Char('x'));
  model.lineEnabled[6][3] = true;
  EXPECT_THROW(sendAllPlan(model, pacer.now(), nullptr), std::length_error);
  RunPlan plan;
  planClockJob(plan, pacer.now());
  EXPECT_THROW(planTextJob(plan, model, 3, CutMode::Partial), std::length_error);
  EXPECT_EQ(plan.jobs.size(), 1u);  // the plan is left as it was
  EXPECT_EQ(plan.writes.size(), 14u);
  EXPECT_EQ(plan.transfers.size(), 7u);
}

TEST_F(JobTest, LogoJobSendsTheDataAsBlockZeroWithThePauseAfterTheWord) {
  Bytes logo = {0x1B, 0x4C, 0x0A, 0x32};
  logo.insert(logo.end(), 50, 0x00);
  const RunReport report = logoJob(host, pacer, logo);
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  ASSERT_EQ(sends.size(), 1 + 1 + 54 + 1u);
  EXPECT_EQ(sends[0].bytes, kDimp);
  EXPECT_EQ(sends[1].bytes, (Bytes{0x00, 0x00, 0x00, 0x36}));
  EXPECT_EQ(sends[0].ms, 100);
  EXPECT_EQ(sends[1].ms, 200);
  EXPECT_EQ(sends.back().bytes, Bytes{'F'});
  EXPECT_EQ(sends.back().ms, 200 + 54 * 12);
  EXPECT_EQ(host.values(HostCall::Max), std::vector<int>{54});
  EXPECT_EQ(frameCalls(host), kOneFrame);
  EXPECT_TRUE(report.portOpened);

  RunPlan big;
  EXPECT_THROW(planLogoJob(big, Bytes(65536, 0)), std::length_error);
  EXPECT_TRUE(big.jobs.empty() && big.writes.empty());
}

TEST_F(JobTest, PortThatCannotBeOpenedLeavesNothingShownOrSent) {
  host.failOpen = true;
  RunReport report;
  EXPECT_THROW(runPlan(host, pacer, sendAllPlan(model, pacer.now(), nullptr), &host, report), PortError);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(report.portOpened);  // nothing can have reached the printer
  EXPECT_EQ(report.job, 0);
}

TEST_F(JobTest, FailureWhileSendingStillHidesTheDialogAndClosesThePort) {
  host.onPump = [] { throw std::runtime_error("window gone"); };
  EXPECT_THROW(settingsJob(host, pacer, model, 0), std::runtime_error);
  ASSERT_GE(host.calls.size(), 2u);
  EXPECT_EQ(host.calls[host.calls.size() - 2].kind, HostCall::Hide);
  EXPECT_EQ(host.calls.back().kind, HostCall::Close);
}

// The message pump of a block transfer runs on the first byte and then whenever the time
// of day, to the second, has a new text.
TEST_F(JobTest, BlockTransferPumpsMessagesOncePerChangedSecond) {
  pacer.setStart(QDateTime(QDate(2026, 5, 4), QTime(10, 0, 0, 500)));
  const Bytes data(250, 0x55);  // 3 s of bytes
  logoJob(host, pacer, data);

  std::set<QString> seconds;
  int pumps = 0;
  int bytesSeen = 0;
  for (const HostCall& c : host.calls) {
    if (c.kind == HostCall::Pump) ++pumps;
    if (c.kind == HostCall::Send && c.bytes.size() == 1 && bytesSeen < 250) {
      ++bytesSeen;
      const QTime t = QTime(10, 0, 0, 500).addMSecs(static_cast<int>(c.ms));
      seconds.insert(
          QLocale::system().toString(QTime(t.hour(), t.minute(), t.second()), QLocale::LongFormat));
    }
  }
  // 200 ms lead, then 250 bytes 12 ms apart from 10:00:00.700 to 10:00:03.688.
  EXPECT_EQ(seconds.size(), 4u);
  EXPECT_EQ(pumps, 4);
  EXPECT_EQ(host.lastShownSecond, QLocale::system().toString(QTime(10, 0, 3), QLocale::LongFormat));

  // The pump compares with the host's lastShownSecond, not with anything of its own: a block that
  // starts in the second already recorded there does not pump.
  VirtualPacer later(QDateTime(QDate(2026, 5, 4), QTime(11, 0, 0, 100)));
  RecordingHost again(later);
  again.lastShownSecond = QLocale::system().toString(QTime(11, 0, 0), QLocale::LongFormat);
  logoJob(again, later, Bytes(3, 0));
  EXPECT_TRUE(again.only(HostCall::Pump).empty());
}

TEST_F(JobTest, SendAllRunsEveryJobInItsOwnFrame) {
  const Bytes logo = {0x1B, 0x4C, 0x0A, 0x32};
  const RunReport report = runOn(host, pacer, sendAllPlan(model, pacer.now(), &logo));
  EXPECT_TRUE(report.finished);
  EXPECT_EQ(report.job, 6);
  EXPECT_EQ(host.only(HostCall::Show).size(), 7u);
  EXPECT_EQ(host.only(HostCall::Close).size(), 7u);
  // The headers of the blocks, in order: texts of buttons 1..4, then the logo.
  std::vector<int> blocks;
  const std::vector<HostCall> sends = host.only(HostCall::Send);
  for (std::size_t i = 1; i < sends.size(); ++i)
    if (sends[i - 1].bytes == kDimp && sends[i].bytes[0] != 0x40) blocks.push_back(sends[i].bytes[0]);
  EXPECT_EQ(blocks, (std::vector<int>{0x34, 0x3A, 0x35, 0x3B, 0x36, 0x3C, 0x37, 0x3D, 0x00}));
  EXPECT_EQ(sends[1].bytes, frame(0x00, 0x41, 0));

  VirtualPacer p;
  RecordingHost noLogo(p);
  runOn(noLogo, p, sendAllPlan(model, p.now(), nullptr));
  EXPECT_EQ(noLogo.only(HostCall::Show).size(), 6u);
}

TEST_F(JobTest, SendAllStopsAtAPortFailureAndReportsWhereAndThatThePortWasOpened) {
  host.failOnOpen = 4;  // the text job of button 2
  const Bytes logo(54);
  RunReport report;
  EXPECT_THROW(runPlan(host, pacer, sendAllPlan(model, pacer.now(), &logo), &host, report), PortError);
  EXPECT_EQ(host.only(HostCall::Show).size(), 3u);  // settings, clock, text of button 1
  EXPECT_EQ(host.opens, 4);
  EXPECT_EQ(report.job, 3);
  EXPECT_TRUE(report.portOpened);
  EXPECT_FALSE(report.finished);
}

std::vector<int> pausesOf(const RecordingHost& host) {
  std::vector<int> out;
  for (const HostCall& c : host.only(HostCall::Send)) out.push_back(c.pause);
  return out;
}

// The port keeps each hand-over's pause after its previous write, so each must carry the
// pause the printer needs before it: 100 ms before every "DIMP" (the job's first counts from
// the port's opening), none between a word and its frame or header unless the block asks for
// it, none before the first data byte, 12 ms before every later one and before "F".
TEST_F(JobTest, EveryHandOverCarriesThePauseThePrinterNeedsBeforeIt) {
  pacer.setPausesToPort(true);
  clockJob(host, pacer);
  std::vector<int> registers;
  for (int i = 0; i < 7; ++i) registers.insert(registers.end(), {100, 0});
  EXPECT_EQ(pausesOf(host), registers);

  RecordingHost logo(pacer);
  logoJob(logo, pacer, Bytes(3, 0));
  EXPECT_EQ(pausesOf(logo), (std::vector<int>{100, 100, 0, 12, 12, 12}));
  RecordingHost text(pacer);
  textJob(text, pacer, model, 1, CutMode::Partial);
  const std::vector<int> pauses = pausesOf(text);
  ASSERT_EQ(pauses.size(), 103u);
  EXPECT_EQ(std::vector<int>(pauses.begin(), pauses.begin() + 4), (std::vector<int>{100, 0, 0, 12}));
  EXPECT_EQ(std::vector<int>(pauses.begin() + 96, pauses.begin() + 100), (std::vector<int>{12, 100, 100, 0}));
}

TEST_F(JobTest, ALostLineEndsTheJobAtOnce) {
  host.lostAfterSends = 10;
  EXPECT_THROW(logoJob(host, pacer, Bytes(100, 0)), ConnectionLost);
  EXPECT_EQ(host.sends, 10);
  EXPECT_EQ(frameCalls(host), kOneFrame);

  // Lost after the last hand-over, found when the port is closed: still no success.
  RecordingHost atClose(pacer);
  atClose.lostAtClose = true;
  EXPECT_THROW(clockJob(atClose, pacer), ConnectionLost);
  EXPECT_EQ(frameCalls(atClose), kOneFrame);
}

TEST_F(JobTest, SendAllStopsAtTheJobThatLostTheLine) {
  const Bytes logo(54);
  const RunPlan plan = sendAllPlan(model, pacer.now(), &logo);
  // Lost a few hand-overs into the text job of button 2, the fourth job.
  const auto firstOfJob3 = std::find_if(plan.writes.begin(), plan.writes.end(), [](const PlannedWrite& w) { return w.job == 3; });
  host.lostAfterSends = static_cast<int>(firstOfJob3 - plan.writes.begin()) + 5;
  RunReport report;
  EXPECT_THROW(runPlan(host, pacer, plan, &host, report), ConnectionLost);
  EXPECT_EQ(report.job, 3);
  EXPECT_EQ(host.opens, 4);  // settings, clock, texts of buttons 1 and 2
  EXPECT_EQ(host.only(HostCall::Close).size(), 4u);
}

}  // namespace
}  // namespace vx
