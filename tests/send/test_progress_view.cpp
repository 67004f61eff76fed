// The sender's progress bars as a terminal receives them.

#include <gtest/gtest.h>

#include "send/progress_view.h"

namespace vx {
namespace {

TEST(TerminalProgress, RedrawsItsOwnLinesInPlaceAndNeverLetsOneWrap) {
  const RunPlan plan;
  const std::vector<const RunPlan*> plans(2, &plan);
  std::vector<PortStatus> statuses(2);
  statuses[1].state = PortStatus::State::Failed;
  statuses[1].failure = QString(100, QLatin1Char('x'));
  TerminalProgress view({QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0")}, 40);
  const QString clearLine = QStringLiteral("\r\x1b[2K");

  const QString first = view.redraw(statuses, plans);
  const QStringList lines = first.split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith(clearLine + QStringLiteral("COM1          opening")))
      << lines[0].toStdString();
  EXPECT_EQ(lines[1], clearLine + QStringLiteral("/dev/ttyUSB0  FAILED in opening: xxxxxx"));

  // Later drawings go back up over the earlier one first.
  EXPECT_EQ(view.redraw(statuses, plans), QStringLiteral("\x1b[2A") + first);
}

}  // namespace
}  // namespace vx
