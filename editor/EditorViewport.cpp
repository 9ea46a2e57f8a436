#include "editor/EditorViewport.h"

#include <algorithm>
#include <cmath>

#include "engine/ParaList.h"

namespace quilmo {

bool HasHorzBar(TScrollStyle style) {
  return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
}

bool HasVertBar(TScrollStyle style) {
  return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
}

void TEditorViewport::SendVRange() {
  vRangePending_ = false;
  const std::int32_t lineCount = Text().LineCount();
  const std::int32_t n = std::max(0, lineCount - VisibleLines + 1);
  vDivisor_ = n > 32767 ? 2 * (n / 32768) : 1;
  vMax_ = n / vDivisor_;
  if (vMax_ <= 1 && src_.BarsAlways) vMax_ = 2;
  if (!src_.WindowCreated || !HasVertBar(src_.Bars)) return;
  Host().SetScrollBar(TScrollBarKind::sbVertical,
                      TScrollBarInfo{1, lineCount / vDivisor_, VisibleLines, TopLine / vDivisor_, true});
}

void TEditorViewport::SendVThumb() {
  vThumbPending_ = false;
  if (!src_.WindowCreated || !HasVertBar(src_.Bars)) return;
  Host().SetScrollPos(TScrollBarKind::sbVertical, TopLine / vDivisor_);
}

void TEditorViewport::SendHRange() {
  const bool scrollable = HScrollable();
  if (!src_.WindowCreated || !HasHorzBar(src_.Bars)) return;
  const int max = scrollable ? hRange_ : 0;
  Host().SetScrollBar(TScrollBarKind::sbHorizontal, TScrollBarInfo{0, max, 0, LeftColumn, false});
}

void TEditorViewport::SendHThumb() {
  hThumbPending_ = false;
  if (!src_.WindowCreated || !HasHorzBar(src_.Bars)) return;
  Host().SetScrollPos(TScrollBarKind::sbHorizontal, LeftColumn);
}

void TEditorViewport::SendBars() {
  SendVRange();
  SendVThumb();
  SendHRange();
  SendHThumb();
}

bool TEditorViewport::HScrollable() {
  hRange_ = std::min(Text().WordWrap() ? Text().WrapColumn() : Text().ParaLengthLimit(), 512);
  if (hRange_ <= 0 && src_.BarsAlways) hRange_ = 1;
  return VisibleColumns < hRange_ || src_.BarsAlways;
}

void TEditorViewport::SendMarked() {
  if (vRangePending_) SendVRange();
  if (vThumbPending_) SendVThumb();
  if (hThumbPending_) SendHThumb();
}

std::int32_t TEditorViewport::ThumbLine(int pos) const {
  const std::int32_t lineCount = Text().LineCount();
  std::int64_t line;
  if (pos == 1)
    line = 1;
  else if (pos == vMax_)
    line = lineCount - 1 > VisibleLines ? vMax_ : 1;
  else
    line = static_cast<std::int64_t>(pos) * vDivisor_;
  return static_cast<std::int32_t>(std::max<std::int64_t>(1, std::min<std::int64_t>(line, lineCount - 1)));
}

bool TEditorViewport::FitColumns(int width, int margins) {
  const std::int32_t columns = std::max(1, (width - margins) / CharWidth);
  if (columns == VisibleColumns) return false;
  VisibleColumns = columns;
  if (width > 0) {
    // Without a range there is no bar to scroll back with: show the first column.
    if (!HScrollable()) LeftColumn = 0;
    SendHRange();
    SendHThumb();
  }
  return true;
}

bool TEditorViewport::FitRows(int height) {
  std::int32_t lines =
      std::max(1, static_cast<std::int32_t>(std::trunc(static_cast<double>(height) / LineHeight - 1)));
  if (height % LineHeight > static_cast<int>(std::trunc(LineHeight * 0.25))) ++lines;
  if (lines == VisibleLines) return false;
  VisibleLines = lines;
  if (height > 0) {
    SendVRange();
    SendVThumb();
  }
  return true;
}

}  // namespace quilmo
