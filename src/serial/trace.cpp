#include "serial/trace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <system_error>

#include <QString>

#include "serial/system_errors.h"

namespace vx {
namespace {

struct TraceState {
  std::mutex mutex;
  std::string name;
  std::string open_name;  // the name `file` was opened under
  std::string program_name;  // startProgramTrace's file, which every new link goes back to
  std::FILE* file = nullptr;
  std::atomic<bool> on{false};  // lets the port threads skip the lock while tracing is off
};

// The C library's text for its errno (a file that cannot be opened or written), in UTF-8: on
// Windows errno is no system error code, so systemErrorText() cannot tell it. The port threads
// write the trace, so not strerror, whose buffer another thread may be filling.
std::string fileErrorText(int error) {
  return QString::fromLocal8Bit(std::generic_category().message(error)).toStdString();
}

TraceState& state() {
  static TraceState s;
  return s;
}

void closeFileLocked(TraceState& s) {
  if (s.file) std::fclose(s.file);
  s.file = nullptr;
  s.open_name.clear();
}

// Off, and off for every new link too.
void switchOffLocked(TraceState& s) {
  closeFileLocked(s);
  s.name.clear();
  s.program_name.clear();
  s.on = false;
}

}  // namespace

void setTraceFileName(std::string name) {
  TraceState& s = state();
  std::lock_guard lock(s.mutex);
  if (name != s.open_name) closeFileLocked(s);
  s.name = std::move(name);
  s.on = !s.name.empty();
}

void resetTraceFileName() {
  TraceState& s = state();
  std::string name;
  {
    std::lock_guard lock(s.mutex);
    name = s.program_name;
  }
  setTraceFileName(std::move(name));
}

bool startProgramTrace(const std::string& path, std::string* reason) {
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (!file) {
    if (reason) *reason = fileErrorText(errno);
    return false;
  }
  TraceState& s = state();
  std::lock_guard lock(s.mutex);
  closeFileLocked(s);
  s.file = file;
  s.open_name = s.name = s.program_name = path;
  s.on = true;
  return true;
}

void stopProgramTrace() {
  TraceState& s = state();
  std::lock_guard lock(s.mutex);
  switchOffLocked(s);
}

std::string startTraceFromEnvironment() {
  const char* path = std::getenv("VORLANDEX_TRACE");
  std::string reason;
  if (!path || !*path || startProgramTrace(path, &reason)) return {};
  return std::string("VORLANDEX_TRACE: cannot open ") + path + ": " + reason + "; the serial trace stays off";
}

bool traceOn() { return state().on.load(std::memory_order_relaxed); }

void traceLine(std::string_view text) {
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
                 fileErrorText(errno).c_str());
    switchOffLocked(s);
  }
}

std::string traceErrorText(int error_code, const char* prefix) {
  std::string line = prefix ? prefix : "";
  const std::string description = systemErrorText(error_code);
  if (description.empty()) return line + "Out of memory";
  line += "GetLastError returned: \"";
  line += description;
  line += '"';
  return line;
}

void traceError(int error_code, const char* prefix) {
  if (!state().on.load(std::memory_order_relaxed)) return;
  traceLine(traceErrorText(error_code, prefix));
}

}  // namespace vx
