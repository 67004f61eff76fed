#pragma once
// The event that tells the reader and the writer to stop: an eventfd that the owner sets once and
// nobody ever drains, so every thread that polls it sees it from then on.
// set() on the owner's thread; isSet() and fd() from any thread.

#include <memory>

namespace vx {

class CloseEvent {
 public:
  // A new event, not set; null (and errno in *error) when none can be made.
  static std::unique_ptr<CloseEvent> create(int* error);
  ~CloseEvent();
  CloseEvent(const CloseEvent&) = delete;
  CloseEvent& operator=(const CloseEvent&) = delete;

  void set();
  // Looks without waiting.
  bool isSet() const;
  // Readable (POLLIN) once set; for poll() only, never read.
  int fd() const { return fd_; }

 private:
  explicit CloseEvent(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace vx
