// The editor's entry points to the search and replace engine: the caret and the selection
// go in; the found occurrence, or the scope of a replace-all, comes back and is shown.

#include <optional>

#include "editor/CustomEditor.h"
#include "engine/Search.h"
#include "engine/UndoGroup.h"

namespace quilmo {

namespace {

TSearchPoint ToSearchPoint(TParaPos p) {
  return {p.Para, p.Pos};
}

}  // namespace

bool TCustomEditor::Search(std::string_view text, std::uint8_t options) {
  // A search never replaces; 0 means an occurrence was selected or the text is empty.
  return Replace(text, std::string_view(),
                 static_cast<std::uint8_t>(options & ~(soReplace | soReplaceAll))) == 0;
}

std::uint64_t TCustomEditor::ReplaceAllUndoCost(std::string_view pattern, std::string_view replacement,
                                                std::uint8_t options) {
  TSearchRequest request;
  request.Pattern = pattern;
  request.Replacement = replacement;
  request.Options = options;
  request.Caret = ToSearchPoint(CaretParaPos());
  request.SelStart = ToSearchPoint(SelStart());
  request.SelEnd = ToSearchPoint(SelEnd());
  request.CountOnly = true;
  std::uint64_t cost = FindOrReplaceAll(ParaList(), request, nullptr).UndoCost;
  // The selected occurrence, replaced first by an insertion.
  if (HasSelection())
    cost +=
        SelectionUndoCost() + TParaList::InsertUndoCost(FParaList->ParaLength(SelStart().Para), replacement);
  return cost;
}

int TCustomEditor::Replace(std::string_view text, std::string_view replacement, std::uint8_t options) {
  const std::string_view pattern = CutSearchText(text);
  if (pattern.empty()) return 0;
  replacement = CutSearchText(replacement);
  // A read-only text is searched but never changed.
  if (ReadOnly()) options = static_cast<std::uint8_t>(options & ~(soReplace | soReplaceAll));
  TParaList& list = ParaList();

  // A replace-all the history cannot hold is asked about before anything changes; when it
  // goes on, it runs in one group that is not recorded.
  std::optional<TUndoGroup> unrecorded;
  if ((options & soReplaceAll) != 0) {
    const std::uint64_t cost = ReplaceAllUndoCost(pattern, replacement, options);
    if (!list.UndoBuffer().Reserve(cost)) {
      unrecorded.emplace(list);
      if (!MayEdit(cost)) return 0;
    }
  }

  std::int32_t count = 0;
  TParaPos replaced = CaretParaPos();  // where a replaced selection started
  if ((options & (soReplace | soReplaceAll)) != 0 && HasSelection() &&
      SelectionIsOccurrence(list, ToSearchPoint(SelStart()), ToSearchPoint(SelEnd()), pattern,
                            (options & soMatchCase) != 0)) {
    // A replacement that would break a size limit leaves the selection alone (the insertion
    // would otherwise delete the selection before failing).
    const auto growth =
        static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(pattern.size());
    if (growth > 0 && replacement.find_first_of("\r\n") == std::string_view::npos) {
      if (const std::uint16_t code = list.CheckLimits(SelStart().Para, 0, growth)) {
        ReportError(code);
        return code;
      }
    }
    // One undo group; the caret goes behind the inserted text and the selection collapses.
    replaced = SelStart();
    if (const std::uint16_t code = InsertString(replacement)) {
      DoChange();
      ReportError(code);
      return code;
    }
    count = 1;
  }

  TSearchRequest request;
  request.Pattern = pattern;
  request.Replacement = replacement;
  request.Options = options;
  // Backward, the next occurrence lies before the one just replaced (the replacement may
  // hold the pattern itself).
  const bool backward = (options & soBackward) != 0;
  request.Caret = ToSearchPoint(count > 0 && backward ? replaced : CaretParaPos());
  request.SelStart = ToSearchPoint(SelStart());
  request.SelEnd = ToSearchPoint(SelEnd());
  request.AnchorAtEnd = HasSelection() && SelCaretEnd() == SelStart();
  request.Count = count;
  // No sending view: this view's caret and selection follow each replacement like any
  // other view's, so that they still point at the same text afterwards.
  const TSearchResult result = FindOrReplaceAll(list, request, nullptr);

  switch (result.Select) {
    case TSearchSelect::ssRange:  // the caret end is scrolled into view
      SelectParaRange({result.Start.Para, result.Start.Pos}, {result.End.Para, result.End.Pos},
                      result.CaretAtEnd);
      break;
    case TSearchSelect::ssCollapse: {
      const TParaPos caret = CaretParaPos();
      MoveCaretToPara(caret.Para, caret.Pos);
      break;
    }
    case TSearchSelect::ssKeep: break;
  }
  if (result.Count > 0) {
    InvalidateAll();
    DoChange();
  }
  if (result.Error != 0) ReportError(result.Error);
  return result.Value;
}

}  // namespace quilmo
