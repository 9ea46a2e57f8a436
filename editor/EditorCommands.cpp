// Key entry, the command dispatch (ProcessCommand: a table from command code to what the
// control does) and the ten markers.

#include <algorithm>
#include <array>

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
  if (key == vkTab && FProps.WantTab) {
    if (!ReadOnly()) DoTab();
    DoChange();
    consumed = true;
  } else if (key == vkReturn && FProps.WantEnter) {
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
  DoNewLine(FProps.InsertMode && !ReadOnly(), true);
}

// ---------------------------------------------------------------- commands

namespace {

// The marker a key of the marker commands names ('0'..'9'); 10 for any other key.
std::uint8_t MarkerOfKey(std::uint16_t key) {
  const int n = static_cast<int>(key) - 0x30;
  return n >= 0 && n <= 9 ? static_cast<std::uint8_t>(n) : 10;
}

}  // namespace

// One named command: what it does with the control, or the edit a read-only control skips
// (neither: a code the control does not act on), and whether OnChange follows, whether or
// not the text changed.
struct TCustomEditor::TCommandEntry {
  void (*Run)(TCustomEditor& editor, std::uint16_t key) = nullptr;
  void (TCustomEditor::*Edit)() = nullptr;
  bool Changes = false;
};

const TCustomEditor::TCommandEntry& TCustomEditor::NamedCommand(TEditorCommand command) {
  using E = TCustomEditor;
  using TRun = void (*)(E&, std::uint16_t);
  static const auto table = [] {
    std::array<TCommandEntry, ccUserFirst> t{};
    auto moves = [&t](TEditorCommand c, TRun run) { t[c] = {run, nullptr, false}; };
    auto changes = [&t](TEditorCommand c, TRun run) { t[c] = {run, nullptr, true}; };
    auto edits = [&t](TEditorCommand c, void (E::*edit)()) { t[c] = {nullptr, edit, true}; };
    // The caret within the text.
    moves(ccLeft, [](E& e, std::uint16_t) { e.CharLeft(false); });
    moves(ccRight, [](E& e, std::uint16_t) { e.CharRight(false); });
    moves(ccUp, [](E& e, std::uint16_t) { e.MoveCaretBy(0, -1); });
    moves(ccDown, [](E& e, std::uint16_t) { e.MoveCaretBy(0, 1); });
    moves(ccWordLeft, [](E& e, std::uint16_t) { e.WordLeft(false); });
    moves(ccWordRight, [](E& e, std::uint16_t) { e.WordRight(false); });
    moves(ccHome, [](E& e, std::uint16_t) { e.MoveCaretTo(e.CaretLine(), 1); });
    moves(ccEnd, [](E& e, std::uint16_t) {
      e.MoveCaretTo(e.CaretLine(), e.FParaList->LineLength(e.CaretLine()) + 1);
    });
    moves(ccFirstPage, [](E& e, std::uint16_t) { e.MoveCaretTo(1, 1); });
    moves(ccLastPage, [](E& e, std::uint16_t) {
      e.MoveCaretTo(e.LineCount(), e.FParaList->LineLength(e.LineCount()) + 1);
    });
    moves(ccNextPage, [](E& e, std::uint16_t) { e.MoveCaretBy(0, e.FView.Page(), false, true); });
    moves(ccPrevPage, [](E& e, std::uint16_t) { e.MoveCaretBy(0, -e.FView.Page(), false, true); });
    moves(ccTopOfPage, [](E& e, std::uint16_t) {
      if (e.FView.ShowsLine(e.CaretLine()))
        e.MoveCaretBy(0, e.FView.TopLine - e.CaretLine());
      else
        e.SetTopLine(e.CaretLine());
    });
    moves(ccBotOfPage, [](E& e, std::uint16_t) {
      if (e.FView.ShowsLine(e.CaretLine()))
        e.MoveCaretBy(0, e.FView.TopLine + e.FView.VisibleLines - 1 - e.CaretLine());
      else
        e.SetTopLine(std::max(1, e.CaretLine() - e.FView.VisibleLines + 1));
    });
    // The same extending the selection.
    moves(ccExtendLeft, [](E& e, std::uint16_t) { e.CharLeft(true); });
    moves(ccExtendRight, [](E& e, std::uint16_t) { e.CharRight(true); });
    moves(ccExtendUp, [](E& e, std::uint16_t) { e.MoveCaretBy(0, -1, true); });
    moves(ccExtendDown, [](E& e, std::uint16_t) { e.MoveCaretBy(0, 1, true); });
    moves(ccExtWordLeft, [](E& e, std::uint16_t) { e.WordLeft(true); });
    moves(ccExtWordRight, [](E& e, std::uint16_t) { e.WordRight(true); });
    moves(ccExtendHome, [](E& e, std::uint16_t) { e.MoveCaretTo(e.CaretLine(), 1, true); });
    moves(ccExtendEnd, [](E& e, std::uint16_t) {
      e.MoveCaretTo(e.CaretLine(), e.FParaList->LineLength(e.CaretLine()) + 1, true);
    });
    moves(ccExtFirstPage, [](E& e, std::uint16_t) { e.MoveCaretTo(1, 1, true); });
    moves(ccExtLastPage, [](E& e, std::uint16_t) {
      e.MoveCaretTo(e.LineCount(), e.FParaList->LineLength(e.LineCount()) + 1, true);
    });
    moves(ccExtendPgDn, [](E& e, std::uint16_t) { e.MoveCaretBy(0, e.FView.Page(), true, true); });
    moves(ccExtendPgUp, [](E& e, std::uint16_t) { e.MoveCaretBy(0, -e.FView.Page(), true, true); });
    moves(ccExtTopOfPage, [](E& e, std::uint16_t) {
      if (e.FView.ShowsLine(e.CaretLine())) e.MoveCaretBy(0, e.FView.TopLine - e.CaretLine(), true);
    });
    moves(ccExtBotOfPage, [](E& e, std::uint16_t) {
      if (e.FView.ShowsLine(e.CaretLine()))
        e.MoveCaretBy(0, e.FView.TopLine + e.FView.VisibleLines - 1 - e.CaretLine(), true);
    });
    // The view alone.
    moves(ccScrollDown, [](E& e, std::uint16_t) { e.ScrollView(0, e.FProps.WheelDelta); });
    moves(ccScrollUp, [](E& e, std::uint16_t) { e.ScrollView(0, -e.FProps.WheelDelta); });
    for (TEditorCommand c = ccGotoMarker0; c <= ccGotoMarker9; ++c)
      moves(c, [](E& e, std::uint16_t key) { e.GotoMarker(MarkerOfKey(key)); });
    for (TEditorCommand c = ccSetMarker0; c <= ccSetMarker9; ++c)
      moves(c, [](E& e, std::uint16_t key) { e.SetMarker(MarkerOfKey(key)); });
    moves(ccIns, [](E& e, std::uint16_t) { e.SetInsertMode(!e.FProps.InsertMode); });
    moves(ccCopy, [](E& e, std::uint16_t) {
      if (e.HasSelection()) e.CopyToClipboard();
    });
    moves(ccCtrlChar, [](E&, std::uint16_t) {});
    // The text; a read-only control reports the change all the same.
    moves(ccNewLine, [](E& e, std::uint16_t) { e.ExecNewLine(); });
    changes(ccTypeChar, [](E& e, std::uint16_t key) {
      if (!e.ReadOnly()) e.DoTypeChar(static_cast<unsigned char>(key));
    });
    changes(ccBack, [](E& e, std::uint16_t) {
      if (e.ReadOnly())
        e.CharLeft(false);
      else
        e.DoBackspace();
    });
    edits(ccDel, &E::DoDelete);
    edits(ccDelBol, &E::DoDelBol);
    edits(ccDelEol, &E::DoDelEol);
    edits(ccDelLine, &E::DoDelLine);
    edits(ccDelWord, &E::DoDelWord);
    edits(ccTab, &E::DoTab);
    changes(ccCut, [](E& e, std::uint16_t) { e.CutToClipboard(); });
    changes(ccPaste, [](E& e, std::uint16_t) { e.PasteFromClipboard(); });
    changes(ccUndo, [](E& e, std::uint16_t) { e.Undo(); });
    changes(ccRedo, [](E& e, std::uint16_t) { e.Redo(); });
    return t;
  }();
  return table[command];
}

bool TCustomEditor::ProcessCommand(TEditorCommand command, std::uint16_t key) {
  if (command >= ccUserFirst) {
    DoUserCommand(command);
    return true;
  }
  const TCommandEntry& entry = NamedCommand(command);
  if (entry.Edit) {
    if (!ReadOnly()) (this->*entry.Edit)();
  } else if (entry.Run) {
    entry.Run(*this, key);
  } else {
    return false;
  }
  if (entry.Changes) DoChange();
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
