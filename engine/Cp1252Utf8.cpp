#include "engine/Cp1252Utf8.h"

#include <array>
#include <cstring>

#include "engine/Cp1252.h"

namespace quilmo {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

struct TUtf8Form {
  unsigned char Length = 0;
  std::array<unsigned char, kMaxUtf8PerByte> Bytes{};
};

// The UTF-8 form of every byte of the code page (all of its characters are below U+10000).
std::array<TUtf8Form, 256> MakeUtf8Table() {
  std::array<TUtf8Form, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(b));
    TUtf8Form& form = table[static_cast<std::size_t>(b)];
    if (cp < 0x80) {
      form.Length = 1;
      form.Bytes[0] = static_cast<unsigned char>(cp);
    } else if (cp < 0x800) {
      form.Length = 2;
      form.Bytes[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
      form.Bytes[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    } else {
      form.Length = 3;
      form.Bytes[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
      form.Bytes[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
      form.Bytes[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
  }
  return table;
}

const std::array<TUtf8Form, 256> kUtf8 = MakeUtf8Table();

// Length of the sequence a lead byte starts and the range its second byte must lie in
// (narrower than 80..BF after E0, ED, F0 and F4, which excludes over-long forms, surrogates
// and code points above U+10FFFF); 0 for a byte that cannot start a sequence.
struct TLead {
  unsigned Length;
  unsigned char Low;
  unsigned char High;
};

TLead LeadOf(unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) return {2, 0x80, 0xBF};
  if (c == 0xE0) return {3, 0xA0, 0xBF};
  if (c == 0xED) return {3, 0x80, 0x9F};
  if (c >= 0xE1 && c <= 0xEF) return {3, 0x80, 0xBF};
  if (c == 0xF0) return {4, 0x90, 0xBF};
  if (c >= 0xF1 && c <= 0xF3) return {4, 0x80, 0xBF};
  if (c == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

TUtf8Decoded Utf8ToCp1252(char* data, std::size_t size) {
  auto* b = reinterpret_cast<unsigned char*>(data);
  TUtf8Decoded result;
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < size) {
    // Runs of ASCII, eight bytes at a time (read before written: out never passes in).
    while (size - in >= 8) {
      std::uint64_t word;
      std::memcpy(&word, b + in, 8);
      if ((word & kHighBits) != 0) break;
      std::memcpy(b + out, &word, 8);
      in += 8;
      out += 8;
    }
    if (in == size) break;
    const unsigned char c = b[in];
    if (c < 0x80) {
      b[out++] = c;
      ++in;
      continue;
    }
    const TLead lead = LeadOf(c);
    if (lead.Length == 0) {
      result.Invalid = true;
      break;
    }
    char32_t cp = c & (0x7Fu >> lead.Length);
    std::size_t k = 1;
    bool valid = true;
    for (; k < lead.Length && in + k < size; ++k) {
      const unsigned char t = b[in + k];
      if (t < (k == 1 ? lead.Low : 0x80) || t > (k == 1 ? lead.High : 0xBF)) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (t & 0x3Fu);
    }
    if (!valid) {
      result.Invalid = true;
      break;
    }
    if (k < lead.Length) break;  // cut off by the end of the buffer
    unsigned char byte = 0;
    if (!UnicodeToCp1252(cp, byte)) {
      byte = static_cast<unsigned char>(kUnmappableChar);
      ++result.Unmappable;
    }
    b[out++] = byte;
    in += lead.Length;
    ++result.MultiByte;
  }
  result.Written = out;
  result.Consumed = in;
  return result;
}

std::size_t Cp1252ToUtf8(const char* text, std::size_t size, char* out) {
  const auto* b = reinterpret_cast<const unsigned char*>(text);
  char* const start = out;
  std::size_t i = 0;
  while (i < size) {
    while (size - i >= 8) {
      std::uint64_t word;
      std::memcpy(&word, b + i, 8);
      if ((word & kHighBits) != 0) break;
      std::memcpy(out, &word, 8);
      i += 8;
      out += 8;
    }
    if (i == size) break;
    const TUtf8Form& form = kUtf8[b[i++]];
    std::memcpy(out, form.Bytes.data(), kMaxUtf8PerByte);  // the room is there; only Length counts
    out += form.Length;
  }
  return static_cast<std::size_t>(out - start);
}

}  // namespace quilmo
