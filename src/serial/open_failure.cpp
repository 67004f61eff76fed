#include "serial/open_failure.h"

#include <QCoreApplication>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vx {
namespace {

// In the operator's language where the program has installed one (the window does).
std::string text(const char* portuguese) { return QCoreApplication::translate("OpenFailure", portuguese).toStdString(); }

std::string heading(const std::string& device) {
  return QCoreApplication::translate("OpenFailure", "Dispositivo: %1").arg(QString::fromStdString(device)).toStdString() +
         "\n";
}

const char kNotSerial[] = QT_TRANSLATE_NOOP("OpenFailure", "O caminho não é um dispositivo serial.");

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
      reason = text(QT_TRANSLATE_NOOP("OpenFailure", "O dispositivo não existe. Verifique o cabo e o adaptador."));
      break;
    case OpenFailureKind::Permission: {
      const std::string group = owningGroup(device);
      const QString owner = group.empty()
                                ? QCoreApplication::translate("OpenFailure", "dono do dispositivo")
                                : QCoreApplication::translate("OpenFailure", "\"%1\", dono do dispositivo,")
                                      .arg(QString::fromStdString(group));
      reason = QCoreApplication::translate(
                   "OpenFailure", "Permissão negada. O usuário precisa pertencer ao grupo %1 e entrar novamente na sessão.")
                   .arg(owner)
                   .toStdString();
      break;
    }
    case OpenFailureKind::NotSerial:
      reason = text(kNotSerial);
      break;
    case OpenFailureKind::Busy:
      reason = text(QT_TRANSLATE_NOOP("OpenFailure", "O dispositivo está em uso por outro programa."));
      break;
    case OpenFailureKind::Other:
      reason = QCoreApplication::translate("OpenFailure", "Falha ao abrir o dispositivo: %1.")
                   .arg(QString::fromLocal8Bit(std::strerror(error)))
                   .toStdString();
      break;
  }
  return heading(device) + reason;
}

std::string notSerialDetail(const std::string& device) { return heading(device) + text(kNotSerial); }

}  // namespace vx
