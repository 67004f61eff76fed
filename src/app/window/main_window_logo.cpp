// The logo box (source picture scaled to W × H over a white backdrop), its controls, and
// the preview update that thresholds the box into the logo raster.

#include "app/window/main_window.h"
#include "logo/contrast.h"
#include "logo/logo_box.h"
#include "logo/logo_preview.h"
#include "logo/logo_raster.h"
#include "logo/logo_upload.h"
#include "logo/picture_reader.h"

namespace vx {

void MainWindow::setSourcePicture(SourcePicture picture) {
  sourcePicture = std::move(picture);
  showLogoBox();
}

// The white backdrop is 400 × H at the box's left edge; the source picture is scaled to
// exactly W × H over it, centred from logoBoxLeft.
void MainWindow::showLogoBox() {
  const int h = logoHeightBar->value();
  const int w = logoWidthBar->value();
  logoBackdrop->setGeometry(logoBackdrop->x(), logoBackdrop->y(), kLogoBoxWidth, h);
  logoBackdrop->setVisible(h > 0);
  logoPicture->setGeometry(logoBoxLeft + logoPictureLeft(w), logoPicture->y(), w, h);
  logoPicture->setVisible(h > 0);
  if (h > 0) logoPicture->setPicture(scaledPicture(sourcePicture.image, w, h));
}

void MainWindow::applyLogoHeight() {
  showLogoBox();
  updateTicketPreview();
  // The rows that would print change with the height, even before the next preview update.
  showBlackShare();
}

void MainWindow::applyPrintLogo() {
  if (!printLogoBox->isChecked()) {
    savedLogoHeight = logoHeightBar->value();
    logoHeightBar->setMinimum(0);
    logoHeightBar->setValue(0);
    logoHeightBar->setEnabled(false);
    markUnsaved();
  } else {
    logoHeightBar->setEnabled(true);
    logoHeightBar->setMinimum(kMinLogoHeight);
    logoHeightBar->setValue(savedLogoHeight);
  }
}

void MainWindow::updateLogoRaster() {
  markUnsaved();
  renderLogoRaster(logoRaster, sourcePicture.image, logoWidthBar->value(), logoHeightBar->value(),
                   contrastBar->value());
  logoPreview->setPicture(logoRaster.image());
  showBlackShare();
}

void MainWindow::choosePicture() {
  const QString name = dialogs().fileDialog(FileDialogKind::OpenPicture, tr("Abrir imagem"),
                                            pictureDialogFilter(), pictureDialogName);
  if (name.isEmpty()) return;
  openPictureFile(name);
}

void MainWindow::openPictureFile(const QString& name) {
  pictureDialogName = name;
  // A file that cannot be read or is not a usable picture throws before anything changes.
  setSourcePicture(loadLogoPicture(name));
  updateLogoRaster();
  updateTicketPreview();
}

void MainWindow::suggestContrast() {
  // While the logo is off the picture is judged at the height it will have when switched on.
  int h = logoHeightBar->value();
  if (h == 0) h = savedLogoHeight > 0 ? savedLogoHeight : kLogoBoxMaxHeight;
  const std::optional<int> t = suggestThreshold(scaledPicture(sourcePicture.image, logoWidthBar->value(), h));
  // As if the operator moved the control: its own change handler runs, nothing else.
  if (t) contrastBar->setValue(*t);
}

void MainWindow::showBlackShare() {
  blackShareLabel->setText(blackShareText(blackDotPercent(logoRaster, logoHeightBar->value())));
}

void MainWindow::computeFirstRaster() {
  firstRasterTimer->stop();
  updateLogoRaster();
}

}  // namespace vx
