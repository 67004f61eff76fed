#include <QStandardPaths>

#include "send/sent_record.h"

namespace vx {

// The user's local application data (%LOCALAPPDATA%, not roaming: the record belongs to the
// ports of this computer), in a folder of its own whatever program asks.
QString sentRecordDir() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/vorlandex");
}

// Keeps a record's name from being a device's (CON, NUL, COM1 to COM9 and LPT1 to LPT9,
// whatever the extension).
QString sentRecordFilePrefix() { return QStringLiteral("port-"); }

}  // namespace vx
