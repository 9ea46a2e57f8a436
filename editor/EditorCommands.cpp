// Key entry, the command dispatch (ProcessCommand) and the ten markers.

#include <algorithm>

#include "editor/CommandProcessor.h"
#include "editor/Controller.h"
#include "editor/CustomEditor.h"
#include "editor/KeyBinding.h"
#include "engine/EditorErrors.h"

namespace quilmo {

// ---------------------------------------------------------------- key entry

bool TCustomEditor::KeyDown(std::uint16_t& key, std::uint8_t shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
  // A handler that zeroed the key leaves code 0, which has no binding (a pending sequence breaks).
  const TEditorCommand command =
      EffectiveController().EntryCommands().TranslateKey(static_cast<std::uint8_t>(key & 0xFF), shift);
  if (ProcessCommand(command, key)) return true;
  bool consumed = false;
  if (key == vkTab && FWantTab) {
    if (!ReadOnly()) DoTab();
    DoChange();
    consumed = true;
  } else if (key == vkReturn && FWantEnter) {
    ExecNewLine();
    consumed = true;
  }
  FSuppressChar = command == ccSequencePending || key == vkBack;
  return consumed;
}

void TCustomEditor::KeyPress(unsigned char& ch) {
  if (OnKeyPress) OnKeyPress(*this, ch);
  // Control characters never insert text.
  if (!FSuppressChar && ch >= 32) ProcessCommand(ccTypeChar, ch);
}

void TCustomEditor::SysKeyDown(std::uint16_t& key, std::uint8_t shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
  if (key == vkTab || key == vkMenu) return;
  TShiftState alt;
  alt.Alt = true;
  const TEditorCommand command = EffectiveController().EntryCommands().TranslateSystemKey(key, alt);
  if (command != ccNone) ProcessCommand(command, key);
}

void TCustomEditor::ExecNewLine() {
  DoNewLine(FInsertMode && !ReadOnly(), true);
}

// ---------------------------------------------------------------- commands

bool TCustomEditor::ProcessCommand(TEditorCommand command, std::uint16_t key) {
  const std::int32_t page = FView.Page();
  const bool caretVisible = FView.ShowsLine(FPlaces.CaretLine());
  const bool readOnly = ReadOnly();
  const int markerKey = static_cast<int>(key) - 0x30;
  const std::uint8_t marker = markerKey >= 0 && markerKey <= 9 ? static_cast<std::uint8_t>(markerKey) : 10;
  bool change = false;

  switch (command) {
    case ccBack:
      if (readOnly)
        CharLeft(false);
      else
        DoBackspace();
      change = true;
      break;
    case ccBotOfPage:
      if (caretVisible)
        MoveCaretBy(0, FView.TopLine + FView.VisibleLines - 1 - FPlaces.CaretLine());
      else
        SetTopLine(std::max(1, FPlaces.CaretLine() - FView.VisibleLines + 1));
      break;
    case ccCopy:
      if (HasSelection()) CopyToClipboard();
      break;
    case ccCtrlChar: break;
    case ccCut:
      CutToClipboard();
      change = true;
      break;
    case ccDel:
      if (!readOnly) DoDelete();
      change = true;
      break;
    case ccDelBol:
      if (!readOnly) DoDelBol();
      change = true;
      break;
    case ccDelEol:
      if (!readOnly) DoDelEol();
      change = true;
      break;
    case ccDelLine:
      if (!readOnly) DoDelLine();
      change = true;
      break;
    case ccDelWord:
      if (!readOnly) DoDelWord();
      change = true;
      break;
    case ccDown: MoveCaretBy(0, 1); break;
    case ccUp: MoveCaretBy(0, -1); break;
    case ccEnd: MoveCaretTo(FPlaces.CaretLine(), FParaList->LineLength(FPlaces.CaretLine()) + 1); break;
    case ccHome: MoveCaretTo(FPlaces.CaretLine(), 1); break;
    case ccLeft: CharLeft(false); break;
    case ccRight: CharRight(false); break;
    case ccWordLeft: WordLeft(false); break;
    case ccWordRight: WordRight(false); break;
    case ccNextPage: MoveCaretBy(0, page, false, true); break;
    case ccPrevPage: MoveCaretBy(0, -page, false, true); break;
    case ccTopOfPage:
      if (caretVisible)
        MoveCaretBy(0, FView.TopLine - FPlaces.CaretLine());
      else
        SetTopLine(FPlaces.CaretLine());
      break;
    case ccFirstPage: MoveCaretTo(1, 1); break;
    case ccLastPage: MoveCaretTo(LineCount(), FParaList->LineLength(LineCount()) + 1); break;
    case ccExtendLeft: CharLeft(true); break;
    case ccExtendRight: CharRight(true); break;
    case ccExtendUp: MoveCaretBy(0, -1, true); break;
    case ccExtendDown: MoveCaretBy(0, 1, true); break;
    case ccExtendHome: MoveCaretTo(FPlaces.CaretLine(), 1, true); break;
    case ccExtendEnd:
      MoveCaretTo(FPlaces.CaretLine(), FParaList->LineLength(FPlaces.CaretLine()) + 1, true);
      break;
    case ccExtWordLeft: WordLeft(true); break;
    case ccExtWordRight: WordRight(true); break;
    case ccExtFirstPage: MoveCaretTo(1, 1, true); break;
    case ccExtLastPage: MoveCaretTo(LineCount(), FParaList->LineLength(LineCount()) + 1, true); break;
    case ccExtendPgDn: MoveCaretBy(0, page, true, true); break;
    case ccExtendPgUp: MoveCaretBy(0, -page, true, true); break;
    case ccExtTopOfPage:
      if (caretVisible) MoveCaretBy(0, FView.TopLine - FPlaces.CaretLine(), true);
      break;
    case ccExtBotOfPage:
      if (caretVisible) MoveCaretBy(0, FView.TopLine + FView.VisibleLines - 1 - FPlaces.CaretLine(), true);
      break;
    case ccIns: SetInsertMode(!FInsertMode); break;
    case ccNewLine: ExecNewLine(); break;
    case ccPaste:
      PasteFromClipboard();
      change = true;
      break;
    case ccRedo:
      Redo();
      change = true;
      break;
    case ccUndo:
      Undo();
      change = true;
      break;
    case ccScrollDown: ScrollView(0, FWheelDelta); break;
    case ccScrollUp: ScrollView(0, -FWheelDelta); break;
    case ccTab:
      if (!readOnly) DoTab();
      change = true;
      break;
    case ccTypeChar:
      if (!readOnly) DoTypeChar(static_cast<unsigned char>(key));
      change = true;
      break;
    default:
      if (command >= ccGotoMarker0 && command <= ccGotoMarker9) {
        GotoMarker(marker);
      } else if (command >= ccSetMarker0 && command <= ccSetMarker9) {
        SetMarker(marker);
      } else if (command >= ccUserFirst) {
        DoUserCommand(command);
      } else {
        return false;
      }
      break;
  }
  if (change) DoChange();
  return true;
}

// ---------------------------------------------------------------- markers

void TCustomEditor::SetMarker(std::uint8_t n) {
  if (n >= 10) return;
  FParaList->SetMarkerPos(n, FPlaces.CaretPara(), FPlaces.LineOffset() + FPlaces.CaretCol());
  InvalidateAll();
}

void TCustomEditor::SetMarkerAt(std::uint8_t n, std::int32_t line, std::int32_t column) {
  if (n > 9) return;
  if (line < 1 || line > LineCount() || column < 1) throw EInvalidLineOrCol();
  FParaList->SetMarker(n, line, column);
  InvalidateAll();
}

void TCustomEditor::ClearMarker(std::uint8_t n) {
  if (n >= 10) return;
  FParaList->SetMarkerPos(n, 0, 0);
  InvalidateAll();
}

void TCustomEditor::GotoMarker(std::uint8_t n) {
  if (n > 9) return;
  const TMarker marker = FParaList->Marker(n);
  if (marker.Para == 0 || marker.Pos == 0) return;
  MoveCaretToPara(marker.Para, marker.Pos);
}

std::int32_t TCustomEditor::GetMarkerPosition(std::uint8_t n, std::int32_t& column) {
  if (n >= 10) return -1;
  const TMarker marker = FParaList->Marker(n);
  if (marker.Para == 0 || marker.Pos == 0) return -1;
  if (marker.Para > ParaCount()) throw EInvalidLineOrPara();
  std::int32_t line = 1;
  FParaList->PosToLine(marker.Para, marker.Pos, line, column);
  return line;
}

}  // namespace quilmo
