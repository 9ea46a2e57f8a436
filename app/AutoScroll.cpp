#include "app/AutoScroll.h"

#include "editor/KeyBinding.h"

namespace quilmo {

namespace {

constexpr std::uint8_t kKeyF6 = vkF1 + 5;
constexpr std::uint8_t kKeyF7 = vkF1 + 6;
constexpr std::uint8_t kKeyF8 = vkF1 + 7;

}  // namespace

TAutoScrollKeyAction TAutoScroll::HandleKey(std::uint8_t key, std::uint8_t shift, bool documentEmpty) {
  const bool ctrlOnly = (shift & sfModifierMask) == sfCtrl;
  switch (key) {
    case kKeyF6:
    case kKeyF7:
      if (documentEmpty) return TAutoScrollKeyAction::akNone;
      if (key == kKeyF6)
        Start(ctrlOnly ? TAutoScrollStep::asPageDown : TAutoScrollStep::asLineDown);
      else
        Start(ctrlOnly ? TAutoScrollStep::asPageUp : TAutoScrollStep::asLineUp);
      return TAutoScrollKeyAction::akStart;
    case kKeyF8: Stop(); return TAutoScrollKeyAction::akStop;
    case vkAdd:
      if (!ctrlOnly) return TAutoScrollKeyAction::akNone;
      Faster();
      return TAutoScrollKeyAction::akInterval;
    case vkSubtract:
      if (!ctrlOnly) return TAutoScrollKeyAction::akNone;
      Slower();
      return TAutoScrollKeyAction::akInterval;
    default: return TAutoScrollKeyAction::akNone;
  }
}

void TAutoScroll::Start(TAutoScrollStep direction) {
  Direction_ = direction;
  Running_ = direction != TAutoScrollStep::asNone;
}

void TAutoScroll::Faster() {
  Interval_ -= kIntervalStep;
  if (Interval_ < 1) Interval_ = kFastestAfterUnderflow;
}

void TAutoScroll::Slower() {
  Interval_ += kIntervalStep;
  if (Interval_ > kSlowestInterval) Interval_ = kSlowestInterval;
}

bool TAutoScroll::TopLineChanged(int topLine) {
  const bool up = Direction_ == TAutoScrollStep::asLineUp || Direction_ == TAutoScrollStep::asPageUp;
  if (!Running_ || !up || topLine != 1) return false;
  Stop();
  return true;
}

bool TAutoScroll::LineDrawn(int line, int lineCount) {
  const bool down = Direction_ == TAutoScrollStep::asLineDown || Direction_ == TAutoScrollStep::asPageDown;
  if (!Running_ || !down || line != lineCount) return false;
  Stop();
  return true;
}

}  // namespace quilmo
