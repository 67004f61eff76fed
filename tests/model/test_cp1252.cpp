#include "model/cp1252.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QString text = cp1252::decode(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(cp1252::encode(text), all);
}

TEST(Cp1252, PortugueseAndPunctuationAreSingleBytes) {
  EXPECT_EQ(cp1252::encode(QStringLiteral("Atenção é ç")), QByteArray("Aten\xe7\xe3o \xe9 \xe7"));
  EXPECT_EQ(cp1252::encode(QStringLiteral("€ “x” –")), QByteArray("\x80 \x93x\x94 \x96"));
  EXPECT_EQ(cp1252::decode(QByteArray("\x80\x9f")), QStringLiteral("€Ÿ"));
}

TEST(Cp1252, CharactersOutsideTheCodePageAreRefusedAndReplaced) {
  EXPECT_FALSE(cp1252::canEncode(QStringLiteral("日本")));
  EXPECT_FALSE(cp1252::canEncode(QStringLiteral("Ā")));  // U+0100, just above Latin-1
  EXPECT_TRUE(cp1252::canEncode(QStringLiteral("ÿ")));
  EXPECT_EQ(cp1252::encode(QStringLiteral("a日b")), QByteArray("a?b"));
}

}  // namespace
}  // namespace vx
