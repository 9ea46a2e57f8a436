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

  // The top of the view keeps showing the same text; its line number is taken afresh, as
  // lines before it may have come or gone.
  const TParaPos top = Follow(TParaPos{FTopPara.Para, FTopPara.Pos + 1}, edit, paraCount);
  std::int32_t topLine = 1;
  std::int32_t column = 1;
  FParaList->PosToLine(top.Para, top.Pos, topLine, column);
  if (topLine != FTopLine) {
    SetTopLineQuiet(topLine);
  } else {
    UpdateTopPara();
  }

  if (!isSender) {
    const bool selectionInDeletedPara =
        edit.Kind == TEditKind::ParaDeleted && FSelStart.Para == para && FSelEnd.Para == para;
    SetCaretFromPara(Follow(TParaPos{FCaretPara, FLineOffset + FCaretCol}, edit, paraCount));
    if (selectionInDeletedPara) {
      FSelStart = FSelEnd = FSelCaretEnd = ClampedCaretPos();
    } else {
      auto clampToPara = [this](TParaPos p) {
        p.Pos = std::min(p.Pos, FParaList->ParaLength(p.Para) + 1);
        return p;
      };
      FSelStart = clampToPara(Follow(FSelStart, edit, paraCount));
      FSelEnd = clampToPara(Follow(FSelEnd, edit, paraCount));
      FSelCaretEnd = clampToPara(Follow(FSelCaretEnd, edit, paraCount));
      if (FSelStart > FSelEnd) std::swap(FSelStart, FSelEnd);
    }
    UpdateSelectionLines();
  }
  MarkScrollBarsPending();
  InvalidateAll();
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
  if (FWindowCreated) RefreshLayout(false);
}

void TCustomEditor::ModifiedChanged() {
  InvalidateAll();
}

void TCustomEditor::BusyCursor(bool on) {
  FHost->SetBusyCursor(on);
}

}  // namespace quilmo
