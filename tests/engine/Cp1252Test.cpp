#include "engine/Cp1252.h"

#include <gtest/gtest.h>

namespace quilmo {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUnicode) {
  for (int b = 0; b < 256; ++b) {
    unsigned char back = 0;
    char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(b));
    ASSERT_TRUE(UnicodeToCp1252(cp, back)) << "byte " << b;
    EXPECT_EQ(back, b);
  }
}

TEST(Cp1252, HighRangeAndCharactersOutsideThePage) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');  // euro sign
  EXPECT_EQ(Cp1252ToUnicode(0x9C), U'\u0153');  // œ
  EXPECT_EQ(Cp1252ToUnicode(0xE9), U'\u00E9');  // é
  unsigned char b = 0;
  EXPECT_FALSE(UnicodeToCp1252(U'\u4E2D', b));
  EXPECT_FALSE(UnicodeToCp1252(U'\u0100', b));
}

TEST(Cp1252, UpperCasesFrenchLetters) {
  EXPECT_EQ(Cp1252Upper('a'), 'A');
  EXPECT_EQ(Cp1252Upper(0xE9), 0xC9);  // é -> É
  EXPECT_EQ(Cp1252Upper(0xE0), 0xC0);  // à -> À
  EXPECT_EQ(Cp1252Upper(0x9C), 0x8C);  // œ -> Œ
  EXPECT_EQ(Cp1252Upper(0xFF), 0x9F);  // ÿ -> Ÿ
  EXPECT_EQ(Cp1252Upper(0x9A), 0x8A);  // š -> Š
  EXPECT_EQ(Cp1252Upper(0xF7), 0xF7);  // ÷ has no case
  EXPECT_EQ(Cp1252Upper(0xDF), 0xDF);  // ß stays
  EXPECT_EQ(Cp1252Upper('1'), '1');
}

}  // namespace
}  // namespace quilmo
