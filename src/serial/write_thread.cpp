#include "serial/write_thread.h"

#include <algorithm>
#include <optional>
#include <string>

#include "serial/serial_backend.h"
#include "serial/trace.h"
#include "serial/trace_texts.h"

namespace vx {
namespace {

// Tells the core this is a busy-wait loop (saves power, frees the sibling hyper-thread).
inline void cpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

// A steady clock's reading or a span of it in milliseconds with three decimals ("81234.567"),
// whatever the locale.
std::string milliseconds(std::chrono::steady_clock::duration time) {
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(time).count();
  const std::string fraction = std::to_string(micros % 1000);
  return std::to_string(micros / 1000) + "." + std::string(3 - fraction.size(), '0') + fraction;
}

}  // namespace

WriteThread::WriteThread(SerialPort& port, const WakeEvent& close_event, MessageSink& sink,
                         std::unique_ptr<WriteQueue> queue, std::string device)
    : PortThread(port, close_event, sink),
      queue_(std::move(queue)),
      device_(std::move(device)),
      last_write_(Clock::now()) {}

WriteThread::~WriteThread() { join(); }

bool WriteThread::queueWrite(std::vector<std::uint8_t> bytes, std::uint32_t pause_ms) {
  return queue_->post(WriteRequest{std::move(bytes), pause_ms});
}

WriteThread::Clock::time_point WriteThread::pauseStart() const {
  return std::max(last_write_, Clock::time_point(Clock::duration(opened_at_.load())));
}

bool WriteThread::keepPause(std::uint32_t pause_ms) {
  if (pause_ms == 0) return true;
  const Clock::time_point from = pauseStart();
  const Clock::time_point deadline = from + std::chrono::milliseconds(pause_ms);
  Clock::time_point now = Clock::now();
  const Clock::time_point wake = deadline - margin_;
  if (now < wake) {
    // Closing drops the request unwritten.
    if (!waitEndedOn(port_.waitUntil(close_event_, wake), WaitEvent::Deadline)) return false;
    now = Clock::now();
    // Aim the next wake-up at about twice the latency just seen, within bounds, so most
    // wake-ups land just before their deadline whatever the machine's load.
    const Clock::duration wanted =
        std::clamp<Clock::duration>(2 * (now - wake), spin_bounds_.least, spin_bounds_.most);
    margin_ += (wanted - margin_) / 4;
  }
  while (now < deadline) {
    cpuRelax();
    now = Clock::now();
  }
  return true;
}

void WriteThread::body() {
  for (;;) {
    std::optional<WriteRequest> request = queue_->take();
    if (!request) {
      if (waitEndedOn(port_.waitWriterIdle(close_event_, queue_->waiting()), WaitEvent::WriteRequest)) continue;
      break;
    }
    if (close_event_.isSet()) break;  // the request is dropped unwritten
    // Traced before the pause, so that the trace's own time is never spent between the end of
    // a pause and its write.
    traceLine("Writing to comm port");
    const std::size_t count = request->bytes.size();
    // An empty request puts nothing on the line, so it neither waits nor counts as a write.
    if (count > 0 && !keepPause(request->pause_ms)) {
      queue_->done();
      break;
    }
    const bool written = writeWhole(request->bytes.data(), count);
    if (count > 0) {
      const Clock::time_point from = pauseStart();
      last_write_ = Clock::now();
      if (written && traceOn()) traceWrite(count, last_write_ - from);
      wrote_ = true;
    }
    request.reset();
    queue_->done();
    if (!written) break;
  }
  queue_->refuse();
  traceLine("Write thread shutting down");
  port_.purge(Direction::Transmit);
}

bool WriteThread::waitEndedOn(const WaitResult& wait, WaitEvent expected) {
  if (wait.event == expected) return true;
  if (wait.event == WaitEvent::Failed) {
    reportFailure({traceErrorText(wait.error, "Write WAIT_FAILED: ")});
  } else if (wait.event != WaitEvent::Close) {
    reportFailure({"Unexpected Wait return value " + std::to_string(waitNumber(wait.event))});
  }
  return false;
}

void WriteThread::traceWrite(std::size_t count, Clock::duration since) const {
  traceLine("Wrote " + std::to_string(count) + (count == 1 ? " byte to " : " bytes to ") + device_ + " at " +
            milliseconds(last_write_.time_since_epoch()) + " ms, " + milliseconds(since) +
            (wrote_ ? " ms after the write before it" : " ms after the port was opened"));
}

bool WriteThread::writeWhole(const std::uint8_t* bytes, std::size_t count) {
  const std::uint8_t* rest = bytes;
  std::size_t left = count;
  for (;;) {
    IoResult write = port_.startWrite(rest, left);
    const bool waited = write.status == IoStatus::Pending;
    if (waited) {
      // Closing leaves the write to the purge.
      if (!waitEndedOn(port_.waitWrite(close_event_), WaitEvent::WriteDone)) return false;
      write = port_.writeResult();
    }
    if (write.status == IoStatus::InvalidHandle) {
      markGaveUp();
      traceLine(kInvalidHandleText);
      return false;
    }
    if (write.status != IoStatus::Completed) {
      reportFailure({traceErrorText(write.error, waited ? "Error writing to CommFile while waiting"
                                                        : "Error to writing to CommFile"),
                     "Closing TAPI"});
      return false;
    }
    left -= write.count;
    rest += write.count;
    if (left == 0) return true;
  }
}

}  // namespace vx
