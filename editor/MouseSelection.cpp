#include "editor/MouseSelection.h"

namespace quilmo {

void TMouseSelection::Press(int x, int y, bool shift, bool lineMode) {
  captured_ = true;
  shift_ = shift;
  lineMode_ = lineMode;
  x_ = x;
  y_ = y;
  firstTurn_ = true;
}

void TMouseSelection::AnchorLines(std::int32_t line, TLinePos selStart, TLinePos selEnd) {
  if (!shift_)
    anchor_ = {line, 1};
  else if (line < selStart.Line)
    anchor_ = selEnd;
  else
    anchor_ = selStart;
}

bool TMouseSelection::TurnDue(std::int64_t now, int clientHeight, int slowest, bool force) {
  int distance = slowest;
  if (y_ < 0)
    distance = -y_;
  else if (y_ >= clientHeight)
    distance = y_ - clientHeight + 1;
  if (!force && now - lastTurnTime_ <= slowest - distance) return false;
  lastTurnTime_ = now;
  return true;
}

bool TMouseSelection::NextTurn(std::int32_t line, std::int32_t column, bool& extend) {
  if (!firstTurn_ && line == lastTurn_.Line && (lineMode_ || column == lastTurn_.Col)) return false;
  extend = firstTurn_ ? shift_ : true;
  firstTurn_ = false;
  lastTurn_ = {line, column};
  return true;
}

TMouseSelection::TLineRange TMouseSelection::LineRange(std::int32_t line, std::int32_t lineCount,
                                                       std::int32_t lineLength) const {
  // Above the anchor, or above the window, the caret stands at the start of the range.
  if (line < anchor_.Line || y_ < 0) return {{line, 1}, anchor_, false};
  if (line >= lineCount) return {anchor_, {line, lineLength + 1}, true};
  return {anchor_, {line + 1, 1}, true};
}

}  // namespace quilmo
