#pragma once
// The handbook's picture files: PNG without loss, the same bytes for the same picture on every
// run and computer with the same libraries (no time, gamma, colour profile or text chunks; a
// fixed resolution and compression). A picture of at most 256 colours is stored with a
// palette, in the order the colours first appear, which keeps window pictures small and sharp;
// a picture of more colours (the photo-like button panel) keeps every colour.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vx::handbook {

// The PNG bytes of `picture` as described above; empty when it cannot be encoded.
QByteArray encodePicture(const QImage& picture);

// Writes encodePicture(picture) to `path` (replacing it whole); throws std::runtime_error when
// it cannot be encoded or written.
void writePicture(const QString& path, const QImage& picture);

}  // namespace vx::handbook
