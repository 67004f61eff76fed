#pragma once
// The data of the logo block the logo upload sends (block code 0x00): one 53-byte record
// per raster row 0..H−1 (ESC 'J' 50, then the row's 400 dots as 50 bytes, 8 dots per
// byte, the leftmost dot in the least significant bit, 1 = black), then the 54-byte
// trailer ESC 'L' 10 50 and fifty zeros. Its length is 53 × H + 54.

#include <QByteArray>

#include "logo/logo_raster.h"

namespace vx {

inline constexpr int kLogoRowRecordBytes = 53;
inline constexpr int kLogoTrailerBytes = 54;

// 53 × H + 54, for H limited to 0..200.
int logoUploadLength(int height);

// The logo data for rows 0..H−1 of `raster` as it stands; H is limited to 0..200.
QByteArray logoUploadData(const LogoRaster& raster, int height);

}  // namespace vx
