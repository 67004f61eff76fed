// The window without a mouse and through a screen reader's eyes: the Tab order, a name for every
// control that takes the focus, the button picture and the logo bars on the keyboard, the
// standard shortcuts, and what the preview and the progress dialog tell a screen reader.

#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <set>

namespace vx::test {
namespace {

// The window's control that holds `w` (an editable combo box's field, a spin box's editor).
QWidget* controlOf(QWidget* w, QWidget* window) {
  while (w && w->parentWidget() != window) w = w->parentWidget();
  return w;
}

QString accessibleName(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return a ? a->text(QAccessible::Name) : QString();
}

// Every interface under `a` that can take the focus and is shown but has no name.
void collectNameless(QAccessibleInterface* a, QStringList& nameless) {
  for (int i = 0; i < a->childCount(); ++i) {
    QAccessibleInterface* c = a->child(i);
    if (!c) continue;
    const QAccessible::State s = c->state();
    if (s.focusable && !s.invisible && c->text(QAccessible::Name).trimmed().isEmpty())
      nameless << QStringLiteral("%1 %2 (role %3) in %4")
                      .arg(c->object() ? c->object()->metaObject()->className() : "child")
                      .arg(c->object() ? c->object()->objectName() : QString::number(i))
                      .arg(c->role())
                      .arg(a->object() ? a->object()->objectName() : QString());
    collectNameless(c, nameless);
  }
}

class AccessTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  }
  static void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w, k, m); }
};

TEST_F(AccessTest, TabVisitsEveryControlOnceInTheLayoutsOrderAndEachHasAName) {
  const QStringList expected = {
      // command row
      "BitBtn5", "BitBtn4", "BitBtn2", "BitBtn6", "BitBtn3", "ComboBox1", "serialPortsButton", "CheckBox4",
      "CheckBox2", "CheckBox7",
      // button frame
      "PageControl1", "Image10", "ComboBox5", "ComboBox6", "SpinEdit12", "SpinEdit13", "BitBtn1",
      // logo frame
      "ScrollBar2", "ScrollBar1", "BitBtn15", "BitBtn11", "ScrollBar3", "CheckBox1", "suggestButton", "BitBtn12",
      // text frame: line 1 is on, lines 2..8 offer only their "Habilitar linha" box
      "Edit6", "CheckBox5", "CheckBox3", "CheckBox8", "CheckBox11", "CheckBox14", "CheckBox17", "CheckBox20",
      "CheckBox23", "CheckBox26", "RadioButton1", "RadioButton2", "BitBtn14"};
  form->BitBtn5->setFocus();
  QStringList visited;
  for (int i = 0; i < 2 * expected.size(); ++i) {
    QWidget* control = controlOf(QApplication::focusWidget(), form);
    ASSERT_NE(control, nullptr);
    if (i > 0 && control == form->BitBtn5) break;
    visited << control->objectName();
    EXPECT_FALSE(accessibleName(control).trimmed().isEmpty()) << control->objectName().toStdString();
    key(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, expected);
  // Nothing on the window that takes the focus is left out of the chain (a line turned on
  // brings its field and "Expandido" box in at their place).
  for (QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisibleTo(form) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
      EXPECT_TRUE(visited.contains(w->objectName())) << w->objectName().toStdString();
}

TEST_F(AccessTest, NoControlThatTakesTheFocusIsNamelessAndTheNamesTellAlikeControlsApart) {
  // Every line on, so that all of them are shown enabled.
  for (int l = 2; l <= kLines; ++l) form->lineEnabled[l]->setChecked(true);
  QStringList nameless;
  collectNameless(QAccessible::queryAccessibleInterface(form), nameless);
  EXPECT_TRUE(nameless.isEmpty()) << nameless.join(", ").toStdString();

  EXPECT_EQ(accessibleName(form->SpinEdit12), "Inicia em :");  // from the label beside it
  EXPECT_EQ(accessibleName(form->ScrollBar1), "Altura do logotipo");
  EXPECT_EQ(accessibleName(form->ScrollBar2), "Zoom");
  EXPECT_EQ(accessibleName(form->ScrollBar3), "Contraste");
  EXPECT_EQ(accessibleName(form->Edit7), "Linha 2 (Cabeçalho)");
  EXPECT_EQ(accessibleName(form->Edit10), "Linha 5 (Rodapé)");
  std::set<QString> names;
  for (int l = 1; l <= kLines; ++l)
    for (QWidget* w : {static_cast<QWidget*>(form->lineEdit[l]), static_cast<QWidget*>(form->lineEnabled[l]),
                       static_cast<QWidget*>(form->lineExpanded[l])})
      names.insert(accessibleName(w));
  EXPECT_EQ(names.size(), 3u * kLines);

  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(form->Image10);
  ASSERT_EQ(panel->childCount(), 4);
  EXPECT_EQ(panel->child(2)->text(QAccessible::Name), "Botão 3");
  EXPECT_TRUE(panel->child(0)->state().checked);
  EXPECT_FALSE(panel->child(2)->state().checked);
}

TEST_F(AccessTest, ThePreviewDescribesTheTicketAsPrinted) {
  settleStartUp();
  QAccessibleInterface* preview = QAccessible::queryAccessibleInterface(form->Image4);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->role(), QAccessible::Graphic);
  QStringList lines = preview->text(QAccessible::Description).split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "  AGUARDE SUA VEZ PARA SER ATENDIDO !");
  EXPECT_EQ(lines[1], "SENHA A00");
  EXPECT_EQ(lines[2], form->Label15->text());

  form->lineEnabled[1]->setChecked(false);
  form->lineEnabled[6]->setChecked(true);
  retype(form->SpinEdit12, "7");
  choose(form->ComboBox6, 1);  // "Não imprimir"
  lines = preview->text(QAccessible::Description).split('\n');
  EXPECT_EQ(lines, QStringList({"SENHA 007", form->Label15->text(), "Linha 6"}));
}

TEST_F(AccessTest, TheButtonPictureChoosesWithArrowsAndEnterAsAClickDoes) {
  settleStartUp();
  ButtonPanel* panel = form->Image10;
  panel->setFocus();
  key(panel, Qt::Key_Right);  // button 3, top right
  EXPECT_EQ(panel->keyboardButton(), 3);
  EXPECT_EQ(form->model.botao_atual, 1);  // moving the frame chooses nothing
  key(panel, Qt::Key_Return);
  EXPECT_EQ(form->model.botao_atual, 3);
  EXPECT_EQ(form->PageControl1->currentIndex(), 2);
  EXPECT_TRUE(form->Image13->isVisible());
  EXPECT_EQ(form->Label35->text(), "Funcionamento do botão 3:");
  key(panel, Qt::Key_Down);
  key(panel, Qt::Key_Left);
  key(panel, Qt::Key_Space);
  EXPECT_EQ(form->model.botao_atual, 2);
  EXPECT_TRUE(form->Image12->isVisible());

  // Enter on the button shown is a click on its pressed picture: nothing happens.
  form->Timer3Timer();
  key(panel, Qt::Key_Enter);
  EXPECT_EQ(form->model.botao_atual, 2);
  EXPECT_EQ(form->model.alterado, 0);
}

TEST_F(AccessTest, TheLogoBarsMoveWithArrowsAndPageKeysThroughTheirHandlers) {
  settleStartUp();
  ScrollBar* height = form->ScrollBar1;
  height->setFocus();
  ASSERT_TRUE(height->hasFocus());
  const int paperTop = form->Image4->y();
  key(height, Qt::Key_Down);  // as a click on the lower arrow
  EXPECT_EQ(height->value(), 91);
  EXPECT_EQ(form->Image1->height(), 91);
  key(height, Qt::Key_PageDown);  // as a click in the track
  EXPECT_EQ(height->value(), 111);
  EXPECT_EQ(form->Image3->height(), 111);
  EXPECT_GT(form->Image4->y(), paperTop);
  EXPECT_EQ(form->model.alterado, 1);

  ScrollBar* width = form->ScrollBar2;
  width->setFocus();
  key(width, Qt::Key_PageUp);
  EXPECT_EQ(width->value(), 270);
  EXPECT_EQ(form->Image1->width(), 270);
  EXPECT_EQ(form->Image1->x(), form->esquerda_logo + 65);

  form->ScrollBar3->setFocus();
  key(form->ScrollBar3, Qt::Key_Left);
  EXPECT_EQ(form->ScrollBar3->value(), 126);
}

TEST_F(AccessTest, CtrlOOpensCtrlSSavesAndCtrlQClosesThroughTheClosePrompt) {
  settleStartUp();
  EXPECT_TRUE(form->BitBtn5->toolTip().contains(QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText)));
  EXPECT_TRUE(form->BitBtn4->toolTip().contains(QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText)));
  EXPECT_EQ(form->BitBtn5->text(), "Abrir");
  form->Edit6->setFocus();
  key(form->Edit6, Qt::Key_O, Qt::ControlModifier);
  key(form->Edit6, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(dialogs->fileDialogs.size(), 2u);
  EXPECT_EQ(dialogs->fileDialogs[0].kind, FileDialogKind::OpenConfig);
  EXPECT_EQ(dialogs->fileDialogs[1].kind, FileDialogKind::SaveConfig);

  typeText(form->Edit6, "x");
  dialogs->answers = {MessageAnswer::Cancel};
  key(form->Edit6, Qt::Key_Q, Qt::ControlModifier);
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, "Salvar alterações");
  EXPECT_TRUE(form->isVisible());
  dialogs->answers = {MessageAnswer::No};
  key(form->Edit6, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(AccessTest, TheProgressBarIsReadAsAProgressBarWithItsValue) {
  // (Its changes are announced only while a screen reader listens, which the offscreen
  // platform cannot stand for.)
  form2->ProgressBar1->setMaximum(200);
  form2->ProgressBar1->setValue(40);
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form2->ProgressBar1);
  EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
  ASSERT_NE(bar->valueInterface(), nullptr);
  EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 40);
  EXPECT_EQ(bar->valueInterface()->maximumValue().toInt(), 200);
  EXPECT_FALSE(bar->text(QAccessible::Name).isEmpty());
}

}  // namespace
}  // namespace vx::test
