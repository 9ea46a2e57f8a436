#pragma once
// The colours of the dark scheme: a palette for the whole application, the grey of the status
// bar's labels that are off, and the tool-bar glyphs drawn for a dark background. Contrast is
// measured as the usual ratio of relative luminances (1 to 21).

#include <QColor>
#include <QImage>
#include <QPalette>

namespace quilmo {

QPalette DarkPalette();
// The palette's window background is dark.
bool IsDarkPalette(const QPalette& palette);
// (L1 + 0.05) / (L2 + 0.05), the lighter colour's luminance over the darker's.
double ContrastRatio(const QColor& a, const QColor& b);
// The grey of a label that is off, on the palette's button face: mid grey (128) on a light
// face, a lighter grey on a dark one, so that it reads as well on both.
QColor DimmedLabelColor(const QPalette& palette);
// A glyph drawn for a light background, redrawn for a dark one: its greys (outlines, white
// paper) take the opposite lightness, its colours keep their hue and are lifted where too dark.
QImage GlyphForDarkBackground(const QImage& glyph);

}  // namespace quilmo
