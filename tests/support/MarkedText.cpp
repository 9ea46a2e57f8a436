#include "support/MarkedText.h"

#include <map>
#include <stdexcept>

namespace quilmo::test {

TMarkedText ParseMarkedText(std::string_view marked) {
  TMarkedText result;
  result.Paras.emplace_back();
  auto here = [&] {
    return TTextPoint{static_cast<int>(result.Paras.size()),
                      static_cast<int>(result.Paras.back().size()) + 1};
  };
  auto set = [&](std::optional<TTextPoint>& slot, char marker) {
    if (slot) throw std::invalid_argument(std::string("marker '") + marker + "' given twice");
    slot = here();
  };
  for (size_t i = 0; i < marked.size(); ++i) {
    char c = marked[i];
    if ((c == '|' || c == '[' || c == ']') && i + 1 < marked.size() && marked[i + 1] == c) {
      result.Paras.back().push_back(c);
      ++i;
      continue;
    }
    switch (c) {
      case '\n': result.Paras.emplace_back(); break;
      case '|': set(result.Caret, c); break;
      case '[': set(result.SelStart, c); break;
      case ']': set(result.SelEnd, c); break;
      default: result.Paras.back().push_back(c); break;
    }
  }
  if (result.SelStart.has_value() != result.SelEnd.has_value())
    throw std::invalid_argument("selection markers '[' and ']' must come together");
  if (result.SelStart && !result.Caret) result.Caret = result.SelEnd;
  return result;
}

std::string FormatMarkedText(const TMarkedText& text) {
  // Markers sorted by place; at one place '[' comes before '|' before ']'.
  std::multimap<std::pair<int, int>, std::pair<int, char>> marks;
  auto add = [&](const std::optional<TTextPoint>& p, int order, char c) {
    if (p) marks.insert({{p->Para, p->Pos}, {order, c}});
  };
  add(text.SelStart, 0, '[');
  bool caretShown = text.Caret && !(text.SelEnd && *text.Caret == *text.SelEnd &&
                                    !(text.SelStart && *text.SelStart == *text.SelEnd));
  if (caretShown) add(text.Caret, 1, '|');
  add(text.SelEnd, 2, ']');

  std::string out;
  auto emitMarks = [&](int para, int pos) {
    auto range = marks.equal_range({para, pos});
    std::multimap<int, char> ordered;
    for (auto it = range.first; it != range.second; ++it) ordered.insert(it->second);
    for (auto& [order, c] : ordered) out.push_back(c);
  };
  for (size_t p = 0; p < text.Paras.size(); ++p) {
    if (p > 0) out.push_back('\n');
    const std::string& s = text.Paras[p];
    int para = static_cast<int>(p) + 1;
    for (size_t i = 0; i < s.size(); ++i) {
      emitMarks(para, static_cast<int>(i) + 1);
      char c = s[i];
      out.push_back(c);
      if (c == '|' || c == '[' || c == ']') out.push_back(c);
    }
    emitMarks(para, static_cast<int>(s.size()) + 1);
  }
  return out;
}

}  // namespace quilmo::test
