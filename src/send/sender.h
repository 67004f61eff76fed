#pragma once
// vorlandex-send's run: reads the pair as "Abrir" does, builds what the window would send
// after opening it, plans the run on virtual time, then either writes the plan (dry run) or
// feeds every port at once, each on its own thread (with --if-changed only the jobs its
// record does not hold), showing progress and a summary, or one JSON document (--json).
// Main thread; exec() returns the exit status: 0 every port received everything, 1 a port
// failed (or the dry run's output could not be written), 2 a pair that does not open, a block
// too large to send or a --trace file that cannot be opened; nothing is opened or sent then.

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "send/send_options.h"
#include "send/watched_device.h"

namespace vx {

struct RunPlan;

class Sender {
 public:
  struct Output {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool terminal = false;  // out is a terminal: progress bars redrawn in place
    int columns = 0;        // the terminal's width; 0 when unknown
    bool errTerminal = false;  // err is a terminal: with --json, the progress bars go there
  };

  Sender(SendOptions options, Output output);

  // For measurements: a stamp for each write to port `index` (in --port order), and the run's
  // plan on virtual time, given before any port is opened.
  std::function<WatchedDevice::WriteStamp(int index)> writeStamps;
  std::function<void(const RunPlan&)> planned;
  // For measurements: the plan of what port `index` is sent (with --if-changed it may be
  // fewer jobs than the run's plan); not called for a port that is sent nothing.
  std::function<void(int index, const RunPlan&)> portPlanned;

  int exec();

  // Async-signal-safe: every port stops before its next write, closes its port, and the run
  // ends with the summary (exit status 1). For SIGINT and SIGTERM.
  static void interrupt();

 private:
  struct PortWork;
  int writeDryRun(const RunPlan& plan);
  // Plans the run of `jobs`: the whole run's, or one port's share of them.
  using Planner = std::function<RunPlan(const JobsToSend& jobs)>;
  int feedPorts(const RunPlan& plan, const Planner& planJobs);
  std::unique_ptr<PortWork> preparePort(int index, const RunPlan& plan, const Planner& planJobs);
  int report(std::vector<std::unique_ptr<PortWork>>& ports, double seconds);

  SendOptions options_;
  Output output_;
};

}  // namespace vx
