#pragma once
// The one way tests and benchmarks reach into the main window. Controls are found by the
// names they carry in the window's object tree ("openButton", "lineText1", "logoHeightBar",
// …), as an operator's tools see them; what no control shows (the configuration being
// edited, the logo pictures, the state of a run) is read here; and the handlers the tests run
// without a control (the timers' ticks, the close query) are run from here. The window itself
// makes public only what the program's start-up uses, and what every window has (title, close,
// show).

#include "app/dialogs/progress_dialog.h"
#include "app/regions/button_panel.h"
#include "app/widgets/controls.h"
#include "app/widgets/progress_bar.h"
#include "app/window/main_window.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QString>
#include <QTimer>

#include <stdexcept>

namespace vx::test {

class WindowDriver {
 public:
  WindowDriver() = default;
  explicit WindowDriver(MainWindow& window) : w_(&window) {}

  // The window's control called `name` (its own or its progress dialog's); throws when there
  // is none, or it is not a W.
  template <class W = QWidget>
  W* control(const QString& name) const {
    return as<W>(find(*w_, name), name);
  }

  // The command row.
  QPushButton* openButton() const { return button("openButton"); }
  QPushButton* saveButton() const { return button("saveButton"); }
  QPushButton* sendAllButton() const { return button("sendAllButton"); }
  QPushButton* sendAllWithoutLogoButton() const { return button("sendAllWithoutLogoButton"); }
  QPushButton* setClockButton() const { return button("setClockButton"); }
  ComboBox* portList() const { return control<ComboBox>(QStringLiteral("portList")); }
  QPushButton* serialPortsButton() const { return button("serialPortsButton"); }
  CheckBox* beepBox() const { return checkBox("beepBox"); }
  CheckBox* resetAtDayEndBox() const { return checkBox("resetAtDayEndBox"); }
  CheckBox* twoCopiesBox() const { return checkBox("twoCopiesBox"); }
  QToolButton* undoButton() const { return control<QToolButton>(QStringLiteral("undoButton")); }
  QToolButton* redoButton() const { return control<QToolButton>(QStringLiteral("redoButton")); }

  // The button page.
  TabBar* buttonTabs() const { return control<TabBar>(QStringLiteral("buttonTabs")); }
  ButtonPanel* buttonPicture() const { return control<ButtonPanel>(QStringLiteral("buttonPicture")); }
  // Button 1..4 drawn pressed over the button picture.
  Image* pressedButton(int b) const { return image(QStringLiteral("pressedButton%1").arg(b)); }
  QLabel* pageTitleLabel() const { return label("pageTitleLabel"); }
  QLabel* rangeLabel() const { return label("rangeLabel"); }
  ComboBox* letterList() const { return control<ComboBox>(QStringLiteral("letterList")); }
  ComboBox* printLetterList() const { return control<ComboBox>(QStringLiteral("printLetterList")); }
  SpinEdit* firstNumberBox() const { return control<SpinEdit>(QStringLiteral("firstNumberBox")); }
  SpinEdit* lastNumberBox() const { return control<SpinEdit>(QStringLiteral("lastNumberBox")); }
  QPushButton* sendSettingsButton() const { return button("sendSettingsButton"); }

  // The logo frame.
  ScrollBar* logoHeightBar() const { return scrollBar("logoHeightBar"); }
  ScrollBar* logoWidthBar() const { return scrollBar("logoWidthBar"); }
  ScrollBar* contrastBar() const { return scrollBar("contrastBar"); }
  Image* logoPicture() const { return image(QStringLiteral("logoPicture")); }
  Image* logoBackdrop() const { return image(QStringLiteral("logoBackdrop")); }
  QPushButton* openPictureButton() const { return button("openPictureButton"); }
  QPushButton* updatePictureButton() const { return button("updatePictureButton"); }
  QPushButton* suggestButton() const { return button("suggestButton"); }
  QLabel* blackShareLabel() const { return label("blackShareLabel"); }
  CheckBox* printLogoBox() const { return checkBox("printLogoBox"); }
  QPushButton* sendLogoButton() const { return button("sendLogoButton"); }

  // The text frame: ticket line l (1..8), its text and its "Habilitar linha" and "Expandido"
  // boxes; the paper cut and the text command.
  LineEdit* lineText(int l) const { return control<LineEdit>(QStringLiteral("lineText%1").arg(l)); }
  CheckBox* lineEnabled(int l) const { return control<CheckBox>(QStringLiteral("lineEnabled%1").arg(l)); }
  CheckBox* lineExpanded(int l) const { return control<CheckBox>(QStringLiteral("lineExpanded%1").arg(l)); }
  QLabel* textTitleLabel() const { return label("textTitleLabel"); }
  RadioButton* partialCutButton() const { return control<RadioButton>(QStringLiteral("partialCutButton")); }
  RadioButton* totalCutButton() const { return control<RadioButton>(QStringLiteral("totalCutButton")); }
  QPushButton* sendTextsButton() const { return button("sendTextsButton"); }

  // The ticket preview: line l (1..8) as printed, "SENHA", the clock, the logo raster and the
  // paper under it.
  QLabel* previewLine(int l) const { return control<QLabel>(QStringLiteral("previewLine%1").arg(l)); }
  QLabel* previewTitleLabel() const { return label("previewTitleLabel"); }
  QLabel* ticketWordLabel() const { return label("ticketWordLabel"); }
  QLabel* clockLabel() const { return label("clockLabel"); }
  Image* logoPreview() const { return image(QStringLiteral("logoPreview")); }
  Image* ticketPaper() const { return image(QStringLiteral("ticketPaper")); }
  Image* sampleNumber() const { return image(QStringLiteral("sampleNumber")); }

  // The timers.
  QTimer* previewClock() const { return control<QTimer>(QStringLiteral("previewClock")); }
  QTimer* firstRasterTimer() const { return control<QTimer>(QStringLiteral("firstRasterTimer")); }
  // Made by startRecovery.
  QTimer* recoveryTimer() const { return control<QTimer>(QStringLiteral("recoveryTimer")); }

  // The progress dialog "Comunicação" and its controls.
  ProgressDialog& progressDialog() const { return w_->progressDialog(); }
  ProgressBar* progressBar() const { return control<ProgressBar>(QStringLiteral("progressBar")); }
  QLabel* communicatingLabel() const { return label("communicatingLabel"); }
  QLabel* timeLeftLabel() const { return label("timeLeftLabel"); }

  // What the window holds beyond its controls. Hidden buttons' settings only change through
  // a file, so tests that need them set the configuration here.
  ConfigModel& model() const { return w_->model; }
  const SourcePicture& sourcePicture() const { return w_->sourcePicture; }
  const LogoRaster& logoRaster() const { return w_->logoRaster; }
  std::int32_t savedLogoHeight() const { return w_->savedLogoHeight; }
  std::int32_t logoBoxLeft() const { return w_->logoBoxLeft; }
  bool jobRunning() const { return w_->jobRunning_; }
  const EditHistory& history() const { return w_->history_; }
  // The port the jobs open: the port list's choice, or the last one it named.
  ComPort jobsPort() const;
  SerialDeviceWatch& deviceWatch() const { return *w_->deviceWatch; }
  // The names the file dialogs last offered.
  QString openDialogName() const { return w_->openDialogName; }
  QString pictureDialogName() const { return w_->pictureDialogName; }

  // Handlers run without their control: a press at a point of the button picture, the
  // timers' ticks, the close query, the picture update, a picture file opened or replaced.
  void chooseButtonAt(int x, int y) const { w_->chooseButtonAt(x, y); }
  void updatePreviewClock() const { w_->updatePreviewClock(); }
  // Takes the pair as it stands for the one last saved: nothing unsaved from here on.
  void forgetChanges() const {
    w_->history_.setClean();
    w_->pairChanged();
  }
  bool confirmClose() const { return w_->confirmClose(); }
  void updateLogoRaster() const { w_->updateLogoRaster(); }
  void openPictureFile(const QString& name) const { w_->openPictureFile(name); }
  void setSourcePicture(SourcePicture picture) const { w_->setSourcePicture(std::move(picture)); }
  // The recovery timer's tick, and the wait for the writes it handed over.
  void keepRecoveryCopy() const { w_->keepRecoveryCopy(); }
  void waitForRecoveryWrites() const { w_->recoveryWriter_->waitForWrites(); }

 private:
  QPushButton* button(const char* name) const { return control<QPushButton>(QString::fromLatin1(name)); }
  CheckBox* checkBox(const char* name) const { return control<CheckBox>(QString::fromLatin1(name)); }
  ScrollBar* scrollBar(const char* name) const { return control<ScrollBar>(QString::fromLatin1(name)); }
  QLabel* label(const char* name) const { return control<QLabel>(QString::fromLatin1(name)); }
  Image* image(const QString& name) const { return control<Image>(name); }
  // The one object called `name` under `root`.
  static QObject* find(QObject& root, const QString& name);
  template <class W>
  static W* as(QObject* o, const QString& name) {
    if (auto* w = dynamic_cast<W*>(o)) return w;
    throw std::logic_error("the window has no control " + name.toStdString() + " of the type asked for");
  }

  MainWindow* w_ = nullptr;
};

}  // namespace vx::test
