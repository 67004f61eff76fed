#pragma once
// The one way tests and benchmarks reach into the main window. Controls are found by the
// names they carry in the window's object tree, the system's own names ("Edit6", "BitBtn3",
// "ScrollBar1", …), as an operator's tools see them; what no control shows (the configuration
// being edited, the logo pictures, the state of a run) is read here; and the few handlers that
// no control of the window runs are run from here. The window itself makes public only what
// the program's start-up uses, and what every window has (title, close, show).

#include "app/regions/button_panel.h"
#include "app/widgets/controls.h"
#include "app/widgets/progress_bar.h"
#include "app/window/main_window.h"
#include "app/dialogs/progress_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include <stdexcept>

namespace vx::test {

class WindowDriver {
 public:
  WindowDriver() = default;
  explicit WindowDriver(TForm1& window) : w_(&window) {}

  // The main window's control called `name` (never one of the progress dialog's); throws
  // when there is none, or it is not a W.
  template <class W = QWidget>
  W* control(const QString& name) const {
    return as<W>(find(*w_, name, true), name);
  }
  LineEdit* edit(int n) const { return control<LineEdit>(numbered("Edit", n)); }
  CheckBox* checkBox(int n) const { return control<CheckBox>(numbered("CheckBox", n)); }
  ComboBox* comboBox(int n) const { return control<ComboBox>(numbered("ComboBox", n)); }
  SpinEdit* spinEdit(int n) const { return control<SpinEdit>(numbered("SpinEdit", n)); }
  ScrollBar* scrollBar(int n) const { return control<ScrollBar>(numbered("ScrollBar", n)); }
  RadioButton* radioButton(int n) const { return control<RadioButton>(numbered("RadioButton", n)); }
  QPushButton* bitBtn(int n) const { return control<QPushButton>(numbered("BitBtn", n)); }
  QLabel* label(int n) const { return control<QLabel>(numbered("Label", n)); }
  Image* image(int n) const { return control<Image>(numbered("Image", n)); }
  QTimer* timer(int n) const { return control<QTimer>(numbered("Timer", n)); }
  TabBar* pageControl() const { return control<TabBar>(QStringLiteral("PageControl1")); }
  ButtonPanel* buttonPicture() const { return control<ButtonPanel>(QStringLiteral("Image10")); }
  // Ticket line l (1..8): its text, "Ativar" and "Expandido" boxes, and its line of the preview.
  LineEdit* lineEdit(int l) const { return w_->lineEdit.at(l); }
  CheckBox* lineEnabled(int l) const { return w_->lineEnabled.at(l); }
  CheckBox* lineExpanded(int l) const { return w_->lineExpanded.at(l); }
  QLabel* lineLabel(int l) const { return w_->lineLabel.at(l); }

  // The progress dialog "Comunicação" and its controls.
  TForm2& progressDialog() const { return w_->Form2(); }
  ProgressBar* progressBar() const { return progressControl<ProgressBar>(QStringLiteral("ProgressBar1")); }
  template <class W = QWidget>
  W* progressControl(const QString& name) const {
    return as<W>(find(w_->Form2(), name, false), name);
  }

  // What the window holds beyond its controls. Hidden buttons' settings only change through
  // a file, so tests that need them set the configuration here.
  ConfigModel& model() const { return w_->model; }
  const SourcePicture& sourcePicture() const { return w_->sourcePicture; }
  const LogoRaster& logoRaster() const { return w_->logoRaster; }
  std::int32_t savedLogoHeight() const { return w_->savedLogoHeight; }
  std::int32_t logoBoxLeft() const { return w_->logoBoxLeft; }
  bool jobRunning() const { return w_->jobRunning(); }
  TCommPort jobsPort() const { return w_->jobsPort(); }
  SerialDeviceWatch& deviceWatch() const { return *w_->deviceWatch; }
  QString ticketDescription() const { return w_->ticketDescription(); }
  // The names the file dialogs last offered.
  QString openDialogName() const { return w_->openDialogName; }
  QString pictureDialogName() const { return w_->pictureDialogName; }

  // Handlers no control of the window runs: a press at a point of the button picture, the
  // timers' ticks, the close query, the picture update, a picture file opened or replaced.
  void Image10MouseDown(int x, int y) const { w_->Image10MouseDown(x, y); }
  void Timer1Timer() const { w_->Timer1Timer(); }
  void Timer3Timer() const { w_->Timer3Timer(); }
  bool FormCloseQuery() const { return w_->FormCloseQuery(); }
  void BitBtn11Click() const { w_->BitBtn11Click(); }
  void openPictureFile(const QString& name) const { w_->openPictureFile(name); }
  void setSourcePicture(SourcePicture picture) const { w_->setSourcePicture(std::move(picture)); }

 private:
  static QString numbered(const char* kind, int n) { return QString::fromLatin1(kind) + QString::number(n); }
  // The one object called `name` under `root`; with `ownOnly`, not inside the progress dialog.
  static QObject* find(QObject& root, const QString& name, bool ownOnly);
  template <class W>
  static W* as(QObject* o, const QString& name) {
    if (auto* w = dynamic_cast<W*>(o)) return w;
    throw std::logic_error("the window has no control " + name.toStdString() + " of the type asked for");
  }

  TForm1* w_ = nullptr;
};

}  // namespace vx::test
