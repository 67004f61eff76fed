#include <windows.h>

#include "platform.h"

namespace vx::test {

QString endlessDevice() { return {}; }

// Windows keeps its named pipes apart, under \\.\pipe\, never among a folder's files.
bool fileSystemHasNamedPipes() { return false; }

bool makeNamedPipe(const QString&) { return false; }

void knockOnNamedPipe(const QString&) {}

bool timeZoneFromTzVariable() { return false; }

bool readOnlyFoldersRefuseWrites() { return false; }

double threadCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) /
           1e4;
  };
  return ms(kernel) + ms(user);
}

double threadCpuStepMs() { return 15.625; }

}  // namespace vx::test
