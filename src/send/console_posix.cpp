#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "send/console.h"

namespace vx::console {
namespace {

void (*stopHandler)() = nullptr;

}  // namespace

void onStopRequest(void (*stop)()) {
  stopHandler = stop;
  struct sigaction sa {};
  sa.sa_handler = [](int) { stopHandler(); };
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);  // no SA_RESTART: a waiting poll() returns at once
  sigaction(SIGTERM, &sa, nullptr);
}

void ignoreBrokenPipes() { signal(SIGPIPE, SIG_IGN); }

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

int terminalColumns(std::FILE* stream) {
  winsize size{};
  return isTerminal(stream) && ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

}  // namespace vx::console
