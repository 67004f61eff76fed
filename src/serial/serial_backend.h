#pragma once
// The platform operations the serial-port component and its threads are built on, shaped after the
// Win32 serial calls: open a port exclusively, check and set it up (CommState, CommTimeouts), keep
// one read, one line-event wait and one write in flight, each interruptible by the close event,
// query and clear line errors (CE_*, EV_ERR), purge (PURGE_*), close. Plus the close event and the
// threads themselves. DeviceBackend drives the computer's real devices (its implementation lives
// in the platform's folder, posix/ or win32/); FakeBackend scripts everything for tests.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "serial/wake_event.h"

namespace vx {

// Line-event bit, error flags and purge flags. Their values are the ones the line-error report
// prints, so they keep their traditional numbers.
inline constexpr std::uint32_t EV_ERR = 0x0080;
inline constexpr std::uint32_t CE_OVERRUN = 0x0002;
inline constexpr std::uint32_t CE_RXPARITY = 0x0004;
inline constexpr std::uint32_t CE_FRAME = 0x0008;
inline constexpr std::uint32_t CE_BREAK = 0x0010;
inline constexpr std::uint32_t PURGE_TXABORT = 0x0001;
inline constexpr std::uint32_t PURGE_RXABORT = 0x0002;
inline constexpr std::uint32_t PURGE_TXCLEAR = 0x0004;
inline constexpr std::uint32_t PURGE_RXCLEAR = 0x0008;

// The line settings the component sets; everything else is the back end's business.
struct CommState {
  std::uint32_t baudRate = 0;  // bits per second
  std::uint8_t byteSize = 8;   // data bits, 4 to 8
  std::uint8_t parity = 0;     // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::uint8_t stopBits = 0;   // 0 one, 1 one and a half, 2 two
  bool operator==(const CommState&) const = default;
};

// Time-outs in milliseconds; 0 means no limit. A read waits without limit for its first byte and
// completes when its buffer is full or readIntervalTimeout passes without a further byte.
struct CommTimeouts {
  std::uint32_t readIntervalTimeout = 0;
  std::uint32_t readTotalTimeoutMultiplier = 0;
  std::uint32_t readTotalTimeoutConstant = 0;
  std::uint32_t writeTotalTimeoutMultiplier = 0;
  std::uint32_t writeTotalTimeoutConstant = 0;
  bool operator==(const CommTimeouts&) const = default;
};

enum class IoStatus {
  Completed,      // done; count (and eventMask for a line-event wait) are valid
  Pending,        // started, completes later: wait for it, then ask for its result
  InvalidHandle,  // the port is no longer usable as a handle (closed under us)
  Failed,         // error holds the errno
};

struct [[nodiscard]] IoResult {
  IoStatus status = IoStatus::Failed;
  std::size_t count = 0;
  std::uint32_t eventMask = 0;
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
  [[nodiscard]] virtual bool getCommState(CommState* state) = 0;
  // Applies the settings (and a raw 8-bit line without flow control); false when the device did
  // not take all of them.
  [[nodiscard]] virtual bool setCommState(const CommState& state) = 0;
  [[nodiscard]] virtual bool getCommTimeouts(CommTimeouts* timeouts) = 0;
  [[nodiscard]] virtual bool setCommTimeouts(const CommTimeouts& timeouts) = 0;

  // Which line events a line-event wait reports (EV_ERR only, here). Completed or Failed.
  virtual IoResult setCommMask(std::uint32_t mask) = 0;
  // Starts a read of up to `size` bytes into `buffer`, which must stay valid until the read's
  // result has been taken.
  virtual IoResult startRead(std::uint8_t* buffer, std::size_t size) = 0;
  // Result of the started read, without waiting: Pending while it has not completed.
  virtual IoResult readResult() = 0;
  virtual IoResult startCommEventWait() = 0;
  virtual IoResult commEventResult() = 0;
  // Waits without limit for: 0 the close event, 1 the line-event wait completed, 2 the read
  // completed.
  virtual WaitResult waitReader(const WakeEvent& close) = 0;
  // Reads and clears the line-error flags (CE_*).
  virtual IoResult clearCommError(std::uint32_t* errors) = 0;

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
  // PURGE_* flags. Pending reads and writes end through the close event, so the abort flags ask
  // for nothing more; the clear flags drop buffered input or unsent output.
  virtual void purge(std::uint32_t flags) = 0;
  // Gives the port up; owner's thread, after the reader and the writer have ended.
  virtual void close() = 0;
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
