#include "panel_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <array>

#include "app/widgets/pictures.h"

namespace vx::art {
namespace {

// Drawn at this many times the final size and averaged down: smoother edges and
// gradients than painting antialiased at 1x.
constexpr int kOversample = 4;

// Caps are placed symmetrically about the panel's centre and well clear of the column
// split (x 138 | 139) and the row split (y 48 | 49), so that both splits run through
// plain panel background and each pressed button's glow stays inside its quadrant.
constexpr double kCapWidth = 112;
constexpr double kCapHeight = 32;
constexpr double kColumnCapLeft[2] = {14, 153};  // left column, right column
constexpr double kRowCapTop[2] = {9, 56};        // top row, bottom row
constexpr double kCapRadius = 8;
constexpr double kWellInset = -3;  // the recess around the cap, 3 px wider each side

const QColor kPanelTop(234, 236, 239);
const QColor kPanelBottom(212, 215, 220);
const QColor kPanelEdge(128, 134, 144);
const QColor kCapTop(88, 126, 188);
const QColor kCapBottom(38, 68, 122);
const QColor kCapPressedTop(26, 44, 84);
const QColor kCapPressedBottom(20, 36, 70);
const QColor kDigit(250, 251, 253);
const QColor kLit(255, 196, 64);  // amber: digit and ring of the pressed button
const QColor kLedOff(28, 40, 64);
const QColor kLedOn(110, 240, 120);

QRectF inflated(const QRectF& r, double by) { return r.adjusted(-by, -by, by, by); }

void drawPanel(QPainter& p) {
  const QRectF all(QPointF(0, 0), QSizeF(vx::kButtonPanelSize));
  QLinearGradient face(0, 0, 0, all.height());
  face.setColorAt(0, kPanelTop);
  face.setColorAt(1, kPanelBottom);
  p.fillRect(all, face);
  // A faint moulding just inside the edge, lit from above.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 170), 1));
  p.drawLine(QPointF(1, 1.5), QPointF(all.width() - 1, 1.5));
  p.drawLine(QPointF(1.5, 1), QPointF(1.5, all.height() - 1));
  p.setPen(QPen(QColor(0, 0, 0, 40), 1));
  p.drawLine(QPointF(1, all.height() - 1.5), QPointF(all.width() - 1, all.height() - 1.5));
  p.drawLine(QPointF(all.width() - 1.5, 1), QPointF(all.width() - 1.5, all.height() - 1));
  p.setPen(QPen(kPanelEdge, 1));
  p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

void drawWell(QPainter& p, const QRectF& cap) {
  const QRectF well = inflated(cap, -kWellInset);
  // Light catches the lower lip of the recess.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 190));
  p.drawRoundedRect(well.translated(0, 1), kCapRadius + 3, kCapRadius + 3);
  QLinearGradient g(0, well.top(), 0, well.bottom());
  g.setColorAt(0, QColor(118, 124, 134));
  g.setColorAt(1, QColor(176, 181, 189));
  p.setBrush(g);
  p.drawRoundedRect(well, kCapRadius + 3, kCapRadius + 3);
}

void drawLed(QPainter& p, const QRectF& cap, bool lit) {
  const QPointF c(cap.left() + 13, cap.center().y());
  p.setPen(Qt::NoPen);
  if (lit) {
    QRadialGradient glow(c, 6);
    glow.setColorAt(0, QColor(kLedOn.red(), kLedOn.green(), kLedOn.blue(), 150));
    glow.setColorAt(1, QColor(kLedOn.red(), kLedOn.green(), kLedOn.blue(), 0));
    p.setBrush(glow);
    p.drawEllipse(c, 6, 6);
    QRadialGradient led(c - QPointF(0.7, 0.7), 3);
    led.setColorAt(0, QColor(230, 255, 230));
    led.setColorAt(1, kLedOn);
    p.setBrush(led);
  } else {
    p.setBrush(kLedOff);
  }
  p.drawEllipse(c, 2.6, 2.6);
  if (!lit) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 60), 0.6));
    p.drawArc(QRectF(c.x() - 2.6, c.y() - 2.6, 5.2, 5.2), 200 * 16, 140 * 16);  // lower rim
  }
}

void drawDigit(QPainter& p, int digit, const QRectF& cap, bool pressed) {
  const QRectF box(cap.center().x() - 8, cap.top() + 6, 16, cap.height() - 12);
  const QPainterPath path = digitPath(digit, box);
  p.setBrush(Qt::NoBrush);
  if (pressed) {
    for (const auto& [width, alpha] : {std::pair{7.5, 40}, std::pair{5.5, 70}}) {
      p.setPen(QPen(QColor(kLit.red(), kLit.green(), kLit.blue(), alpha), width, Qt::SolidLine, Qt::RoundCap,
                    Qt::RoundJoin));
      p.drawPath(path);
    }
    p.setPen(QPen(kLit, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
  } else {
    // Embossed: a soft shadow under a white stroke.
    p.setPen(QPen(QColor(0, 0, 0, 90), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(0, 1));
    p.setPen(QPen(kDigit, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
  }
}

void drawButton(QPainter& p, int button, bool pressed) {
  const QRectF rest = buttonCapRect(button);
  drawWell(p, rest);
  if (pressed) {
    // The lit ring around the recess, glowing onto the panel.
    const QRectF ring = inflated(rest, -kWellInset);
    p.setBrush(Qt::NoBrush);
    for (const auto& [width, alpha] : {std::pair{4.5, 45}, std::pair{3.0, 90}, std::pair{1.6, 210}}) {
      p.setPen(QPen(QColor(kLit.red(), kLit.green(), kLit.blue(), alpha), width));
      p.drawRoundedRect(ring, kCapRadius + 3, kCapRadius + 3);
    }
  }
  // A pressed cap sits a pixel deeper in its recess.
  const QRectF cap = pressed ? rest.translated(0.5, 1) : rest;
  p.setPen(Qt::NoPen);
  if (!pressed) {
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(rest.translated(0, 1.5), kCapRadius, kCapRadius);
  }
  QLinearGradient body(0, cap.top(), 0, cap.bottom());
  body.setColorAt(0, pressed ? kCapPressedTop : kCapTop);
  body.setColorAt(1, pressed ? kCapPressedBottom : kCapBottom);
  p.setBrush(body);
  p.drawRoundedRect(cap, kCapRadius, kCapRadius);
  p.save();
  QPainterPath clip;
  clip.addRoundedRect(cap, kCapRadius, kCapRadius);
  p.setClipPath(clip);
  if (pressed) {
    // Inset: the recess shades the cap's upper and left edges.
    QLinearGradient top(0, cap.top(), 0, cap.top() + 6);
    top.setColorAt(0, QColor(0, 0, 0, 130));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(cap, top);
    QLinearGradient left(cap.left(), 0, cap.left() + 5, 0);
    left.setColorAt(0, QColor(0, 0, 0, 90));
    left.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(cap, left);
  } else {
    // Raised: a sheen on the upper half and a bright top edge.
    QLinearGradient sheen(0, cap.top(), 0, cap.center().y());
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(cap.left(), cap.top(), cap.width(), cap.height() / 2), sheen);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), kCapRadius - 0.5, kCapRadius - 0.5);
  }
  p.restore();
  drawLed(p, cap, pressed);
  drawDigit(p, button, cap, pressed);
}

QImage averagedDown(const QImage& big, QSize size) {
  return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QPainterPath digitPath(int digit, const QRectF& box) {
  // Designed on a 10 x 16 grid, y downwards; drawn with a round pen.
  QPainterPath d;
  switch (digit) {
    case 1:
      d.moveTo(2.4, 4.2);
      d.lineTo(6.2, 0.6);
      d.lineTo(6.2, 15.4);
      break;
    case 2:
      d.arcMoveTo(QRectF(1.2, 0.6, 7.8, 7.8), 160);
      d.arcTo(QRectF(1.2, 0.6, 7.8, 7.8), 160, -205);
      d.lineTo(1.0, 15.4);
      d.lineTo(9.4, 15.4);
      break;
    case 3:
      d.arcMoveTo(QRectF(1.6, 0.6, 7.0, 7.0), 150);
      d.arcTo(QRectF(1.6, 0.6, 7.0, 7.0), 150, -240);
      d.moveTo(3.6, 7.6);
      d.lineTo(5.1, 7.6);
      d.arcMoveTo(QRectF(1.1, 7.6, 8.0, 7.8), 90);
      d.arcTo(QRectF(1.1, 7.6, 8.0, 7.8), 90, -245);
      break;
    case 4:
      d.moveTo(7.0, 15.4);
      d.lineTo(7.0, 0.6);
      d.lineTo(0.8, 10.6);
      d.lineTo(9.6, 10.6);
      break;
    default:
      return d;
  }
  // Scale by height, centre the glyph's own extent in the box.
  const double scale = box.height() / 16.0;
  const QRectF extent = d.boundingRect();
  QTransform t;
  t.translate(box.center().x() - extent.center().x() * scale, box.top());
  t.scale(scale, scale);
  return t.map(d);
}

QRectF buttonCapRect(int button) {
  const int column = (button == 3 || button == 4) ? 1 : 0;
  const int row = (button == 2 || button == 4) ? 1 : 0;
  return QRectF(kColumnCapLeft[column], kRowCapTop[row], kCapWidth, kCapHeight);
}

QImage renderButtonPanel(int pressed) {
  const QSize size = vx::kButtonPanelSize;
  QImage big(size * kOversample, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::white);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kOversample, kOversample);
    drawPanel(p);
    for (int button = 1; button <= 4; ++button) drawButton(p, button, button == pressed);
  }
  return averagedDown(big, size).convertToFormat(QImage::Format_RGB888);
}

QImage renderWindowIcon() {
  constexpr int kSize = 64;
  QImage big(kSize * kOversample, kSize * kOversample, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kOversample, kOversample);

    // The ticket, coming out of the slot, with its text lines and number.
    const QRectF ticket(14, 3, 36, 34);
    QPainterPath paper;
    paper.moveTo(ticket.bottomLeft());
    paper.lineTo(ticket.left(), ticket.top() + 1.5);
    for (int i = 0; i < 12; ++i) {  // torn top edge
      paper.lineTo(ticket.left() + 1.5 + i * 3.0, ticket.top() + (i % 2 ? 1.5 : 0));
    }
    paper.lineTo(ticket.right(), ticket.top() + 1.5);
    paper.lineTo(ticket.bottomRight());
    paper.closeSubpath();
    p.setPen(QPen(QColor(120, 116, 80), 1));
    p.setBrush(QColor::fromRgb(vx::kPaperColour));
    p.drawPath(paper);
    p.setPen(QPen(QColor(90, 90, 80), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 8), QPointF(45, 8));
    p.drawLine(QPointF(21, 11.5), QPointF(43, 11.5));
    p.setPen(QPen(Qt::black, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(digitPath(1, QRectF(26, 15.5, 12, 11)));

    // The printer: a dark body with a paper slot and its four buttons.
    const QRectF body(4, 31, 56, 30);
    QLinearGradient shell(0, body.top(), 0, body.bottom());
    shell.setColorAt(0, QColor(96, 104, 118));
    shell.setColorAt(1, QColor(44, 50, 60));
    p.setPen(QPen(QColor(30, 34, 42), 1));
    p.setBrush(shell);
    p.drawRoundedRect(body, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 22, 28));
    p.drawRoundedRect(QRectF(11, 33, 42, 3), 1.5, 1.5);
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawRect(QRectF(8, 37.5, 48, 0.8));
    for (int button = 1; button <= 4; ++button) {
      const int column = (button == 3 || button == 4) ? 1 : 0;
      const int row = (button == 2 || button == 4) ? 1 : 0;
      const QRectF cap(11 + column * 22, 41 + row * 9, 20, 6.5);
      if (button == 1) {
        p.setBrush(QColor(kLit.red(), kLit.green(), kLit.blue(), 110));
        p.drawRoundedRect(inflated(cap, 1.5), 3.5, 3.5);
      }
      QLinearGradient g(0, cap.top(), 0, cap.bottom());
      g.setColorAt(0, button == 1 ? kCapPressedTop.lighter(160) : kCapTop.lighter(115));
      g.setColorAt(1, button == 1 ? kCapPressedBottom : kCapBottom);
      p.setBrush(g);
      p.drawRoundedRect(cap, 2.5, 2.5);
    }
  }
  return averagedDown(big, QSize(kSize, kSize));
}

}  // namespace vx::art
