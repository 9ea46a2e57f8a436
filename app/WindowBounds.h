#pragma once
// Where a window restored from the settings goes: stored bounds may come from another screen
// layout or from a damaged file, and a window whose title bar is off the screen, or larger
// than it, cannot be moved or used.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quilmo {

// The smallest window the program restores, where the screen has room for it.
inline constexpr QSize kMinimumWindowSize{320, 200};

// The stored bounds (top-left corner, size) moved and sized to lie within `available`, the
// available area of the screen the window lands on: at least kMinimumWindowSize, at most the
// area's size, the corner moved as little as needed. `available` must not be empty.
QRect FitWindowBounds(QPoint topLeft, QSize size, const QRect& available);

}  // namespace quilmo
