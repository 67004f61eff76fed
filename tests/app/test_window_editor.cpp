// The button page editor and the ticket preview, driven as an operator would.

#include "window_fixture.h"

#include <QTest>

namespace vx::test {
namespace {

using Editor = WindowTest;

TEST_F(Editor, AStartAboveTheEndIsLoweredToTheEndWithOneWarning) {
  retype(ui.lastNumberBox(), QStringLiteral("20"));
  ASSERT_EQ(ui.lastNumberBox()->value(), 20);
  retype(ui.firstNumberBox(), QStringLiteral("50"));
  EXPECT_EQ(ui.firstNumberBox()->value(), 20);
  EXPECT_EQ(ui.lastNumberBox()->value(), 20);
  EXPECT_EQ(ui.model().firstNumber[1], 20);
  EXPECT_EQ(ui.model().lastNumber[1], 20);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: A20 a A20"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Valor inválido"));
  EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("   O número de início deve ser menor que o de término."));
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Warning);
}

TEST_F(Editor, NotPrintingTheLetterAllowsThreeDigitsAndPrintingItClampsBackTo99) {
  choose(ui.printLetterList(), 1);
  EXPECT_EQ(ui.firstNumberBox()->maxValue(), 999);
  EXPECT_EQ(ui.lastNumberBox()->maxValue(), 999);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: 000 a 099"));
  EXPECT_FALSE(ui.model().printLetter[1]);
  retype(ui.lastNumberBox(), QStringLiteral("500"));
  ui.lineText(1)->setFocus();  // leaving the field keeps 500: it is within 0..999
  EXPECT_EQ(ui.lastNumberBox()->value(), 500);
  EXPECT_EQ(ui.model().lastNumber[1], 500);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: 000 a 500"));
  choose(ui.printLetterList(), 0);
  EXPECT_EQ(ui.lastNumberBox()->value(), 99);
  EXPECT_EQ(ui.lastNumberBox()->maxValue(), 99);
  EXPECT_EQ(ui.model().lastNumber[1], 99);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(Editor, AButtonWithAnEarlierButtonsLetterFollowsItAndIsLocked) {
  retype(ui.firstNumberBox(), QStringLiteral("5"));
  retype(ui.lastNumberBox(), QStringLiteral("50"));
  clickTab(1);
  ASSERT_EQ(ui.model().currentButton, 2);
  choose(ui.letterList(), 0);  // "A", button 1's letter
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("Igual Botão 1"));
  EXPECT_EQ(ui.model().sameAsButton[2], 1);
  EXPECT_EQ(ui.model().firstNumber[2], 5);
  EXPECT_EQ(ui.model().lastNumber[2], 50);
  EXPECT_EQ(ui.firstNumberBox()->value(), 5);
  EXPECT_EQ(ui.lastNumberBox()->value(), 50);
  EXPECT_FALSE(ui.firstNumberBox()->isEnabled());
  EXPECT_FALSE(ui.lastNumberBox()->isEnabled());
  EXPECT_FALSE(ui.printLetterList()->isEnabled());
  for (int l = 1; l <= 8; ++l) {
    EXPECT_FALSE(ui.lineText(l)->isEnabled());
    EXPECT_FALSE(ui.lineEnabled(l)->isEnabled());
  }
  EXPECT_TRUE(ui.letterList()->isEnabled());
  EXPECT_TRUE(ui.lineExpanded(1)->isEnabled());  // "Expandido" is not touched
  EXPECT_EQ(boxCount(), 0);

  choose(ui.letterList(), 4);  // "E": its own letter again
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: E05 a E50"));
  EXPECT_EQ(ui.model().sameAsButton[2], 2);
  EXPECT_TRUE(ui.firstNumberBox()->isEnabled());
  EXPECT_TRUE(ui.lineText(1)->isEnabled());
  EXPECT_FALSE(ui.lineText(2)->isEnabled());  // its line is off
  EXPECT_TRUE(ui.lineEnabled(2)->isEnabled());
}

TEST_F(Editor, AButtonFollowsTheLowestEarlierButtonAndButtonOneNeverFollows) {
  clickTab(1);
  choose(ui.letterList(), 0);
  clickTab(2);
  choose(ui.letterList(), 0);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("Igual Botão 1"));
  EXPECT_EQ(ui.model().sameAsButton[3], 1);
  clickTab(0);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(ui.model().sameAsButton[1], 1);
}

TEST_F(Editor, InactiveIsStoredAndShownAgainWhileLowercaseIIsALetter) {
  clickTab(1);
  retype(ui.lastNumberBox(), QStringLiteral("40"));
  choose(ui.letterList(), 18);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("Botão Inativo"));
  EXPECT_EQ(ui.model().letter[2], 'I');
  EXPECT_EQ(ui.model().sameAsButton[2], 7);
  EXPECT_EQ(ui.model().lastNumber[2], 40);
  EXPECT_TRUE(ui.lastNumberBox()->isEnabled());
  clickTab(0);
  clickTab(1);
  EXPECT_EQ(ui.letterList()->currentText(), QStringLiteral("Inativo"));
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("Botão Inativo"));
  choose(ui.letterList(), 8);  // "i"
  EXPECT_EQ(ui.model().letter[2], 'i');
  EXPECT_EQ(ui.model().sameAsButton[2], 2);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: i00 a i40"));
}

TEST_F(Editor, ATypedLetterIsKeptAndAnEmptyLetterKeepsTheStoredOne) {
  clickTab(1);
  retype(ui.letterList()->lineEdit(), QStringLiteral("Z"));
  EXPECT_EQ(ui.model().letter[2], 'Z');
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: Z00 a Z99"));
  clickTab(0);
  clickTab(1);
  EXPECT_EQ(ui.letterList()->currentText(), QStringLiteral("Z"));
  EXPECT_EQ(ui.model().letter[2], 'Z');
  retype(ui.letterList()->lineEdit(), QString());
  EXPECT_EQ(ui.model().letter[2], 'Z');
  EXPECT_EQ(ui.model().letter[1], 'A');
}

// Which quadrant selects which button is the editor's table; here, that a press switches.
TEST_F(Editor, PressesOnTheButtonPictureSwitchButtonsAndHighlights) {
  struct Press {
    int x, y, button;
  };
  for (const Press p : {Press{139, 49, 4}, Press{138, 48, 1}}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    ui.chooseButtonAt(p.x, p.y);
    EXPECT_EQ(ui.model().currentButton, p.button);
    EXPECT_EQ(ui.buttonTabs()->currentIndex(), p.button - 1);
    EXPECT_FALSE(ui.model().unsavedChanges);  // switching changes nothing in the pair
    std::array<Image*, 5> highlight = {nullptr, ui.pressedButton(1), ui.pressedButton(2), ui.pressedButton(3),
                                       ui.pressedButton(4)};
    for (int b = 1; b <= 4; ++b) EXPECT_EQ(highlight[b]->isVisible(), b == p.button);
  }
  // A real click lands on the highlight of the current button or on the panel.
  QTest::mouseClick(ui.buttonPicture(), Qt::LeftButton, {}, QPoint(200, 80));
  EXPECT_EQ(ui.model().currentButton, 4);
  EXPECT_EQ(ui.pageTitleLabel()->text(), QStringLiteral("Funcionamento do botão 4:"));
  EXPECT_EQ(ui.textTitleLabel()->text(), QStringLiteral("Senha Emitida Pelo Botão 4"));
}

TEST_F(Editor, ThePreviewFollowsTheLogoHeightAndTheEnabledLines) {
  auto top = [](QWidget* w) { return w->y(); };
  EXPECT_EQ(top(ui.ticketPaper()), 229);
  EXPECT_EQ(top(ui.previewLine(1)), 234);
  EXPECT_EQ(top(ui.ticketWordLabel()), 259);
  EXPECT_EQ(top(ui.sampleNumber()), 284);
  EXPECT_EQ(top(ui.clockLabel()), 344);
  EXPECT_EQ(ui.ticketPaper()->height(), 145);

  click(ui.lineEnabled(1));  // line 1 off
  EXPECT_FALSE(ui.lineText(1)->isEnabled());
  EXPECT_FALSE(ui.lineExpanded(1)->isEnabled());
  EXPECT_FALSE(ui.previewLine(1)->isVisible());
  EXPECT_EQ(top(ui.ticketWordLabel()), 241);
  EXPECT_EQ(top(ui.sampleNumber()), 266);
  EXPECT_EQ(top(ui.clockLabel()), 326);
  EXPECT_EQ(ui.ticketPaper()->height(), 127);
  click(ui.lineEnabled(1));

  click(ui.lineEnabled(5));  // line 5 on
  EXPECT_TRUE(ui.lineText(5)->isEnabled());
  EXPECT_TRUE(ui.lineExpanded(5)->isEnabled());
  EXPECT_TRUE(ui.previewLine(5)->isVisible());
  EXPECT_EQ(top(ui.previewLine(5)), 252 + 112);
  EXPECT_EQ(ui.ticketPaper()->height(), 163);
  EXPECT_TRUE(ui.model().lineEnabled[5][1]);

  ui.logoHeightBar()->setValue(130);  // the rounding of each height is the layout table's
  EXPECT_EQ(top(ui.ticketPaper()), 258);
}

TEST_F(Editor, ExpandingCutsLongLinesOnlyAndNeverBringsTextBack) {
  const QString text35 = QStringLiteral("12345678901234567890123456789012345");
  retype(ui.lineText(1), text35);
  ASSERT_EQ(ui.model().lineText[1][1], text35);
  ui.forgetChanges();
  click(ui.lineExpanded(1));
  EXPECT_EQ(ui.lineText(1)->text(), text35.left(20));
  EXPECT_EQ(ui.previewLine(1)->text(), text35.left(20));
  EXPECT_EQ(ui.model().lineText[1][1], text35.left(20));
  EXPECT_TRUE(ui.model().lineExpanded[1][1]);
  EXPECT_TRUE(ui.model().unsavedChanges);
  EXPECT_EQ(ui.lineText(1)->limit(), 20);
  EXPECT_TRUE(ui.previewLine(1)->font().bold());
  EXPECT_EQ(ui.previewLine(1)->font().pointSize(), 16);
  typeText(ui.lineText(1), QStringLiteral("X"));
  EXPECT_EQ(ui.lineText(1)->text().size(), 20);

  click(ui.lineExpanded(1));
  EXPECT_EQ(ui.lineText(1)->text(), text35.left(20));
  EXPECT_EQ(ui.lineText(1)->limit(), 40);
  EXPECT_EQ(ui.previewLine(1)->font().pointSize(), 8);

  // A short line: only the font, the limit and the flag change.
  retype(ui.lineText(1), QStringLiteral("curta"));
  ui.forgetChanges();
  click(ui.lineExpanded(1));
  EXPECT_EQ(ui.lineText(1)->text(), QStringLiteral("curta"));
  EXPECT_TRUE(ui.model().lineExpanded[1][1]);
  EXPECT_TRUE(ui.model().unsavedChanges);  // the flag is saved in the pair
  click(ui.lineExpanded(1));
  EXPECT_TRUE(ui.model().unsavedChanges);
}

TEST_F(Editor, ALineThatIsOffKeepsItsTextAndExpandedFlag) {
  click(ui.lineEnabled(2));  // line 2 on
  retype(ui.lineText(2), QStringLiteral("Atenção é ç"));
  click(ui.lineExpanded(2));
  click(ui.lineEnabled(2));  // off again
  EXPECT_FALSE(ui.model().lineEnabled[2][1]);
  EXPECT_EQ(ui.model().lineText[2][1], QStringLiteral("Atenção é ç"));
  EXPECT_TRUE(ui.model().lineExpanded[2][1]);
  clickTab(1);
  clickTab(0);
  EXPECT_EQ(ui.lineText(2)->text(), QStringLiteral("Atenção é ç"));
  EXPECT_TRUE(ui.lineExpanded(2)->isChecked());
  EXPECT_FALSE(ui.lineText(2)->isEnabled());
}

TEST_F(Editor, EachButtonKeepsItsOwnLinesAndButtonsFiveAndSixAreNeverTouched) {
  const ButtonSettings five = buttonSettings(ui.model(), 5);
  const ButtonSettings six = buttonSettings(ui.model(), 6);
  retype(ui.lineText(1), QStringLiteral("Caixa 1"));
  clickTab(3);
  EXPECT_EQ(ui.lineText(1)->text(), QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !"));
  retype(ui.lineText(1), QStringLiteral("Caixa 4"));
  click(ui.lineEnabled(8));
  retype(ui.lastNumberBox(), QStringLiteral("77"));
  choose(ui.printLetterList(), 1);
  choose(ui.letterList(), 18);
  clickTab(0);
  EXPECT_EQ(ui.lineText(1)->text(), QStringLiteral("Caixa 1"));
  EXPECT_FALSE(ui.lineEnabled(8)->isChecked());
  EXPECT_EQ(ui.model().lineText[1][4], QStringLiteral("Caixa 4"));
  EXPECT_TRUE(ui.model().lineEnabled[8][4]);
  EXPECT_EQ(ui.model().lastNumber[4], 77);
  EXPECT_EQ(buttonSettings(ui.model(), 5), five);
  EXPECT_EQ(buttonSettings(ui.model(), 6), six);
}

TEST_F(Editor, TheClockLabelShowsTheDateThreeBlanksAndTheTimeOfTheWindowsClock) {
  ui.updatePreviewClock();
  const QString text = ui.clockLabel()->text();
  EXPECT_TRUE(text.contains(QStringLiteral("   "))) << text.toStdString();
  // The fixture's clock (03:55:13), which the clock job sends too: not the computer's.
  EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b0?3:55:13\\b")))) << text.toStdString();
  EXPECT_TRUE(ui.previewClock()->isActive());
  EXPECT_EQ(ui.previewClock()->interval(), 1000);
}

}  // namespace
}  // namespace vx::test
