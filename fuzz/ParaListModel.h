#pragma once
// The paragraph list's primitives on plain strings, result codes included: the limits, the
// blank fill behind the end, the steps of the compound primitives and where they stop on a
// failure. Kept apart from the engine's code so that the fuzz target compares two
// independent accounts of every edit. Arithmetic is 64-bit, so that any argument is safe.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EditorErrors.h"

namespace quilmo::fuzz {

class TParaListModel {
 public:
  static constexpr std::int64_t kMaxInt = 2147483647;
  static constexpr std::int64_t kMaxLength = 32767;

  std::vector<std::string> Paras{""};
  std::int64_t ParaLimit = kMaxInt;
  std::int64_t ByteLimit = kMaxInt;
  std::int64_t ParaLengthLimit = kMaxLength;
  // Set when an edit reached the point where it changes the text or writes an undo record.
  bool Touched = false;

  std::int64_t Count() const { return static_cast<std::int64_t>(Paras.size()); }
  bool Has(std::int64_t p) const { return p >= 1 && p <= Count(); }
  std::string& At(std::int64_t p) { return Paras[static_cast<std::size_t>(p - 1)]; }
  std::int64_t Len(std::int64_t p) const {
    return static_cast<std::int64_t>(Paras[static_cast<std::size_t>(p - 1)].size());
  }
  std::int64_t Bytes() const { return bytes_; }

  // Takes the paragraphs as they are (after an undo or redo, which the model does not follow).
  void Assign(std::vector<std::string> paras) {
    Paras = std::move(paras);
    bytes_ = 0;
    for (const std::string& p : Paras) bytes_ += static_cast<std::int64_t>(p.size()) + 2;
    bytes_ -= 2;
  }

  // Target paragraph t, paragraphs to add a, bytes to add b.
  std::uint16_t Limits(std::int64_t t, std::int64_t a, std::int64_t b) const {
    if (a > 0 || t > ParaLimit) {
      std::int64_t limit = ParaLimit;
      if (t <= ParaLimit && ParaLimit != kMaxInt && Paras.back().empty()) ++limit;
      if (Count() + a > limit) return ErrTooManyParas;
    }
    if (bytes_ + b > ByteLimit) return ErrTextTooLarge;
    if (t == 0 || a > 0) return 0;
    if (Has(t) && Len(t) + b > ParaLengthLimit) return ErrParaTooLong;
    return 0;
  }

  std::uint16_t InsertText(std::int64_t p, std::int64_t c, std::string_view s) {
    if (!Has(p) || s.empty()) return 0;
    c = std::max<std::int64_t>(c, 1);
    const std::int64_t length = Len(p);
    const std::int64_t pad = std::max<std::int64_t>(0, c - 1 - length);
    const auto n = static_cast<std::int64_t>(s.size());
    if (std::uint16_t code = Limits(p, 0, pad + n)) return code;
    if (length + pad + n > kMaxLength) return ErrParaTooLong;
    std::string& text = At(p);
    text.resize(static_cast<std::size_t>(length + pad), ' ');
    text.insert(static_cast<std::size_t>(c - 1), s);
    bytes_ += pad + n;
    Touched = true;
    return 0;
  }

  // Never fails (the engine's only failure is memory running out); a code for symmetry.
  std::uint16_t DeleteText(std::int64_t p, std::int64_t c, std::int64_t n) {
    if (!Has(p) || c < 1) return 0;
    n = std::min(n, Len(p) - c + 1);
    if (n <= 0) return 0;
    At(p).erase(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(n));
    bytes_ -= n;
    Touched = true;
    return 0;
  }

  std::uint16_t ReplaceText(std::int64_t p, std::int64_t c, std::int64_t m, std::string_view s) {
    if (!Has(p) || c < 1) return 0;
    const std::int64_t length = Len(p);
    std::int64_t pad = 0;
    if (c > length + 1) {
      pad = c - 1 - length;
      c = length + 1;
    }
    m = std::clamp<std::int64_t>(m, 0, length - c + 1);
    const auto k = static_cast<std::int64_t>(s.size());
    if (m == 0 && k == 0) return 0;
    const std::int64_t added = pad + k;
    if (added > m) {
      if (std::uint16_t code = Limits(p, 0, added - m)) return code;
    }
    if (length - m + added > kMaxLength) return ErrParaTooLong;
    At(p).replace(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(m),
                  std::string(static_cast<std::size_t>(pad), ' ') + std::string(s));
    bytes_ += added - m;
    Touched = true;
    return 0;
  }

  std::uint16_t InsertParaBefore(std::int64_t p, std::string_view s) {
    if (!Has(p)) return 0;
    const auto k = static_cast<std::int64_t>(s.size());
    if (std::uint16_t code = Limits(0, 1, k + 2)) return code;
    if (k > ParaLengthLimit) return ErrParaTooLong;
    Link(p, s);
    return 0;
  }

  // No limit check: its callers make it.
  std::uint16_t InsertParaAfter(std::int64_t p, std::string_view s) {
    if (!Has(p)) return 0;
    if (static_cast<std::int64_t>(s.size()) > kMaxLength) return ErrParaTooLong;
    Link(p + 1, s);
    return 0;
  }

  void DeletePara(std::int64_t p) {
    if (!Has(p) || Count() == 1) return;
    bytes_ -= Len(p) + 2;
    Paras.erase(Paras.begin() + (p - 1));
    Touched = true;
  }

  std::uint16_t SplitPara(std::int64_t p, std::int64_t c, bool trim, std::int64_t w, std::int64_t t) {
    if (!Has(p)) return 0;
    const std::int64_t length = Len(p);
    c = std::clamp<std::int64_t>(c, 1, length + 1);
    if (c == 1) return InsertParaBefore(p, "");
    if (std::uint16_t code = Limits(0, 1, 2)) return code;
    Touched = true;  // the caret record
    const std::string tail = At(p).substr(static_cast<std::size_t>(c - 1));
    std::uint16_t code = InsertParaAfter(p, tail);
    if (code == 0 && length >= c) {
      const std::int64_t blanks = trim ? BlanksBefore(At(p), c) : 0;
      DeleteText(p, c - blanks, length - c + 1 + blanks);
    }
    if (code == 0 && w > 0) {
      std::string indent;
      if (t > 0) {
        indent.assign(static_cast<std::size_t>(w / t), '\t');
        indent.append(static_cast<std::size_t>(w % t), ' ');
      } else {
        indent.assign(static_cast<std::size_t>(w), ' ');
      }
      InsertText(p + 1, 1, indent);  // without room the new paragraph stays unindented
    }
    return code;
  }

  std::uint16_t MergeParas(std::int64_t p, std::int64_t c) {
    if (!Has(p) || p == Count()) return 0;
    const std::int64_t length = Len(p);
    c = std::max(c, length + 1);
    if (c == 1) {
      DeletePara(p);
      return 0;
    }
    const std::string next = At(p + 1);
    const auto n = static_cast<std::int64_t>(next.size());
    if (Limits(p, 0, n + c - length - 1) != 0) return ErrJoinTooLong;
    std::uint16_t code = 0;
    if (n > 0) code = InsertText(p, c, next);
    if (code == 0) DeletePara(p + 1);
    Touched = true;  // the caret record
    return code;
  }

  // Positions outside their paragraphs mean its start or its end.
  std::uint16_t DeleteRegion(std::int64_t a, std::int64_t s, std::int64_t e, std::int64_t t) {
    if (!Has(a)) return 0;
    if (e > Count()) {
      e = Count();
      t = Len(e) + 1;
    }
    if (e < a) return 0;
    s = std::clamp<std::int64_t>(s, 1, Len(a) + 1);
    t = std::clamp<std::int64_t>(t, 1, Len(e) + 1);
    if (e == a) return t > s ? DeleteText(a, s, t - s) : 0;
    if (s == 1 && t == 1) {
      for (std::int64_t i = a; i < e; ++i) DeletePara(a);
      return 0;
    }
    const std::int64_t length = Len(a);
    if (s <= length) DeleteText(a, s, length - s + 1);
    if (t > 1) DeleteText(e, 1, t - 1);
    for (std::int64_t i = a + 1; i < e; ++i) DeletePara(a + 1);
    MergeParas(a, Len(a) + 1);  // a join that would be too long leaves the two apart
    return 0;
  }

  std::uint16_t InsertMultiLine(std::int64_t& p, std::int64_t& c, std::string_view text) {
    c = std::max<std::int64_t>(c, 1);  // before the start means the start
    std::string copy;
    for (char ch : text) {
      if (ch != '\r') copy.push_back(ch);
    }
    if (copy.find('\n') == std::string::npos) {
      const std::uint16_t code = InsertText(p, c, copy);
      if (code == 0) c += static_cast<std::int64_t>(copy.size());
      return code;
    }
    std::uint16_t code = 0;
    std::size_t start = 0;
    while (start < copy.size() && code == 0) {
      const std::size_t lf = copy.find('\n', start);
      const bool lineEnd = lf != std::string::npos;
      const std::size_t end = lineEnd ? lf : copy.size();
      const std::string segment = copy.substr(start, end - start);
      if (lineEnd && c == 1) {
        code = InsertParaBefore(p, segment);
      } else {
        if (!segment.empty()) {
          code = InsertText(p, c, segment);
          if (code == 0) c += static_cast<std::int64_t>(segment.size());
        }
        if (code == 0 && lineEnd) code = SplitPara(p, c, true, 0, 0);
      }
      if (code == 0 && lineEnd) {
        ++p;
        c = 1;
      }
      start = end + 1;
    }
    return code;
  }

  // Loading: pieces of at most ParaLengthLimit characters (cut after the last blank that
  // fits), linked in front of the last paragraph; no undo record.
  std::uint16_t AppendPara(std::string_view text, bool trim) {
    text = text.substr(0, text.find('\0'));
    const auto n = static_cast<std::int64_t>(text.size());
    if (std::uint16_t code = Limits(0, 1, n + 2)) return code;
    std::int64_t start = 0;
    bool added = false;
    do {
      const std::int64_t remaining = n - start;
      if (added) {
        if (std::uint16_t code = Limits(0, 1, remaining + 2)) return code;
      }
      std::int64_t piece = remaining;
      if (remaining > ParaLengthLimit) {
        piece = ParaLengthLimit;
        for (std::int64_t i = ParaLengthLimit; i > 0; --i) {
          if (IsBlank(text[static_cast<std::size_t>(start + i - 1)])) {
            piece = i;
            break;
          }
        }
      }
      std::int64_t kept = piece;
      while (trim && kept > 0 && IsBlank(text[static_cast<std::size_t>(start + kept - 1)])) --kept;
      Paras.insert(Paras.end() - 1,
                   std::string(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(kept))));
      bytes_ += kept + 2;
      start += piece;
      added = true;
    } while (start < n);
    return 0;
  }

  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

 private:
  void Link(std::int64_t index, std::string_view s) {
    Paras.insert(Paras.begin() + (index - 1), std::string(s));
    bytes_ += static_cast<std::int64_t>(s.size()) + 2;
    Touched = true;
  }

  static std::int64_t BlanksBefore(const std::string& text, std::int64_t c) {
    std::int64_t i = std::min<std::int64_t>(c, static_cast<std::int64_t>(text.size()) + 1) - 1;
    std::int64_t count = 0;
    while (i > 0 && IsBlank(text[static_cast<std::size_t>(i - 1)])) {
      --i;
      ++count;
    }
    return count;
  }

  std::int64_t bytes_ = 0;
};

}  // namespace quilmo::fuzz
