#include "app/widgets/fonts.h"

#include <QStringList>

namespace vx {

QFont windowFont() {
  QFont base(QStringLiteral("Liberation Sans"));
  base.setFamilies(
      QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  base.setStyleHint(QFont::SansSerif);
  base.setPointSize(8);
  setWindowFontHinting(base);
  return base;
}

QFont ticketFont(int pointSize, bool bold) {
  QFont f(QStringLiteral("Courier New"));
  f.setFamilies(QStringList{QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                 QStringLiteral("DejaVu Sans Mono")});
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSize(pointSize);
  f.setBold(bold);
  return f;
}

QFont ticketFontPixels(int pixelSize, bool bold) {
  QFont f = ticketFont(8, bold);
  f.setPixelSize(pixelSize);
  return f;
}

}  // namespace vx
