#include "editor/EditorStyle.h"

namespace quilmo {

// ---- TColors ----

void TColors::Changed() {
  if (OnChange) OnChange(*this);
}

void TColors::SetTextColor(TColor value) {
  if (value == FTextColor) return;
  FTextColor = value;
  if (value != kDefaultTextColor) FUseDefault = false;
  Changed();
}

void TColors::SetBackColor(TColor value) {
  if (value == FBackColor) return;
  FBackColor = value;
  if (value != kDefaultBackColor) FUseDefault = false;
  Changed();
}

void TColors::SetUseDefault(bool value) {
  bool changed = value != FUseDefault;
  FUseDefault = value;
  if (value && (FTextColor != kDefaultTextColor || FBackColor != kDefaultBackColor)) {
    FTextColor = kDefaultTextColor;
    FBackColor = kDefaultBackColor;
    changed = true;
  }
  if (changed) Changed();
}

void TColors::Assign(const TColors& other) {
  if (FTextColor == other.FTextColor && FBackColor == other.FBackColor && FUseDefault == other.FUseDefault)
    return;
  FTextColor = other.FTextColor;
  FBackColor = other.FBackColor;
  FUseDefault = other.FUseDefault;
  Changed();
}

// ---- TEditorMargin ----

void TEditorMargin::Changed(bool layoutChanged) {
  if (OnChange) OnChange(*this, layoutChanged);
}

void TEditorMargin::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Changed(true);
}

void TEditorMargin::SetLinePosition(int value) {
  if (value == FLinePosition) return;
  FLinePosition = value;
  Changed(true);
}

void TEditorMargin::SetLineWeight(int value) {
  if (value == FLineWeight) return;
  FLineWeight = value;
  Changed(true);
}

void TEditorMargin::SetLineStyle(TPenStyle value) {
  if (value == FLineStyle) return;
  FLineStyle = value;
  Changed(false);
}

void TEditorMargin::SetLineColor(TColor value) {
  if (value == FLineColor) return;
  FLineColor = value;
  Changed(false);
}

void TEditorMargin::Assign(const TEditorMargin& other) {
  const bool layout =
      FEnabled != other.FEnabled || FLinePosition != other.FLinePosition || FLineWeight != other.FLineWeight;
  const bool look = FLineStyle != other.FLineStyle || FLineColor != other.FLineColor;
  FEnabled = other.FEnabled;
  FLinePosition = other.FLinePosition;
  FLineWeight = other.FLineWeight;
  FLineStyle = other.FLineStyle;
  FLineColor = other.FLineColor;
  if (layout || look) Changed(layout);
}

// ---- TEditorMargins ----

TEditorMargins::TEditorMargins() {
  auto forward = [this](TEditorMargin&, bool layoutChanged) {
    if (OnChange) OnChange(*this, layoutChanged);
  };
  FLeft.OnChange = forward;
  FRight.OnChange = forward;
}

void TEditorMargins::Assign(const TEditorMargins& other) {
  FLeft.Assign(other.FLeft);
  FRight.Assign(other.FRight);
}

// ---- TBorder ----

void TBorder::Changed() {
  if (OnChange) OnChange(*this);
}

void TBorder::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Changed();
}

void TBorder::SetPenColor(TColor value) {
  if (value == FPenColor) return;
  FPenColor = value;
  Changed();
}

void TBorder::SetPenWidth(int value) {
  if (value < 1 || value == FPenWidth) return;
  FPenWidth = value;
  Changed();
}

void TBorder::SetPenStyle(TPenStyle value) {
  if (value == FPenStyle) return;
  FPenStyle = value;
  Changed();
}

void TBorder::Assign(const TBorder& other) {
  if (FEnabled == other.FEnabled && FPenColor == other.FPenColor && FPenWidth == other.FPenWidth &&
      FPenStyle == other.FPenStyle)
    return;
  FEnabled = other.FEnabled;
  FPenColor = other.FPenColor;
  FPenWidth = other.FPenWidth;
  FPenStyle = other.FPenStyle;
  Changed();
}

// ---- TBorders ----

TBorders::TBorders() {
  auto forward = [this](TBorder&) {
    if (OnChange) OnChange(*this);
  };
  FLeft.OnChange = forward;
  FRight.OnChange = forward;
  FTop.OnChange = forward;
  FBottom.OnChange = forward;
}

bool TBorders::AnyEnabled() const {
  return FLeft.Enabled() || FRight.Enabled() || FTop.Enabled() || FBottom.Enabled();
}

void TBorders::Assign(const TBorders& other) {
  FLeft.Assign(other.FLeft);
  FRight.Assign(other.FRight);
  FTop.Assign(other.FTop);
  FBottom.Assign(other.FBottom);
}

}  // namespace quilmo
