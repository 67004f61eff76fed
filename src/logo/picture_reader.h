#pragma once
// Reading a logo picture from any file the operator has: a Windows bitmap (read exactly as
// loadBitmapFile reads it, untouched: its own bytes, size and depth), or a PNG, JPEG, GIF or
// other picture Qt's readers read here, or an SVG drawing (see svg_picture.h). A picture from
// another format becomes, once, its working picture: at most kWorkingPictureWidth ×
// kWorkingPictureHeight dots, proportions kept, reduced by area averaging (a JPEG through
// its reader's scaled decoding) so that every source dot counts; one that fits stays dot
// for dot. Its transparency is flattened onto white; it has no file bytes and is saved as a
// compact bitmap (compact_bitmap.h). Every failure throws BitmapError with the operator's
// text; nothing is returned half-read. Needs a QGuiApplication for SVG; one thread at a
// time.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

#include "logo/source_picture.h"

namespace vx {

// The name suffixes of the pictures the reader takes, lower case without the dot, in the
// order the picture dialog lists them: bmp, png, jpg, jpeg, gif, svg (where this build draws
// SVG: svgDrawingsSupported()), then the other formats Qt reads here.
QStringList pictureFileSuffixes();

// The picture dialog's filter: "Imagens (*.bmp *.png ...)|*.bmp;*.png;...", then the
// bitmap filter "Bitmaps (*.bmp)|*.bmp".
QString pictureDialogFilter();

// The size a picture of `size` is brought to: `size` itself when it fits the working area,
// else the largest size inside it with the same proportions (sides rounded, at least 1).
QSize workingPictureSize(QSize size);

// Reads the picture file at `path`. A file whose content is a Windows bitmap, or whose
// content no reader recognises while its name ends in ".bmp", goes to loadBitmapFile and
// fails with its texts. Other formats are decoded straight from the file, which is never
// held whole in memory beside its picture. Otherwise the failures are
//   Cannot open file "<path>". <reason>   the file cannot be opened or read,
//   and the texts of decodeLogoPicture, or one saying that `path` is a folder.
SourcePicture loadLogoPicture(const QString& path);

// Decodes the bytes of a picture file; `path` only names it in messages. Bytes that start
// like a Windows bitmap go to decodeBitmap. Throws BitmapError for an empty file, content
// no reader here recognises, a damaged or truncated picture, declared sides or a dot count
// beyond the bitmap limits (kMaxBitmapSide, kMaxBitmapDots) or no size at all, and an SVG
// drawing that refers outside itself or holds scripts (or any SVG drawing, in a build that
// draws none).
SourcePicture decodeLogoPicture(const QByteArray& bytes, const QString& path);

}  // namespace vx
