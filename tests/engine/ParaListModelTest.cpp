// Random sequences of primitives against a plain model (a vector of strings): the text, the
// counts, the wrap of every paragraph and the display-line lookups must agree after each step.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/ParaList.h"
#include "engine/ParaNode.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The primitives' effect on plain strings, for texts far below every limit.
struct TModel {
  std::vector<std::string> Paras{""};

  bool Has(std::int32_t p) const { return p >= 1 && p <= static_cast<std::int32_t>(Paras.size()); }
  std::string& At(std::int32_t p) { return Paras[static_cast<std::size_t>(p - 1)]; }

  void InsertText(std::int32_t p, std::int32_t c, const std::string& s) {
    if (!Has(p) || s.empty()) return;
    std::string& t = At(p);
    c = std::max(c, 1);
    if (static_cast<std::size_t>(c - 1) > t.size()) t.resize(static_cast<std::size_t>(c - 1), ' ');
    t.insert(static_cast<std::size_t>(c - 1), s);
  }
  void DeleteText(std::int32_t p, std::int32_t c, std::int32_t n) {
    if (!Has(p) || c < 1 || n <= 0 || static_cast<std::size_t>(c) > At(p).size()) return;
    At(p).erase(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(n));
  }
  void ReplaceText(std::int32_t p, std::int32_t c, std::int32_t m, const std::string& s) {
    if (!Has(p) || c < 1) return;
    std::string& t = At(p);
    if (static_cast<std::size_t>(c - 1) >= t.size()) {
      InsertText(p, c, s);
      return;
    }
    t.replace(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(std::max(m, 0)), s);
  }
  void InsertPara(std::int32_t index, const std::string& s) { Paras.insert(Paras.begin() + (index - 1), s); }
  void DeletePara(std::int32_t p) {
    if (Has(p) && Paras.size() > 1) Paras.erase(Paras.begin() + (p - 1));
  }
  void SplitPara(std::int32_t p, std::int32_t c, bool trim, std::int32_t w, std::int32_t t) {
    if (!Has(p)) return;
    std::string& text = At(p);
    c = std::clamp(c, 1, static_cast<std::int32_t>(text.size()) + 1);
    if (c == 1) {
      InsertPara(p, "");
      return;
    }
    std::string tail = text.substr(static_cast<std::size_t>(c - 1));
    if (static_cast<std::size_t>(c) <= text.size()) {
      text.resize(static_cast<std::size_t>(c - 1));
      while (trim && !text.empty() && IsBlank(text.back())) text.pop_back();
    }
    std::string indent;
    if (w > 0) {
      indent = t > 0 ? std::string(static_cast<std::size_t>(w / t), '\t') +
                           std::string(static_cast<std::size_t>(w % t), ' ')
                     : std::string(static_cast<std::size_t>(w), ' ');
    }
    InsertPara(p + 1, indent + tail);
  }
  void MergeParas(std::int32_t p, std::int32_t c) {
    if (!Has(p) || !Has(p + 1)) return;
    std::string& text = At(p);
    c = std::max(c, static_cast<std::int32_t>(text.size()) + 1);
    if (c == 1) {
      DeletePara(p);
      return;
    }
    const std::string next = At(p + 1);
    if (!next.empty()) InsertText(p, c, next);
    DeletePara(p + 1);
  }
  void DeleteRegion(std::int32_t a, std::int32_t s, std::int32_t e, std::int32_t t) {
    if (!Has(a)) return;
    const auto count = static_cast<std::int32_t>(Paras.size());
    if (e > count) {
      e = count;
      t = static_cast<std::int32_t>(At(e).size()) + 1;
    }
    if (e < a) return;
    if (e == a) {
      if (t > s) DeleteText(a, s, t - s);
      return;
    }
    if (s == 1 && t == 1) {
      for (std::int32_t i = a; i < e; ++i) DeletePara(a);
      return;
    }
    DeleteText(a, s, static_cast<std::int32_t>(At(a).size()) - s + 1);
    if (t > 1) DeleteText(e, 1, t - 1);
    for (std::int32_t i = a + 1; i < e; ++i) DeletePara(a + 1);
    MergeParas(a, static_cast<std::int32_t>(At(a).size()) + 1);
  }
  void InsertMultiLine(std::int32_t& p, std::int32_t& c, std::string text) {
    std::erase(text, '\r');
    if (text.find('\n') == std::string::npos) {
      if (!Has(p)) return;
      InsertText(p, c, text);
      c += static_cast<std::int32_t>(text.size());
      return;
    }
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t lf = text.find('\n', start);
      const bool lineEnd = lf != std::string::npos;
      const std::size_t end = lineEnd ? lf : text.size();
      const std::string segment = text.substr(start, end - start);
      if (lineEnd && c == 1) {
        if (Has(p)) InsertPara(p, segment);
      } else {
        if (!segment.empty() && Has(p)) {
          InsertText(p, c, segment);
          c += static_cast<std::int32_t>(segment.size());
        }
        if (lineEnd) SplitPara(p, c, true, 0, 0);
      }
      if (lineEnd) {
        ++p;
        c = 1;
      }
      start = end + 1;
    }
  }
};

std::string Joined(const std::vector<std::string>& paras) {
  std::string text;
  for (std::size_t i = 0; i < paras.size(); ++i) text += (i > 0 ? "\n" : "") + paras[i];
  return text;
}

std::string ListText(TParaList& list) {
  std::vector<std::string> paras;
  for (TParaNode* node = list.GetPara(1); node != nullptr; node = node->Next())
    paras.emplace_back(node->Text());
  return Joined(paras);
}

TEST(ParaListModelTest, RandomPrimitivesAgreeWithTheModel) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  auto below = [&](int n) { return static_cast<std::int32_t>(rng() % static_cast<std::uint32_t>(n)); };
  auto text = [&](int maxLength, bool lines) {
    static const char kChars[] = "aaaabbbcc  \t-";
    std::string s(static_cast<std::size_t>(below(maxLength + 1)), ' ');
    for (char& c : s)
      c = lines && below(8) == 0 ? (below(3) == 0 ? '\r' : '\n') : kChars[below(sizeof kChars - 1)];
    return s;
  };

  for (int round = 0; round < 40; ++round) {
    TParaList list;
    TModel model;
    std::int32_t wrapColumn = 1 + below(20);
    for (int step = 0; step < 150; ++step) {
      const auto paras = static_cast<std::int32_t>(model.Paras.size());
      const std::int32_t p = below(paras + 2);  // sometimes out of range
      const std::int32_t length = model.Has(p) ? static_cast<std::int32_t>(model.At(p).size()) : 0;
      const std::int32_t c = 1 + below(length + 4);
      std::string op;
      switch (below(12)) {
        case 0: {
          const std::string s = text(12, false);
          op = "InsertText";
          ASSERT_EQ(list.InsertText(p, c, s.data(), static_cast<std::int32_t>(s.size())), 0);
          model.InsertText(p, c, s);
          break;
        }
        case 1: {
          const std::int32_t n = below(8);
          op = "DeleteText";
          ASSERT_EQ(list.DeleteText(p, c, n), 0);
          model.DeleteText(p, c, n);
          break;
        }
        case 2: {
          const std::int32_t m = below(5);
          const std::string s = text(5, false);
          op = "ReplaceText";
          ASSERT_EQ(list.ReplaceText(p, c, m, s.data(), static_cast<std::int32_t>(s.size())), 0);
          model.ReplaceText(p, c, m, s);
          break;
        }
        case 3: {
          const std::string s = text(10, false);
          op = "InsertParaBefore";
          ASSERT_EQ(list.InsertParaBefore(p, s.data(), static_cast<std::int32_t>(s.size())), 0);
          if (model.Has(p)) model.InsertPara(p, s);
          break;
        }
        case 4: {
          const std::string s = text(10, false);
          op = "InsertParaAfter";
          ASSERT_EQ(list.InsertParaAfter(p, s.data(), static_cast<std::int32_t>(s.size())), 0);
          if (model.Has(p)) model.InsertPara(p + 1, s);
          break;
        }
        case 5:
          op = "DeletePara";
          list.DeletePara(p);
          model.DeletePara(p);
          break;
        case 6: {
          const bool trim = below(2) == 0;
          const std::int32_t w = below(6);
          const std::int32_t t = below(5);
          op = "SplitPara";
          ASSERT_EQ(list.SplitPara(p, c, trim, w, t), 0);
          model.SplitPara(p, c, trim, w, t);
          break;
        }
        case 7:
          op = "MergeParas";
          ASSERT_EQ(list.MergeParas(p, c), 0);
          model.MergeParas(p, c);
          break;
        case 8: {
          const std::int32_t e = p + below(4);
          const std::int32_t t = 1 + below(6);
          op = "DeleteRegion";
          ASSERT_EQ(list.DeleteRegion(p, c, e, t), 0);
          model.DeleteRegion(p, c, e, t);
          break;
        }
        case 9: {
          const std::string s = text(20, true);
          std::int32_t listPara = p;
          std::int32_t listPos = c;
          std::int32_t modelPara = p;
          std::int32_t modelPos = c;
          op = "InsertMultiLine";
          ASSERT_EQ(list.InsertMultiLine(listPara, listPos, s), 0);
          model.InsertMultiLine(modelPara, modelPos, s);
          if (model.Has(p)) {
            ASSERT_EQ(listPara, modelPara);
            ASSERT_EQ(listPos, modelPos);
          }
          break;
        }
        case 10:
          op = "WordWrap";
          list.SetWordWrap(!list.WordWrap());
          break;
        default:
          op = "Settings";
          wrapColumn = 1 + below(20);
          list.SetWrapColumn(wrapColumn);
          list.SetTabSize(static_cast<std::uint8_t>(1 + below(8)));
          break;
      }
      SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step) + " " + op + " p " +
                   std::to_string(p) + " c " + std::to_string(c));
      ASSERT_EQ(ListText(list), Joined(model.Paras));
      ASSERT_EQ(list.ParaCount(), static_cast<std::int32_t>(model.Paras.size()));
      std::int32_t bytes = -2;
      std::int32_t lines = 0;
      std::vector<std::string> expectedLines;
      for (const std::string& para : model.Paras) {
        bytes += static_cast<std::int32_t>(para.size()) + 2;
        const TParaNode fresh(para.data(), static_cast<std::int32_t>(para.size()), list.EffectiveWrapColumn(),
                              list.TabSize());
        lines += fresh.LineCount();
        for (std::string& line : test::NodeLines(fresh)) expectedLines.push_back(std::move(line));
      }
      ASSERT_EQ(list.ByteCount(), bytes);
      ASSERT_EQ(list.LineCount(), lines);
      // A few display lines looked up from wherever the cursor cache stands.
      for (int probe = 0; probe < 4; ++probe) {
        const std::int32_t line = 1 + below(lines);
        std::int32_t n = 0;
        const char* got = list.GetLine(line, n);
        ASSERT_EQ(std::string(got, static_cast<std::size_t>(n)),
                  expectedLines[static_cast<std::size_t>(line - 1)])
            << "line " << line;
      }
    }
  }
}

}  // namespace
}  // namespace quilmo
