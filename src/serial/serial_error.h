#pragma once
// The serial link's only exception: raised by SerialLink::open when the port cannot be opened or
// its threads cannot be started. what() is the link's exact English text; kind() says what
// failed, error() the system's error number behind it (0 when there is none) and device() the
// device it concerned (empty when none). open_failure.h tells the reason to people.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vx {

enum class SerialFailure : std::uint8_t {
  AlreadyOpen,       // this link holds a port (open or partly open) already
  Absent,            // the device is not there
  Permission,        // the user may not open the device
  Busy,              // another program holds the device
  NotSerial,         // the path is not a serial device
  Other,             // the device could not be opened for another reason: error() says which
  ThreadNotStarted,  // the reader or the writer could not be started
};

class SerialError : public std::runtime_error {
 public:
  SerialError(const char* message, SerialFailure kind, int error = 0, std::string device = {})
      : std::runtime_error(message), kind_(kind), error_(error), device_(std::move(device)) {}
  SerialFailure kind() const { return kind_; }
  int error() const { return error_; }
  const std::string& device() const { return device_; }

 private:
  SerialFailure kind_;
  int error_;
  std::string device_;
};

}  // namespace vx
