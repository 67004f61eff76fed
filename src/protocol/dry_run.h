#pragma once
// A run of the transmission jobs on virtual time with no port: every hand-over the jobs would
// make, with its bytes and its planned offset from the start of the run, grouped into the
// protocol's transfers and jobs. It tells what a run puts on the line and when before the
// run starts: the command-line sender's dry run prints it, and its time left is read from it.
// Pure computation; any thread.

#include <QDateTime>
#include <cstdint>
#include <vector>

#include "model/config_model.h"
#include "protocol/frames.h"
#include "protocol/transmission.h"

namespace vx {

struct PlannedJob {
  JobKind kind = JobKind::Settings;
  int button = 0;            // 1..4 for a text job, else 0
  std::int64_t startMs = 0;  // the job opens the port
  std::int64_t endMs = 0;    // the job closes the port
};

// One SendData call: a word, a frame, a block header, a data byte or a terminator.
struct PlannedWrite {
  ByteList bytes;
  std::int64_t offsetMs = 0;  // its hand-over, from the start of the run
  int job = 0;                // index into RunPlan::jobs
};

// One register write or block transfer: "DIMP" up to the frame or the terminator.
struct PlannedTransfer {
  ByteList bytes;             // as they go on the line
  std::int64_t offsetMs = 0;  // hand-over of its "DIMP"
  int job = 0;
  int firstWrite = 0;  // index into RunPlan::writes
  int writeCount = 0;
};

struct RunPlan {
  std::vector<PlannedJob> jobs;
  std::vector<PlannedWrite> writes;
  std::vector<PlannedTransfer> transfers;
  std::int64_t totalMs = 0;  // the last job's end

  // Every byte of the run in order.
  ByteList stream() const;
  // Planned time left once `writesDone` writes have been handed over, `sinceLastMs` after
  // the last of them (after the start of the run when none has).
  std::int64_t timeLeftMs(std::size_t writesDone, std::int64_t sinceLastMs) const;
};

// What the run `selection` picks makes of `model`: the settings job with `optionByte`, the
// clock job reading the date and time `start` plus the planned offset at which it starts,
// the text jobs with `cut`, the logo job with `logoData`. Throws as the jobs do for a block
// too large for the printer (std::length_error).
RunPlan planRun(const ConfigModel& model, const JobSelection& selection, std::uint8_t optionByte, CutMode cut,
                const ByteList& logoData, const QDateTime& start);

// "settings", "clock", "texts", "logo": the names the command line uses for the jobs.
const char* jobName(JobKind kind);

}  // namespace vx
