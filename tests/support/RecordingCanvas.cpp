#include "support/RecordingCanvas.h"

namespace quilmo::test {

void TRecordingCanvas::FillRect(const TRect& rect, TColor color) {
  TCanvasOp op;
  op.Kind = TCanvasOp::Fill;
  op.Rect = rect;
  op.Fore = color;
  Ops.push_back(op);
}

void TRecordingCanvas::TextOutClipped(const TRect& clip, int x, int y, std::string_view text, TColor fore,
                                      TColor back) {
  TCanvasOp op;
  op.Kind = TCanvasOp::TextClipped;
  op.Rect = clip;
  op.X = x;
  op.Y = y;
  op.Chars = std::string(text);
  op.Fore = fore;
  op.Back = back;
  Ops.push_back(op);
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view text, TColor fore, TColor back) {
  TCanvasOp op;
  op.Kind = TCanvasOp::Text;
  op.X = x;
  op.Y = y;
  op.Rect = {x, y, x + TextWidth(text), y + TextHeight};
  op.Chars = std::string(text);
  op.Fore = fore;
  op.Back = back;
  Ops.push_back(op);
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) {
  TCanvasOp op;
  op.Kind = TCanvasOp::Line;
  op.X = x1;
  op.Y = y1;
  op.X2 = x2;
  op.Y2 = y2;
  op.Fore = color;
  op.Width = width;
  op.Style = style;
  Ops.push_back(op);
}

void TRecordingCanvas::DrawMarkerGlyph(int index, int x, int y) {
  TCanvasOp op;
  op.Kind = TCanvasOp::Glyph;
  op.Index = index;
  op.X = x;
  op.Y = y;
  op.Rect = {x, y, x + 12, y + 12};
  Ops.push_back(op);
}

int TRecordingCanvas::TextWidth(std::string_view text) {
  return static_cast<int>(text.size()) * CharWidth;
}

std::vector<TCanvasOp> TRecordingCanvas::OfKind(TCanvasOp::TKind kind) const {
  std::vector<TCanvasOp> out;
  for (const TCanvasOp& op : Ops)
    if (op.Kind == kind) out.push_back(op);
  return out;
}

std::vector<TCanvasOp> TRecordingCanvas::RunsIn(int top, int bottom) const {
  std::vector<TCanvasOp> out;
  for (const TCanvasOp& op : Ops)
    if (op.Kind == TCanvasOp::TextClipped && op.Rect.Top >= top && op.Rect.Bottom <= bottom)
      out.push_back(op);
  return out;
}

std::optional<TColor> TRecordingCanvas::BackAt(int x, int y) const {
  std::optional<TColor> color;
  for (const TCanvasOp& op : Ops) {
    const TRect& r = op.Rect;
    const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
    if (!inside) continue;
    if (op.Kind == TCanvasOp::Fill) color = op.Fore;
    if (op.Kind == TCanvasOp::TextClipped || op.Kind == TCanvasOp::Text) color = op.Back;
  }
  return color;
}

std::string TRecordingCanvas::VisibleChars(const TCanvasOp& run, int charWidth) {
  std::string out;
  for (std::size_t i = 0; i < run.Chars.size(); ++i) {
    const int left = run.X + static_cast<int>(i) * charWidth;
    if (left >= run.Rect.Left && left + charWidth <= run.Rect.Right) out.push_back(run.Chars[i]);
  }
  return out;
}

}  // namespace quilmo::test
