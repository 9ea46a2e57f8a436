#pragma once
// The editor control's plain properties, and what a change of those that show asks of the
// control: nothing, a repaint, or a new window (its style changed). The control applies the
// effect; properties whose change moves the layout or the caret stay with the control.

#include <cstdint>

#include "editor/EditorViewport.h"
#include "editor/Graphics.h"

namespace quilmo {

enum class TEditorBorderStyle : std::uint8_t { bsNone, bsSingle };
enum class TTabType : std::uint8_t { ttReal, ttFixed, ttSmart };

enum class TPropertyEffect : std::uint8_t { peNone, peRepaint, peRecreate };

struct TEditorProperties {
  bool AutoIndent = false;
  bool NewStyleIndent = false;
  TEditorBorderStyle BorderStyle = TEditorBorderStyle::bsSingle;
  bool Ctl3D = true;
  TColor Color = clWindow;
  bool HideSelection = true;
  bool InsertMode = true;
  TColor MarginColor = clWindow;
  bool ReadOnly = false;
  TColor RuleColor = clNavy;
  TScrollStyle ScrollBars = TScrollStyle::ssBoth;
  bool ScrollBarsAlways = false;
  bool ScrollPastEnd = false;
  bool ShowBookmarks = true;
  bool ShowLineNumbers = false;
  bool ShowRules = false;
  TTabType TabType = TTabType::ttReal;
  bool WantEnter = true;
  bool WantTab = false;
  std::int32_t WheelDelta = 1;
  bool WrapAtLeft = true;
  bool WrapToWindow = false;

  // New-style indenting implies auto-indenting.
  void SetNewStyleIndent(bool value);
  TPropertyEffect SetBorderStyle(TEditorBorderStyle value);
  // The 3-D look shows only with a single border.
  TPropertyEffect SetCtl3D(bool value);
  // A border of the control's own was enabled: no window border, no 3-D look.
  TPropertyEffect OwnBorderEnabled();
  TPropertyEffect SetColor(TColor value);
  TPropertyEffect SetHideSelection(bool value);
  TPropertyEffect SetMarginColor(TColor value);
  // The rules' colour shows only with the rules.
  TPropertyEffect SetRuleColor(TColor value);
  // Without scroll bars they are never kept.
  TPropertyEffect SetScrollBars(TScrollStyle value);
  TPropertyEffect SetScrollBarsAlways(bool value);
  TPropertyEffect SetTabType(TTabType value);
};

}  // namespace quilmo
