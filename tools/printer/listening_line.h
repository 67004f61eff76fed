#pragma once
// The line the virtual printer listens on: a serial device, or a pseudo-terminal of its own
// whose far side the configurator opens. One file per platform, chosen by CMake:
// listening_line_posix.cpp (termios, a pseudo-terminal, poll) and listening_line_win32.cpp
// (Windows has no pseudo-terminal: the printer only decodes files there).

#include <cstddef>
#include <memory>
#include <string>

namespace vx::printer {

class ListeningLine {
 public:
  // Whether this platform can listen on a line at all.
  static bool available();

  // Opens `device` (raw, 19200 8N1, no flow control), or a new pseudo-terminal when `device`
  // is empty; nullptr, after saying why on the error stream, when it cannot.
  static std::unique_ptr<ListeningLine> open(const std::string& device);

  ~ListeningLine();
  ListeningLine(const ListeningLine&) = delete;
  ListeningLine& operator=(const ListeningLine&) = delete;

  // The device, or the pseudo-terminal's side to give the configurator.
  const std::string& path() const { return path_; }

  // Waits up to `timeoutMs` for bytes (a stop request ends the wait at once) and reads what
  // has arrived: the count read, 0 when nothing came, -1 when the line is gone or failed
  // (after saying why on the error stream).
  long read(unsigned char* buffer, std::size_t size, int timeoutMs);

 private:
  struct Handles;
  ListeningLine(std::string path, std::unique_ptr<Handles> handles);

  std::string path_;
  std::unique_ptr<Handles> handles_;
};

}  // namespace vx::printer
