#pragma once
// The transmission jobs, planned: every step a job takes (its pauses, its hand-overs with
// their bytes, its progress), with the planned offset of every hand-over from the start of
// the run. A run is planned once, before anything is sent; the window and the command-line
// sender run the plan (plan_runner.h) and read its time left from it, and the sender's dry
// run prints it. Planning reads nothing but its arguments and never changes the model.
// Pure computation; any thread.
//
// Every job opens the port, shows the progress, takes its steps, hides the progress and
// closes the port. Offsets are on the jobs' pause chain: a hand-over is planned at the sum
// of the pauses before it, each job starting where the previous one ended.

#include <QDateTime>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/config_model.h"
#include "protocol/frames.h"

namespace vx {

// The transmission jobs in the order the send-all commands run them.
enum class JobKind { Settings, Clock, Texts, Logo };

// Which jobs a run sends; the send-all commands send all of them ("Enviar sem logo" no logo).
struct JobsToSend {
  bool settings = true;
  bool clock = true;
  bool texts = true;  // the text job of each button 1..4
  bool logo = true;
  std::uint8_t textButtons = 0x0F;  // with texts: the buttons whose text job runs, bit b-1 for button b
  bool operator==(const JobsToSend&) const = default;
};

// Whether a send-all sends the logo job. "Enviar sem logo" (`withLogo` false) leaves it
// out, except while "Imprimir Logotipo" is off: the short logo of no rows then still goes
// last, or the printer would go on printing the logo it was last sent.
inline bool sendAllSendsLogo(bool withLogo, bool printLogo) { return withLogo || !printLogo; }

// One step of a job, in the order it is taken.
struct JobStep {
  enum class Kind : std::uint8_t {
    Wait,              // value: the protocol's pause in ms
    Send,              // value: index into RunPlan::writes
    ProgressMax,       // value: the progress bar's maximum
    ProgressPosition,  // value: the progress bar's position
    Pump,              // let the window process its messages
    PumpOnNewSecond,   // the same, when the time of day has reached another second
  };
  Kind kind = Kind::Wait;
  int value = 0;
};

// One job of a run.
struct JobPlan {
  JobKind kind = JobKind::Settings;
  int button = 0;            // 1..4 for a text job, else 0
  std::int64_t startMs = 0;  // the job opens the port
  std::int64_t endMs = 0;    // the job closes the port, after its last pause
  std::vector<JobStep> steps;
};

// One hand-over: a preamble, a frame, a block header, a data byte or a terminator.
struct PlannedWrite {
  ByteList bytes;
  std::int64_t offsetMs = 0;  // from the start of the run
  int job = 0;                // index into RunPlan::jobs
};

// One register write or block transfer: the preamble up to the frame or the terminator.
struct PlannedTransfer {
  ByteList bytes;             // as they go on the line
  std::int64_t offsetMs = 0;  // hand-over of its preamble
  int job = 0;
  int firstWrite = 0;  // index into RunPlan::writes
  int writeCount = 0;
};

struct RunPlan {
  std::vector<JobPlan> jobs;
  std::vector<PlannedWrite> writes;
  std::vector<PlannedTransfer> transfers;
  std::int64_t totalMs = 0;  // the last job's end

  // Every byte of the run in order.
  ByteList stream() const;
  // Planned time left once `writesDone` writes have been handed over and `sinceLastMs` has
  // passed after the last of them (after the start of the run when none has); never past
  // the next hand-over's planned offset.
  std::int64_t timeLeftMs(std::size_t writesDone, std::int64_t sinceLastMs) const;
};

// The jobs, each appended to `plan` after the jobs already in it. Each throws, leaving `plan`
// as it was, what its bytes cannot be built for: std::length_error for a block over
// kMaxBlockSize bytes, std::out_of_range for a button outside 1..4.

// "Enviar Todas Configurações de Botões e Atendimento": the letters, links
// (brought up to date as each button's page would show them), first and last numbers of
// buttons 1..4, then `options` (optionByte()). About 1.8 s.
void planSettingsJob(RunPlan& plan, const ConfigModel& model, std::uint8_t options);
// "Configurar Hora e Data": the seven clock registers of one reading, the date
// and time `runStart` plus the planned start of the job. About 0.8 s.
void planClockJob(RunPlan& plan, const QDateTime& runStart);
// "Enviar Configurações de Texto do Botão": the header-text block of `button`
// (no pause after the preamble), then its footer-text block with `cut` (100 ms after it).
void planTextJob(RunPlan& plan, const ConfigModel& model, int button, CutMode cut);
// "Enviar Todas Configurações de Logotipo": `logoData` as block 0x00, 100 ms
// after the preamble.
void planLogoJob(RunPlan& plan, std::span<const std::uint8_t> logoData);

// The jobs `jobs` picks in the send-all order: settings, clock, the texts of buttons 1..4,
// logo. Throws as the jobs do, before anything is sent.
RunPlan planRun(const ConfigModel& model, const JobsToSend& jobs, std::uint8_t options, CutMode cut,
                std::span<const std::uint8_t> logoData, const QDateTime& start);

}  // namespace vx
