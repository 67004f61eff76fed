// Linux hints the window's font as the desktop's font configuration says (fontconfig): its
// captions were measured that way.
#include "app/widgets/fonts.h"

namespace vx {

void setWindowFontHinting(QFont&) {}

}  // namespace vx
