#pragma once
// The writer thread's own queue of write requests: first in, first out, with an event that is set
// while requests may be waiting, so the writer can sleep on it and the close event together.
// post() from any thread; take(), done() and refuse() from the writer only; pendingBytes() and
// waitUntilIdle() from the owner while it closes the port.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "serial/wake_event.h"

namespace vx {

struct WriteRequest {
  std::vector<std::uint8_t> bytes;
  std::uint32_t pause_ms = 0;  // least time from the previous write to the first byte
};

class WriteQueue {
 public:
  // Null (and the system's error number in *error) when its event cannot be made.
  static std::unique_ptr<WriteQueue> create(int* error);
  WriteQueue(const WriteQueue&) = delete;
  WriteQueue& operator=(const WriteQueue&) = delete;

  // Appends a request; false (and the request is dropped) once the queue has been refused.
  [[nodiscard]] bool post(WriteRequest request);
  // The oldest request, or none. A taken request counts as in progress until done().
  std::optional<WriteRequest> take();
  void done();
  // The writer has ended: drop what is queued and refuse every later post.
  void refuse();

  // Set while requests may be waiting.
  const WakeEvent& waiting() const { return *waiting_; }
  // Bytes queued or in progress.
  std::size_t pendingBytes() const;
  // The pauses the writer still has to keep before the queued requests and the one in progress.
  std::uint64_t pendingPauseMs() const;
  // Waits until nothing is queued or in progress, or the queue is refused, or the deadline.
  // True unless the deadline passed first.
  bool waitUntilIdle(std::chrono::steady_clock::time_point deadline);

 private:
  explicit WriteQueue(std::unique_ptr<WakeEvent> waiting) : waiting_(std::move(waiting)) {}

  const std::unique_ptr<WakeEvent> waiting_;
  mutable std::mutex mutex_;
  std::condition_variable idle_;
  std::deque<WriteRequest> queue_;
  std::size_t queued_bytes_ = 0;
  std::size_t busy_bytes_ = 0;
  std::uint64_t queued_pause_ms_ = 0;
  std::uint64_t busy_pause_ms_ = 0;
  bool busy_ = false;
  bool refused_ = false;
};

}  // namespace vx
