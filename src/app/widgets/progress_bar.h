#pragma once
// The progress dialog's bar. A job sets its position once per byte sent; the bar only
// schedules a repaint (done at the job's next message pump), so a byte's hand-over never
// waits for drawing.

#include <QWidget>

namespace vx {

class ProgressBar : public QWidget {
  Q_OBJECT
 public:
  explicit ProgressBar(QWidget* parent = nullptr);
  void setMinimum(int v);
  void setMaximum(int v);
  void setValue(int v);
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  int value() const { return value_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};

}  // namespace vx
