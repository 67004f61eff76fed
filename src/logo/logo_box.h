#pragma once
// The logo box: the source picture scaled to exactly W × H by nearest neighbour on a white
// backdrop 400 dots wide. The screen (the picture over its backdrop) and the threshold (the logo
// raster) both use these functions, so what the operator sees is what gets thresholded.
//
// Sampling rule, the same on both axes: box index i of n takes source index
//     s = floor((i + 0.5) × src / n) = ((2i + 1) × src) div (2n),
// i.e. the source dot under the centre of the box pixel. Rows and columns are dropped or
// repeated, never averaged; proportions are not kept. A 1-bit source shrunk on an axis
// gathers, for each box pixel, every source dot whose centre falls on it, and the dot
// turns black (the darker of the two palette colours) when any of them is black. Palette
// indices beyond the colour table read as black; alpha is ignored (the colour is drawn
// as stored).

#include <QImage>

namespace vx {

inline constexpr int kLogoBoxWidth = 400;
inline constexpr int kLogoBoxMaxHeight = 200;

// Pictures of formats other than the Windows bitmap are brought, once, to at most twice the
// box's largest W × H each way: the box still has a source dot or more for each of its own,
// and a photo's millions of dots are averaged into them once instead of being kept whole.
inline constexpr int kWorkingPictureWidth = 2 * kLogoBoxWidth;
inline constexpr int kWorkingPictureHeight = 2 * kLogoBoxMaxHeight;

// The source index box index `i` (0 <= i < dst) takes from a source of `src` dots.
int nearestSourceIndex(int i, int dst, int src);

// Left edge of the scaled picture inside the box: (400 − W) div 2.
int logoPictureLeft(int width);

// The source picture scaled to W × H, RGB888; what the logo box shows. W is limited to
// 0..400 and H to 0..200; a null image when either is 0. A null source gives white.
QImage scaledPicture(const QImage& source, int width, int height);

// The logo box, 400 × H, RGB888: white, with the source picture scaled to W × H at
// (logoPictureLeft(W), 0). W is limited to 0..400 and H to 0..200; a null image for H = 0.
QImage renderLogoBox(const QImage& source, int width, int height);

}  // namespace vx
