#include <cstdio>

#include "printer/listening_line.h"

namespace vx::printer {

// Windows has no pseudo-terminal for the configurator to open as a port, and a serial
// device's own adapter would blur the spacing the printer judges: there the printer decodes
// files (--decode) only.
struct ListeningLine::Handles {};

bool ListeningLine::available() { return false; }

ListeningLine::ListeningLine(std::string path, std::unique_ptr<Handles> handles)
    : path_(std::move(path)), handles_(std::move(handles)) {}

ListeningLine::~ListeningLine() = default;

std::unique_ptr<ListeningLine> ListeningLine::open(const std::string&) {
  std::fprintf(stderr, "vorlandex-printer: on Windows the printer cannot listen on a line; it decodes a file "
                       "(--decode FILE)\n");
  return nullptr;
}

long ListeningLine::read(unsigned char*, std::size_t, int) { return -1; }

}  // namespace vx::printer
