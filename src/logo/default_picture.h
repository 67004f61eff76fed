#pragma once
// The logo picture the window starts with: 987 × 298 dots, 8 bits per dot with a
// 256-entry grey palette (entry i is grey level i). It shows the word VORLANDEX in block
// letters with a grey drop shadow, a frame and a row of sixteen grey swatches from black
// to white, so that the contrast control visibly changes the logo. Drawn from polygons
// without fonts or antialiasing, so it is the same on every machine.

#include <QImage>

#include "logo/source_picture.h"

namespace vx {

inline constexpr int kDefaultPictureWidth = 987;
inline constexpr int kDefaultPictureHeight = 298;

// A new copy of the default picture (Format_Indexed8).
QImage defaultLogoPicture();

// The default picture as the source picture: no file bytes, so saving encodes it as an
// 8-bit bitmap.
SourcePicture defaultSourcePicture();

}  // namespace vx
