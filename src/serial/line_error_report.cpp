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
    if (errors & CE_FRAME) add("CE_FRAME");
    if (errors & CE_OVERRUN) add("CE_OVERRUN");
    if (errors & CE_RXPARITY) add("CE_RXPARITY");
    if (errors & ~(CE_FRAME | CE_OVERRUN | CE_RXPARITY)) add("EV_ERR Unknown EvtMask");
  }
  return "Comm Event: " + text + ", EvtMask = " + std::to_string(static_cast<std::int32_t>(errors));
}

}  // namespace vx
