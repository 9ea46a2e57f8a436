#include "support/FakeHost.h"

namespace quilmo::test {

TFakeHost::TFakeHost(int width, int height) : Width(width), Height(height) {}

void TFakeHost::Attach(TCustomEditor& editor) {
  Editor = &editor;
  editor.SetHost(this);
  editor.CreateWnd();
}

void TFakeHost::Focus() {
  if (HasFocus) return;
  HasFocus = true;
  if (Editor) Editor->FocusIn();
}

void TFakeHost::Unfocus() {
  if (!HasFocus) return;
  HasFocus = false;
  if (Editor) Editor->FocusOut();
}

void TFakeHost::ResizeTo(int width, int height) {
  Width = width;
  Height = height;
  if (Editor) Editor->Resize();
}

int TFakeHost::DeliverPosted() {
  std::vector<std::pair<int, int>> queue;
  queue.swap(Posted);
  if (Editor)
    for (const auto& [column, line] : queue) Editor->StatusMessage(column, line);
  return static_cast<int>(queue.size());
}

void TFakeHost::CreateCaret(const TCaret& caret) {
  CaretCreated = true;
  CaretShown = false;
  CaretWidth = caret.CaretWidth();
  CaretHeight = caret.CaretHeight();
}

void TFakeHost::DestroyCaret() {
  CaretCreated = false;
  CaretShown = false;
}

void TFakeHost::ShowCaret() {
  CaretShown = CaretCreated;
}

void TFakeHost::HideCaret() {
  CaretShown = false;
}

void TFakeHost::SetCaretPos(int x, int y) {
  CaretX = x;
  CaretY = y;
}

void TFakeHost::SetScrollBarStyle(bool horizontal, bool vertical) {
  HBar.Exists = horizontal;
  VBar.Exists = vertical;
}

void TFakeHost::SetScrollBar(TScrollBarKind bar, const TScrollBarInfo& info) {
  TBar& b = bar == TScrollBarKind::sbVertical ? VBar : HBar;
  b.Info = info;
  b.Pos = info.Pos;
}

void TFakeHost::SetScrollPos(TScrollBarKind bar, int pos) {
  TBar& b = bar == TScrollBarKind::sbVertical ? VBar : HBar;
  b.Pos = pos;
  if (b.Info) b.Info->Pos = pos;
}

int TFakeHost::TextWidth(const TFontDesc&, std::string_view text) {
  return Metrics.AveCharWidth * static_cast<int>(text.size());
}

bool TFakeHost::SetClipboardText(std::string_view bytes) {
  Clipboard = std::string(bytes);
  return true;
}

bool TFakeHost::GetClipboardText(std::string& bytes) {
  if (!Clipboard) return false;
  bytes = *Clipboard;
  return true;
}

void TFakeHost::ClearRecords() {
  InvalidateCount = 0;
  UpdateCount = 0;
  InvalidatedRects.clear();
  Scrolls.clear();
  Posted.clear();
  BeepCount = 0;
  BusyCalls.clear();
}

}  // namespace quilmo::test
