#pragma once
// Timer-driven scrolling of the text: the keys that start, stop and pace it, its interval and
// its direction. The window owns the timer and the editor; this class decides.

#include <cstdint>

namespace quilmo {

// What one tick sends the editor: one vertical scroll request, or nothing.
enum class TAutoScrollStep : std::uint8_t { asNone, asLineDown, asLineUp, asPageDown, asPageUp };

// What a key seen by the editor asks of the auto-scroll.
enum class TAutoScrollKeyAction : std::uint8_t {
  akNone,     // not an auto-scroll key (or a starting key on an empty document)
  akStart,    // a direction was chosen: one step at once, then the timer runs
  akStop,     // the timer stops, without a beep
  akInterval  // the interval changed: the running timer takes it
};

class TAutoScroll {
 public:
  static constexpr int kStartInterval = 200;
  static constexpr int kIntervalStep = 100;
  static constexpr int kFastestAfterUnderflow = 10;
  static constexpr int kSlowestInterval = 8000;

  int Interval() const { return Interval_; }
  TAutoScrollStep Direction() const { return Direction_; }
  bool Running() const { return Running_; }

  // Handles a key-down of the editor (a virtual-key code and its shift flags). `documentEmpty`:
  // the document has no byte, so the starting keys do nothing.
  TAutoScrollKeyAction HandleKey(std::uint8_t key, std::uint8_t shift, bool documentEmpty);

  void Start(TAutoScrollStep direction);
  void Stop() { Running_ = false; }
  void Faster();
  void Slower();

  // The editor's notifications while the timer runs. Each returns true when it stopped the
  // scrolling, which the window signals with a beep: the top line became 1 while scrolling up,
  // or the document's last line was drawn while scrolling down. A notification that does not
  // concern the current direction (the last line repainted while going up) leaves it running.
  bool TopLineChanged(int topLine);
  bool LineDrawn(int line, int lineCount);

  // The request of one tick: the chosen direction; nothing before the first start.
  TAutoScrollStep Step() const { return Direction_; }

 private:
  int Interval_ = kStartInterval;
  TAutoScrollStep Direction_ = TAutoScrollStep::asNone;
  bool Running_ = false;
};

}  // namespace quilmo
