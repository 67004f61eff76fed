#pragma once
// The ticket preview's vertical layout, without a window: where the paper, the enabled ticket
// lines, "SENHA", the sample number and the date go for the lines that are on and the logo
// height. All values are window y coordinates in pixels.

#include "model/config_model.h"

#include <QString>
#include <array>
#include <optional>

namespace vx {

// Top of the logo raster in the preview; the paper starts below its visible part.
inline constexpr int kPreviewLogoTop = 164;

// The clock's time format from a locale's long time format (QLocale::timeFormat): the clock
// shows local time, so the time-zone field goes, with the brackets and space around it
// ("H:mm:ss (t)" → "H:mm:ss", "h:mm:ss AP t" → "h:mm:ss AP").
QString clockTimeFormat(const QString& longTimeFormat);

// The logo's height in the preview for a height of `dots` printer dots: the preview shows the
// 400-dot logo 289 pixels wide, so dots × 0.7225, to the nearest integer, ties to the even one.
int previewLogoHeight(int dots);

struct PreviewLayout {
  int paperTop = 0;  // the paper under the logo
  int paperHeight = 0;
  // Tops of the preview lines 1..8 (element 0 unused); a line that is off keeps its old top.
  std::array<std::optional<int>, kLines + 1> lineTop{};
  int ticketWordTop = 0;  // "SENHA"
  int numberTop = 0;      // the sample ticket number
  int dateTop = 0;        // the running date and time
  bool operator==(const PreviewLayout&) const = default;
};

// `lineOn[l]`: line l's "Habilitar linha" is ticked (element 0 unused); `logoHeight`: the logo
// height in printer dots.
PreviewLayout previewLayout(const std::array<bool, kLines + 1>& lineOn, int logoHeight);

// A ticket line holds 40 characters, 20 when it is printed expanded.
constexpr int lineLimit(bool expanded) { return expanded ? 20 : 40; }

}  // namespace vx
