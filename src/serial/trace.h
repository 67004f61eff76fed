#pragma once
// The serial component's diagnostic trace: whole lines appended to a text file, off while the trace
// file name is empty (as it is at start and after every TQRTComm32 is constructed). Callable from
// any thread; lines from different threads never mix. A trace that cannot be written is switched
// off (one note on stderr) rather than disturbing the port's threads.

#include <string>
#include <string_view>

namespace vx {

void setTraceFileName(std::string name);
std::string traceFileName();

// Writes `text` and a line end when tracing is on.
void TraceLine(std::string_view text);

// Writes `prefix`, "GetLastError returned: " and the system's description of `error_code` in
// double quotes; `prefix` followed by "Out of memory" when no description exists. A null prefix
// counts as empty.
void TraceError(int error_code, const char* prefix);

// The line TraceError writes.
std::string traceErrorText(int error_code, const char* prefix);

}  // namespace vx
