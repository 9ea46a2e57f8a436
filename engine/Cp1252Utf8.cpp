#include "engine/Cp1252Utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "engine/Cp1252.h"
#include "engine/Simd.h"

namespace quilmo {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

struct TUtf8Form {
  unsigned char Length = 0;
  std::array<unsigned char, kMaxUtf8PerByte> Bytes{};
};

// The UTF-8 form of every byte of the code page (all of its characters are below U+10000),
// or of a blank for the codes 1 to 8.
using TUtf8Table = std::array<TUtf8Form, 256>;
TUtf8Table MakeUtf8Table(TControlCodes controls) {
  TUtf8Table table{};
  for (int b = 0; b < 256; ++b) {
    const bool blank = controls == TControlCodes::ctBlank && b >= 1 && b <= 8;
    const char32_t cp = blank ? U' ' : Cp1252ToUnicode(static_cast<unsigned char>(b));
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

const TUtf8Table kUtf8 = MakeUtf8Table(TControlCodes::ctKeep);
const TUtf8Table kUtf8Blank = MakeUtf8Table(TControlCodes::ctBlank);

// The code page's byte of every character below U+2200 (all of its characters are), 0 for
// those it lacks (U+0000 is never asked for: it is ASCII).
std::array<unsigned char, 0x2200> MakeByteTable() {
  std::array<unsigned char, 0x2200> table{};
  for (int b = 1; b < 256; ++b)
    table[Cp1252ToUnicode(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
  return table;
}
const std::array<unsigned char, 0x2200> kByteOf = MakeByteTable();

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

// Where a conversion stands: the next byte read, the next byte written, the characters so far.
struct TCursor {
  std::size_t In = 0;
  std::size_t Out = 0;
  std::uint64_t MultiByte = 0;
  std::uint64_t Unmappable = 0;
};

// One character at the cursor: converted (Done), not UTF-8 (Invalid), or cut off by the end.
enum class TStep { Done, Invalid, CutOff };

inline TStep ConvertOne(unsigned char* b, std::size_t size, TCursor& at) {
  const unsigned char c = b[at.In];
  if (c < 0x80) {
    b[at.Out++] = c;
    ++at.In;
    return TStep::Done;
  }
  const TLead lead = LeadOf(c);
  if (lead.Length == 0) return TStep::Invalid;
  char32_t cp = c & (0x7Fu >> lead.Length);
  for (std::size_t k = 1; k < lead.Length; ++k) {
    if (at.In + k == size) return TStep::CutOff;
    const unsigned char t = b[at.In + k];
    if (t < (k == 1 ? lead.Low : 0x80) || t > (k == 1 ? lead.High : 0xBF)) return TStep::Invalid;
    cp = (cp << 6) | (t & 0x3Fu);
  }
  unsigned char byte = cp < kByteOf.size() ? kByteOf[cp] : 0;
  if (byte == 0) {
    byte = static_cast<unsigned char>(kUnmappableChar);
    ++at.Unmappable;
  }
  b[at.Out++] = byte;
  at.In += lead.Length;
  ++at.MultiByte;
  return TStep::Done;
}

// The whole conversion, with the common case sixteen bytes at a time: ASCII, and the
// two-byte characters of U+00A0 to U+00FF, which are their own code in the code page.
// Sixteen bytes are stored at once, even when fewer are kept, so the text must stay sixteen
// bytes behind the input, where everything has been read. Anything else goes one character
// at a time.
TStep ConvertSse2(unsigned char* b, std::size_t size, TCursor& at) {
  TCursor c = at;  // a copy: the stores through b could change it otherwise
  TStep step = TStep::Done;
  while (c.In < size && step == TStep::Done) {
#ifdef QUILMO_HAVE_SSE2
    while (size - c.In > 16 && c.In - c.Out >= 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + c.In));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(b + c.Out), v);
      const auto high = static_cast<unsigned>(_mm_movemask_epi8(v));
      if (high == 0) {
        c.In += 16;
        c.Out += 16;
        continue;
      }
      const auto ascii = static_cast<std::size_t>(std::countr_zero(high));
      c.In += ascii;
      c.Out += ascii;
      const unsigned char lead = b[c.In];
      const unsigned char t = b[c.In + 1];  // c.In + 1 < size: fewer than 16 were skipped
      if ((lead & 0xFE) != 0xC2 || (t & 0xC0) != 0x80 || (lead == 0xC2 && t < 0xA0)) break;
      b[c.Out++] = static_cast<unsigned char>((lead << 6) | (t & 0x3F));
      c.In += 2;
      ++c.MultiByte;
    }
#endif
    if (c.In < size) step = ConvertOne(b, size, c);
  }
  at = c;
  return step;
}

#ifdef QUILMO_HAVE_AVX2_DISPATCH
// Shuffle indexes that gather the kept bytes of a group of eight, for every set of removed
// bytes (bit i: byte i removed), as one 64-bit word; the unused places take nothing (an
// index with its top bit set gives zero). kGatherHigh: the same for the second eight bytes
// of a 16-byte lane.
using TGather = std::array<std::uint64_t, 256>;
TGather MakeGather(unsigned offset) {
  TGather table{};
  for (unsigned removed = 0; removed < 256; ++removed) {
    unsigned k = 0;
    std::uint64_t word = 0;
    for (unsigned i = 0; i < 8; ++i)
      if ((removed & (1u << i)) == 0) word |= std::uint64_t{i + offset} << (8 * k++);
    for (; k < 8; ++k) word |= std::uint64_t{0x80} << (8 * k);
    table[removed] = word;
  }
  return table;
}
const TGather kGatherLow = MakeGather(0);
const TGather kGatherHigh = MakeGather(8);

__attribute__((target("avx2"))) inline std::uint32_t Mask(__m256i x) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(x));
}

// Stores the eight bytes, of which those not removed are kept.
__attribute__((target("avx2,popcnt"))) inline void Store8(unsigned char* b, std::size_t& out, __m128i x,
                                                          std::uint32_t removed) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(b + out), x);
  out += 8 - static_cast<std::size_t>(std::popcount(removed & 0xFF));
}

// The same with the common case in groups of 32 bytes converted at once: each two-byte
// character's value is put in place of its first byte, then the second bytes are gathered
// out of every eight. A character may start in the last byte of a group and end in the
// first of the next; the next group is always 32 bytes on, so that no read waits for the one
// before. A group holding anything else is converted up to it.
__attribute__((target("avx2,popcnt"))) TStep ConvertAvx2(unsigned char* b, std::size_t size, TCursor& at) {
  const __m256i top2 = _mm256_set1_epi8(static_cast<char>(0xC0));
  const __m256i contBits = _mm256_set1_epi8(static_cast<char>(0x80));
  const __m256i lowBit = _mm256_set1_epi8(static_cast<char>(0xFE));
  const __m256i leadC2 = _mm256_set1_epi8(static_cast<char>(0xC2));
  const __m256i bit5 = _mm256_set1_epi8(0x20);
  const __m256i bit6 = _mm256_set1_epi8(0x40);
  TCursor c = at;  // a copy: the stores through b could change it otherwise
  TStep step = TStep::Done;
  while (c.In < size && step == TStep::Done) {
    std::uint32_t carry = 0;  // 1: the group starts with the second byte of a character already written
    while (size - c.In > 32) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + c.In));
      const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + c.In + 1));
      const __m256i isCont = _mm256_cmpeq_epi8(_mm256_and_si256(v, top2), contBits);
      const __m256i isLead = _mm256_andnot_si256(isCont, _mm256_cmpgt_epi8(_mm256_setzero_si256(), v));
      const __m256i isC2 = _mm256_cmpeq_epi8(v, leadC2);
      // A good lead: C2 or C3 followed by a second byte, A0 or more after C2 (80..9F are C1
      // controls).
      const __m256i good =
          _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi8(_mm256_and_si256(v, lowBit), leadC2),
                                            _mm256_cmpeq_epi8(_mm256_and_si256(next, top2), contBits)),
                           _mm256_or_si256(_mm256_xor_si256(isC2, _mm256_set1_epi8(-1)),
                                           _mm256_cmpeq_epi8(_mm256_and_si256(next, bit5), bit5)));
      const std::uint32_t cont = Mask(isCont);
      const std::uint32_t leads = Mask(isLead);
      // Every lead good and every second byte after a lead; before anything else the group
      // is cut, when the stores cannot reach what is left of it.
      const std::uint32_t bad = Mask(_mm256_andnot_si256(good, isLead)) | (cont & ~((leads << 1) | carry));
      std::uint32_t removed = cont;
      std::size_t used = 32;
      if (bad != 0) {
        if (c.In - c.Out < 8) break;
        used = static_cast<std::size_t>(std::countr_zero(bad));
        removed |= ~((std::uint32_t{1} << used) - 1);
      }
      // The code of a two-byte character: its second byte after C2, that byte + 0x40 after C3.
      const __m256i value = _mm256_or_si256(next, _mm256_andnot_si256(isC2, bit6));
      const __m256i merged = _mm256_blendv_epi8(v, value, isLead);
      const __m256i index = _mm256_setr_epi64x(static_cast<long long>(kGatherLow[removed & 0xFF]),
                                               static_cast<long long>(kGatherHigh[(removed >> 8) & 0xFF]),
                                               static_cast<long long>(kGatherLow[(removed >> 16) & 0xFF]),
                                               static_cast<long long>(kGatherHigh[removed >> 24]));
      const __m256i gathered = _mm256_shuffle_epi8(merged, index);
      const __m128i low = _mm256_castsi256_si128(gathered);
      const __m128i high = _mm256_extracti128_si256(gathered, 1);
      // The stores end at most 8 bytes after the last kept one: before the next group, or
      // before what is left of a group cut short, which lies at least 8 bytes further on.
      Store8(b, c.Out, low, removed);
      Store8(b, c.Out, _mm_unpackhi_epi64(low, low), removed >> 8);
      Store8(b, c.Out, high, removed >> 16);
      Store8(b, c.Out, _mm_unpackhi_epi64(high, high), removed >> 24);
      c.In += used;
      c.MultiByte += static_cast<std::uint64_t>(std::popcount(leads & ~removed));
      carry = used == 32 ? leads >> 31 : 0;
      if (used < 32) break;
    }
    c.In += carry;
    if (c.In < size) step = ConvertOne(b, size, c);
  }
  at = c;
  return step;
}
#endif

}  // namespace

TUtf8Decoded Utf8ToCp1252(char* data, std::size_t size) {
  auto* b = reinterpret_cast<unsigned char*>(data);
  TCursor at;
#ifdef QUILMO_HAVE_AVX2_DISPATCH
  const TStep step = HasAvx2() ? ConvertAvx2(b, size, at) : ConvertSse2(b, size, at);
#else
  const TStep step = ConvertSse2(b, size, at);
#endif
  TUtf8Decoded result;
  result.Written = at.Out;
  result.Consumed = at.In;
  result.MultiByte = at.MultiByte;
  result.Unmappable = at.Unmappable;
  result.Invalid = step == TStep::Invalid;
  return result;
}

namespace {

// One byte at a time: its UTF-8 form from the table; eight at a time while they need no
// change (ASCII, and with ctBlank none below 9).
std::size_t EncodeScalar(const unsigned char* b, std::size_t size, unsigned char* out,
                         TControlCodes controls) {
  const TUtf8Table& table = controls == TControlCodes::ctBlank ? kUtf8Blank : kUtf8;
  const std::uint64_t below = controls == TControlCodes::ctBlank ? 0x0909090909090909ull : 0;
  unsigned char* const start = out;
  std::size_t i = 0;
  while (i < size) {
    while (size - i >= 8) {
      std::uint64_t word;
      std::memcpy(&word, b + i, 8);
      if (((word | ((word - below) & ~word)) & kHighBits) != 0) break;
      std::memcpy(out, &word, 8);
      i += 8;
      out += 8;
    }
    if (i == size) break;
    const TUtf8Form& form = table[b[i++]];
    std::memcpy(out, form.Bytes.data(), kMaxUtf8PerByte);  // the room is there; only Length counts
    out += form.Length;
  }
  return static_cast<std::size_t>(out - start);
}

#ifdef QUILMO_HAVE_AVX2_DISPATCH
// Shuffle indexes that spread eight bytes into their UTF-8 forms, for every set of bytes from
// 128 up (bit k: byte k): the source holds the bytes (second bytes for those from 128 up) in
// places 0 to 7 and the first bytes in places 8 to 15; unused places take nothing.
using TSpread = std::array<std::array<unsigned char, 16>, 256>;
TSpread MakeSpread() {
  TSpread table{};
  for (unsigned high = 0; high < 256; ++high) {
    unsigned n = 0;
    for (unsigned k = 0; k < 8; ++k) {
      if ((high & (1u << k)) != 0) table[high][n++] = static_cast<unsigned char>(8 + k);
      table[high][n++] = static_cast<unsigned char>(k);
    }
    while (n < 16) table[high][n++] = 0x80;
  }
  return table;
}
const TSpread kSpread = MakeSpread();

__attribute__((target("avx2"))) inline __m128i Spread(unsigned high) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSpread[high].data()));
}

// Bytes of `high` below bit `count`.
inline unsigned HighBelow(unsigned high, unsigned count) {
  return static_cast<unsigned>(std::popcount(high & ((1u << count) - 1)));
}

// 32 bytes at a time, each eight spread into their UTF-8 forms by one shuffle: ASCII as it
// is, A0..FF as C2 or C3 and a second byte. A byte of 80..9F (two or three bytes, from the
// table) ends the group: what comes before it is kept, it goes alone. A store ends at most 16
// bytes after the output of the eight bytes before it, within the room of three bytes per
// byte.
__attribute__((target("avx2,popcnt"))) std::size_t EncodeAvx2(const unsigned char* b, std::size_t size,
                                                              unsigned char* out, TControlCodes controls) {
  // Codes above 0 and below `limit` become blanks: none with ctKeep.
  const __m256i limit = _mm256_set1_epi8(controls == TControlCodes::ctBlank ? 9 : 1);
  const __m256i blank = _mm256_set1_epi8(' ');
  const __m256i top3 = _mm256_set1_epi8(static_cast<char>(0xE0));
  const __m256i c1 = _mm256_set1_epi8(static_cast<char>(0x80));
  const __m256i lead = _mm256_set1_epi8(static_cast<char>(0xC0));
  const __m256i low2 = _mm256_set1_epi8(0x03);
  const __m256i low6 = _mm256_set1_epi8(0x3F);
  std::size_t i = 0;
  std::size_t o = 0;
  while (size - i >= 32) {
    const __m256i raw = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
    const __m256i x = _mm256_blendv_epi8(
        raw, blank,
        _mm256_and_si256(_mm256_cmpgt_epi8(raw, _mm256_setzero_si256()), _mm256_cmpgt_epi8(limit, raw)));
    const auto high = static_cast<std::uint32_t>(_mm256_movemask_epi8(x));
    const auto control =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_and_si256(x, top3), c1)));
    const __m256i second = _mm256_blendv_epi8(x, _mm256_or_si256(_mm256_and_si256(x, low6), c1), x);
    const __m256i first = _mm256_or_si256(lead, _mm256_and_si256(_mm256_srli_epi16(x, 6), low2));
    // Eight bytes and their first bytes side by side in each lane: bytes 0-7 and 16-23 in
    // `even`, 8-15 and 24-31 in `odd`.
    const __m256i even =
        _mm256_shuffle_epi8(_mm256_unpacklo_epi64(second, first),
                            _mm256_set_m128i(Spread((high >> 16) & 0xFF), Spread(high & 0xFF)));
    const __m256i odd = _mm256_shuffle_epi8(_mm256_unpackhi_epi64(second, first),
                                            _mm256_set_m128i(Spread(high >> 24), Spread((high >> 8) & 0xFF)));
    const __m128i groups[4] = {_mm256_castsi256_si128(even), _mm256_castsi256_si128(odd),
                               _mm256_extracti128_si256(even, 1), _mm256_extracti128_si256(odd, 1)};
    if (control == 0) {  // the next group's place is known before this one is read: no wait
      for (unsigned g = 0; g < 4; ++g) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), groups[g]);
        o += 8 + HighBelow((high >> (8 * g)) & 0xFF, 8);
      }
      i += 32;
      continue;
    }
    const auto used = static_cast<unsigned>(std::countr_zero(control));
    for (unsigned g = 0; g < 4 && 8 * g < used; ++g) {
      const unsigned count = std::min(8u, used - 8 * g);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), groups[g]);
      o += count + HighBelow((high >> (8 * g)) & 0xFF, count);
    }
    i += used;
    const TUtf8Form& form = kUtf8[b[i++]];
    std::memcpy(out + o, form.Bytes.data(), kMaxUtf8PerByte);
    o += form.Length;
  }
  return o + EncodeScalar(b + i, size - i, out + o, controls);
}
#endif

}  // namespace

std::size_t Cp1252ToUtf8(const char* text, std::size_t size, char* out, TControlCodes controls) {
  const auto* b = reinterpret_cast<const unsigned char*>(text);
  auto* o = reinterpret_cast<unsigned char*>(out);
#ifdef QUILMO_HAVE_AVX2_DISPATCH
  if (HasAvx2()) return EncodeAvx2(b, size, o, controls);
#endif
  return EncodeScalar(b, size, o, controls);
}

}  // namespace quilmo
