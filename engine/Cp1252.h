#pragma once
// The 8-bit character set of the text: Windows-1252, the French Windows code page.
// The engine never decodes text; these tables serve the toolkit boundary and the
// case-insensitive search.

#include <cstdint>

namespace quilmo {

// Unicode code point of a byte. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value.
char32_t Cp1252ToUnicode(unsigned char byte);

// Byte of a code point; false when the character is outside the code page.
bool UnicodeToCp1252(char32_t codePoint, unsigned char& byte);

// Upper case of a byte within the code page (e->E, é->É, œ->Œ, ÿ->Ÿ, š->Š, ž->Ž);
// bytes without an upper case in the code page (ß, µ) are returned unchanged.
unsigned char Cp1252Upper(unsigned char byte);

}  // namespace quilmo
