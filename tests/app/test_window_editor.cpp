// The button page editor and the ticket preview, driven as an operator would.

#include "window_fixture.h"

#include <QTest>

namespace vx::test {
namespace {

using Editor = WindowTest;

TEST_F(Editor, AStartAboveTheEndIsLoweredToTheEndWithOneWarning) {
  retype(ui.spinEdit(13), QStringLiteral("20"));
  ASSERT_EQ(ui.spinEdit(13)->value(), 20);
  retype(ui.spinEdit(12), QStringLiteral("50"));
  EXPECT_EQ(ui.spinEdit(12)->value(), 20);
  EXPECT_EQ(ui.spinEdit(13)->value(), 20);
  EXPECT_EQ(ui.model().firstNumber[1], 20);
  EXPECT_EQ(ui.model().lastNumber[1], 20);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: A20 a A20"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Valor inválido"));
  EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("   O número de início deve ser menor que o de término."));
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Warning);
}

TEST_F(Editor, NotPrintingTheLetterAllowsThreeDigitsAndPrintingItClampsBackTo99) {
  choose(ui.comboBox(6), 1);
  EXPECT_EQ(ui.spinEdit(12)->maxValue(), 999);
  EXPECT_EQ(ui.spinEdit(13)->maxValue(), 999);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: 000 a 099"));
  EXPECT_EQ(ui.model().printLetter[1], 1);
  retype(ui.spinEdit(13), QStringLiteral("500"));
  ui.edit(6)->setFocus();  // leaving the field keeps 500: it is within 0..999
  EXPECT_EQ(ui.spinEdit(13)->value(), 500);
  EXPECT_EQ(ui.model().lastNumber[1], 500);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: 000 a 500"));
  choose(ui.comboBox(6), 0);
  EXPECT_EQ(ui.spinEdit(13)->value(), 99);
  EXPECT_EQ(ui.spinEdit(13)->maxValue(), 99);
  EXPECT_EQ(ui.model().lastNumber[1], 99);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(Editor, AButtonWithAnEarlierButtonsLetterFollowsItAndIsLocked) {
  retype(ui.spinEdit(12), QStringLiteral("5"));
  retype(ui.spinEdit(13), QStringLiteral("50"));
  clickTab(1);
  ASSERT_EQ(ui.model().currentButton, 2);
  choose(ui.comboBox(5), 0);  // "A", button 1's letter
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("Igual Botão 1"));
  EXPECT_EQ(ui.model().sameAsButton[2], 1);
  EXPECT_EQ(ui.model().firstNumber[2], 5);
  EXPECT_EQ(ui.model().lastNumber[2], 50);
  EXPECT_EQ(ui.spinEdit(12)->value(), 5);
  EXPECT_EQ(ui.spinEdit(13)->value(), 50);
  EXPECT_FALSE(ui.spinEdit(12)->isEnabled());
  EXPECT_FALSE(ui.spinEdit(13)->isEnabled());
  EXPECT_FALSE(ui.comboBox(6)->isEnabled());
  for (int l = 1; l <= 8; ++l) {
    EXPECT_FALSE(ui.lineEdit(l)->isEnabled());
    EXPECT_FALSE(ui.lineEnabled(l)->isEnabled());
  }
  EXPECT_TRUE(ui.comboBox(5)->isEnabled());
  EXPECT_TRUE(ui.checkBox(3)->isEnabled());  // "Expandido" is not touched
  EXPECT_EQ(boxCount(), 0);

  choose(ui.comboBox(5), 4);  // "E": its own letter again
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: E05 a E50"));
  EXPECT_EQ(ui.model().sameAsButton[2], 2);
  EXPECT_TRUE(ui.spinEdit(12)->isEnabled());
  EXPECT_TRUE(ui.edit(6)->isEnabled());
  EXPECT_FALSE(ui.edit(7)->isEnabled());  // its line is off
  EXPECT_TRUE(ui.checkBox(8)->isEnabled());
}

TEST_F(Editor, AButtonFollowsTheLowestEarlierButtonAndButtonOneNeverFollows) {
  clickTab(1);
  choose(ui.comboBox(5), 0);
  clickTab(2);
  choose(ui.comboBox(5), 0);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("Igual Botão 1"));
  EXPECT_EQ(ui.model().sameAsButton[3], 1);
  clickTab(0);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(ui.model().sameAsButton[1], 1);
}

TEST_F(Editor, InactiveIsStoredAndShownAgainWhileLowercaseIIsALetter) {
  clickTab(1);
  retype(ui.spinEdit(13), QStringLiteral("40"));
  choose(ui.comboBox(5), 18);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("Botão Inativo"));
  EXPECT_EQ(ui.model().letter[2], 'I');
  EXPECT_EQ(ui.model().sameAsButton[2], 7);
  EXPECT_EQ(ui.model().lastNumber[2], 40);
  EXPECT_TRUE(ui.spinEdit(13)->isEnabled());
  clickTab(0);
  clickTab(1);
  EXPECT_EQ(ui.comboBox(5)->currentText(), QStringLiteral("Inativo"));
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("Botão Inativo"));
  choose(ui.comboBox(5), 8);  // "i"
  EXPECT_EQ(ui.model().letter[2], 'i');
  EXPECT_EQ(ui.model().sameAsButton[2], 2);
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: i00 a i40"));
}

TEST_F(Editor, ATypedLetterIsKeptAndAnEmptyLetterKeepsTheStoredOne) {
  clickTab(1);
  retype(ui.comboBox(5)->lineEdit(), QStringLiteral("Z"));
  EXPECT_EQ(ui.model().letter[2], 'Z');
  EXPECT_EQ(ui.label(30)->text(), QStringLiteral("De: Z00 a Z99"));
  clickTab(0);
  clickTab(1);
  EXPECT_EQ(ui.comboBox(5)->currentText(), QStringLiteral("Z"));
  EXPECT_EQ(ui.model().letter[2], 'Z');
  retype(ui.comboBox(5)->lineEdit(), QString());
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
    ui.model().unsavedChanges = 0;
    ui.Image10MouseDown(p.x, p.y);
    EXPECT_EQ(ui.model().currentButton, p.button);
    EXPECT_EQ(ui.pageControl()->currentIndex(), p.button - 1);
    EXPECT_EQ(ui.model().unsavedChanges, 1);  // switching marks unsaved changes
    std::array<Image*, 5> highlight = {nullptr, ui.image(11), ui.image(12), ui.image(13), ui.image(14)};
    for (int b = 1; b <= 4; ++b) EXPECT_EQ(highlight[b]->isVisible(), b == p.button);
  }
  // A real click lands on the highlight of the current button or on the panel.
  QTest::mouseClick(ui.buttonPicture(), Qt::LeftButton, {}, QPoint(200, 80));
  EXPECT_EQ(ui.model().currentButton, 4);
  EXPECT_EQ(ui.label(35)->text(), QStringLiteral("Funcionamento do botão 4:"));
  EXPECT_EQ(ui.label(2)->text(), QStringLiteral("Senha Emitida Pelo Botão 4"));
}

TEST_F(Editor, ThePreviewFollowsTheLogoHeightAndTheEnabledLines) {
  auto top = [](QWidget* w) { return w->y(); };
  EXPECT_EQ(top(ui.image(4)), 229);
  EXPECT_EQ(top(ui.label(5)), 234);
  EXPECT_EQ(top(ui.label(13)), 259);
  EXPECT_EQ(top(ui.image(6)), 284);
  EXPECT_EQ(top(ui.label(15)), 344);
  EXPECT_EQ(ui.image(4)->height(), 145);

  click(ui.checkBox(5));  // line 1 off
  EXPECT_FALSE(ui.edit(6)->isEnabled());
  EXPECT_FALSE(ui.checkBox(3)->isEnabled());
  EXPECT_FALSE(ui.label(5)->isVisible());
  EXPECT_EQ(top(ui.label(13)), 241);
  EXPECT_EQ(top(ui.image(6)), 266);
  EXPECT_EQ(top(ui.label(15)), 326);
  EXPECT_EQ(ui.image(4)->height(), 127);
  click(ui.checkBox(5));

  click(ui.checkBox(17));  // line 5 on
  EXPECT_TRUE(ui.edit(10)->isEnabled());
  EXPECT_TRUE(ui.checkBox(15)->isEnabled());
  EXPECT_TRUE(ui.label(9)->isVisible());
  EXPECT_EQ(top(ui.label(9)), 252 + 112);
  EXPECT_EQ(ui.image(4)->height(), 163);
  EXPECT_EQ(ui.model().lineEnabled[5][1], 1);

  ui.scrollBar(1)->setValue(130);  // the rounding of each height is the layout table's
  EXPECT_EQ(top(ui.image(4)), 258);
}

TEST_F(Editor, ExpandingCutsLongLinesOnlyAndNeverBringsTextBack) {
  const QString text35 = QStringLiteral("12345678901234567890123456789012345");
  retype(ui.edit(6), text35);
  ASSERT_EQ(ui.model().lineText[1][1], text35);
  ui.model().unsavedChanges = 0;
  click(ui.checkBox(3));
  EXPECT_EQ(ui.edit(6)->text(), text35.left(20));
  EXPECT_EQ(ui.label(5)->text(), text35.left(20));
  EXPECT_EQ(ui.model().lineText[1][1], text35.left(20));
  EXPECT_EQ(ui.model().lineExpanded[1][1], 1);
  EXPECT_EQ(ui.model().unsavedChanges, 1);
  EXPECT_EQ(ui.edit(6)->limit(), 20);
  EXPECT_TRUE(ui.label(5)->font().bold());
  EXPECT_EQ(ui.label(5)->font().pointSize(), 16);
  typeText(ui.edit(6), QStringLiteral("X"));
  EXPECT_EQ(ui.edit(6)->text().size(), 20);

  click(ui.checkBox(3));
  EXPECT_EQ(ui.edit(6)->text(), text35.left(20));
  EXPECT_EQ(ui.edit(6)->limit(), 40);
  EXPECT_EQ(ui.label(5)->font().pointSize(), 8);

  // A short line: only the font, the limit and the flag change.
  retype(ui.edit(6), QStringLiteral("curta"));
  ui.model().unsavedChanges = 0;
  click(ui.checkBox(3));
  EXPECT_EQ(ui.edit(6)->text(), QStringLiteral("curta"));
  EXPECT_EQ(ui.model().lineExpanded[1][1], 1);
  EXPECT_EQ(ui.model().unsavedChanges, 0);
  click(ui.checkBox(3));
  EXPECT_EQ(ui.model().unsavedChanges, 0);
}

TEST_F(Editor, ALineThatIsOffKeepsItsTextAndExpandedFlag) {
  click(ui.checkBox(8));  // line 2 on
  retype(ui.edit(7), QStringLiteral("Atenção é ç"));
  click(ui.checkBox(6));
  click(ui.checkBox(8));  // off again
  EXPECT_EQ(ui.model().lineEnabled[2][1], 0);
  EXPECT_EQ(ui.model().lineText[2][1], QStringLiteral("Atenção é ç"));
  EXPECT_EQ(ui.model().lineExpanded[2][1], 1);
  clickTab(1);
  clickTab(0);
  EXPECT_EQ(ui.edit(7)->text(), QStringLiteral("Atenção é ç"));
  EXPECT_TRUE(ui.checkBox(6)->isChecked());
  EXPECT_FALSE(ui.edit(7)->isEnabled());
}

TEST_F(Editor, EachButtonKeepsItsOwnLinesAndButtonsFiveAndSixAreNeverTouched) {
  const ButtonSettings five = buttonSettings(ui.model(), 5);
  const ButtonSettings six = buttonSettings(ui.model(), 6);
  retype(ui.edit(6), QStringLiteral("Caixa 1"));
  clickTab(3);
  EXPECT_EQ(ui.edit(6)->text(), QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !"));
  retype(ui.edit(6), QStringLiteral("Caixa 4"));
  click(ui.checkBox(26));
  retype(ui.spinEdit(13), QStringLiteral("77"));
  choose(ui.comboBox(6), 1);
  choose(ui.comboBox(5), 18);
  clickTab(0);
  EXPECT_EQ(ui.edit(6)->text(), QStringLiteral("Caixa 1"));
  EXPECT_FALSE(ui.checkBox(26)->isChecked());
  EXPECT_EQ(ui.model().lineText[1][4], QStringLiteral("Caixa 4"));
  EXPECT_EQ(ui.model().lineEnabled[8][4], 1);
  EXPECT_EQ(ui.model().lastNumber[4], 77);
  EXPECT_EQ(buttonSettings(ui.model(), 5), five);
  EXPECT_EQ(buttonSettings(ui.model(), 6), six);
}

TEST_F(Editor, TheClockLabelShowsTheDateThreeBlanksAndTheTime) {
  ui.Timer1Timer();
  const QString text = ui.label(15)->text();
  EXPECT_TRUE(text.contains(QStringLiteral("   "))) << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\d{1,2}:\\d{2}:\\d{2}")))) << text.toStdString();
  EXPECT_TRUE(ui.timer(1)->isActive());
  EXPECT_EQ(ui.timer(1)->interval(), 1000);
}

}  // namespace
}  // namespace vx::test
