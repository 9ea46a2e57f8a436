// How a view follows the edits of the text it shows (made through it or through another
// view of the same text) and the re-wrapping of that text. The caret and the selection
// follow by the rule of TViewPlaces (ViewState.h); the top of the window by the same rule.

#include <algorithm>

#include "editor/CustomEditor.h"

namespace quilmo {

void TCustomEditor::ParaDeleted(int para, bool isSender) {
  Follow({TEditKind::ParaDeleted, para, 0, 0}, isSender);
}

void TCustomEditor::CharsDeleted(int para, int pos, int count, bool isSender) {
  Follow({TEditKind::CharsDeleted, para, pos, count}, isSender);
}

void TCustomEditor::ParaInserted(int para, int pos, int indent, bool isSender) {
  Follow({TEditKind::ParaInserted, para, pos, indent}, isSender);
}

void TCustomEditor::CharsInserted(int para, int pos, int count, bool isSender) {
  Follow({TEditKind::CharsInserted, para, pos, count}, isSender);
}

void TCustomEditor::ParasJoined(int para, int pos, bool isSender) {
  Follow({TEditKind::ParasJoined, para, pos, 0}, isSender);
}

void TCustomEditor::Follow(const TTextEdit& edit, bool isSender) {
  // The top of the view keeps showing the same text; its line number follows the lines that
  // came or went before it. Without word wrap a top after the edited paragraphs moves by the
  // paragraphs the edit added or removed, without a lookup.
  const std::int32_t oldTopLine = FView.TopLine;
  const TParaPos oldTop{FView.TopPara.Para, FView.TopPara.Pos + 1};
  const std::int32_t lastEdited = edit.Kind == TEditKind::ParasJoined ? edit.Para + 1 : edit.Para;
  if (oldTop.Para > lastEdited && !WordWrap()) {
    std::int32_t paraDelta = 0;
    if (edit.Kind == TEditKind::ParaInserted) paraDelta = 1;
    if (edit.Kind == TEditKind::ParaDeleted || edit.Kind == TEditKind::ParasJoined) paraDelta = -1;
    if (paraDelta != 0) {
      FView.TopLine += paraDelta;
      FView.TopPara.Para += paraDelta;
      FView.MarkVThumb();
      DoTopLineChanged(FView.TopLine);
    }
  } else if (oldTop.Para >= edit.Para) {
    const TParaPos top = FollowEdit(oldTop, edit, ParaCount());
    std::int32_t topLine = 1;
    std::int32_t column = 1;
    FParaList->PosToLine(top.Para, top.Pos, topLine, column);
    if (topLine != FView.TopLine) {
      SetTopLineQuiet(topLine);
    } else {
      UpdateTopPara();
    }
  }

  FPlaces.Follow(*FParaList, edit, !isSender);
  FView.MarkBars();
  // The view making the edit redraws the rows the edit touched and the caret's row, as long
  // as its rows still show the same lines; other views redraw everything.
  if (isSender && FView.TopLine == oldTopLine) {
    if (!FDamage.TypedCells(edit)) InvalidateLines(FParaList->RepaintFirst(), FParaList->RepaintLast());
    if (FPlaces.CaretLine() != FParaList->RepaintFirst() ||
        FParaList->RepaintLast() != FParaList->RepaintFirst())
      InvalidateLines(FPlaces.CaretLine(), FPlaces.CaretLine());
  } else {
    InvalidateAll();
  }
}

void TCustomEditor::TextRewrapped() {
  FPlaces.Rewrapped(*FParaList);
  std::int32_t topLine = 1;
  std::int32_t column = 1;
  FParaList->PosToLine(FView.TopPara.Para, FView.TopPara.Pos + 1, topLine, column);
  if (topLine != FView.TopLine)
    SetTopLineQuiet(topLine);
  else
    UpdateTopPara();

  FView.SendHRange();
  FView.LeftColumn = std::min(FView.LeftColumn, FView.HScrollRange());
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
