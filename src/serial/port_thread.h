#pragma once
// What the reader and the writer share: the three things they are given before they start (the
// open port, the close event, the message sink; they use them but own none), starting on a thread
// of the back end with a raised priority, a timed wait for the end of the body, and the hang-up
// request. A thread reports every failure one way, through reportFailure(). Releasing a thread
// object waits for its body to end; a derived class must call join() first thing in its
// destructor so that its body never outlives its members.

#include <atomic>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <string_view>
#include <thread>

namespace vx {

class WakeEvent;
class MessageSink;
class SerialBackend;
class SerialPort;

class PortThread {
 public:
  PortThread(SerialPort& port, const WakeEvent& close_event, MessageSink& sink);
  virtual ~PortThread();
  PortThread(const PortThread&) = delete;
  PortThread& operator=(const PortThread&) = delete;

  // Owner's thread, once. False (errno in *error) when no thread could be made. `realtime`
  // asks for real-time scheduling before the priority steps (SerialBackend::startThread).
  [[nodiscard]] bool start(SerialBackend& backend, int priority_steps, int* error, bool realtime = false);
  // True once the body has ended, without waiting.
  bool hasEnded();
  // True once the body has given up on the port (a failure, or a handle gone bad), set
  // before it tells anyone waiting on its work that it is done: a close that sees its work
  // done also sees the loss.
  bool gaveUp() const { return gave_up_.load(std::memory_order_acquire); }
  // True when the body has ended, waiting at most timeout_ms for it.
  [[nodiscard]] bool waitFor(int timeout_ms);

 protected:
  virtual void body() = 0;
  // How a thread gives up on the port, always in this order: it is marked as given up and
  // stops taking work, `trace_lines` go to the trace (none when the failing call has traced
  // already), then one hang-up request is posted.
  void reportFailure(std::initializer_list<std::string_view> trace_lines);
  // Marks the port given up on without a hang-up request (reportFailure does it too).
  void markGaveUp() { gave_up_.store(true, std::memory_order_release); }
  // What a thread stops taking once it gives up, before anyone hears of it (reportFailure
  // calls it first): whoever is told of the failure finds the thread's door already shut.
  virtual void stopTakingWork() {}
  // Waits for the body to end (no-op when it never started or has been joined).
  void join();

  SerialPort& port_;
  const WakeEvent& close_event_;
  MessageSink& sink_;

 private:
  void run();
  // Posts a hang-up request to the message sink.
  void postHangupRequest();

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable ended_cv_;
  bool ended_ = false;
  std::atomic<bool> gave_up_{false};
};

}  // namespace vx
