#include "app/dialogs/error_report.h"

#include <QCoreApplication>
#include <QDir>

namespace vx {
namespace {

// The fixed texts, for the translators; any other message is shown as it comes.
[[maybe_unused]] const char* const kFixedTexts[] = {
    QT_TRANSLATE_NOOP("ErrorReport", "Error opening com port"),
    QT_TRANSLATE_NOOP("ErrorReport", "File handle is not a comm handle. "),
    QT_TRANSLATE_NOOP("ErrorReport", "Already have a comm file open"),
    QT_TRANSLATE_NOOP("ErrorReport", "Unable to create Read thread"),
    QT_TRANSLATE_NOOP("ErrorReport", "Unable to create Write thread"),
    QT_TRANSLATE_NOOP("ErrorReport", "Bitmap image is not valid"),
};

}  // namespace

QString translatedReport(const char* message) { return QCoreApplication::translate("ErrorReport", message); }

QString programTitle(const QString& executablePath) {
  // The program's name as started, from any folder (C:\Program Files\… on Windows).
  QString name = QDir::fromNativeSeparators(executablePath).section(QLatin1Char('/'), -1);
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  if (name.size() > 1) name = name.left(1) + name.mid(1).toLower();
  return name;
}

QString reportText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

}  // namespace vx
