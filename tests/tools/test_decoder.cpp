#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

#include "printer/virtual_printer.h"
#include "protocol/job_plan.h"
#include "protocol/plan_runner.h"
#include "tests/protocol/fresh_model.h"
#include "tests/protocol/recording_host.h"
#include "tests/tools/stream_builder.h"

namespace vx::printer {
namespace {

using test::StreamBuilder;
using Bytes = std::vector<std::uint8_t>;

std::vector<TimedByte> wireOf(const test::RecordingHost& host) {
  std::vector<TimedByte> out;
  for (const auto& [byte, us] : host.wire()) out.push_back({byte, us});
  return out;
}

std::string allLines(const DecodeResult& r) {
  std::string out;
  for (const std::string& l : r.lines) out += l + "\n";
  return out;
}

Bytes logoData(int rows, const std::function<void(int row, Bytes& bytes)>& paint) {
  Bytes out;
  for (int r = 0; r < rows; ++r) {
    Bytes row(50, 0);
    paint(r, row);
    out.insert(out.end(), {0x1B, 0x4A, 0x32});
    out.insert(out.end(), row.begin(), row.end());
  }
  out.insert(out.end(), {0x1B, 0x4C, 0x0A, 0x32});
  out.insert(out.end(), 50, 0x00);
  return out;
}

// Everything the send-all command sends, on one virtual clock.
struct SendAll {
  VirtualPacer pacer{QDateTime(QDate(2026, 12, 7), QTime(3, 55, 13))};
  test::RecordingHost host{pacer};
  ConfigModel model = test::freshModel();

  // Button 4 with the total cut, the others with the partial one.
  void run(const Bytes& logo) {
    RunPlan plan;
    planSettingsJob(plan, model, optionByte(true, true, false));
    planClockJob(plan, pacer.now());
    for (int b = 1; b <= kPrinterButtons; ++b) planTextJob(plan, model, b, b == 4 ? CutMode::Total : CutMode::Partial);
    planLogoJob(plan, logo);
    RunReport report;
    runPlan(host, pacer, plan, &host, report);
  }
};

TEST(Decoder, AcceptsEverythingTheJobsSend) {
  SendAll all;
  all.model.lineText[2][3] = QStringLiteral("Atenção");
  all.model.lineEnabled[2][3] = true;
  all.model.lineExpanded[2][3] = true;
  all.model.sameAsButton[4] = 7;
  all.model.letter[4] = 'I';
  all.model.firstNumber[2] = 500;
  all.model.lastNumber[2] = 999;
  all.run(logoData(10, [](int r, Bytes& row) { row[r % 50] = 0xFF; }));

  const DecodeResult r = decodeStream(wireOf(all.host));
  EXPECT_TRUE(r.problems.empty()) << allLines(r);
  ASSERT_EQ(r.transfers.size(), 17u + 7u + 8u + 1u);

  const PrinterState& s = r.state;
  EXPECT_EQ(s.buttons[1].letter, 0x41);
  EXPECT_EQ(s.buttons[2].letter, 0x62);
  EXPECT_EQ(s.buttons[4].letter, 0xFF);
  EXPECT_EQ(s.buttons[4].link, 6);
  EXPECT_EQ(s.buttons[3].link, 2);
  EXPECT_EQ(s.buttons[2].first, 500);
  EXPECT_EQ(s.buttons[2].last, 999);
  EXPECT_EQ(s.buttons[1].last, 99);
  EXPECT_EQ(s.options, 0x03);
  EXPECT_EQ(s.clock.year, 2026);
  EXPECT_EQ(s.clock.weekday, 1);
  // The clock job starts 1.8 s after the settings job.
  EXPECT_EQ(s.clock.at(s.clock.setUs), QDateTime(QDate(2026, 12, 7), QTime(3, 55, 14)));

  const TextBlock header3 = parseHeaderBlock(*s.buttons[3].header);
  ASSERT_EQ(header3.lines.size(), 2u);
  EXPECT_EQ(header3.lines[1].text(), QStringLiteral("Atenção"));
  EXPECT_TRUE(header3.lines[1].expanded);
  EXPECT_EQ(parseFooterBlock(*s.buttons[1].footer).cut, Cut::Partial);
  EXPECT_EQ(parseFooterBlock(*s.buttons[4].footer).cut, Cut::Total);
  ASSERT_TRUE(s.logo);
  EXPECT_EQ(parseLogoBlock(*s.logo).rows.size(), 10u);

  // The blocks that wait after the word are marked so.
  EXPECT_FALSE(r.transfers[24].pauseAfterWord);    // header text of button 1
  EXPECT_TRUE(r.transfers[25].pauseAfterWord);     // footer text of button 1
  EXPECT_TRUE(r.transfers.back().pauseAfterWord);  // logo
}

TEST(Decoder, DescribesEachTransferOnOneLine) {
  SendAll all;
  all.model.printLetter[2] = false;
  all.model.letter[3] = 'A';
  all.model.sameAsButton[3] = 1;
  all.run(logoData(0, nullptr));
  const DecodeResult r = decodeStream(wireOf(all.host));
  const std::vector<std::string> expected = {
      "register 0x00 letter of button 1 = 0x41 'A'",
      "register 0x01 letter of button 2 = 0x00 (letter not printed)",
      "register 0x02 letter of button 3 = 0xFF (no letter of its own)",
      "register 0x06 link of button 1 = 0 (own letter)",
      "register 0x08 link of button 3 = 0 (letter of button 1)",
      "register 0x12 last number of button 1 = 99",
      "register 0x1F options = 0x03 (reset at end of day, beep)",
      "register 0x1A clock hours = 3",
      "register 0x1D clock day of week = 1 (Monday)",
      "register 0x1E clock year = 2026",
      "block 0x34 header text of button 1, 94 bytes: \"  AGUARDE SUA VEZ PARA SER ATENDIDO !\"",
      "block 0x3A footer text of button 1, 3 bytes: no lines; partial cut",
      "block 0x3D footer text of button 4, 3 bytes: no lines; total cut",
      "block 0x00 logo, 54 bytes: 0 rows",
  };
  for (const std::string& line : expected)
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), line), r.lines.end()) << line << "\n" << allLines(r);
}

TEST(Decoder, ToleratesLateArrivalOnTheRealLine) {
  SendAll all;
  all.run(logoData(3, [](int, Bytes& row) { row[0] = 1; }));
  // Every write reaches the reader up to 1.5 ms late, each byte never before the one ahead.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> lateness(0, 1500);
  std::vector<TimedByte> stream;
  std::int64_t previous = 0;
  for (const auto& [byte, us] : all.host.wire()) {
    previous = std::max(previous, us + lateness(random));
    stream.push_back({byte, previous});
  }
  const DecodeResult r = decodeStream(stream);
  EXPECT_TRUE(r.problems.empty()) << allLines(r);
  EXPECT_EQ(r.transfers.size(), 33u);
}

TEST(Decoder, ReportsWhatThePrinterCannotTake) {
  struct Row {
    const char* what;
    StreamBuilder stream;
    const char* report;
    std::size_t transfers;  // what is still decoded around the fault
    Problem::Kind kind;
  };
  const Bytes text = {'A', 0x0D, 0x1B, 0x47, 0x10, 0x1B, 0x47};
  const Row rows[] = {
      {"frame without the word", StreamBuilder().bytes({0x40, 0x00, 0x41, 0x00}).after(100).reg(0x01, 'b'),
       "register frame 40 00 41 00 without \"DIMP\" (ignored)", 1, Problem::Kind::Framing},
      {"short frame", StreamBuilder().word().bytes({0x40, 0x00, 0x41}).after(100).reg(0x01, 'b'),
       "short register frame: 40 00 41 (3 of 4 bytes)", 1, Problem::Kind::Framing},
      {"short frame at the end", StreamBuilder().reg(0x00, 'A').word().bytes({0x40, 0x01}),
       "short register frame", 1, Problem::Kind::Framing},
      {"word cut short", StreamBuilder().bytes({0x44, 0x49}).after(100).reg(0x00, 'A'), "\"DIMP\" cut short",
       1, Problem::Kind::Framing},
      {"word sooner than 100 ms", StreamBuilder().reg(0x00, 'A').after(-50).reg(0x01, 'b'),
       "\"DIMP\" 50.0 ms after the previous register frame (the printer needs 100 ms)", 2,
       Problem::Kind::Pacing},
      {"block soon after a register", StreamBuilder().reg(0x00, 'A').after(-60).block(0x3A, text),
       "after the previous register frame", 2, Problem::Kind::Pacing},
      {"count larger than the bytes", StreamBuilder().block(0x3A, text, 12, 8).after(100).reg(0x00, 'A'),
       "block 0x3A: expected \"F\" after 8 data bytes, got 0x44 (the count does not match the bytes sent)", 1,
       Problem::Kind::Framing},
      {"count smaller than the bytes", StreamBuilder().block(0x3A, text, 12, 6).after(100).reg(0x00, 'A'),
       "block 0x3A: expected \"F\" after 6 data bytes, got 0x47", 1, Problem::Kind::Framing},
      {"missing terminator at the end", StreamBuilder().block(0x3A, text, 12, -1, false),
       "block 0x3A: missing terminator \"F\" after 7 data bytes", 0, Problem::Kind::Framing},
      {"missing terminator before the next word",
       StreamBuilder().block(0x3A, text, 12, -1, false).after(100).reg(0x00, 'A'), "expected \"F\"", 1,
       Problem::Kind::Framing},
      {"block cut short at the end", StreamBuilder().block(0x3A, text, 12, 20, false),
       "block 0x3A cut short: 7 of 20 data bytes and no \"F\"", 0, Problem::Kind::Framing},
      {"block given up after silence",
       StreamBuilder().block(0x3A, text, 12, 20, false).after(3000).reg(0x00, 'A'), "given up after", 1,
       Problem::Kind::Framing},
      {"bytes too fast", StreamBuilder().block(0x3A, text, 5),
       "block 0x3A: 7 bytes closer than 12 ms to the byte before (smallest gap 5.0 ms)", 1,
       Problem::Kind::Pacing},
      {"bytes between transfers", StreamBuilder().bytes({0x00, 0x01}).after(100).reg(0x00, 'A'),
       "2 bytes between transfers: 00 01", 1, Problem::Kind::Framing},
      {"broken word", StreamBuilder().bytes({0x44, 0x49, 0x58}).after(100).reg(0x00, 'A'),
       "3 bytes between transfers: 44 49 58", 1, Problem::Kind::Framing},
      {"unknown register", StreamBuilder().reg(0x04, 'X').reg(0x00, 'A'), "unknown register 0x04", 1,
       Problem::Kind::Content},
      {"unknown block", StreamBuilder().block(0x50, text).after(100).reg(0x00, 'A'),
       "unknown block code 0x50", 1, Problem::Kind::Content},
      {"8-bit register with a second byte", StreamBuilder().reg(0x18, 5, 1),
       "second byte 0x01 (should be 0x00)", 1, Problem::Kind::Content},
      {"hour 24", StreamBuilder().reg(0x1A, 24), "register 0x1A: value 24 out of range", 1,
       Problem::Kind::Content},
      {"malformed block header", StreamBuilder().word().bytes({0x34, 0x01, 0x00, 0x03}),
       "malformed block header 34 01 00 03", 0, Problem::Kind::Framing},
      {"word leading nowhere", StreamBuilder().word().after(100).reg(0x00, 'A'),
       "\"DIMP\" not followed by a register frame or block header", 1, Problem::Kind::Framing},
      {"header block without its trailer", StreamBuilder().block(0x34, text),
       "block 0x34: header-text block does not end with 1B 4C 0E 32 and fifty 00", 1, Problem::Kind::Content},
      {"logo block without its trailer", StreamBuilder().block(0x00, {0x1B, 0x4A, 0x32, 0x00}),
       "logo block: no row record or trailer", 1, Problem::Kind::Content},
  };
  for (const Row& row : rows) {
    const DecodeResult r = decodeStream(row.stream.stream());
    const bool reported = std::any_of(r.problems.begin(), r.problems.end(), [&](const Problem& p) {
      return p.text.find(row.report) != std::string::npos && p.kind == row.kind;
    });
    EXPECT_TRUE(reported) << row.what << ":\n" << allLines(r);
    EXPECT_EQ(r.transfers.size(), row.transfers) << row.what << ":\n" << allLines(r);
  }
  // A pacing problem counts what came too soon: 7 bytes of one block, 1 frame's word.
  EXPECT_EQ(decodeStream(StreamBuilder().block(0x3A, text, 5).stream()).problems.at(0).count, 7);
  EXPECT_EQ(decodeStream(StreamBuilder().reg(0x00, 'A').after(-50).reg(0x01, 'b').stream()).problems.at(0).count, 1);
}

TEST(Decoder, AllowsTwoMillisecondsOfArrivalJitter) {
  const Bytes text = {'A', 0x0D, 0x1B, 0x47, 0x10, 0x1B, 0x47};
  struct Row {
    const char* what;
    StreamBuilder stream;
    bool accepted;
  };
  const Row rows[] = {
      {"bytes 10.5 ms apart", StreamBuilder().block(0x3A, text, 10.5), true},
      {"bytes 9.9 ms apart", StreamBuilder().block(0x3A, text, 9.9), false},
      {"words 98.5 ms apart", StreamBuilder().reg(0x00, 'A').after(-1.5).reg(0x01, 'b'), true},
      {"words 97.9 ms apart", StreamBuilder().reg(0x00, 'A').after(-2.1).reg(0x01, 'b'), false},
  };
  for (const Row& row : rows) {
    const DecodeResult r = decodeStream(row.stream.stream());
    EXPECT_EQ(r.problems.empty(), row.accepted) << row.what << ":\n" << allLines(r);
  }
}

TEST(Decoder, ReportsAnUnfinishedTransferWhenTheLineFallsSilent) {
  std::vector<std::string> lines;
  VirtualPrinter printer([&](const std::string& line, bool) { lines.push_back(line); });
  for (std::uint8_t b : {0x44, 0x49, 0x4D, 0x50, 0x40, 0x00}) printer.feed(b, 1'000'000);
  printer.poll(1'010'000);
  EXPECT_TRUE(lines.empty());
  printer.poll(1'100'000);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("problem: short register frame: 40 00 (2 of 4 bytes)", 0), 0u) << lines[0];
  for (std::uint8_t b : {0x44, 0x49, 0x4D, 0x50, 0x40, 0x00, 0x41, 0x00}) printer.feed(b, 2'000'000);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "register 0x00 letter of button 1 = 0x41 'A'");
}

TEST(LogoBlock, BitNOfByteKIsDot8KPlusN) {
  const Bytes data = logoData(3, [](int r, Bytes& row) {
    if (r == 0) row[0] = 0x01;   // column 0
    if (r == 1) row[49] = 0x80;  // column 399
    if (r == 2) std::fill(row.begin(), row.end(), 0xFF);
  });
  const Logo logo = parseLogoBlock(data);
  EXPECT_TRUE(logo.problem.empty()) << logo.problem;
  ASSERT_EQ(logo.rows.size(), 3u);
  EXPECT_TRUE(logo.dot(0, 0));
  EXPECT_FALSE(logo.dot(1, 0));
  EXPECT_FALSE(logo.dot(7, 0));
  EXPECT_TRUE(logo.dot(399, 1));
  EXPECT_FALSE(logo.dot(398, 1));
  for (int x = 0; x < 400; ++x) EXPECT_TRUE(logo.dot(x, 2));
}

}  // namespace
}  // namespace vx::printer
