#pragma once
// A pseudo-terminal standing in for a printer's serial line, for tests and benchmarks. The near
// end (nearEnd(), path()) is the device the serial component opens, as COMn through
// VORLANDEX_COMn (useAsComPort); the far end (farEnd()) is the printer's side, where a test reads
// what was written and writes what the component should receive. Both ends are close-on-exec, so
// a program a test starts does not keep the line alive, and this object keeps the near end open,
// so the component's closing is no hang-up.
//
//   PseudoTerminal line;                        // raw 8-bit, 19200 8N1, like the component's line
//   line.useAsComPort(1);                       // VORLANDEX_COM1=<path> until `line` goes
//   ... the window or the component writes ...
//   EXPECT_EQ(line.read(4, 1s), "DIMP");        // the far end, without a thread of its own
//   FarEndReader printer(line);                 // or a thread that takes every byte as it comes,
//   printer.waitFor(n, 5s); printer.text();     // with its arrival time (received(), take())
//   line.closeFarEnd();                         // the adapter is pulled: writes fail from now on
//
// One object belongs to one thread; FarEndReader's calls may come from any thread.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vx::test {

class PseudoTerminal {
 public:
  enum class Line {
    Raw19200,       // raw 8-bit, 19200 8N1, no flow control: what the component sets
    SystemDefault,  // as the system makes a new one (cooked, echo, ONLCR): proves that the
                    // component sets the line up itself
  };

  // Throws std::runtime_error when the system gives no pseudo-terminal.
  explicit PseudoTerminal(Line line = Line::Raw19200);
  // Closes what is still open and unsets the VORLANDEX_COMn it set.
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The near end's device, "/dev/pts/N".
  const std::string& path() const { return path_; }
  int nearEnd() const { return near_; }
  // -1 once closed.
  int farEnd() const { return far_; }

  // Points VORLANDEX_COM<n> at path() for as long as this object lives.
  void useAsComPort(int n);

  // The next `count` bytes at the far end, or those that came before `timeout`.
  std::string read(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Everything that arrives at the far end until `quiet` passes without a byte.
  std::string drain(std::chrono::milliseconds quiet = std::chrono::milliseconds(100));

  // The adapter is pulled: the component's writes fail from now on.
  void closeFarEnd();
  // Both ends closed: the device node goes away, as an adapter's when it is pulled out.
  void unplug();

 private:
  int far_ = -1;
  int near_ = -1;
  std::string path_;
  std::string variable_;  // the VORLANDEX_COMn this object set
};

// Takes every byte that arrives at a pseudo-terminal's far end on a thread of its own, as a
// printer does, with its arrival time. Stops when destroyed or at stop() (call it before closing
// the far end).
class FarEndReader {
 public:
  struct Byte {
    std::uint8_t value = 0;
    std::int64_t us = 0;  // arrival, steady clock in microseconds
  };

  // With `realtime` the thread asks for real-time priority where the system grants it: arrival
  // times are only as good as its wake-ups. It then competes with the component's own real-time
  // writer, so a measurement of the writer leaves it off.
  explicit FarEndReader(const PseudoTerminal& line, bool realtime = false);
  ~FarEndReader();
  FarEndReader(const FarEndReader&) = delete;
  FarEndReader& operator=(const FarEndReader&) = delete;

  void stop();
  // Everything received so far, at once.
  std::string text() const;
  std::size_t count() const;
  // True once `count` bytes have arrived; false when `timeout` passed first.
  bool waitFor(std::size_t count, std::chrono::milliseconds timeout) const;
  // Everything received so far, once `quiet` has passed without a new byte (at once after stop()).
  std::vector<Byte> received(std::chrono::milliseconds quiet);
  // The same, handed out and forgotten, so a long run keeps no more than one job's bytes. A byte
  // that arrives while it hands out stays for the next take().
  std::vector<Byte> take(std::chrono::milliseconds quiet);
  // CPU time the reading thread has used so far, in ms.
  double cpuMs() const { return cpu_ms_.load(); }

 private:
  void run();

  const int fd_;
  const bool realtime_;
  std::atomic<bool> stop_{false};
  std::atomic<double> cpu_ms_{0};
  mutable std::mutex mutex_;
  std::vector<Byte> bytes_;
  std::thread thread_;
};

}  // namespace vx::test
