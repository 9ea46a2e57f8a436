#include "editor/EditorProperties.h"

namespace quilmo {

namespace {

// Sets `field` to `value`; `effect` when that changed it.
template <typename T>
TPropertyEffect Change(T& field, T value, TPropertyEffect effect) {
  if (field == value) return TPropertyEffect::peNone;
  field = value;
  return effect;
}

}  // namespace

void TEditorProperties::SetNewStyleIndent(bool value) {
  NewStyleIndent = value;
  if (value) AutoIndent = true;
}

TPropertyEffect TEditorProperties::SetBorderStyle(TEditorBorderStyle value) {
  return Change(BorderStyle, value, TPropertyEffect::peRecreate);
}

TPropertyEffect TEditorProperties::SetCtl3D(bool value) {
  const TPropertyEffect effect = Change(Ctl3D, value, TPropertyEffect::peRecreate);
  return BorderStyle == TEditorBorderStyle::bsSingle ? effect : TPropertyEffect::peNone;
}

TPropertyEffect TEditorProperties::OwnBorderEnabled() {
  Ctl3D = false;
  return Change(BorderStyle, TEditorBorderStyle::bsNone, TPropertyEffect::peRecreate);
}

TPropertyEffect TEditorProperties::SetColor(TColor value) {
  return Change(Color, value, TPropertyEffect::peRepaint);
}

TPropertyEffect TEditorProperties::SetHideSelection(bool value) {
  return Change(HideSelection, value, TPropertyEffect::peRepaint);
}

TPropertyEffect TEditorProperties::SetMarginColor(TColor value) {
  return Change(MarginColor, value, TPropertyEffect::peRepaint);
}

TPropertyEffect TEditorProperties::SetRuleColor(TColor value) {
  const TPropertyEffect effect = Change(RuleColor, value, TPropertyEffect::peRepaint);
  return ShowRules ? effect : TPropertyEffect::peNone;
}

TPropertyEffect TEditorProperties::SetScrollBars(TScrollStyle value) {
  if (value == TScrollStyle::ssNone) ScrollBarsAlways = false;
  return Change(ScrollBars, value, TPropertyEffect::peRecreate);
}

TPropertyEffect TEditorProperties::SetScrollBarsAlways(bool value) {
  if (ScrollBars == TScrollStyle::ssNone) value = false;
  return Change(ScrollBarsAlways, value, TPropertyEffect::peRecreate);
}

TPropertyEffect TEditorProperties::SetTabType(TTabType value) {
  TabType = value;
  return TPropertyEffect::peRepaint;
}

}  // namespace quilmo
