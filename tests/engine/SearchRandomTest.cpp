// Random documents searched with the engine and with a naive model that tests every position.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "SearchTestDoc.h"
#include "engine/Search.h"
#include "engine/SearchPattern.h"
#include "engine/WordDelimiters.h"

namespace quilmo {
namespace {

struct TModel {
  std::vector<std::string> paras;
  std::string pattern;
  bool matchCase = false;
  bool wholeWord = false;

  bool MatchesAt(const std::string& s, std::size_t i) const {
    if (i + pattern.size() > s.size()) return false;
    const auto& up = SearchUpperTable();
    for (std::size_t k = 0; k < pattern.size(); ++k) {
      const auto a = static_cast<unsigned char>(s[i + k]);
      const auto b = static_cast<unsigned char>(pattern[k]);
      if (matchCase ? a != b : up[a] != up[b]) return false;
    }
    if (!wholeWord) return true;
    if (i > 0 && !IsWordDelimiter(s[i - 1])) return false;
    const std::size_t behind = i + pattern.size();
    return behind >= s.size() || IsWordDelimiter(s[behind]);
  }

  // Whether the occurrence at (p, m) lies in [start, end).
  bool InScope(int p, int m, TSearchPoint start, TSearchPoint end) const {
    const int n = static_cast<int>(pattern.size());
    if (p < start.Para || p > end.Para) return false;
    if (p == start.Para && m < start.Pos) return false;
    if (p == end.Para && m + n > end.Pos) return false;
    return true;
  }

  std::optional<TSearchPoint> First(TSearchPoint start, TSearchPoint end) const {
    for (int p = 1; p <= static_cast<int>(paras.size()); ++p)
      for (std::size_t i = 0; i < paras[p - 1].size(); ++i)
        if (MatchesAt(paras[p - 1], i) && InScope(p, static_cast<int>(i) + 1, start, end))
          return TSearchPoint{p, static_cast<int>(i) + 1};
    return std::nullopt;
  }

  std::optional<TSearchPoint> Last(TSearchPoint start, TSearchPoint end) const {
    std::optional<TSearchPoint> last;
    for (int p = 1; p <= static_cast<int>(paras.size()); ++p)
      for (std::size_t i = 0; i < paras[p - 1].size(); ++i)
        if (MatchesAt(paras[p - 1], i) && InScope(p, static_cast<int>(i) + 1, start, end))
          last = TSearchPoint{p, static_cast<int>(i) + 1};
    return last;
  }

  // Forward replace-all over [start, end); returns the count.
  int ReplaceAll(const std::string& replacement, TSearchPoint start, TSearchPoint end) {
    int count = 0;
    const int n = static_cast<int>(pattern.size());
    for (int p = start.Para; p <= end.Para; ++p) {
      std::string& s = paras[p - 1];
      for (std::size_t i = 0; i < s.size();) {
        if (MatchesAt(s, i) && InScope(p, static_cast<int>(i) + 1, start, end)) {
          s.replace(i, pattern.size(), replacement);
          if (p == end.Para) end.Pos += static_cast<int>(replacement.size()) - n;
          i += replacement.size();
          ++count;
        } else {
          ++i;
        }
      }
    }
    return count;
  }
};

std::string Join(const std::vector<std::string>& paras) {
  std::string out;
  for (std::size_t i = 0; i < paras.size(); ++i) out += (i ? "\n" : "") + paras[i];
  return out;
}

TEST(SearchRandom, EngineAgreesWithNaiveModel) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  const std::string alphabet = "aAb \xE9\xC9,";
  for (int round = 0; round < 1500; ++round) {
    TModel model;
    const int paraCount = 1 + static_cast<int>(rng() % 5);
    for (int p = 0; p < paraCount; ++p) {
      std::string s;
      for (std::size_t i = rng() % 14; i > 0; --i) s += alphabet[rng() % alphabet.size()];
      model.paras.push_back(s);
    }
    for (std::size_t i = 1 + rng() % 3; i > 0; --i) model.pattern += alphabet[rng() % alphabet.size()];
    model.matchCase = rng() % 2 == 0;
    model.wholeWord = rng() % 3 == 0;
    // Two random points, in order, positions up to two beyond the paragraph's end.
    auto point = [&] {
      const int p = 1 + static_cast<int>(rng() % static_cast<unsigned>(paraCount));
      return TSearchPoint{p, 1 + static_cast<int>(rng() % (model.paras[p - 1].size() + 3))};
    };
    TSearchPoint a = point(), b = point();
    if (b.Para < a.Para || (b.Para == a.Para && b.Pos < a.Pos)) std::swap(a, b);
    auto clampEnd = [&](TSearchPoint q) {  // selection ends never lie beyond the paragraph's end
      q.Pos = std::min(q.Pos, static_cast<int>(model.paras[q.Para - 1].size()) + 1);
      return q;
    };
    const TSearchPoint textEnd{paraCount, static_cast<int>(model.paras.back().size()) + 1};

    test::TSearchDoc doc(Join(model.paras));
    const std::uint8_t base = (model.matchCase ? soMatchCase : 0) | (model.wholeWord ? soWholeWord : 0);
    const std::string trace = "round " + std::to_string(round) + " text \"" + Join(model.paras) +
                              "\" pattern \"" + model.pattern + "\" caret " + std::to_string(a.Para) + "," +
                              std::to_string(a.Pos);
    TSearchRequest r = doc.Request(model.pattern, base);
    r.Caret = a;
    r.SelStart = clampEnd(a);
    r.SelEnd = clampEnd(b);

    struct TCase {
      std::uint8_t options;
      std::optional<TSearchPoint> expected;
    };
    const TCase cases[] = {
        {0, model.First(a, textEnd)},
        {soBackward, model.Last({1, 1}, a)},
        {soEntireScope, model.First({1, 1}, textEnd)},
        {soEntireScope | soBackward, model.Last({1, 1}, textEnd)},
        {soSelectedOnly, model.First(r.SelStart, r.SelEnd)},
        {soSelectedOnly | soBackward, model.Last(r.SelStart, r.SelEnd)},
    };
    for (const TCase& c : cases) {
      r.Options = static_cast<std::uint8_t>(base | c.options);
      const TSearchResult result = FindOrReplaceAll(doc.list, r);
      ASSERT_EQ(result.Found, c.expected.has_value()) << trace << " options " << int(c.options);
      if (c.expected) {
        ASSERT_EQ(result.Start, *c.expected) << trace << " options " << int(c.options);
        ASSERT_EQ(result.End.Pos, c.expected->Pos + static_cast<int>(model.pattern.size()));
      }
    }

    // Forward replace-all within the selection.
    const std::string replacement = std::string(rng() % 4, 'x');
    TModel replaced = model;
    const int count = replaced.ReplaceAll(replacement, r.SelStart, r.SelEnd);
    r.Options = static_cast<std::uint8_t>(base | soReplaceAll | soSelectedOnly);
    r.Replacement = replacement;
    const TSearchResult result = FindOrReplaceAll(doc.list, r);
    ASSERT_EQ(result.Count, count) << trace << " replacement " << replacement;
    ASSERT_EQ(doc.Text(), Join(replaced.paras)) << trace << " replacement " << replacement;
  }
}

}  // namespace
}  // namespace quilmo
