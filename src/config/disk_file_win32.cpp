// On Windows Qt hands out a C run-time descriptor for a file it opened natively; the handle
// behind it is flushed with FlushFileBuffers. QSaveFile then puts the file in place with
// MoveFileEx (replacing the old one in one step, or failing and leaving it), so the operator's
// file is either the old one or the new one, never a part of either.

#include <io.h>
#include <windows.h>

#include <QDir>

#include "config/disk_file.h"

namespace vx {

bool syncToDisk(QFileDevice& file, QString* reason) {
  const int descriptor = file.handle();
  const auto handle = descriptor < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  if (handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle)) return true;
  *reason = qt_error_string(handle == INVALID_HANDLE_VALUE ? ERROR_INVALID_HANDLE : static_cast<int>(GetLastError()));
  return false;
}

// Named pipes live in their own namespace, \\.\pipe\; there are no sockets among files.
bool isPipeOrSocket(const QString& path) {
  const QString native = QDir::toNativeSeparators(path);
  return native.startsWith(QLatin1String("\\\\.\\pipe\\"), Qt::CaseInsensitive) ||
         native.startsWith(QLatin1String("\\\\?\\pipe\\"), Qt::CaseInsensitive);
}

}  // namespace vx
