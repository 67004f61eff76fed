#include "protocol/dry_run.h"

#include <algorithm>
#include <stdexcept>

#include "protocol/job_host.h"
#include "protocol/virtual_pacer.h"

namespace vx {
namespace {

// Records what the jobs hand over, on the virtual pacer's time. Jobs are told apart by
// their OpenPort calls, in the order `jobs` lists them.
class PlanningHost final : public JobHost {
 public:
  PlanningHost(VirtualPacer& pacer, RunPlan& plan) : pacer_(pacer), plan_(plan) {}

  void OpenPort() override {
    ++job_;
    if (job_ >= static_cast<int>(plan_.jobs.size())) throw std::logic_error("a job the plan does not list");
    plan_.jobs[job_].startMs = pacer_.elapsedMs();
  }
  bool SendData(const std::uint8_t* data, std::uint16_t length) override {
    plan_.writes.push_back(PlannedWrite{ByteList(data, data + length), pacer_.elapsedMs(), job_});
    return true;
  }
  void ClosePort() override { plan_.jobs[job_].endMs = pacer_.elapsedMs(); }
  void showProgress() override {}
  void hideProgress() override {}
  void setProgressMax(int) override {}
  void setProgressPosition(int) override {}
  void processMessages() override {}

 private:
  VirtualPacer& pacer_;
  RunPlan& plan_;
  int job_ = -1;
};

bool isWord(const ByteList& bytes) { return std::equal(bytes.begin(), bytes.end(), kWord.begin(), kWord.end()); }

// Every transfer starts with a 4-byte "DIMP" write: frames start with 0x40 and block headers
// with a block code, data bytes and the terminator are single bytes.
void groupTransfers(RunPlan& plan) {
  for (int i = 0; i < static_cast<int>(plan.writes.size()); ++i) {
    const PlannedWrite& w = plan.writes[i];
    if (isWord(w.bytes) || plan.transfers.empty()) {
      plan.transfers.push_back(PlannedTransfer{{}, w.offsetMs, w.job, i, 0});
    }
    PlannedTransfer& t = plan.transfers.back();
    t.bytes.insert(t.bytes.end(), w.bytes.begin(), w.bytes.end());
    ++t.writeCount;
  }
}

}  // namespace

ByteList RunPlan::stream() const {
  ByteList out;
  for (const PlannedTransfer& t : transfers) out.insert(out.end(), t.bytes.begin(), t.bytes.end());
  return out;
}

std::int64_t RunPlan::timeLeftMs(std::size_t writesDone, std::int64_t sinceLastMs) const {
  writesDone = std::min(writesDone, writes.size());
  const std::int64_t from = writesDone == 0 ? 0 : writes[writesDone - 1].offsetMs;
  const std::int64_t until = writesDone < writes.size() ? writes[writesDone].offsetMs : totalMs;
  // Between two hand-overs the plan moves with the clock, but never past the next one.
  const std::int64_t now = from + std::clamp<std::int64_t>(sinceLastMs, 0, until - from);
  return std::max<std::int64_t>(0, totalMs - now);
}

RunPlan planRun(const ConfigModel& source, const JobSelection& selection, std::uint8_t optionByte, CutMode cut,
                const ByteList& logoData, const QDateTime& start) {
  RunPlan plan;
  for (const RunJob& job : selectedJobs(selection)) plan.jobs.push_back({job.kind, job.button});

  ConfigModel model = source;
  VirtualPacer pacer(start);
  PlanningHost host(pacer, plan);
  sendJobs(host, pacer, model, selection, [optionByte] { return optionByte; }, [cut] { return cut; },
           [&logoData] { return logoData; });
  plan.totalMs = plan.jobs.empty() ? 0 : plan.jobs.back().endMs;
  groupTransfers(plan);
  return plan;
}

const char* jobName(JobKind kind) {
  switch (kind) {
    case JobKind::Settings:
      return "settings";
    case JobKind::Clock:
      return "clock";
    case JobKind::Texts:
      return "texts";
    case JobKind::Logo:
      return "logo";
  }
  return "?";
}

}  // namespace vx
