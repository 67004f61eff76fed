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
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  static void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w, k, m); }
};

TEST_F(AccessTest, TabVisitsEveryControlOnceInTheLayoutsOrderAndEachHasAName) {
  const QStringList expected = {
      // command row
      "openButton", "saveButton", "sendAllButton", "sendAllWithoutLogoButton", "setClockButton", "portList",
      "serialPortsButton", "beepBox", "resetAtDayEndBox", "twoCopiesBox", "helpButton",
      // button frame
      "buttonTabs", "buttonPicture", "letterList", "printLetterList", "firstNumberBox", "lastNumberBox",
      "sendSettingsButton",
      // logo frame
      "logoWidthBar", "logoHeightBar", "openPictureButton", "updatePictureButton", "contrastBar",
      "printLogoBox", "suggestButton", "sendLogoButton",
      // text frame: line 1 is on, lines 2..8 offer only their "Habilitar linha" box
      "lineText1", "lineEnabled1", "lineExpanded1", "lineEnabled2", "lineEnabled3", "lineEnabled4",
      "lineEnabled5", "lineEnabled6", "lineEnabled7", "lineEnabled8", "partialCutButton", "totalCutButton",
      "sendTextsButton"};
  ui.openButton()->setFocus();
  QStringList visited;
  for (int i = 0; i < 2 * expected.size(); ++i) {
    QWidget* control = controlOf(QApplication::focusWidget(), window);
    ASSERT_NE(control, nullptr);
    if (i > 0 && control == ui.openButton()) break;
    visited << control->objectName();
    EXPECT_FALSE(accessibleName(control).trimmed().isEmpty()) << control->objectName().toStdString();
    key(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, expected);
  // Nothing on the window that takes the focus is left out of the chain (a line turned on
  // brings its field and "Expandido" box in at their place).
  for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
      EXPECT_TRUE(visited.contains(w->objectName())) << w->objectName().toStdString();
    }
  }
}

TEST_F(AccessTest, NoControlThatTakesTheFocusIsNamelessAndTheNamesTellAlikeControlsApart) {
  // Every line on, so that all of them are shown enabled.
  for (int l = 2; l <= kLines; ++l) ui.lineEnabled(l)->setChecked(true);
  QStringList nameless;
  collectNameless(QAccessible::queryAccessibleInterface(window), nameless);
  EXPECT_TRUE(nameless.isEmpty()) << nameless.join(", ").toStdString();

  EXPECT_EQ(accessibleName(ui.firstNumberBox()), "Inicia em :");  // from the label beside it
  EXPECT_EQ(accessibleName(ui.logoHeightBar()), "Altura do logotipo");
  EXPECT_EQ(accessibleName(ui.logoWidthBar()), "Zoom");
  EXPECT_EQ(accessibleName(ui.contrastBar()), "Contraste");
  EXPECT_EQ(accessibleName(ui.lineText(2)), "Linha 2 (Cabeçalho)");
  EXPECT_EQ(accessibleName(ui.lineText(5)), "Linha 5 (Rodapé)");
  std::set<QString> names;
  for (int l = 1; l <= kLines; ++l)
    for (QWidget* w : {static_cast<QWidget*>(ui.lineText(l)), static_cast<QWidget*>(ui.lineEnabled(l)),
                       static_cast<QWidget*>(ui.lineExpanded(l))})
      names.insert(accessibleName(w));
  EXPECT_EQ(names.size(), 3u * kLines);

  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(ui.buttonPicture());
  ASSERT_EQ(panel->childCount(), 4);
  EXPECT_EQ(panel->child(2)->text(QAccessible::Name), "Botão 3");
  EXPECT_TRUE(panel->child(0)->state().checked);
  EXPECT_FALSE(panel->child(2)->state().checked);
}

TEST_F(AccessTest, ThePreviewDescribesTheTicketAsPrinted) {
  settleStartUp();
  QAccessibleInterface* preview = QAccessible::queryAccessibleInterface(ui.ticketPaper());
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->role(), QAccessible::Graphic);
  QStringList lines = preview->text(QAccessible::Description).split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "  AGUARDE SUA VEZ PARA SER ATENDIDO !");
  EXPECT_EQ(lines[1], "SENHA A00");
  EXPECT_EQ(lines[2], ui.clockLabel()->text());

  ui.lineEnabled(1)->setChecked(false);
  ui.lineEnabled(6)->setChecked(true);
  retype(ui.firstNumberBox(), "7");
  choose(ui.printLetterList(), 1);  // "Não imprimir"
  lines = preview->text(QAccessible::Description).split('\n');
  EXPECT_EQ(lines, QStringList({"SENHA 007", ui.clockLabel()->text(), "Linha 6"}));
}

TEST_F(AccessTest, TheButtonPictureChoosesWithArrowsAndEnterAsAClickDoes) {
  settleStartUp();
  ButtonPanel* panel = ui.buttonPicture();
  panel->setFocus();
  key(panel, Qt::Key_Right);  // button 3, top right
  EXPECT_EQ(panel->keyboardButton(), 3);
  EXPECT_EQ(ui.model().currentButton, 1);  // moving the frame chooses nothing
  key(panel, Qt::Key_Return);
  EXPECT_EQ(ui.model().currentButton, 3);
  EXPECT_EQ(ui.buttonTabs()->currentIndex(), 2);
  EXPECT_TRUE(ui.pressedButton(3)->isVisible());
  EXPECT_EQ(ui.pageTitleLabel()->text(), "Funcionamento do botão 3:");
  key(panel, Qt::Key_Down);
  key(panel, Qt::Key_Left);
  key(panel, Qt::Key_Space);
  EXPECT_EQ(ui.model().currentButton, 2);
  EXPECT_TRUE(ui.pressedButton(2)->isVisible());

  // Enter on the button shown is a click on its pressed picture: nothing happens.
  key(panel, Qt::Key_Enter);
  EXPECT_EQ(ui.model().currentButton, 2);
  EXPECT_FALSE(ui.model().unsavedChanges);
}

TEST_F(AccessTest, TheLogoBarsMoveWithArrowsAndPageKeysThroughTheirHandlers) {
  settleStartUp();
  ScrollBar* height = ui.logoHeightBar();
  height->setFocus();
  ASSERT_TRUE(height->hasFocus());
  const int paperTop = ui.ticketPaper()->y();
  key(height, Qt::Key_Down);  // as a click on the lower arrow
  EXPECT_EQ(height->value(), 91);
  EXPECT_EQ(ui.logoPicture()->height(), 91);
  key(height, Qt::Key_PageDown);  // as a click in the track
  EXPECT_EQ(height->value(), 111);
  EXPECT_EQ(ui.logoBackdrop()->height(), 111);
  EXPECT_GT(ui.ticketPaper()->y(), paperTop);
  EXPECT_TRUE(ui.model().unsavedChanges);

  ScrollBar* width = ui.logoWidthBar();
  width->setFocus();
  key(width, Qt::Key_PageUp);
  EXPECT_EQ(width->value(), 270);
  EXPECT_EQ(ui.logoPicture()->width(), 270);
  EXPECT_EQ(ui.logoPicture()->x(), ui.logoBoxLeft() + 65);

  ui.contrastBar()->setFocus();
  key(ui.contrastBar(), Qt::Key_Left);
  EXPECT_EQ(ui.contrastBar()->value(), 126);
}

TEST_F(AccessTest, CtrlOOpensCtrlSSavesAndCtrlQClosesThroughTheClosePrompt) {
  settleStartUp();
  EXPECT_TRUE(ui.openButton()->toolTip().contains(
      QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText)));
  EXPECT_TRUE(ui.saveButton()->toolTip().contains(
      QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText)));
  EXPECT_EQ(ui.openButton()->text(), "Abrir");
  ui.lineText(1)->setFocus();
  key(ui.lineText(1), Qt::Key_O, Qt::ControlModifier);
  key(ui.lineText(1), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(dialogs->fileDialogs.size(), 2u);
  EXPECT_EQ(dialogs->fileDialogs[0].kind, FileDialogKind::OpenConfig);
  EXPECT_EQ(dialogs->fileDialogs[1].kind, FileDialogKind::SaveConfig);

  typeText(ui.lineText(1), "x");
  dialogs->answers = {MessageAnswer::Cancel};
  key(ui.lineText(1), Qt::Key_Q, Qt::ControlModifier);
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, "Salvar alterações");
  EXPECT_TRUE(window->isVisible());
  dialogs->answers = {MessageAnswer::No};
  key(ui.lineText(1), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(AccessTest, TheProgressBarIsReadAsAProgressBarWithItsValue) {
  // (Its changes are announced only while a screen reader listens, which the offscreen
  // platform cannot stand for.)
  ui.progressBar()->setMaximum(200);
  ui.progressBar()->setValue(40);
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(ui.progressBar());
  EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
  ASSERT_NE(bar->valueInterface(), nullptr);
  EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 40);
  EXPECT_EQ(bar->valueInterface()->maximumValue().toInt(), 200);
  EXPECT_FALSE(bar->text(QAccessible::Name).isEmpty());
}

}  // namespace
}  // namespace vx::test
