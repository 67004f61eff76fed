// Undo and redo against the step's own time, and the memory a long history keeps.
// 1. Steps made through the window (a typed character, "Atualizar imagem" after a contrast
//    change, the logo switched off), each timed as the operator made it, then undone and
//    redone by key, each timed to the preview and the logo shown again.
//    Gate: undo and redo each <= the step's own time + 5 ms (medians).
// 2. 500 steps each opening another working-size picture (800 × 400): the pictures the history
//    keeps stay within its budget, and so does what the process's memory grows by.

#include <QApplication>
#include <QKeyEvent>
#include <QFile>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/window/main_window.h"
#include "editor/edit_history.h"
#include "protocol/steady_pacer.h"
#include "window_bench_support.h"
#include "window_driver.h"

namespace {

using vx::bench::AnsweringDialogs;
using vx::bench::Clock;
using vx::bench::median;
using vx::bench::msSince;

void pressKey(QWidget* w, int k, Qt::KeyboardModifiers m, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, k, m, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, k, m, text);
  QApplication::sendEvent(w, &release);
}

// The resident memory of this process in bytes.
long long residentBytes() {
  QFile f(QStringLiteral("/proc/self/statm"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = f.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr double kMarginMs = 5.0;
  constexpr int kRounds = 30;

  auto owned = std::make_unique<AnsweringDialogs>();
  AnsweringDialogs* dialogs = owned.get();
  vx::MainWindow window(std::move(owned), std::make_unique<vx::SteadyPacer>());
  const vx::test::WindowDriver ui(window);
  window.show();
  for (const auto until = Clock::now() + std::chrono::milliseconds(200); Clock::now() < until;)
    QApplication::processEvents(QEventLoop::AllEvents, 20);

  ui.lineText(1)->setText(QStringLiteral("curta"));  // room for the characters typed below

  struct Step {
    const char* name;
    std::function<void()> make;
  };
  int contrast = 127;
  const Step steps[] = {
      {"a typed character", [&] { pressKey(ui.lineText(1), 0, Qt::NoModifier, QStringLiteral("x")); }},
      {"\"Atualizar imagem\" after the contrast",
       [&] {
         contrast = contrast == 127 ? 90 : 127;
         ui.contrastBar()->setValue(contrast);
         ui.updatePictureButton()->click();
       }},
      {"\"Imprimir Logotipo\"", [&] { ui.printLogoBox()->click(); }},
  };
  bool ok = true;
  for (const Step& step : steps) {
    std::vector<double> made, undone, redone;
    for (int i = 0; i < kRounds; ++i) {
      QWidget* focus = ui.lineText(1);
      focus->setFocus();
      const int before = ui.history().index();
      auto t = Clock::now();
      step.make();
      made.push_back(msSince(t));
      QApplication::processEvents();
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : focus;
      t = Clock::now();
      pressKey(target, Qt::Key_Z, Qt::ControlModifier);
      undone.push_back(msSince(t));
      QApplication::processEvents();
      target = QApplication::focusWidget() ? QApplication::focusWidget() : focus;
      t = Clock::now();
      pressKey(target, Qt::Key_Y, Qt::ControlModifier);
      redone.push_back(msSince(t));
      QApplication::processEvents();
      if (ui.history().index() <= before) {
        std::printf("  %s: no step was made or redone\n", step.name);
        ok = false;
      }
      ui.lineText(1)->setFocus();  // the next step is one of its own
    }
    const double m = median(made), u = median(undone), r = median(redone);
    const bool within = u <= m + kMarginMs && r <= m + kMarginMs;
    ok = ok && within;
    std::printf("%s: step %.3f ms, undo %.3f ms, redo %.3f ms (gate step + %.0f ms: %s)\n", step.name, m, u, r,
                kMarginMs, within ? "ok" : "MISSED");
  }
  ui.previewClock()->stop();

  // 2. A long history of pictures, on the core's history alone.
  {
    vx::EditHistory history;
    vx::PairState state;
    const long long start = residentBytes();
    for (int i = 0; i < 500; ++i) {
      const vx::PairState before = state;
      QImage picture(800, 400, QImage::Format_ARGB32);
      picture.fill(QColor::fromRgb(static_cast<QRgb>(i * 7919)));
      state.picture.image = picture;
      history.record({vx::EditedControl::LogoPicture}, before, state);
    }
    const long long grown = residentBytes() - start;
    const bool bounded = history.pictureBytes() <= vx::EditHistory::kPictureBudget &&
                         grown <= vx::EditHistory::kPictureBudget + 8 * 1024 * 1024;
    ok = ok && bounded;
    std::printf(
        "500 steps of 800 x 400 pictures: %d steps kept, pictures %.1f MiB, process grew %.1f MiB "
        "(bound %lld MiB + 8 MiB: %s)\n",
        history.count(), history.pictureBytes() / 1048576.0, grown / 1048576.0,
        static_cast<long long>(vx::EditHistory::kPictureBudget / 1048576), bounded ? "ok" : "MISSED");
  }
  if (dialogs->shown != 0) std::printf("%d unexpected boxes\n", dialogs->shown);
  return ok && dialogs->shown == 0 ? 0 : 1;
}
