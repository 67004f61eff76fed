#pragma once
// Help for choosing the contrast: a threshold suggested from the picture's luminance
// histogram (Otsu's method), and the share of black dots of the logo raster, which tells
// how much of the ticket's logo area the head prints black (a mostly black logo prints
// slowly and wears the head). Plain functions; any thread.

#include <QImage>
#include <optional>

#include "logo/logo_raster.h"

namespace vx {

// The threshold (1..255) that separates `picture` (the source picture scaled to W × H, as
// the logo box shows it; any format) best into dark and light dots by Otsu's method on the
// luminance the threshold itself uses: a dot of luminance L falls in histogram level
// ceil(L), so the dots of levels <= T are exactly those that T turns black. Where several
// thresholds separate equally well (two grey levels a < b: every T from a to b − 1) the
// middle one is taken. None for a null picture or one with a single luminance level, which
// no threshold separates. A picture of more than 400 × 200 dots is first sampled down to at
// most that, by nearest neighbour.
std::optional<int> suggestThreshold(const QImage& picture);

// The share of black dots among the 400 × H dots of rows 0..H − 1 of `raster`, in whole
// percent: rounded to nearest, except that a raster with any black dot shows at least 1
// and one with any paper dot at most 99. 0 for H <= 0; H is limited to 200.
int blackDotPercent(const LogoRaster& raster, int height);

}  // namespace vx
