#include "logo/logo_upload.h"

#include <algorithm>

namespace vx {
namespace {

constexpr char kEsc = 0x1B;
constexpr int kRasterBytes = kLogoRasterWidth / 8;  // 50

}  // namespace

int logoUploadLength(int height) {
  return kLogoRowRecordBytes * std::clamp(height, 0, kLogoRasterHeight) + kLogoTrailerBytes;
}

QByteArray logoUploadData(const LogoRaster& raster, int height) {
  height = std::clamp(height, 0, kLogoRasterHeight);
  QByteArray data;
  data.reserve(logoUploadLength(height));
  for (int y = 0; y < height; ++y) {
    data.append(kEsc);
    data.append('J');
    data.append(static_cast<char>(kRasterBytes));
    for (int k = 0; k < kRasterBytes; ++k) {
      unsigned byte = 0;
      for (int n = 0; n < 8; ++n) {
        if (raster.isBlack(8 * k + n, y)) byte |= 1u << n;
      }
      data.append(static_cast<char>(byte));
    }
  }
  data.append(kEsc);
  data.append('L');
  data.append(static_cast<char>(10));
  data.append(static_cast<char>(kRasterBytes));
  data.append(kRasterBytes, '\0');
  return data;
}

}  // namespace vx
