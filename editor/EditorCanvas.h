#pragma once
// What the editor paints on. editor/qt implements it with QPainter; tests record the calls.

#include <string_view>

#include "editor/Graphics.h"

namespace quilmo {

class TEditorCanvas {
 public:
  virtual ~TEditorCanvas() = default;

  virtual void FillRect(const TRect& rect, TColor color) = 0;
  // Draws 8-bit (Windows-1252) text with its origin at (x, y) (top left of the first cell),
  // one character per cell, clipped to `clip`, which is first filled with `back` (opaque).
  virtual void TextOutClipped(const TRect& clip, int x, int y, std::string_view text, TColor fore,
                              TColor back) = 0;
  // Plain text in the current font and colours (line numbers), background filled with `back`.
  virtual void TextOut(int x, int y, std::string_view text, TColor fore, TColor back) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) = 0;
  // Copies glyph tile `index` (0..9) of the marker strip to (x, y).
  virtual void DrawMarkerGlyph(int index, int x, int y) = 0;
  virtual int TextWidth(std::string_view text) = 0;
};

}  // namespace quilmo
