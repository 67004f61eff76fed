#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "platform.h"

namespace vx::test {

QString endlessDevice() { return QStringLiteral("/dev/zero"); }

bool fileSystemHasNamedPipes() { return true; }

bool makeNamedPipe(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }

bool timeZoneFromTzVariable() { return true; }

bool readOnlyFoldersRefuseWrites() { return ::geteuid() != 0; }

}  // namespace vx::test
