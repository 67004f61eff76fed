#pragma once
// The operator's language: the program's own texts are Portuguese; English and Spanish
// translations are compiled into the program (":/i18n/vorlandex_<code>.qm"), and Qt's own
// translations serve its standard dialogs. Used by main() before any text is made.

#include <QString>
#include <QStringList>

namespace vx {

// The languages the program speaks, Portuguese first.
const QStringList& programLanguages();

// The language to use: `explicitChoice` when it is one of programLanguages(), otherwise the
// first of `uiLanguages` (as QLocale::uiLanguages gives them: "es-AR", "en", "pt_BR") whose
// language the program speaks, otherwise Portuguese.
QString chooseLanguage(const QString& explicitChoice, const QStringList& uiLanguages);

// The value of --lang in `argv` ("--lang es" or "--lang=es"); empty when not given.
QString languageArgument(int argc, char** argv);

// Installs on the running application the program's translation for `language` (none for
// Portuguese) and Qt's own (qtbase) from Qt's translations folder. Replaces what an earlier
// call installed. False when the program's translation cannot be loaded.
bool installTranslations(const QString& language);

}  // namespace vx
