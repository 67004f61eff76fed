#pragma once
// A fast reader for the PNG files most pictures are: 8 bits per channel, RGB or RGBA, not
// interlaced, without a colour key. A camera photo of that kind decodes here in well under
// half the time Qt's reader takes: the pixel data is inflated in one piece with libdeflate
// and its row filters are undone straight into the picture's rows.
//
// It answers only when it is sure: any other kind of PNG, a chunk it does not know that
// could change the pixels, a checksum that does not match, or pixel data that does not
// inflate to exactly the rows the header declares give std::nullopt, and the caller hands
// the file to Qt's reader, whose answer (picture or error) then stands. When it answers,
// the picture holds the dots Qt's reader gives for the same file, in Format_RGB888 (RGB)
// or Format_RGBA8888 (RGBA, not premultiplied): the file's own bytes, nothing converted.
// Colour-space chunks (gAMA, sRGB, iCCP, cHRM) leave the dots as stored, as Qt's reader
// does. Safe on any bytes; thread-safe.

#include <QByteArray>
#include <QImage>
#include <optional>

namespace vx {

std::optional<QImage> decodeCommonPng(const QByteArray& bytes);

// The row filters are undone with the fastest instructions the processor has; with
// `baseline` true, only with those every x86-64 processor has (for tests of that path).
void usePngBaselineKernels(bool baseline);

}  // namespace vx
