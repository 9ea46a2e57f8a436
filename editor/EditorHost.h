#pragma once
// What the editor control's logic needs from the toolkit: its window (size, focus,
// invalidation, pixel scrolling), the two scroll bars, the caret, the font metrics, the
// queued status call, the clipboard, the mouse cursor, a timer for auto-scrolling and a
// millisecond clock.
// editor/qt implements it on a QAbstractScrollArea; tests use a fake that records calls.

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/Caret.h"
#include "editor/FixedFont.h"
#include "editor/Graphics.h"

namespace quilmo {

enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// Scroll-bar messages, as the host reports user actions on a bar.
enum class TScrollCode : std::uint8_t {
  scLineUp,         // also line left
  scLineDown,       // also line right
  scPageUp,         // also page left
  scPageDown,       // also page right
  scThumbPosition,  // the thumb was released at a position
  scThumbTrack,     // the thumb is being dragged
  scTop,
  scBottom,
  scEndScroll,
};

enum class TMouseCursorKind : std::uint8_t { mcIBeam, mcLine };

// Scroll-bar parameters: positions Min..Max, a page of Page positions (0 = no page) and the
// thumb at Pos. A bar that cannot scroll (Max - Min + 1 <= Page with a page, Max <= Min
// without one) is disabled when DisableNoScroll is set and hidden otherwise.
struct TScrollBarInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
  bool DisableNoScroll = false;
  bool operator==(const TScrollBarInfo&) const = default;
};

// Metrics of the editor's fixed-pitch font, in pixels.
struct TFontMetrics {
  int AveCharWidth = 8;
  int Height = 16;
  int ExternalLeading = 0;
};

// The sides of its cell beyond which a character's glyph puts ink (a slanted or wide glyph
// reaching into its neighbour), flags combined with |.
using TGlyphOverhang = std::uint8_t;
inline constexpr TGlyphOverhang goNone = 0;
inline constexpr TGlyphOverhang goLeft = 1;
inline constexpr TGlyphOverhang goRight = 2;

// The caret part (TCaretHost) is a rectangle painted over the text while the control has
// the focus, blinking on a timer.
class TEditorHost : public TCaretHost {
 public:
  virtual ~TEditorHost() = default;

  // --- window
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual bool Focused() const = 0;
  virtual bool CanFocus() const = 0;
  virtual void SetFocus() = 0;
  virtual bool Enabled() const = 0;
  // Marks the whole client area, or a rectangle of it, for the next paint.
  virtual void Invalidate() = 0;
  virtual void InvalidateRect(const TRect& rect) = 0;
  // Paints the invalid parts now (before returning).
  virtual void Update() = 0;
  // Moves the pixels of `area` by (dx, dy); the parts of `area` uncovered become invalid, and
  // the parts still invalid move with the pixels (a row just changed is painted where it lands).
  virtual void ScrollRect(const TRect& area, int dx, int dy) = 0;

  // --- scroll bars
  // Which bars the window has (its style); called when the window is created or recreated.
  virtual void SetScrollBarStyle(bool horizontal, bool vertical) = 0;
  virtual void SetScrollBar(TScrollBarKind bar, const TScrollBarInfo& info) = 0;
  virtual void SetScrollPos(TScrollBarKind bar, int pos) = 0;
  // Height of a horizontal scroll bar (paces auto-scrolling).
  virtual int HorzScrollBarHeight() const = 0;

  // --- the text's font
  virtual TFontMetrics FontMetrics(const TFontDesc& font) = 0;
  // Width in pixels of a text in that font (line numbers).
  virtual int TextWidth(const TFontDesc& font, std::string_view text) = 0;
  // Where the glyph of a Windows-1252 byte puts ink outside its cell in that font. A host
  // that cannot tell answers both sides: the control then repaints what a glyph could reach.
  virtual TGlyphOverhang GlyphOverhang(const TFontDesc&, unsigned char) { return goLeft | goRight; }

  // --- notifications
  // Queues a call to TCustomEditor::StatusMessage(column, line), delivered after the
  // current operation has finished.
  virtual void PostStatus(int column, int line) = 0;
  virtual void Beep() = 0;
  virtual void SetBusyCursor(bool on) = 0;

  // --- clipboard, plain text as Windows-1252 bytes
  // False when the clipboard could not be written.
  virtual bool SetClipboardText(std::string_view bytes) = 0;
  // False when the clipboard holds no text.
  virtual bool GetClipboardText(std::string& bytes) = 0;

  // --- mouse
  virtual void SetMouseCursor(TMouseCursorKind kind) = 0;
  virtual void SetMouseCapture(bool captured) = 0;
  // While started, the host calls TCustomEditor::AutoScrollTick() every few milliseconds.
  virtual void StartAutoScrollTimer() = 0;
  virtual void StopAutoScrollTimer() = 0;
  // A monotonic millisecond clock.
  virtual std::int64_t Milliseconds() const = 0;
};

// The host of a control that is not shown (no window): a 0 x 0 client area, no focus,
// and every call without effect. Hosts that need only a few calls derive from it.
class TNullEditorHost : public TEditorHost {
 public:
  void CreateCaret(const TCaret&) override {}
  void DestroyCaret() override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void SetCaretPos(int, int) override {}
  unsigned CaretBlinkTime() override { return 0; }
  void SetCaretBlinkTime(unsigned) override {}

  int ClientWidth() const override { return 0; }
  int ClientHeight() const override { return 0; }
  bool Focused() const override { return false; }
  bool CanFocus() const override { return false; }
  void SetFocus() override {}
  bool Enabled() const override { return true; }
  void Invalidate() override {}
  void InvalidateRect(const TRect&) override {}
  void Update() override {}
  void ScrollRect(const TRect&, int, int) override {}
  void SetScrollBarStyle(bool, bool) override {}
  void SetScrollBar(TScrollBarKind, const TScrollBarInfo&) override {}
  void SetScrollPos(TScrollBarKind, int) override {}
  int HorzScrollBarHeight() const override { return 16; }
  TFontMetrics FontMetrics(const TFontDesc&) override { return {}; }
  int TextWidth(const TFontDesc&, std::string_view text) override {
    return 8 * static_cast<int>(text.size());
  }
  void PostStatus(int, int) override {}
  void Beep() override {}
  void SetBusyCursor(bool) override {}
  bool SetClipboardText(std::string_view) override { return false; }
  bool GetClipboardText(std::string&) override { return false; }
  void SetMouseCursor(TMouseCursorKind) override {}
  void SetMouseCapture(bool) override {}
  void StartAutoScrollTimer() override {}
  void StopAutoScrollTimer() override {}
  std::int64_t Milliseconds() const override { return 0; }
};

// The shared instance used by controls without a window.
TEditorHost& NullEditorHost();

}  // namespace quilmo
