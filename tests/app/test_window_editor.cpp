// The button page editor and the ticket preview, driven as an operator would.

#include "window_fixture.h"

#include <QTest>

namespace vx::test {
namespace {

using Editor = WindowTest;

TEST_F(Editor, AStartAboveTheEndIsLoweredToTheEndWithOneWarning) {
  retype(form->SpinEdit13, QStringLiteral("20"));
  ASSERT_EQ(form->SpinEdit13->value(), 20);
  retype(form->SpinEdit12, QStringLiteral("50"));
  EXPECT_EQ(form->SpinEdit12->value(), 20);
  EXPECT_EQ(form->SpinEdit13->value(), 20);
  EXPECT_EQ(form->model.inicio[1], 20);
  EXPECT_EQ(form->model.termino[1], 20);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: A20 a A20"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Valor inválido"));
  EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("   O número de início deve ser menor que o de término."));
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Warning);
}

TEST_F(Editor, NotPrintingTheLetterAllowsThreeDigitsAndPrintingItClampsBackTo99) {
  choose(form->ComboBox6, 1);
  EXPECT_EQ(form->SpinEdit12->maxValue(), 999);
  EXPECT_EQ(form->SpinEdit13->maxValue(), 999);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: 000 a 099"));
  EXPECT_EQ(form->model.imprime_letra[1], 1);
  retype(form->SpinEdit13, QStringLiteral("500"));
  form->Edit6->setFocus();  // leaving the field keeps 500: it is within 0..999
  EXPECT_EQ(form->SpinEdit13->value(), 500);
  EXPECT_EQ(form->model.termino[1], 500);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: 000 a 500"));
  choose(form->ComboBox6, 0);
  EXPECT_EQ(form->SpinEdit13->value(), 99);
  EXPECT_EQ(form->SpinEdit13->maxValue(), 99);
  EXPECT_EQ(form->model.termino[1], 99);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(Editor, AButtonWithAnEarlierButtonsLetterFollowsItAndIsLocked) {
  retype(form->SpinEdit12, QStringLiteral("5"));
  retype(form->SpinEdit13, QStringLiteral("50"));
  clickTab(1);
  ASSERT_EQ(form->model.botao_atual, 2);
  choose(form->ComboBox5, 0);  // "A", button 1's letter
  EXPECT_EQ(form->Label30->text(), QStringLiteral("Igual Botão 1"));
  EXPECT_EQ(form->model.igual_botao[2], 1);
  EXPECT_EQ(form->model.inicio[2], 5);
  EXPECT_EQ(form->model.termino[2], 50);
  EXPECT_EQ(form->SpinEdit12->value(), 5);
  EXPECT_EQ(form->SpinEdit13->value(), 50);
  EXPECT_FALSE(form->SpinEdit12->isEnabled());
  EXPECT_FALSE(form->SpinEdit13->isEnabled());
  EXPECT_FALSE(form->ComboBox6->isEnabled());
  for (int l = 1; l <= 8; ++l) {
    EXPECT_FALSE(form->lineEdit[l]->isEnabled());
    EXPECT_FALSE(form->lineEnabled[l]->isEnabled());
  }
  EXPECT_TRUE(form->ComboBox5->isEnabled());
  EXPECT_TRUE(form->CheckBox3->isEnabled());  // "Expandido" is not touched
  EXPECT_EQ(boxCount(), 0);

  choose(form->ComboBox5, 4);  // "E": its own letter again
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: E05 a E50"));
  EXPECT_EQ(form->model.igual_botao[2], 2);
  EXPECT_TRUE(form->SpinEdit12->isEnabled());
  EXPECT_TRUE(form->Edit6->isEnabled());
  EXPECT_FALSE(form->Edit7->isEnabled());  // its line is off
  EXPECT_TRUE(form->CheckBox8->isEnabled());
}

TEST_F(Editor, AButtonFollowsTheLowestEarlierButtonAndButtonOneNeverFollows) {
  clickTab(1);
  choose(form->ComboBox5, 0);
  clickTab(2);
  choose(form->ComboBox5, 0);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("Igual Botão 1"));
  EXPECT_EQ(form->model.igual_botao[3], 1);
  clickTab(0);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: A00 a A99"));
  EXPECT_EQ(form->model.igual_botao[1], 1);
}

TEST_F(Editor, InactiveIsStoredAndShownAgainWhileLowercaseIIsALetter) {
  clickTab(1);
  retype(form->SpinEdit13, QStringLiteral("40"));
  choose(form->ComboBox5, 18);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("Botão Inativo"));
  EXPECT_EQ(form->model.letra[2], 'I');
  EXPECT_EQ(form->model.igual_botao[2], 7);
  EXPECT_EQ(form->model.termino[2], 40);
  EXPECT_TRUE(form->SpinEdit13->isEnabled());
  clickTab(0);
  clickTab(1);
  EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("Inativo"));
  EXPECT_EQ(form->Label30->text(), QStringLiteral("Botão Inativo"));
  choose(form->ComboBox5, 8);  // "i"
  EXPECT_EQ(form->model.letra[2], 'i');
  EXPECT_EQ(form->model.igual_botao[2], 2);
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: i00 a i40"));
}

TEST_F(Editor, ATypedLetterIsKeptAndAnEmptyLetterKeepsTheStoredOne) {
  clickTab(1);
  retype(form->ComboBox5->lineEdit(), QStringLiteral("Z"));
  EXPECT_EQ(form->model.letra[2], 'Z');
  EXPECT_EQ(form->Label30->text(), QStringLiteral("De: Z00 a Z99"));
  clickTab(0);
  clickTab(1);
  EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("Z"));
  EXPECT_EQ(form->model.letra[2], 'Z');
  retype(form->ComboBox5->lineEdit(), QString());
  EXPECT_EQ(form->model.letra[2], 'Z');
  EXPECT_EQ(form->model.letra[1], 'A');
}

// Which quadrant selects which button is the editor's table; here, that a press switches.
TEST_F(Editor, PressesOnTheButtonPictureSwitchButtonsAndHighlights) {
  struct Press {
    int x, y, button;
  };
  for (const Press p : {Press{139, 49, 4}, Press{138, 48, 1}}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    form->model.alterado = 0;
    form->Image10MouseDown(p.x, p.y);
    EXPECT_EQ(form->model.botao_atual, p.button);
    EXPECT_EQ(form->PageControl1->currentIndex(), p.button - 1);
    EXPECT_EQ(form->model.alterado, 1);  // switching marks unsaved changes
    std::array<Image*, 5> highlight = {nullptr, form->Image11, form->Image12, form->Image13, form->Image14};
    for (int b = 1; b <= 4; ++b) EXPECT_EQ(highlight[b]->isVisible(), b == p.button);
  }
  // A real click lands on the highlight of the current button or on the panel.
  QTest::mouseClick(form->Image10, Qt::LeftButton, {}, QPoint(200, 80));
  EXPECT_EQ(form->model.botao_atual, 4);
  EXPECT_EQ(form->Label35->text(), QStringLiteral("Funcionamento do botão 4:"));
  EXPECT_EQ(form->Label2->text(), QStringLiteral("Senha Emitida Pelo Botão 4"));
}

TEST_F(Editor, ThePreviewFollowsTheLogoHeightAndTheEnabledLines) {
  auto top = [](QWidget* w) { return w->y(); };
  EXPECT_EQ(top(form->Image4), 229);
  EXPECT_EQ(top(form->Label5), 234);
  EXPECT_EQ(top(form->Label13), 259);
  EXPECT_EQ(top(form->Image6), 284);
  EXPECT_EQ(top(form->Label15), 344);
  EXPECT_EQ(form->Image4->height(), 145);

  click(form->CheckBox5);  // line 1 off
  EXPECT_FALSE(form->Edit6->isEnabled());
  EXPECT_FALSE(form->CheckBox3->isEnabled());
  EXPECT_FALSE(form->Label5->isVisible());
  EXPECT_EQ(top(form->Label13), 241);
  EXPECT_EQ(top(form->Image6), 266);
  EXPECT_EQ(top(form->Label15), 326);
  EXPECT_EQ(form->Image4->height(), 127);
  click(form->CheckBox5);

  click(form->CheckBox17);  // line 5 on
  EXPECT_TRUE(form->Edit10->isEnabled());
  EXPECT_TRUE(form->CheckBox15->isEnabled());
  EXPECT_TRUE(form->Label9->isVisible());
  EXPECT_EQ(top(form->Label9), 252 + 112);
  EXPECT_EQ(form->Image4->height(), 163);
  EXPECT_EQ(form->model.habilita_linha[5][1], 1);

  form->ScrollBar1->setValue(130);  // the rounding of each height is the layout table's
  EXPECT_EQ(top(form->Image4), 258);
}

TEST_F(Editor, ExpandingCutsLongLinesOnlyAndNeverBringsTextBack) {
  const QString text35 = QStringLiteral("12345678901234567890123456789012345");
  retype(form->Edit6, text35);
  ASSERT_EQ(form->model.texto[1][1], text35);
  form->model.alterado = 0;
  click(form->CheckBox3);
  EXPECT_EQ(form->Edit6->text(), text35.left(20));
  EXPECT_EQ(form->Label5->text(), text35.left(20));
  EXPECT_EQ(form->model.texto[1][1], text35.left(20));
  EXPECT_EQ(form->model.expandido[1][1], 1);
  EXPECT_EQ(form->model.alterado, 1);
  EXPECT_EQ(form->Edit6->limit(), 20);
  EXPECT_TRUE(form->Label5->font().bold());
  EXPECT_EQ(form->Label5->font().pointSize(), 16);
  typeText(form->Edit6, QStringLiteral("X"));
  EXPECT_EQ(form->Edit6->text().size(), 20);

  click(form->CheckBox3);
  EXPECT_EQ(form->Edit6->text(), text35.left(20));
  EXPECT_EQ(form->Edit6->limit(), 40);
  EXPECT_EQ(form->Label5->font().pointSize(), 8);

  // A short line: only the font, the limit and the flag change.
  retype(form->Edit6, QStringLiteral("curta"));
  form->model.alterado = 0;
  click(form->CheckBox3);
  EXPECT_EQ(form->Edit6->text(), QStringLiteral("curta"));
  EXPECT_EQ(form->model.expandido[1][1], 1);
  EXPECT_EQ(form->model.alterado, 0);
  click(form->CheckBox3);
  EXPECT_EQ(form->model.alterado, 0);
}

TEST_F(Editor, ALineThatIsOffKeepsItsTextAndExpandedFlag) {
  click(form->CheckBox8);  // line 2 on
  retype(form->Edit7, QStringLiteral("Atenção é ç"));
  click(form->CheckBox6);
  click(form->CheckBox8);  // off again
  EXPECT_EQ(form->model.habilita_linha[2][1], 0);
  EXPECT_EQ(form->model.texto[2][1], QStringLiteral("Atenção é ç"));
  EXPECT_EQ(form->model.expandido[2][1], 1);
  clickTab(1);
  clickTab(0);
  EXPECT_EQ(form->Edit7->text(), QStringLiteral("Atenção é ç"));
  EXPECT_TRUE(form->CheckBox6->isChecked());
  EXPECT_FALSE(form->Edit7->isEnabled());
}

TEST_F(Editor, EachButtonKeepsItsOwnLinesAndButtonsFiveAndSixAreNeverTouched) {
  const ButtonSettings five = buttonSettings(form->model, 5);
  const ButtonSettings six = buttonSettings(form->model, 6);
  retype(form->Edit6, QStringLiteral("Caixa 1"));
  clickTab(3);
  EXPECT_EQ(form->Edit6->text(), QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !"));
  retype(form->Edit6, QStringLiteral("Caixa 4"));
  click(form->CheckBox26);
  retype(form->SpinEdit13, QStringLiteral("77"));
  choose(form->ComboBox6, 1);
  choose(form->ComboBox5, 18);
  clickTab(0);
  EXPECT_EQ(form->Edit6->text(), QStringLiteral("Caixa 1"));
  EXPECT_FALSE(form->CheckBox26->isChecked());
  EXPECT_EQ(form->model.texto[1][4], QStringLiteral("Caixa 4"));
  EXPECT_EQ(form->model.habilita_linha[8][4], 1);
  EXPECT_EQ(form->model.termino[4], 77);
  EXPECT_EQ(buttonSettings(form->model, 5), five);
  EXPECT_EQ(buttonSettings(form->model, 6), six);
}

TEST_F(Editor, TheClockLabelShowsTheDateThreeBlanksAndTheTime) {
  form->Timer1Timer();
  const QString text = form->Label15->text();
  EXPECT_TRUE(text.contains(QStringLiteral("   "))) << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\d{1,2}:\\d{2}:\\d{2}")))) << text.toStdString();
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_EQ(form->Timer1->interval(), 1000);
}

}  // namespace
}  // namespace vx::test
