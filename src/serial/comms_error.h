#pragma once
// The serial-port component's only exception: raised by TQRTComm32::OpenPort when the port cannot
// be opened or its threads cannot be started. what() is the component's exact English text.

#include <stdexcept>
#include <string>

namespace vx {

class ECommsError : public std::runtime_error {
 public:
  explicit ECommsError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vx
