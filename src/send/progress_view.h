#pragma once
// What the sender shows of its ports while they run and when they end: one line per printer
// with its job, a bar and the time left, redrawn in place on a terminal, plain lines when the
// output is not a terminal, and the closing summary. Formatting only; the caller writes the
// lines.

#include <QString>
#include <QStringList>
#include <vector>

#include "protocol/job_plan.h"
#include "send/port_run.h"

namespace vx {

// "1:05", "12:00".
QString formatDuration(std::int64_t ms);

// The job of the plan at `job` as the sender names it: "settings", "clock", "texts 2/4", "logo".
QString jobLabel(const RunPlan& plan, int job);

// A port's line for the terminal: label padded to `labelWidth`, job, bar, percentage of
// the planned run, time left.
QString progressLine(const QString& label, int labelWidth, const PortStatus& status, const RunPlan& plan);

// The closing line of a port: what it received, or where it stopped and why.
QString summaryLine(const QString& label, const QString& device, const PortStatus& status, const RunPlan& plan);

// Progress bars redrawn in place on a terminal, one line per port.
class TerminalProgress {
 public:
  // `columns`: the terminal's width, 0 when unknown.
  TerminalProgress(std::vector<QString> labels, int columns);
  // What to print, without a final line break, to draw the ports' statuses over the previous
  // drawing (the first time: below the cursor).
  QString redraw(const std::vector<PortStatus>& statuses, const std::vector<const RunPlan*>& plans);

 private:
  std::vector<QString> labels_;
  int labelWidth_ = 0;
  int columns_ = 0;
  bool drawn_ = false;
};

// Plain-line progress: a line whenever a port starts a job or ends, nothing in between.
class PlainProgress {
 public:
  explicit PlainProgress(std::size_t ports) : shown_(ports, -2) {}
  // The lines to print for the ports' current statuses.
  QStringList update(const std::vector<QString>& labels, const std::vector<PortStatus>& statuses,
                     const RunPlan& plan);
  // The same, each port with its own plan (--if-changed sends each port its own jobs).
  QStringList update(const std::vector<QString>& labels, const std::vector<PortStatus>& statuses,
                     const std::vector<const RunPlan*>& plans);

 private:
  std::vector<int> shown_;  // per port: the job last shown; -3 once its end was shown
};

}  // namespace vx
