#include "engine/SearchPattern.h"

#include <cstring>

#include "engine/Cp1252.h"

namespace quilmo {

const std::array<unsigned char, 256>& SearchUpperTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = Cp1252Upper(static_cast<unsigned char>(b));
    return t;
  }();
  return table;
}

TSearchPattern::TSearchPattern(std::string_view pattern, bool matchCase, bool backward)
    : matchCase_(matchCase), backward_(backward) {
  if (pattern.size() > kMaxSearchLength) pattern = pattern.substr(0, kMaxSearchLength);
  length_ = static_cast<std::int32_t>(pattern.size());
  const auto& upper = SearchUpperTable();
  for (std::int32_t i = 0; i < length_; ++i) {
    const auto c = static_cast<unsigned char>(pattern[static_cast<std::size_t>(i)]);
    pattern_[static_cast<std::size_t>(i)] = matchCase ? c : upper[c];
  }
  const auto n = static_cast<std::uint8_t>(length_);
  skip_.fill(n);
  if (!backward) {
    for (std::int32_t i = 0; i + 1 < length_; ++i)
      skip_[pattern_[static_cast<std::size_t>(i)]] = static_cast<std::uint8_t>(length_ - 1 - i);
  } else {
    // Mirror image: the alignment moves left until some pattern character from index 1 on
    // lies under the text character now under the pattern's first one.
    for (std::int32_t i = length_ - 1; i >= 1; --i)
      skip_[pattern_[static_cast<std::size_t>(i)]] = static_cast<std::uint8_t>(i);
  }
  if (length_ > 0) {
    const unsigned char end = pattern_[static_cast<std::size_t>(backward ? 0 : length_ - 1)];
    for (int b = 0; b < 256; ++b) {
      const unsigned char folded = matchCase ? static_cast<unsigned char>(b) : upper[b];
      rawSkip_[b] = folded == end ? 0 : skip_[folded];
    }
  }
}

std::int32_t TSearchPattern::Find(const char* text, std::int32_t length) const {
  if (length_ == 0 || length < length_) return -1;
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  return matchCase_ ? ScanForward<false>(t, length) : ScanForward<true>(t, length);
}

std::int32_t TSearchPattern::FindLast(const char* text, std::int32_t length) const {
  if (length_ == 0 || length < length_) return -1;
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  return matchCase_ ? ScanBackward<false>(t, length) : ScanBackward<true>(t, length);
}

// Each scan has two instances: with Fold every text character is upper-cased as it is compared
// (the skip table has the folding built in); without it a single-character pattern gets a plain
// scan of its own.

template <bool Fold>
std::int32_t TSearchPattern::ScanForward(const unsigned char* t, std::int32_t length) const {
  const unsigned char* p = pattern_.data();
  const std::int32_t n = length_;
  if (!Fold && n == 1) {
    const void* hit = std::memchr(t, p[0], static_cast<std::size_t>(length));
    return hit ? static_cast<std::int32_t>(static_cast<const unsigned char*>(hit) - t) : -1;
  }
  const unsigned char* const up = Fold ? SearchUpperTable().data() : nullptr;
  const auto compared = [up](unsigned char c) { return Fold ? up[c] : c; };
  const std::uint8_t* skip = rawSkip_.data();
  const std::int32_t endShift = skip_[p[n - 1]];
  // i is the text index under the pattern's last character.
  for (std::int32_t i = n - 1; i < length;) {
    const std::uint8_t shift = skip[t[i]];
    if (shift != 0) {
      i += shift;
      continue;
    }
    // The last character matches: compare the preceding ones right to left.
    std::int32_t k = n - 2;
    const unsigned char* s = t + (i - n + 1);
    while (k >= 0 && compared(s[k]) == p[k]) --k;
    if (k < 0) return i - n + 1;
    i += endShift;
  }
  return -1;
}

template <bool Fold>
std::int32_t TSearchPattern::ScanBackward(const unsigned char* t, std::int32_t length) const {
  const unsigned char* p = pattern_.data();
  const std::int32_t n = length_;
  if (!Fold && n == 1) {
    for (std::int32_t i = length - 1; i >= 0; --i)
      if (t[i] == p[0]) return i;
    return -1;
  }
  const unsigned char* const up = Fold ? SearchUpperTable().data() : nullptr;
  const auto compared = [up](unsigned char c) { return Fold ? up[c] : c; };
  const std::uint8_t* skip = rawSkip_.data();
  const std::int32_t endShift = skip_[p[0]];
  // s is the text index under the pattern's first character.
  for (std::int32_t s = length - n; s >= 0;) {
    const std::uint8_t shift = skip[t[s]];
    if (shift != 0) {
      s -= shift;
      continue;
    }
    std::int32_t k = 1;
    while (k < n && compared(t[s + k]) == p[k]) ++k;
    if (k == n) return s;
    s -= endShift;
  }
  return -1;
}

}  // namespace quilmo
