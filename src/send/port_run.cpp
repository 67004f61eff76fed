#include "send/port_run.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <exception>
#include <stdexcept>

#include "model/shown_path.h"
#include "protocol/job_port.h"
#include "protocol/monotonic_clock.h"
#include "protocol/plan_runner.h"
#include "protocol/steady_pacer.h"
#include "send/send_messages.h"
#include "serial/open_failure.h"
#include "serial/serial_link.h"
#include "serial/system_errors.h"

namespace vx {
namespace {

// Ends a port's run; the reason is already recorded.
struct PortStopped {};

QString systemError(int error) { return QString::fromStdString(systemErrorText(error)); }

}  // namespace

// The jobs' port on one printer: the serial link and the checks that turn a lost byte
// into a stopped run.
class PortRun::Host final : public JobPort {
 public:
  Host(PortRun& run, SerialLink& comm, WatchedDevice& device) : run_(run), comm_(comm), device_(device) {}

  void openPort() override {
    if (stopped_) throw PortStopped{};
    checkDevice();
    run_.job_ = run_.job_ + 1;
    run_.jobStarted(run_.job_);
    QString refused;
    try {
      if (!comm_.open()) refused = sendMessage(SendMessages::kNoCloseEvent);
    } catch (const SerialError& e) {
      refused = openFailureReason(e, FailureLanguage::English);
    }
    if (!refused.isEmpty()) {
      stop(sendMessage(SendMessages::kCannotOpen)
               .arg(shownPath(QString::fromStdString(device_.devicePath())), refused));
      throw PortStopped{};
    }
  }

  // The writer keeps the pause after its previous write, whenever this thread hands over.
  bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) override {
    // Delivers what the serial link's threads posted to this thread (hang-up requests,
    // received bytes, which the printer never sends and nothing keeps).
    QCoreApplication::processEvents();
    checkDevice();
    if (!comm_.send(data, length, static_cast<std::uint32_t>(pause_ms > 0 ? pause_ms : 0))) {
      checkDevice();
      stop(sendMessage(SendMessages::kPortStalled));
      throw PortStopped{};
    }
    queued_ += length;
    run_.queued_ = queued_;
    run_.lastWriteNs_ = monotonicNs();
    run_.writes_ = run_.writes_ + 1;
    return true;
  }

  // Lets every queued byte out (bounded by the line's speed), then checks that the device
  // took each one. Runs inside the job frame's destructor, so it records and never throws;
  // the next job's openPort ends the run.
  void closePort() override {
    // Closing on the way out of an exception ends a job that did not reach its end.
    const bool unwinding = std::uncaught_exceptions() > 0;
    comm_.close();
    run_.written_ = device_.bytesWritten();
    if (!stopped_) {
      if (device_.failure() != 0) {
        stop(deviceFailure());
      } else if (device_.bytesWritten() < queued_ || device_.bytesPurged() > 0) {
        stop(sendMessage(SendMessages::kNotDrained)
                 .arg(queued_ - device_.bytesWritten() + device_.bytesPurged()));
      }
    }
    run_.jobClosed(run_.job_, !unwinding && !stopped_ && !comm_.lineLost());
  }

  bool lineLost() override { return comm_.lineLost(); }

  void hungUp() { hungUp_ = true; }
  // The serial link found the line lost (the writer or the reader gave up on it).
  void lineWasLost() {
    stop(device_.failure() != 0 ? deviceFailure() : sendMessage(SendMessages::kConnectionLost));
  }
  bool stopped() const { return stopped_; }
  void stop(const QString& why) {
    if (stopped_) return;
    stopped_ = true;
    run_.fail(why);
  }

 private:
  QString deviceFailure() const {
    return sendMessage(SendMessages::kDeviceFailed).arg(systemError(device_.failure()));
  }
  void checkDevice() {
    if (run_.interrupt_.load()) {
      stop(sendMessage(SendMessages::kInterrupted));
      throw PortStopped{};
    }
    if (device_.failure() != 0) {
      stop(deviceFailure());
      throw PortStopped{};
    }
    if (hungUp_) {
      stop(sendMessage(SendMessages::kHungUp));
      throw PortStopped{};
    }
  }

  PortRun& run_;
  SerialLink& comm_;
  WatchedDevice& device_;
  std::uint64_t queued_ = 0;
  bool hungUp_ = false;
  bool stopped_ = false;
};

PortRun::PortRun(PortTarget target, const RunPlan& plan, const std::atomic<bool>& interrupt)
    : target_(std::move(target)), plan_(plan), interrupt_(interrupt) {}

PortRun::~PortRun() {
  if (thread_.joinable()) thread_.join();
}

void PortRun::start() {
  // The pacing thread one step above normal, as the port's writer, where the system allows.
  thread_ = DeviceBackend().startThread([this] { run(); }, 1, false);
}

bool PortRun::waitUntil(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  return endedCv_.wait_until(lock, deadline, [this] { return ended_; });
}

void PortRun::fail(const QString& why) {
  std::lock_guard lock(mutex_);
  if (failure_.isEmpty()) failure_ = why;
}

void PortRun::jobStarted(int job) {
  jobStartNs_ = monotonicNs();
  std::lock_guard lock(mutex_);
  if (outcomes_.size() <= static_cast<std::size_t>(job)) outcomes_.resize(job + 1);
  outcomes_[job].started = true;
}

void PortRun::jobClosed(int job, bool complete) {
  {
    std::lock_guard lock(mutex_);
    if (outcomes_.size() <= static_cast<std::size_t>(job)) outcomes_.resize(job + 1);
    outcomes_[job].complete = complete;
    outcomes_[job].ms = (monotonicNs() - jobStartNs_) / 1'000'000;
  }
  if (target_.jobEnded) target_.jobEnded(job, complete);
}

std::vector<JobOutcome> PortRun::outcomes() const {
  std::lock_guard lock(mutex_);
  return outcomes_;
}

PortStatus PortRun::status() const {
  PortStatus s;
  s.state = static_cast<PortStatus::State>(state_.load());
  s.job = job_.load();
  s.writesDone = writes_.load();
  const std::int64_t start = startNs_.load();
  const std::int64_t end = endNs_.load();
  const std::int64_t now = end != 0 ? end : monotonicNs();
  const std::int64_t last = s.writesDone > 0 ? lastWriteNs_.load() : start;
  s.elapsedMs = start != 0 ? (now - start) / 1'000'000 : 0;
  s.sinceLastWriteMs = start != 0 ? (now - last) / 1'000'000 : 0;
  s.bytesQueued = queued_.load();
  s.bytesWritten = written_.load();
  std::lock_guard lock(mutex_);
  s.failure = failure_;
  return s;
}

void PortRun::run() {
  startNs_ = monotonicNs();
  state_ = static_cast<int>(PortStatus::State::Running);
  {
    // Gives this thread an event dispatcher, so that processMessages() delivers what the
    // serial link's threads post here.
    QEventLoop events;
    auto owned = std::make_unique<WatchedDevice>(target_.device, target_.stamp);
    WatchedDevice& device = *owned;
    // Made on this thread: its message sink delivers here, through processMessages().
    SerialLink comm(nullptr, std::move(owned));
    comm.setPort(ComPort::Com1);  // the device is fixed; the name is not looked at
    Host host(*this, comm, device);
    QObject::connect(&comm, &SerialLink::hangupRequested, [&host] { host.hungUp(); });

    // The writer keeps every pause on the line, so the hand-overs may run a little ahead.
    SteadyPacer pacer(SteadyPacer::kPortKeepsPausesLeadMs);
    RunReport report;
    try {
      runPlan(host, pacer, plan_, nullptr, report);
    } catch (const PortStopped&) {
    } catch (const ConnectionLost&) {
      host.lineWasLost();
    } catch (const std::exception& e) {
      host.stop(QString::fromLocal8Bit(e.what()));
    }
    comm.close();
    written_ = device.bytesWritten();
    QCoreApplication::processEvents();
  }
  endNs_ = monotonicNs();
  std::lock_guard lock(mutex_);
  state_ = static_cast<int>(failure_.isEmpty() ? PortStatus::State::Done : PortStatus::State::Failed);
  ended_ = true;
  endedCv_.notify_all();
}

}  // namespace vx
