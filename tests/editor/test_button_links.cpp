// The links between buttons brought up to date for all four buttons at once, as the
// settings job and the save do before they read the model.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/button_links.h"
#include "tests/protocol/fresh_model.h"

namespace vx {
namespace {

struct Numbering {
  int sameAs;
  bool prints;
  int firstNumber;
  int lastNumber;
  bool operator==(const Numbering&) const = default;
};

void PrintTo(const Numbering& n, std::ostream* os) {
  *os << "{same as " << n.sameAs << ", prints " << n.prints << ", " << n.firstNumber << ".." << n.lastNumber << "}";
}

Numbering numbering(const ConfigModel& m, int b) {
  return {m.sameAsButton[b], m.printLetter[b], m.firstNumber[b], m.lastNumber[b]};
}

TEST(ButtonLinks, EachButtonIsLinkedAsThePageWouldShowIt) {
  struct Row {
    const char* what;
    std::function<void(ConfigModel&)> edit;
    std::vector<Numbering> expected;  // buttons 1..4 (element 0 unused)
  };
  // Button 1 numbers 5..60 printed; button 3 "Não imprimir" 100..900.
  auto numbered = [](ConfigModel& m) {
    m.firstNumber[1] = 5;
    m.lastNumber[1] = 60;
    m.printLetter[3] = false;
    m.firstNumber[3] = 100;
    m.lastNumber[3] = 900;
  };
  const Row rows[] = {
      {"a follower whose leader changed its letter becomes independent, keeping the numbering it had",
       [&](ConfigModel& m) {
         numbered(m);
         m.letter[1] = 'G';
         m.letter[2] = 'i';
         m.sameAsButton[2] = 1;
         m.firstNumber[2] = 7;
         m.lastNumber[2] = 70;
       },
       {{}, {1, true, 5, 60}, {2, true, 7, 70}, {3, false, 100, 900}, {4, true, 0, 99}}},
      {"a button given an earlier letter follows the lowest such button and takes its numbering",
       [&](ConfigModel& m) {
         numbered(m);
         m.letter[2] = 'A';
         m.letter[4] = 'A';
       },
       {{}, {1, true, 5, 60}, {1, true, 5, 60}, {3, false, 100, 900}, {1, true, 5, 60}}},
      {"an inactive button stays inactive with its numbering, and two inactive buttons share nothing",
       [&](ConfigModel& m) {
         numbered(m);
         m.letter[1] = kInactiveLetter;
         m.sameAsButton[1] = 1;
         m.letter[3] = kInactiveLetter;
         m.letter[4] = 'b';
       },
       {{}, {7, true, 5, 60}, {2, true, 0, 99}, {7, false, 100, 900}, {2, true, 0, 99}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ConfigModel m = test::freshModel();
    row.edit(m);
    m.letter[5] = 'A';  // slots 5 and 6 are never linked
    m.sameAsButton[5] = 5;
    m.sameAsButton[6] = 2;
    const ConfigModel before = m;
    updateButtonLinks(m);
    for (int b = 1; b <= kPrinterButtons; ++b) EXPECT_EQ(numbering(m, b), row.expected[b]) << "button " << b;
    EXPECT_EQ(numbering(m, 5), numbering(before, 5));
    EXPECT_EQ(numbering(m, 6), numbering(before, 6));
    EXPECT_EQ(m.letter, before.letter);
  }
}

}  // namespace
}  // namespace vx
