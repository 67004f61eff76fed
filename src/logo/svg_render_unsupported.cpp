// A build without Qt SVG (the Windows build: Qt SVG is not available for it here) draws no SVG:
// the picture reader refuses a drawing with a message saying that this version cannot open it.

#include "logo/svg_picture.h"

namespace vx {

bool svgDrawingsSupported() { return false; }

QImage renderSvg(const QByteArray&, SvgProblem* problemOut) {
  if (problemOut) *problemOut = SvgProblem{SvgProblem::Kind::Unsupported, {}};
  return {};
}

}  // namespace vx
