#pragma once
// The serial link's diagnostic trace: whole lines appended to a text file, off while the trace
// file name is empty. A technician switches it on for a whole run (VORLANDEX_TRACE for the window,
// --trace for vorlandex-send: startProgramTrace); every SerialLink that is constructed sets the
// trace back to that file, or off when the program started none. Callable from any thread; lines
// from different threads never mix. A trace that cannot be written is switched off (one note on
// stderr) rather than disturbing the port's threads.

#include <string>
#include <string_view>

namespace vx {

void setTraceFileName(std::string name);
// Back to the program's trace file, or off: what a new link does.
void resetTraceFileName();

// Opens `path` for appending at once and makes it the program's trace file, and the trace file
// now. False, with the system's reason in *reason, when it cannot be opened; the trace is then
// left as it was.
bool startProgramTrace(const std::string& path, std::string* reason);
// Closes the program's trace file: the trace is off, and every new link leaves it off.
void stopProgramTrace();
// VORLANDEX_TRACE, when set and not empty, through startProgramTrace. A message for the program's
// error stream when the file cannot be opened; empty otherwise.
std::string startTraceFromEnvironment();

// True while a trace file name is set: lines that cost something to make are made only then.
bool traceOn();

// Writes `text` and a line end when tracing is on.
void traceLine(std::string_view text);

// Writes `prefix`, "GetLastError returned: " and the system's description of `error_code` in
// double quotes; `prefix` followed by "Out of memory" when no description exists. A null prefix
// counts as empty.
void traceError(int error_code, const char* prefix);

// The line traceError writes.
std::string traceErrorText(int error_code, const char* prefix);

}  // namespace vx
