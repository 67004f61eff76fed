#pragma once
// Pictures read from formats other than the Windows bitmap: transparency flattened onto
// white, and the compact Windows bitmap the save command writes for them (8 bits with a
// palette when the picture has at most 256 colours, 24 bits otherwise). The logo box draws
// a flattened picture and the bitmap written from it dot for dot alike, so a pair saved
// and opened again gives the same logo raster. Plain functions; any one thread at a time.

#include <QByteArray>
#include <QImage>

namespace vx {

// `image` with every transparent or partly transparent dot composited onto white
// (RGB 255, 255, 255), in a form the logo box draws as the compact bitmap will read back:
// 1-bit pictures become Indexed8 (the box lets black win only for 1-bit sources); a palette
// is made opaque and padded with black to 256 entries (indices beyond a short table draw
// black); opaque RGB32, ARGB32, RGB888 and Grayscale8 pictures are returned as they are
// (no copy); every other format becomes RGB32. A null image stays null.
QImage flattenOntoWhite(const QImage& image);

// A Windows bitmap file of flattenOntoWhite(image): 8 bits per dot with a palette of the
// colours it uses when there are at most 256 of them, else 24 bits. Empty for a null image
// or one too large for a bitmap file.
QByteArray encodeCompactBitmap(const QImage& image);

}  // namespace vx
