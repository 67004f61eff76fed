#pragma once
// A manual-reset event: once set() it stays set, for every thread that looks at it or waits on it,
// until reset(). The close event is one (the owner sets it once and nobody resets it, so both port
// threads see it); the writer's queue holds one that is set while messages wait. The back end's
// waits take it by its native handle: an eventfd on POSIX systems (readable while set), an event
// HANDLE on Windows. Any thread.

#include <cstdint>
#include <memory>

namespace vx {

class WakeEvent {
 public:
  // A new event, not set; null (and the system's error number in *error) when none can be made.
  static std::unique_ptr<WakeEvent> create(int* error);
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  void set();
  void reset();
  // Looks without waiting.
  bool isSet() const;
  // For the platform's own waits only: never read from, written to or closed.
  std::intptr_t nativeHandle() const { return handle_; }

 private:
  explicit WakeEvent(std::intptr_t handle) : handle_(handle) {}
  const std::intptr_t handle_;
};

}  // namespace vx
