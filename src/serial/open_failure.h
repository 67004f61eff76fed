#pragma once
// Why a serial device could not be opened, in the operator's language (Portuguese, UTF-8): the
// detail the error report shows under "Error opening com port.". Looks at the device (its group)
// but never opens it; any thread.

#include <string>

namespace vx {

// What an open's errno says about the device: the kinds the messages tell apart.
enum class OpenFailureKind { Absent, Permission, NotSerial, Busy, Other };
OpenFailureKind openFailureKind(int error);

// The name of the group that owns `device`, or its number when the system has no name for it;
// empty when the device cannot be looked at.
std::string owningGroup(const std::string& device);

// "Dispositivo: <device>" and, on the next line, the reason for `error` (the errno of open or of
// the lock): absent (check the cable or adapter), permission (join the device's group, named as
// the system reports it, and log in again), held by another program, or the system's own text.
std::string openFailureDetail(const std::string& device, int error);

// The same for a device that opened but is not a character device.
std::string notSerialDetail(const std::string& device);

}  // namespace vx
