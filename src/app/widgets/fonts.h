#pragma once
// The window's font, and the fonts of the ticket preview: a fixed-pitch face like the printer's.

#include <QFont>

namespace vx {

// The window's own font: Arial's measures (Liberation Sans where Arial is missing) at 8 points,
// which its fixed layout was made for.
QFont windowFont();
// How the platform hints the window's font (fonts_posix.cpp, fonts_win32.cpp).
void setWindowFontHinting(QFont& font);

QFont ticketFont(int pointSize, bool bold);
QFont ticketFontPixels(int pixelSize, bool bold);

}  // namespace vx
