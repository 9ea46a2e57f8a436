// A scroll bar that repaints only its thumb's old and new places, from kept pictures: after
// every change it shows what a whole repaint of it shows, in both orientations.

#include <QApplication>
#include <QBackingStore>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "editor/qt/ThumbScrollBar.h"

namespace quilmo::test {
namespace {

// Paints what is pending in the window now, as its update request does between events.
void PaintPending(QWidget& window) {
  QEvent update(QEvent::UpdateRequest);
  QCoreApplication::sendEvent(&window, &update);
}

// The bar's pixels as the window holds them for the screen.
QImage Shown(QWidget& window, const QWidget& bar) {
  const auto* pixels = dynamic_cast<QImage*>(window.backingStore()->paintDevice());
  if (!pixels) return {};
  return pixels->copy(QRect(bar.mapTo(&window, QPoint(0, 0)), bar.size()))
      .convertToFormat(QImage::Format_RGB32);
}

TEST(ThumbScrollBar, EveryChangeShowsWhatAWholeRepaintShows) {
  enum TChange { Value, Maximum, Page, Length };
  // Steps inside the range (the thumb's picture moves), to and from both ends, and changes of
  // range, page and length, which draw the pictures anew.
  const struct {
    TChange Change;
    int To;
  } changes[] = {{Value, 1},     {Value, 2},   {Value, 40},  {Value, 41}, {Value, 300}, {Value, 299},
                 {Maximum, 600}, {Value, 300}, {Value, 302}, {Page, 200}, {Value, 303}, {Length, 300},
                 {Value, 598},   {Value, 599}, {Value, 0},   {Value, 1},  {Value, 2}};
  for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
    QWidget window;
    auto* bar = new TThumbScrollBar(orientation, &window);
    // Away from the pointer (at the window's corner), which would make the bar paint itself.
    const auto place = [&](int length) {
      bar->setGeometry(orientation == Qt::Horizontal ? QRect(10, 100, length, 16)
                                                     : QRect(100, 10, 16, length));
    };
    window.resize(420, 420);
    place(400);
    bar->setRange(0, 300);
    bar->setPageStep(40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    for (const auto& c : changes) {
      switch (c.Change) {
        case Value: bar->setValue(c.To); break;
        case Maximum: bar->setMaximum(c.To); break;
        case Page: bar->setPageStep(c.To); break;
        case Length: place(c.To); break;
      }
      PaintPending(window);
      const QImage shown = Shown(window, *bar);
      ASSERT_FALSE(shown.isNull());
      bar->update();
      PaintPending(window);
      ASSERT_TRUE(shown == Shown(window, *bar)) << (orientation == Qt::Horizontal ? "horizontal" : "vertical")
                                                << ", change " << c.Change << " to " << c.To;
    }
  }
}

}  // namespace
}  // namespace quilmo::test
