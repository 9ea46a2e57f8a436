#pragma once
// The part of the text the editor's window shows (TViewport: top line, left column, rows,
// columns and cell size) with the two scroll bars that show where that part lies, and the
// rules that count rows and columns in a client area.
//
// The vertical bar of a text of more than 32,767 lines counts in steps of VScrollDivisor
// lines. After an edit the bars are only marked; the next paint sends what is marked.

#include <cstdint>
#include <memory>

#include "editor/EditorHost.h"
#include "editor/ViewState.h"

namespace quilmo {

class TParaList;

enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

bool HasHorzBar(TScrollStyle style);
bool HasVertBar(TScrollStyle style);

class TEditorViewport : public TViewport {
 public:
  // What the bars read, owned by the control and read whenever they are sent (the host and
  // the text may be exchanged in between).
  struct TSources {
    TEditorHost* const& Host;
    const bool& WindowCreated;
    const TScrollStyle& Bars;
    const bool& BarsAlways;
    const std::shared_ptr<TParaList>& Text;
  };

  explicit TEditorViewport(const TSources& sources) : src_(sources) {}

  std::int32_t VScrollDivisor() const { return vDivisor_; }
  std::int32_t VScrollMax() const { return vMax_; }
  std::int32_t HScrollRange() const { return hRange_; }

  // The range (with the thumb) or the thumb alone of a bar, computed and sent now; nothing
  // is sent before the window exists or for a bar the style leaves out.
  void SendVRange();
  void SendVThumb();
  void SendHRange();
  void SendHThumb();
  // All four.
  void SendBars();
  // Recomputes HScrollRange; true when the horizontal bar has a range (it scrolls, or is
  // kept with BarsAlways).
  bool HScrollable();

  // Marks for the next paint: the vertical thumb (the top line changed without a scroll), or
  // everything (an edit).
  void MarkVThumb() { vThumbPending_ = true; }
  void MarkBars() { vRangePending_ = vThumbPending_ = hThumbPending_ = true; }
  void ClearMarks() { vRangePending_ = vThumbPending_ = hThumbPending_ = false; }
  // Sends what was marked.
  void SendMarked();

  // The top line a position of the vertical thumb asks for.
  std::int32_t ThumbLine(int pos) const;

  // Columns of a client `width` with `margins` pixels beside the text, rows of a client
  // `height` (a partial row counts when it is more than a quarter of a row); each sets its
  // figure and sends its bar anew when the figure changed. True when it changed.
  bool FitColumns(int width, int margins);
  bool FitRows(int height);

 private:
  TEditorHost& Host() const { return *src_.Host; }
  TParaList& Text() const { return *src_.Text; }

  TSources src_;
  std::int32_t vDivisor_ = 1;
  std::int32_t vMax_ = 0;
  std::int32_t hRange_ = 0;
  bool vRangePending_ = false;
  bool vThumbPending_ = false;
  bool hThumbPending_ = false;
};

}  // namespace quilmo
