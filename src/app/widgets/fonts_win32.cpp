// Windows would fit each letter of the window's font to whole pixels (GDI's full hinting), which
// widens a caption by a pixel every few letters and clips the longest in their fixed controls.
// Vertical hinting keeps the letters' own widths (Qt then draws with DirectWrite), as Linux's
// light hinting does, so every caption fits as it does there.
#include "app/widgets/fonts.h"

namespace vx {

void setWindowFontHinting(QFont& font) { font.setHintingPreference(QFont::PreferVerticalHinting); }

}  // namespace vx
