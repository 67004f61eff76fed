#pragma once
// What the command-line programs (vorlandex-send, vorlandex-printer) need of the console they
// run in, one file per platform chosen by CMake: console_posix.cpp (signals, isatty, the
// terminal's size) and console_win32.cpp (the console's control handler and screen buffer).

#include <cstdio>

namespace vx::console {

// Calls `stop` when the user asks the program to stop: Ctrl-C or SIGTERM on Linux (a signal
// handler, without SA_RESTART, so that a waiting poll() returns); Ctrl-C, Ctrl-Break or the
// console window closing on Windows (on the console's own thread, which then gives the program
// up to five seconds to end). `stop` must only do what a signal handler may: set a flag.
void onStopRequest(void (*stop)());

// Output written to a pipe whose reader has quit (| head) is lost instead of ending the program.
void ignoreBrokenPipes();

// Whether `stream` is a terminal that takes the progress display's cursor movements.
bool isTerminal(std::FILE* stream);

// The width of the terminal `stream` writes to, in columns; 0 when it is none or unknown.
int terminalColumns(std::FILE* stream);

}  // namespace vx::console
