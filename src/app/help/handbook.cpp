#include "app/help/handbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vx {
namespace {

QString folder(const QString& language) { return QStringLiteral(":/handbook/") + language; }

}  // namespace

QString handbookLanguage() {
  // Each translation carries the name of its own handbook folder, so the help follows whatever
  // language the window was started in.
  return QCoreApplication::translate("Handbook", "pt",
                                     "the handbook folder of this language: its two-letter code");
}

QStringList handbookLanguages() {
  return QDir(QStringLiteral(":/handbook")).entryList(QDir::Dirs, QDir::Name);
}

QUrl handbookUrl(const QString& language, const QString& topic) {
  QUrl url(QStringLiteral("qrc") + folder(language) + QLatin1Char('/') + topic);
  return url;
}

QString handbookPage(const QString& language, const QString& page) {
  QFile file(folder(language) + QLatin1Char('/') + page);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace vx
