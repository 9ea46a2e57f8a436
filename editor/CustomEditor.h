#pragma once
// The editor control's logic: a view of a paragraph list with one caret, one selection,
// a scroll position, ten markers shared with the text, key entry through the controller's
// command processor, the mouse, the scroll bars and the notifications. The toolkit is
// reached through TEditorHost; painting goes to a TEditorCanvas.
//
// Coordinates are 1-based: (paragraph, position) and (display line, column). Screen
// columns count after tab expansion.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "editor/Caret.h"
#include "editor/CommandCodes.h"
#include "editor/EditorCanvas.h"
#include "editor/EditorDamage.h"
#include "editor/EditorHost.h"
#include "editor/EditorProperties.h"
#include "editor/EditorStyle.h"
#include "editor/EditorViewport.h"
#include "editor/FixedFont.h"
#include "editor/MouseSelection.h"
#include "editor/ViewState.h"
#include "engine/ParaList.h"
#include "engine/ParaListView.h"

namespace quilmo {

class TController;
class TCustomEditor;

using TNotifyEvent = std::function<void(TCustomEditor& sender)>;
using TShowStatusEvent = std::function<void(TCustomEditor& sender, int lineNum, int colNum)>;
using TTopLineChangedEvent = std::function<void(TCustomEditor& sender, int line)>;
using TUserCommandEvent = std::function<void(TCustomEditor& sender, TEditorCommand command)>;
using TEditorErrorEvent = std::function<void(TCustomEditor& sender, std::uint16_t& errorCode)>;
// An edit is too large for the undo history: clearing `proceed` leaves the text unchanged;
// an edit that goes on cannot be undone, and the history before it is forgotten.
using TUndoTooLargeEvent = std::function<void(TCustomEditor& sender, bool& proceed)>;
// One painted row: the row's text rectangle, the (tab-expanded) line text and its length,
// the display line, LeftColumn, VisibleColumns and the selection as displayed (all 0 when
// none is shown). Setting wasDrawn leaves the row's text to the handler.
using TEditorDrawLineEvent = std::function<void(
    TCustomEditor& sender, TEditorCanvas& canvas, const TRect& rect, const char* s, int len, int line,
    int pos, int count, int hbLine, int hbCol, int heLine, int heCol, bool& wasDrawn)>;
using TMouseWheelEvent =
    std::function<void(TCustomEditor& sender, std::uint8_t shift, int delta, int xPos, int yPos)>;
// Key-down: a handler may set the key to 0.
using TKeyEvent = std::function<void(TCustomEditor& sender, std::uint16_t& key, std::uint8_t shift)>;
// Character: a handler may set the character to 0.
using TKeyPressEvent = std::function<void(TCustomEditor& sender, unsigned char& key)>;

class TCustomEditor : public TParaListView {
 public:
  TCustomEditor();
  ~TCustomEditor() override;
  TCustomEditor(const TCustomEditor&) = delete;
  TCustomEditor& operator=(const TCustomEditor&) = delete;

  // ------------------------------------------------------------------ window and host
  // The toolkit side; null detaches (the control then has no window).
  void SetHost(TEditorHost* host);
  TEditorHost& Host() const { return *FHost; }
  // Window creation: scroll-bar styles, ranges, layout and wrap column. The host calls it
  // once it can report its client size; properties that change the window style call it again.
  void CreateWnd();
  bool HandleAllocated() const { return FWindowCreated; }

  // ------------------------------------------------------------------ events from the host
  void Paint(TEditorCanvas& canvas, const TRect& clip);
  void Resize();
  void FocusIn();
  void FocusOut();
  // Key-down with the virtual-key code and shift flags; true when the key was consumed.
  bool KeyDown(std::uint16_t& key, std::uint8_t shift);
  // A character message (Windows-1252 byte).
  void KeyPress(unsigned char& ch);
  // A key pressed with Alt.
  void SysKeyDown(std::uint16_t& key, std::uint8_t shift);
  // Left button.
  void MouseDown(int x, int y, std::uint8_t shift);
  void MouseMove(int x, int y, std::uint8_t shift);
  void MouseUp(int x, int y);
  void DoubleClick(int x, int y, std::uint8_t shift);
  // The mouse cursor is over (x, y): chooses the line cursor or the I-beam.
  void CursorQuery(int x, int y);
  void AutoScrollTick();
  // One wheel message (a notch); delta > 0 away from the user.
  virtual void MouseWheel(std::uint8_t shift, int delta, int x, int y);
  void VScroll(TScrollCode code, int pos);
  void HScroll(TScrollCode code, int pos);
  // The queued status call (see TEditorHost::PostStatus).
  void StatusMessage(int column, int line);

  // ------------------------------------------------------------------ properties
  bool AutoIndent() const { return FProps.AutoIndent; }
  void SetAutoIndent(bool value) { FProps.AutoIndent = value; }
  bool NewStyleIndent() const { return FProps.NewStyleIndent; }
  void SetNewStyleIndent(bool value);
  std::int32_t ByteLimit() const { return FParaList->ByteLimit(); }
  virtual void SetByteLimit(std::int32_t value);
  std::int32_t ParaLimit() const { return FParaList->ParaLimit(); }
  void SetParaLimit(std::int32_t value);
  std::int32_t ParaLengthLimit() const { return FParaList->ParaLengthLimit(); }
  void SetParaLengthLimit(std::int32_t value);
  // Enabling any border sets BorderStyle to none and the 3-D look off; repaints.
  TBorders& Borders() { return FBorders; }
  TEditorBorderStyle BorderStyle() const { return FProps.BorderStyle; }
  void SetBorderStyle(TEditorBorderStyle value);
  bool Ctl3D() const { return FProps.Ctl3D; }
  void SetCtl3D(bool value);
  // The insert and overwrite carets; the one of the present mode is shown while focused.
  TCaretPair& Carets() { return FCarets; }
  const std::shared_ptr<TCaret>& CaretIns() const { return FCarets.CaretIns(); }
  void SetCaretIns(std::shared_ptr<TCaret> caret) { FCarets.SetCaretIns(std::move(caret)); }
  const std::shared_ptr<TCaret>& CaretOvr() const { return FCarets.CaretOvr(); }
  void SetCaretOvr(std::shared_ptr<TCaret> caret) { FCarets.SetCaretOvr(std::move(caret)); }
  // A change of the font recomputes the layout.
  TFixedFont& FixedFont() { return FFixedFont; }
  // Colours of selected text; a change repaints.
  TColors& HighlightColors() { return FHighlightColors; }
  TColor Color() const { return FProps.Color; }
  void SetColor(TColor value);
  bool HideSelection() const { return FProps.HideSelection; }
  void SetHideSelection(bool value);
  bool InsertMode() const { return FProps.InsertMode; }
  void SetInsertMode(bool value);
  // The LinePositions of MarginOptions.Left and .Right.
  std::int32_t LeftMargin() const { return FMarginOptions.Left().LinePosition(); }
  void SetLeftMargin(std::int32_t value) { FMarginOptions.Left().SetLinePosition(value); }
  std::int32_t RightMargin() const { return FMarginOptions.Right().LinePosition(); }
  void SetRightMargin(std::int32_t value) { FMarginOptions.Right().SetLinePosition(value); }
  // A change of position, weight or Enabled recomputes the layout; of style or colour repaints.
  TEditorMargins& MarginOptions() { return FMarginOptions; }
  TColor MarginColor() const { return FProps.MarginColor; }
  void SetMarginColor(TColor value);
  virtual bool ReadOnly() const { return FProps.ReadOnly; }
  void SetReadOnly(bool value) { FProps.ReadOnly = value; }
  TColor RuleColor() const { return FProps.RuleColor; }
  void SetRuleColor(TColor value);
  TScrollStyle ScrollBars() const { return FProps.ScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool ScrollBarsAlways() const { return FProps.ScrollBarsAlways; }
  void SetScrollBarsAlways(bool value);
  bool ScrollPastEnd() const { return FProps.ScrollPastEnd; }
  void SetScrollPastEnd(bool value);
  bool ShowBookmarks() const { return FProps.ShowBookmarks; }
  void SetShowBookmarks(bool value);
  // Line numbers in the left margin, which widens by their width + 5.
  bool ShowLineNumbers() const { return FProps.ShowLineNumbers; }
  void SetShowLineNumbers(bool value);
  std::int32_t LineNumberWidth() const { return FLineNumberWidth; }
  bool ShowRules() const { return FProps.ShowRules; }
  void SetShowRules(bool value);
  std::uint8_t TabSize() const { return FParaList->TabSize(); }
  void SetTabSize(std::uint8_t value);
  TTabType TabType() const { return FProps.TabType; }
  void SetTabType(TTabType value);
  std::uint16_t UndoBufferSize() const { return FParaList->UndoBufferSize(); }
  void SetUndoBufferSize(std::uint16_t value);
  bool WantEnter() const { return FProps.WantEnter; }
  void SetWantEnter(bool value) { FProps.WantEnter = value; }
  bool WantTab() const { return FProps.WantTab; }
  void SetWantTab(bool value) { FProps.WantTab = value; }
  std::int32_t WheelDelta() const { return FProps.WheelDelta; }
  void SetWheelDelta(std::int32_t value) { FProps.WheelDelta = value; }
  bool WordWrap() const { return FParaList->WordWrap(); }
  void SetWordWrap(bool value);
  bool WrapAtLeft() const { return FProps.WrapAtLeft; }
  void SetWrapAtLeft(bool value);
  std::int32_t WrapColumn() const { return FParaList->WrapColumn(); }
  void SetWrapColumn(std::int32_t value);
  bool WrapToWindow() const { return FProps.WrapToWindow; }
  void SetWrapToWindow(bool value);
  // The controller whose command processor and insert-mode flag the control uses; null =
  // the process-wide default controller.
  TController* Controller() const { return FController; }
  void SetController(TController* controller) { FController = controller; }
  TController& EffectiveController() const;

  // ------------------------------------------------------------------ events
  TNotifyEvent OnChange;
  TEditorDrawLineEvent OnDrawLine;
  TEditorErrorEvent OnError;
  TUndoTooLargeEvent OnUndoTooLarge;
  TShowStatusEvent OnShowStatus;
  TTopLineChangedEvent OnTopLineChanged;
  TUserCommandEvent OnUserCommand;
  TMouseWheelEvent OnMouseWheel;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

  // ------------------------------------------------------------------ the text
  TParaList& ParaList() const { return *FParaList; }
  std::int32_t LineCount() const { return FParaList->LineCount(); }
  std::int32_t ParaCount() const { return FParaList->ParaCount(); }
  std::int32_t ByteCount() const { return FParaList->ByteCount(); }
  bool Modified() const { return FParaList->Modified(); }
  void SetModified(bool value) { FParaList->SetModified(value); }
  // Replaces the text by a new empty list that keeps the limits, the wrapping settings and
  // the undo buffer size; leaves a shared ring first.
  void ClearText(bool repaint);
  // A new empty list with the present list's limits, wrapping settings and undo buffer size.
  std::shared_ptr<TParaList> NewEmptyList() const;
  // Shows `list` instead of the present text (leaving a shared ring first), view at the top.
  void ReplaceText(std::shared_ptr<TParaList> list, bool repaint);
  // Shows the text of `other` (joins its ring of views).
  virtual void Attach(TCustomEditor& other);
  // The next control of the ring sharing this text (this one when alone).
  TCustomEditor& NextView() const;

  // ------------------------------------------------------------------ commands and caret
  // Executes one editor command; true when it is one the control acts on.
  virtual bool ProcessCommand(TEditorCommand command, std::uint16_t key);
  void GetCaretPosition(std::int32_t& line, std::int32_t& column) const;
  void SetCaretPosition(std::int32_t line, std::int32_t column);
  void MoveCaretBy(std::int32_t dc, std::int32_t dl, bool extend = false, bool keepRow = false);
  void MoveCaretTo(std::int32_t line, std::int32_t column, bool extend = false);
  void MoveCaretToPara(std::int32_t para, std::int32_t pos, bool extend = false);
  std::int32_t CaretLine() const { return FPlaces.CaretLine(); }
  std::int32_t CaretCol() const { return FPlaces.CaretCol(); }
  std::int32_t CaretPara() const { return FPlaces.CaretPara(); }
  std::int32_t LineOffset() const { return FPlaces.LineOffset(); }
  TParaPos CaretParaPos() const { return FPlaces.Caret(); }
  // Screen column of the caret.
  std::int32_t CaretScreenColumn();

  // ------------------------------------------------------------------ selection
  bool GetSelection(std::int32_t& startLine, std::int32_t& startCol, std::int32_t& endLine,
                    std::int32_t& endCol) const;
  bool HasSelection() const { return FPlaces.HasSelection(); }
  void SetSelection(std::int32_t line1, std::int32_t col1, std::int32_t line2, std::int32_t col2,
                    bool caretAtEnd);
  void SelectAll(bool caretAtEnd);
  void CollapseSelection(bool toEnd);
  TParaPos SelStart() const { return FPlaces.SelStart(); }
  TParaPos SelEnd() const { return FPlaces.SelEnd(); }
  TParaPos SelCaretEnd() const { return FPlaces.SelCaretEnd(); }
  // Line/column forms of SelStart and SelEnd.
  std::int32_t SelStartLine() const { return FPlaces.SelStartLine(); }
  std::int32_t SelStartCol() const { return FPlaces.SelStartCol(); }
  std::int32_t SelEndLine() const { return FPlaces.SelEndLine(); }
  std::int32_t SelEndCol() const { return FPlaces.SelEndCol(); }

  // ------------------------------------------------------------------ scrolling and layout
  std::int32_t TopLine() const { return FView.TopLine; }
  void SetTopLine(std::int32_t line);
  virtual void ScrollView(std::int32_t columns, std::int32_t lines);
  std::int32_t LeftColumn() const { return FView.LeftColumn; }
  std::int32_t VisibleLines() const { return FView.VisibleLines; }
  std::int32_t VisibleColumns();
  std::int32_t CharWidth() const { return FView.CharWidth; }
  std::int32_t LineHeight() const { return FView.LineHeight; }
  std::int32_t VScrollDivisor() const { return FView.VScrollDivisor(); }
  std::int32_t VScrollMax() const { return FView.VScrollMax(); }
  std::int32_t HScrollRange() const { return FView.HScrollRange(); }
  bool FullRepaintPending() const { return FDamage.FullPending(); }
  // Recomputes the scroll bars and the layout, invalidates everything; paints now if asked.
  void RefreshLayout(bool update);
  // Maps a client point to a display line and column.
  void PointToLineCol(int x, int y, std::int32_t& line, std::int32_t& column);

  // ------------------------------------------------------------------ markers
  virtual void SetMarker(std::uint8_t n);
  virtual void SetMarkerAt(std::uint8_t n, std::int32_t line, std::int32_t column);
  virtual void ClearMarker(std::uint8_t n);
  void GotoMarker(std::uint8_t n);
  // -1 when n >= 10 or the marker is unset.
  std::int32_t GetMarkerPosition(std::uint8_t n, std::int32_t& column);

  // ------------------------------------------------------------------ words and lines
  std::string GetWordAtCaret();
  // The display line with its tabs expanded.
  std::string GetLineText(std::int32_t line);
  // The same copied into `buffer`, cut at `size` characters; returns the length copied.
  std::int32_t GetExpandedLine(std::int32_t line, char* buffer, std::int32_t size);

  // ------------------------------------------------------------------ clipboard
  virtual void CopyToClipboard();
  virtual void CutToClipboard();
  virtual void PasteFromClipboard();

  // ------------------------------------------------------------------ editing (EditorEditing.cpp,
  // EditorInsert.cpp) Inserts text at the caret, replacing any selection, as one undoable group; the caret
  // goes to the end of the text. Returns 0 or an error code.
  virtual std::uint16_t InsertString(std::string_view text);
  // Deletes the selection (nothing without one); the caret goes to its start. 0 or a code.
  virtual std::uint16_t DeleteSelection();
  virtual void Undo();
  virtual void Redo();
  bool CanUndo() const;
  bool CanRedo() const;
  void ClearUndo();

  // ------------------------------------------------------------------ search (EditorSearch.cpp)
  // Finds and selects the next or previous occurrence of `text` (options: the so* bits of
  // engine/Search.h). True when one was selected or `text` is empty.
  bool Search(std::string_view text, std::uint8_t options);
  // Search, replacing the selected occurrence (soReplace) or every occurrence in the scope
  // (soReplaceAll). The number of replacements when above 0; 0 when none was made but an
  // occurrence was selected; -1 when nothing was found; the error code of a failed replacement.
  int Replace(std::string_view text, std::string_view replacement, std::uint8_t options);

  // ------------------------------------------------------------------ status
  bool MouseCaptured() const { return FMouse.Captured(); }
  bool InLeftMargin() const { return FInLeftMargin; }
  bool SuppressChar() const { return FSuppressChar; }

 protected:
  // Overridable notifications.
  virtual void DoChange();
  // Reports a non-zero error code: OnError when assigned, else EEditorError.
  virtual void ReportError(std::uint16_t code);
  virtual void DoShowStatus(int lineNum, int colNum);
  virtual void DoTopLineChanged(int line);
  virtual void DoUserCommand(TEditorCommand command);
  // The draw-line hook; returns wasDrawn.
  virtual bool DrawLine(TEditorCanvas& canvas, const TRect& rect, const char* s, int len, int line, int pos,
                        int count, int hbLine, int hbCol, int heLine, int heCol);

  // The text-changing commands (EditorEditing.cpp, EditorNewLine.cpp). They act at the caret, leave the
  // selection collapsed at the new caret and report their errors themselves.
  virtual void DoTypeChar(unsigned char ch);
  virtual void DoBackspace();
  virtual void DoDelete();
  virtual void DoDelBol();
  virtual void DoDelEol();
  virtual void DoDelLine();
  virtual void DoDelWord();
  // New line: breakPara splits the paragraph at the caret, moveCaret moves the caret to the
  // next paragraph. Fires OnChange when it changed the text.
  virtual void DoNewLine(bool breakPara, bool moveCaret);
  virtual void DoTab();

  // TParaListView: edits of the shared text.
  void ParaDeleted(int para, bool isSender) override;
  void CharsDeleted(int para, int pos, int count, bool isSender) override;
  void ParaInserted(int para, int pos, int indent, bool isSender) override;
  void CharsInserted(int para, int pos, int count, bool isSender) override;
  void ParasJoined(int para, int pos, bool isSender) override;
  void TextRewrapped() override;
  void ModifiedChanged() override;
  void BusyCursor(bool on) override;
  // Moves the top of the view and, unless this view made the edit, the caret and the
  // selection by one edit.
  void Follow(const TTextEdit& edit, bool isSender);

  // Helpers shared by the feature files and available to descendants.
  void PlaceCaret();
  // Collapses the selection at the caret / extends it to the caret, invalidating the lines
  // whose selection state changed.
  void CollapseAtCaret();
  void ExtendToCaret();
  // Invalidates the whole control (marks a full repaint pending).
  void InvalidateAll() { FDamage.All(); }
  // Invalidates the rows of the display lines first..last that are on screen (kMaxInt32:
  // to the bottom).
  void InvalidateLines(std::int32_t first, std::int32_t last) { FDamage.Lines(first, last); }
  void PaintNow();
  // Recomputes TopPara from TopLine.
  void UpdateTopPara();
  // Sets TopLine without moving pixels (edits, rewrapping, clearing); fires OnTopLineChanged.
  void SetTopLineQuiet(std::int32_t line);
  // Recomputes LineNumberWidth; while line numbers are shown the left margin follows it.
  void UpdateLineNumberWidth();
  void FontChanged();
  void MarginsChanged(bool layoutChanged);
  void BordersChanged();
  // Shows a property change as it asks.
  void Apply(TPropertyEffect effect);
  // Sizes the caret to the character cell and shows the shape of the present mode.
  void FitCaret();
  // x of the text's first column (the left margin, 5 more with the left margin line).
  std::int32_t TextLeft() const;
  // Screen column of a column of a display line.
  std::int32_t ScreenColumn(std::int32_t line, std::int32_t column);
  // Column of a display line covering a screen column.
  std::int32_t ColumnOfScreen(std::int32_t line, std::int32_t screenColumn);
  bool CaretVisible(std::int32_t screenColumn) const;

  void MoveCaret(std::int32_t dc, std::int32_t dl, bool extend, bool keepRow, bool convertColumn);
  void CharLeft(bool extend);
  void CharRight(bool extend);
  void WordLeft(bool extend);
  void WordRight(bool extend);
  void UpdateLayout();
  void SelectParaRange(TParaPos from, TParaPos to, bool caretAtEnd);
  // One turn of the mouse selection loop.
  void MouseTurn(bool force);
  void ExecNewLine();
  // Deletes the selected text without moving the caret; 0 or an error code.
  std::uint16_t RemoveSelection();
  // The undo bytes RemoveSelection writes at most (0 without a selection).
  std::uint64_t SelectionUndoCost() const;
  // Inside the group of an edit whose undo records take up to `undoBytes`: whether it may go
  // on. When the history cannot hold it, OnUndoTooLarge decides (without a handler it goes
  // on); an edit that goes on is not recorded.
  bool MayEdit(std::uint64_t undoBytes);
  // The undo bytes a replace-all with these arguments would write at most.
  std::uint64_t ReplaceAllUndoCost(std::string_view pattern, std::string_view replacement,
                                   std::uint8_t options);
  // After an edit: caret to a paragraph position, selection collapsed there, view revealed.
  void CaretAfterEdit(TParaPos pos);
  // Inserts blanks at the caret (over the selection; in overwrite mode over as many characters).
  void InsertBlanks(std::int32_t count);
  // Leaves the ring of views sharing the text (frees the list when alone).
  void DetachList();
  void AttachList(std::shared_ptr<TParaList> list);
  void ResetViewState();

 private:
  // What each named command does (EditorCommands.cpp).
  struct TCommandEntry;
  static const TCommandEntry& NamedCommand(TEditorCommand command);

 protected:
  // Data
  TEditorHost* FHost;
  TController* FController = nullptr;
  std::shared_ptr<TParaList> FParaList;
  bool FWindowCreated = false;
  // The plain properties (read by the viewport below).
  TEditorProperties FProps;

  // View state: the caret and the selection, the window's part of the text, the metrics.
  TViewPlaces FPlaces;
  // The window's part of the text and the scroll bars; reads the scroll-bar properties.
  TEditorViewport FView{{FHost, FWindowCreated, FProps.ScrollBars, FProps.ScrollBarsAlways, FParaList}};
  bool FInLeftMargin = false;
  bool FSuppressChar = false;
  bool FRedrawSuspended = false;
  bool FInLayout = false;
  bool FFollowingRewrap = false;  // laying out after a re-wrap of the text
  std::int32_t FLineNumberWidth = 0;

  // The press of the left button being dragged.
  TMouseSelection FMouse;

  // Properties that tell of their changes (the plain ones are in FProps).
  TBorders FBorders;
  TCaretPair FCarets;
  TFixedFont FFixedFont;
  TColors FHighlightColors;
  TEditorMargins FMarginOptions;

  // What to paint again; reads the view, the text and the look above.
  TEditorDamage FDamage{{FHost, FView, FParaList, FMarginOptions, FBorders, FFixedFont}};
};

}  // namespace quilmo
