#include "cp1252.h"

#include <array>

namespace vx::cp1252 {
namespace {

// 0x80..0x9F; the undefined bytes keep their own number as a C1 control.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int encodeChar(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return 0x80 + i;
  return -1;
}

}  // namespace

char16_t decodeByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

QString decode(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char b : bytes) out.append(QChar(decodeByte(static_cast<unsigned char>(b))));
  return out;
}

bool canEncode(QChar c) { return encodeChar(c.unicode()) >= 0; }

bool canEncode(const QString& text) {
  for (QChar c : text)
    if (!canEncode(c)) return false;
  return true;
}

QByteArray encode(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const int b = encodeChar(c.unicode());
    out.append(static_cast<char>(b < 0 ? '?' : b));
  }
  return out;
}

}  // namespace vx::cp1252
