#include "serial/open_failure.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vx {
namespace {

std::string heading(const std::string& device) { return "Dispositivo: " + device + "\n"; }

const char kNotSerial[] = "O caminho não é um dispositivo serial.";

}  // namespace

OpenFailureKind openFailureKind(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
      return OpenFailureKind::Absent;
    case EACCES:
    case EPERM:
      return OpenFailureKind::Permission;
    case EISDIR:
      return OpenFailureKind::NotSerial;
    case EBUSY:
    case EWOULDBLOCK:
      return OpenFailureKind::Busy;
    default:
      return OpenFailureKind::Other;
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

std::string openFailureDetail(const std::string& device, int error) {
  std::string reason;
  switch (openFailureKind(error)) {
    case OpenFailureKind::Absent:
      reason = "O dispositivo não existe. Verifique o cabo e o adaptador.";
      break;
    case OpenFailureKind::Permission: {
      const std::string group = owningGroup(device);
      reason = "Permissão negada. O usuário precisa pertencer ao grupo ";
      reason +=
          group.empty() ? std::string("dono do dispositivo") : "\"" + group + "\", dono do dispositivo,";
      reason += " e entrar novamente na sessão.";
      break;
    }
    case OpenFailureKind::NotSerial:
      reason = kNotSerial;
      break;
    case OpenFailureKind::Busy:
      reason = "O dispositivo está em uso por outro programa.";
      break;
    case OpenFailureKind::Other:
      reason = "Falha ao abrir o dispositivo: ";
      reason += std::strerror(error);
      reason += ".";
      break;
  }
  return heading(device) + reason;
}

std::string notSerialDetail(const std::string& device) { return heading(device) + kNotSerial; }

}  // namespace vx
