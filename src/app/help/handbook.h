#pragma once
// The handbook compiled into the program: one folder of HTML pages, with their pictures, per
// language, under ":/handbook/<language>/". Nothing of it is read until help is asked for.
// Any thread may call these; they only read the program's resources.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vx {

// The language of the handbook that goes with the window's texts ("pt", "en" or "es"): the
// installed translation names it, Portuguese without one.
QString handbookLanguage();

// The handbook's languages that have pages in this build.
QStringList handbookLanguages();

// `topic` ("page.html" or "page.html#id") in `language`'s folder, as the help window opens it.
QUrl handbookUrl(const QString& language, const QString& topic);

// The text of `page` ("troubleshooting.html") in `language`; empty when there is no such page.
QString handbookPage(const QString& language, const QString& page);

}  // namespace vx
