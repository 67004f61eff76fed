#include "serial/port_thread.h"

#include <chrono>
#include <system_error>

#include "serial/message_sink.h"
#include "serial/serial_backend.h"
#include "serial/trace.h"

namespace vx {

PortThread::PortThread(SerialPort& port, const WakeEvent& close_event, MessageSink& sink)
    : port_(port), close_event_(close_event), sink_(sink) {}

PortThread::~PortThread() { join(); }

bool PortThread::start(SerialBackend& backend, int priority_steps, int* error, bool realtime) {
  try {
    thread_ = backend.startThread([this] { run(); }, priority_steps, realtime);
  } catch (const std::system_error& e) {
    if (error) *error = e.code().value();
    return false;
  }
  return true;
}

void PortThread::run() {
  try {
    body();
  } catch (...) {
    // A body that cannot go on (out of memory) simply ends, like one that returns.
  }
  std::lock_guard lock(mutex_);
  ended_ = true;
  ended_cv_.notify_all();
}

bool PortThread::waitFor(int timeout_ms) {
  std::unique_lock lock(mutex_);
  return ended_cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [this] { return ended_; });
}

bool PortThread::hasEnded() {
  std::lock_guard lock(mutex_);
  return ended_;
}

void PortThread::join() {
  if (thread_.joinable()) thread_.join();
}

void PortThread::reportFailure(std::initializer_list<std::string_view> trace_lines) {
  markGaveUp();
  stopTakingWork();
  for (std::string_view line : trace_lines) traceLine(line);
  postHangupRequest();
}

void PortThread::postHangupRequest() { sink_.post(LinkNotice{LinkNotice::Kind::HangupRequest, {}}); }

}  // namespace vx
