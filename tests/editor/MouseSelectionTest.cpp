// The rules of one press of the left button, without a control: when a turn is due, when it
// moves anything, and which lines line mode selects. The control's use of them is tested in
// EditorMouseTest.

#include "editor/MouseSelection.h"

#include <gtest/gtest.h>

namespace quilmo::test {
namespace {

TEST(MouseSelection, TurnsComeFasterTheFurtherThePointerIsOutsideTheWindow) {
  // A window 100 pixels high; 48 ms between turns just outside it.
  struct Case {
    int Y;
    int Wait;  // ms after the last turn, which came at 1000
    bool Force;
    bool Due;
  };
  const Case cases[] = {
      // Inside the window: at the next tick.
      {50, 0, false, false},
      {50, 1, false, true},
      {50, 0, true, true},
      // Just outside, above or below: after 48 ms.
      {100, 47, false, false},
      {100, 48, false, true},
      {-1, 47, false, false},
      {-1, 48, false, true},
      // 40 pixels away: after 9 ms; 48 or more away: every tick.
      {-40, 8, false, false},
      {-40, 9, false, true},
      {147, 0, false, false},
      {148, 0, false, true},
      {-300, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "y " << c.Y << " after " << c.Wait);
    TMouseSelection mouse;
    mouse.Press(10, 50, false, false);
    ASSERT_TRUE(mouse.TurnDue(1000, 100, 48, true));
    mouse.MoveTo(10, c.Y);
    EXPECT_EQ(mouse.TurnDue(1000 + c.Wait, 100, 48, c.Force), c.Due);
  }
}

TEST(MouseSelection, ATurnActsOnlyWhenThePointerReachedAnotherPlace) {
  for (bool lineMode : {false, true}) {
    SCOPED_TRACE(lineMode ? "line mode" : "text mode");
    TMouseSelection mouse;
    mouse.Press(0, 0, true, lineMode);
    bool extend = false;
    ASSERT_TRUE(mouse.NextTurn(3, 4, extend));
    EXPECT_TRUE(extend);  // Shift: the first turn extends too
    EXPECT_FALSE(mouse.NextTurn(3, 4, extend));
    EXPECT_EQ(mouse.NextTurn(3, 5, extend), !lineMode);  // line mode heeds the line alone
    EXPECT_TRUE(mouse.NextTurn(4, 5, extend));
    mouse.Press(0, 0, false, lineMode);
    ASSERT_TRUE(mouse.NextTurn(4, 5, extend));  // a new press acts at once, without Shift anew
    EXPECT_FALSE(extend);
    ASSERT_TRUE(mouse.NextTurn(5, 5, extend));
    EXPECT_TRUE(extend);
  }
}

TEST(MouseSelection, LineModeSelectsWholeLinesFromTheAnchor) {
  struct Case {
    const char* Name;
    bool Shift;
    int Y;
    std::int32_t Line;  // the line of the turn; the press was on line 5 of 9
    TLinePos From, To;
    bool CaretAtEnd;
  };
  const Case cases[] = {
      {"the pressed line", false, 10, 5, {5, 1}, {6, 1}, true},
      {"below", false, 10, 7, {5, 1}, {8, 1}, true},
      {"the last line to its end", false, 10, 9, {5, 1}, {9, 4}, true},
      {"above", false, 10, 3, {3, 1}, {5, 1}, false},
      {"above the window", false, -5, 5, {5, 1}, {5, 1}, false},
      // With Shift the anchor is the end of the selection (2,2)-(6,3) away from the line.
      {"shift below the selection's start", true, 10, 7, {2, 2}, {8, 1}, true},
      {"shift above it", true, 10, 1, {1, 1}, {6, 3}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TMouseSelection mouse;
    mouse.Press(0, 10, c.Shift, true);
    mouse.AnchorLines(c.Shift ? c.Line : 5, {2, 2}, {6, 3});
    mouse.MoveTo(0, c.Y);
    const TMouseSelection::TLineRange range = mouse.LineRange(c.Line, 9, 3);
    EXPECT_EQ(range.From, c.From);
    EXPECT_EQ(range.To, c.To);
    EXPECT_EQ(range.CaretAtEnd, c.CaretAtEnd);
  }
}

}  // namespace
}  // namespace quilmo::test
