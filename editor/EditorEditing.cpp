// Typing and the delete family, and the helpers every text-changing command shares: removing
// the selection and placing the caret after an edit. New line and tab are in
// EditorNewLine.cpp, inserting text and undo/redo in EditorInsert.cpp.
//
// Typing, Delete and Backspace write their records outside any group (unless they replace a
// selection), so that a run of keystrokes merges into one undo record; the other commands
// bracket their steps in a group so that one undo reverts the whole command.

#include <algorithm>

#include "editor/CustomEditor.h"
#include "engine/UndoGroup.h"
#include "engine/WordDelimiters.h"

namespace quilmo {

// ---------------------------------------------------------------- helpers

std::uint16_t TCustomEditor::RemoveSelection() {
  const TParaPos a = FPlaces.SelStart();
  const TParaPos e = FPlaces.SelEnd();
  if (a == e) return 0;
  if (a.Para == e.Para) return FParaList->DeleteText(a.Para, a.Pos, e.Pos - a.Pos, this);
  return FParaList->DeleteRegion(a.Para, a.Pos, e.Para, e.Pos, this);
}

std::uint64_t TCustomEditor::SelectionUndoCost() const {
  const TParaPos a = FPlaces.SelStart();
  const TParaPos e = FPlaces.SelEnd();
  return a == e ? 0 : FParaList->RegionUndoCost(a.Para, a.Pos, e.Para, e.Pos);
}

bool TCustomEditor::MayEdit(std::uint64_t undoBytes) {
  TUndoBuffer& undo = FParaList->UndoBuffer();
  if (undo.Reserve(undoBytes)) return true;
  bool proceed = true;
  if (OnUndoTooLarge) OnUndoTooLarge(*this, proceed);
  if (proceed) undo.Abandon();
  return proceed;
}

void TCustomEditor::CaretAfterEdit(TParaPos pos) {
  // The edit left this view's caret where it was (the view that makes an edit places its
  // caret itself): move from there, so that a caret carried to a later line by a wrapped
  // word brings the view back to its first column, as any move to a later line does.
  std::int32_t line = 1;
  std::int32_t column = 1;
  FParaList->PosToLine(pos.Para, pos.Pos, line, column);
  MoveCaretTo(line, column);
}

std::uint16_t TCustomEditor::DeleteSelection() {
  if (ReadOnly() || !HasSelection()) return 0;
  const TParaPos start = FPlaces.SelStart();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (!MayEdit(SelectionUndoCost())) return 0;
    code = RemoveSelection();
  }
  CaretAfterEdit(start);
  return code;
}

// ---------------------------------------------------------------- typing

void TCustomEditor::DoTypeChar(unsigned char ch) {
  if (ReadOnly()) return;
  const char c = static_cast<char>(ch);
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  // The edits below change the text from the typed place on (from the old end when blanks
  // fill a gap): only that part of the row is painted again.
  struct TTypedScope {
    TEditorDamage& Damage;
    ~TTypedScope() { Damage.EndTyped(); }
  } typed{FDamage};
  if (HasSelection()) {
    // The character replaces the selection, whatever the insert mode.
    TUndoGroup group(*FParaList);
    if (!MayEdit(SelectionUndoCost() + kUndoHeaderSize + 1)) return;
    p = FPlaces.SelStart();
    FDamage.BeginTyped(p);
    code = RemoveSelection();
    if (code == 0) code = FParaList->InsertText(p.Para, p.Pos, &c, 1, this);
  } else if (FProps.InsertMode || p.Pos > FParaList->ParaLength(p.Para)) {
    // Overwriting at or behind the end of the paragraph inserts (filling the gap with blanks).
    FDamage.BeginTyped({p.Para, std::min(p.Pos, FParaList->ParaLength(p.Para) + 1)});
    code = FParaList->InsertText(p.Para, p.Pos, &c, 1, this);
  } else {
    FDamage.BeginTyped(p);
    code = FParaList->ReplaceText(p.Para, p.Pos, 1, &c, 1, this);
  }
  if (code != 0) {
    CaretAfterEdit(p);
    ReportError(code);
    return;
  }
  CaretAfterEdit({p.Para, p.Pos + 1});
  PaintNow();
}

// ---------------------------------------------------------------- deleting

void TCustomEditor::DoDelete() {
  if (ReadOnly()) return;
  std::uint16_t code = 0;
  if (HasSelection()) {
    code = DeleteSelection();
  } else {
    const TParaPos p = CaretParaPos();
    if (p.Pos > FParaList->ParaLength(p.Para))
      code = FParaList->MergeParas(p.Para, p.Pos, this);  // behind the end: join the next paragraph
    else
      code = FParaList->DeleteText(p.Para, p.Pos, 1, this);
    CaretAfterEdit(p);
  }
  // Inside a command's group the command repaints once it is done.
  if (!FParaList->UndoBuffer().InGroup()) PaintNow();
  ReportError(code);
}

void TCustomEditor::DoBackspace() {
  if (ReadOnly()) {
    CharLeft(false);
    return;
  }
  if (HasSelection()) {
    DoDelete();
    return;
  }
  if (FPlaces.CaretLine() == 1 && FPlaces.CaretCol() == 1) return;
  const TParaPos before = CaretParaPos();
  const bool inVirtualSpace = before.Pos > FParaList->ParaLength(before.Para) + 1;
  CharLeft(false);
  // Nothing is deleted when the caret could not move (a paragraph start without WrapAtLeft:
  // deleting would take the character under the caret) or only stepped back through the
  // space behind a paragraph's end (deleting there would join the next paragraph).
  if (CaretParaPos() == before || inVirtualSpace) return;
  DoDelete();
}

void TCustomEditor::DoDelBol() {
  if (ReadOnly()) return;
  if (FParaList->LineLength(FPlaces.CaretLine()) == 0) {
    MoveCaretTo(FPlaces.CaretLine(), FPlaces.CaretCol());  // only collapses the selection
    return;
  }
  {
    TUndoGroup group(*FParaList);
    // At column 1 the selection is empty and the character under the caret goes.
    SetSelection(FPlaces.CaretLine(), 1, FPlaces.CaretLine(), FPlaces.CaretCol(), true);
    DoDelete();
  }
  PaintNow();
}

void TCustomEditor::DoDelEol() {
  if (ReadOnly()) return;
  const std::int32_t length = FParaList->LineLength(FPlaces.CaretLine());
  if (FPlaces.CaretCol() > length) {
    MoveCaretTo(FPlaces.CaretLine(), FPlaces.CaretCol());  // only collapses the selection
    return;
  }
  {
    TUndoGroup group(*FParaList);
    SetSelection(FPlaces.CaretLine(), FPlaces.CaretCol(), FPlaces.CaretLine(), length + 1, true);
    DoDelete();
  }
  PaintNow();
}

void TCustomEditor::DoDelLine() {
  if (ReadOnly()) return;
  const std::int32_t line = FPlaces.CaretLine();
  const std::int32_t length = FParaList->LineLength(line);
  const bool last = line >= LineCount();
  if (last && length == 0) {
    MoveCaretTo(FPlaces.CaretLine(), FPlaces.CaretCol());  // an empty last line is left alone
    return;
  }
  {
    TUndoGroup group(*FParaList);
    // Up to the start of the next display line, so that a paragraph break goes too; the
    // last line of the text loses its characters only.
    if (last)
      SetSelection(line, 1, line, length + 1, true);
    else
      SetSelection(line, 1, line + 1, 1, true);
    DoDelete();
  }
  PaintNow();
}

void TCustomEditor::DoDelWord() {
  if (ReadOnly()) return;
  if (HasSelection()) {
    DoDelete();
    return;
  }
  const TParaPos p = CaretParaPos();
  const TParaNode* node = FParaList->GetPara(p.Para);
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;
  // To the first delimiter at or after the caret, then over the blanks that follow: the rest
  // of a word with its blanks, a run of blanks, or nothing on another delimiter (then the
  // delete takes that one character, or joins the next paragraph behind the end).
  const std::int32_t i = PastWordAndBlanks(text, n, p.Pos);
  {
    TUndoGroup group(*FParaList);
    if (i > p.Pos) SelectParaRange(p, {p.Para, i}, true);
    DoDelete();
  }
  PaintNow();
}

}  // namespace quilmo
