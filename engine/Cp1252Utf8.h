#pragma once
// Conversion between UTF-8 and the text's Windows-1252 bytes, for files kept in UTF-8.
//
// Only well-formed UTF-8 is accepted: no over-long forms, no surrogates, nothing above
// U+10FFFF. So a byte sequence converts to exactly one text and back to exactly the same bytes.

#include <cstddef>
#include <cstdint>

namespace quilmo {

// What the text holds in place of a character that Windows-1252 lacks.
inline constexpr char kUnmappableChar = '?';

struct TUtf8Decoded {
  std::size_t Written = 0;       // bytes of text at the start of the buffer
  std::size_t Consumed = 0;      // UTF-8 bytes converted
  std::uint64_t MultiByte = 0;   // multi-byte characters among them
  std::uint64_t Unmappable = 0;  // those outside Windows-1252, written as kUnmappableChar
  bool Invalid = false;          // stopped at a byte that cannot start or continue a character
};

// Converts UTF-8 to Windows-1252 in place (the text is never longer than its UTF-8 form).
// Stops at the first invalid sequence (Invalid, Consumed is its offset), or before a character
// cut off by the end of the buffer (Consumed < size, not Invalid), whose bytes are left for the
// next call.
TUtf8Decoded Utf8ToCp1252(char* data, std::size_t size);

// The most UTF-8 bytes one text byte becomes.
inline constexpr std::size_t kMaxUtf8PerByte = 3;

// What happens to the characters with codes 1 to 8 on the way.
enum class TControlCodes { ctKeep, ctBlank };

// Writes the UTF-8 form of the text bytes to out, which holds kMaxUtf8PerByte * size bytes;
// returns the number of bytes written. With ctBlank the codes 1 to 8 are written as blanks
// (as saving does, in the same pass).
std::size_t Cp1252ToUtf8(const char* text, std::size_t size, char* out,
                         TControlCodes controls = TControlCodes::ctKeep);

}  // namespace quilmo
