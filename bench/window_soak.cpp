// A long session: one window runs 300 jobs against the virtual printer on a pseudo-terminal,
// then vorlandex-send runs 100 times in a row on two ports.
//
// The window's COM1 is a link in a test folder that stands in for /dev/serial/by-id; behind it
// one of two pseudo-terminals, as an adapter that comes back behind another node. A round of
// twelve jobs: settings, clock, the texts of buttons 1..4, the logo at height 10 (once at 200),
// send-all with and without the logo, send-all answered "Não", a job while the adapter is
// pulled (the link gone: one error box, nothing sent), and a job after it came back behind the
// other pseudo-terminal. Before each of those two the port list's tip must have followed the
// device (within a second). The window runs on its virtual pacer: the pauses are not the point
// here, and are measured by the other benchmarks.
//
// Gates, after the first 20 jobs: the process's descriptors (/proc/self/fd) and threads
// (/proc/self/task) the same after every job as after the 20th; resident memory at most 2 MiB
// above its size after the 20th; every transfer the virtual printer receives complete, correctly
// framed and as many as the job sends, block contents as the window holds them. The sender: every
// run succeeds and both printers receive its clock job whole each time; the descriptors and
// threads of this process are the same after every run.
//
// --short (run by the test suite): 60 jobs and 5 sender runs.

#include <dirent.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "window_driver.h"
#include "logo/logo_upload.h"
#include "printer/virtual_printer.h"
#include "protocol/frames.h"
#include "protocol/virtual_pacer.h"
#include "pty_line.h"
#include "serial/posix/device_folders.h"
#include "serial/serial_device_watch.h"

namespace {

using vx::printer::Transfer;

constexpr int kWarmUpJobs = 20;
constexpr long kMemoryGateKiB = 2048;
constexpr int kTipWaitMs = 1000;
// A job's bytes have all been written when its port has closed, but the far end's reader may
// wake late on a busy computer: its bytes are taken until the printer has seen as many
// transfers as the job sends (or this long has passed), then until the line is this quiet.
constexpr int kQuietMs = 30;
constexpr int kArrivalWaitMs = 5000;

int entries(const char* folder) {
  int n = 0;
  if (DIR* d = opendir(folder)) {
    while (const dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
  }
  return n;
}

// What the process holds: the heap first gives back the free room it keeps for later (one
// large job, such as the logo at height 200 with its item per byte in the scratch list, leaves
// such room behind), so that only memory still in use is counted.
long residentKiB() {
  malloc_trim(0);
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Answers Yes or the next scripted answer to a question, OK to the rest; names the pair to save.
class SoakDialogs : public vx::Dialogs {
 public:
  vx::MessageAnswer messageBox(const QString& title, const QString& text, vx::MessageIcon,
                               vx::MessageButtons buttons) override {
    shown.push_back(title + QStringLiteral(": ") + text);
    if (buttons == vx::MessageButtons::Ok) return vx::MessageAnswer::Ok;
    if (answers.empty()) return vx::MessageAnswer::Yes;
    const vx::MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  QString fileDialog(vx::FileDialogKind, const QString&, const QString&, const QString&) override {
    return saveAs;
  }
  std::vector<QString> shown;
  std::deque<vx::MessageAnswer> answers;
  QString saveAs;
};

void pumpFor(int ms) {
  QElapsedTimer t;
  t.start();
  do QApplication::processEvents(QEventLoop::AllEvents, 10);
  while (t.elapsed() < ms);
}

bool pumpUntil(int ms, const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// What one job must put on the line: the kinds of its transfers in order, and the contents of
// its blocks (empty: not compared).
struct Expected {
  std::vector<Transfer::Kind> kinds;
  std::vector<std::vector<std::uint8_t>> blocks;
};

std::vector<std::uint8_t> bytesOf(const QByteArray& a) { return {a.begin(), a.end()}; }

Expected registers(int n) { return {std::vector<Transfer::Kind>(n, Transfer::Kind::Register), {}}; }

Expected texts(const vx::ConfigModel& m, int b, vx::CutMode cut) {
  return {{Transfer::Kind::Block, Transfer::Kind::Block}, {vx::headerTextBlock(m, b), vx::footerTextBlock(m, b, cut)}};
}

void append(Expected& to, const Expected& more) {
  to.kinds.insert(to.kinds.end(), more.kinds.begin(), more.kinds.end());
  to.blocks.insert(to.blocks.end(), more.blocks.begin(), more.blocks.end());
}

// The virtual pacer sends without pauses: spacing is no fault here, framing and content are.
vx::printer::DecodeResult decode(const std::vector<vx::printer::TimedByte>& bytes) {
  return vx::printer::decodeStream(bytes, 1'000'000);
}

// What reached `line` for a job that sends `e`.
std::vector<vx::printer::TimedByte> arrived(vx::test::PtyLine& line, const Expected& e) {
  std::vector<vx::printer::TimedByte> bytes;
  QElapsedTimer t;
  t.start();
  for (;;) {
    const std::vector<vx::printer::TimedByte> more = line.take(kQuietMs);
    bytes.insert(bytes.end(), more.begin(), more.end());
    if (more.empty() && (t.elapsed() > kArrivalWaitMs || decode(bytes).transfers.size() >= e.kinds.size()))
      return bytes;
  }
}

// The transfers on a line against what was expected; says what is wrong, or nothing.
std::string judge(const std::vector<vx::printer::TimedByte>& bytes, const Expected& e) {
  const vx::printer::DecodeResult r = decode(bytes);
  for (const vx::printer::Problem& p : r.problems)
    if (p.kind != vx::printer::Problem::Kind::Pacing) return "printer: " + p.text;
  if (r.transfers.size() != e.kinds.size())
    return std::to_string(r.transfers.size()) + " transfers, " + std::to_string(e.kinds.size()) + " expected";
  std::size_t block = 0;
  for (std::size_t i = 0; i < r.transfers.size(); ++i) {
    if (r.transfers[i].kind != e.kinds[i]) return "transfer " + std::to_string(i) + " of the wrong kind";
    if (e.kinds[i] != Transfer::Kind::Block || block >= e.blocks.size()) continue;
    if (r.transfers[i].data != e.blocks[block++]) return "block " + std::to_string(block) + " differs";
  }
  return {};
}

struct Flatness {
  int fdBase = -1, taskBase = -1, fdLast = -1, taskLast = -1;
  long rssBase = 0, rssMax = 0, rssLast = 0, historyLast = 0;
  int fdOff = 0, taskOff = 0;  // samples that differed from the base
  std::vector<long> rssAt;     // resident KiB 100, 200, … jobs after the base
  // `historyKiB`: what the window's edit history holds of pictures at this moment. The history
  // keeps what each step changed, up to its own bound (gated by bench_window_history), so it is
  // counted out: what is left is memory a job failed to give back.
  void sample(int job, int warmUp, long historyKiB) {
    const int fds = entries("/proc/self/fd");
    const int tasks = entries("/proc/self/task");
    const long rss = residentKiB() - historyKiB;
    historyLast = historyKiB;
    if (job == warmUp) {
      fdBase = fds;
      taskBase = tasks;
      rssBase = rssMax = rss;
      return;
    }
    if (job < warmUp) return;
    fdLast = fds;
    taskLast = tasks;
    if (fds != fdBase) {
      if (fdOff++ < 3) std::printf("  after job %d: %d descriptors, %d after job %d\n", job, fds, fdBase, warmUp);
    }
    if (tasks != taskBase) {
      if (taskOff++ < 3) std::printf("  after job %d: %d threads, %d after job %d\n", job, tasks, taskBase, warmUp);
    }
    rssMax = std::max(rssMax, rss);
    rssLast = rss;
    if ((job - warmUp) % 100 == 0) rssAt.push_back(rss);
  }
};

void click(QAbstractButton* button) { button->click(); }

const QString kPulledTipMark = QStringLiteral(" (ausente)");

class Soak {
 public:
  Soak(int jobs, const QString& folder)
      : jobs_(jobs), link_(folder + QStringLiteral("/usb-VORLANDEX_Soak_0001-if00-port0")) {
    auto d = std::make_unique<SoakDialogs>();
    dialogs_ = d.get();
    auto p = std::make_unique<vx::VirtualPacer>();
    pacer_ = p.get();
    window_ = std::make_unique<vx::MainWindow>(std::move(d), std::move(p));
    window_->installErrorReport(QStringLiteral("/usr/bin/vorlandex"));
    window_->show();
    ui_ = vx::test::WindowDriver(*window_);
    pumpFor(200);  // the start-up's first raster
    // Each line pointed COM1 at itself; the window's COM1 is the link.
    qputenv("VORLANDEX_COM1", QFile::encodeName(link_));
    vx::watchDeviceFolders(ui_.deviceWatch(), {.byId = folder});
    plug(0);
  }
  ~Soak() { ui_.previewClock()->stop(); }
  Soak(const Soak&) = delete;
  Soak& operator=(const Soak&) = delete;

  // Runs the jobs; true when every gate was met.
  bool run() {
    QElapsedTimer t;
    t.start();
    // One logo job, in the middle of the run, at the largest height.
    const int rounds = (jobs_ + 11) / 12;
    bigLogoRound_ = rounds / 2;
    for (int job = 1; job <= jobs_; ++job) {
      if ((job - 1) / 12 == bigLogoRound_ && (job - 1) % 12 == 6) bigLogoJob_ = job;
      one((job - 1) % 12, (job - 1) / 12, job);
      if (job == bigLogoJob_)
        rssAfterBigLogo_ = residentKiB() - static_cast<long>(ui_.history().pictureBytes() / 1024);
      flat_.sample(job, kWarmUpJobs, static_cast<long>(ui_.history().pictureBytes() / 1024));
    }
    seconds_ = t.elapsed() / 1000.0;
    return report();
  }

  // Saves the window's pair as `cfg` ("Salvar"), for the sender.
  bool save(const QString& cfg) {
    dialogs_->saveAs = cfg;
    click(ui_.saveButton());
    return QFile::exists(cfg);
  }

 private:
  QString tip(bool present) const {
    return QStringLiteral("COM1: %1 (VORLANDEX_COM1)%2").arg(link_, present ? QString() : kPulledTipMark);
  }
  // The port list's tip (and accessible description) follows the device within a second.
  void awaitTip(bool present) {
    QElapsedTimer t;
    t.start();
    const QString want = tip(present);
    const bool followed = pumpUntil(kTipWaitMs, [&] {
      return ui_.portList()->toolTip() == want && ui_.portList()->accessibleDescription() == want;
    });
    ++tipChecks_;
    if (!followed) {
      ++tipMissed_;
      std::printf("  the port list's tip still reads \"%s\" a second after the change\n",
                  qPrintable(ui_.portList()->toolTip()));
    }
    tipSlowestMs_ = std::max<double>(tipSlowestMs_, t.elapsed());
  }
  void plug(int line) {
    QFile::remove(link_);
    QFile::link(lines_[line]->devicePath(), link_);
    active_ = line;
    awaitTip(true);
  }
  void unplug() {
    QFile::remove(link_);
    awaitTip(false);
  }
  void setLogoHeight(int h) {
    ui_.logoHeightBar()->setValue(h);
    ui_.updateLogoRaster();
  }
  Expected logo() const {
    return {{Transfer::Kind::Block},
            {bytesOf(vx::logoUploadData(ui_.logoRaster(), ui_.logoHeightBar()->value()))}};
  }
  Expected sendAllExpected(bool withLogo) const {
    Expected e = registers(17);
    append(e, registers(7));
    for (int b = 1; b <= 4; ++b) append(e, texts(ui_.model(), b, vx::CutMode::Partial));
    if (withLogo) append(e, logo());
    return e;
  }

  // Step `step` of round `round`, the `job`th job of the session.
  void one(int step, int round, int job) {
    vx::MainWindow& window = *window_;  // what every window has
    const std::size_t boxesBefore = dialogs_->shown.size();
    std::size_t boxesExpected = 0;
    QString wantBox;  // the start of the box, when it matters
    Expected e;
    switch (step) {
      case 0:
        e = registers(17);
        click(ui_.sendSettingsButton());
        break;
      case 1:
        e = registers(7);
        click(ui_.setClockButton());
        break;
      case 2:
      case 3:
      case 4:
      case 5: {
        const int b = step - 1;
        ui_.buttonTabs()->setCurrentIndex(b - 1);  // as the operator's click on the tab
        ui_.lineText(1)->setText(QStringLiteral("Rodada %1 do botão %2").arg(round).arg(b));
        e = texts(ui_.model(), b, vx::CutMode::Partial);
        click(ui_.sendTextsButton());
        break;
      }
      case 6:
        setLogoHeight(round == bigLogoRound_ ? 200 : 10);
        e = logo();
        click(ui_.sendLogoButton());
        setLogoHeight(10);
        break;
      case 7:
      case 8:
        e = sendAllExpected(step == 7);
        boxesExpected = 1;
        click(step == 7 ? ui_.sendAllButton() : ui_.sendAllWithoutLogoButton());
        break;
      case 9:
        dialogs_->answers.push_back(vx::MessageAnswer::No);
        boxesExpected = 1;
        click(ui_.sendAllButton());
        break;
      case 10:
        unplug();
        boxesExpected = 1;  // "Error opening com port."
        wantBox = QStringLiteral("vorlandex: Error opening com port.");
        click(ui_.sendSettingsButton());
        break;
      case 11:
        plug(1 - active_);  // back, behind the other node
        e = registers(7);
        click(ui_.setClockButton());
        break;
    }
    const std::string fault = judge(arrived(*lines_[active_], e), e);
    transfers_ += e.kinds.size();
    if (!fault.empty()) failed(job, "on the line: " + fault);
    if (!lines_[1 - active_]->take(0).empty()) failed(job, "bytes reached the pseudo-terminal that was not COM1");
    const std::size_t boxes = dialogs_->shown.size() - boxesBefore;
    if (boxes != boxesExpected || (!wantBox.isEmpty() && !dialogs_->shown.back().startsWith(wantBox))) {
      failed(job, std::to_string(boxes) + " message boxes, " + std::to_string(boxesExpected) + " expected");
      for (std::size_t i = boxesBefore; i < dialogs_->shown.size(); ++i)
        std::printf("    %s\n", qPrintable(dialogs_->shown[i]));
    }
    if (ui_.jobRunning() || !window.isEnabled()) failed(job, "the window was left in a job");
    // What the bench itself records is kept only as long as a job needs it.
    dialogs_->shown.clear();
    dialogs_->shown.shrink_to_fit();
    pacer_->forgetRecords();
  }

  void failed(int job, const std::string& what) {
    if (faults_++ < 10) std::printf("  job %d (step %d): %s\n", job, (job - 1) % 12, what.c_str());
  }

  bool report() const {
    std::printf("window session: %d jobs in %.1f s (virtual pacer; real pauses are measured elsewhere)\n", jobs_,
                seconds_);
    const bool fdsFlat = flat_.fdOff == 0;
    const bool tasksFlat = flat_.taskOff == 0;
    std::printf("  descriptors: %d after job %d, different after %d of the %d later jobs (gate: 0) %s\n",
                flat_.fdBase, kWarmUpJobs, flat_.fdOff, jobs_ - kWarmUpJobs, fdsFlat ? "ok" : "MISSED");
    std::printf("  threads: %d after job %d, different after %d of the %d later jobs (gate: 0) %s\n",
                flat_.taskBase, kWarmUpJobs, flat_.taskOff, jobs_ - kWarmUpJobs, tasksFlat ? "ok" : "MISSED");
    const long grown = flat_.rssMax - flat_.rssBase;
    std::printf("  resident memory beyond the edit history's pictures (%ld KiB at the end, within its own bound):\n   ",
                flat_.historyLast);
    std::printf(" %.1f MiB after job %d;", flat_.rssBase / 1024.0, kWarmUpJobs);
    for (std::size_t i = 0; i < flat_.rssAt.size(); ++i)
      std::printf(" %+ld KiB after job %zu,", flat_.rssAt[i] - flat_.rssBase, kWarmUpJobs + 100 * (i + 1));
    std::printf(" %+ld KiB after job %d; largest %+ld KiB (gate: +%ld KiB) %s\n", flat_.rssLast - flat_.rssBase,
                jobs_, grown, kMemoryGateKiB, grown <= kMemoryGateKiB ? "ok" : "MISSED");
    std::printf("    (job %d sent the logo at height 200: the heap keeps the room its pictures took)\n", bigLogoJob_);
    if (jobs_ > bigLogoJob_)
      std::printf("  per 100 jobs from job %d to job %d: %+.0f KiB of resident memory; from job %d: %+.0f "
                  "descriptors, %+.0f threads\n",
                  bigLogoJob_, jobs_, 100.0 * (flat_.rssLast - rssAfterBigLogo_) / (jobs_ - bigLogoJob_),
                  kWarmUpJobs, 100.0 * (flat_.fdLast - flat_.fdBase) / (jobs_ - kWarmUpJobs),
                  100.0 * (flat_.taskLast - flat_.taskBase) / (jobs_ - kWarmUpJobs));
    std::printf("  transfers: %zu expected, %d jobs with a fault on the line or in the window (gate: 0) %s\n",
                transfers_, faults_, faults_ == 0 ? "ok" : "MISSED");
    std::printf("  the port list's tip followed the device within %d ms %d of %d times (slowest %.0f ms) %s\n",
                kTipWaitMs, tipChecks_ - tipMissed_, tipChecks_, tipSlowestMs_, tipMissed_ == 0 ? "ok" : "MISSED");
    return fdsFlat && tasksFlat && grown <= kMemoryGateKiB && faults_ == 0 && tipMissed_ == 0;
  }

  // Both far ends live for the whole session: COM1 moves between them as the adapter comes back.
  std::unique_ptr<vx::test::PtyLine> lines_[2] = {std::make_unique<vx::test::PtyLine>(),
                                                  std::make_unique<vx::test::PtyLine>()};
  int jobs_;
  QString link_;
  SoakDialogs* dialogs_ = nullptr;
  vx::VirtualPacer* pacer_ = nullptr;  // owned by the window
  std::unique_ptr<vx::MainWindow> window_;
  vx::test::WindowDriver ui_;
  int active_ = 0;
  int bigLogoRound_ = 0;
  int bigLogoJob_ = 0;
  long rssAfterBigLogo_ = 0;
  Flatness flat_;
  std::size_t transfers_ = 0;
  int faults_ = 0;
  int tipChecks_ = 0, tipMissed_ = 0;
  double tipSlowestMs_ = 0;
  double seconds_ = 0;
};

// vorlandex-send `runs` times in a row with the clock job on two ports.
bool senderRuns(int runs, const QString& pair) {
  vx::test::PtyLine a, b;
  Flatness flat;
  int failedRuns = 0, faults = 0;
  QElapsedTimer t;
  t.start();
  for (int run = 1; run <= runs; ++run) {
    QProcess sender;
    sender.start(QStringLiteral(VORLANDEX_SEND_EXE),
                 {QStringLiteral("--only"), QStringLiteral("clock"), QStringLiteral("--quiet"), QStringLiteral("--port"),
                  a.devicePath(), QStringLiteral("--port"), b.devicePath(), pair});
    const bool ok = sender.waitForFinished(60'000) && sender.exitStatus() == QProcess::NormalExit &&
                    sender.exitCode() == 0;
    if (!ok && failedRuns++ < 3)
      std::printf("  run %d failed: %s\n", run, sender.readAllStandardError().constData());
    for (vx::test::PtyLine* line : {&a, &b}) {
      const std::string fault = judge(arrived(*line, registers(7)), registers(7));
      if (!fault.empty() && faults++ < 3) std::printf("  run %d, %s: %s\n", run, qPrintable(line->devicePath()), fault.c_str());
    }
    flat.sample(run, 1, 0);  // no window here
  }
  const bool flatOk = flat.fdOff == 0 && flat.taskOff == 0;
  std::printf("vorlandex-send: %d runs in a row on two ports in %.1f s: %d failed, %d with a fault on a line "
              "(gate: 0) %s\n",
              runs, t.elapsed() / 1000.0, failedRuns, faults, failedRuns == 0 && faults == 0 ? "ok" : "MISSED");
  std::printf("  this process after every run from the first: %d descriptors, %d threads; different %d and %d "
              "times (gate: 0) %s; resident memory %+ld KiB\n",
              flat.fdBase, flat.taskBase, flat.fdOff, flat.taskOff, flatOk ? "ok" : "MISSED", flat.rssMax - flat.rssBase);
  return failedRuns == 0 && faults == 0 && flatOk;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Qt's pool threads (the picture scaling's) end after 30 s idle, each with its event
  // descriptor: kept, the counts move only when something really stays behind.
  QThreadPool::globalInstance()->setExpiryTimeout(-1);
  // The operator's own settings are neither read nor written.
  QStandardPaths::setTestModeEnabled(true);
  const bool shortRun = app.arguments().contains(QStringLiteral("--short"));
  const int jobs = shortRun ? 60 : 300;
  const int runs = shortRun ? 5 : 100;

  QTemporaryDir dir;
  const QString byId = dir.filePath(QStringLiteral("by-id"));
  QDir().mkpath(byId);
  for (int n = 2; n <= 4; ++n) qunsetenv(QByteArray("VORLANDEX_COM") + QByteArray::number(n));

  bool ok = false;
  const QString pair = dir.filePath(QStringLiteral("soak.cfg"));
  {
    Soak soak(jobs, byId);
    ok = soak.run();
    if (!soak.save(pair)) {
      std::printf("the pair for the sender could not be saved\n");
      ok = false;
    }
  }
  ok = senderRuns(runs, pair) && ok;
  std::printf(ok ? "all gates met\n" : "GATE MISSED\n");
  return ok ? 0 : 1;
}
