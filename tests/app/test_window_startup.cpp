// The window right after start-up: the model's defaults, the controls' first state and the
// timers of the first second.

#include "window_fixture.h"

#include <QApplication>

namespace vx::test {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ButtonsOneToFourHoldTheirDefaultsAndFiveAndSixHaveNoLetter) {
  const ConfigModel& m = ui.model();
  const char letters[] = {0, 'A', 'b', 'C', 'd', 0, 0};
  for (int b = 1; b <= 6; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(m.letter[b], static_cast<std::uint8_t>(letters[b]));
    EXPECT_TRUE(m.printLetter[b]);
    EXPECT_EQ(m.firstNumber[b], 0);
    EXPECT_EQ(m.lastNumber[b], 99);
    EXPECT_EQ(m.sameAsButton[b], b);
    EXPECT_EQ(m.lineText[1][b], QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !"));
    EXPECT_TRUE(m.lineEnabled[1][b]);
    for (int l = 2; l <= 8; ++l) {
      EXPECT_EQ(m.lineText[l][b], QStringLiteral("Linha %1").arg(l));
      EXPECT_FALSE(m.lineEnabled[l][b]);
    }
    for (int l = 1; l <= 8; ++l) EXPECT_FALSE(m.lineExpanded[l][b]);
  }
  EXPECT_EQ(m.currentButton, 1);
  EXPECT_FALSE(m.loading);
  EXPECT_FALSE(m.printerChanged);
  EXPECT_EQ(ui.logoBoxLeft(), 52);
}

TEST_F(StartUp, TheWindowShowsButtonOneWithLineEightDisabledLikeLinesTwoToSeven) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Configurações da impressora VORLANDEX"));
  EXPECT_EQ(window->size(), QSize(1078, 601));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(ui.buttonTabs()->tabText(0), QStringLiteral("    Botão 1    "));
  EXPECT_EQ(ui.buttonTabs()->tabText(3), QStringLiteral("    Botão 4    "));
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(ui.pageTitleLabel()->text(), QStringLiteral("Funcionamento do botão 1:"));
  EXPECT_EQ(ui.firstNumberBox()->maxValue(), 99);
  EXPECT_EQ(ui.lastNumberBox()->maxValue(), 99);
  EXPECT_TRUE(ui.pressedButton(1)->isVisible());
  EXPECT_FALSE(ui.pressedButton(2)->isVisible());
  for (int l = 2; l <= 8; ++l) {
    SCOPED_TRACE(l);
    EXPECT_FALSE(ui.lineText(l)->isEnabled());
    EXPECT_FALSE(ui.lineExpanded(l)->isEnabled());
    EXPECT_FALSE(ui.previewLine(l)->isVisible());
    EXPECT_TRUE(ui.lineEnabled(l)->isEnabled());
  }
  EXPECT_TRUE(ui.lineText(1)->isEnabled());
  EXPECT_TRUE(ui.previewLine(1)->isVisible());
  EXPECT_TRUE(ui.previewLine(1)->font().fixedPitch());
  EXPECT_EQ(ui.logoHeightBar()->value(), 90);
  EXPECT_EQ(ui.logoWidthBar()->value(), 300);
  EXPECT_EQ(ui.contrastBar()->value(), 127);
  EXPECT_EQ(ui.logoPicture()->geometry(), QRect(102, 347, 300, 90));
  EXPECT_EQ(ui.logoBackdrop()->geometry(), QRect(52, 347, 400, 90));
  EXPECT_TRUE(ui.printLogoBox()->isChecked());
  EXPECT_TRUE(ui.resetAtDayEndBox()->isChecked());
  EXPECT_TRUE(ui.beepBox()->isChecked());
  EXPECT_FALSE(ui.twoCopiesBox()->isChecked());
  EXPECT_TRUE(ui.partialCutButton()->isChecked());
  EXPECT_FALSE(ui.totalCutButton()->isChecked());
  EXPECT_EQ(ui.portList()->itemIndex(), 0);
  EXPECT_EQ(ui.letterList()->count(), 19);
  EXPECT_EQ(ui.letterList()->itemText(18), QStringLiteral("Inativo"));
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_EQ(progressDialog->windowTitle(), QStringLiteral("Comunicação"));
  EXPECT_EQ(ui.communicatingLabel()->text(), QStringLiteral("Comunicando com a  impressora"));
}

TEST_F(StartUp, NothingIsUnsavedAfterStartAndTheFirstRasterIsComputed) {
  EXPECT_FALSE(ui.model().unsavedChanges);
  pump(200);
  EXPECT_FALSE(ui.model().unsavedChanges);
  EXPECT_FALSE(ui.firstRasterTimer()->isActive());
  // The default picture's dark strokes reached the raster; rows from 90 on were not touched.
  int black = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 400; ++x) black += ui.logoRaster().isBlack(x, y);
  EXPECT_GT(black, 0);
  for (int x = 0; x < 400; ++x) ASSERT_FALSE(ui.logoRaster().isBlack(x, 150));
  // Later a closing window asks nothing.
  EXPECT_TRUE(ui.confirmClose());
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(StartUp, ClosingRightAfterStartAsksNothing) {
  // What start-up filled in is where the history begins, not a change.
  EXPECT_TRUE(window->close());
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(StartUp, EveryOptionBoxAndCutIsAnUnsavedChange) {
  click(ui.beepBox());  // "Emitir bip ao imprimir" alone: the close asks to save it
  EXPECT_FALSE(ui.beepBox()->isChecked());
  EXPECT_TRUE(ui.model().unsavedChanges);
  dialogs->answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(window->close());
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Salvar alterações"));
  click(ui.undoButton());
  ASSERT_FALSE(ui.model().unsavedChanges);
  click(ui.twoCopiesBox());
  EXPECT_TRUE(ui.twoCopiesBox()->isChecked());
  EXPECT_TRUE(ui.model().unsavedChanges);
  click(ui.undoButton());
  click(ui.totalCutButton());
  EXPECT_TRUE(ui.model().unsavedChanges);
  EXPECT_FALSE(ui.partialCutButton()->isChecked());
}

}  // namespace
}  // namespace vx::test
