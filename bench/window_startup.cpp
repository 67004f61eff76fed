// The main window created and shown (offscreen): constructing MainWindow with its start-up,
// showing it and letting the event loop lay it out and paint it, against a bare
// QMainWindow of the same size holding the same widgets — each of the main window's
// controls as the plain Qt widget it is built on, with the same geometry, caption and
// items, and no pictures, handlers or start-up of the program. The ratio is the cost of
// the program's own work on top of the toolkit's. Runs alternate between the two after
// one warm-up of each. The main window looks for recovery copies as the program's start does.
// Gate: median of the main window <= 1.5 × median of the bare window.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/window/main_window.h"
#include "window_driver.h"
#include "window_bench_support.h"
#include "protocol/steady_pacer.h"

namespace {

using vx::bench::AnsweringDialogs;
using vx::bench::Clock;
using vx::bench::median;
using vx::bench::msSince;

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

// Creates and shows the main window, which then looks for recovery copies in `recoveryFolder`
// and keeps its own there, as the program starts; `widgets` gets its widget count.
Run mainWindowRun(const QString& recoveryFolder, int* widgets) {
  Run run;
  const auto start = Clock::now();
  auto window = std::make_unique<vx::MainWindow>(std::make_unique<AnsweringDialogs>(&boxesShown),
                                                 std::make_unique<vx::SteadyPacer>());
  run.created = msSince(start);
  window->show();
  window->startRecovery(recoveryFolder);
  QApplication::processEvents();
  run.total = msSince(start);
  *widgets = static_cast<int>(window->findChildren<QWidget*>().size());
  vx::test::WindowDriver(*window).previewClock()->stop();
  return run;
}

// One control of the main window, as the plain Qt widget it is built on.
struct Blueprint {
  enum Kind { Plain, Label, Button, Check, Radio, Combo, EditableCombo, Spin, ScrollH, ScrollV, Edit, Group, Tabs };
  Kind kind = Plain;
  QRect geometry;
  QString text;
  QStringList items;
  bool visible = true;
};

std::vector<Blueprint> blueprintOf(const QWidget& window) {
  std::vector<Blueprint> out;
  for (QObject* o : window.children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) continue;
    Blueprint b;
    b.geometry = w->geometry();
    b.visible = !w->isHidden();
    if (auto* x = qobject_cast<QGroupBox*>(w)) {
      b.kind = Blueprint::Group;
      b.text = x->title();
    } else if (auto* x = qobject_cast<QLabel*>(w)) {
      b.kind = Blueprint::Label;
      b.text = x->text();
    } else if (auto* x = qobject_cast<QPushButton*>(w)) {
      b.kind = Blueprint::Button;
      b.text = x->text();
    } else if (auto* x = qobject_cast<QRadioButton*>(w)) {
      b.kind = Blueprint::Radio;
      b.text = x->text();
    } else if (auto* x = qobject_cast<QCheckBox*>(w)) {
      b.kind = Blueprint::Check;
      b.text = x->text();
    } else if (auto* x = qobject_cast<QComboBox*>(w)) {
      b.kind = x->isEditable() ? Blueprint::EditableCombo : Blueprint::Combo;
      for (int i = 0; i < x->count(); ++i) b.items << x->itemText(i);
    } else if (qobject_cast<QSpinBox*>(w)) {
      b.kind = Blueprint::Spin;
    } else if (auto* x = qobject_cast<QScrollBar*>(w)) {
      b.kind = x->orientation() == Qt::Horizontal ? Blueprint::ScrollH : Blueprint::ScrollV;
    } else if (auto* x = qobject_cast<QLineEdit*>(w)) {
      b.kind = Blueprint::Edit;
      b.text = x->text();
    } else if (auto* x = qobject_cast<QTabBar*>(w)) {
      b.kind = Blueprint::Tabs;
      for (int i = 0; i < x->count(); ++i) b.items << x->tabText(i);
    }
    out.push_back(b);
  }
  return out;
}

Run bareWindowRun(const std::vector<Blueprint>& blueprint, QSize size, int* created) {
  Run run;
  const auto start = Clock::now();
  auto window = std::make_unique<QMainWindow>();
  window->setFixedSize(size);
  auto* central = new QWidget(window.get());
  window->setCentralWidget(central);
  for (const Blueprint& b : blueprint) {
    QWidget* w = nullptr;
    switch (b.kind) {
      case Blueprint::Plain: w = new QWidget(central); break;
      case Blueprint::Label: w = new QLabel(b.text, central); break;
      case Blueprint::Button: w = new QPushButton(b.text, central); break;
      case Blueprint::Check: w = new QCheckBox(b.text, central); break;
      case Blueprint::Radio: w = new QRadioButton(b.text, central); break;
      case Blueprint::Combo:
      case Blueprint::EditableCombo: {
        auto* c = new QComboBox(central);
        c->setEditable(b.kind == Blueprint::EditableCombo);
        c->addItems(b.items);
        w = c;
        break;
      }
      case Blueprint::Spin: w = new QSpinBox(central); break;
      case Blueprint::ScrollH: w = new QScrollBar(Qt::Horizontal, central); break;
      case Blueprint::ScrollV: w = new QScrollBar(Qt::Vertical, central); break;
      case Blueprint::Edit: w = new QLineEdit(b.text, central); break;
      case Blueprint::Group: w = new QGroupBox(b.text, central); break;
      case Blueprint::Tabs: {
        auto* t = new QTabBar(central);
        for (const QString& item : b.items) t->addTab(item);
        w = t;
        break;
      }
    }
    w->setGeometry(b.geometry);
    w->setVisible(b.visible);
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
  QTemporaryDir recovery;
  const QString recoveryFolder = recovery.filePath(QStringLiteral("recovery"));
  mainWindowRun(recoveryFolder, &widgets);  // warm-up: fonts, style, pictures decoded for the first time
  const QSize size(1078, 601);
  std::vector<Blueprint> blueprint;
  {
    vx::MainWindow model(std::make_unique<AnsweringDialogs>(&boxesShown),
                         std::make_unique<vx::SteadyPacer>());
    vx::test::WindowDriver(model).previewClock()->stop();
    blueprint = blueprintOf(model);
  }
  bareWindowRun(blueprint, size, &bareWidgets);
  std::vector<Run> window;
  std::vector<Run> bare;
  for (int i = 0; i < kRuns; ++i) {
    int n = 0;
    window.push_back(mainWindowRun(recoveryFolder, &n));
    bare.push_back(bareWindowRun(blueprint, size, &bareWidgets));
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
  const Summary f = summary(window);
  const Summary b = summary(bare);
  const double ratio = f.total / b.total;
  std::printf("window created and shown offscreen, median of %d runs each:\n", kRuns);
  std::printf("  main window (%d widgets): %.2f ms (min %.2f, max %.2f); of which construction %.2f ms\n",
              widgets, f.total, f.min, f.max, f.created);
  std::printf(
      "  bare QMainWindow (%d widgets): %.2f ms (min %.2f, max %.2f); of which construction %.2f ms\n",
      bareWidgets, b.total, b.min, b.max, b.created);
  std::printf("ratio %.3f against the gate %.1f: %.3f of the gate (%s)\n", ratio, kGate, ratio / kGate,
              ratio <= kGate ? "ok" : "MISSED");
  if (boxesShown != 0) std::printf("%d unexpected boxes\n", boxesShown);
  return ratio <= kGate && boxesShown == 0 ? 0 : 1;
}
