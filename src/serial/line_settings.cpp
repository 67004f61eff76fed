#include "serial/line_settings.h"

namespace vx {

std::string comPortName(ComPort port) { return "COM" + std::to_string(static_cast<int>(port) + 1); }

}  // namespace vx
