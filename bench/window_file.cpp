// The window's configuration file commands, timed end to end on a real main window
// (offscreen, scripted dialogs): "Abrir" reads a pair with the default 987 × 298 picture,
// checks it and applies it to the model, the controls, the logo box and the logo raster;
// "Salvar" writes the pair (the picture encoded as an 8-bit bitmap) through temporary
// files synced to disk. Two pairs that differ in every value are opened in turn, so that
// every open really changes the window. Gate: median of each <= 50 ms.

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <exception>
#include <memory>
#include <vector>

#include "app/dialogs/dialogs.h"
#include "app/window/main_window.h"
#include "window_driver.h"

namespace {

// Answers every file dialog from a queue and counts the message boxes: any box during a
// timed run means that a command failed.
class ScriptedDialogs : public vx::Dialogs {
 public:
  vx::MessageAnswer messageBox(const QString& title, const QString& text, vx::MessageIcon,
                               vx::MessageButtons) override {
    ++boxes;
    std::fprintf(stderr, "unexpected box: %s: %s\n", qPrintable(title), qPrintable(text));
    return vx::MessageAnswer::Cancel;
  }
  QString fileDialog(vx::FileDialogKind, const QString&, const QString&, const QString&) override {
    if (fileAnswers.empty()) return {};
    const QString name = fileAnswers.front();
    fileAnswers.pop_front();
    return name;
  }
  int boxes = 0;
  std::deque<QString> fileAnswers;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename F>
double timeMs(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr double kGateMs = 50.0;
  constexpr int kRuns = 30;
  constexpr int kWarmUp = 3;

  QTemporaryDir dir;
  if (!dir.isValid()) {
    std::fprintf(stderr, "no temporary folder\n");
    return 2;
  }
  auto owned = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs* dialogs = owned.get();
  vx::MainWindow window(std::move(owned));
  const vx::test::WindowDriver ui(window);
  window.show();
  QApplication::processEvents();
  ui.previewClock()->stop();
  ui.firstRasterTimer()->stop();

  const QString first = dir.filePath(QStringLiteral("primeira"));
  const QString second = dir.filePath(QStringLiteral("segunda"));
  try {
    dialogs->fileAnswers.push_back(first);
    ui.saveButton()->click();
    // The second pair differs in every kind of value: texts, flags, numbers, logo, options.
    for (int b = 1; b <= vx::kButtons; ++b) {
      for (int l = 1; l <= vx::kLines; ++l) {
        ui.model().lineText[l][b] = QStringLiteral("  Linha %1 do botão %2  ").arg(l).arg(b);
        ui.model().lineEnabled[l][b] = true;
      }
      ui.model().firstNumber[b] = 10 + b;
      ui.model().lastNumber[b] = 90 + b;
    }
    ui.logoHeightBar()->setValue(200);
    ui.logoWidthBar()->setValue(400);
    ui.contrastBar()->setValue(80);
    ui.resetAtDayEndBox()->setChecked(false);
    ui.totalCutButton()->setChecked(true);
    dialogs->fileAnswers.push_back(second);
    ui.saveButton()->click();

    QPushButton* openButton = ui.openButton();
    QPushButton* saveButton = ui.saveButton();
    std::vector<double> openMs;
    std::vector<double> saveMs;
    const QString names[] = {first + QStringLiteral(".cfg"), second + QStringLiteral(".cfg")};
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
      dialogs->fileAnswers.push_back(names[i % 2]);
      const double open = timeMs([&] { openButton->click(); });
      dialogs->fileAnswers.push_back(dir.filePath(QStringLiteral("salva")));
      const double save = timeMs([&] { saveButton->click(); });
      if (i >= kWarmUp) {
        openMs.push_back(open);
        saveMs.push_back(save);
      }
    }
    // The last open applied its own pair: the logo height tells the two apart.
    const int lastHeight = (kRuns + kWarmUp - 1) % 2 == 0 ? 90 : 200;
    if (dialogs->boxes != 0 || ui.logoHeightBar()->value() != lastHeight) {
      std::fprintf(stderr, "a command failed during the runs\n");
      return 2;
    }

    const double open = median(openMs);
    const double save = median(saveMs);
    std::printf(
        "open and apply a pair (987x298 picture): median %.3f ms, min %.3f ms, max %.3f ms over %d runs\n",
        open, *std::min_element(openMs.begin(), openMs.end()),
        *std::max_element(openMs.begin(), openMs.end()), kRuns);
    std::printf(
        "save a pair (987x298 picture):           median %.3f ms, min %.3f ms, max %.3f ms over %d runs\n",
        save, *std::min_element(saveMs.begin(), saveMs.end()),
        *std::max_element(saveMs.begin(), saveMs.end()), kRuns);
    std::printf("gate %.1f ms: open ratio %.3f (%s), save ratio %.3f (%s)\n", kGateMs, open / kGateMs,
                open <= kGateMs ? "ok" : "MISSED", save / kGateMs, save <= kGateMs ? "ok" : "MISSED");
    return open <= kGateMs && save <= kGateMs ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 2;
  }
}
