#pragma once
// Selecting with the left button held down: in text mode the caret follows the pointer, in
// line mode (pressed in the left margin) whole lines are selected from an anchor. Outside
// the window the turns come faster the further the pointer is; the control's timer and
// moves of the pointer ask for them. This part keeps the state of one press and its rules;
// the control maps points to lines and moves its caret and selection.

#include <cstdint>

#include "editor/ViewState.h"

namespace quilmo {

class TMouseSelection {
 public:
  bool Captured() const { return captured_; }
  bool LineMode() const { return lineMode_; }
  int X() const { return x_; }
  int Y() const { return y_; }

  // The button went down at (x, y); with Shift the first turn extends the selection.
  void Press(int x, int y, bool shift, bool lineMode);
  // Line mode: the anchor is the start of the pressed line or, with Shift, the end of the
  // selection away from it.
  void AnchorLines(std::int32_t line, TLinePos selStart, TLinePos selEnd);
  void MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
  }
  void Release() { captured_ = false; }

  // Whether a turn is due at `now` (ms) with the pointer where it is: at once inside the
  // window or when forced, else once the time the pointer's distance leaves has passed
  // (`slowest` ms just outside the window, none `slowest` pixels away or further).
  bool TurnDue(std::int64_t now, int clientHeight, int slowest, bool force);

  // A turn with the pointer on (line, column): false when nothing changed since the last turn
  // (the same line in line mode, the same place in text mode). `extend` is false only on the
  // first turn of a press without Shift.
  bool NextTurn(std::int32_t line, std::int32_t column, bool& extend);

  // The selection of a line-mode turn on `line` (of `lineCount`, `lineLength` characters):
  // whole lines from the anchor, line breaks included; the last line to its end.
  struct TLineRange {
    TLinePos From;
    TLinePos To;
    bool CaretAtEnd = true;
  };
  TLineRange LineRange(std::int32_t line, std::int32_t lineCount, std::int32_t lineLength) const;

 private:
  bool captured_ = false;
  bool shift_ = false;
  bool lineMode_ = false;
  bool firstTurn_ = true;
  int x_ = 0;
  int y_ = 0;
  TLinePos anchor_;
  TLinePos lastTurn_{0, 0};
  std::int64_t lastTurnTime_ = 0;
};

}  // namespace quilmo
