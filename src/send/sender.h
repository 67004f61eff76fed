#pragma once
// vorlandex-send's run: reads the pair as "Abrir" does, builds what the window would send
// after opening it, plans the run on virtual time, then either writes the plan (dry run) or
// feeds every port at once, each on its own thread, showing progress and a summary.
// Main thread; exec() returns the exit status: 0 every port received everything, 1 a port
// failed (or the dry run's output could not be written), 2 a pair that does not open or a
// block too large to send; nothing is opened or sent then.

#include <cstdio>
#include <functional>

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
  };

  Sender(SendOptions options, Output output);

  // For measurements: a stamp for each write to port `index` (in --port order), and the run's
  // plan on virtual time, given before any port is opened.
  std::function<WatchedDevice::WriteStamp(int index)> writeStamps;
  std::function<void(const RunPlan&)> planned;

  int exec();

  // Async-signal-safe: every port stops before its next write, closes its port, and the run
  // ends with the summary (exit status 1). For SIGINT and SIGTERM.
  static void interrupt();

 private:
  int writeDryRun(const RunPlan& plan);
  int feedPorts(const RunPlan& plan);

  SendOptions options_;
  Output output_;
};

}  // namespace vx
