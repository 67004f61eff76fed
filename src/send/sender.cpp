#include "send/sender.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <vector>

#include "config/config_file_names.h"
#include "config/config_pair.h"
#include "protocol/job_plan.h"
#include "send/port_run.h"
#include "send/progress_view.h"

namespace vx {
namespace {

// How often the progress lines are redrawn.
constexpr int kRefreshMs = 250;

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void printLine(std::FILE* f, const QString& line) {
  const QByteArray bytes = line.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), f);
  std::fputc('\n', f);
  std::fflush(f);
}

// What the window sends for the pair after "Abrir", from its start-up state: the file's
// buttons over the start-up model, its options with "Imprime 2 vias" as asked, its cut.
RunPlan planFor(const ConfigPair& pair, const SendOptions& o, const QDateTime& start) {
  ConfigModel model;
  applyNumberingDefaults(model);
  applyConfigButtons(model, pair.contents);
  model.botao_atual = 1;
  const GlobalSettings& g = pair.contents.globals;
  JobsToSend jobs = o.jobs;
  // "Enviar sem logo" for a pair whose logo is off still sends the short logo, as the window does.
  if (o.noLogo && sendAllSendsLogo(false, g.print_logo)) jobs.logo = true;
  // RadioButton1 is set from line 182, then RadioButton2 from line 183: "Corte Total" wins
  // when both are set, and the text job reads anything but "Corte Parcial" as total.
  const CutMode cut = g.partial_cut && !g.total_cut ? CutMode::Partial : CutMode::Total;
  ByteList logoData;
  if (jobs.logo) {
    const QByteArray logo = logoDataAfterOpen(pair);
    logoData.assign(logo.begin(), logo.end());
  }
  return planRun(model, jobs, optionByte(g.reset_at_day_end, g.beep, o.duasVias), cut, logoData, start);
}

QString hex(const ByteList& bytes, std::size_t from, std::size_t count) {
  QString out;
  for (std::size_t i = from; i < from + count && i < bytes.size(); ++i) {
    if (!out.isEmpty()) out += QLatin1Char(' ');
    out += QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
  }
  return out;
}

// One line per transfer: its planned offset, its job, what it is.
QString timingLine(const RunPlan& plan, const PlannedTransfer& t) {
  QString what;
  if (t.writeCount == 2 && t.bytes.size() == 8) {
    what = QStringLiteral("register 0x%1  %2").arg(hex(t.bytes, 5, 1), hex(t.bytes, 6, 2));
  } else {
    const std::size_t data = t.bytes.size() >= 9 ? t.bytes.size() - 9 : 0;
    const PlannedWrite& header = plan.writes[t.firstWrite + 1];
    const bool pause = header.offsetMs - plan.writes[t.firstWrite].offsetMs >= 100;
    what = QStringLiteral("block 0x%1  %2 data bytes%3")
               .arg(hex(t.bytes, 4, 1))
               .arg(data)
               .arg(pause ? QStringLiteral(", 100 ms after the preamble") : QString());
  }
  return QStringLiteral("%1 ms  %2  %3").arg(t.offsetMs, 8).arg(jobLabel(plan, t.job).leftJustified(9), what);
}

}  // namespace

Sender::Sender(SendOptions options, Output output) : options_(std::move(options)), output_(output) {}

void Sender::interrupt() { interrupted = true; }

int Sender::exec() {
  // Everything that can be wrong with the pair is found before any port is opened.
  ConfigPair pair;
  RunPlan plan;
  try {
    pair = readConfigPair(options_.pairPath);
    plan = planFor(pair, options_, QDateTime::currentDateTime());
  } catch (const ConfigPairError& e) {
    printLine(output_.err, QStringLiteral("vorlandex-send: %1").arg(e.message()));
    return 2;
  } catch (const std::length_error& e) {
    printLine(output_.err, QStringLiteral("vorlandex-send: %1: %2").arg(options_.pairPath, QString::fromUtf8(e.what())));
    return 2;
  }

  if (planned) planned(plan);
  return options_.dryRun ? writeDryRun(plan) : feedPorts(plan);
}

int Sender::writeDryRun(const RunPlan& plan) {
  const ByteList bytes = plan.stream();
  const bool toStdout = options_.output == QLatin1String("-");
  const auto size = static_cast<qint64>(bytes.size());
  const char* data = reinterpret_cast<const char*>(bytes.data());
  const auto cannotWrite = [&](const QString& why) {
    printLine(output_.err, QStringLiteral("vorlandex-send: cannot write %1: %2").arg(options_.output, why));
    return 1;
  };
  if (toStdout) {
    QFile out;
    if (!out.open(output_.out, QIODevice::WriteOnly) || out.write(data, size) != size || !out.flush())
      return cannotWrite(out.errorString());
  } else {
    // The stream never takes the place of the pair it was made from, and a file it replaces
    // is kept whole until the new one is complete.
    const QString target = QFileInfo(options_.output).canonicalFilePath();
    for (const QString& own : {options_.pairPath, logoFileNameForOpen(options_.pairPath)}) {
      if (!target.isEmpty() && target == QFileInfo(own).canonicalFilePath())
        return cannotWrite(QStringLiteral("it is a file of the pair being sent"));
    }
    QSaveFile file(options_.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size || !file.commit())
      return cannotWrite(file.errorString());
  }
  if (options_.timing) {
    std::FILE* lines = toStdout ? output_.err : output_.out;
    for (const PlannedTransfer& t : plan.transfers) printLine(lines, timingLine(plan, t));
    printLine(lines, QStringLiteral("%1 ms  end").arg(plan.totalMs, 8));
  }
  return 0;
}

int Sender::feedPorts(const RunPlan& plan) {
  std::vector<std::unique_ptr<PortRun>> runs;
  std::vector<QString> labels;
  int labelWidth = 0;
  for (int i = 0; i < options_.ports.size(); ++i) {
    PortTarget target{options_.ports[i], resolvePort(options_.ports[i]), {}};
    if (writeStamps) target.stamp = writeStamps(i);
    labels.push_back(target.label);
    labelWidth = std::max(labelWidth, static_cast<int>(target.label.size()));
    runs.push_back(std::make_unique<PortRun>(std::move(target), plan, interrupted));
  }
  for (auto& run : runs) run->start();

  const bool bars = output_.terminal && !options_.quiet;
  const bool plain = !output_.terminal && !options_.quiet;
  PlainProgress plainProgress(runs.size());
  bool drawn = false;
  for (;;) {
    // Wakes as soon as the last port ends, so the run takes no longer than its slowest port.
    const auto refresh = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRefreshMs);
    bool ended = true;
    for (auto& run : runs) {
      if (!run->waitUntil(refresh)) {
        ended = false;
        break;
      }
    }
    std::vector<PortStatus> statuses;
    for (auto& run : runs) statuses.push_back(run->status());
    if (bars) {
      QString screen;
      if (drawn) screen += QStringLiteral("\x1b[%1A").arg(runs.size());
      for (std::size_t i = 0; i < runs.size(); ++i) {
        QString line = progressLine(labels[i], labelWidth, statuses[i], plan);
        // A line that wraps would take two rows and throw the redrawing off by one.
        if (output_.columns > 1 && line.size() >= output_.columns) line.truncate(output_.columns - 1);
        screen += QStringLiteral("\r\x1b[2K") + line + QLatin1Char('\n');
      }
      screen.chop(1);
      printLine(output_.out, screen);
      drawn = true;
    } else if (plain) {
      for (const QString& line : plainProgress.update(labels, statuses, plan)) printLine(output_.out, line);
    }
    if (ended) break;
  }

  int failed = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const PortStatus s = runs[i]->status();
    const QString line = summaryLine(labels[i], QString::fromStdString(runs[i]->target().device), s, plan);
    if (s.state != PortStatus::State::Done) ++failed;
    if (!options_.quiet) printLine(output_.out, line);
    else if (s.state != PortStatus::State::Done) printLine(output_.err, QStringLiteral("vorlandex-send: ") + line);
  }
  if (!options_.quiet && runs.size() > 1)
    printLine(output_.out, failed == 0 ? QStringLiteral("all %1 printers received everything").arg(runs.size())
                                       : QStringLiteral("%1 of %2 printers FAILED").arg(failed).arg(runs.size()));
  return failed == 0 ? 0 : 1;
}

}  // namespace vx
