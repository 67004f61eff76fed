#include "app/help/troubleshooting.h"

#include <QHash>
#include <QRegularExpression>

#include "app/help/handbook.h"

namespace vx {
namespace {

constexpr QChar kEllipsis(0x2026);

// A full stop the error report appends ("Error opening com port.") is no part of the message.
QString withoutFinalStop(QString text) {
  if (text.endsWith(QLatin1Char('.')) && !text.endsWith(QStringLiteral(".."))) text.chop(1);
  return text;
}

QRegularExpression headingPattern(const QString& heading) {
  QStringList pieces = withoutFinalStop(heading).split(kEllipsis);
  for (QString& piece : pieces) piece = QRegularExpression::escape(piece);
  return QRegularExpression(QRegularExpression::anchoredPattern(pieces.join(QStringLiteral(".*"))),
                            QRegularExpression::DotMatchesEverythingOption);
}

// What of the heading is fixed text: the more, the more precise the entry.
qsizetype fixedLength(const QString& heading) { return heading.size() - heading.count(kEllipsis); }

}  // namespace

QString normalizedMessage(const QString& text) {
  static const QRegularExpression placeholder(QStringLiteral("%[1-9][0-9]?"));
  QString s = text;
  s.replace(placeholder, QString(kEllipsis));
  s.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
      .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
      .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
      .replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
      .replace(QStringLiteral("&#8230;"), QString(kEllipsis))
      .replace(QStringLiteral("&hellip;"), QString(kEllipsis))
      .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return s.simplified();
}

std::vector<TroubleshootingEntry> troubleshootingEntries(const QString& html) {
  static const QRegularExpression entry(
      QStringLiteral(R"re(<h3\s+id\s*=\s*"(msg-[^"]*)"\s*>(.*?)</h3>)re"),
      QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  std::vector<TroubleshootingEntry> entries;
  for (const QRegularExpressionMatch& m : entry.globalMatch(html)) {
    QString heading = m.captured(2);
    heading.remove(tag);
    entries.push_back({m.captured(1), normalizedMessage(heading)});
  }
  return entries;
}

const TroubleshootingEntry* matchingEntry(const std::vector<TroubleshootingEntry>& entries,
                                          const QString& message) {
  const QString shown = withoutFinalStop(normalizedMessage(message));
  if (shown.isEmpty()) return nullptr;
  const TroubleshootingEntry* best = nullptr;
  for (const TroubleshootingEntry& e : entries) {
    if (!headingPattern(e.heading).match(shown).hasMatch()) continue;
    if (!best || fixedLength(e.heading) > fixedLength(best->heading)) best = &e;
  }
  return best;
}

QString failureHelpTopic(const QString& text, const QString& detail) {
  // Read once per language: a box may come up many times in a session.
  static QHash<QString, std::vector<TroubleshootingEntry>> pages;
  const QString language = handbookLanguage();
  auto page = pages.find(language);
  if (page == pages.end())
    page = pages.insert(
        language, troubleshootingEntries(handbookPage(language, QString::fromLatin1(kTroubleshootingPage))));
  QStringList candidates;
  if (!detail.isEmpty()) candidates << detail.split(QLatin1Char('\n'), Qt::SkipEmptyParts).constLast();
  candidates << text;
  for (const QString& candidate : candidates)
    if (const TroubleshootingEntry* e = matchingEntry(*page, candidate))
      return QString::fromLatin1(kTroubleshootingPage) + QLatin1Char('#') + e->id;
  return QString::fromLatin1(kTroubleshootingPage);
}

}  // namespace vx
