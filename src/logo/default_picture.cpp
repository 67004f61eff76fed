#include "logo/default_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <vector>

namespace vx {
namespace {

// Block letters on an 84 × 160 cell, stroke about 24 dots. Each letter is a list of
// polygons filled with the odd-even rule, so an inner polygon cuts a hole.
constexpr int kLetterWidth = 84;
constexpr int kLetterHeight = 160;
constexpr int kLetterGap = 16;
constexpr int kLetterTop = 44;
constexpr int kShadowOffset = 6;
constexpr int kShadowGrey = 150;  // survives the default threshold 127 as blank paper

using Outline = std::vector<QPolygon>;

Outline letter(char c) {
  switch (c) {
    case 'V':
      return {QPolygon({{0, 0}, {24, 0}, {42, 120}, {60, 0}, {84, 0}, {54, 160}, {30, 160}})};
    case 'O':
      return {QPolygon({{20, 0}, {64, 0}, {84, 20}, {84, 140}, {64, 160}, {20, 160}, {0, 140}, {0, 20}}),
              QPolygon({{24, 24}, {60, 24}, {60, 136}, {24, 136}})};
    case 'R':
      return {QPolygon({{0, 0}, {64, 0}, {84, 20}, {84, 72}, {64, 92}, {24, 92}, {24, 160}, {0, 160}}),
              QPolygon({{24, 24}, {60, 24}, {60, 68}, {24, 68}}),
              QPolygon({{36, 92}, {62, 92}, {84, 160}, {58, 160}})};  // the leg
    case 'L':
      return {QPolygon({{0, 0}, {24, 0}, {24, 136}, {84, 136}, {84, 160}, {0, 160}})};
    case 'A':
      return {QPolygon({{30, 0}, {54, 0}, {84, 160}, {60, 160}, {54, 126}, {30, 126}, {24, 160}, {0, 160}}),
              QPolygon({{42, 40}, {50, 102}, {34, 102}})};
    case 'N':
      return {QPolygon({{0, 0},
                        {24, 0},
                        {60, 100},
                        {60, 0},
                        {84, 0},
                        {84, 160},
                        {60, 160},
                        {24, 60},
                        {24, 160},
                        {0, 160}})};
    case 'D':
      return {QPolygon({{0, 0}, {56, 0}, {84, 28}, {84, 132}, {56, 160}, {0, 160}}),
              QPolygon({{24, 24}, {48, 24}, {60, 36}, {60, 124}, {48, 136}, {24, 136}})};
    case 'E':
      return {QPolygon({{0, 0},
                        {84, 0},
                        {84, 24},
                        {24, 24},
                        {24, 68},
                        {72, 68},
                        {72, 92},
                        {24, 92},
                        {24, 136},
                        {84, 136},
                        {84, 160},
                        {0, 160}})};
    case 'X':
      return {QPolygon({{0, 0}, {26, 0}, {84, 160}, {58, 160}}),
              QPolygon({{58, 0}, {84, 0}, {26, 160}, {0, 160}})};
    default:
      return {};
  }
}

void drawLetter(QPainter& painter, char c, QPoint origin, int grey) {
  const Outline outline = letter(c);
  // The two bars of X cross: fill them one by one so the crossing stays filled.
  if (c == 'X') {
    for (const QPolygon& bar : outline) {
      QPainterPath path;
      path.addPolygon(bar.translated(origin));
      path.closeSubpath();
      painter.fillPath(path, QColor(grey, grey, grey));
    }
    return;
  }
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const QPolygon& part : outline) {
    path.addPolygon(part.translated(origin));
    path.closeSubpath();
  }
  painter.fillPath(path, QColor(grey, grey, grey));
}

}  // namespace

QImage defaultLogoPicture() {
  QImage canvas(kDefaultPictureWidth, kDefaultPictureHeight, QImage::Format_RGB32);
  canvas.fill(qRgb(255, 255, 255));
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);

    // Frame: 8 dots wide, 10 dots in from the edges.
    const QColor black(0, 0, 0);
    painter.fillRect(10, 10, kDefaultPictureWidth - 20, 8, black);
    painter.fillRect(10, kDefaultPictureHeight - 18, kDefaultPictureWidth - 20, 8, black);
    painter.fillRect(10, 10, 8, kDefaultPictureHeight - 20, black);
    painter.fillRect(kDefaultPictureWidth - 18, 10, 8, kDefaultPictureHeight - 20, black);

    const char word[] = "VORLANDEX";
    const int letters = static_cast<int>(sizeof(word)) - 1;
    const int wordWidth = letters * kLetterWidth + (letters - 1) * kLetterGap;
    const int left = (kDefaultPictureWidth - wordWidth) / 2;
    for (int i = 0; i < letters; ++i) {
      const QPoint origin(left + i * (kLetterWidth + kLetterGap), kLetterTop);
      drawLetter(painter, word[i], origin + QPoint(kShadowOffset, kShadowOffset), kShadowGrey);
    }
    for (int i = 0; i < letters; ++i) {
      drawLetter(painter, word[i], QPoint(left + i * (kLetterWidth + kLetterGap), kLetterTop), 0);
    }

    // Sixteen swatches, grey 0, 17, ..., 255, under the word.
    constexpr int kSwatches = 16;
    constexpr int kSwatchWidth = 40;
    constexpr int kSwatchGap = 8;
    constexpr int kSwatchTop = kLetterTop + kLetterHeight + 22;
    constexpr int kSwatchHeight = 30;
    const int rowWidth = kSwatches * kSwatchWidth + (kSwatches - 1) * kSwatchGap;
    const int swatchLeft = (kDefaultPictureWidth - rowWidth) / 2;
    for (int i = 0; i < kSwatches; ++i) {
      const int grey = i * 17;
      painter.fillRect(swatchLeft + i * (kSwatchWidth + kSwatchGap), kSwatchTop, kSwatchWidth, kSwatchHeight,
                       QColor(grey, grey, grey));
    }
    // The white swatch gets a black outline so that it can be seen.
    const QRect white(swatchLeft + (kSwatches - 1) * (kSwatchWidth + kSwatchGap), kSwatchTop, kSwatchWidth,
                      kSwatchHeight);
    painter.fillRect(white.left() - 2, white.top() - 2, white.width() + 4, 2, black);
    painter.fillRect(white.left() - 2, white.bottom() + 1, white.width() + 4, 2, black);
    painter.fillRect(white.left() - 2, white.top(), 2, white.height(), black);
    painter.fillRect(white.right() + 1, white.top(), 2, white.height(), black);
  }

  // Only pure greys were painted, so a dot's red level is its palette index.
  QImage picture(kDefaultPictureWidth, kDefaultPictureHeight, QImage::Format_Indexed8);
  QList<QRgb> palette;
  for (int i = 0; i < 256; ++i) palette.append(qRgb(i, i, i));
  picture.setColorTable(palette);
  picture.setDotsPerMeterX(3780);  // 96 dots per inch
  picture.setDotsPerMeterY(3780);
  for (int y = 0; y < kDefaultPictureHeight; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    uchar* out = picture.scanLine(y);
    for (int x = 0; x < kDefaultPictureWidth; ++x) out[x] = static_cast<uchar>(qRed(in[x]));
  }
  return picture;
}

SourcePicture defaultSourcePicture() {
  // Drawn once per run; copies share the picture.
  static const QImage picture = defaultLogoPicture();
  return SourcePicture{picture, {}};
}

}  // namespace vx
