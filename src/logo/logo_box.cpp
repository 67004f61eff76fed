#include "logo/logo_box.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vx {
namespace {

struct Span {
  int first = 0;
  int end = 0;  // one past the last
};

std::vector<int> sampleMap(int dst, int src) {
  std::vector<int> map(static_cast<size_t>(dst));
  for (int i = 0; i < dst; ++i) map[static_cast<size_t>(i)] = nearestSourceIndex(i, dst, src);
  return map;
}

// For each box index, the source indices a 1-bit picture gathers there: when shrinking,
// every source dot whose centre falls on the box pixel, ((2c + 1) × dst) div (2 × src);
// that set always holds the sampled dot. Otherwise just the sampled dot.
std::vector<Span> gatherMap(int dst, int src) {
  std::vector<Span> spans(static_cast<size_t>(dst));
  if (src <= dst) {
    for (int i = 0; i < dst; ++i) {
      const int s = nearestSourceIndex(i, dst, src);
      spans[static_cast<size_t>(i)] = {s, s + 1};
    }
    return spans;
  }
  int previous = -1;
  for (int c = 0; c < src; ++c) {
    const auto i = static_cast<int>((2 * std::int64_t{c} + 1) * dst / (2 * std::int64_t{src}));
    if (i != previous) spans[static_cast<size_t>(i)].first = c;
    spans[static_cast<size_t>(i)].end = c + 1;
    previous = i;
  }
  return spans;
}

inline void putRgb(uchar* out, QRgb c) {
  out[0] = static_cast<uchar>(qRed(c));
  out[1] = static_cast<uchar>(qGreen(c));
  out[2] = static_cast<uchar>(qBlue(c));
}

int weight(QRgb c) { return 30 * qRed(c) + 59 * qGreen(c) + 11 * qBlue(c); }

// The palette as 256 opaque colours; entries the table lacks are black.
std::array<QRgb, 256> fullPalette(const QImage& source) {
  std::array<QRgb, 256> palette;
  palette.fill(qRgb(0, 0, 0));
  const QList<QRgb> table = source.colorTable();
  for (int i = 0; i < std::min<int>(256, static_cast<int>(table.size())); ++i)
    palette[i] = table[i] | 0xFF000000u;
  return palette;
}

void drawMono(const QImage& source, int width, int height, QImage& box, int left) {
  const std::array<QRgb, 256> palette = fullPalette(source);
  const bool lsb = source.format() == QImage::Format_MonoLSB;
  auto bit = [lsb](const uchar* row, int x) -> int {
    return lsb ? (row[x >> 3] >> (x & 7)) & 1 : (row[x >> 3] >> (7 - (x & 7))) & 1;
  };
  const int sw = source.width();
  const int sh = source.height();
  int dark = -1;
  if (weight(palette[0]) < weight(palette[1])) dark = 0;
  if (weight(palette[1]) < weight(palette[0])) dark = 1;

  if (dark < 0 || (sw <= width && sh <= height)) {
    const std::vector<int> cols = sampleMap(width, sw);
    const std::vector<int> rows = sampleMap(height, sh);
    for (int y = 0; y < height; ++y) {
      const uchar* in = source.constScanLine(rows[static_cast<size_t>(y)]);
      uchar* out = box.scanLine(y) + 3 * left;
      for (int x = 0; x < width; ++x) putRgb(out + 3 * x, palette[bit(in, cols[static_cast<size_t>(x)])]);
    }
    return;
  }

  // Black wins: OR the gathered rows together as "dark" bits, then look for a dark bit in
  // each box pixel's columns.
  const std::vector<Span> cols = gatherMap(width, sw);
  const std::vector<Span> rows = gatherMap(height, sh);
  const int rowBytes = (sw + 7) / 8;
  std::vector<uchar> darkBits(static_cast<size_t>(rowBytes));
  const uchar invert = dark == 1 ? 0x00 : 0xFF;
  for (int y = 0; y < height; ++y) {
    std::fill(darkBits.begin(), darkBits.end(), 0);
    const Span rs = rows[static_cast<size_t>(y)];
    for (int r = rs.first; r < rs.end; ++r) {
      const uchar* in = source.constScanLine(r);
      for (int k = 0; k < rowBytes; ++k) darkBits[static_cast<size_t>(k)] |= in[k] ^ invert;
    }
    uchar* out = box.scanLine(y) + 3 * left;
    for (int x = 0; x < width; ++x) {
      const Span cs = cols[static_cast<size_t>(x)];
      bool black = false;
      for (int c = cs.first; c < cs.end && !black; ++c) black = bit(darkBits.data(), c) != 0;
      putRgb(out + 3 * x, palette[black ? dark : 1 - dark]);
    }
  }
}

// Draws `source` scaled to width × height into the RGB888 `box` at (left, 0).
void drawScaled(const QImage& source, int width, int height, QImage& box, int left) {
  if (source.isNull() || width <= 0 || height <= 0) return;
  switch (source.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      drawMono(source, width, height, box, left);
      return;
    case QImage::Format_Indexed8:
    case QImage::Format_RGB888:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      break;
    default:
      drawScaled(
          source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32),
          width, height, box, left);
      return;
  }
  const std::vector<int> cols = sampleMap(width, source.width());
  const std::vector<int> rows = sampleMap(height, source.height());
  const QImage::Format format = source.format();
  const std::array<QRgb, 256> palette = fullPalette(source);
  for (int y = 0; y < height; ++y) {
    const uchar* in = source.constScanLine(rows[static_cast<size_t>(y)]);
    uchar* out = box.scanLine(y) + 3 * left;
    if (format == QImage::Format_Indexed8) {
      for (int x = 0; x < width; ++x) putRgb(out + 3 * x, palette[in[cols[static_cast<size_t>(x)]]]);
    } else if (format == QImage::Format_RGB888) {
      for (int x = 0; x < width; ++x) std::memcpy(out + 3 * x, in + 3 * cols[static_cast<size_t>(x)], 3);
    } else {
      const auto* px = reinterpret_cast<const QRgb*>(in);
      for (int x = 0; x < width; ++x) putRgb(out + 3 * x, px[cols[static_cast<size_t>(x)]]);
    }
  }
}

QImage whiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  image.fill(Qt::white);
  return image;
}

}  // namespace

int nearestSourceIndex(int i, int dst, int src) {
  return static_cast<int>((2 * std::int64_t{i} + 1) * src / (2 * std::int64_t{dst}));
}

int logoPictureLeft(int width) { return (kLogoBoxWidth - width) / 2; }

QImage scaledPicture(const QImage& source, int width, int height) {
  width = std::clamp(width, 0, kLogoBoxWidth);
  height = std::clamp(height, 0, kLogoBoxMaxHeight);
  if (width == 0 || height == 0) return {};
  QImage picture = whiteImage(width, height);
  drawScaled(source, width, height, picture, 0);
  return picture;
}

QImage renderLogoBox(const QImage& source, int width, int height) {
  width = std::clamp(width, 0, kLogoBoxWidth);
  height = std::clamp(height, 0, kLogoBoxMaxHeight);
  if (height == 0) return {};
  QImage box = whiteImage(kLogoBoxWidth, height);
  drawScaled(source, width, height, box, logoPictureLeft(width));
  return box;
}

}  // namespace vx
