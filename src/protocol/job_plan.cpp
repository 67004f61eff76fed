#include "protocol/job_plan.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "editor/button_links.h"

namespace vx {
namespace {

constexpr int kRegisterPauseMs = 100;  // the printer needs 100 ms after every register frame
constexpr int kBlockLeadMs = 100;
constexpr int kByteSpacingMs = 12;

void checkBlockSize(std::size_t size) {
  if (size > kMaxBlockSize)
    throw std::length_error("Bloco de " + std::to_string(size) + " bytes grande demais para a impressora");
}

// Appends one job's steps to a plan, keeping its planned time on the pause chain.
class JobWriter {
 public:
  JobWriter(RunPlan& plan, JobKind kind, int button = 0) : plan_(plan), now_(plan.totalMs) {
    job_.kind = kind;
    job_.button = button;
    job_.startMs = now_;
  }
  // Adds the job to the plan.
  void finish() {
    job_.endMs = now_;
    plan_.totalMs = now_;
    plan_.jobs.push_back(std::move(job_));
  }

  void wait(int ms) {
    job_.steps.push_back({JobStep::Kind::Wait, ms});
    now_ += ms;
  }
  void send(const std::uint8_t* data, std::size_t length) {
    const int index = static_cast<int>(plan_.writes.size());
    const int jobIndex = static_cast<int>(plan_.jobs.size());
    plan_.writes.push_back(PlannedWrite{ByteList(data, data + length), now_, jobIndex});
    job_.steps.push_back({JobStep::Kind::Send, index});
    // Every transfer starts with the 4-byte preamble: frames start with 0x40 and block
    // headers with a block code, data bytes and the terminator are single bytes.
    const bool preamble = std::equal(data, data + length, kPreamble.begin(), kPreamble.end());
    if (preamble || plan_.transfers.empty())
      plan_.transfers.push_back(PlannedTransfer{{}, now_, jobIndex, index, 0});
    PlannedTransfer& t = plan_.transfers.back();
    t.bytes.insert(t.bytes.end(), data, data + length);
    ++t.writeCount;
  }
  void progressMax(int maximum) { job_.steps.push_back({JobStep::Kind::ProgressMax, maximum}); }
  void progressPosition(int position) { job_.steps.push_back({JobStep::Kind::ProgressPosition, position}); }
  void pump() { job_.steps.push_back({JobStep::Kind::Pump, 0}); }
  void pumpOnNewSecond() { job_.steps.push_back({JobStep::Kind::PumpOnNewSecond, 0}); }
  // The window processes its messages, then shows `position`.
  void progressStep(int position) {
    pump();
    progressPosition(position);
  }

  std::int64_t startMs() const { return job_.startMs; }

 private:
  RunPlan& plan_;
  JobPlan job_;
  std::int64_t now_;
};

// A job that throws while being written leaves the plan as it was.
template <typename Writing>
void appendJob(RunPlan& plan, JobKind kind, int button, Writing writing) {
  const std::size_t writes = plan.writes.size();
  const std::size_t transfers = plan.transfers.size();
  try {
    JobWriter job(plan, kind, button);
    writing(job);
    job.finish();
  } catch (...) {
    plan.writes.resize(writes);
    plan.transfers.resize(transfers);
    throw;
  }
}

// Register write: the preamble and the frame back to back (one 4-byte write each), then 100 ms.
void sendRegister(JobWriter& job, std::uint8_t code, std::int32_t value, Width width) {
  job.send(kPreamble.data(), kPreamble.size());
  const FrameBytes frame = registerFrame(code, value, width);
  job.send(frame.data(), frame.size());
  job.wait(kRegisterPauseMs);
}

// Block transfer: progress maximum n; 100 ms; the preamble; 100 ms when `pauseAfterPreamble`;
// the block header; each byte as a 1-byte write followed by 12 ms, with the progress position
// following it and the message pump run whenever the time of day has reached another second;
// then "F" at once.
void sendBlock(JobWriter& job, std::uint8_t code, std::span<const std::uint8_t> bytes, bool pauseAfterPreamble) {
  const FrameBytes header = blockHeader(code, bytes.size());
  const int n = static_cast<int>(bytes.size());
  job.progressMax(n);
  job.wait(kBlockLeadMs);
  job.send(kPreamble.data(), kPreamble.size());
  if (pauseAfterPreamble) job.wait(kBlockLeadMs);
  job.send(header.data(), header.size());
  for (int i = 1; i <= n; ++i) {
    job.pumpOnNewSecond();
    job.progressPosition(i);
    job.send(&bytes[i - 1], 1);
    job.wait(kByteSpacingMs);
  }
  job.send(&kTerminator, 1);
}

void sendRegisters(JobWriter& job, std::uint8_t firstCode, const std::int32_t* values, Width width) {
  for (int b = 1; b <= kPrinterButtons; ++b)
    sendRegister(job, static_cast<std::uint8_t>(firstCode + b - 1), values[b], width);
}

}  // namespace

ByteList RunPlan::stream() const {
  ByteList out;
  for (const PlannedWrite& w : writes) out.insert(out.end(), w.bytes.begin(), w.bytes.end());
  return out;
}

std::int64_t RunPlan::timeLeftMs(std::size_t writesDone, std::int64_t sinceLastMs) const {
  writesDone = std::min(writesDone, writes.size());
  const std::int64_t from = writesDone == 0 ? 0 : writes[writesDone - 1].offsetMs;
  const std::int64_t until = writesDone < writes.size() ? writes[writesDone].offsetMs : totalMs;
  const std::int64_t now = from + std::clamp<std::int64_t>(sinceLastMs, 0, until - from);
  return std::max<std::int64_t>(0, totalMs - now);
}

void planSettingsJob(RunPlan& plan, const ConfigModel& source, std::uint8_t options) {
  // A later button keeps the link it had when it was last shown; the printer numbers each
  // button as its page would show it.
  ConfigModel model = source;
  updateButtonLinks(model);
  std::int32_t letters[kPrinterButtons + 1] = {};
  std::int32_t links[kPrinterButtons + 1] = {};
  for (int b = 1; b <= kPrinterButtons; ++b) {
    letters[b] = letterValue(model, b);
    links[b] = linkValue(model, b);
  }
  appendJob(plan, JobKind::Settings, 0, [&](JobWriter& job) {
    job.progressMax(100);
    job.progressStep(1);
    job.wait(kRegisterPauseMs);
    sendRegisters(job, reg::kLetter, letters, Width::Bits8);
    job.progressStep(30);
    sendRegisters(job, reg::kLink, links, Width::Bits8);
    job.progressStep(50);
    sendRegisters(job, reg::kFirstNumber, model.firstNumber.data(), Width::Bits16);
    job.progressStep(80);
    sendRegisters(job, reg::kLastNumber, model.lastNumber.data(), Width::Bits16);
    sendRegister(job, reg::kOptions, options, Width::Bits8);
    job.progressStep(100);
  });
}

void planClockJob(RunPlan& plan, const QDateTime& runStart) {
  appendJob(plan, JobKind::Clock, 0, [&](JobWriter& job) {
    // One reading: never a mix of two days.
    const ClockFields f = clockFields(runStart.addMSecs(job.startMs()));
    job.progressMax(100);
    job.progressStep(30);
    job.wait(kRegisterPauseMs);
    sendRegister(job, reg::kSeconds, f.seconds, Width::Bits8);
    sendRegister(job, reg::kMinutes, f.minutes, Width::Bits8);
    sendRegister(job, reg::kHours, f.hours, Width::Bits8);
    sendRegister(job, reg::kDay, f.day, Width::Bits8);
    sendRegister(job, reg::kMonth, f.month, Width::Bits8);
    sendRegister(job, reg::kWeekday, f.weekday, Width::Bits8);
    job.progressStep(100);
    sendRegister(job, reg::kYear, f.year, Width::Bits16);
  });
}

void planTextJob(RunPlan& plan, const ConfigModel& model, int button, CutMode cut) {
  const ByteList header = headerTextBlock(model, button);
  const ByteList footer = footerTextBlock(model, button, cut);
  // A text longer than the editor allows (from a hand-made file) must not get half-way
  // through a job.
  checkBlockSize(header.size());
  checkBlockSize(footer.size());
  appendJob(plan, JobKind::Texts, button, [&](JobWriter& job) {
    sendBlock(job, headerBlockCode(button), header, false);
    sendBlock(job, footerBlockCode(button), footer, true);
  });
}

void planLogoJob(RunPlan& plan, std::span<const std::uint8_t> logoData) {
  checkBlockSize(logoData.size());
  appendJob(plan, JobKind::Logo, 0, [&](JobWriter& job) { sendBlock(job, kLogoBlock, logoData, true); });
}

RunPlan planRun(const ConfigModel& model, const JobsToSend& jobs, std::uint8_t options, CutMode cut,
                std::span<const std::uint8_t> logoData, const QDateTime& start) {
  RunPlan plan;
  if (jobs.settings) planSettingsJob(plan, model, options);
  if (jobs.clock) planClockJob(plan, start);
  if (jobs.texts)
    for (int b = 1; b <= kPrinterButtons; ++b)
      if (jobs.textButtons & (1u << (b - 1))) planTextJob(plan, model, b, cut);
  if (jobs.logo) planLogoJob(plan, logoData);
  return plan;
}

}  // namespace vx
