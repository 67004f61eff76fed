#pragma once
// The fonts of the ticket preview: a fixed-pitch face like the printer's.

#include <QFont>

namespace vx {

QFont ticketFont(int pointSize, bool bold);
QFont ticketFontPixels(int pixelSize, bool bold);

}  // namespace vx
