#pragma once
// Where a window restored from the settings goes: stored bounds may come from another screen
// layout or from a damaged file, and a window whose title bar is off the screen, or larger
// than it, cannot be moved or used.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quilmo {

// The smallest window the program restores, where the screen has room for it.
inline constexpr QSize kMinimumWindowSize{320, 200};

// The stored bounds (the frame's top-left corner, the size inside the frame) moved and sized
// so that the window with its frame lies within `available`, the available area of the screen
// the window lands on: at least kMinimumWindowSize where the area has room for it, the corner
// moved as little as needed. `frame` is what the window system adds around the window (title
// bar first). The result is again the frame's corner and the size inside it. `available` must
// not be empty.
QRect FitWindowBounds(QPoint topLeft, QSize size, const QRect& available, const QMargins& frame);

}  // namespace quilmo
