// One history for the whole window, driven through the real controls: undo and redo by key
// from any control and by their buttons, across pages, links, pictures, and back to the
// saved pair.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/picture_files.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

class WindowHistoryTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    settleStartUp();
  }
  // The key on whatever control has the keyboard focus, as the operator presses it.
  static void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  static void undoKey() { press(Qt::Key_Z, Qt::ControlModifier); }
  static void redoKey(bool shift = false) {
    if (shift)
      press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    else
      press(Qt::Key_Y, Qt::ControlModifier);
  }
  QTemporaryDir dir;
};

TEST_F(WindowHistoryTest, TextTypedOnOnePageIsUndoneFromAnotherByKeyInATextField) {
  const ConfigModel start = ui.model();
  ui.lineText(1)->setFocus();
  typeText(ui.lineText(1), QStringLiteral("XY"));
  EXPECT_EQ(ui.history().count(), 1) << "typing in one field is one step";
  EXPECT_EQ(ui.undoButton()->toolTip(), QStringLiteral("Desfazer: texto da linha 1 do botão 1"));

  clickTab(1);
  ui.lineText(1)->setFocus();
  typeText(ui.lineText(1), QStringLiteral("Q"));
  undoKey();  // the window's history, not the field's own: only "Q" goes
  EXPECT_EQ(ui.model().currentButton, 2);
  EXPECT_EQ(ui.lineText(1)->text(), start.lineText[1][2]);
  EXPECT_EQ(ui.model().lineText[1][1], start.lineText[1][1] + QStringLiteral("XY"));

  undoKey();
  EXPECT_EQ(ui.buttonTabs()->currentIndex(), 0) << "the step's page comes forward";
  EXPECT_EQ(ui.model().currentButton, 1);
  EXPECT_EQ(ui.lineText(1)->text(), start.lineText[1][1]);
  EXPECT_EQ(ui.previewLine(1)->text(), start.lineText[1][1]);
  EXPECT_EQ(QApplication::focusWidget(), ui.lineText(1));
  EXPECT_FALSE(ui.model().unsavedChanges);
  EXPECT_FALSE(ui.undoButton()->isEnabled());
  EXPECT_EQ(ui.redoButton()->toolTip(), QStringLiteral("Refazer: texto da linha 1 do botão 1"));

  redoKey(true);
  EXPECT_EQ(ui.lineText(1)->text(), start.lineText[1][1] + QStringLiteral("XY"));
  redoKey();
  EXPECT_EQ(ui.model().currentButton, 2);
  EXPECT_EQ(ui.lineText(1)->text(), start.lineText[1][2] + QStringLiteral("Q"));
  EXPECT_TRUE(ui.model().unsavedChanges);
}

// Opens `field`'s context menu as a right click does and chooses the action named `name`;
// returns whether that action was there and enabled.
bool chooseFromContextMenu(QWidget* field, const QString& name) {
  bool chosen = false;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (QAction* action : menu->actions()) {
      if (action->objectName() == name && action->isEnabled()) {
        chosen = true;
        action->trigger();
      }
    }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(field, &event);
  return chosen;
}

TEST_F(WindowHistoryTest, AFieldsContextMenuUndoesAndRedoesTheWindowsHistory) {
  const ConfigModel start = ui.model();
  ui.lineText(1)->setFocus();
  typeText(ui.lineText(1), QStringLiteral("AB"));
  clickTab(2);
  EXPECT_FALSE(chooseFromContextMenu(ui.firstNumberBox(), QStringLiteral("edit-redo")))
      << "nothing to redo yet";
  ASSERT_TRUE(chooseFromContextMenu(ui.lineText(1), QStringLiteral("edit-undo")));
  EXPECT_EQ(ui.model().currentButton, 1) << "another page's step, not the field's own typing";
  EXPECT_EQ(ui.model().lineText[1][1], start.lineText[1][1]);
  ASSERT_TRUE(chooseFromContextMenu(ui.firstNumberBox(), QStringLiteral("edit-redo")));
  EXPECT_EQ(ui.model().lineText[1][1], start.lineText[1][1] + QStringLiteral("AB"));
}

TEST_F(WindowHistoryTest, ALinkToAnotherButtonsSequenceIsUndoneWhole) {
  clickTab(0);
  ui.lastNumberBox()->setValue(40);
  clickTab(1);
  const ConfigModel before = ui.model();
  choose(ui.letterList(), 0);  // button 2 takes "A": it follows button 1 and its numbers
  ASSERT_EQ(ui.rangeLabel()->text(), QStringLiteral("Igual Botão 1"));
  ASSERT_EQ(ui.model().lastNumber[2], 40);
  ASSERT_FALSE(ui.lastNumberBox()->isEnabled());

  click(ui.undoButton());
  EXPECT_EQ(ui.model(), before);
  EXPECT_EQ(ui.rangeLabel()->text(), QStringLiteral("De: b00 a b99"));
  EXPECT_EQ(ui.lastNumberBox()->value(), 99);
  EXPECT_TRUE(ui.lastNumberBox()->isEnabled());
  EXPECT_EQ(ui.letterList()->text(), QStringLiteral("b"));
  click(ui.undoButton());  // the end number of button 1, on its page
  EXPECT_EQ(ui.model().currentButton, 1);
  EXPECT_EQ(ui.lastNumberBox()->value(), 99);
  EXPECT_EQ(QApplication::focusWidget(), ui.lastNumberBox());
}

TEST_F(WindowHistoryTest, APictureOpenedOverAnotherIsUndoneWithItsRaster) {
  const SourcePicture first = ui.sourcePicture();
  const QImage firstRaster = ui.logoRaster().image();
  QImage black(60, 30, QImage::Format_RGB32);
  black.fill(Qt::black);
  QImage grey(60, 30, QImage::Format_RGB32);
  grey.fill(QColor(200, 200, 200));
  for (const auto& [name, image] : {std::pair{"black.png", black}, std::pair{"grey.png", grey}}) {
    dialogs->fileAnswers.push_back(
        writeFileIn(dir.path(), QString::fromLatin1(name), encodedPicture(image, "PNG")));
    click(ui.openPictureButton());
  }
  const QImage greyRaster = ui.logoRaster().image();
  const QImage blackRaster = [&] {
    undoKey();
    return ui.logoRaster().image();
  }();
  EXPECT_NE(blackRaster, greyRaster);
  EXPECT_EQ(ui.logoPreview()->picture(), blackRaster) << "the preview follows at once";
  EXPECT_EQ(ui.undoButton()->toolTip(), QStringLiteral("Desfazer: imagem do logotipo"));

  undoKey();
  EXPECT_EQ(ui.sourcePicture(), first);
  EXPECT_EQ(ui.logoRaster().image(), firstRaster);
  EXPECT_EQ(ui.logoPicture()->picture().size(), QSize(300, 90));
  redoKey();
  redoKey();
  EXPECT_EQ(ui.logoRaster().image(), greyRaster);
}

TEST_F(WindowHistoryTest, UndoingBackToTheSavedPairLeavesNothingToSave) {
  click(ui.totalCutButton());
  dialogs->fileAnswers.push_back(dir.filePath(QStringLiteral("sala.cfg")));
  click(ui.saveButton());
  ASSERT_FALSE(ui.model().unsavedChanges);

  // Changes that mark nothing without a history are steps too.
  click(ui.beepBox());
  click(ui.lineExpanded(1));
  ui.contrastBar()->setFocus();
  for (int i = 0; i < 5; ++i) QTest::keyClick(ui.contrastBar(), Qt::Key_Right);  // held: one step
  EXPECT_EQ(ui.history().count(), 4);
  EXPECT_TRUE(ui.model().unsavedChanges);

  for (int i = 0; i < 3; ++i) click(ui.undoButton());
  EXPECT_EQ(ui.contrastBar()->value(), 127);
  EXPECT_TRUE(ui.beepBox()->isChecked());
  EXPECT_TRUE(ui.totalCutButton()->isChecked());
  EXPECT_FALSE(ui.model().unsavedChanges);
  const int boxes = boxCount();
  EXPECT_TRUE(ui.confirmClose());
  EXPECT_EQ(boxCount(), boxes) << "closing asks nothing";

  click(ui.undoButton());  // before the save: unsaved again
  EXPECT_TRUE(ui.partialCutButton()->isChecked());
  EXPECT_FALSE(ui.confirmClose());
  EXPECT_EQ(dialogs->boxes.back().text, QStringLiteral("Deseja salvar alterações efetuadas ?"));
}

}  // namespace
}  // namespace vx::test
