#include "pictures.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cstdint>

// The pictures are compiled into whatever links this file. Naming the resource's
// initialiser keeps a static-library link from dropping it; it must be declared outside
// any namespace.
static void ensurePictureResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(pictures);
    return true;
  }();
  (void)registered;
}

namespace vx {
namespace {

using Glyph = std::array<std::uint8_t, 9>;

constexpr Glyph kGlyphA = {
    0b00011000,  // ...##...
    0b00111100,  // ..####..
    0b01100110,  // .##..##.
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11111111,  // ########
    0b11111111,  // ########
    0b11000011,  // ##....##
    0b11000011,  // ##....##
};

constexpr Glyph kGlyph0 = {
    0b00111100,  // ..####..
    0b01111110,  // .######.
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b01111110,  // .######.
    0b00111100,  // ..####..
};

}  // namespace

QImage loadPictureResource(const QString& path) {
  ensurePictureResources();
  QImageReader reader(path);
  QImage picture;
  if (!reader.read(&picture)) return QImage();
  return picture.convertToFormat(QImage::Format_RGB888);
}

// The stored pictures never change: each is decoded once per run and shared (QImage
// copies share their data).
QImage buttonPanelPicture() {
  static const QImage picture = loadPictureResource(QString::fromLatin1(kButtonPanelResource));
  return picture;
}

QImage pressedButtonPicture(int button) {
  if (button < 1 || button > 4) return QImage();
  static const std::array<QImage, 4> pictures = [] {
    std::array<QImage, 4> p;
    for (int b = 1; b <= 4; ++b)
      p[b - 1] = loadPictureResource(QStringLiteral(":/pictures/pressed_button%1.png").arg(b));
    return p;
  }();
  return pictures[button - 1];
}

QImage ticketPaperPicture() {
  QImage paper(kTicketPaperSize, QImage::Format_RGB888);
  paper.fill(QColor::fromRgb(kPaperColour));
  return paper;
}

QImage sampleTicketNumberPicture() {
  // Three 8 x 9 glyphs one pixel apart, with a one-pixel margin all round: 28 x 11.
  constexpr std::array<const Glyph*, 3> kText = {&kGlyphA, &kGlyph0, &kGlyph0};
  QImage picture(kSampleTicketNumberSize, QImage::Format_RGB888);
  picture.fill(QColor::fromRgb(kPaperColour));
  const QRgb ink = qRgb(0, 0, 0);
  for (int g = 0; g < static_cast<int>(kText.size()); ++g) {
    const int left = 1 + g * 9;
    for (int row = 0; row < 9; ++row) {
      for (int col = 0; col < 8; ++col) {
        if ((*kText[g])[row] & (0x80 >> col)) picture.setPixel(left + col, 1 + row, ink);
      }
    }
  }
  return picture;
}

QImage historyArrowPicture(bool redo, int side) {
  QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  if (redo) {
    painter.translate(side, 0);
    painter.scale(-1, 1);
  }
  painter.scale(side / 32.0, side / 32.0);
  const QColor ink(60, 60, 60);
  // The shaft: from the arrow head at the upper left, round to the right and down.
  QPainterPath shaft;
  shaft.moveTo(10, 12);
  shaft.lineTo(19, 12);
  shaft.cubicTo(31, 12, 31, 27, 19, 27);
  shaft.lineTo(13, 27);
  painter.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(shaft);
  QPainterPath head;
  head.moveTo(2, 12);
  head.lineTo(12, 4);
  head.lineTo(12, 20);
  head.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawPath(head);
  return picture;
}

}  // namespace vx
