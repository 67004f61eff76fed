// The button page: the choice of the button, its numbering and the links between buttons.
// The rules are the editor's (src/editor); these handlers read the controls, call them and
// write the controls.

#include "app/window/main_window.h"
#include "editor/button_numbering.h"
#include "editor/button_page.h"

namespace vx {

void MainWindow::showSelectedButton() {
  for (int b = 1; b <= kPrinterButtons; ++b) pressedButtons[b]->setVisible(false);
  const int n = buttonTabs->currentIndex() + 1;
  pressedButtons[n]->setVisible(true);
  model.currentButton = n;

  const ButtonPageLoad page = buttonPage(model, n);
  pageTitleLabel->setText(page.pageTitle);
  previewTitleLabel->setText(page.ticketTitle);
  textTitleLabel->setText(page.ticketTitle);

  // No stored number may be clipped while it is loaded.
  firstNumberBox->setMaxValue(NumberingView::kMaxUnprintedNumber);
  lastNumberBox->setMaxValue(NumberingView::kMaxUnprintedNumber);
  {
    // The controls' handlers run for every change (keeping enabled states, fonts and the
    // preview in step) but store nothing back into the tables being loaded.
    LoadingScope loading(model);
    for (int l = 1; l <= kLines; ++l) lines[l].text->setText(model.lineText[l][n]);
    for (int l = 1; l <= kLines; ++l) lines[l].enabled->setChecked(model.lineEnabled[l][n] != 0);
    for (int l = 1; l <= kLines; ++l) lines[l].expanded->setChecked(model.lineExpanded[l][n] != 0);
    firstNumberBox->setValue(page.start);
    lastNumberBox->setValue(page.end);
    letterList->setItemIndex(page.letterItem);
    if (page.letterItem < 0 && !page.letterText.isEmpty()) letterList->setEditText(page.letterText);
    printLetterList->setItemIndex(page.printLetter ? 0 : 1);
  }
  storeNumbering();
}

void MainWindow::chooseButtonAt(int x, int y) {
  buttonTabs->setTabIndex(buttonAtPanelPoint(x, y) - 1);
  showSelectedButton();
}

void MainWindow::storeNumbering() {
  markUnsaved();
  if (model.loading == 1) return;

  NumberingInput input;
  input.inactive = letterList->itemIndex() == kInactiveItem;
  input.letterText = letterList->text();
  input.printLetter = printLetterList->itemIndex() != 1;
  input.start = firstNumberBox->value();
  input.end = lastNumberBox->value();
  const int b = model.currentButton;
  const NumberingResult result = applyNumbering(model, b, input);
  setNumbering(model, b, result.numbering);
  showNumbering(result.view);
}

// Writes the numbering rule's view into the page. Each value change re-runs storeNumbering,
// which finds the values it is given already in order: the nesting ends in the same state.
void MainWindow::showNumbering(const NumberingView& view) {
  if (view.state == ButtonState::Inactive) {
    rangeLabel->setText(view.rangeText);
    return;
  }
  if (view.warnStartAboveEnd) {
    // The start is lowered to the end as it stands; the re-run completes before the box.
    firstNumberBox->setValue(lastNumberBox->value());
    dialogs().messageBox(tr("Valor inválido"), tr("   O número de início deve ser menor que o de término."),
                         MessageIcon::Warning, MessageButtons::Ok);
  }
  if (view.state == ButtonState::Following) {
    printLetterList->setItemIndex(view.printLetter ? 0 : 1);
    // The earlier button's numbers are not the operator's input: they are shown without
    // being checked against each other again (which would warn about a start the operator
    // never entered).
    LoadingScope loading(model);
    lastNumberBox->setValue(view.end);
    firstNumberBox->setValue(view.start);
  } else {
    // The start first: it never lies above the new end, so the re-runs find no fault.
    firstNumberBox->setValue(view.start);
    lastNumberBox->setValue(view.end);
  }
  firstNumberBox->setMaxValue(view.maxValue);
  lastNumberBox->setMaxValue(view.maxValue);
  rangeLabel->setText(view.rangeText);
  if (view.state == ButtonState::Following)
    disableButtonPage();
  else
    enableButtonPage();
}

void MainWindow::enableButtonPage() {
  previewTitleLabel->setEnabled(true);
  textTitleLabel->setEnabled(true);
  firstNumberBox->setEnabled(true);
  lastNumberBox->setEnabled(true);
  for (int l = 1; l <= kLines; ++l)
    if (lines[l].enabled->isChecked()) lines[l].text->setEnabled(true);
  for (int l = 1; l <= kLines; ++l) lines[l].enabled->setEnabled(true);
  printLetterList->setEnabled(true);
}

void MainWindow::disableButtonPage() {
  previewTitleLabel->setEnabled(false);
  textTitleLabel->setEnabled(false);
  firstNumberBox->setEnabled(false);
  lastNumberBox->setEnabled(false);
  for (int l = 1; l <= kLines; ++l) lines[l].text->setEnabled(false);
  for (int l = 1; l <= kLines; ++l) lines[l].enabled->setEnabled(false);
  printLetterList->setEnabled(false);
}

void MainWindow::markUnsaved() {
  model.unsavedChanges = 1;
  scheduleRecoveryWrite();
}

}  // namespace vx
