#include "editor/EditorHost.h"

namespace quilmo {

namespace {

class TNullEditorHost final : public TEditorHost {
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

}  // namespace

TEditorHost& NullEditorHost() {
  static TNullEditorHost host;
  return host;
}

}  // namespace quilmo
