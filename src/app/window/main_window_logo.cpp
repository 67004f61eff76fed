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
void TForm1::setSourcePicture(SourcePicture picture) {
  sourcePicture = std::move(picture);
  showLogoBox();
}

// Image3 is the white backdrop, 400 × H at the box's left edge; Image1 the source picture
// scaled to exactly W × H, centred from logoBoxLeft.
void TForm1::showLogoBox() {
  const int h = ScrollBar1->value();
  const int w = ScrollBar2->value();
  Image3->setGeometry(Image3->x(), Image3->y(), kLogoBoxWidth, h);
  Image3->setVisible(h > 0);
  Image1->setGeometry(logoBoxLeft + logoPictureLeft(w), Image1->y(), w, h);
  Image1->setVisible(h > 0);
  if (h > 0) Image1->setPicture(scaledPicture(sourcePicture.image, w, h));
}

void TForm1::ScrollBar1Change() {
  showLogoBox();
  atualiza_senha();
  // The rows that would print change with the height, even before the next preview update.
  showBlackShare();
}

void TForm1::ScrollBar2Change() { showLogoBox(); }

void TForm1::ScrollBar3Change() {
  // The new threshold takes effect at the next preview update.
}

void TForm1::CheckBox1Click() {
  if (!CheckBox1->isChecked()) {
    savedLogoHeight = ScrollBar1->value();
    ScrollBar1->setMinimum(0);
    ScrollBar1->setValue(0);
    ScrollBar1->setEnabled(false);
    model.unsavedChanges = 1;
  } else {
    ScrollBar1->setEnabled(true);
    ScrollBar1->setMinimum(kMinLogoHeight);
    ScrollBar1->setValue(savedLogoHeight);
  }
}

void TForm1::BitBtn11Click() {
  model.unsavedChanges = 1;
  renderLogoRaster(logoRaster, sourcePicture.image, ScrollBar2->value(), ScrollBar1->value(), ScrollBar3->value());
  Image2->setPicture(logoRaster.image());
  showBlackShare();
}

void TForm1::BitBtn15Click() {
  const QString name = dialogs().fileDialog(FileDialogKind::OpenPicture, tr("Abrir imagem"),
                                            pictureDialogFilter(), pictureDialogName);
  if (name.isEmpty()) return;
  openPictureFile(name);
}

void TForm1::openPictureFile(const QString& name) {
  pictureDialogName = name;
  // A file that cannot be read or is not a usable picture throws before anything changes.
  setSourcePicture(loadLogoPicture(name));
  BitBtn11Click();
  atualiza_senha();
}

void TForm1::suggestButtonClick() {
  // While the logo is off the picture is judged at the height it will have when switched on.
  int h = ScrollBar1->value();
  if (h == 0) h = savedLogoHeight > 0 ? savedLogoHeight : kLogoBoxMaxHeight;
  const std::optional<int> t = suggestThreshold(scaledPicture(sourcePicture.image, ScrollBar2->value(), h));
  // As if the operator moved the control: its own change handler runs, nothing else.
  if (t) ScrollBar3->setValue(*t);
}

void TForm1::showBlackShare() {
  blackShareLabel->setText(blackShareText(blackDotPercent(logoRaster, ScrollBar1->value())));
}

void TForm1::Timer2Timer() {
  Timer2->stop();
  BitBtn11Click();
}

}  // namespace vx
