#pragma once
// The serial back end of one port of the command-line sender: it opens one fixed device (a
// path, or what COM1..COM4 resolves to) whatever port name the serial link asks for,
// and watches the opened port from below the link: how many bytes the writer really
// got onto the device, why the device failed, and whether a close threw away bytes that
// had not reached the line. That is what tells the sender whether a printer received
// everything, which the link itself reports to no one.
//
// The counters are written on the port's writer thread and read on any thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "serial/device_backend.h"

namespace vx {

class WatchedDevice final : public DeviceBackend {
 public:
  // Called on the writer thread right after each write to the device has completed, with the
  // CLOCK_MONOTONIC time in nanoseconds and the number of bytes it took.
  using WriteStamp = std::function<void(std::int64_t ns, std::size_t count)>;

  explicit WatchedDevice(std::string devicePath, WriteStamp stamp = {});

  // Opens devicePath() whatever `name` says.
  OpenResult openPort(const std::string& name) override;

  const std::string& devicePath() const { return path_; }
  // Bytes written to the device since construction.
  std::uint64_t bytesWritten() const { return written_.load(); }
  // Bytes the device still held unsent when a close purged them.
  std::uint64_t bytesPurged() const { return purged_.load(); }
  // errno of the first failed write or wait on the device; 0 while none failed.
  int failure() const { return failure_.load(); }

 private:
  class Port;
  friend class Port;
  void noteFailure(int error);

  std::string path_;
  WriteStamp stamp_;
  std::atomic<std::uint64_t> written_{0};
  std::atomic<std::uint64_t> purged_{0};
  std::atomic<int> failure_{0};
};

}  // namespace vx
