#pragma once
// Why the serial link could not open a port, told from one table of texts: in the operator's
// language for the window (Portuguese source texts, translated in the "OpenFailure" context by the
// translator the program installed) and in English for vorlandex-send, as its manual page tells
// them. Looks at the device (its group) but never opens it; any thread.

#include <QString>

#include "serial/serial_error.h"

namespace vx {

enum class FailureLanguage { Operator, English };

// The reason alone: absent (check the cable or adapter), permission (join the group that owns the
// device, named as the system reports it, and log in again), held by another program, not a
// serial device, or the system's own text. For a failure of another kind (already open, a thread
// that could not start): the system's text behind it, if any, for the operator, who reads the
// link's text above it; in English the link's text and then the system's.
QString openFailureReason(const SerialError& error, FailureLanguage language);

// The window's detail under the error report: "Dispositivo: <device>" and the operator's reason
// on the next line; empty when there is no reason to give.
QString openFailureDetail(const SerialError& error);

}  // namespace vx
