#pragma once
// Reading a logo picture from any file the operator has: a Windows bitmap (read exactly as
// loadBitmapFile reads it, file bytes kept), or a PNG, JPEG, GIF or other picture Qt reads
// here (the common PNG files through the program's own fast reader, png_decoder.h), or an
// SVG drawing (see svg_picture.h). A picture from another format becomes a
// source picture without file bytes, its transparency flattened onto white, saved as a
// compact bitmap (compact_bitmap.h). Every failure throws BitmapError with the operator's
// text; nothing is returned half-read. Needs a QGuiApplication for SVG; one thread at a
// time.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "logo/source_picture.h"

namespace vx {

// The name suffixes of the pictures the reader takes, lower case without the dot, in the
// order the picture dialog lists them: bmp, png, jpg, jpeg, gif, svg, then the other
// formats Qt reads here.
QStringList pictureFileSuffixes();

// The picture dialog's filter: "Imagens (*.bmp *.png ...)|*.bmp;*.png;...", then the
// bitmap filter "Bitmaps (*.bmp)|*.bmp".
QString pictureDialogFilter();

// Reads the picture file at `path`. A file whose content is a Windows bitmap, or whose
// content no reader recognises while its name ends in ".bmp", goes to loadBitmapFile and
// fails with its texts. Otherwise the failures are
//   Cannot open file "<path>". <reason>   the file cannot be opened or read,
//   and the texts of decodeLogoPicture, or one saying that `path` is a folder.
SourcePicture loadLogoPicture(const QString& path);

// Decodes the bytes of a picture file; `path` only names it in messages. Bytes that start
// like a Windows bitmap go to decodeBitmap. Throws BitmapError for an empty file, content
// no reader here recognises, a damaged or truncated picture, declared sides or a dot count
// beyond the bitmap limits (kMaxBitmapSide, kMaxBitmapDots) or no size at all, and an SVG
// drawing that refers outside itself or holds scripts.
SourcePicture decodeLogoPicture(const QByteArray& bytes, const QString& path);

}  // namespace vx
