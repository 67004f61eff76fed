#pragma once
// The text the reader delivers when the port signals a line error: "Comm Event: ", the error text,
// ", EvtMask = " and the error flags as a signed decimal number. The error text is "NULL Error"
// for no flags, otherwise "CE_FRAME", "CE_OVERRUN", "CE_RXPARITY" and "EV_ERR Unknown EvtMask"
// (any other flag) in that order, joined by " and ".

#include <cstdint>
#include <string>

namespace vx {

std::string lineErrorReport(std::uint32_t errors);

}  // namespace vx
