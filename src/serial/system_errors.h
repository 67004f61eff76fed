#pragma once
// What the operating system's error numbers mean to the serial link: errno on POSIX systems,
// GetLastError's codes on Windows. Each platform implements these in its own folder. Any thread.

#include <string>

#include "serial/serial_error.h"

namespace vx {

// The system's description of `error` in UTF-8; empty when it has none.
std::string systemErrorText(int error);

// The system's code for an input/output failure that came without a code of its own: EIO on
// POSIX systems, ERROR_GEN_FAILURE on Windows.
int genericIoError();

// Which kind of failure `error`, the error of opening (or locking) a device, is.
SerialFailure openFailureKind(int error);

// The name of the group that owns `device`, or its number when the system has no name for it;
// empty when the device cannot be looked at or the system gives devices no owning group.
std::string owningGroup(const std::string& device);

}  // namespace vx
