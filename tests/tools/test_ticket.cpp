#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "printer/ticket.h"

namespace vx::printer {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes headerBlock(const std::vector<std::pair<std::string, bool>>& lines) {
  Bytes out;
  for (const auto& [text, expanded] : lines) {
    if (expanded) out.insert(out.end(), {0x1B, 0x41, 0x1B, 0x45});
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), {0x0D, 0x1B, 0x47});
  }
  out.insert(out.end(), {0x1B, 0x4C, 0x0E, 0x32});
  out.insert(out.end(), 50, 0x00);
  return out;
}

PrinterState numbered() {
  PrinterState s;
  const std::uint8_t letters[] = {0, 'A', 'b', 'C', 'd'};
  for (int b = 1; b <= 4; ++b) {
    s.buttons[b].letter = letters[b];
    s.buttons[b].link = static_cast<std::uint8_t>(b - 1);
    s.buttons[b].first = b * 10;
  }
  return s;
}

TEST(Ticket, LabelFollowsTheLetterRules) {
  PrinterState s = numbered();
  EXPECT_EQ(ticketLabel(s, 1), QStringLiteral("A10"));
  s.buttons[2].letter = 0x00;  // not printed
  EXPECT_EQ(ticketLabel(s, 2), QStringLiteral("020"));
  s.buttons[3].letter = 0xFF;  // follows button 1
  s.buttons[3].link = 0;
  EXPECT_EQ(ticketLabel(s, 3), QStringLiteral("A30"));
  s.buttons[4].letter = 0xFF;  // inactive
  s.buttons[4].link = 6;
  EXPECT_EQ(ticketLabel(s, 4), QString());
  s.buttons[4].link = 3;  // a link to itself leads nowhere: no letter
  EXPECT_EQ(ticketLabel(s, 4), QStringLiteral("040"));
}

// Rightmost column with ink in rows [top, bottom), or -1.
int rightmostInk(const QImage& image, int top, int bottom) {
  int right = -1;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) right = std::max(right, x);
  return right;
}

TEST(Ticket, DrawsLogoRowsAndExpandedLinesTwiceAsWide) {
  PrinterState s = numbered();
  Bytes logo;
  for (int r = 0; r < 4; ++r) {
    logo.insert(logo.end(), {0x1B, 0x4A, 0x32});
    Bytes row(50, 0);
    if (r == 0) row[0] = 0x01;
    if (r == 3) row[49] = 0x80;
    logo.insert(logo.end(), row.begin(), row.end());
  }
  logo.insert(logo.end(), {0x1B, 0x4C, 0x0A, 0x32});
  logo.insert(logo.end(), 50, 0x00);
  s.logo = logo;
  s.buttons[1].header = headerBlock({{"ABCDEFGHIJKLMNO", false}, {"ABCDEFGHIJKLMNO", true}});

  const QImage one = renderTicket(s, 1, QDateTime(QDate(2026, 12, 7), QTime(3, 55, 13)));
  EXPECT_EQ(one.width(), 400);
  EXPECT_EQ(one.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(one.pixel(1, 0), kPaperColour);
  EXPECT_EQ(one.pixel(399, 3), qRgb(0, 0, 0));
  EXPECT_EQ(one.pixel(399, 10), kPaperColour);

  // Lines start 10 dots under the logo, 24 dots each.
  const int normal = rightmostInk(one, 4 + 10, 4 + 10 + 24);
  const int expanded = rightmostInk(one, 4 + 10 + 24, 4 + 10 + 48);
  EXPECT_GT(normal, 100);
  EXPECT_LT(normal, 200);
  EXPECT_GT(expanded, 2 * normal - 20);

  // Every line makes the strip longer; an empty state still gives a ticket.
  const QImage two = renderTicket(s, 2, std::nullopt);
  EXPECT_EQ(one.height() - two.height(), 2 * 24);
  EXPECT_EQ(renderTicket(PrinterState{}, 3, std::nullopt).width(), 400);
}

TEST(Ticket, WritesOnePictureForEachButton) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(writeTickets(numbered(), dir.filePath(QStringLiteral("out")), std::nullopt));
  for (int b = 1; b <= 4; ++b) {
    const QImage image(dir.filePath(QStringLiteral("out/button%1.png").arg(b)));
    EXPECT_EQ(image.width(), 400) << b;
  }
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out/.button1.png.part"))));
}

}  // namespace
}  // namespace vx::printer
