// The ticket preview's layout for each set of enabled lines and logo heights.

#include "editor/preview_layout.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <initializer_list>
#include <ostream>

namespace vx {

void PrintTo(const PreviewLayout& p, std::ostream* os) {
  *os << "{paper " << p.paperTop << " +" << p.paperHeight << ", lines";
  for (int l = 1; l <= kLines; ++l) *os << ' ' << (p.lineTop[l] ? *p.lineTop[l] : -1);
  *os << ", SENHA " << p.ticketWordTop << ", number " << p.numberTop << ", date " << p.dateTop << "}";
}

namespace {

std::array<bool, kLines + 1> linesOn(std::initializer_list<int> lines) {
  std::array<bool, kLines + 1> on{};
  for (int l : lines) on[l] = true;
  return on;
}

// The layout with "SENHA" at `ticketWordTop` (the number 25 and the date 85 pixels below it) and
// the given (line, top) pairs.
PreviewLayout expected(int paperTop, int paperHeight, int ticketWordTop, std::initializer_list<std::pair<int, int>> lines) {
  PreviewLayout p;
  p.paperTop = paperTop;
  p.paperHeight = paperHeight;
  p.ticketWordTop = ticketWordTop;
  p.numberTop = ticketWordTop + 25;
  p.dateTop = ticketWordTop + 85;
  for (const auto& [line, top] : lines) p.lineTop[line] = top;
  return p;
}

TEST(PreviewLayout, EachLineSetAndLogoHeightPlacesThePaperLinesNumberAndDate) {
  struct Row {
    const char* name;
    std::array<bool, kLines + 1> on;
    int logoHeight;
    PreviewLayout layout;
  };
  const Row rows[] = {
      {"start-up: line 1 at height 90", linesOn({1}), 90, expected(229, 145, 259, {{1, 234}})},
      {"no line", linesOn({}), 90, expected(229, 127, 241, {})},
      {"a footer line", linesOn({1, 5}), 90, expected(229, 163, 259, {{1, 234}, {5, 364}})},
      {"lines skip the ones that are off", linesOn({2, 4, 7}), 90,
       expected(229, 181, 277, {{2, 234}, {4, 252}, {7, 382}})},
      {"all eight", linesOn({1, 2, 3, 4, 5, 6, 7, 8}), 90,
       expected(229, 271, 313,
                {{1, 234}, {2, 252}, {3, 270}, {4, 288}, {5, 418}, {6, 436}, {7, 454}, {8, 472}})},
      {"height 130 rounds 93.925 up", linesOn({1}), 130, expected(258, 145, 288, {{1, 263}})},
      {"height 10 rounds 7.225 down", linesOn({1}), 10, expected(171, 145, 201, {{1, 176}})},
      {"height 200: 144.5 goes to the even 144", linesOn({1}), 200, expected(308, 145, 338, {{1, 313}})},
      {"logo off: height 0", linesOn({1}), 0, expected(164, 145, 194, {{1, 169}})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(previewLayout(row.on, row.logoHeight), row.layout);
  }
}

TEST(PreviewLayout, TheLogoHeightRoundsHalfToEven) {
  // 0.7225 × n is an exact half for n = 200 (144.5) and n = 600 (433.5).
  EXPECT_EQ(previewLogoHeight(200), 144);
  EXPECT_EQ(previewLogoHeight(600), 434);
  EXPECT_EQ(previewLogoHeight(-200), -144);
}

TEST(PreviewClock, TheTimeShowsNoTimeZoneNorWhatEnclosedItInAnyLocale) {
  for (const char* name : {"pt_BR", "en_US", "es_ES", "de_DE", "fr_FR"}) {
    const QLocale locale{QString::fromLatin1(name)};
    const QString shown = QTime(21, 41, 27).toString(clockTimeFormat(locale.timeFormat(QLocale::LongFormat)));
    EXPECT_TRUE(shown.contains(QStringLiteral("41:27"))) << name << ": " << shown.toStdString();
    EXPECT_FALSE(shown.contains(QRegularExpression(QStringLiteral("[()\\[\\]]|UTC|GMT|\\s$"))))
        << name << ": " << shown.toStdString();
  }
}

}  // namespace
}  // namespace vx
