// The main window created and shown (offscreen): constructing TForm1 with its start-up,
// showing it and letting the event loop lay it out and paint it, against a bare
// QMainWindow of the same size holding as many plain labels and push buttons as the main
// window has widgets. Runs alternate between the two after one warm-up of each.
// Gate: median of the main window <= 1.5 × median of the bare window.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/dialogs.h"
#include "app/tform1.h"
#include "protocol/steady_pacer.h"

namespace {

// Every box answered with OK or Yes, every file dialog cancelled: nothing waits for an
// operator. Boxes are counted; none is expected here.
class AnsweringDialogs : public vx::Dialogs {
 public:
  explicit AnsweringDialogs(int* shown) : shown_(shown) {}
  vx::MessageAnswer messageBox(const QString& title, const QString& text, vx::MessageIcon,
                               vx::MessageButtons buttons) override {
    ++*shown_;
    std::printf("  box shown: %s: %s\n", qPrintable(title), qPrintable(text));
    return buttons == vx::MessageButtons::Ok ? vx::MessageAnswer::Ok : vx::MessageAnswer::Yes;
  }
  QString fileDialog(vx::FileDialogKind, const QString&, const QString&, const QString&) override {
    return {};
  }

 private:
  int* shown_;
};

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Summary {
  double total;
  double created;
  double min;
  double max;
};

int boxesShown = 0;

struct Run {
  double created = 0;  // construction
  double total = 0;    // construction, show and the first layout and paint
};

// Creates and shows the main window; `widgets` gets its widget count.
Run mainWindowRun(int* widgets) {
  Run run;
  const auto start = Clock::now();
  auto form = std::make_unique<vx::TForm1>(std::make_unique<AnsweringDialogs>(&boxesShown),
                                           std::make_unique<vx::SteadyPacer>());
  run.created = msSince(start);
  form->show();
  QApplication::processEvents();
  run.total = msSince(start);
  *widgets = static_cast<int>(form->findChildren<QWidget*>().size());
  form->Timer1->stop();
  return run;
}

// The same number of plain widgets, alternately labels and push buttons with short
// captions, laid out in a grid over a window of the main window's size.
Run bareWindowRun(int widgets, QSize size, int* created) {
  Run run;
  const auto start = Clock::now();
  auto window = std::make_unique<QMainWindow>();
  window->setFixedSize(size);
  for (int i = 0; i < widgets; ++i) {
    const QRect r(6 + (i % 10) * 106, 6 + (i / 10) * 28, 100, 24);
    QWidget* w = nullptr;
    if (i % 2 == 0)
      w = new QLabel(QStringLiteral("Label %1").arg(i), window.get());
    else
      w = new QPushButton(QStringLiteral("Button %1").arg(i), window.get());
    w->setGeometry(r);
  }
  run.created = msSince(start);
  window->show();
  QApplication::processEvents();
  run.total = msSince(start);
  *created = static_cast<int>(window->findChildren<QWidget*>().size());
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr double kGate = 1.5;
  constexpr int kRuns = 21;

  int widgets = 0;
  int bareWidgets = 0;
  mainWindowRun(&widgets);  // warm-up: fonts, style, pictures decoded for the first time
  const QSize size(1078, 601);
  bareWindowRun(widgets, size, &bareWidgets);
  std::vector<Run> form;
  std::vector<Run> bare;
  for (int i = 0; i < kRuns; ++i) {
    int n = 0;
    form.push_back(mainWindowRun(&n));
    bare.push_back(bareWindowRun(widgets, size, &bareWidgets));
    QApplication::processEvents();  // deferred deletions of the closed windows
  }
  auto summary = [](const std::vector<Run>& runs) {
    std::vector<double> total;
    std::vector<double> created;
    for (const Run& r : runs) {
      total.push_back(r.total);
      created.push_back(r.created);
    }
    return Summary{median(total), median(created), *std::min_element(total.begin(), total.end()),
                   *std::max_element(total.begin(), total.end())};
  };
  const Summary f = summary(form);
  const Summary b = summary(bare);
  const double ratio = f.total / b.total;
  std::printf("window created and shown offscreen, median of %d runs each:\n", kRuns);
  std::printf("  TForm1 (%d widgets): %.2f ms (min %.2f, max %.2f); of which construction %.2f ms\n", widgets,
              f.total, f.min, f.max, f.created);
  std::printf(
      "  bare QMainWindow (%d widgets): %.2f ms (min %.2f, max %.2f); of which construction %.2f ms\n",
      bareWidgets, b.total, b.min, b.max, b.created);
  std::printf("ratio %.3f against the gate %.1f: %.3f of the gate (%s)\n", ratio, kGate, ratio / kGate,
              ratio <= kGate ? "ok" : "MISSED");
  if (boxesShown != 0) std::printf("%d unexpected boxes\n", boxesShown);
  return ratio <= kGate && boxesShown == 0 ? 0 : 1;
}
