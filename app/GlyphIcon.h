#pragma once
// The tool bar's glyphs: SVG files read and drawn only when a size of them is first painted,
// then kept. Qt's own SVG icon parses each file as the icon is made and again to draw it;
// nineteen glyphs made that a good part of the window's start. The usual sizes (16, 24, 32
// and 48 pixels) are drawn beforehand from the same files (resources/toolbar/png) and
// compiled into the program as pixels (GlyphPixels.h).

#include <QIcon>
#include <QString>

namespace quilmo {

// An icon drawing the SVG file `fileName` (a resource path) at whatever size is asked, for the
// application palette's background (light or dark); the disabled and selected looks are derived
// by the style, as for any icon.
QIcon GlyphIcon(const QString& fileName);

}  // namespace quilmo
