#include "app/WindowBounds.h"

#include <algorithm>

namespace quilmo {

QRect FitWindowBounds(QPoint topLeft, QSize size, const QRect& available, const QMargins& frame) {
  // QSize keeps any stored number as it is; only the fitted one makes a rectangle, whose
  // corners could otherwise overflow.
  const QSize around(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize room = (available.size() - around).expandedTo(QSize(0, 0));
  const QSize fitted = size.expandedTo(kMinimumWindowSize).boundedTo(room);
  const QSize outer = fitted + around;
  const int left = std::clamp(topLeft.x(), available.left(), available.right() - outer.width() + 1);
  const int top = std::clamp(topLeft.y(), available.top(), available.bottom() - outer.height() + 1);
  return {QPoint(left, top), fitted};
}

}  // namespace quilmo
