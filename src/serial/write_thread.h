#pragma once
// WriteThread: takes write requests from its own queue strictly in order and writes each one
// whole before taking the next. Checks the close event before every request, so requests still
// queued when it is set are dropped unwritten; a write in progress is abandoned. After a failed
// write it posts a hang-up request and ends, and its queue refuses every later request. Purges
// the transmit side on its way out, the only purge of that side the port gets.
//
// A request may carry a pause: its first byte is not written sooner than that many milliseconds
// after the previous write() to the device returned (or after the port was opened, for the
// first write of an opening: see portOpened), on this thread's own clock at the moment it writes. So the
// printer's spacing holds on the line however late the writer, or the thread that handed the
// bytes over, was woken. The pause is slept (a port that goes away or the close event ends it);
// only the last fraction before the deadline is spun (spin_margin.h), to write on time.
//
// With the trace on, each request that put bytes on the line is followed by a line with its byte
// count, the steady clock's time the write returned and the time since the write before it (or the
// opening), made after the stamp so that it never delays a write.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "serial/port_thread.h"
#include "serial/serial_backend.h"
#include "serial/spin_margin.h"
#include "serial/write_queue.h"

namespace vx {

class WriteThread final : public PortThread {
 public:
  // `queue` must exist before the thread starts, so requests are accepted from the start.
  // `device` names the port in the trace.
  WriteThread(SerialPort& port, const WakeEvent& close_event, MessageSink& sink,
              std::unique_ptr<WriteQueue> queue, std::string device = {});
  ~WriteThread() override;

  // Any thread. Hands `bytes` to the writer, to be written no sooner than `pause_ms` after the
  // previous write; false when refused.
  [[nodiscard]] bool queueWrite(std::vector<std::uint8_t> bytes, std::uint32_t pause_ms = 0);
  WriteQueue& queue() { return *queue_; }
  // Owner's thread, when open() is done: the first write's pause counts from now.
  void portOpened() { opened_at_.store(Clock::now().time_since_epoch().count()); }

 protected:
  void body() override;
  // A writer that gives up refuses further requests before its hang-up request is posted.
  void stopTakingWork() override { queue_->refuse(); }

 private:
  using Clock = std::chrono::steady_clock;

  // Where the next pause counts from: the previous write, or the opening.
  Clock::time_point pauseStart() const;
  // Waits until `pause_ms` after the previous write. False when the close event or a failure of
  // the port ended the wait (a failure also posts a hang-up request).
  bool keepPause(std::uint32_t pause_ms);
  bool writeWhole(const std::uint8_t* bytes, std::size_t count);
  // True when `wait` ended on `expected`. A wait the close event ended is false without a word; a
  // failed or unexpected one gives up on the port.
  bool waitEndedOn(const WaitResult& wait, WaitEvent expected);
  // The trace's line for a request of `count` bytes written at last_write_, `since` after the
  // write before it (or after the opening, for the first one).
  void traceWrite(std::size_t count, Clock::duration since) const;

  std::unique_ptr<WriteQueue> queue_;
  const std::string device_;
  Clock::time_point last_write_;  // when the previous write() returned
  bool wrote_ = false;            // a write of this opening has returned
  std::atomic<Clock::rep> opened_at_{0};
  // How long before a deadline the sleep ends; follows the wake-up latency this thread sees,
  // within the platform's bounds.
  const SpinMargin spin_bounds_ = writerSpinMargin();
  Clock::duration margin_ = spin_bounds_.first;
};

}  // namespace vx
