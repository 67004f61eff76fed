// The window's history of edits: undoing every step gives back the pair exactly as it was,
// redoing gives back the end; typing is one step until a pause or leaving the field; the
// clean mark follows save and open; the steps' pictures stay within the budget.

#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <vector>

#include "editor/edit_history.h"
#include "tests/protocol/fresh_model.h"

namespace vx {
namespace {

struct HistoryTest : ::testing::Test {
  std::int64_t now = 0;
  EditHistory history{[this] { return now; }};
  PairState state = start();

  static PairState start() {
    PairState s;
    s.model = test::freshModel();
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    s.picture.image = picture;
    return s;
  }
  // Changes the pair as `edit` says and records the change at `place`.
  template <class Edit>
  void edit(const EditPlace& place, Edit change) {
    const PairState before = state;
    change(state);
    history.record(place, before, state);
  }
  void type(int line, int button, const QString& text) {
    edit({EditedControl::LineText, button, line},
         [&](PairState& s) { s.model.lineText[line][button] += text; });
  }
};

TEST_F(HistoryTest, RandomEditsUndoneAllGiveTheStartAndRedoneAllTheEnd) {
  std::mt19937 random(20260607);
  for (int round = 0; round < 20; ++round) {
    history.clear();
    state = start();
    const PairState first = state;
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int i = 0; i < 120; ++i) {
      now += pick(0, 1500);
      const int b = pick(1, 4);
      const int l = pick(1, 8);
      switch (pick(0, 7)) {
        case 0:
          type(l, b, QString(QChar(u'a' + pick(0, 25))));
          break;
        case 1:
          edit({EditedControl::LineEnabled, b, l}, [&](PairState& s) { s.model.lineEnabled[l][b] = !s.model.lineEnabled[l][b]; });
          break;
        case 2:
          // A link: button b takes button 1's letter and numbers.
          edit({EditedControl::Letter, b, 0}, [&](PairState& s) {
            s.model.letter[b] = s.model.letter[1];
            s.model.sameAsButton[b] = 1;
            s.model.firstNumber[b] = s.model.firstNumber[1];
            s.model.lastNumber[b] = s.model.lastNumber[1];
          });
          break;
        case 3:
          edit({EditedControl::Contrast}, [&](PairState& s) { s.globals.threshold = pick(1, 255); });
          break;
        case 4:
          edit({EditedControl::LogoPicture}, [&](PairState& s) {
            QImage p(pick(1, 50), pick(1, 50), QImage::Format_RGB32);
            p.fill(QColor::fromRgb(static_cast<QRgb>(random())));
            s.picture.image = p;
          });
          break;
        case 5:
          edit({EditedControl::UpdateLogo},
               [&](PairState& s) { s.raster.setDot(pick(0, 399), pick(0, 199), pick(0, 1)); });
          break;
        case 6:
          history.seal();
          break;
        case 7:
          edit({EditedControl::TwoCopies}, [&](PairState& s) { s.twoCopies = !s.twoCopies; });
          break;
      }
      // Now and then the operator undoes a few steps and goes on from there.
      if (pick(0, 15) == 0) {
        for (int u = pick(1, 3); u > 0; --u)
          if (const EditStep* step = history.undo()) state = step->before;
      }
    }
    // The end: the newest step, also when the last thing the operator did was undo.
    while (history.canRedo()) state = history.redo()->after;
    const PairState last = state;
    ASSERT_LE(history.count(), EditHistory::kStepLimit);
    // Each step begins where the one before it ends.
    while (const EditStep* step = history.undo()) {
      ASSERT_EQ(step->after, state) << "round " << round;
      state = step->before;
    }
    EXPECT_TRUE(state == first) << "round " << round;
    while (history.canRedo()) state = history.redo()->after;
    EXPECT_TRUE(state == last) << "round " << round;
  }
}

TEST_F(HistoryTest, AStepThatTouchedTwoButtonsUndoesBoth) {
  edit({EditedControl::Letter, 2, 0}, [](PairState& s) {
    s.model.letter[2] = 'A';
    s.model.sameAsButton[2] = 1;
    s.model.lineText[1][1] = QStringLiteral("x");
  });
  const EditStep* step = history.undo();
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->before.model.letter[2], 'b');
  EXPECT_EQ(step->before.model.sameAsButton[2], 2);
  EXPECT_EQ(step->before.model.lineText[1][1], start().model.lineText[1][1]);
}

TEST_F(HistoryTest, TypingInOneFieldIsOneStepUntilAPauseOrLeavingIt) {
  type(2, 1, "a");
  now += 300;
  type(2, 1, "b");  // one step
  EXPECT_EQ(history.count(), 1);
  now += EditHistory::kPauseMs + 1;
  type(2, 1, "c");  // after a pause
  EXPECT_EQ(history.count(), 2);
  history.seal();  // left the field and came back
  type(2, 1, "d");
  type(2, 2, "e");  // the same line of another button
  type(3, 2, "f");  // another line
  EXPECT_EQ(history.count(), 5);
  edit({EditedControl::LineEnabled, 2, 3}, [](PairState& s) { s.model.lineEnabled[3][2] = true; });
  edit({EditedControl::LineEnabled, 2, 3}, [](PairState& s) { s.model.lineEnabled[3][2] = false; });
  EXPECT_EQ(history.count(), 7) << "every tick is a step of its own";
  EXPECT_EQ(history.undo()->place, (EditPlace{EditedControl::LineEnabled, 2, 3}));
}

TEST_F(HistoryTest, TypedAndDeletedAgainLeavesNoStep) {
  const PairState begin = state;
  type(1, 1, "x");
  edit({EditedControl::LineText, 1, 1}, [](PairState& s) { s.model.lineText[1][1].chop(1); });
  EXPECT_EQ(state, begin);
  EXPECT_EQ(history.count(), 0);
  EXPECT_TRUE(history.isClean());
  EXPECT_FALSE(history.record({EditedControl::Beep}, state, state)) << "nothing changed";
}

TEST_F(HistoryTest, TheCleanMarkFollowsSavingAndUndoing) {
  type(1, 1, "a");
  history.setClean();  // saved
  type(1, 1, "b");     // not merged into the saved step, however soon
  EXPECT_EQ(history.count(), 2);
  EXPECT_FALSE(history.isClean());
  history.undo();
  EXPECT_TRUE(history.isClean());
  history.undo();
  EXPECT_FALSE(history.isClean());
  // A new edit from before the saved state drops the steps to redo: the saved state is gone.
  type(4, 1, "z");
  EXPECT_FALSE(history.canRedo());
  EXPECT_FALSE(history.isClean());
  history.undo();
  EXPECT_FALSE(history.isClean());
  history.clear();  // opened
  EXPECT_TRUE(history.isClean());
}

TEST_F(HistoryTest, StepsAndTheirPicturesStayWithinTheBounds) {
  // Text alone: the step limit, the newest steps kept.
  for (int i = 0; i < 500; ++i) {
    history.seal();
    type(1, 1, "a");
  }
  EXPECT_EQ(history.count(), EditHistory::kStepLimit);
  EXPECT_EQ(history.nextUndo()->after, state);

  // One picture shared by every step is counted once.
  history.clear();
  QImage large(800, 400, QImage::Format_ARGB32);
  large.fill(Qt::black);
  edit({EditedControl::LogoPicture}, [&](PairState& s) { s.picture.image = large; });
  for (int i = 0; i < 50; ++i) {
    history.seal();
    type(1, 1, "a");
  }
  EXPECT_EQ(history.pictureBytes(),
            large.sizeInBytes() + state.raster.image().sizeInBytes() + start().picture.image.sizeInBytes());

  // Steps each opening another working-size picture: the oldest go, the bound holds.
  history.clear();
  for (int i = 0; i < 120; ++i) {
    edit({EditedControl::LogoPicture}, [&](PairState& s) {
      QImage p(800, 400, QImage::Format_ARGB32);
      p.fill(QColor::fromRgb(static_cast<QRgb>(i)));
      s.picture.image = p;
    });
    ASSERT_LE(history.pictureBytes(), EditHistory::kPictureBudget);
  }
  EXPECT_GE(history.count(), 20);
  EXPECT_EQ(history.nextUndo()->after, state);
  while (history.undo()) {
  }
  EXPECT_FALSE(history.isClean()) << "the opened pair's state was dropped";
  // As many steps as the budget holds: each step's picture, the first one's before, the raster.
  const std::int64_t picture = 800 * 400 * 4;
  EXPECT_EQ(history.count(),
            (EditHistory::kPictureBudget - state.raster.image().sizeInBytes()) / picture - 1);
}

}  // namespace
}  // namespace vx
