#pragma once
// Message numbers used between the serial-port component and its threads (user messages start at
// 1024). The receive and write messages share a number: they go to different queues.

#include <cstdint>

namespace vx {

inline constexpr std::uint32_t UM_RECEIVEDDATA = 1025;   // reader -> message sink: count, block
inline constexpr std::uint32_t UM_REQUESTHANGUP = 1026;  // reader or writer -> message sink: 0, 0
inline constexpr std::uint32_t UM_WRITEREQUEST = 1025;   // SendData -> writer's queue: count, block

}  // namespace vx
