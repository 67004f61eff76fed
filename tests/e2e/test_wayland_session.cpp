// The configurator in a Wayland session (run by wayland_session.sh under a headless compositor):
// the window shows on Qt's Wayland platform, a click sends the button settings through the
// progress dialog to the virtual printer, and the window closes through its close steps.

#include "far_end_check.h"
#include "printer/virtual_printer.h"
#include "protocol/frames.h"
#include "protocol/steady_pacer.h"
#include "pty_line.h"
#include "window_fixture.h"

#include <QGuiApplication>
#include <QTest>

namespace vx::test {
namespace {

class WaylandSession : public WindowTest {
 protected:
  std::unique_ptr<Pacer> makePacer() override { return std::make_unique<SteadyPacer>(); }
  PtyLine line;  // created before the window
};

TEST_F(WaylandSession, TheSettingsJobRunsAndTheWindowClosesCleanly) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  settleStartUp();

  QTest::mouseClick(ui.sendSettingsButton(), Qt::LeftButton);
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_TRUE(window->isEnabled());
  const printer::DecodeResult r = printer::decodeStream(line.received(), kLineSlackUs);
  expectContentAndFramingSound(r);
  ASSERT_EQ(r.transfers.size(), 17u);
  EXPECT_EQ(*r.state.buttons[1].letter, letterValue(ui.model(), 1));
  EXPECT_EQ(*r.state.buttons[4].last, ui.model().lastNumber[4]);

  // Nothing unsaved: the window closes at once, after the notice of the changed printer.
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Configurações alteradas"));
}

}  // namespace
}  // namespace vx::test
