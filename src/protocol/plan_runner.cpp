#include "protocol/plan_runner.h"

#include <QLocale>
#include <QTime>

namespace vx {
namespace {

// Steps 3 to 9 of the job frame around the steps: the constructor opens the port and shows
// the progress; finish() hides it and closes the port and finds out whether everything
// handed over could reach the line; the destructor does the same on the way out of an
// exception, so the main window is never left disabled.
class JobFrame {
 public:
  JobFrame(JobPort& port, Pacer& pacer, JobProgress* progress, RunReport& report)
      : port_(port), progress_(progress) {
    port_.openPort();
    report.portOpened = true;
    // The job's first pause is measured from the opening of the port, however long ago
    // the previous job handed over its last byte.
    pacer.portOpened();
    try {
      if (progress_) progress_->showProgress();
    } catch (...) {
      port_.closePort();
      throw;
    }
  }
  void finish() {
    close();
    if (port_.lineLost()) throw ConnectionLost();
  }
  ~JobFrame() { close(); }
  JobFrame(const JobFrame&) = delete;
  JobFrame& operator=(const JobFrame&) = delete;

 private:
  void close() {
    if (closed_) return;
    closed_ = true;
    if (progress_) progress_->hideProgress();
    port_.closePort();
  }
  JobPort& port_;
  JobProgress* progress_;
  bool closed_ = false;
};

// The time of day to the second as the system's long time text. Formatting costs
// microseconds that would add up over thousands of bytes, so the text is made again only
// when the second changes; the comparison with lastShownSecond is still made for every byte.
class SecondText {
 public:
  const QString& of(const QDateTime& now) {
    const QTime t = now.time();
    const QTime second(t.hour(), t.minute(), t.second());
    if (text_.isNull() || second != second_) {
      second_ = second;
      text_ = QLocale::system().toString(second, QLocale::LongFormat);
    }
    return text_;
  }

 private:
  QTime second_;
  QString text_;
};

void runJob(JobPort& port, Pacer& pacer, const RunPlan& plan, const JobPlan& job, JobProgress* progress,
            RunReport& report) {
  JobFrame frame(port, pacer, progress, report);
  SecondText second;
  for (const JobStep& step : job.steps) {
    switch (step.kind) {
      case JobStep::Kind::Wait:
        // Counted when the pause starts: the time left is read between pauses, where the one
        // just begun is behind it.
        report.pausedSinceWriteMs += step.value;
        pacer.wait(step.value);
        break;
      case JobStep::Kind::Send: {
        const ByteList& bytes = plan.writes[static_cast<std::size_t>(step.value)].bytes;
        // The protocol has no recovery, so a port that refuses bytes or has lost its line
        // ends the run: going on would only report a failed transmission as a success.
        const bool queued = port.sendAfterPause(bytes.data(), static_cast<std::uint16_t>(bytes.size()),
                                                pacer.pauseOwedMs());
        pacer.handedOver();
        ++report.writesDone;
        report.pausedSinceWriteMs = 0;
        if (!queued || port.lineLost()) throw ConnectionLost();
        break;
      }
      case JobStep::Kind::ProgressMax:
        if (progress) progress->setProgressMax(step.value);
        break;
      case JobStep::Kind::ProgressPosition:
        if (progress) progress->setProgressPosition(step.value);
        break;
      case JobStep::Kind::Pump:
        if (progress) progress->processMessages();
        break;
      case JobStep::Kind::PumpOnNewSecond:
        if (progress) {
          const QString& now = second.of(pacer.now());
          if (now != progress->lastShownSecond) {
            progress->lastShownSecond = now;
            progress->processMessages();
          }
        }
        break;
    }
  }
  frame.finish();
}

}  // namespace

void runPlan(JobPort& port, Pacer& pacer, const RunPlan& plan, JobProgress* progress, RunReport& report) {
  for (std::size_t j = 0; j < plan.jobs.size(); ++j) {
    report.job = static_cast<int>(j);
    runJob(port, pacer, plan, plan.jobs[j], progress, report);
  }
  report.finished = true;
}

}  // namespace vx
