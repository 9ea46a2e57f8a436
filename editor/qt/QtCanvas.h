#pragma once
// The editor's canvas on a QPainter: text one character per cell in the editor font,
// system colours through the widget's palette, and the marker glyph strip.

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPixmap>

#include <array>
#include <cstdint>

#include "editor/EditorCanvas.h"
#include "editor/EditorHost.h"

class QPainter;

namespace quilmo {

class TQtEditorFont;

// A colour value (RGB or system colour) as a QColor; system colours come from the palette.
QColor ResolveColor(TColor color, const QPalette& palette);

// The ten marker glyphs side by side (120 × 12): raised light-grey tiles with white upper and
// left edges, dark grey lower and right edges and the digit in black.
QImage MakeMarkerGlyphImage();
// The same as a pixmap, made once.
const QPixmap& MarkerGlyphPixmap();

// Which sides of its cell the glyph of `byte` puts ink beyond, as the canvas draws it alone on a
// device of `dpi` dots per inch.
TGlyphOverhang MeasureGlyphOverhang(const TQtEditorFont& font, unsigned char byte, int dpi);

// The overhangs of one font's glyphs, each measured the first time it is asked for (measuring
// all of them up front would draw 224 glyphs each time the font changes).
class TGlyphOverhangs {
 public:
  TGlyphOverhang Of(const TQtEditorFont& font, unsigned char byte, int dpi) {
    if (dpi != FDpi) Clear(dpi);
    if (FKnown[byte] == 0)
      FKnown[byte] = static_cast<std::uint8_t>(MeasureGlyphOverhang(font, byte, dpi) + 1);
    return static_cast<TGlyphOverhang>(FKnown[byte] - 1);
  }
  // Forgets what was measured (the font changed).
  void Clear(int dpi = 0) {
    FKnown.fill(0);
    FDpi = dpi;
  }

 private:
  std::array<std::uint8_t, 256> FKnown{};  // overhang + 1; 0 = not measured yet
  int FDpi = 0;
};

class TQtCanvas : public TEditorCanvas {
 public:
  // `painter` and `font` must outlive the canvas.
  TQtCanvas(QPainter& painter, const TQtEditorFont& font, const QPalette& palette);

  void FillRect(const TRect& rect, TColor color) override;
  void TextOutClipped(const TRect& clip, int x, int y, std::string_view text, TColor fore,
                      TColor back) override;
  void TextOut(int x, int y, std::string_view text, TColor fore, TColor back) override;
  void Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) override;
  void DrawMarkerGlyph(int index, int x, int y) override;
  int TextWidth(std::string_view text) override;

  QColor Resolve(TColor color) const { return ResolveColor(color, FPalette); }

 private:
  // Characters on the cell grid from (x, y), y being the top of the cell.
  void DrawCells(int x, int y, std::string_view text, TColor fore);

  QPainter& FPainter;
  const TQtEditorFont& FFont;
  QPalette FPalette;
};

}  // namespace quilmo
