#pragma once
// A search pattern prepared for Boyer-Moore-Horspool scans over one run of text.
//
// Case-sensitive patterns are matched byte for byte; a single character is found with a
// plain left-to-right scan. Case-insensitive patterns are upper-cased once with the
// Windows-1252 table, and every text character is upper-cased the same way while it is
// compared or used as a skip index, so the text is never copied.

#include <array>
#include <cstdint>
#include <string_view>

namespace quilmo {

// Patterns and replacements are cut to this many characters.
inline constexpr std::size_t kMaxSearchLength = 255;

// Windows-1252 upper case of every byte, as a table for the scan loops.
const std::array<unsigned char, 256>& SearchUpperTable();

class TSearchPattern {
 public:
  // `pattern` is cut to kMaxSearchLength characters. `backward` prepares FindLast instead of Find.
  TSearchPattern(std::string_view pattern, bool matchCase, bool backward = false);

  std::int32_t Length() const { return length_; }
  bool MatchCase() const { return matchCase_; }
  bool Backward() const { return backward_; }
  // The pattern as matched (upper-cased when case-insensitive).
  std::string_view Text() const {
    return std::string_view(reinterpret_cast<const char*>(pattern_.data()),
                            static_cast<std::size_t>(length_));
  }
  // Forward skip table: every entry is the length n; then for each pattern character at index i
  // from 0 to n - 2, the entry of that character is n - 1 - i (later ones overwrite earlier ones).
  // For a backward pattern it is the mirror table used by FindLast.
  const std::array<std::uint8_t, 256>& SkipTable() const { return skip_; }

  // Offset of the first occurrence within text[0, length), or -1. Needs a forward pattern.
  std::int32_t Find(const char* text, std::int32_t length) const;
  // Offset of the last occurrence lying wholly within text[0, length), or -1. Needs a
  // backward pattern. Overlapping occurrences count: the last start wins.
  std::int32_t FindLast(const char* text, std::int32_t length) const;

 private:
  // Fold: compare the text upper-cased (a case-insensitive pattern).
  template <bool Fold>
  std::int32_t ScanForward(const unsigned char* text, std::int32_t length) const;
  template <bool Fold>
  std::int32_t ScanBackward(const unsigned char* text, std::int32_t length) const;

  std::array<unsigned char, kMaxSearchLength> pattern_{};
  std::array<std::uint8_t, 256> skip_{};
  // The skip table indexed by the raw text byte (upper-casing folded in), with 0 for every byte
  // that matches the pattern's end character: the scan's inner loop then only skips.
  std::array<std::uint8_t, 256> rawSkip_{};
  std::int32_t length_ = 0;
  bool matchCase_ = true;
  bool backward_ = false;
};

}  // namespace quilmo
