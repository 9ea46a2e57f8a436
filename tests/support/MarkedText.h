#pragma once
// Text with markers, so that tests read as before/after text.
//
//   "ab|c\nde"       two paragraphs, the caret before 'c' (paragraph 1, position 3)
//   "a[bc]d"          a selection over "bc"; without '|' the caret stands at ']'
//   "a[|bc]d"         the same selection with the caret at its start
//
// '\n' separates paragraphs; '|', '[' and ']' are markers and never part of the text.
// A literal marker character is written doubled ("||", "[[", "]]").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilmo::test {

struct TTextPoint {
  int Para = 1;  // 1-based
  int Pos = 1;   // 1-based
  bool operator==(const TTextPoint&) const = default;
};

struct TMarkedText {
  std::vector<std::string> Paras;
  std::optional<TTextPoint> Caret;
  std::optional<TTextPoint> SelStart;
  std::optional<TTextPoint> SelEnd;
};

// Throws std::invalid_argument on a malformed text (unbalanced or repeated markers).
TMarkedText ParseMarkedText(std::string_view marked);

// The inverse: paragraphs joined by '\n' with the markers put back.
std::string FormatMarkedText(const TMarkedText& text);

}  // namespace quilmo::test
