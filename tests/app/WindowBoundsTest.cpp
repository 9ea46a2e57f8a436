#include <climits>

#include <gtest/gtest.h>

#include "app/WindowBounds.h"

namespace quilmo::test {
namespace {

TEST(WindowBounds, StoredBoundsAreFittedIntoTheAvailableArea) {
  const QRect area(0, 30, 1280, 994);  // a panel above
  const struct {
    const char* Label;
    QPoint TopLeft;
    QSize Size;
    QRect Expected;
  } cases[] = {
      {"inside", {100, 100}, {640, 480}, {100, 100, 640, 480}},
      {"title bar above the screen", {100, -500}, {640, 480}, {100, 30, 640, 480}},
      {"only a corner left on the screen", {1202, 946}, {640, 480}, {640, 544, 640, 480}},
      {"left of the screen", {-5000, 200}, {640, 480}, {0, 200, 640, 480}},
      {"larger than the screen", {0, 0}, {32767, 32767}, {0, 30, 1280, 994}},
      {"tiny", {10, 40}, {78, 78}, {10, 40, 320, 200}},
      {"nothing stored", {0, 0}, {0, 0}, {0, 30, 320, 200}},
      {"negative size", {10, 40}, {-5, -7}, {10, 40, 320, 200}},
      {"extreme numbers", {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {0, 30, 1280, 994}},
  };
  for (const auto& c : cases) EXPECT_EQ(FitWindowBounds(c.TopLeft, c.Size, area, {}), c.Expected) << c.Label;
}

TEST(WindowBounds, TheFrameStaysOnTheScreenToo) {
  const QRect area(0, 30, 1280, 994);
  const QMargins frame(1, 25, 1, 2);  // title bar above
  const struct {
    const char* Label;
    QPoint TopLeft;
    QSize Size;
    QRect Expected;  // the frame's corner, the size inside it
  } cases[] = {
      {"larger than the screen", {0, 0}, {32767, 32767}, {0, 30, 1278, 967}},
      {"bottom edge below the screen", {100, 700}, {640, 480}, {100, 517, 640, 480}},
      {"right edge beyond the screen", {1000, 100}, {640, 480}, {638, 100, 640, 480}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FitWindowBounds(c.TopLeft, c.Size, area, frame), c.Expected) << c.Label;
}

TEST(WindowBounds, AScreenSmallerThanTheMinimumGivesItsWholeArea) {
  const QRect area(1280, 0, 300, 180);  // a second screen at the right
  EXPECT_EQ(FitWindowBounds({0, 0}, {800, 600}, area, {}), area);
  EXPECT_EQ(FitWindowBounds({1400, 50}, {100, 100}, area, {}), area);
  EXPECT_EQ(FitWindowBounds({0, 0}, {800, 600}, area, {2, 20, 2, 2}), QRect(1280, 0, 296, 158));
}

}  // namespace
}  // namespace quilmo::test
