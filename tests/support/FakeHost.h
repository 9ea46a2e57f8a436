#pragma once
// A TEditorHost without a display: a client area of a chosen size, a fixed-pitch font of
// chosen metrics, and a record of every call the editor makes.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/CustomEditor.h"
#include "editor/EditorHost.h"

namespace quilmo::test {

class TFakeHost : public TEditorHost {
 public:
  // Client area in pixels; characters 8 wide; rows of 15 + 0 + 1 = 16 pixels.
  explicit TFakeHost(int width = 400, int height = 16 * 10 + 8);

  // Attaches the editor (SetHost and CreateWnd); focus changes then reach it.
  void Attach(TCustomEditor& editor);
  // Gives / takes the focus, calling the editor's FocusIn / FocusOut.
  void Focus();
  void Unfocus();
  // Changes the client size and tells the editor.
  void ResizeTo(int width, int height);
  // Delivers the queued status calls to the editor, in order; returns how many.
  int DeliverPosted();

  // --- TCaretHost
  void CreateCaret(const TCaret& caret) override;
  void DestroyCaret() override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCaretPos(int x, int y) override;
  unsigned CaretBlinkTime() override { return BlinkTime; }
  void SetCaretBlinkTime(unsigned milliseconds) override { BlinkTime = milliseconds; }

  // --- TEditorHost
  int ClientWidth() const override { return Width; }
  int ClientHeight() const override { return Height; }
  bool Focused() const override { return HasFocus; }
  bool CanFocus() const override { return Focusable; }
  void SetFocus() override { Focus(); }
  bool Enabled() const override { return IsEnabled; }
  void Invalidate() override { ++InvalidateCount; }
  void InvalidateRect(const TRect& rect) override { InvalidatedRects.push_back(rect); }
  void Update() override { ++UpdateCount; }
  void ScrollRect(const TRect& area, int dx, int dy) override { Scrolls.push_back({area, dx, dy}); }
  void SetScrollBarStyle(bool horizontal, bool vertical) override;
  void SetScrollBar(TScrollBarKind bar, const TScrollBarInfo& info) override;
  void SetScrollPos(TScrollBarKind bar, int pos) override;
  int HorzScrollBarHeight() const override { return ScrollBarHeight; }
  TFontMetrics FontMetrics(const TFontDesc&) override { return Metrics; }
  int TextWidth(const TFontDesc&, std::string_view text) override;
  void PostStatus(int column, int line) override { Posted.emplace_back(column, line); }
  void Beep() override { ++BeepCount; }
  void SetBusyCursor(bool on) override { BusyCalls.push_back(on); }
  bool SetClipboardText(std::string_view bytes) override;
  bool GetClipboardText(std::string& bytes) override;
  void SetMouseCursor(TMouseCursorKind kind) override { Cursor = kind; }
  void SetMouseCapture(bool captured) override { Captured = captured; }
  void StartAutoScrollTimer() override { TimerRunning = true; }
  void StopAutoScrollTimer() override { TimerRunning = false; }
  std::int64_t Milliseconds() const override { return Now; }

  struct TScroll {
    TRect Area;
    int Dx = 0;
    int Dy = 0;
  };
  struct TBar {
    bool Exists = false;
    std::optional<TScrollBarInfo> Info;  // last parameters sent
    int Pos = 0;                         // last position sent (with the parameters or alone)
  };
  const TBar& Bar(TScrollBarKind kind) const { return kind == TScrollBarKind::sbVertical ? VBar : HBar; }
  void ClearRecords();

  TCustomEditor* Editor = nullptr;
  int Width;
  int Height;
  TFontMetrics Metrics{8, 15, 0};
  int CharWidth() const { return Metrics.AveCharWidth; }
  bool HasFocus = false;
  bool Focusable = true;
  bool IsEnabled = true;
  int ScrollBarHeight = 16;
  unsigned BlinkTime = 530;
  std::int64_t Now = 1000;

  int InvalidateCount = 0;
  int UpdateCount = 0;
  std::vector<TRect> InvalidatedRects;
  std::vector<TScroll> Scrolls;
  TBar HBar;
  TBar VBar;
  std::vector<std::pair<int, int>> Posted;  // (column, line)
  int BeepCount = 0;
  std::vector<bool> BusyCalls;
  std::optional<std::string> Clipboard;
  TMouseCursorKind Cursor = TMouseCursorKind::mcIBeam;
  bool Captured = false;
  bool TimerRunning = false;

  // The caret as the editor left it.
  bool CaretCreated = false;
  bool CaretShown = false;
  int CaretWidth = 0;
  int CaretHeight = 0;
  int CaretX = kCaretHidden;
  int CaretY = kCaretHidden;
};

}  // namespace quilmo::test
