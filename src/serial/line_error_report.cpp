#include "serial/line_error_report.h"

#include "serial/serial_backend.h"

namespace vx {

std::string lineErrorReport(std::uint32_t errors) {
  std::string text;
  auto add = [&text](const char* part) {
    if (!text.empty()) text += " and ";
    text += part;
  };
  if (errors == 0) {
    text = "NULL Error";
  } else {
    if (errors & kFramingError) add("CE_FRAME");
    if (errors & kOverrunError) add("CE_OVERRUN");
    if (errors & kParityError) add("CE_RXPARITY");
    if (errors & ~(kFramingError | kOverrunError | kParityError)) add("EV_ERR Unknown EvtMask");
  }
  return "Comm Event: " + text + ", EvtMask = " + std::to_string(static_cast<std::int32_t>(errors));
}

}  // namespace vx
