#pragma once
// Windows-1252, the printer's and the configuration file's code page.
// Every byte decodes to one character: the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control of the same number, so that
// any byte string survives a decode and an encode unchanged.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace vx::cp1252 {

QString decode(const QByteArray& bytes);
char16_t decodeByte(unsigned char byte);

// True when `c` has a Windows-1252 byte.
bool canEncode(QChar c);
bool canEncode(const QString& text);

// Encodes `text`; a character without a Windows-1252 byte becomes '?'.
QByteArray encode(const QString& text);

}  // namespace vx::cp1252
