#include "app/WindowBounds.h"

#include <algorithm>

namespace quilmo {

QRect FitWindowBounds(QPoint topLeft, QSize size, const QRect& available) {
  // QSize keeps any stored number as it is; only the fitted one makes a rectangle, whose
  // corners could otherwise overflow.
  const QSize fitted = size.expandedTo(kMinimumWindowSize).boundedTo(available.size());
  const int left = std::clamp(topLeft.x(), available.left(), available.right() - fitted.width() + 1);
  const int top = std::clamp(topLeft.y(), available.top(), available.bottom() - fitted.height() + 1);
  return {QPoint(left, top), fitted};
}

}  // namespace quilmo
