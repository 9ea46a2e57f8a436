// Auto-scroll: the keys that start, stop and pace it, the interval limits and what stops it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AutoScroll.h"
#include "editor/KeyBinding.h"

namespace quilmo {
namespace {

constexpr std::uint8_t kF6 = vkF1 + 5;
constexpr std::uint8_t kF7 = vkF1 + 6;
constexpr std::uint8_t kF8 = vkF1 + 7;

// Ctrl + keypad plus ('+') and minus ('-') from the start interval, and the interval after
// each key.
struct TIntervalCase {
  std::string Keys;
  std::vector<int> Intervals;
};

TEST(AutoScrollTest, CtrlKeypadPlusAndMinusKeepTheIntervalWithinItsLimits) {
  const TIntervalCase cases[] = {
      {"+++", {100, 10, 10}},
      {"++-", {100, 10, 110}},
      {"-+", {300, 200}},
      {std::string(100, '-'), {}},
  };
  for (const TIntervalCase& c : cases) {
    TAutoScroll scroll;
    std::vector<int> intervals;
    for (const char key : c.Keys) {
      const auto action = scroll.HandleKey(key == '+' ? vkAdd : vkSubtract, sfCtrl, false);
      EXPECT_EQ(action, TAutoScrollKeyAction::akInterval);
      intervals.push_back(scroll.Interval());
    }
    if (!c.Intervals.empty()) {
      EXPECT_EQ(intervals, c.Intervals) << c.Keys;
    }
  }
  TAutoScroll slow;
  for (int i = 0; i < 100; ++i) slow.HandleKey(vkSubtract, sfCtrl, false);
  EXPECT_EQ(slow.Interval(), 8000);
  slow.HandleKey(vkAdd, sfCtrl, false);
  EXPECT_EQ(slow.Interval(), 7900);
}

struct TKeyCase {
  std::uint8_t Key;
  std::uint8_t Shift;
  bool EmptyDocument;
  TAutoScrollKeyAction Action;
  TAutoScrollStep Step;  // the step of the next tick (asNone: no start happened)
  bool Running;
};

TEST(AutoScrollTest, KeysStartStopAndPaceByTheirExactShiftState) {
  using A = TAutoScrollKeyAction;
  using S = TAutoScrollStep;
  const TKeyCase cases[] = {
      {kF6, sfNone, false, A::akStart, S::asLineDown, true},
      {kF6, sfShift, false, A::akStart, S::asLineDown, true},
      {kF6, sfCtrl, false, A::akStart, S::asPageDown, true},
      {kF6, sfCtrl | sfShift, false, A::akStart, S::asLineDown, true},
      {kF7, sfAlt, false, A::akStart, S::asLineUp, true},
      {kF7, sfCtrl, false, A::akStart, S::asPageUp, true},
      {kF6, sfNone, true, A::akNone, S::asNone, false},
      {kF7, sfCtrl, true, A::akNone, S::asNone, false},
      {kF8, sfCtrl | sfAlt, false, A::akStop, S::asNone, false},
      {kF8, sfNone, true, A::akStop, S::asNone, false},
      {vkAdd, sfNone, false, A::akNone, S::asNone, false},
      {vkSubtract, sfCtrl | sfShift, false, A::akNone, S::asNone, false},
      {vkF1 + 4, sfNone, false, A::akNone, S::asNone, false},
  };
  for (const TKeyCase& c : cases) {
    TAutoScroll scroll;
    EXPECT_EQ(scroll.HandleKey(c.Key, c.Shift, c.EmptyDocument), c.Action)
        << int(c.Key) << "/" << int(c.Shift);
    EXPECT_EQ(scroll.Step(), c.Step) << int(c.Key) << "/" << int(c.Shift);
    EXPECT_EQ(scroll.Running(), c.Running) << int(c.Key) << "/" << int(c.Shift);
    EXPECT_EQ(scroll.Interval(), TAutoScroll::kStartInterval);
  }
}

TEST(AutoScrollTest, StartingAgainChangesTheDirectionAndF8KeepsIt) {
  TAutoScroll scroll;
  scroll.HandleKey(kF6, sfNone, false);
  scroll.HandleKey(kF7, sfCtrl, false);
  EXPECT_EQ(scroll.Step(), TAutoScrollStep::asPageUp);
  scroll.HandleKey(kF8, sfNone, false);
  EXPECT_FALSE(scroll.Running());
  EXPECT_EQ(scroll.Step(), TAutoScrollStep::asPageUp);
}

// The top reached stops scrolling up; the last line drawn stops scrolling down.
struct TStopCase {
  std::uint8_t Key;
  std::uint8_t Shift;
  int TopLine;    // 0: no top-line notification
  int DrawnLine;  // 0: no draw notification
  bool Stops;
};

TEST(AutoScrollTest, TheEndInTheScrollingDirectionStopsIt) {
  const int lineCount = 50;
  const TStopCase cases[] = {
      {kF7, sfNone, 1, 0, true},   {kF7, sfCtrl, 1, 0, true},  {kF7, sfNone, 2, 0, false},
      {kF7, sfNone, 0, 50, false}, {kF6, sfNone, 0, 50, true}, {kF6, sfCtrl, 0, 50, true},
      {kF6, sfNone, 0, 49, false}, {kF6, sfNone, 1, 0, false}, {kF8, sfNone, 1, 50, false},
  };
  for (const TStopCase& c : cases) {
    TAutoScroll scroll;
    scroll.HandleKey(c.Key, c.Shift, false);
    bool stopped = false;
    if (c.TopLine > 0) stopped |= scroll.TopLineChanged(c.TopLine);
    if (c.DrawnLine > 0) stopped |= scroll.LineDrawn(c.DrawnLine, lineCount);
    EXPECT_EQ(stopped, c.Stops) << int(c.Key) << " top " << c.TopLine << " drawn " << c.DrawnLine;
    EXPECT_EQ(scroll.Running(), c.Key != kF8 && !c.Stops);
  }
}

}  // namespace
}  // namespace quilmo
