#include "editor/ViewState.h"

#include <algorithm>
#include <utility>

#include "engine/ParaList.h"

namespace quilmo {

TParaPos FollowEdit(TParaPos p, const TTextEdit& e, std::int32_t paraCount) {
  switch (e.Kind) {
    case TEditKind::ParaDeleted:
      if (p.Para == e.Para) return {std::min(e.Para, paraCount), 1};
      if (p.Para > e.Para) --p.Para;
      break;
    case TEditKind::CharsDeleted:
      if (p.Para == e.Para && p.Pos >= e.Pos) p.Pos = p.Pos < e.Pos + e.Count ? e.Pos : p.Pos - e.Count;
      break;
    case TEditKind::ParaInserted:
      if (p.Para > e.Para)
        ++p.Para;
      else if (p.Para == e.Para && p.Pos >= e.Pos)
        p = {e.Para + 1, e.Count + (p.Pos - e.Pos) + 1};
      break;
    case TEditKind::CharsInserted:
      if (p.Para == e.Para && p.Pos >= e.Pos) p.Pos += e.Count;
      break;
    case TEditKind::ParasJoined:
      if (p.Para == e.Para + 1)
        p = {e.Para, p.Pos + e.Pos - 1};
      else if (p.Para > e.Para + 1)
        --p.Para;
      break;
  }
  return p;
}

TParaPos TViewPlaces::ClampedCaret(TParaList& list) const {
  return {caretPara_, std::min(lineOffset_ + caretCol_, list.ParaLength(caretPara_) + 1)};
}

void TViewPlaces::SetCaretLine(TParaList& list, std::int32_t line, std::int32_t column) {
  caretLine_ = line;
  caretCol_ = column;
  list.LineToPara(caretLine_, caretPara_, lineOffset_);
}

void TViewPlaces::SetCaret(TParaList& list, TParaPos pos) {
  list.PosToLine(pos.Para, pos.Pos, caretLine_, caretCol_);
  list.LineToPara(caretLine_, caretPara_, lineOffset_);
}

void TViewPlaces::DeriveSelectionLines(TParaList& list) {
  list.PosToLine(selStart_.Para, selStart_.Pos, selStartLine_.Line, selStartLine_.Col);
  list.PosToLine(selEnd_.Para, selEnd_.Pos, selEndLine_.Line, selEndLine_.Col);
}

void TViewPlaces::Collapse(TParaList& list) {
  selStart_ = selEnd_ = selCaretEnd_ = ClampedCaret(list);
  DeriveSelectionLines(list);
}

void TViewPlaces::Extend(TParaList& list) {
  const TParaPos p = ClampedCaret(list);
  if (selCaretEnd_ != selStart_)
    selEnd_ = p;
  else
    selStart_ = p;
  if (selStart_ > selEnd_) std::swap(selStart_, selEnd_);
  selCaretEnd_ = p;
  DeriveSelectionLines(list);
}

void TViewPlaces::Reset() {
  *this = TViewPlaces();
}

void TViewPlaces::Follow(TParaList& list, const TTextEdit& edit, bool withCaret) {
  if (!withCaret) return;
  const std::int32_t paraCount = list.ParaCount();
  // Without word wrap a paragraph is one display line, so a place after the edited
  // paragraphs moves by the paragraphs the edit added or removed, column unchanged. Places
  // before them keep everything. Only places in the edited paragraphs (or, with word wrap,
  // after them) are looked up; the list's cursor cache then stays near the edit, so that a
  // long run of edits does not walk back to the view's top line every time.
  const bool shiftAfter = !list.WordWrap();
  std::int32_t paraDelta = 0;
  if (edit.Kind == TEditKind::ParaInserted) paraDelta = 1;
  if (edit.Kind == TEditKind::ParaDeleted || edit.Kind == TEditKind::ParasJoined) paraDelta = -1;
  const std::int32_t lastEdited = edit.Kind == TEditKind::ParasJoined ? edit.Para + 1 : edit.Para;
  enum class TPlace { Before, After, Edited };
  auto placeOf = [&](std::int32_t p) {
    if (p < edit.Para) return TPlace::Before;
    if (p > lastEdited && shiftAfter) return TPlace::After;
    return TPlace::Edited;
  };

  const bool selectionInDeletedPara =
      edit.Kind == TEditKind::ParaDeleted && selStart_.Para == edit.Para && selEnd_.Para == edit.Para;
  const TParaPos oldCaret = Caret();
  switch (placeOf(oldCaret.Para)) {
    case TPlace::Before: break;
    case TPlace::After:
      caretLine_ += paraDelta;
      caretPara_ += paraDelta;
      break;
    case TPlace::Edited: SetCaret(list, FollowEdit(oldCaret, edit, paraCount)); break;
  }
  if (selectionInDeletedPara) {
    Collapse(list);
    return;
  }
  // Places in the edited paragraphs may now lie behind their paragraph's end.
  auto followEnd = [&](TParaPos p, TLinePos& line) {
    const TPlace place = placeOf(p.Para);
    TParaPos now = FollowEdit(p, edit, paraCount);
    switch (place) {
      case TPlace::Before: break;
      case TPlace::After: line.Line += paraDelta; break;
      case TPlace::Edited:
        now.Pos = std::min(now.Pos, list.ParaLength(now.Para) + 1);
        list.PosToLine(now.Para, now.Pos, line.Line, line.Col);
        break;
    }
    return now;
  };
  TLinePos unused;
  selCaretEnd_ = followEnd(selCaretEnd_, unused);
  selStart_ = followEnd(selStart_, selStartLine_);
  selEnd_ = followEnd(selEnd_, selEndLine_);
  if (selStart_ > selEnd_) {
    std::swap(selStart_, selEnd_);
    std::swap(selStartLine_, selEndLine_);
  }
}

void TViewPlaces::Rewrapped(TParaList& list) {
  std::int32_t line = 1;
  std::int32_t column = 1;
  list.PosToLine(caretPara_, lineOffset_ + caretCol_, line, column);
  if (list.WordWrap()) column = std::min(column, list.LineLength(line) + 1);
  SetCaretLine(list, line, column);
  DeriveSelectionLines(list);
}

}  // namespace quilmo
