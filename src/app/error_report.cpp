#include "app/error_report.h"

namespace vx {

QString programTitle(const QString& executablePath) {
  QString name = executablePath.section(QLatin1Char('/'), -1);
  const int dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  if (name.size() > 1) name = name.left(1) + name.mid(1).toLower();
  return name;
}

QString reportText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

}  // namespace vx
