#pragma once
// Paints the editor control from a snapshot of its view state onto a TEditorCanvas.
//
// The painter knows nothing of the control: the control fills a TPaintInput (view state,
// colours, flags, callbacks for line text and markers, its OnDrawLine hook) and calls
// PaintEditor from its paint handler. The paint order is:
//    1-2  the band below the last full row          7  left margin in MarginColor, marker glyphs
//    3-5  colours, rows touched by the clip box,    8  line numbers
//         whether the selection is shown            9-10 the rows (runs, OnDrawLine, rules)
//    6    the strips left and right of the text     11 the margin lines
// then `AfterContent` (the control sends its pending scroll-bar updates, clears its full
// repaint flag and places the caret), then the enabled borders.
// The fills, the runs of text, the marker glyphs and the line numbers are painted only where
// they meet the clip box (a narrow box costs little); the rules, the margin lines and the
// borders are drawn whole, as a paint of the whole client draws them.

#include <functional>
#include <string>
#include <string_view>

#include "editor/EditorCanvas.h"
#include "editor/EditorStyle.h"
#include "editor/Graphics.h"
#include "engine/ParaNode.h"

namespace quilmo {

// The marker glyph strip: ten glyphs side by side, glyph n showing the digit n.
inline constexpr int kMarkerGlyphStripWidth = 120;
inline constexpr int kMarkerGlyphStripHeight = 12;
inline constexpr int kMarkerGlyphWidth = kMarkerGlyphStripWidth / 10;

// With the left margin line drawn, the text sits this many pixels right of the cell grid.
inline constexpr int kLeftLineTextShift = 4;

struct TLineColumn {
  int Line = 1;
  int Column = 1;
  bool operator==(const TLineColumn&) const = default;
};

// The control's OnDrawLine without its sender: canvas, the row's text rectangle, the line's
// text (tabs expanded; empty when nothing of it is visible or below the text), the display
// line, LeftColumn, VisibleColumns, the selection as displayed (start line, start screen
// column, end line, end screen column; all 0 when no selection is shown) and WasDrawn
// (false on entry; true means the control draws nothing for that row's text).
// A non-empty `s` points into the storage LineText gave (or into the zero-terminated
// tab-expanded copy), so when that storage is zero-terminated so is `s`'s data.
using TDrawLineHook =
    std::function<void(TEditorCanvas& canvas, const TRect& rect, std::string_view s, int line, int pos,
                       int count, int hbLine, int hbCol, int heLine, int heCol, bool& wasDrawn)>;

struct TPaintInput {
  TRect ClientRect;
  TRect ClipRect;  // the part to repaint, in client coordinates

  // The margins' LinePositions (the text starts at LeftMargin; RightMargin is where the rules end).
  int LeftMargin = 15;
  int RightMargin = 5;
  // Margin lines and borders; null means none drawn.
  const TEditorMargins* Margins = nullptr;
  const TBorders* Borders = nullptr;

  int VisibleLines = 1;
  int VisibleColumns = 1;
  int CharWidth = 8;
  int LineHeight = 16;  // already 2 higher when ShowRules is set
  int TopLine = 1;
  int LeftColumn = 0;
  int LineCount = 1;
  std::uint8_t TabSize = 8;

  // Text of display line 1..LineCount, unexpanded. Must stay valid until the next call.
  std::function<std::string_view(int line)> LineText;
  // The selection's (line, column) forms; equal = no selection.
  TLineColumn SelStart;
  TLineColumn SelEnd;

  bool Enabled = true;
  bool Focused = false;
  bool HideSelection = true;
  bool ShowRules = false;
  bool ShowLineNumbers = false;
  bool ShowBookmarks = true;
  int LineNumberWidth = 0;

  TColor Color = clWindow;
  TColor MarginColor = clWindow;
  TColor RuleColor = clNavy;
  TColor FontColor = clWindowText;
  TColor HighlightTextColor = clHighlightText;
  TColor HighlightBackColor = clHighlight;

  // Lowest marker number set on a display line, or -1. Unassigned = no markers.
  std::function<int(int line)> MarkerAt;
  TDrawLineHook OnDrawLine;
  // Called after the margin lines and before the borders.
  std::function<void()> AfterContent;
};

void PaintEditor(const TPaintInput& in, TEditorCanvas& canvas);

// ---- Pieces of the paint, public for the control and for tests ----

// Row height from the font's base row height (height + external leading + 1): 2 pixels more
// with rules, which leaves room for the rule under each row.
inline int EditorLineHeight(int baseRowHeight, bool showRules) {
  return showRules ? baseRowHeight + 2 : baseRowHeight;
}

// The common part of two rectangles (empty when they do not meet).
TRect IntersectRect(const TRect& a, const TRect& b);
// a / b rounded down (b > 0).
int FloorDiv(int a, int b);

// The selection is shown when enabled, present, and not (HideSelection and unfocused).
bool SelectionShown(const TPaintInput& in);
// Text rectangle of row r (1-based).
TRect RowRect(const TPaintInput& in, int row);
// The largest width of the numbers topLine .. topLine + visibleLines, as `textWidth` measures
// them (the control asks its host), or in the canvas's font.
int ComputeLineNumberWidth(const std::function<int(std::string_view)>& textWidth, int topLine,
                           int visibleLines);
int ComputeLineNumberWidth(TEditorCanvas& canvas, int topLine, int visibleLines);

// Whether a line holds a TAB: only such lines are copied to be expanded (ExpandTabs).
bool HasTab(std::string_view text);
// Screen column (1-based) of character column `column` of a display line.
inline int ScreenColumn(std::string_view line, int column, std::uint8_t tabSize) {
  return PosToColumn(line.data(), static_cast<std::int32_t>(line.size()), column, tabSize);
}

// How the visible part of a row splits around the selection: `Before` characters before it,
// `Selected` characters in it, the rest after.
struct TRunSplit {
  int Before = 0;
  int Selected = 0;
  bool operator==(const TRunSplit&) const = default;
};
// line: the display line; first: its first visible screen column; count: visible length;
// hb*/he*: the selection as displayed (hbLine 0 = none shown).
TRunSplit SplitRuns(int line, int first, int count, int hbLine, int hbCol, int heLine, int heCol);

}  // namespace quilmo
