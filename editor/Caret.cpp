#include "editor/Caret.h"

#include <utility>

namespace quilmo {

// ---- TCaret ----

void TCaret::Changed() {
  if (FHolder) FHolder->CaretChanged(*this);
}

void TCaret::SetShape(TCaretShape value) {
  if (value == FShape) return;
  FShape = value;
  switch (value) {
    case TCaretShape::csBlock: FAlign = TCaretAlign::caLeft; break;
    case TCaretShape::csHalfBlock: FAlign = TCaretAlign::caBottom; break;
    case TCaretShape::csVertLine:
      FAlign = TCaretAlign::caLeft;
      FCaretWidth = 2;
      break;
    case TCaretShape::csHorzLine:
      FAlign = TCaretAlign::caBottom;
      FCaretHeight = 2;
      break;
    case TCaretShape::csBitmap:
      if (!FBitmap.IsEmpty()) {
        FCaretHeight = FBitmap.Height;
        FCaretWidth = FBitmap.Width;
      }
      break;
    case TCaretShape::csCustom: break;
  }
  Changed();
}

void TCaret::SetAlign(TCaretAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  Changed();
}

void TCaret::SetCaretHeight(int value) {
  if (value < 1 || value == FCaretHeight) return;
  FCaretHeight = value;
  Changed();
}

void TCaret::SetCaretWidth(int value) {
  if (value < 1 || value == FCaretWidth) return;
  FCaretWidth = value;
  Changed();
}

void TCaret::SetBlinkTime(std::uint16_t value) {
  if (value == FBlinkTime) return;
  FBlinkTime = value;
  Changed();
}

void TCaret::SetIsGray(bool value) {
  if (value == FIsGray) return;
  FIsGray = value;
  Changed();
}

void TCaret::SetBitmap(const TCaretBitmap& value) {
  if (value.IsEmpty() || value == FBitmap) return;
  FBitmap = value;
  if (FShape == TCaretShape::csBitmap) {
    FCaretHeight = FBitmap.Height;
    FCaretWidth = FBitmap.Width;
  }
  Changed();
}

void TCaret::SetBitmapHotSpotX(int value) {
  if (value == FHotSpotX) return;
  FHotSpotX = value;
  if (FShape == TCaretShape::csBitmap) Changed();
}

void TCaret::SetBitmapHotSpotY(int value) {
  if (value == FHotSpotY) return;
  FHotSpotY = value;
  if (FShape == TCaretShape::csBitmap) Changed();
}

void TCaret::Assign(const TCaret& other) {
  if (&other == this) return;
  FShape = other.FShape;
  FAlign = other.FAlign;
  FCaretHeight = other.FCaretHeight;
  FCaretWidth = other.FCaretWidth;
  FBlinkTime = other.FBlinkTime;
  FIsGray = other.FIsGray;
  FBitmap = other.FBitmap;
  FHotSpotX = other.FHotSpotX;
  FHotSpotY = other.FHotSpotY;
  Changed();
}

// ---- TSingleCaret ----

TSingleCaret::TSingleCaret(TCaretHost* host) : FHost(host), FCaret(std::make_shared<TCaret>()) {
  Hold(FCaret);
  Fit();
}

TSingleCaret::~TSingleCaret() {
  Release(FCaret);
}

void TSingleCaret::Hold(const std::shared_ptr<TCaret>& caret) {
  if (caret) caret->FHolder = this;
}

void TSingleCaret::Release(const std::shared_ptr<TCaret>& caret) {
  if (caret && caret->FHolder == this) caret->FHolder = nullptr;
}

void TSingleCaret::ShowCaretObject(const std::shared_ptr<TCaret>& caret) {
  if (caret == FCaret) return;
  FCaret = caret;
  Recreate();
}

// By value for TCaretPair's override, which moves it on.
void TSingleCaret::SetCaret(std::shared_ptr<TCaret> caret) {  // NOLINT(performance-unnecessary-value-param)
  if (!caret || caret == FCaret) return;
  Release(FCaret);
  Hold(caret);
  ShowCaretObject(caret);
}

void TSingleCaret::CaretChanged(TCaret& caret) {
  if (!FFitting && &caret == FCaret.get()) Recreate();
}

void TSingleCaret::SetCellSize(int width, int height) {
  if (width == FCellWidth && height == FCellHeight) return;
  FCellWidth = width;
  FCellHeight = height;
  Recreate();
}

void TSingleCaret::Recreate() {
  const bool wasLinked = FLinked;
  Unlink();
  Fit();
  if (wasLinked) Link();
}

void TSingleCaret::Fit() {
  TCaret& c = *FCaret;
  FFitting = true;
  switch (c.Shape()) {
    case TCaretShape::csBlock:
      c.SetCaretHeight(FCellHeight);
      c.SetCaretWidth(FCellWidth);
      break;
    case TCaretShape::csHalfBlock:
      c.SetCaretHeight(FCellHeight / 2);
      c.SetCaretWidth(FCellWidth);
      break;
    case TCaretShape::csVertLine: c.SetCaretHeight(FCellHeight); break;
    case TCaretShape::csHorzLine: c.SetCaretWidth(FCellWidth); break;
    case TCaretShape::csCustom:
    case TCaretShape::csBitmap: break;
  }
  FFitting = false;

  const int w = c.CaretWidth();
  const int h = c.CaretHeight();
  int dx = 0;
  int dy = 0;
  switch (c.Align()) {
    case TCaretAlign::caLeft: dy = (FCellHeight - h) / 2; break;
    case TCaretAlign::caTop: dx = (FCellWidth - w) / 2; break;
    case TCaretAlign::caRight:
      dx = FCellWidth - w;
      dy = (FCellHeight - h) / 2;
      break;
    case TCaretAlign::caBottom:
      dx = (FCellWidth - w) / 2;
      dy = FCellHeight - h;
      break;
    case TCaretAlign::caCenter:
      dx = (FCellWidth - w) / 2;
      dy = (FCellHeight - h) / 2;
      break;
  }
  if (c.Shape() == TCaretShape::csBitmap) {
    dx -= c.BitmapHotSpotX();
    dy -= c.BitmapHotSpotY();
  }
  if (dx != FDx || dy != FDy) {
    FDx = dx;
    FDy = dy;
    if (FLinked) MoveHostCaret();
  }
}

void TSingleCaret::MoveHostCaret() {
  if (PositionHidden())
    FHost->SetCaretPos(kCaretHidden, kCaretHidden);
  else
    FHost->SetCaretPos(FX + FDx, FY + FDy);
}

void TSingleCaret::Link() {
  if (FLinked || !FHost) return;
  FSavedBlinkTime = FHost->CaretBlinkTime();
  FHost->CreateCaret(*FCaret);
  FLinked = true;
  if (FVisible) FHost->ShowCaret();
  MoveHostCaret();
  const unsigned blink = FCaret->BlinkTime();
  if (blink != 0 && blink != FSavedBlinkTime) FHost->SetCaretBlinkTime(blink);
}

void TSingleCaret::Unlink() {
  if (!FLinked) return;
  FLinked = false;
  FHost->SetCaretBlinkTime(FSavedBlinkTime);
  FHost->DestroyCaret();
}

void TSingleCaret::Show() {
  FVisible = true;
  if (FLinked) FHost->ShowCaret();
}

void TSingleCaret::Hide() {
  FVisible = false;
  if (FLinked) FHost->HideCaret();
}

void TSingleCaret::SetPosition(int x, int y) {
  if (x < 0 || y < 0) {
    x = kCaretHidden;
    y = kCaretHidden;
  }
  FX = x;
  FY = y;
  if (FLinked) MoveHostCaret();
}

int TSingleCaret::DrawX(int x) const {
  switch (FCaret->Shape()) {
    case TCaretShape::csBlock:
    case TCaretShape::csHalfBlock:
    case TCaretShape::csHorzLine: return x;
    default: return FCaret->CaretWidth() > 4 ? x : x - 1;
  }
}

// ---- TCaretPair ----

TCaretPair::TCaretPair(TCaretHost* host)
    : TSingleCaret(host), FCaretIns(std::make_shared<TCaret>()), FCaretOvr(std::make_shared<TCaret>()) {
  FCaretOvr->SetShape(TCaretShape::csBlock);
  Release(Caret());
  Hold(FCaretIns);
  Hold(FCaretOvr);
  ShowCaretObject(FCaretIns);
}

TCaretPair::~TCaretPair() {
  Release(FCaretIns);
  Release(FCaretOvr);
}

void TCaretPair::SetCaretIns(std::shared_ptr<TCaret> caret) {
  if (!caret || caret == FCaretIns) return;
  std::shared_ptr<TCaret> old = std::exchange(FCaretIns, std::move(caret));
  Hold(FCaretIns);
  if (old != FCaretOvr) Release(old);  // the same object may serve both modes
  if (FInsertMode) ShowCaretObject(FCaretIns);
}

void TCaretPair::SetCaretOvr(std::shared_ptr<TCaret> caret) {
  if (!caret || caret == FCaretOvr) return;
  std::shared_ptr<TCaret> old = std::exchange(FCaretOvr, std::move(caret));
  Hold(FCaretOvr);
  if (old != FCaretIns) Release(old);  // the same object may serve both modes
  if (!FInsertMode) ShowCaretObject(FCaretOvr);
}

void TCaretPair::SetCaret(std::shared_ptr<TCaret> caret) {
  if (FInsertMode)
    SetCaretIns(std::move(caret));
  else
    SetCaretOvr(std::move(caret));
}

void TCaretPair::SetInsertMode(bool value) {
  if (value == FInsertMode) return;
  FInsertMode = value;
  ShowCaretObject(FInsertMode ? FCaretIns : FCaretOvr);
}

}  // namespace quilmo
