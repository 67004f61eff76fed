#pragma once
// A scripted serial back end for tests. The test scripts what the port does (reads, line events,
// stalled, partial or failing writes, a device that goes away, failures to open, to make the close
// event or to start a thread) and looks at what reached it (bytes written, settings, discards).
// Scripting and looking are safe from any thread while the link's threads run; waits on the
// fake port end as soon as the close event is set, like the real ones.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "serial/serial_backend.h"

namespace vx {

struct FakeLineState;

class FakeBackend : public SerialBackend {
 public:
  FakeBackend();
  // A copy scripts and watches the same line, so a test can keep one after handing the original
  // to a link.
  FakeBackend(const FakeBackend&) = default;
  ~FakeBackend() override;

  OpenResult openPort(const std::string& name) override;
  std::unique_ptr<WakeEvent> createCloseEvent(int* error) override;
  // Records the priority steps; never asks for real-time scheduling.
  std::thread startThread(std::function<void()> body, int priority_steps, bool realtime) override;

  // ---- scripting
  void failOpen(int error);                  // every openPort fails with `error` (0: opens again)
  void setCharacterDevice(bool is_char);     // what the character-device check answers
  void refuseLineSettings(bool refuse);      // applyLineSettings reports that not all settings took
  void failNextCloseEvent(int error);        // the next createCloseEvent fails
  void failThreadStart(int nth, int error);  // the nth thread started from now on (1 = next) fails
  // One read completing with `bytes` (empty: a read of 0 bytes). Reads pushed before the reader
  // starts a read complete at once; later ones complete its pending read.
  void pushRead(std::vector<std::uint8_t> bytes);
  void pushReadError(int error);  // EBADF reads as an invalid handle
  // One line event with mask `mask` (kLineErrorEvent for line errors) and the errors that
  // takeLineErrors then reports.
  void pushLineEvent(std::uint32_t mask, std::uint32_t errors);
  void stallWrites(bool stalled);     // while stalled, writes stay pending
  void failWrites(int error);         // writes fail with `error` (0: they work again)
  void setWriteChunk(std::size_t n);  // each write takes at most n bytes (0: all)
  void setOutputQueued(std::size_t n);  // bytes the device holds unsent, until a transmit discard
  // The next write takes `time` before it completes, as when the writer is held up.
  void delayNextWrite(std::chrono::milliseconds time);
  // The device goes away: reads complete with 0 bytes, writes and the idle wait fail with EIO.
  void hangUp();

  // ---- looking
  std::vector<std::string> openedNames() const;
  int openPorts() const;  // opened and not yet closed
  LineSettings appliedSettings() const;
  std::uint32_t appliedReadInterval() const;
  std::vector<std::uint8_t> written() const;
  // When each write completed, in order (one stamp per write, whatever its size).
  std::vector<std::chrono::steady_clock::time_point> writeTimes() const;
  // The sides the back end was asked to discard, in order (what purge() let through).
  std::vector<Direction> discards() const;
  std::vector<int> threadPriorities() const;
  // Wait (really) up to `timeout` for the condition; true when it holds.
  bool waitForWritten(std::size_t bytes, std::chrono::milliseconds timeout) const;
  bool waitForStalledWrite(std::chrono::milliseconds timeout) const;  // a write is pending
  // A read is pending and every scripted read has been taken (and posted).
  bool waitForReaderWaiting(std::chrono::milliseconds timeout) const;

 private:
  std::shared_ptr<FakeLineState> state_;
};

}  // namespace vx
