#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QFile>

#include "platform.h"

namespace vx::test {

QString endlessDevice() { return QStringLiteral("/dev/zero"); }

bool fileSystemHasNamedPipes() { return true; }

bool makeNamedPipe(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }

void knockOnNamedPipe(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
}

bool timeZoneFromTzVariable() { return true; }

bool readOnlyFoldersRefuseWrites() { return ::geteuid() != 0; }

double threadCpuMs() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double threadCpuStepMs() { return 0; }

}  // namespace vx::test
