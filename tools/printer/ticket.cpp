#include "printer/ticket.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <cstdio>

#include "model/cp1252.h"

namespace vx::printer {

namespace {

constexpr int kMargin = 10;
constexpr int kLineHeight = 24;
constexpr int kTextPixels = 16;  // 40 characters of DejaVu Sans Mono fill the 400 dots
constexpr int kTicketWordHeight = 40;
constexpr int kNumberHeight = 84;
constexpr int kBottom = 16;

QFont ticketFont(int pixels, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans Mono"));
  f.setStyleHint(QFont::TypeWriter);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

std::vector<TextLine> linesOf(const std::optional<std::vector<std::uint8_t>>& block, bool header) {
  if (!block) return {};
  return header ? parseHeaderBlock(*block).lines : parseFooterBlock(*block).lines;
}

void drawLines(QPainter& p, const std::vector<TextLine>& lines, int& y) {
  for (const TextLine& line : lines) {
    p.save();
    p.setFont(ticketFont(kTextPixels, line.expanded));
    if (line.expanded) p.scale(2.0, 1.0);  // the printer's expanded mode doubles the width
    p.drawText(QPointF(0, y + kLineHeight - 6), line.text());
    p.restore();
    y += kLineHeight;
  }
}

void drawCentred(QPainter& p, const QString& text, int pixels, bool bold, int y, int height) {
  p.setFont(ticketFont(pixels, bold));
  p.drawText(QRect(0, y, kLogoWidth, height), Qt::AlignCenter, text);
}

}  // namespace

QString ticketLabel(const PrinterState& state, int button) {
  const ButtonState& b = state.buttons[button];
  QString number = QStringLiteral("%1").arg(b.first.value_or(0), 3, 10, QLatin1Char('0'));
  // A button without a letter of its own repeats the letter of the earlier button it
  // follows; following never leads forward, so this ends.
  int from = button;
  while (state.buttons[from].letter.value_or(0) == 0xFF) {
    const int link = state.buttons[from].link.value_or(from - 1);
    if (link == 6) return {};
    if (link + 1 >= from || link < 0) break;
    from = link + 1;
  }
  const std::uint8_t letter = state.buttons[from].letter.value_or(0);
  if (letter == 0x00 || letter == 0xFF) return number;
  // A printed letter takes the place of the first of the three digits, as the
  // configurator's range text shows it (7 with 'A' reads A07).
  return QChar(cp1252::decodeByte(letter)) + number.mid(1);
}

QImage renderTicket(const PrinterState& state, int button, const std::optional<QDateTime>& clock) {
  Logo logo;
  if (state.logo) logo = parseLogoBlock(*state.logo);
  const std::vector<TextLine> header = linesOf(state.buttons[button].header, true);
  const std::vector<TextLine> footer = linesOf(state.buttons[button].footer, false);

  const int logoRows = static_cast<int>(logo.rows.size());
  const int height = logoRows + kMargin + static_cast<int>(header.size()) * kLineHeight + kTicketWordHeight +
                     kNumberHeight + kLineHeight + static_cast<int>(footer.size()) * kLineHeight + kBottom;
  QImage image(kLogoWidth, height, QImage::Format_RGB32);
  image.fill(kPaperColour);
  for (int r = 0; r < logoRows; ++r)
    for (int x = 0; x < kLogoWidth; ++x)
      if (logo.dot(x, r)) image.setPixel(x, r, qRgb(0, 0, 0));

  QPainter p(&image);
  p.setPen(Qt::black);
  int y = logoRows + kMargin;
  drawLines(p, header, y);
  drawCentred(p, QStringLiteral("SENHA"), 28, true, y, kTicketWordHeight);
  y += kTicketWordHeight;
  const QString label = ticketLabel(state, button);
  drawCentred(p, label.isEmpty() ? QStringLiteral("INATIVO") : label, label.isEmpty() ? 36 : 72, true, y,
              kNumberHeight);
  y += kNumberHeight;
  const QString when = clock ? clock->toString(QStringLiteral("dd/MM/yyyy   HH:mm:ss"))
                             : QStringLiteral("--/--/----   --:--:--");
  drawCentred(p, when, kTextPixels, false, y, kLineHeight);
  y += kLineHeight;
  drawLines(p, footer, y);
  p.end();
  return image;
}

bool writeTickets(const PrinterState& state, const QString& dir, const std::optional<QDateTime>& clock) {
  if (!QDir().mkpath(dir)) return false;
  bool ok = true;
  for (int b = 1; b <= kPrinterButtons; ++b) {
    const QString path = QDir(dir).filePath(QStringLiteral("button%1.png").arg(b));
    const QString temporary = QDir(dir).filePath(QStringLiteral(".button%1.png.part").arg(b));
    if (!renderTicket(state, b, clock).save(temporary, "PNG") ||
        std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
      QFile::remove(temporary);
      ok = false;
    }
  }
  return ok;
}

}  // namespace vx::printer
