#pragma once
// SVG drawings as logo pictures. A drawing is checked before Qt SVG sees it: anything that
// would reach outside the file (a link to another file or address, an external entity or
// style sheet) or run code (scripts, event attributes) is refused, so nothing outside the
// file is ever read or fetched. A drawing that passes is rendered, antialiased, at the
// largest size that fits the working picture's area (800 × 400) with its own proportions,
// onto white. Needs a QGuiApplication (text is drawn with the system's fonts); call from the
// thread that owns it.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "logo/logo_box.h"

namespace vx {

// The area an SVG drawing is rendered into: that of a working picture.
inline constexpr int kSvgAreaWidth = kWorkingPictureWidth;
inline constexpr int kSvgAreaHeight = kWorkingPictureHeight;

// Whether `bytes` look like an SVG document (an XML document whose first element is
// <svg>), judged from its first bytes only.
bool looksLikeSvg(const QByteArray& bytes);

// Whether this build draws SVG at all (it needs Qt SVG, which the Windows build lacks).
// Without it every drawing is refused as Kind::Unsupported; the rest of this header still works.
bool svgDrawingsSupported();

// What is wrong with an SVG document, in the operator's words; empty when it may be drawn.
struct SvgProblem {
  enum class Kind { None, NotSvg, External, Script, NoSize, Unsupported };
  Kind kind = Kind::None;
  QString detail;  // the reference or element at fault, for the message
};
SvgProblem checkSvg(const QByteArray& bytes);

// The size a drawing of proportions `width` : `height` is rendered at: the largest that
// fits 800 × 400 keeping them, each side at least 1. Invalid for sides that are not
// positive finite numbers.
QSize svgRenderSize(double width, double height);

// Renders a document checkSvg() accepted, flattened onto white (RGB32). A null image when
// Qt SVG cannot read it, it has no usable size or this build draws no SVG; `problem` then says
// which.
QImage renderSvg(const QByteArray& bytes, SvgProblem* problem);

}  // namespace vx
