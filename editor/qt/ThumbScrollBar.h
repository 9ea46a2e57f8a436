#pragma once
// A scroll bar that repaints little when only its value changes, as it does on every key that
// scrolls the editor: the old and the new place of the thumb are painted, from a picture of
// the bar without its thumb (kept until the bar's size, range or look changes) and the thumb
// drawn alone. Anything else (a whole repaint, an end reached or left, the mouse on the bar,
// a style whose bar is not opaque) is painted by QScrollBar as usual.

#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>

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
  // The thumb's place widened by what a style may draw around it.
  QRect AroundThumb(const QRect& thumb) const;
  // Paints a part of the bar from the picture without the thumb; false when it cannot.
  bool PaintPart(const QRect& part);

  QRect FThumb;  // where the thumb was last asked to be painted; invalid when unknown
  int FValue = 0;
  TGrooveKey FGrooveKey;
  QImage FGroove;  // the bar without its thumb; null when the bar is not opaque
};

}  // namespace quilmo
