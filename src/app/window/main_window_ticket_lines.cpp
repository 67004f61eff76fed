// The ticket lines of the page and the live ticket preview with its clock.

#include "app/widgets/fonts.h"
#include "app/window/main_window.h"
#include "editor/button_page.h"
#include "editor/preview_layout.h"

#include <QDateTime>
#include <QLocale>

namespace vx {
void MainWindow::storeAndPreviewLines() {
  storeLines();
  updateTicketPreview();
}

void MainWindow::applyLineEnabled(int line) {
  storeLines();
  updateTicketPreview();
  const bool on = lines[line].enabled->isChecked();
  lines[line].text->setEnabled(on);
  lines[line].expanded->setEnabled(on);
  previewLines[line]->setVisible(on);
}

void MainWindow::applyLineExpanded(int line) {
  storeLines();
  const bool expanded = lines[line].expanded->isChecked();
  const int limit = lineLimit(expanded);
  previewLines[line]->setFont(expanded ? ticketFont(16, true) : ticketFont(8, false));
  // Expanding cuts a longer text (its change handler stores it and lays the preview out);
  // a text cut earlier stays cut.
  const QString text = lines[line].text->text();
  if (expanded && text.size() > limit) lines[line].text->setText(text.left(limit));
  lines[line].text->setLimit(limit);
}

void MainWindow::storeLines() {
  if (model.loading) return;
  copyLinesToModel(model.currentButton);
}

void MainWindow::copyLinesToModel(int button) {
  for (int l = 1; l <= kLines; ++l) {
    model.lineText[l][button] = lines[l].text->text();
    model.lineEnabled[l][button] = lines[l].enabled->isChecked();
    model.lineExpanded[l][button] = lines[l].expanded->isChecked();
  }
}

void MainWindow::updateTicketPreview() {
  std::array<bool, kLines + 1> lineOn{};
  for (int l = 1; l <= kLines; ++l) {
    previewLines[l]->setText(lines[l].text->text());
    lineOn[l] = lines[l].enabled->isChecked();
  }
  placePreview(previewLayout(lineOn, logoHeightBar->value()));
}

void MainWindow::updatePreviewClock() {
  // The window's one clock, the same the clock job sends to the printer.
  const QDateTime now = pacer().now();
  const QLocale locale = QLocale::system();
  clockLabel->setText(locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("   ") +
                      now.time().toString(clockTimeFormat(locale.timeFormat(QLocale::LongFormat))));
}

}  // namespace vx
