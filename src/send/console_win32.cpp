#include <io.h>
#include <windows.h>

#include "send/console.h"

namespace vx::console {
namespace {

void (*stopHandler)() = nullptr;

BOOL WINAPI onControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      stopHandler();
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // Windows ends the process when this returns (and at the latest after five seconds):
      // wait here so that the ports are closed cleanly first; the process's own exit ends it.
      stopHandler();
      Sleep(5000);
      return TRUE;
    default:
      return FALSE;
  }
}

HANDLE consoleOf(std::FILE* stream) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

void onStopRequest(void (*stop)()) {
  stopHandler = stop;
  SetConsoleCtrlHandler(onControl, TRUE);
}

// Windows has no SIGPIPE: a write to a pipe whose reader has quit fails and is lost.
void ignoreBrokenPipes() {}

// A console (not a pipe, a file or NUL) that takes the escape sequences of the progress display
// (Windows 10 and later, once asked to).
bool isTerminal(std::FILE* stream) {
  const HANDLE console = consoleOf(stream);
  DWORD mode = 0;
  return console && GetConsoleMode(console, &mode) &&
         ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ||
          SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING));
}

int terminalColumns(std::FILE* stream) {
  const HANDLE console = consoleOf(stream);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!console || !GetConsoleScreenBufferInfo(console, &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace vx::console
