#pragma once
// Encodes a picture as a baseline JFIF file with libjpeg, without chroma subsampling so
// the digits' colour edges stay sharp. Same input, same bytes.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vx::art {

// Returns the JPEG file's bytes, or an empty array with `error` set when libjpeg fails.
QByteArray encodeJpeg(const QImage& picture, int quality, QString* error);

}  // namespace vx::art
