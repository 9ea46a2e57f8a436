// How a view follows the edits of the text it shows (made through it or through another
// view of the same text) and the re-wrapping of that text.

#include <algorithm>

#include "editor/CustomEditor.h"

namespace quilmo {

namespace {

enum class TEditKind { ParaDeleted, CharsDeleted, ParaInserted, CharsInserted, ParasJoined };

struct TEdit {
  TEditKind Kind;
  std::int32_t Para;
  std::int32_t Pos = 0;
  std::int32_t Count = 0;  // characters, or the indentation of a split
};

// The marker rules, except that a place is never unset: in a deleted paragraph it goes to
// position 1 of the paragraph now at that index, inside deleted characters to their start.
TParaPos Follow(TParaPos p, const TEdit& e, std::int32_t paraCount) {
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

}  // namespace

void TCustomEditor::ParaDeleted(int para, bool isSender) {
  FollowEdit(static_cast<int>(TEditKind::ParaDeleted), para, 0, 0, isSender);
}

void TCustomEditor::CharsDeleted(int para, int pos, int count, bool isSender) {
  FollowEdit(static_cast<int>(TEditKind::CharsDeleted), para, pos, count, isSender);
}

void TCustomEditor::ParaInserted(int para, int pos, int indent, bool isSender) {
  FollowEdit(static_cast<int>(TEditKind::ParaInserted), para, pos, indent, isSender);
}

void TCustomEditor::CharsInserted(int para, int pos, int count, bool isSender) {
  FollowEdit(static_cast<int>(TEditKind::CharsInserted), para, pos, count, isSender);
}

void TCustomEditor::ParasJoined(int para, int pos, bool isSender) {
  FollowEdit(static_cast<int>(TEditKind::ParasJoined), para, pos, 0, isSender);
}

void TCustomEditor::FollowEdit(int kind, int para, int pos, int count, bool isSender) {
  const TEdit edit{static_cast<TEditKind>(kind), para, pos, count};
  const std::int32_t paraCount = ParaCount();
  // Without word wrap a paragraph is one display line, so a place after the edited
  // paragraphs moves by the paragraphs the edit added or removed, column unchanged. Places
  // before them keep everything. Only places in the edited paragraphs (or, with word wrap,
  // after them) are looked up; the list's cursor cache then stays near the edit, so that a
  // long run of edits does not walk back to the view's top line every time.
  const bool shiftAfter = !WordWrap();
  std::int32_t paraDelta = 0;
  if (edit.Kind == TEditKind::ParaInserted) paraDelta = 1;
  if (edit.Kind == TEditKind::ParaDeleted || edit.Kind == TEditKind::ParasJoined) paraDelta = -1;
  const std::int32_t lastEdited = edit.Kind == TEditKind::ParasJoined ? para + 1 : para;
  enum class TPlace { Before, After, Edited };
  auto placeOf = [&](std::int32_t p) {
    if (p < para) return TPlace::Before;
    if (p > lastEdited && shiftAfter) return TPlace::After;
    return TPlace::Edited;
  };
  // The line form of a place moved from `old` to `now` whose line/column form was (line, column).
  auto follow = [&](TParaPos old, TParaPos now, std::int32_t& line, std::int32_t& column) {
    switch (placeOf(old.Para)) {
      case TPlace::Before: break;
      case TPlace::After: line += paraDelta; break;
      case TPlace::Edited: FParaList->PosToLine(now.Para, now.Pos, line, column); break;
    }
  };

  // The top of the view keeps showing the same text; its line number follows the lines
  // that came or went before it.
  const TParaPos oldTop{FTopPara.Para, FTopPara.Pos + 1};
  const std::int32_t oldTopLine = FTopLine;
  const TPlace topPlace = placeOf(oldTop.Para);
  if (topPlace == TPlace::After) {
    if (paraDelta != 0) {
      FTopLine += paraDelta;
      FTopPara.Para += paraDelta;
      FVThumbPending = true;
      DoTopLineChanged(FTopLine);
    }
  } else if (topPlace == TPlace::Edited) {
    const TParaPos top = Follow(oldTop, edit, paraCount);
    std::int32_t topLine = 1;
    std::int32_t column = 1;
    FParaList->PosToLine(top.Para, top.Pos, topLine, column);
    if (topLine != FTopLine) {
      SetTopLineQuiet(topLine);
    } else {
      UpdateTopPara();
    }
  }

  if (!isSender) {
    const bool selectionInDeletedPara =
        edit.Kind == TEditKind::ParaDeleted && FSelStart.Para == para && FSelEnd.Para == para;
    const TParaPos oldCaret{FCaretPara, FLineOffset + FCaretCol};
    switch (placeOf(oldCaret.Para)) {
      case TPlace::Before: break;
      case TPlace::After:
        FCaretLine += paraDelta;
        FCaretPara += paraDelta;
        break;
      case TPlace::Edited: SetCaretFromPara(Follow(oldCaret, edit, paraCount)); break;
    }
    if (selectionInDeletedPara) {
      FSelStart = FSelEnd = FSelCaretEnd = ClampedCaretPos();
      UpdateSelectionLines();
    } else {
      // Places in the edited paragraphs may now lie behind their paragraph's end.
      auto followEnd = [&](TParaPos p) {
        TParaPos now = Follow(p, edit, paraCount);
        if (placeOf(p.Para) == TPlace::Edited)
          now.Pos = std::min(now.Pos, FParaList->ParaLength(now.Para) + 1);
        return now;
      };
      const TParaPos oldStart = FSelStart;
      const TParaPos oldEnd = FSelEnd;
      FSelStart = followEnd(oldStart);
      FSelEnd = followEnd(oldEnd);
      FSelCaretEnd = followEnd(FSelCaretEnd);
      follow(oldStart, FSelStart, FSelStartLine, FSelStartCol);
      follow(oldEnd, FSelEnd, FSelEndLine, FSelEndCol);
      if (FSelStart > FSelEnd) {
        std::swap(FSelStart, FSelEnd);
        std::swap(FSelStartLine, FSelEndLine);
        std::swap(FSelStartCol, FSelEndCol);
      }
    }
  }
  MarkScrollBarsPending();
  // The view making the edit redraws the rows the edit touched and the caret's row, as long
  // as its rows still show the same lines; other views redraw everything.
  if (isSender && FTopLine == oldTopLine) {
    InvalidateLines(FParaList->RepaintFirst(), FParaList->RepaintLast());
    InvalidateLines(FCaretLine, FCaretLine);
  } else {
    InvalidateAll();
  }
}

void TCustomEditor::TextRewrapped() {
  std::int32_t line = 1;
  std::int32_t column = 1;
  FParaList->PosToLine(FCaretPara, FLineOffset + FCaretCol, line, column);
  if (WordWrap()) column = std::min(column, FParaList->LineLength(line) + 1);
  FCaretLine = line;
  FCaretCol = column;
  FParaList->LineToPara(FCaretLine, FCaretPara, FLineOffset);

  std::int32_t topLine = 1;
  FParaList->PosToLine(FTopPara.Para, FTopPara.Pos + 1, topLine, column);
  if (topLine != FTopLine)
    SetTopLineQuiet(topLine);
  else
    UpdateTopPara();

  UpdateSelectionLines();
  SendHScrollRange();
  FLeftColumn = std::min(FLeftColumn, FHScrollRange);
  if (FWindowCreated) {
    // The layout follows the new lines but leaves the wrap column alone: another view of the
    // text wrapping it to its own window would otherwise wrap it back, and so on forever.
    FFollowingRewrap = true;
    try {
      RefreshLayout(false);
    } catch (...) {
      FFollowingRewrap = false;
      throw;
    }
    FFollowingRewrap = false;
  }
}

void TCustomEditor::ModifiedChanged() {
  InvalidateAll();
}

void TCustomEditor::BusyCursor(bool on) {
  FHost->SetBusyCursor(on);
}

}  // namespace quilmo
