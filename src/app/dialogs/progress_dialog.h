#pragma once
// The progress dialog "Comunicação": shown, without being modal, while a transmission job
// runs; it has no logic of its own — the jobs set the bar's maximum and position, and the
// main window keeps the time left under it up to date.

#include <QDialog>
#include <QLabel>

#include "app/widgets/progress_bar.h"

namespace vx {

class ProgressDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressDialog(QWidget* parent = nullptr);

  QLabel* communicatingLabel;
  QLabel* pleaseWaitLabel;
  ProgressBar* progressBar;
  QLabel* timeLeftLabel;    // "Tempo restante: 1 min 12 s", under the bar
  QLabel* resendNoteLabel;  // to send again when the printer keeps beeping after a job

 protected:
  // The dialog offers no way to interrupt a job: Escape does not close it.
  void reject() override {}
};

}  // namespace vx
