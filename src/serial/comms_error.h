#pragma once
// The serial-port component's only exception: raised by TQRTComm32::OpenPort when the port cannot
// be opened or its threads cannot be started. what() is the component's exact English text;
// detail(), when not empty, says which device and why, in the operator's language (UTF-8).

#include <stdexcept>
#include <string>

namespace vx {

class ECommsError : public std::runtime_error {
 public:
  explicit ECommsError(const std::string& message, std::string detail = {})
      : std::runtime_error(message), detail_(std::move(detail)) {}
  const std::string& detail() const { return detail_; }

 private:
  std::string detail_;
};

}  // namespace vx
