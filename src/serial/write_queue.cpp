#include "serial/write_queue.h"

namespace vx {

std::unique_ptr<WriteQueue> WriteQueue::create(int* error) {
  std::unique_ptr<WakeEvent> waiting = WakeEvent::create(error);
  if (!waiting) return nullptr;
  return std::unique_ptr<WriteQueue>(new WriteQueue(std::move(waiting)));
}

bool WriteQueue::post(WriteRequest request) {
  std::lock_guard lock(mutex_);
  if (refused_) return false;
  queued_bytes_ += request.bytes.size();
  queued_pause_ms_ += request.pause_ms;
  queue_.push_back(std::move(request));
  waiting_->set();
  return true;
}

std::optional<WriteRequest> WriteQueue::take() {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) {
    // Posts set the event under this lock, so resetting it here loses no wake-up.
    waiting_->reset();
    return std::nullopt;
  }
  WriteRequest request = std::move(queue_.front());
  queue_.pop_front();
  queued_bytes_ -= request.bytes.size();
  queued_pause_ms_ -= request.pause_ms;
  busy_ = true;
  busy_bytes_ = request.bytes.size();
  busy_pause_ms_ = request.pause_ms;
  return request;
}

void WriteQueue::done() {
  std::lock_guard lock(mutex_);
  busy_ = false;
  busy_bytes_ = 0;
  busy_pause_ms_ = 0;
  if (queue_.empty()) idle_.notify_all();
}

void WriteQueue::refuse() {
  std::deque<WriteRequest> dropped;
  {
    std::lock_guard lock(mutex_);
    refused_ = true;
    busy_ = false;
    busy_bytes_ = 0;
    queued_bytes_ = 0;
    busy_pause_ms_ = 0;
    queued_pause_ms_ = 0;
    dropped.swap(queue_);
    idle_.notify_all();
  }
}

std::size_t WriteQueue::pendingBytes() const {
  std::lock_guard lock(mutex_);
  return queued_bytes_ + busy_bytes_;
}

std::uint64_t WriteQueue::pendingPauseMs() const {
  std::lock_guard lock(mutex_);
  return queued_pause_ms_ + busy_pause_ms_;
}

bool WriteQueue::waitUntilIdle(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  return idle_.wait_until(lock, deadline, [this] { return refused_ || (queue_.empty() && !busy_); });
}

}  // namespace vx
