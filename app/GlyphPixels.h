#pragma once
// The tool bar's glyphs drawn beforehand (resources/toolbar/png), as pixels compiled into the
// program: the build packs the images (quilmo_pack_glyphs), so showing one decodes nothing.

#include <cstdint>
#include <span>

namespace quilmo {

struct TGlyphPixels {
  const char* Name;           // the glyph's file name without ".svg"
  int Side;                   // width and height in pixels
  const std::uint32_t* Argb;  // Side × Side premultiplied ARGB words, row by row
};

// Every glyph at every size drawn beforehand.
std::span<const TGlyphPixels> DrawnGlyphs();

}  // namespace quilmo
