#include "platform.h"

namespace vx::test {

QString endlessDevice() { return {}; }

// Windows keeps its named pipes apart, under \\.\pipe\, never among a folder's files.
bool fileSystemHasNamedPipes() { return false; }

bool makeNamedPipe(const QString&) { return false; }

void knockOnNamedPipe(const QString&) {}

bool timeZoneFromTzVariable() { return false; }

bool readOnlyFoldersRefuseWrites() { return false; }

}  // namespace vx::test
