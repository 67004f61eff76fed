#pragma once
// One printer of a command-line run: its own thread, its own serial link, writer and
// pacer, running the run's plan exactly as the window runs its send-all. A port that
// cannot be opened, whose device fails or goes away, or whose line does not take every
// byte stops its own run and is reported; it never touches another port's run.
//
// Construct, start and wait on the main thread; status() from any thread; the destructor
// waits for the run to end.

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "protocol/job_plan.h"
#include "send/watched_device.h"

namespace vx {

struct PortTarget {
  QString label;       // the port as the operator named it
  std::string device;  // the device path it resolves to
  WatchedDevice::WriteStamp stamp;  // optional, for measurements
  // Optional: called on the port's thread as job `job` (index into the run's jobs) closes its
  // port, `complete` when it reached the end of its last frame with the line intact.
  std::function<void(int job, bool complete)> jobEnded;
};

// How one job of a port's run went, once the run has ended.
struct JobOutcome {
  bool started = false;   // its port was opened (or tried)
  bool complete = false;  // it reached the end of its last frame with the line intact
  std::int64_t ms = 0;    // from opening its port to closing it
};

struct PortStatus {
  enum class State { Starting, Running, Done, Failed };
  State state = State::Starting;
  int job = -1;                  // index into the plan's jobs of the job running or last run
  std::size_t writesDone = 0;    // sends made
  std::int64_t sinceLastWriteMs = 0;  // since the last of them (since the start before the first)
  std::int64_t elapsedMs = 0;    // since the run started (its whole length once ended)
  std::uint64_t bytesQueued = 0;   // handed to the serial link
  std::uint64_t bytesWritten = 0;  // put on the device by its writer
  QString failure;               // why the run stopped; empty unless Failed
};

class PortRun {
 public:
  // `interrupt` set (by the operator's Ctrl-C) stops the run before its next write.
  // `plan` outlives the run.
  PortRun(PortTarget target, const RunPlan& plan, const std::atomic<bool>& interrupt);
  ~PortRun();
  PortRun(const PortRun&) = delete;
  PortRun& operator=(const PortRun&) = delete;

  void start();
  // True once the run has ended, waiting for it until `deadline` at most.
  bool waitUntil(std::chrono::steady_clock::time_point deadline);

  const PortTarget& target() const { return target_; }
  PortStatus status() const;
  // One entry per job the run started, in order.
  std::vector<JobOutcome> outcomes() const;

 private:
  class Host;
  void run();
  void fail(const QString& why);
  void jobStarted(int job);
  void jobClosed(int job, bool complete);

  const PortTarget target_;
  const RunPlan& plan_;
  const std::atomic<bool>& interrupt_;
  std::atomic<int> state_{static_cast<int>(PortStatus::State::Starting)};
  std::atomic<int> job_{-1};
  std::atomic<std::size_t> writes_{0};
  std::atomic<std::int64_t> startNs_{0};
  std::atomic<std::int64_t> lastWriteNs_{0};
  std::atomic<std::int64_t> endNs_{0};
  std::atomic<std::uint64_t> queued_{0};
  std::atomic<std::uint64_t> written_{0};
  mutable std::mutex mutex_;
  std::condition_variable endedCv_;
  bool ended_ = false;  // under mutex_
  QString failure_;     // under mutex_
  std::vector<JobOutcome> outcomes_;  // under mutex_
  std::int64_t jobStartNs_ = 0;       // run's thread only
  std::thread thread_;
};

}  // namespace vx
