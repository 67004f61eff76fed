#pragma once
// Runs a planned run of transmission jobs on a port, paced by a pacer. Every job follows the
// job frame: openPort, progress shown, its steps, progress hidden, closePort. Every hand-over
// carries the pause the printer needs before it (pacer.pauseOwedMs()), for the port to keep
// after its previous write. Runs on the thread that calls it; returns when the run has ended.
//
// What happened is written to a RunReport as it happens, so that it is there however the run
// ends. A port that cannot be opened ends the run with the port's exception before that job
// shows or sends anything. A port that refuses bytes or has lost its line (asked after every
// hand-over and after closePort) ends it with ConnectionLost. Should anything throw while the
// progress is shown, it is hidden and the port closed on the way out.

#include <cstddef>
#include <cstdint>
#include <exception>

#include "protocol/job_plan.h"
#include "protocol/job_port.h"
#include "protocol/pacer.h"

namespace vx {

struct RunReport {
  int job = -1;                    // index into the plan's jobs of the job running or last run
  bool portOpened = false;         // a job opened the port: bytes may have reached the printer
  bool finished = false;           // every job ran to its end
  std::size_t writesDone = 0;      // hand-overs made
  std::int64_t pausedSinceWriteMs = 0;  // planned pauses begun since the last hand-over

  // The plan's time left at this point of the run.
  std::int64_t timeLeftMs(const RunPlan& plan) const { return plan.timeLeftMs(writesDone, pausedSinceWriteMs); }
};

// The port lost its line during the job RunReport::job; it and the jobs after it were not
// (all) sent.
class ConnectionLost : public std::exception {
 public:
  const char* what() const noexcept override { return "connection to the printer lost"; }
};

// `progress` may be null: nothing is shown and messages are not processed.
void runPlan(JobPort& port, Pacer& pacer, const RunPlan& plan, JobProgress* progress, RunReport& report);

}  // namespace vx
