#include "serial/system_errors.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include <QString>

namespace vx {

std::string systemErrorText(int error) {
  char buffer[256] = {};
  // The GNU strerror_r returns the text, which may or may not live in `buffer`.
  const char* description = ::strerror_r(error, buffer, sizeof buffer);
  // In the locale's encoding, which need not be UTF-8.
  return description ? QString::fromLocal8Bit(description).toStdString() : std::string();
}

int genericIoError() { return EIO; }

SerialFailure openFailureKind(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
      return SerialFailure::Absent;
    case EACCES:
    case EPERM:
      return SerialFailure::Permission;
    case EISDIR:
      return SerialFailure::NotSerial;
    case EBUSY:
    case EWOULDBLOCK:
      return SerialFailure::Busy;
    default:
      return SerialFailure::Other;
  }
}

std::string owningGroup(const std::string& device) {
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) return {};
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->gr_name)
    return found->gr_name;
  return std::to_string(st.st_gid);
}

}  // namespace vx
