#pragma once
// Trace texts shared by the reader and the writer.

namespace vx {

inline constexpr const char* kInvalidHandleText =
    "ERROR_INVALID_HANDLE, Likely that the Service Provider has closed the port.";

}  // namespace vx
