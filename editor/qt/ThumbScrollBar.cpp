#include "editor/qt/ThumbScrollBar.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionSlider>

namespace quilmo {

TThumbScrollBar::TThumbScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent), FValue(value()) {}

void TThumbScrollBar::sliderChange(SliderChange change) {
  const QRect thumb = ThumbRect();
  // The arrows may look otherwise at an end of the range.
  const bool endReachedOrLeft =
      value() == minimum() || value() == maximum() || FValue == minimum() || FValue == maximum();
  if (change == SliderValueChange && FThumb.isValid() && !endReachedOrLeft) {
    if (thumb != FThumb) update(AroundThumb(FThumb.united(thumb)));
  } else {
    QScrollBar::sliderChange(change);
  }
  FThumb = thumb;
  FValue = value();
}

void TThumbScrollBar::resizeEvent(QResizeEvent* event) {
  QScrollBar::resizeEvent(event);
  FThumb = QRect();
}

void TThumbScrollBar::changeEvent(QEvent* event) {
  QScrollBar::changeEvent(event);
  FThumb = QRect();  // another style, font or state may place the thumb elsewhere
}

QRect TThumbScrollBar::ThumbRect() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

QRect TThumbScrollBar::AroundThumb(const QRect& thumb) const {
  // A style draws the thumb's frame a little outside its rectangle: the bar's whole thickness,
  // and as much again along it on each side.
  if (orientation() == Qt::Horizontal)
    return QRect(thumb.left() - height(), 0, thumb.width() + 2 * height(), height());
  return QRect(0, thumb.top() - width(), width(), thumb.height() + 2 * width());
}

void TThumbScrollBar::paintEvent(QPaintEvent* event) {
  if (!PaintPart(event->rect())) QScrollBar::paintEvent(event);
}

bool TThumbScrollBar::PaintPart(const QRect& part) {
  // Hovered or pressed parts look otherwise, and a whole repaint gains nothing.
  if (part.contains(rect()) || underMouse() || isSliderDown()) return false;
  QStyleOptionSlider option;
  initStyleOption(&option);
  option.activeSubControls = QStyle::SC_None;
  const TGrooveKey key{
      size(),    devicePixelRatio(), option.state, palette().cacheKey(), style(),
      minimum(), maximum(),          pageStep(),   value() == minimum(), value() == maximum()};
  if (!(key == FGrooveKey)) {
    FGrooveKey = key;
    FGroove = QImage(size() * key.Ratio, QImage::Format_ARGB32_Premultiplied);
    FGroove.setDevicePixelRatio(key.Ratio);
    FGroove.fill(Qt::transparent);
    QStyleOptionSlider groove = option;
    groove.subControls =
        QStyle::SubControls(QStyle::SC_All) & ~QStyle::SubControls(QStyle::SC_ScrollBarSlider);
    {
      QPainter painter(&FGroove);
      style()->drawComplexControl(QStyle::CC_ScrollBar, &groove, &painter, this);
    }
    // Drawn over whatever lies below, a picture with see-through pixels would not give the
    // same pixels as the style drawing there directly.
    for (int y = 0; y < FGroove.height() && !FGroove.isNull(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(FGroove.constScanLine(y));
      for (int x = 0; x < FGroove.width(); ++x)
        if (qAlpha(line[x]) != 255) {
          FGroove = QImage();
          break;
        }
    }
  }
  if (FGroove.isNull()) return false;
  // The thumb is drawn on a copy of the part alone: the style's lines along the whole bar are
  // then cut to the part before they are drawn.
  QImage piece = FGroove.copy(QRect(part.topLeft() * key.Ratio, part.size() * key.Ratio));
  piece.setDevicePixelRatio(key.Ratio);
  {
    QPainter painter(&piece);
    painter.translate(-part.topLeft());
    option.subControls = QStyle::SC_ScrollBarSlider;
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
  }
  QPainter(this).drawImage(part.topLeft(), piece);
  return true;
}

}  // namespace quilmo
