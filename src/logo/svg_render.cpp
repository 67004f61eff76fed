// SVG drawings rendered with Qt SVG (builds with VORLANDEX_SVG; svg_render_unsupported.cpp
// stands in without it).

#include <QPainter>
#include <QSvgRenderer>

#include "logo/compact_bitmap.h"
#include "logo/svg_picture.h"

namespace vx {

bool svgDrawingsSupported() { return true; }

QImage renderSvg(const QByteArray& bytes, SvgProblem* problemOut) {
  auto fail = [problemOut](SvgProblem::Kind kind) {
    if (problemOut) *problemOut = SvgProblem{kind, {}};
    return QImage();
  };
  QSvgRenderer renderer;
  if (!renderer.load(bytes) || !renderer.isValid()) return fail(SvgProblem::Kind::NotSvg);
  const QRectF box = renderer.viewBoxF();
  const QSize size = svgRenderSize(box.width(), box.height());
  if (!size.isValid()) return fail(SvgProblem::Kind::NoSize);

  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  if (problemOut) *problemOut = {};
  return flattenOntoWhite(image);
}

}  // namespace vx
