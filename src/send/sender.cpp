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
#include "model/shown_path.h"
#include "protocol/job_plan.h"
#include "send/json_report.h"
#include "send/port_run.h"
#include "send/progress_view.h"
#include "send/send_messages.h"
#include "send/sent_record.h"
#include "serial/trace.h"

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

// The JSON document, alone on standard output.
void writeJson(std::FILE* f, const SendReport& report) {
  const QByteArray doc = jsonReport(report);
  std::fwrite(doc.constData(), 1, static_cast<std::size_t>(doc.size()), f);
  std::fflush(f);
}

// The jobs a run picks for the pair: "Enviar sem logo" for a pair whose logo is off still
// sends the short logo, as the window does.
JobsToSend jobsFor(const ConfigPair* pair, const SendOptions& o) {
  JobsToSend jobs = o.jobs;
  if (pair && o.noLogo && sendAllSendsLogo(false, pair->contents.globals.print_logo)) jobs.logo = true;
  return jobs;
}

// What the window sends of `jobs` for the pair after "Abrir", from its start-up state: the
// file's buttons over the start-up model, its options with "Imprime 2 vias" as asked, its cut.
// Without a pair (the clock alone, which sends nothing of one) the start-up model.
RunPlan planFor(const ConfigPair* pair, const SendOptions& o, const JobsToSend& jobs, const QDateTime& start) {
  ConfigModel model;
  applyNumberingDefaults(model);
  model.currentButton = 1;
  if (!pair) return planRun(model, jobs, 0, CutMode::Total, {}, start);
  applyConfigButtons(model, pair->contents);
  const GlobalSettings& g = pair->contents.globals;
  // "Corte Parcial" is set from line 182, then "Corte Total" from line 183: "Corte Total" wins
  // when both are set, and the text job reads anything but "Corte Parcial" as total.
  const CutMode cut = g.partial_cut && !g.total_cut ? CutMode::Partial : CutMode::Total;
  ByteList logoData;
  if (jobs.logo) {
    const QByteArray logo = logoDataAfterOpen(*pair);
    logoData.assign(logo.begin(), logo.end());
  }
  return planRun(model, jobs, optionByte(g.reset_at_day_end, g.beep, o.twoCopies), cut, logoData, start);
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

// The technician's trace of every port's serial link (--trace), opened before any port is;
// what is wrong with it, or empty.
QString startTrace(const QString& path) {
  std::string reason;
  if (path.isEmpty() || startProgramTrace(QFile::encodeName(path).toStdString(), &reason)) return {};
  return sendMessage(SendMessages::kTraceNotOpened).arg(shownPath(path), QString::fromStdString(reason));
}

}  // namespace

Sender::Sender(SendOptions options, Output output) : options_(std::move(options)), output_(output) {}

void Sender::interrupt() { interrupted = true; }

int Sender::exec() {
  // Everything that can be wrong with the pair is found before any port is opened.
  ConfigPair pair;
  const ConfigPair* source = nullptr;
  RunPlan plan;
  QString error;
  try {
    if (!options_.pairPath.isEmpty()) {
      // Every message about the pair or its picture names it with the system's separators.
      pair = readConfigPair(options_.pairPath);
      source = &pair;
    }
    plan = planFor(source, options_, jobsFor(source, options_), QDateTime::currentDateTime());
    error = startTrace(options_.traceFile);
  } catch (const ConfigPairError& e) {
    error = e.message();
  } catch (const std::length_error& e) {
    error = QStringLiteral("%1: %2").arg(shownPath(options_.pairPath), QString::fromUtf8(e.what()));
  }
  if (!error.isEmpty()) {
    printLine(output_.err, sendMessage(SendMessages::kFailure).arg(error));
    if (options_.json) {
      writeJson(output_.out, SendReport{options_.pairPath, options_.ifChanged, options_.force, error, 0, {}});
    }
    return 2;
  }

  if (planned) planned(plan);
  // A port that is sent only some of the jobs runs a plan of its own, made when it starts.
  const Planner planJobs = [&](const JobsToSend& jobs) {
    return planFor(source, options_, jobs, QDateTime::currentDateTime());
  };
  return options_.dryRun ? writeDryRun(plan) : feedPorts(plan, planJobs);
}

int Sender::writeDryRun(const RunPlan& plan) {
  const ByteList bytes = plan.stream();
  const bool toStdout = options_.output == QLatin1String("-");
  const auto size = static_cast<qint64>(bytes.size());
  const char* data = reinterpret_cast<const char*>(bytes.data());
  const auto cannotWrite = [&](const QString& why) {
    printLine(output_.err,
              sendMessage(SendMessages::kFailure)
                  .arg(sendMessage(SendMessages::kCannotWrite).arg(shownPath(options_.output), why)));
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
    QStringList pairFiles;
    if (!options_.pairPath.isEmpty()) pairFiles << options_.pairPath << logoFileNameForOpen(options_.pairPath);
    for (const QString& own : pairFiles) {
      if (!target.isEmpty() && target == QFileInfo(own).canonicalFilePath())
        return cannotWrite(sendMessage(SendMessages::kOutputIsPairFile));
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

// One port of the run: the jobs it is sent (all, or with --if-changed those its record does
// not hold), their plan, its record, its run.
struct Sender::PortWork {
  QString label;
  std::string device;
  std::vector<JobDigest> digests;  // every job of the full plan
  std::vector<bool> send;          // per job of the full plan
  std::vector<int> fullIndex;      // per job of `plan`: its index in the full plan
  RunPlan ownPlan;                 // when only some jobs go
  const RunPlan* plan = nullptr;
  std::unique_ptr<SentRecord> record;
  QString recordError;  // written on the port's thread, read once its run has ended
  std::unique_ptr<PortRun> run;
};

std::unique_ptr<Sender::PortWork> Sender::preparePort(int index, const RunPlan& plan, const Planner& planJobs) {
  auto w = std::make_unique<PortWork>();
  w->label = options_.ports[index];
  w->device = resolvePort(w->label);
  w->digests = jobDigests(plan);
  if (options_.keepsRecord()) {
    w->record = std::make_unique<SentRecord>(w->label);
    QString why;
    // A record that cannot be read knows nothing: everything is sent and it is written anew.
    if (!w->record->load(&why))
      printLine(
          output_.err,
          sendMessage(SendMessages::kFailure).arg(sendMessage(SendMessages::kRecordUnreadable).arg(why)));
  }
  const bool compare = options_.ifChanged && !options_.force;
  w->send = jobsToSend(w->digests, compare ? w->record.get() : nullptr, options_.clockNamed);
  for (std::size_t j = 0; j < w->send.size(); ++j)
    if (w->send[j]) w->fullIndex.push_back(static_cast<int>(j));
  if (w->fullIndex.size() == w->send.size()) {
    w->plan = &plan;
  } else {
    if (!w->fullIndex.empty()) w->ownPlan = planJobs(selectionOf(plan, w->send));
    w->plan = &w->ownPlan;
  }
  return w;
}

int Sender::feedPorts(const RunPlan& plan, const Planner& planJobs) {
  const auto started = std::chrono::steady_clock::now();
  std::vector<std::unique_ptr<PortWork>> ports;
  ports.reserve(options_.ports.size());
  for (int i = 0; i < options_.ports.size(); ++i) ports.push_back(preparePort(i, plan, planJobs));

  // Ports with nothing to send are not opened.
  std::vector<PortWork*> active;
  for (int i = 0; i < static_cast<int>(ports.size()); ++i) {
    PortWork& w = *ports[i];
    if (w.fullIndex.empty()) continue;
    PortTarget target{w.label, w.device, {}, {}};
    if (writeStamps) target.stamp = writeStamps(i);
    if (portPlanned) portPlanned(i, *w.plan);
    if (w.record) {
      // The record takes a job only once it reached the end of its last frame with the line
      // intact; a job that started and broke off leaves the printer's state unknown.
      target.jobEnded = [&w](int job, bool complete) {
        const JobDigest& digest = w.digests[w.fullIndex[job]];
        if (complete) w.record->jobSent(digest, QString::fromStdString(w.device));
        else w.record->jobBroken(digest.key);
        QString why;
        if (!w.record->save(&why) && w.recordError.isEmpty()) w.recordError = why;
      };
    }
    w.run = std::make_unique<PortRun>(std::move(target), *w.plan, interrupted);
    active.push_back(&w);
  }
  for (PortWork* w : active) w->run->start();

  // With --json standard output carries the document alone: progress goes to a terminal's
  // error stream, or nowhere.
  std::FILE* progressOut = options_.json ? output_.err : output_.out;
  const bool progressTerminal = options_.json ? output_.errTerminal : output_.terminal;
  const bool bars = progressTerminal && !options_.quiet && !active.empty();
  const bool plain = !progressTerminal && !options_.quiet && !options_.json;
  PlainProgress plainProgress(active.size());
  std::vector<QString> labels;
  std::vector<const RunPlan*> plans;
  for (PortWork* w : active) {
    labels.push_back(w->label);
    plans.push_back(w->plan);
  }
  TerminalProgress terminalProgress(labels, output_.columns);
  for (;;) {
    // Wakes as soon as the last port ends, so the run takes no longer than its slowest port.
    const auto refresh = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRefreshMs);
    bool ended = true;
    for (PortWork* w : active) {
      if (!w->run->waitUntil(refresh)) {
        ended = false;
        break;
      }
    }
    std::vector<PortStatus> statuses;
    statuses.reserve(active.size());
    for (PortWork* w : active) statuses.push_back(w->run->status());
    if (bars) {
      printLine(progressOut, terminalProgress.redraw(statuses, plans));
    } else if (plain) {
      for (const QString& line : plainProgress.update(labels, statuses, plans)) printLine(output_.out, line);
    }
    if (ended) break;
  }
  return report(ports, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
}

int Sender::report(std::vector<std::unique_ptr<PortWork>>& ports, double seconds) {
  SendReport run{options_.pairPath, options_.ifChanged, options_.force, {}, seconds, {}};
  int failed = 0;
  for (auto& owned : ports) {
    PortWork& w = *owned;
    PortReport p{w.label, QString::fromStdString(w.device), false, {}, 0, 0, {}};
    PortStatus s;
    s.state = PortStatus::State::Done;
    std::vector<JobOutcome> outcomes;
    if (w.run) {
      s = w.run->status();
      outcomes = w.run->outcomes();
      p.seconds = static_cast<double>(s.elapsedMs) / 1000.0;
      p.bytesWritten = s.bytesWritten;
    }
    QStringList unchanged;
    for (std::size_t j = 0; j < w.digests.size(); ++j) {
      JobReport job{w.digests[j].key, w.digests[j].bytes, 0, JobReport::Result::Skipped, {}};
      if (!w.send[j]) unchanged << job.key;
      p.jobs.push_back(job);
    }
    for (std::size_t k = 0; k < w.fullIndex.size(); ++k) {
      JobReport& job = p.jobs[w.fullIndex[k]];
      const JobOutcome o = k < outcomes.size() ? outcomes[k] : JobOutcome{};
      job.seconds = static_cast<double>(o.ms) / 1000.0;
      if (o.complete) {
        job.result = JobReport::Result::Sent;
      } else if (o.started) {
        job.result = JobReport::Result::Failed;
        job.error = s.failure;
      } else {
        job.result = JobReport::Result::NotRun;
      }
    }
    p.failed = s.state != PortStatus::State::Done || !w.recordError.isEmpty();
    p.error = !s.failure.isEmpty()
                  ? s.failure
                  : (w.recordError.isEmpty() ? QString()
                                             : sendMessage(SendMessages::kRecordNotKept).arg(w.recordError));
    if (p.failed) ++failed;

    QString line;
    if (!w.run)
      line = sendMessage(SendMessages::kNothingChanged).arg(w.label);
    else
      line = summaryLine(w.label, p.device, s, *w.plan);
    if (w.run && !unchanged.isEmpty())
      line += sendMessage(SendMessages::kUnchangedJobs).arg(unchanged.join(QStringLiteral(", ")));
    if (s.state == PortStatus::State::Done && !w.recordError.isEmpty()) line += QStringLiteral("; ") + p.error;
    if (!options_.quiet && !options_.json) printLine(output_.out, line);
    else if (p.failed)
      printLine(output_.err, sendMessage(SendMessages::kFailure).arg(line));
    run.ports.push_back(std::move(p));
  }
  if (options_.json) {
    writeJson(output_.out, run);
  } else if (!options_.quiet && ports.size() > 1) {
    printLine(output_.out, failed == 0
                               ? sendMessage(SendMessages::kAllReceived).arg(ports.size())
                               : sendMessage(SendMessages::kSomeFailed).arg(failed).arg(ports.size()));
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace vx
