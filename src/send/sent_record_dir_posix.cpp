#include <unistd.h>

#include <QDir>

#include "send/sent_record.h"

namespace vx {

QString sentRecordDir() {
  const QString state = qEnvironmentVariable("XDG_STATE_HOME");
  // A relative XDG_STATE_HOME is invalid and must be ignored.
  if (!state.isEmpty() && QDir::isAbsolutePath(state)) return state + QStringLiteral("/vorlandex");
  // Root (a system service, sudo) keeps its records with the system's state, not in /root.
  if (geteuid() == 0) return QStringLiteral("/var/lib/vorlandex");
  return QDir::homePath() + QStringLiteral("/.local/state/vorlandex");
}

QString sentRecordFilePrefix() { return {}; }

}  // namespace vx
