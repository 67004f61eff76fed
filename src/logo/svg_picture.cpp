#include "logo/svg_picture.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace vx {
namespace {

bool startsWithCi(QStringView text, QLatin1StringView prefix) {
  return text.startsWith(prefix, Qt::CaseInsensitive);
}

// A reference that stays inside the document: a fragment ("#id") or embedded data.
bool isInternalReference(QStringView value) {
  const QStringView v = value.trimmed();
  return v.isEmpty() || v.startsWith(QLatin1Char('#')) || startsWithCi(v, QLatin1StringView("data:"));
}

// The first url(...) in `text` that points outside the document, if any.
QString externalUrl(QStringView text) {
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = text.indexOf(QLatin1StringView("url("), from, Qt::CaseInsensitive);
    if (at < 0) return {};
    qsizetype i = at + 4;
    while (i < text.size() && (text[i].isSpace() || text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\'')))
      ++i;
    const qsizetype close = text.indexOf(QLatin1Char(')'), i);
    QStringView target = text.mid(i, close < 0 ? -1 : close - i).trimmed();
    while (target.endsWith(QLatin1Char('"')) || target.endsWith(QLatin1Char('\''))) target.chop(1);
    if (!isInternalReference(target)) return target.toString();
    from = i;
  }
}

SvgProblem problem(SvgProblem::Kind kind, const QString& detail = {}) { return {kind, detail}; }

}  // namespace

bool looksLikeSvg(const QByteArray& bytes) {
  const QByteArray head = bytes.left(4096);
  qsizetype i = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  while (i < head.size() && std::isspace(static_cast<unsigned char>(head[i]))) ++i;
  return i < head.size() && head[i] == '<' && head.indexOf("<svg", i) >= 0;
}

SvgProblem checkSvg(const QByteArray& bytes) {
  QXmlStreamReader xml(bytes);
  bool sawRoot = false;
  bool inStyle = false;
  while (!xml.atEnd()) {
    switch (xml.readNext()) {
      case QXmlStreamReader::DTD:
        // The DOCTYPE's own public and system names are never read; an entity that
        // stands for another file would be.
        for (const QXmlStreamEntityDeclaration& e : xml.entityDeclarations()) {
          if (!e.systemId().isEmpty() || !e.publicId().isEmpty())
            return problem(SvgProblem::Kind::External, e.systemId().toString());
        }
        break;
      case QXmlStreamReader::ProcessingInstruction:
        if (xml.processingInstructionTarget().compare(QLatin1StringView("xml-stylesheet"), Qt::CaseInsensitive) == 0)
          return problem(SvgProblem::Kind::External, xml.processingInstructionData().toString().trimmed());
        break;
      case QXmlStreamReader::StartElement: {
        const QStringView name = xml.name();
        if (!sawRoot && name != QLatin1StringView("svg")) return problem(SvgProblem::Kind::NotSvg);
        sawRoot = true;
        if (name.compare(QLatin1StringView("script"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1StringView("handler"), Qt::CaseInsensitive) == 0)
          return problem(SvgProblem::Kind::Script, QStringLiteral("<%1>").arg(name));
        inStyle = name == QLatin1StringView("style");
        const bool link = name == QLatin1StringView("a");
        for (const QXmlStreamAttribute& a : xml.attributes()) {
          const QStringView attribute = a.name();
          const QStringView value = a.value();
          if (startsWithCi(attribute, QLatin1StringView("on")))
            return problem(SvgProblem::Kind::Script, a.qualifiedName().toString());
          if (attribute == QLatin1StringView("href")) {
            if (startsWithCi(value.trimmed(), QLatin1StringView("javascript:")))
              return problem(SvgProblem::Kind::Script, value.toString());
            // A link is only followed when clicked, which a logo never is.
            if (!link && !isInternalReference(value)) return problem(SvgProblem::Kind::External, value.toString());
          }
          const QString url = externalUrl(value);
          if (!url.isEmpty()) return problem(SvgProblem::Kind::External, url);
        }
        break;
      }
      case QXmlStreamReader::EndElement:
        inStyle = false;
        break;
      case QXmlStreamReader::Characters:
        if (inStyle) {
          const QStringView text = xml.text();
          if (text.contains(QLatin1StringView("@import"), Qt::CaseInsensitive))
            return problem(SvgProblem::Kind::External, QStringLiteral("@import"));
          const QString url = externalUrl(text);
          if (!url.isEmpty()) return problem(SvgProblem::Kind::External, url);
        }
        break;
      default:
        break;
    }
  }
  if (xml.hasError() || !sawRoot) return problem(SvgProblem::Kind::NotSvg);
  return {};
}

QSize svgRenderSize(double width, double height) {
  if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0) return {};
  const double scale = std::min(kSvgAreaWidth / width, kSvgAreaHeight / height);
  const auto side = [](double v, int most) {
    return static_cast<int>(std::clamp(std::lround(v), 1L, static_cast<long>(most)));
  };
  if (!std::isfinite(scale)) return {};
  return {side(width * scale, kSvgAreaWidth), side(height * scale, kSvgAreaHeight)};
}

}  // namespace vx
