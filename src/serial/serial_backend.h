#pragma once
// The platform operations the serial link and its threads are built on: open a port exclusively,
// check and set it up (line settings, the read interval), keep one read, one line-event wait and
// one write in flight, each interruptible by the close event, query and clear line errors, purge
// each direction, close. Plus the close event and the threads themselves. DeviceBackend drives the
// computer's real devices (its implementation lives in the platform's folder, posix/ or win32/,
// which also turns the words here into its system's own flags); FakeBackend scripts everything
// for tests.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "serial/line_settings.h"
#include "serial/wake_event.h"

namespace vx {

// The line event a line-event wait reports: line errors are waiting to be taken.
inline constexpr std::uint32_t kLineErrorEvent = 0x0080;
// Line errors as takeLineErrors reports them. The line-error report prints their sum, so they
// keep the numbers that report has always shown.
inline constexpr std::uint32_t kOverrunError = 0x0002;
inline constexpr std::uint32_t kParityError = 0x0004;
inline constexpr std::uint32_t kFramingError = 0x0008;
inline constexpr std::uint32_t kBreakError = 0x0010;

// A side of the port, as purged.
enum class Direction { Receive, Transmit };

enum class IoStatus {
  Completed,      // done; count (and eventMask for a line-event wait) are valid
  Pending,        // started, completes later: wait for it, then ask for its result
  InvalidHandle,  // the port is no longer usable as a handle (closed under us)
  Failed,         // error holds the errno
};

struct [[nodiscard]] IoResult {
  IoStatus status = IoStatus::Failed;
  std::size_t count = 0;
  std::uint32_t eventMask = 0;  // line events (kLineErrorEvent ...)
  int error = 0;
};

// Which event of a wait list ended a wait. Every wait list starts with the close event; the
// values are the positions in the list, which the trace shows in decimal when a wait gives an
// answer its caller does not expect.
enum class WaitEvent : int {
  Failed = -1,  // the wait itself failed; WaitResult::error holds the errno
  Close = 0,  // the close event was set
  LineEvent = 1,  // waitReader: the line-event wait completed
  ReadDone = 2,  // waitReader: the read completed
  WriteRequest = 1,  // waitWriterIdle: the writer's queue holds a request
  WriteDone = 1,  // waitWrite: the write completed
  Deadline = 1,  // waitUntil: the deadline passed
};

struct [[nodiscard]] WaitResult {
  WaitEvent event = WaitEvent::Failed;
  int error = 0;
};

// The number the trace shows for a wait's answer.
inline int waitNumber(WaitEvent event) { return static_cast<int>(event); }

// One open port. Each call belongs to one thread: settings and close to the owner's thread; the
// reads, line-event waits and error queries to the reader; the writes and the idle wait to the
// writer; purge and outputQueued to any of them. The close event given to a wait ends it as soon
// as it is set; when several events are ready the lowest index wins.
class SerialPort {
 public:
  // Closes the port if close() was not called.
  virtual ~SerialPort() = default;

  [[nodiscard]] virtual bool isCharacterDevice() = 0;
  // Applies the settings (and a raw 8-bit line without flow control) over what the device holds
  // now; false when the device did not take all of them.
  [[nodiscard]] virtual bool applyLineSettings(const LineSettings& settings) = 0;
  // A read waits without limit for its first byte and completes when its buffer is full or
  // `interval_ms` passes without a further byte. Writes have no time limit.
  [[nodiscard]] virtual bool setReadInterval(std::uint32_t interval_ms) = 0;

  // Which line events a line-event wait reports (kLineErrorEvent only, here). Completed or Failed.
  virtual IoResult watchLineEvents(std::uint32_t events) = 0;
  // Starts a read of up to `size` bytes into `buffer`, which must stay valid until the read's
  // result has been taken.
  virtual IoResult startRead(std::uint8_t* buffer, std::size_t size) = 0;
  // Result of the started read, without waiting: Pending while it has not completed.
  virtual IoResult readResult() = 0;
  virtual IoResult startLineEventWait() = 0;
  virtual IoResult lineEventResult() = 0;
  // Waits without limit for: 0 the close event, 1 the line-event wait completed, 2 the read
  // completed.
  virtual WaitResult waitReader(const WakeEvent& close) = 0;
  // Reads and clears the line errors (kOverrunError ...).
  virtual IoResult takeLineErrors(std::uint32_t* errors) = 0;

  // Waits without limit for: 0 the close event, 1 the writer's queue event `queued` set. A port
  // that has gone away ends the wait as failed.
  virtual WaitResult waitWriterIdle(const WakeEvent& close, const WakeEvent& queued) = 0;
  // Starts a write of `count` bytes; `data` stays valid until the write's result has been taken.
  // Completed may report fewer bytes than asked, but at least one unless count is 0.
  virtual IoResult startWrite(const std::uint8_t* data, std::size_t count) = 0;
  // Waits without limit for: 0 the close event, 1 the started write completed.
  virtual WaitResult waitWrite(const WakeEvent& close) = 0;
  virtual IoResult writeResult() = 0;
  // The writer's pause before a write: waits until `deadline` (Deadline), the close event (Close),
  // or the port going away (Failed with EIO), whichever comes first.
  virtual WaitResult waitUntil(const WakeEvent& close, std::chrono::steady_clock::time_point deadline) = 0;

  // Bytes written but not yet sent on the line, as far as the device can tell.
  virtual std::size_t outputQueued() = 0;
  // Drops buffered input, or output not yet sent; pending reads and writes end through the close
  // event, not here. The transmit side is left alone while the device's output queue is empty:
  // with nothing held up there, a purge would reach past the device (on a pseudo-terminal, the
  // far end's unread input, which TIOCOUTQ does not count; under Wine, the device beneath the
  // port; a USB adapter's own buffer) and throw away bytes already delivered, such as a block's
  // last "F".
  void purge(Direction side);
  // Gives the port up; owner's thread, after the reader and the writer have ended.
  virtual void close() = 0;

 protected:
  // The back end's purge of one side, called only when purge() allows it.
  virtual void discard(Direction side) = 0;
};

class SerialBackend {
 public:
  struct OpenResult {
    std::unique_ptr<SerialPort> port;  // null when the port could not be opened
    int error = 0;
    std::string device;  // the device the name led to, when the back end knows it
  };

  virtual ~SerialBackend() = default;
  // Opens the port "COM1".."COM4" for reading and writing, exclusively, without waiting for the
  // line; no other program can open it until close().
  virtual OpenResult openPort(const std::string& name) = 0;
  // A new close event, not set; null and *error when none can be made.
  virtual std::unique_ptr<WakeEvent> createCloseEvent(int* error);
  // Runs `body` on a new thread whose priority is raised `priority_steps` above normal where
  // the system allows it (not being allowed is not an error). With `realtime` the thread asks
  // for real-time scheduling first and takes the steps only when that is refused. Throws
  // std::system_error when no thread can be made. Implemented in the platform's folder.
  virtual std::thread startThread(std::function<void()> body, int priority_steps, bool realtime);
};

}  // namespace vx
