#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <system_error>

#include "config/disk_file.h"

namespace vx {

bool syncToDisk(QFileDevice& file, QString* reason) {
  // The data and what reading it back needs (its size); the file's times can wait.
  if (::fdatasync(file.handle()) == 0) return true;
  // Not strerror: its buffer is shared by every thread, the serial port's among them.
  *reason = QString::fromLocal8Bit(std::generic_category().message(errno));
  return false;
}

bool isPipeOrSocket(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode));
}

}  // namespace vx
