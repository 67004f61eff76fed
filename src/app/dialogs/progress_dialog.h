#pragma once
// The progress dialog "Comunicação": shown, without being modal, while a transmission job
// runs; it has no logic of its own — the jobs set ProgressBar1's maximum and position, and
// the main window keeps Label4, the time left, up to date.

#include <QDialog>
#include <QLabel>

#include "app/widgets/progress_bar.h"

namespace vx {

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  ProgressBar* ProgressBar1;
  QLabel* Label4;  // "Tempo restante: 1 min 12 s", under the bar
  QLabel* Label3;

 protected:
  // The dialog offers no way to interrupt a job: Escape does not close it.
  void reject() override {}
};

}  // namespace vx
