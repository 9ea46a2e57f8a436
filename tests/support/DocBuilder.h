#pragma once
// Paragraph lists built from text with markers (support/MarkedText.h) and read back as text,
// so that engine tests read as before/after text.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ParaList.h"
#include "support/MarkedText.h"

namespace quilmo::test {

struct TDocOptions {
  bool WordWrap = false;
  std::int32_t WrapColumn = 80;
  std::uint8_t TabSize = 8;
  std::uint16_t UndoBufferSize = 8192;
};

// A list holding the paragraphs of `marked` ('\n' separates them; markers are ignored), with
// no undo history and `Modified` off.
std::unique_ptr<TParaList> MakeParaList(std::string_view marked, const TDocOptions& options = {});

// The paragraphs joined by '\n' (marker characters doubled, as MakeParaList reads them).
std::string ParaListText(TParaList& list);
// The same with the caret, and a selection from `selStart` to the caret, marked.
std::string ParaListText(TParaList& list, TTextPoint caret,
                         std::optional<TTextPoint> selStart = std::nullopt);

// The display lines, one string each, joined by '/' (e.g. "aaa bbb /ccc").
std::string DisplayLines(TParaList& list);

// The display lines of one paragraph, one string each.
std::vector<std::string> NodeLines(const TParaNode& node);

}  // namespace quilmo::test
