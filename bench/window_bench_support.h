#pragma once
// What the window benchmarks share: dialogs that never wait for an operator, a steady
// clock in milliseconds, and the median of a run of figures.

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/dialogs/dialogs.h"

namespace vx::bench {

// Every box answered with OK or Yes, every file dialog cancelled. Boxes are counted and
// printed; a benchmark expects none.
class AnsweringDialogs : public Dialogs {
 public:
  explicit AnsweringDialogs(int* counter = nullptr) : counter_(counter ? counter : &shown) {}
  MessageAnswer messageBox(const QString& title, const QString& text, MessageIcon,
                           MessageButtons buttons) override {
    ++*counter_;
    std::printf("  box shown: %s: %s\n", qPrintable(title), qPrintable(text));
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  QString fileDialog(FileDialogKind, const QString&, const QString&, const QString&) override { return {}; }
  int shown = 0;

 private:
  int* counter_;
};

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace vx::bench
