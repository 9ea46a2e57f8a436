#pragma once
// A paragraph list built from a text with markers, searched with FindOrReplaceAll; the
// outcome reads back as marked text ("con[cat]enate", "[|cat]" for the caret at the start).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/ParaList.h"
#include "engine/Search.h"
#include "support/MarkedText.h"

namespace quilmo::test {

class TSearchDoc {
 public:
  explicit TSearchDoc(std::string_view marked) : marks_(ParseMarkedText(marked)) {
    const std::string& first = marks_.Paras.front();
    EXPECT_EQ(list.InsertText(1, 1, first.data(), static_cast<std::int32_t>(first.size())), 0);
    for (std::size_t i = 1; i < marks_.Paras.size(); ++i) {
      const std::string& para = marks_.Paras[i];
      EXPECT_EQ(list.InsertParaAfter(static_cast<std::int32_t>(i), para.data(),
                                     static_cast<std::int32_t>(para.size())),
                0);
    }
    list.ClearUndo();
    list.SetModified(false);
  }

  TSearchRequest Request(std::string_view pattern, std::uint8_t options,
                         std::optional<std::string_view> replacement = std::nullopt) const {
    TSearchRequest r;
    r.Pattern = pattern;
    r.Replacement = replacement;
    r.Options = options;
    const TTextPoint caret = marks_.Caret.value_or(TTextPoint{});
    const TTextPoint selStart = marks_.SelStart.value_or(caret);
    const TTextPoint selEnd = marks_.SelEnd.value_or(caret);
    r.Caret = {caret.Para, caret.Pos};
    r.SelStart = {selStart.Para, selStart.Pos};
    r.SelEnd = {selEnd.Para, selEnd.Pos};
    r.AnchorAtEnd = !(selStart == selEnd) && caret == selStart;
    return r;
  }

  TSearchResult Run(std::string_view pattern, std::uint8_t options,
                    std::optional<std::string_view> replacement = std::nullopt) {
    last_ = FindOrReplaceAll(list, Request(pattern, options, replacement));
    return last_;
  }

  // The paragraphs joined by '\n'.
  std::string Text() {
    std::string out;
    for (std::int32_t p = 1; p <= list.ParaCount(); ++p) {
      if (p > 1) out += '\n';
      out.append(list.GetPara(p)->Text(), static_cast<std::size_t>(list.GetPara(p)->Length()));
    }
    return out;
  }

  // The text with the selection of the last result (none unless it selected a range).
  std::string Marked() {
    TMarkedText t;
    for (std::int32_t p = 1; p <= list.ParaCount(); ++p)
      t.Paras.emplace_back(list.GetPara(p)->Text(), static_cast<std::size_t>(list.GetPara(p)->Length()));
    if (last_.Select == TSearchSelect::ssRange) {
      t.SelStart = TTextPoint{last_.Start.Para, last_.Start.Pos};
      t.SelEnd = TTextPoint{last_.End.Para, last_.End.Pos};
      t.Caret = last_.CaretAtEnd ? t.SelEnd : t.SelStart;
    }
    return FormatMarkedText(t);
  }

  TParaList list;

 private:
  TMarkedText marks_;
  TSearchResult last_;
};

}  // namespace quilmo::test
