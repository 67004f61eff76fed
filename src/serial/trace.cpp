#include "serial/trace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace vx {
namespace {

struct TraceState {
  std::mutex mutex;
  std::string name;
  std::string open_name;  // the name `file` was opened under
  std::FILE* file = nullptr;
  std::atomic<bool> on{false};  // lets the port threads skip the lock while tracing is off
};

TraceState& state() {
  static TraceState s;
  return s;
}

void closeFileLocked(TraceState& s) {
  if (s.file) std::fclose(s.file);
  s.file = nullptr;
  s.open_name.clear();
}

}  // namespace

void setTraceFileName(std::string name) {
  TraceState& s = state();
  std::lock_guard lock(s.mutex);
  if (name != s.open_name) closeFileLocked(s);
  s.name = std::move(name);
  s.on = !s.name.empty();
}

std::string traceFileName() {
  TraceState& s = state();
  std::lock_guard lock(s.mutex);
  return s.name;
}

void TraceLine(std::string_view text) {
  TraceState& s = state();
  if (!s.on.load(std::memory_order_relaxed)) return;
  std::lock_guard lock(s.mutex);
  if (s.name.empty()) return;
  if (!s.file) {
    s.file = std::fopen(s.name.c_str(), "a");
    if (s.file) s.open_name = s.name;
  }
  bool ok = s.file != nullptr;
  if (ok) {
    ok = std::fwrite(text.data(), 1, text.size(), s.file) == text.size() && std::fputc('\n', s.file) != EOF &&
         std::fflush(s.file) == 0;
  }
  if (!ok) {
    std::fprintf(stderr, "serial trace: cannot write %s: %s; trace switched off\n", s.name.c_str(),
                 std::strerror(errno));
    closeFileLocked(s);
    s.name.clear();
    s.on = false;
  }
}

std::string traceErrorText(int error_code, const char* prefix) {
  std::string line = prefix ? prefix : "";
  char buffer[256] = {};
  // The GNU strerror_r returns the text, which may or may not live in `buffer`.
  const char* description = ::strerror_r(error_code, buffer, sizeof buffer);
  if (!description || !*description) return line + "Out of memory";
  line += "GetLastError returned: \"";
  line += description;
  line += '"';
  return line;
}

void TraceError(int error_code, const char* prefix) {
  if (!state().on.load(std::memory_order_relaxed)) return;
  TraceLine(traceErrorText(error_code, prefix));
}

}  // namespace vx
