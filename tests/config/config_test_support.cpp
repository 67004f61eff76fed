#include "config_test_support.h"

#include <QList>

namespace vx {

ConfigModel startupModel() {
  ConfigModel m;
  for (int b = 1; b <= kButtons; ++b) {
    m.lineText[1][b] = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");
    m.lineEnabled[1][b] = true;
    for (int l = 2; l <= kLines; ++l) m.lineText[l][b] = QStringLiteral("Linha %1").arg(l);
  }
  applyNumberingDefaults(m);
  return m;
}

QList<QByteArray> fileLines(const QByteArray& crlf_text) {
  QList<QByteArray> lines = crlf_text.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QByteArray& l : lines)
    if (l.endsWith('\r')) l.chop(1);
  lines.prepend(QByteArray());
  return lines;
}

QByteArray joinCrLf(const QList<QByteArray>& lines_from_1) {
  QByteArray out;
  for (qsizetype i = 1; i < lines_from_1.size(); ++i) out += lines_from_1[i] + "\r\n";
  return out;
}

void PrintTo(const ButtonSettings& s, std::ostream* os) {
  *os << "{sameAsButton " << int(s.sameAsButton) << ", printLetter " << s.printLetter << ", firstNumber "
      << s.firstNumber << ", lastNumber " << s.lastNumber << ", letter " << int(s.letter) << ", lines [";
  for (int l = 1; l <= kLines; ++l)
    *os << (l > 1 ? " | " : "") << '"' << s.lineText[l].toStdString() << "\" " << s.lineEnabled[l]
        << s.lineExpanded[l];
  *os << "]}";
}

void PrintTo(const GlobalSettings& g, std::ostream* os) {
  *os << "{porta " << g.port_index << ", H " << g.logo_height << ", W " << g.logo_width << ", T "
      << g.threshold << ", logo " << g.print_logo << ", zerar " << g.reset_at_day_end << ", bip " << g.beep
      << ", parcial " << g.partial_cut << ", total " << g.total_cut << "}";
}

void PrintTo(const ConfigFileContents& c, std::ostream* os) {
  for (int b = 1; b <= kButtons; ++b) {
    *os << "\n  botão " << b << ": ";
    PrintTo(c.buttons[b], os);
  }
  *os << "\n  globais: ";
  PrintTo(c.globals, os);
}

}  // namespace vx

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QByteArray& b, std::ostream* os) {
  static const char kHex[] = "0123456789ABCDEF";
  *os << '"';
  for (char c : b) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && u != '\\') {
      *os << c;
    } else {
      *os << "\\x" << kHex[u >> 4] << kHex[u & 15];
    }
  }
  *os << '"';
}
QT_END_NAMESPACE
