// What a change of each plain property asks of the control, from the defaults or from a state
// the case sets up first.

#include "editor/EditorProperties.h"

#include <gtest/gtest.h>

#include <functional>

namespace quilmo::test {
namespace {

constexpr TPropertyEffect None = TPropertyEffect::peNone;
constexpr TPropertyEffect Repaint = TPropertyEffect::peRepaint;
constexpr TPropertyEffect Recreate = TPropertyEffect::peRecreate;

TEST(EditorProperties, EachChangeAsksForWhatItShows) {
  using TProps = TEditorProperties;
  struct Case {
    const char* Name;
    std::function<void(TProps&)> Before;
    std::function<TPropertyEffect(TProps&)> Change;
    TPropertyEffect Effect;
  };
  const auto nothing = [](TProps&) {};
  const Case cases[] = {
      {"colour", nothing, [](TProps& p) { return p.SetColor(clNavy); }, Repaint},
      {"the same colour", nothing, [](TProps& p) { return p.SetColor(clWindow); }, None},
      {"margin colour", nothing, [](TProps& p) { return p.SetMarginColor(clNavy); }, Repaint},
      {"hidden selection off", nothing, [](TProps& p) { return p.SetHideSelection(false); }, Repaint},
      {"rule colour without rules", nothing, [](TProps& p) { return p.SetRuleColor(clWindow); }, None},
      {"rule colour with rules", [](TProps& p) { p.ShowRules = true; },
       [](TProps& p) { return p.SetRuleColor(clWindow); }, Repaint},
      {"the same tab type", nothing, [](TProps& p) { return p.SetTabType(TTabType::ttReal); }, Repaint},
      {"border style", nothing, [](TProps& p) { return p.SetBorderStyle(TEditorBorderStyle::bsNone); },
       Recreate},
      {"3-D look with a border", nothing, [](TProps& p) { return p.SetCtl3D(false); }, Recreate},
      {"3-D look without a border", [](TProps& p) { p.BorderStyle = TEditorBorderStyle::bsNone; },
       [](TProps& p) { return p.SetCtl3D(false); }, None},
      {"an own border", nothing, [](TProps& p) { return p.OwnBorderEnabled(); }, Recreate},
      {"another own border", [](TProps& p) { p.OwnBorderEnabled(); },
       [](TProps& p) { return p.OwnBorderEnabled(); }, None},
      {"scroll bars", nothing, [](TProps& p) { return p.SetScrollBars(TScrollStyle::ssVertical); }, Recreate},
      {"bars kept", nothing, [](TProps& p) { return p.SetScrollBarsAlways(true); }, Recreate},
      {"bars kept without bars", [](TProps& p) { p.SetScrollBars(TScrollStyle::ssNone); },
       [](TProps& p) { return p.SetScrollBarsAlways(true); }, None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TProps props;
    c.Before(props);
    EXPECT_EQ(c.Change(props), c.Effect);
  }
}

TEST(EditorProperties, SomeChangesCarryOthersAlong) {
  TEditorProperties props;
  props.SetNewStyleIndent(true);
  EXPECT_TRUE(props.AutoIndent);
  props.SetNewStyleIndent(false);
  EXPECT_TRUE(props.AutoIndent);  // stays

  props.SetScrollBarsAlways(true);
  props.SetScrollBars(TScrollStyle::ssNone);
  EXPECT_FALSE(props.ScrollBarsAlways);
  props.SetScrollBarsAlways(true);
  EXPECT_FALSE(props.ScrollBarsAlways);

  props.OwnBorderEnabled();
  EXPECT_FALSE(props.Ctl3D);
  EXPECT_EQ(props.BorderStyle, TEditorBorderStyle::bsNone);
}

}  // namespace
}  // namespace quilmo::test
