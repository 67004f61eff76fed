// What GetLastError()'s codes mean to the serial link on Windows.
#include "serial/system_errors.h"

#include <QString>

#include "serial/win32/windows_api.h"

namespace vx {
namespace {

// Not in every MinGW-w64 release's headers; the values are the system's.
constexpr DWORD kNoSuchDevice = 433;  // ERROR_NO_SUCH_DEVICE

}  // namespace

std::string systemErrorText(int error) {
  wchar_t* text = nullptr;
  // In the user's language where the system has one, else in English.
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0 || !text) return {};
  QString description = QString::fromWCharArray(text, static_cast<qsizetype>(length));
  ::LocalFree(text);
  // The system's texts end with a line end, which a trace line or a message box must not get.
  while (!description.isEmpty() && description.back().isSpace()) description.chop(1);
  return description.toStdString();
}

int genericIoError() { return ERROR_GEN_FAILURE; }

SerialFailure openFailureKind(int error) {
  switch (static_cast<DWORD>(error)) {
    // No device answers to the name: never there, unplugged, or a name no device can have.
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_UNIT:
    case kNoSuchDevice:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
      return SerialFailure::Absent;
    // A port another program holds answers ERROR_ACCESS_DENIED (share mode 0 on both sides);
    // an ordinary user may open every COM port, so that is what the refusal means.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
      return SerialFailure::Busy;
    // A folder, or a device that takes none of the requests a file or a port takes.
    case ERROR_DIRECTORY:
    case ERROR_INVALID_FUNCTION:
      return SerialFailure::NotSerial;
    // A missing privilege or elevation: Windows gives a port no owning group to join, so the
    // system's own text is the one that helps (the operator's reason for a refused permission
    // is the Linux one).
    default:
      return SerialFailure::Other;
  }
}

// Windows gives serial devices no owning group.
std::string owningGroup(const std::string&) { return {}; }

}  // namespace vx
