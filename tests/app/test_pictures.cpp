// The window's fixed pictures: sizes, what each quadrant of the button panel shows, how
// the pressed pictures lie over it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/widgets/pictures.h"

namespace vx {
namespace {

int channelDiff(QRgb a, QRgb b) {
  return std::max(
      {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

bool isPanelBackground(QRgb c) {
  const int spread = std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)});
  return qGray(c) >= 195 && spread <= 14;  // light, neutral grey: no cap, no recess, no glow
}

bool isDigitInk(QRgb c) { return qGray(c) >= 160; }  // white or lit digit on a dark cap

bool isLitAmber(QRgb c) { return qRed(c) >= 200 && qGreen(c) >= 130 && qBlue(c) <= 130; }

// The digit drawn on the cap in the middle of `area` (a quadrant of the button picture or a pressed
// picture), read from the shape of its strokes: 1 is narrow; 2 stands on a full-width
// base; 4 stands on a single stem right of its middle; 3 on a curve under its middle.
// 0 when the shape is none of these.
struct DigitShape {
  QRect box;              // extent of the digit's ink
  double baseSpan = 0;    // width of the ink in the lowest row, relative to box width
  double baseCentre = 0;  // middle of that ink, 0 = box left, 1 = box right
  int digit = 0;
};

DigitShape readDigit(const QImage& img, const QRect& area) {
  const QPoint c = area.center();
  const QRect window(c.x() - 24, c.y() - 14, 49, 29);
  DigitShape shape;
  for (int y = window.top(); y <= window.bottom(); ++y) {
    for (int x = window.left(); x <= window.right(); ++x) {
      if (isDigitInk(img.pixel(x, y))) shape.box |= QRect(x, y, 1, 1);
    }
  }
  if (shape.box.isEmpty()) return shape;
  int left = shape.box.right();
  int right = shape.box.left();
  for (int x = shape.box.left(); x <= shape.box.right(); ++x) {
    if (isDigitInk(img.pixel(x, shape.box.bottom()))) {
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  const double w = shape.box.width();
  shape.baseSpan = (right - left + 1) / w;
  shape.baseCentre = ((left + right) / 2.0 - shape.box.left() + 0.5) / w;
  if (shape.box.width() * 2 < shape.box.height()) {
    shape.digit = 1;
  } else if (shape.baseSpan >= 0.8) {
    shape.digit = 2;
  } else if (shape.baseSpan <= 0.4 && shape.baseCentre >= 0.56) {
    shape.digit = 4;
  } else if (shape.baseCentre > 0.3 && shape.baseCentre < 0.56) {
    shape.digit = 3;
  }
  return shape;
}

// Mean grey level of the pixels in `area` that pass `keep`.
template <typename Pred>
double meanGrey(const QImage& img, const QRect& area, Pred keep) {
  double sum = 0;
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = img.pixel(x, y);
      if (keep(p)) {
        sum += qGray(p);
        ++n;
      }
    }
  }
  return n ? sum / n : -1;
}

// ---- The stored pictures ----

TEST(PicturesTest, EveryStoredPictureDecodesAtItsSize) {
  struct Row {
    const char* path;
    QSize size;
  };
  const Row rows[] = {
      {":/pictures/button_panel.png", {279, 97}},    {":/pictures/pressed_button1.png", {139, 49}},
      {":/pictures/pressed_button2.png", {139, 48}}, {":/pictures/pressed_button3.png", {140, 49}},
      {":/pictures/pressed_button4.png", {140, 48}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    const QImage img = loadPictureResource(QString::fromLatin1(row.path));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), row.size);
    EXPECT_EQ(img.format(), QImage::Format_RGB888);
  }
  EXPECT_TRUE(loadPictureResource(QStringLiteral(":/pictures/missing.png")).isNull());
  EXPECT_EQ(buttonPanelPicture().size(), QSize(279, 97));
  for (int button = 1; button <= 4; ++button) {
    EXPECT_EQ(pressedButtonPicture(button).size(), pressedButtonRect(button).size()) << button;
  }
  EXPECT_TRUE(pressedButtonPicture(0).isNull());
  EXPECT_TRUE(pressedButtonPicture(5).isNull());

  QImage icon(QString::fromLatin1(kWindowIconResource));
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_TRUE(icon.hasAlphaChannel());
}

TEST(PicturesTest, PressedPictureRectsAreTheFourQuadrantsOfThePanel) {
  const QRect expected[] = {{}, {0, 0, 139, 49}, {0, 49, 139, 48}, {139, 0, 140, 49}, {139, 49, 140, 48}};
  QRect covered;
  for (int button = 1; button <= 4; ++button) {
    EXPECT_EQ(pressedButtonRect(button), expected[button]) << button;
    for (int other = button + 1; other <= 4; ++other) {
      EXPECT_FALSE(pressedButtonRect(button).intersects(pressedButtonRect(other))) << button << other;
    }
    covered |= pressedButtonRect(button);
  }
  EXPECT_EQ(covered, QRect(QPoint(0, 0), kButtonPanelSize));
  // A press at x 138 / y 48 belongs to the left column / top row, 139 / 49 to the other.
  EXPECT_TRUE(pressedButtonRect(1).contains(138, 48));
  EXPECT_TRUE(pressedButtonRect(4).contains(139, 49));
  EXPECT_TRUE(pressedButtonRect(0).isEmpty());
  EXPECT_TRUE(pressedButtonRect(5).isEmpty());
}

TEST(PicturesTest, ColumnAndRowSplitsRunThroughPanelBackground) {
  const QImage panel = buttonPanelPicture();
  ASSERT_EQ(panel.size(), kButtonPanelSize);
  // Away from the outer frame, the two columns on either side of the split and the two
  // rows on either side of the other split are plain panel: no button reaches them.
  for (int y = 3; y < panel.height() - 3; ++y) {
    for (int x : {138, 139}) {
      EXPECT_TRUE(isPanelBackground(panel.pixel(x, y))) << "x " << x << " y " << y;
    }
  }
  for (int x = 3; x < panel.width() - 3; ++x) {
    for (int y : {48, 49}) {
      EXPECT_TRUE(isPanelBackground(panel.pixel(x, y))) << "x " << x << " y " << y;
    }
  }
}

TEST(PicturesTest, EachQuadrantHoldsItsOwnDarkerButtonWithItsNumber) {
  const QImage panel = buttonPanelPicture();
  ASSERT_EQ(panel.size(), kButtonPanelSize);
  const double background = meanGrey(panel, QRect(136, 3, 6, 91), [](QRgb) { return true; });
  for (int button = 1; button <= 4; ++button) {
    SCOPED_TRACE(button);
    const QRect quadrant = pressedButtonRect(button);
    const QPoint c = quadrant.center();
    const QRect middle(c.x() - 30, c.y() - 8, 61, 17);
    EXPECT_LT(meanGrey(panel, middle, [](QRgb) { return true; }), background - 50);
    EXPECT_LT(qGray(panel.pixel(c.x() - 20, c.y())), background - 60);  // cap beside the digit
    const DigitShape shape = readDigit(panel, quadrant);
    EXPECT_EQ(shape.digit, button) << "base span " << shape.baseSpan << " base centre " << shape.baseCentre
                                   << " box " << shape.box.width() << "x" << shape.box.height();
    EXPECT_GE(shape.box.height(), 15);
  }
}

TEST(PicturesTest, PressedPicturesShowTheSameButtonDarkerAndLit) {
  const QImage panel = buttonPanelPicture();
  ASSERT_FALSE(panel.isNull());
  for (int button = 1; button <= 4; ++button) {
    SCOPED_TRACE(button);
    const QImage pressed = pressedButtonPicture(button);
    const QRect place = pressedButtonRect(button);
    ASSERT_EQ(pressed.size(), place.size());
    const QImage under = panel.copy(place);
    const QRect local(QPoint(0, 0), place.size());

    const DigitShape shape = readDigit(pressed, local);
    EXPECT_EQ(shape.digit, button) << "base span " << shape.baseSpan << " base centre " << shape.baseCentre
                                   << " box " << shape.box.width() << "x" << shape.box.height();
    const QPoint c = local.center();
    const QRect middle(c.x() - 30, c.y() - 8, 61, 17);
    const auto capOnly = [](QRgb p) { return !isDigitInk(p) && !isLitAmber(p); };
    EXPECT_LT(meanGrey(pressed, middle, capOnly), meanGrey(under, middle, capOnly) - 25);

    int litPressed = 0;
    int litUnder = 0;
    for (int y = 0; y < local.height(); ++y) {
      for (int x = 0; x < local.width(); ++x) {
        litPressed += isLitAmber(pressed.pixel(x, y));
        litUnder += isLitAmber(under.pixel(x, y));
      }
    }
    EXPECT_GT(litPressed, 150);
    EXPECT_EQ(litUnder, 0);

    // Laid over the button picture at its place, the picture's edges continue the panel seamlessly.
    int worst = 0;
    double total = 0;
    int n = 0;
    for (int y = 0; y < local.height(); ++y) {
      for (int x = 0; x < local.width(); ++x) {
        if (x > 1 && y > 1 && x < local.width() - 2 && y < local.height() - 2) continue;
        const int d = channelDiff(pressed.pixel(x, y), under.pixel(x, y));
        worst = std::max(worst, d);
        total += d;
        ++n;
      }
    }
    EXPECT_LE(worst, 16);
    EXPECT_LE(total / n, 3.0);
  }
}

TEST(PicturesTest, TicketPaperIsPaperColourThroughout) {
  const QImage paper = ticketPaperPicture();
  ASSERT_EQ(paper.size(), QSize(400, 400));
  EXPECT_EQ(kPaperColour, qRgb(255, 255, 160));
  int wrong = 0;
  for (int y = 0; y < paper.height(); ++y) {
    for (int x = 0; x < paper.width(); ++x) wrong += paper.pixel(x, y) != qRgb(255, 255, 160);
  }
  EXPECT_EQ(wrong, 0);
}

TEST(PicturesTest, SampleTicketNumberIsCrispA00) {
  const QImage number = sampleTicketNumberPicture();
  ASSERT_EQ(number.size(), QSize(28, 11));
  const QRgb paper = qRgb(255, 255, 160);
  const QRgb ink = qRgb(0, 0, 0);
  // Only two colours, so stretching without smoothing keeps it sharp.
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 28; ++x) {
      const QRgb p = number.pixel(x, y);
      ASSERT_TRUE(p == paper || p == ink) << x << "," << y;
      const bool margin = x == 0 || x == 27 || y == 0 || y == 10 || x == 9 || x == 18;
      if (margin) {
        EXPECT_EQ(p, paper) << "margin or gap at " << x << "," << y;
      }
    }
  }
  // Glyph cells at x 1, 10, 19, each 8 x 9 from y 1.
  const auto cell = [&](int i) { return number.copy(1 + 9 * i, 1, 8, 9); };
  const auto inkCount = [&](const QImage& g) {
    int n = 0;
    for (int y = 0; y < g.height(); ++y) {
      for (int x = 0; x < g.width(); ++x) n += g.pixel(x, y) == ink;
    }
    return n;
  };
  for (int i = 0; i < 3; ++i) EXPECT_GE(inkCount(cell(i)), 18) << "cell " << i;
  EXPECT_EQ(cell(1), cell(2));  // "00"
  EXPECT_NE(cell(0), cell(1));
  // The A's crossbar spans its cell; the 0 is open in the middle.
  const auto rowInk = [&](const QImage& g, int row) {
    int n = 0;
    for (int x = 0; x < 8; ++x) n += g.pixel(x, row) == ink;
    return n;
  };
  EXPECT_EQ(rowInk(cell(0), 5), 8);
  EXPECT_EQ(rowInk(cell(1), 5), 4);
}

}  // namespace
}  // namespace vx
