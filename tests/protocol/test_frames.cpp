#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "protocol/frames.h"
#include "tests/protocol/fresh_model.h"

namespace vx {
namespace {

using test::freshModel;

ByteList bytes(std::initializer_list<int> list) {
  ByteList out;
  for (int v : list) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

ByteList toList(const FrameBytes& w) { return ByteList(w.begin(), w.end()); }

ByteList concat(std::initializer_list<ByteList> parts) {
  ByteList out;
  for (const ByteList& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const ByteList kLineEnd = bytes({0x0D, 0x1B, 0x47});
const ByteList kExpanded = bytes({0x1B, 0x41, 0x1B, 0x45});

ByteList headerTrailer() {
  ByteList t = bytes({0x1B, 0x4C, 0x0E, 0x32});
  t.insert(t.end(), 50, 0x00);
  return t;
}

ByteList ascii(const char* s) { return ByteList(s, s + std::strlen(s)); }

TEST(RegisterFrame, EncodesBothWidths) {
  struct Row {
    const char* what;
    std::uint8_t code;
    std::int32_t value;
    Width width;
    ByteList expected;
  };
  const Row rows[] = {
      {"printed letter A of button 1", 0x00, 'A', Width::Bits8, bytes({0x40, 0x00, 0x41, 0x00})},
      {"first number 999", 0x0C, 999, Width::Bits16, bytes({0x40, 0x0C, 0x03, 0xE7})},
      {"year 2026", 0x1E, 2026, Width::Bits16, bytes({0x40, 0x1E, 0x07, 0xEA})},
      {"last number 99", 0x12, 99, Width::Bits16, bytes({0x40, 0x12, 0x00, 0x63})},
      {"all options", 0x1F, 0x07, Width::Bits8, bytes({0x40, 0x1F, 0x07, 0x00})},
      {"no options", 0x1F, 0x00, Width::Bits8, bytes({0x40, 0x1F, 0x00, 0x00})},
      {"Sunday", 0x1D, 0, Width::Bits8, bytes({0x40, 0x1D, 0x00, 0x00})},
      {"8-bit keeps the low byte only", 0x00, 0x1FF, Width::Bits8, bytes({0x40, 0x00, 0xFF, 0x00})},
      {"16-bit maximum", 0x0C, 65535, Width::Bits16, bytes({0x40, 0x0C, 0xFF, 0xFF})},
      {"16-bit 65536 wraps both bytes", 0x0C, 65536, Width::Bits16, bytes({0x40, 0x0C, 0x00, 0x00})},
      {"16-bit 70000: quotient 273, remainder 112", 0x0C, 70000, Width::Bits16,
       bytes({0x40, 0x0C, 0x11, 0x70})},
      {"16-bit -1: quotient 0, remainder -1", 0x0C, -1, Width::Bits16, bytes({0x40, 0x0C, 0x00, 0xFF})},
      {"16-bit -300: quotient -1, remainder -44", 0x0C, -300, Width::Bits16, bytes({0x40, 0x0C, 0xFF, 0xD4})},
      {"16-bit -256: quotient -1, remainder 0", 0x0C, -256, Width::Bits16, bytes({0x40, 0x0C, 0xFF, 0x00})},
      {"16-bit largest int", 0x0C, 2147483647, Width::Bits16, bytes({0x40, 0x0C, 0xFF, 0xFF})},
      {"16-bit smallest int", 0x0C, -2147483647 - 1, Width::Bits16, bytes({0x40, 0x0C, 0x00, 0x00})},
  };
  for (const Row& row : rows)
    EXPECT_EQ(toList(registerFrame(row.code, row.value, row.width)), row.expected) << row.what;
}

TEST(BlockHeader, AnnouncesTheCountHighByteFirst) {
  EXPECT_EQ(toList(blockHeader(0x34, 94)), bytes({0x34, 0x00, 0x00, 0x5E}));
  EXPECT_EQ(toList(blockHeader(0x34, 200)), bytes({0x34, 0x00, 0x00, 0xC8}));
  EXPECT_EQ(toList(blockHeader(0x34, 300)), bytes({0x34, 0x00, 0x01, 0x2C}));
  EXPECT_EQ(toList(blockHeader(0x00, 54)), bytes({0x00, 0x00, 0x00, 0x36}));
  EXPECT_EQ(toList(blockHeader(0x00, 4824)), bytes({0x00, 0x00, 0x12, 0xD8}));
  EXPECT_EQ(toList(blockHeader(0x00, 10654)), bytes({0x00, 0x00, 0x29, 0x9E}));
  EXPECT_EQ(toList(blockHeader(0x3D, 65535)), bytes({0x3D, 0x00, 0xFF, 0xFF}));
  EXPECT_THROW(blockHeader(0x34, 65536), std::length_error);
  EXPECT_EQ(headerBlockCode(1), 0x34);
  EXPECT_EQ(headerBlockCode(4), 0x37);
  EXPECT_EQ(footerBlockCode(1), 0x3A);
  EXPECT_EQ(footerBlockCode(4), 0x3D);
}

TEST(LetterValue, NotPrintedGivesZeroAndNoOwnLetterOverridesIt) {
  struct Row {
    const char* what;
    int button;
    std::uint8_t storedLetter;
    bool printLetter;
    std::uint8_t sameAsButton;
    std::uint8_t letter, link;
  };
  const Row rows[] = {
      {"own printed letter", 1, 'A', true, 1, 0x41, 0x00},
      {"own letter not printed", 2, 'b', false, 2, 0x00, 0x01},
      {"repeats button 1", 3, 'A', true, 1, 0xFF, 0x00},
      {"repeats and not printed", 3, 'A', false, 1, 0xFF, 0x00},
      {"inactive", 4, 'I', true, 7, 0xFF, 0x06},
      {"Windows-1252 letter", 1, 0xC7, true, 1, 0xC7, 0x00},
  };
  for (const Row& row : rows) {
    ConfigModel m = freshModel();
    m.letter[row.button] = row.storedLetter;
    m.printLetter[row.button] = row.printLetter;
    m.sameAsButton[row.button] = row.sameAsButton;
    EXPECT_EQ(letterValue(m, row.button), row.letter) << row.what;
    EXPECT_EQ(linkValue(m, row.button), row.link) << row.what;
  }
}

TEST(OptionByte, OneBitPerBox) {
  EXPECT_EQ(optionByte(false, false, false), 0x00);
  EXPECT_EQ(optionByte(true, false, false), 0x01);
  EXPECT_EQ(optionByte(false, true, false), 0x02);
  EXPECT_EQ(optionByte(false, false, true), 0x04);
  EXPECT_EQ(optionByte(true, true, false), 0x03);
  EXPECT_EQ(optionByte(true, true, true), 0x07);
}

TEST(ClockFields, SplitsOneReading) {
  struct Row {
    const char* what;
    QDateTime reading;
    ClockFields expected;
  };
  const Row rows[] = {
      {"Monday 7 December 2026",
       QDateTime(QDate(2026, 12, 7), QTime(3, 55, 13)),
       {13, 55, 3, 7, 12, 1, 2026}},
      {"Sunday", QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0)), {0, 0, 12, 6, 12, 0, 2026}},
      {"Saturday", QDateTime(QDate(2026, 12, 12), QTime(23, 59, 59)), {59, 59, 23, 12, 12, 6, 2026}},
      {"midnight is hour 0", QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0)), {0, 0, 0, 1, 1, 5, 2027}},
      {"the last instant of a year",
       QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 990)),
       {59, 59, 23, 31, 12, 4, 2026}},
  };
  for (const Row& row : rows) EXPECT_EQ(clockFields(row.reading), row.expected) << row.what;
}

TEST(TextBlocks, FreshStartButtonOne) {
  const ConfigModel m = freshModel();
  const ByteList header = headerTextBlock(m, 1);
  EXPECT_EQ(header, concat({ascii("  AGUARDE SUA VEZ PARA SER ATENDIDO !"), kLineEnd, headerTrailer()}));
  EXPECT_EQ(header.size(), 94u);
  EXPECT_EQ(footerTextBlock(m, 1, CutMode::Partial), bytes({0x10, 0x1B, 0x47}));
  EXPECT_EQ(footerTextBlock(m, 1, CutMode::Total), bytes({0x11, 0x1B, 0x47}));
}

TEST(TextBlocks, LinesContributeByTheirFlags) {
  struct Row {
    const char* what;
    int line;
    const char16_t* text;
    bool enabled, expanded;
    ByteList contribution;
  };
  const Row rows[] = {
      {"disabled line with text", 2, u"Linha 2", false, false, {}},
      {"disabled expanded line", 2, u"AB", false, true, {}},
      {"expanded AB", 2, u"AB", true, true, concat({kExpanded, ascii("AB"), kLineEnd})},
      {"empty enabled line", 3, u"", true, false, kLineEnd},
      {"empty expanded line", 3, u"", true, true, concat({kExpanded, kLineEnd})},
      {"accented Portuguese, one byte each", 4, u"Atenção é", true, false,
       concat({bytes({0x41, 0x74, 0x65, 0x6E, 0xE7, 0xE3, 0x6F, 0x20, 0xE9}), kLineEnd})},
  };
  for (const Row& row : rows) {
    ConfigModel m = freshModel();
    m.lineEnabled[1][2] = false;  // button 2 starts with no header line
    m.lineText[row.line][2] = QString::fromUtf16(row.text);
    m.lineEnabled[row.line][2] = row.enabled;
    m.lineExpanded[row.line][2] = row.expanded;
    EXPECT_EQ(headerTextBlock(m, 2), concat({row.contribution, headerTrailer()})) << row.what;

    // The same line among the footer lines (line + 4) lands before the cut byte.
    ConfigModel f = freshModel();
    f.lineText[row.line + 4][2] = QString::fromUtf16(row.text);
    f.lineEnabled[row.line + 4][2] = row.enabled;
    f.lineExpanded[row.line + 4][2] = row.expanded;
    EXPECT_EQ(footerTextBlock(f, 2, CutMode::Total), concat({row.contribution, bytes({0x11, 0x1B, 0x47})}))
        << row.what;
  }
}

TEST(TextBlocks, AllLinesDisabledStillGivesTheTrailers) {
  ConfigModel m = freshModel();
  for (int l = 1; l <= kLines; ++l) m.lineEnabled[l][3] = false;
  EXPECT_EQ(headerTextBlock(m, 3), headerTrailer());
  EXPECT_EQ(footerTextBlock(m, 3, CutMode::Partial), bytes({0x10, 0x1B, 0x47}));
}

TEST(TextBlocks, LinesInOrderAndOnlyTheirOwnButton) {
  ConfigModel m = freshModel();
  for (int l = 1; l <= kLines; ++l) {
    m.lineText[l][4] = QString::number(l);
    m.lineEnabled[l][4] = true;
  }
  m.lineText[5][3] = QStringLiteral("other button");
  m.lineExpanded[6][4] = true;
  EXPECT_EQ(headerTextBlock(m, 4), concat({ascii("1"), kLineEnd, ascii("2"), kLineEnd, ascii("3"), kLineEnd,
                                           ascii("4"), kLineEnd, headerTrailer()}));
  EXPECT_EQ(footerTextBlock(m, 4, CutMode::Partial),
            concat({ascii("5"), kLineEnd, kExpanded, ascii("6"), kLineEnd, ascii("7"), kLineEnd, ascii("8"),
                    kLineEnd, bytes({0x10, 0x1B, 0x47})}));
}

TEST(TextBlocks, RefuseButtonsThePrinterDoesNotHave) {
  const ConfigModel m = freshModel();
  EXPECT_THROW(headerTextBlock(m, 0), std::out_of_range);
  EXPECT_THROW(headerTextBlock(m, 5), std::out_of_range);
  EXPECT_THROW(footerTextBlock(m, 7, CutMode::Partial), std::out_of_range);
}

}  // namespace
}  // namespace vx
