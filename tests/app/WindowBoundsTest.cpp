#include <climits>

#include <gtest/gtest.h>

#include "app/WindowBounds.h"

namespace quilmo::test {
namespace {

TEST(WindowBounds, StoredBoundsAreFittedIntoTheAvailableArea) {
  const QRect area(0, 30, 1280, 994);    // a panel above
  const QRect small(1280, 0, 300, 180);  // a second screen, smaller than the minimum
  const QMargins frame(1, 25, 1, 2);     // title bar above
  const struct {
    const char* Label;
    QPoint TopLeft;
    QSize Size;
    QRect Area;
    QMargins Frame;
    QRect Expected;  // the frame's corner, the size inside it
  } cases[] = {
      {"inside", {100, 100}, {640, 480}, area, {}, {100, 100, 640, 480}},
      {"title bar above the screen", {100, -500}, {640, 480}, area, {}, {100, 30, 640, 480}},
      {"only a corner on the screen", {1202, 946}, {640, 480}, area, {}, {640, 544, 640, 480}},
      {"left of the screen", {-5000, 200}, {640, 480}, area, {}, {0, 200, 640, 480}},
      {"larger than the screen", {0, 0}, {32767, 32767}, area, {}, {0, 30, 1280, 994}},
      {"tiny", {10, 40}, {78, 78}, area, {}, {10, 40, 320, 200}},
      {"nothing stored", {0, 0}, {0, 0}, area, {}, {0, 30, 320, 200}},
      {"negative size", {10, 40}, {-5, -7}, area, {}, {10, 40, 320, 200}},
      {"extreme numbers", {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, area, {}, {0, 30, 1280, 994}},
      {"larger, with its frame", {0, 0}, {32767, 32767}, area, frame, {0, 30, 1278, 967}},
      {"frame below the screen", {100, 700}, {640, 480}, area, frame, {100, 517, 640, 480}},
      {"frame right of the screen", {1000, 100}, {640, 480}, area, frame, {638, 100, 640, 480}},
      {"small screen", {0, 0}, {800, 600}, small, {}, small},
      {"small screen, tiny window", {1400, 50}, {100, 100}, small, {}, small},
      {"small screen, with a frame", {0, 0}, {800, 600}, small, {2, 20, 2, 2}, {1280, 0, 296, 158}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FitWindowBounds(c.TopLeft, c.Size, c.Area, c.Frame), c.Expected) << c.Label;
}

}  // namespace
}  // namespace quilmo::test
