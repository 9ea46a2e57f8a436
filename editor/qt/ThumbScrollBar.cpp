#include "editor/qt/ThumbScrollBar.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>

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
  if (!(key == FGrooveKey)) MakeGroove(option, key);
  if (FGroove.isNull()) return false;
  // Near the arrows a style may draw them over the thumb's edge: there the bar paints itself.
  const QRect box = AroundThumb(ThumbRect());
  if (!InUniform(box)) return false;
  QPainter screen(this);
  screen.drawImage(part, FGroove,
                   QRectF(QPointF(part.topLeft()) * key.Ratio, QSizeF(part.size()) * key.Ratio));
  if (!(FPieceKey == key) || FPiece.size() != box.size() * key.Ratio) {
    FPiece = MovablePiece(option, box);
    FPieceKey = key;
  }
  screen.drawImage(box.topLeft(), FPiece.isNull() ? DrawThumbPiece(option, box) : FPiece);
  return true;
}

void TThumbScrollBar::MakeGroove(const QStyleOptionSlider& option, const TGrooveKey& key) {
  FGrooveKey = key;
  FPiece = QImage();
  FGroove = QImage(size() * key.Ratio, QImage::Format_ARGB32_Premultiplied);
  FGroove.setDevicePixelRatio(key.Ratio);
  FGroove.fill(Qt::transparent);
  QStyleOptionSlider groove = option;
  groove.subControls = QStyle::SubControls(QStyle::SC_All) & ~QStyle::SubControls(QStyle::SC_ScrollBarSlider);
  {
    QPainter painter(&FGroove);
    style()->drawComplexControl(QStyle::CC_ScrollBar, &groove, &painter, this);
  }
  // Drawn over whatever lies below, a picture with see-through pixels would not give the
  // same pixels as the style drawing there directly.
  for (int y = 0; y < FGroove.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(FGroove.constScanLine(y));
    for (int x = 0; x < FGroove.width(); ++x)
      if (qAlpha(line[x]) != 255) {
        FGroove = QImage();
        return;
      }
  }
  // The stretch of the bar whose cross-sections all look alike (the track between the
  // arrows), found from the middle outwards; in device pixels.
  const bool horizontal = orientation() == Qt::Horizontal;
  const int length = horizontal ? FGroove.width() : FGroove.height();
  const int thickness = horizontal ? FGroove.height() : FGroove.width();
  const auto same = [&](int a, int b) {
    for (int across = 0; across < thickness; ++across)
      if (horizontal ? FGroove.pixel(a, across) != FGroove.pixel(b, across)
                     : FGroove.pixel(across, a) != FGroove.pixel(across, b))
        return false;
    return true;
  };
  const int middle = length / 2;
  int first = middle;
  int last = middle;
  while (first > 0 && same(first - 1, middle)) --first;
  while (last + 1 < length && same(last + 1, middle)) ++last;
  FUniform = {first, last + 1};
}

bool TThumbScrollBar::InUniform(const QRect& box) const {
  const qreal ratio = FGrooveKey.Ratio;
  const int from = static_cast<int>((orientation() == Qt::Horizontal ? box.left() : box.top()) * ratio);
  const int to =
      static_cast<int>((orientation() == Qt::Horizontal ? box.right() + 1 : box.bottom() + 1) * ratio);
  return from >= FUniform.first && to <= FUniform.second;
}

QImage TThumbScrollBar::DrawThumbPiece(const QStyleOptionSlider& option, const QRect& box) const {
  // The thumb is drawn alone on a copy of a short piece around it: the style's lines along the
  // whole bar are then cut to the piece before they are drawn. The piece holds the whole thumb
  // and what the style draws just around it, so that its edges are drawn as on the whole bar.
  const qreal ratio = FGrooveKey.Ratio;
  QImage piece = FGroove.copy(QRect(box.topLeft() * ratio, box.size() * ratio));
  piece.setDevicePixelRatio(ratio);
  QStyleOptionSlider thumb = option;
  thumb.subControls = QStyle::SC_ScrollBarSlider;
  QPainter painter(&piece);
  painter.translate(-box.topLeft());
  style()->drawComplexControl(QStyle::CC_ScrollBar, &thumb, &painter, this);
  return piece;
}

QImage TThumbScrollBar::MovablePiece(const QStyleOptionSlider& option, const QRect& box) const {
  // The piece drawn here serves wherever the thumb goes along the track when the style draws
  // the same thumb at another place: that is checked once, with the thumb one step further.
  const QImage piece = DrawThumbPiece(option, box);
  const int step = option.sliderPosition < maximum() ? 1 : -1;
  for (int k = 1; k <= 4; ++k) {
    QStyleOptionSlider other = option;
    other.sliderPosition = std::clamp(option.sliderPosition + k * step, minimum(), maximum());
    other.sliderValue = other.sliderPosition;
    const QRect otherThumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &other, QStyle::SC_ScrollBarSlider, this);
    const QRect otherBox = AroundThumb(otherThumb);
    if (otherBox == box) continue;
    if (otherBox.size() != box.size() || !InUniform(otherBox)) return {};
    return DrawThumbPiece(other, otherBox) == piece ? piece : QImage();
  }
  return {};
}

}  // namespace quilmo
