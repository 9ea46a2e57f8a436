#include "engine/Cp1252.h"

#include <array>

namespace quilmo {
namespace {

// 0x80..0x9F, the only range where Windows-1252 differs from Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<unsigned char, 256> MakeUpperTable() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  for (int b = 'a'; b <= 'z'; ++b) table[b] = static_cast<unsigned char>(b - 32);
  // à..þ -> À..Þ, except ÷ (0xF7), which has no case.
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7) table[b] = static_cast<unsigned char>(b - 32);
  table[0x9A] = 0x8A;  // š -> Š
  table[0x9C] = 0x8C;  // œ -> Œ
  table[0x9E] = 0x8E;  // ž -> Ž
  table[0xFF] = 0x9F;  // ÿ -> Ÿ
  return table;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

bool UnicodeToCp1252(char32_t codePoint, unsigned char& byte) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    byte = static_cast<unsigned char>(codePoint);
    return true;
  }
  for (unsigned i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) {
      byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

unsigned char Cp1252Upper(unsigned char byte) {
  return kUpper[byte];
}

}  // namespace quilmo
