#pragma once
// What of the editor's window must be painted again. Besides whole repaints and rows of lines,
// three rules keep the painted area small without leaving stale pixels:
// - a typed character repaints its row from the cell before it (TypedCells);
// - after a sideways move of the text, the cells whose neighbour's ink came into view or went
//   out of it (OverhangCells);
// - after pixels moved, what the move could not carry: margin lines, borders and the strips
//   beside the text (FixedPixels).

#include <cstdint>
#include <memory>

#include "editor/EditorHost.h"
#include "editor/EditorStyle.h"
#include "editor/FixedFont.h"
#include "editor/Graphics.h"
#include "editor/ViewState.h"

namespace quilmo {

class TParaList;

class TEditorDamage {
 public:
  // What the rules read, owned by the control and read whenever a rule runs (the host and the
  // text may be exchanged in between).
  struct TSources {
    TEditorHost* const& Host;
    const TViewport& View;
    const std::shared_ptr<TParaList>& Text;
    const TEditorMargins& Margins;
    const TBorders& Borders;
    const TFixedFont& Font;
  };

  explicit TEditorDamage(const TSources& sources) : src_(sources) {}

  // Everything is invalid and no paint has come since.
  bool FullPending() const { return fullPending_; }
  // Paints of the content so far.
  std::uint32_t PaintCount() const { return paintCount_; }
  // The content was painted: nothing is pending any more.
  void ContentPainted() {
    fullPending_ = false;
    ++paintCount_;
  }

  // The whole window.
  void All();
  // The rows of the display lines first..last that are on screen (kMaxInt32: to the bottom).
  void Lines(std::int32_t first, std::int32_t last);

  // While a character is typed at `from` (its first place the edits may change), an edit that
  // stays inside one display line invalidates that row from the cell before the typed place
  // to its end (TypedCells); EndTyped stops it.
  void BeginTyped(TParaPos from) { typedFrom_ = from; }
  void EndTyped() { typedFrom_ = {0, 0}; }
  // True when the rule took care of the edit (nothing to do, or the cells invalidated);
  // false (nothing invalidated) when the edit is no typing within one line.
  bool TypedCells(const TTextEdit& edit);

  // After the pixels of `area` moved by (dx, dy), and those of `margin` (empty when it stayed)
  // by (0, dy): invalidates what the move could not carry, the margin lines and borders
  // (where they are and where their pixels went) and the strips beside the text that the
  // left margin line's shift leaves.
  void FixedPixels(const TRect& area, const TRect& margin, int dx, int dy);
  // After the text moved sideways by `columns` (> 0: to the right): invalidates the cells
  // whose neighbour's ink came into view or went out of it with the move.
  void OverhangCells(const TRect& area, int columns);

 private:
  TEditorHost& Host() const { return *src_.Host; }
  TParaList& Text() const { return *src_.Text; }

  TSources src_;
  bool fullPending_ = false;
  std::uint32_t paintCount_ = 0;
  TParaPos typedFrom_{0, 0};  // Para 0: no character being typed
};

}  // namespace quilmo
