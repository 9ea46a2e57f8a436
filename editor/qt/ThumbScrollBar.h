#pragma once
// A scroll bar that repaints little when only its value changes, as it does on every key that
// scrolls the editor: the old and the new place of the thumb are painted, from a picture of
// the bar without its thumb and a picture of the thumb with what surrounds it, both kept until
// the bar's size, range or look changes (the thumb's picture only while the style draws the
// thumb alike wherever it stands on the track). Anything else (a whole repaint, an end reached
// or left, the mouse on the bar, a bar that is not opaque) is painted by QScrollBar as usual.
// Drawing the style's thumb each time costs more than it seems: the paint engine hands its
// longer runs of pixels to other threads and waits for them.

#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>

#include <utility>

class QStyleOptionSlider;

namespace quilmo {

class TThumbScrollBar : public QScrollBar {
 public:
  explicit TThumbScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

 protected:
  void sliderChange(SliderChange change) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // What the picture of the bar without its thumb depends on.
  struct TGrooveKey {
    QSize Size;
    qreal Ratio = 0;
    QStyle::State State;
    qint64 Palette = 0;
    const QStyle* Style = nullptr;
    int Minimum = 0, Maximum = 0, PageStep = 0;
    bool AtMinimum = false, AtMaximum = false;
    bool operator==(const TGrooveKey&) const = default;
  };

  QRect ThumbRect() const;
  // The thumb's place widened by what a style may draw around it, across the whole bar.
  QRect AroundThumb(const QRect& thumb) const;
  // Paints a part of the bar from the picture without the thumb; false when it cannot.
  bool PaintPart(const QRect& part);
  void MakeGroove(const QStyleOptionSlider& option, const TGrooveKey& key);
  // Whether the box lies on the stretch of the track whose cross-sections all look alike.
  bool InUniform(const QRect& box) const;
  // The box's piece of the picture without the thumb, with the thumb drawn on it.
  QImage DrawThumbPiece(const QStyleOptionSlider& option, const QRect& box) const;
  // The same, kept for every place along the track when the style draws the thumb alike at
  // another place (null otherwise).
  QImage MovablePiece(const QStyleOptionSlider& option, const QRect& box) const;

  QRect FThumb;  // where the thumb was last asked to be painted; invalid when unknown
  int FValue = 0;
  TGrooveKey FGrooveKey;
  QImage FGroove;                      // the bar without its thumb; null when the bar is not opaque
  std::pair<int, int> FUniform{0, 0};  // [first, last) device pixels along the bar
  TGrooveKey FPieceKey;
  QImage FPiece;  // the thumb's piece from MovablePiece
};

}  // namespace quilmo
