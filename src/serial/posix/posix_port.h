#pragma once
// One open Linux serial device (or pseudo-terminal) behind the SerialPort operations. The
// descriptor is non-blocking; each started read or write is carried out inside the matching
// wait, which polls the device together with the close event, so setting the close event ends
// any wait at once.
//
// Reads follow the link's read interval: a read waits without limit for its first byte, then
// completes when its buffer is full or the interval passes without a further byte.
// Line errors come from the driver's TIOCGICOUNT counters where it keeps them (many drivers and
// every pseudo-terminal do not; then none are ever reported). A device that goes away (POLLHUP,
// POLLERR, EIO, ENXIO, ENODEV, or a read of 0 bytes) fails the pending read, write or idle wait.

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "serial/serial_backend.h"

namespace vx {

class PosixPort final : public SerialPort {
 public:
  using Clock = std::chrono::steady_clock;

  // Takes over `fd`, already opened and locked by DeviceBackend.
  explicit PosixPort(int fd);
  ~PosixPort() override;

  bool isCharacterDevice() override;
  bool applyLineSettings(const LineSettings& settings) override;
  bool setReadInterval(std::uint32_t interval_ms) override;

  IoResult watchLineEvents(std::uint32_t events) override;
  IoResult startRead(std::uint8_t* buffer, std::size_t size) override;
  IoResult readResult() override;
  IoResult startLineEventWait() override;
  IoResult lineEventResult() override;
  WaitResult waitReader(const WakeEvent& close) override;
  IoResult takeLineErrors(std::uint32_t* errors) override;

  WaitResult waitWriterIdle(const WakeEvent& close, const WakeEvent& queued) override;
  IoResult startWrite(const std::uint8_t* data, std::size_t count) override;
  WaitResult waitWrite(const WakeEvent& close) override;
  IoResult writeResult() override;
  WaitResult waitUntil(const WakeEvent& close, Clock::time_point deadline) override;

  std::size_t outputQueued() override;
  void close() override;

 protected:
  void discard(Direction side) override;

 private:
  struct LineCounters {
    int frame = 0, overrun = 0, parity = 0, brk = 0, buf_overrun = 0;
  };

  void collectInput();
  void completeRead(IoResult result);
  void checkLineErrors();
  bool readCounters(LineCounters* counters) const;
  void attemptWrite(bool hung_up);

  int fd_;
  std::uint32_t read_interval_ms_ = 0;  // set before the threads start

  // The reader's side.
  std::uint8_t* read_buffer_ = nullptr;
  std::size_t read_size_ = 0;
  std::size_t read_count_ = 0;
  bool read_pending_ = false;
  bool read_done_ = false;
  IoResult read_result_;
  Clock::time_point last_byte_;
  std::uint32_t watched_events_ = 0;
  bool event_pending_ = false;
  bool event_done_ = false;
  bool counters_ok_ = false;
  LineCounters counters_;
  std::uint32_t line_errors_ = 0;

  // The writer's side.
  const std::uint8_t* write_data_ = nullptr;
  std::size_t write_count_ = 0;
  bool write_pending_ = false;
  bool write_done_ = false;
  IoResult write_result_;
};

}  // namespace vx
