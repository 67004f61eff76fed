// The button page (selection, numbering, links between buttons), the ticket lines and the
// live ticket preview. The rules are the editor's (src/editor); these handlers read the
// controls, call them and write the controls.

#include "app/widgets/fonts.h"
#include "app/window/main_window.h"
#include "editor/button_numbering.h"
#include "editor/button_page.h"
#include "editor/preview_layout.h"

#include <QDateTime>
#include <QLocale>

namespace vx {
namespace {

// The system's long time format without a time-zone field: the clock shows local time.
QString longTimeFormat() {
  QString f = QLocale::system().timeFormat(QLocale::LongFormat);
  f.remove(QLatin1Char('t'));
  return f.trimmed();
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Button page

void TForm1::PageControl1Change() {
  for (int b = 1; b <= kPrinterButtons; ++b) highlight(b)->setVisible(false);
  const int n = PageControl1->currentIndex() + 1;
  highlight(n)->setVisible(true);
  model.currentButton = n;

  const ButtonPageLoad page = buttonPage(model, n);
  Label35->setText(page.pageTitle);
  Label1->setText(page.ticketTitle);
  Label2->setText(page.ticketTitle);

  // No stored number may be clipped while it is loaded.
  SpinEdit12->setMaxValue(NumberingView::kMaxUnprintedNumber);
  SpinEdit13->setMaxValue(NumberingView::kMaxUnprintedNumber);
  {
    // The controls' handlers run for every change (keeping enabled states, fonts and the
    // preview in step) but store nothing back into the tables being loaded.
    LoadingScope loading(model);
    for (int l = 1; l <= kLines; ++l) lineEdit[l]->setText(model.lineText[l][n]);
    for (int l = 1; l <= kLines; ++l) lineEnabled[l]->setChecked(model.lineEnabled[l][n] != 0);
    for (int l = 1; l <= kLines; ++l) lineExpanded[l]->setChecked(model.lineExpanded[l][n] != 0);
    SpinEdit12->setValue(page.start);
    SpinEdit13->setValue(page.end);
    ComboBox5->setItemIndex(page.letterItem);
    if (page.letterItem < 0 && !page.letterText.isEmpty()) ComboBox5->setEditText(page.letterText);
    ComboBox6->setItemIndex(page.printLetter ? 0 : 1);
  }
  SpinEdit12Change();
}

void TForm1::Image10MouseDown(int x, int y) {
  PageControl1->setTabIndex(buttonAtPanelPoint(x, y) - 1);
  PageControl1Change();
}

void TForm1::Image11Click() { PageControl1->setTabIndex(0); }
void TForm1::Image12Click() { PageControl1->setTabIndex(1); }
void TForm1::Image13Click() { PageControl1->setTabIndex(2); }
void TForm1::Image14Click() { PageControl1->setTabIndex(3); }

void TForm1::SpinEdit12Change() {
  model.unsavedChanges = 1;
  if (model.loading == 1) return;

  NumberingInput input;
  input.inactive = ComboBox5->itemIndex() == kInativoItem;
  input.letterText = ComboBox5->text();
  input.printLetter = ComboBox6->itemIndex() != 1;
  input.start = SpinEdit12->value();
  input.end = SpinEdit13->value();
  const int b = model.currentButton;
  const NumberingResult result = applyNumbering(model, b, input);
  setNumbering(model, b, result.numbering);
  showNumbering(result.view);
}

// Writes the numbering rule's view into the page. Each value change re-runs SpinEdit12Change,
// which finds the values it is given already in order: the nesting ends in the same state.
void TForm1::showNumbering(const NumberingView& view) {
  if (view.state == ButtonState::Inactive) {
    Label30->setText(view.rangeText);
    return;
  }
  if (view.warnStartAboveEnd) {
    // The start is lowered to the end as it stands; the re-run completes before the box.
    SpinEdit12->setValue(SpinEdit13->value());
    dialogs().messageBox(tr("Valor inválido"), tr("   O número de início deve ser menor que o de término."),
                         MessageIcon::Warning, MessageButtons::Ok);
  }
  if (view.state == ButtonState::Following) {
    ComboBox6->setItemIndex(view.printLetter ? 0 : 1);
    // The earlier button's numbers are not the operator's input: they are shown without
    // being checked against each other again (which would warn about a start the operator
    // never entered).
    LoadingScope loading(model);
    SpinEdit13->setValue(view.end);
    SpinEdit12->setValue(view.start);
  } else {
    // The start first: it never lies above the new end, so the re-runs find no fault.
    SpinEdit12->setValue(view.start);
    SpinEdit13->setValue(view.end);
  }
  SpinEdit12->setMaxValue(view.maxValue);
  SpinEdit13->setMaxValue(view.maxValue);
  Label30->setText(view.rangeText);
  if (view.state == ButtonState::Following)
    Desativa();
  else
    Ativa();
}

void TForm1::Ativa() {
  Label1->setEnabled(true);
  Label2->setEnabled(true);
  SpinEdit12->setEnabled(true);
  SpinEdit13->setEnabled(true);
  for (int l = 1; l <= kLines; ++l)
    if (lineEnabled[l]->isChecked()) lineEdit[l]->setEnabled(true);
  for (int l = 1; l <= kLines; ++l) lineEnabled[l]->setEnabled(true);
  ComboBox6->setEnabled(true);
}

void TForm1::Desativa() {
  Label1->setEnabled(false);
  Label2->setEnabled(false);
  SpinEdit12->setEnabled(false);
  SpinEdit13->setEnabled(false);
  for (int l = 1; l <= kLines; ++l) lineEdit[l]->setEnabled(false);
  for (int l = 1; l <= kLines; ++l) lineEnabled[l]->setEnabled(false);
  ComboBox6->setEnabled(false);
}

void TForm1::RadioButton1Click() { model.unsavedChanges = 1; }
void TForm1::RadioButton2Click() { model.unsavedChanges = 1; }
void TForm1::CheckBox2Click() { model.unsavedChanges = 1; }

// ---------------------------------------------------------------------------------------
// Ticket lines

void TForm1::Edit6Change() {
  grava_texto();
  atualiza_senha();
}

void TForm1::lineEnabledClick(int line) {
  grava_texto();
  atualiza_senha();
  const bool on = lineEnabled[line]->isChecked();
  lineEdit[line]->setEnabled(on);
  lineExpanded[line]->setEnabled(on);
  lineLabel[line]->setVisible(on);
}

void TForm1::lineExpandedClick(int line) {
  grava_texto();
  const bool expanded = lineExpanded[line]->isChecked();
  const int limit = lineLimit(expanded);
  lineLabel[line]->setFont(expanded ? ticketFont(16, true) : ticketFont(8, false));
  // Expanding cuts a longer text (its change handler stores it and lays the preview out);
  // a text cut earlier stays cut.
  const QString text = lineEdit[line]->text();
  if (expanded && text.size() > limit) lineEdit[line]->setText(text.left(limit));
  lineEdit[line]->setLimit(limit);
}

void TForm1::grava_texto() {
  if (model.loading != 0) return;
  copyLinesToModel(model.currentButton);
}

void TForm1::copyLinesToModel(int button) {
  for (int l = 1; l <= kLines; ++l) {
    model.lineText[l][button] = lineEdit[l]->text();
    model.lineEnabled[l][button] = lineEnabled[l]->isChecked() ? 1 : 0;
    model.lineExpanded[l][button] = lineExpanded[l]->isChecked() ? 1 : 0;
  }
}

void TForm1::atualiza_senha() {
  model.unsavedChanges = 1;
  std::array<bool, kLines + 1> lineOn{};
  for (int l = 1; l <= kLines; ++l) {
    lineLabel[l]->setText(lineEdit[l]->text());
    lineOn[l] = lineEnabled[l]->isChecked();
  }
  placePreview(previewLayout(lineOn, ScrollBar1->value()));
}

void TForm1::Timer1Timer() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale = QLocale::system();
  Label15->setText(locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("   ") +
                   now.time().toString(longTimeFormat()));
}

}  // namespace vx
