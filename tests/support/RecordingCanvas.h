#pragma once
// A TEditorCanvas that records every call, for paint tests without a display.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/EditorCanvas.h"

namespace quilmo::test {

struct TCanvasOp {
  enum TKind { Fill, TextClipped, Text, Line, Glyph };
  TKind Kind = Fill;
  TRect Rect;  // Fill: the rectangle; TextClipped: the clip rectangle (also filled)
  int X = 0;   // TextClipped / Text / Glyph: origin; Line: start
  int Y = 0;
  int X2 = 0;  // Line: end
  int Y2 = 0;
  std::string Chars;  // TextClipped / Text
  TColor Fore = 0;    // TextClipped / Text; Line: pen colour; Fill: the colour
  TColor Back = 0;    // TextClipped / Text
  int Width = 0;      // Line: pen width
  TPenStyle Style = TPenStyle::psSolid;
  int Index = 0;  // Glyph: marker number
};

class TRecordingCanvas : public TEditorCanvas {
 public:
  // Every character is `charWidth` pixels wide (TextWidth and the extent of TextOut).
  explicit TRecordingCanvas(int charWidth = 8, int textHeight = 16)
      : CharWidth(charWidth), TextHeight(textHeight) {}

  void FillRect(const TRect& rect, TColor color) override;
  void TextOutClipped(const TRect& clip, int x, int y, std::string_view text, TColor fore,
                      TColor back) override;
  void TextOut(int x, int y, std::string_view text, TColor fore, TColor back) override;
  void Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) override;
  void DrawMarkerGlyph(int index, int x, int y) override;
  int TextWidth(std::string_view text) override;

  std::vector<TCanvasOp> Ops;
  int CharWidth;
  int TextHeight;

  // The recorded calls of one kind, in order.
  std::vector<TCanvasOp> OfKind(TCanvasOp::TKind kind) const;
  std::vector<TCanvasOp> Runs() const { return OfKind(TCanvasOp::TextClipped); }
  // Clipped runs whose rectangle lies within rows [top, bottom).
  std::vector<TCanvasOp> RunsIn(int top, int bottom) const;
  std::vector<TCanvasOp> Lines() const { return OfKind(TCanvasOp::Line); }
  std::vector<TCanvasOp> Glyphs() const { return OfKind(TCanvasOp::Glyph); }
  std::vector<TCanvasOp> Numbers() const { return OfKind(TCanvasOp::Text); }
  // The background last painted at a pixel by a fill, a run or a plain text; none when untouched.
  std::optional<TColor> BackAt(int x, int y) const;
  // The characters of a run shown whole: those whose cell lies inside the clip rectangle.
  static std::string VisibleChars(const TCanvasOp& run, int charWidth);
  void Clear() { Ops.clear(); }
};

}  // namespace quilmo::test
