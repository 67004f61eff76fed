// The button page's rules: one row per case that can fail differently.

#include "editor/button_numbering.h"
#include "editor/button_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace vx {

void PrintTo(const ButtonNumbering& n, std::ostream* os) {
  *os << "{letter " << int(n.letter) << ", printLetter " << n.printLetter << ", " << n.firstNumber << ".."
      << n.lastNumber << ", sameAsButton " << int(n.sameAsButton) << "}";
}

void PrintTo(const NumberingView& v, std::ostream* os) {
  *os << "{state " << int(v.state) << ", follows " << v.follows << ", \"" << v.rangeText.toStdString()
      << "\", warn " << v.warnStartAboveEnd << ", " << v.start << ".." << v.end << ", max " << v.maxValue
      << ", printLetter " << v.printLetter << "}";
}

namespace {

// Buttons 1..4 as after start-up: A b C d printed, 0..99, each its own.
ConfigModel startUpModel() {
  ConfigModel m;
  applyNumberingDefaults(m);
  return m;
}

NumberingInput typed(const char* letter, bool printLetter, int start, int end) {
  return {false, QString::fromLatin1(letter), printLetter, start, end};
}

constexpr int kPrinted = NumberingView::kMaxPrintedNumber;
constexpr int kUnprinted = NumberingView::kMaxUnprintedNumber;
constexpr auto kOwn = ButtonState::Independent;
constexpr auto kFollowing = ButtonState::Following;

struct NumberingRow {
  const char* name;
  std::function<void(ConfigModel&)> before;  // what earlier edits left in the model
  int button;
  NumberingInput input;
  ButtonNumbering stored;
  NumberingView shown;
};

TEST(ButtonNumbering, EachCaseStoresAndShowsWhatThePageRulesSay) {
  const auto none = [](ConfigModel&) {};
  const auto button1From5To50 = [](ConfigModel& m) {
    m.firstNumber[1] = 5;
    m.lastNumber[1] = 50;
  };
  const std::vector<NumberingRow> rows = {
      {"independent",
       none,
       2,
       typed("E", true, 5, 50),
       {'E', true, 5, 50, 2},
       {kOwn, 0, "De: E05 a E50", false, 5, 50, kPrinted, true}},
      {"following the earlier button's numbering",
       button1From5To50,
       2,
       typed("A", true, 0, 99),
       {'A', true, 5, 50, 1},
       {kFollowing, 1, "Igual Botão 1", false, 5, 50, kPrinted, true}},
      {"following an unprinted letter lifts the limit",
       [](ConfigModel& m) {
         m.printLetter[1] = false;
         m.lastNumber[1] = 500;
       },
       2,
       typed("A", true, 0, 99),
       {'A', false, 0, 500, 1},
       {kFollowing, 1, "Igual Botão 1", false, 0, 500, kUnprinted, false}},
      {"following the lowest of two",
       [](ConfigModel& m) { m.letter[2] = 'A'; },
       3,
       typed("A", true, 0, 99),
       {'A', true, 0, 99, 1},
       {kFollowing, 1, "Igual Botão 1", false, 0, 99, kPrinted, true}},
      {"button 1 never follows",
       none,
       1,
       typed("b", true, 0, 99),
       {'b', true, 0, 99, 1},
       {kOwn, 0, "De: b00 a b99", false, 0, 99, kPrinted, true}},
      {"letters differ by case",
       none,
       4,
       typed("c", true, 0, 99),
       {'c', true, 0, 99, 4},
       {kOwn, 0, "De: c00 a c99", false, 0, 99, kPrinted, true}},
      {"lowercase i is a letter",
       none,
       2,
       typed("i", true, 0, 40),
       {'i', true, 0, 40, 2},
       {kOwn, 0, "De: i00 a i40", false, 0, 40, kPrinted, true}},
      {"inactive keeps the numbers",
       none,
       2,
       {true, "Inativo", true, 3, 40},
       {'I', true, 0, 99, 7},
       {ButtonState::Inactive, 0, "Botão Inativo", false, 3, 40, kPrinted, true}},
      {"\"Não imprimir\" limits",
       none,
       1,
       typed("A", false, 0, 500),
       {'A', false, 0, 500, 1},
       {kOwn, 0, "De: 000 a 500", false, 0, 500, kUnprinted, false}},
      {"clamping to 99",
       none,
       1,
       typed("A", true, 150, 500),
       {'A', true, 99, 99, 1},
       {kOwn, 0, "De: A99 a A99", false, 99, 99, kPrinted, true}},
      {"start above end",
       none,
       1,
       typed("A", true, 50, 20),
       {'A', true, 20, 20, 1},
       {kOwn, 0, "De: A20 a A20", true, 20, 20, kPrinted, true}},
      {"start above end, both above 99",
       none,
       1,
       typed("A", true, 600, 500),
       {'A', true, 99, 99, 1},
       {kOwn, 0, "De: A99 a A99", true, 99, 99, kPrinted, true}},
      {"start above end while following",
       button1From5To50,
       2,
       typed("A", true, 60, 10),
       {'A', true, 5, 50, 1},
       {kFollowing, 1, "Igual Botão 1", true, 5, 50, kPrinted, true}},
      {"an empty letter keeps the stored one",
       none,
       3,
       typed("", true, 1, 2),
       {'C', true, 1, 2, 3},
       {kOwn, 0, "De: C01 a C02", false, 1, 2, kPrinted, true}},
      {"a letter beyond ASCII",
       none,
       2,
       {false, QStringLiteral("Ç"), true, 0, 9},
       {0xC7, true, 0, 9, 2},
       {kOwn, 0, "De: Ç00 a Ç09", false, 0, 9, kPrinted, true}},
  };
  for (const NumberingRow& row : rows) {
    SCOPED_TRACE(row.name);
    ConfigModel model = startUpModel();
    row.before(model);
    const ConfigModel unchanged = model;
    const NumberingResult result = applyNumbering(model, row.button, row.input);
    EXPECT_EQ(result.numbering, row.stored);
    EXPECT_EQ(result.view, row.shown);
    EXPECT_EQ(model, unchanged);
  }
}

// The values the page shows after the rule are a fixed point: the re-runs that writing them
// causes store the same numbering and warn no more.
TEST(ButtonNumbering, ShowingTheResultAndRunningAgainChangesNothing) {
  ConfigModel model = startUpModel();
  const NumberingResult first = applyNumbering(model, 1, typed("A", true, 600, 500));
  setNumbering(model, 1, first.numbering);
  const NumberingView& v = first.view;
  const NumberingResult again = applyNumbering(model, 1, typed("A", v.printLetter, v.start, v.end));
  EXPECT_EQ(again.numbering, first.numbering);
  EXPECT_FALSE(again.view.warnStartAboveEnd);
}

TEST(ButtonPage, TheLoadedPageShowsTheStoredLetterChoiceAndNumbers) {
  struct Row {
    const char* name;
    std::uint8_t letter;
    bool storedPrintLetter;
    int letterItem;
    const char* letterText;
    bool printLetter;
  };
  const Row rows[] = {
      {"an item's letter", 'd', true, 3, "", true},
      {"inactive selects \"Inativo\"", 'I', true, kInactiveItem, "", true},
      {"a typed letter is shown as stored", 'Z', false, -1, "Z", false},
      {"no letter at all", 0, true, -1, "", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ConfigModel m = startUpModel();
    m.letter[3] = row.letter;
    m.printLetter[3] = row.storedPrintLetter;
    m.firstNumber[3] = 7;
    m.lastNumber[3] = 900;
    const ButtonPageLoad page = buttonPage(m, 3);
    EXPECT_EQ(page.letterItem, row.letterItem);
    EXPECT_EQ(page.letterText, QString::fromLatin1(row.letterText));
    EXPECT_EQ(page.printLetter, row.printLetter);
    EXPECT_EQ(page.start, 7);
    EXPECT_EQ(page.end, 900);  // never clipped on the way in
    EXPECT_EQ(page.pageTitle, QStringLiteral("Funcionamento do botão 3:"));
    EXPECT_EQ(page.ticketTitle, QStringLiteral("Senha Emitida Pelo Botão 3"));
  }
}

TEST(ButtonPage, APressOnTheButtonPictureSelectsByTheExactSplit) {
  EXPECT_EQ(buttonAtPanelPoint(138, 48), 1);
  EXPECT_EQ(buttonAtPanelPoint(138, 49), 2);
  EXPECT_EQ(buttonAtPanelPoint(139, 48), 3);
  EXPECT_EQ(buttonAtPanelPoint(139, 49), 4);
  EXPECT_EQ(buttonAtPanelPoint(0, 96), 2);
  EXPECT_EQ(buttonAtPanelPoint(278, 0), 3);
}

}  // namespace
}  // namespace vx
