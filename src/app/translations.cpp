#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace vx {

const QStringList& programLanguages() {
  static const QStringList languages = {QStringLiteral("pt"), QStringLiteral("en"), QStringLiteral("es")};
  return languages;
}

QString chooseLanguage(const QString& explicitChoice, const QStringList& uiLanguages) {
  if (programLanguages().contains(explicitChoice)) return explicitChoice;
  for (const QString& ui : uiLanguages) {
    QString language = ui.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
    if (programLanguages().contains(language)) return language;
  }
  return programLanguages().constFirst();
}

QString languageArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc) return QString::fromLocal8Bit(argv[i + 1]);
    if (std::strncmp(argv[i], "--lang=", 7) == 0) return QString::fromLocal8Bit(argv[i] + 7);
  }
  return {};
}

bool installTranslations(const QString& language) {
  static QTranslator* program = nullptr;
  static QTranslator* qt = nullptr;
  for (QTranslator** t : {&program, &qt}) {
    if (*t) {
      QCoreApplication::removeTranslator(*t);
      delete *t;
      *t = nullptr;
    }
  }
  // Qt ships Brazilian Portuguese for its dialogs.
  const QString qtName = language == QLatin1String("pt") ? QStringLiteral("qtbase_pt_BR") : QStringLiteral("qtbase_") + language;
  qt = new QTranslator;
  if (qt->load(qtName, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) QCoreApplication::installTranslator(qt);
  if (language == programLanguages().constFirst()) return true;
  program = new QTranslator;
  if (!program->load(QStringLiteral(":/i18n/vorlandex_") + language)) return false;
  QCoreApplication::installTranslator(program);
  return true;
}

}  // namespace vx
