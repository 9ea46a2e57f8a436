// The fixed font, the highlight colours, the margins and the borders.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorStyle.h"
#include "editor/FixedFont.h"

namespace quilmo {
namespace {

class FixedFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = TFixedFont::FixedFontNames();
    TFixedFont::SetFixedFontNames({"Fixedsys", "DejaVu Sans Mono", "Noto Mono"});
  }
  void TearDown() override { TFixedFont::SetFixedFontNames(saved); }
  std::vector<std::string> saved;
};

TEST_F(FixedFontTest, NameOnlyFromTheFixedPitchList) {
  TFixedFont font;
  int changes = 0;
  font.OnChange = [&](TFixedFont& sender) {
    EXPECT_EQ(&sender, &font);
    ++changes;
  };
  EXPECT_EQ(font.Name(), "Fixedsys");  // the first of the list
  font.SetName("Noto Mono");
  EXPECT_EQ(font.Name(), "Noto Mono");
  font.SetName("DejaVu Sans");  // not fixed-pitch: ignored
  font.SetName("noto mono");    // exact comparison
  font.SetName("Noto Mono");    // unchanged: no notification
  EXPECT_EQ(font.Name(), "Noto Mono");
  EXPECT_EQ(changes, 1);
  font.SetSize(12);
  font.SetSize(0);  // ignored
  font.SetStyle(fsBold | fsItalic);
  font.SetColor(clBlack);
  EXPECT_EQ(font.Size(), 12);
  EXPECT_EQ(font.Style(), fsBold | fsItalic);
  EXPECT_EQ(font.Color(), clBlack);
  EXPECT_EQ(changes, 4);
}

TEST_F(FixedFontTest, AssignmentFromAPlainFontChecksTheName) {
  TFixedFont font;
  font.SetSize(9);
  int changes = 0;
  font.OnChange = [&](TFixedFont&) { ++changes; };

  font.Assign(TFontDesc{"DejaVu Sans Mono", 8, fsBold, clBlack});
  EXPECT_EQ(font.Desc(), (TFontDesc{"DejaVu Sans Mono", 8, fsBold, clBlack}));
  EXPECT_EQ(changes, 1);

  try {
    font.Assign(TFontDesc{"Arial", 14, fsItalic, clNavy});
    FAIL() << "no exception";
  } catch (const EFixedFontError& e) {
    EXPECT_NE(dynamic_cast<const EInvalidFixedFont*>(&e), nullptr);
    EXPECT_STREQ(e.what(), "Invalid font assignment. Font must be a fixed font");
  }
  // Nothing of the rejected font was taken.
  EXPECT_EQ(font.Desc(), (TFontDesc{"DejaVu Sans Mono", 8, fsBold, clBlack}));
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(font.Assign(TFontDesc{"", 8, 0, clBlack}), EQuilmoException);
}

TEST_F(FixedFontTest, AssignmentFromAnotherFixedFont) {
  TFixedFont a, b;
  a.SetName("Noto Mono");
  a.SetSize(14);
  a.SetColor(clNavy);
  b.Assign(a);
  EXPECT_EQ(b.Desc(), a.Desc());

  // A name that left the list is not taken over.
  TFixedFont::SetFixedFontNames({"Fixedsys", "DejaVu Sans Mono"});
  a.SetSize(20);
  TFixedFont c;
  c.Assign(a);
  EXPECT_EQ(c.Name(), "Fixedsys");
  EXPECT_EQ(c.Size(), 20);
}

TEST(ColorsTest, UseDefaultRules) {
  TColors colors;
  int changes = 0;
  colors.OnChange = [&](TColors&) { ++changes; };
  EXPECT_EQ(colors.TextColor(), clHighlightText);
  EXPECT_EQ(colors.BackColor(), clHighlight);
  EXPECT_TRUE(colors.UseDefault());

  colors.SetBackColor(clNavy);
  EXPECT_FALSE(colors.UseDefault());
  EXPECT_EQ(changes, 1);
  colors.SetBackColor(clHighlight);  // back to the default: UseDefault stays off
  EXPECT_FALSE(colors.UseDefault());
  colors.SetTextColor(clWhite);
  EXPECT_EQ(changes, 3);

  colors.SetUseDefault(true);
  EXPECT_TRUE(colors.UseDefault());
  EXPECT_EQ(colors.TextColor(), clHighlightText);
  EXPECT_EQ(colors.BackColor(), clHighlight);
  EXPECT_EQ(changes, 4);
  colors.SetUseDefault(true);
  colors.SetTextColor(clHighlightText);  // the default: nothing changes
  EXPECT_EQ(changes, 4);

  colors.SetUseDefault(false);
  EXPECT_FALSE(colors.UseDefault());
  EXPECT_EQ(colors.TextColor(), clHighlightText);
  EXPECT_EQ(changes, 5);
}

TEST(EditorMarginsTest, DefaultsAndLayoutOrRepaintChanges) {
  TEditorMargins margins;
  EXPECT_EQ(margins.Left().LinePosition(), 15);
  EXPECT_EQ(margins.Right().LinePosition(), 5);
  EXPECT_FALSE(margins.Left().Enabled());
  EXPECT_EQ(margins.Left().LineWeight(), 1);
  EXPECT_EQ(margins.Left().LineStyle(), TPenStyle::psSolid);
  EXPECT_EQ(margins.Right().LineColor(), clBlack);

  std::vector<bool> changes;
  margins.OnChange = [&](TEditorMargins&, bool layout) { changes.push_back(layout); };
  margins.Left().SetLinePosition(30);
  margins.Right().SetEnabled(true);
  margins.Left().SetLineWeight(2);
  margins.Left().SetLineColor(clNavy);
  margins.Right().SetLineStyle(TPenStyle::psDash);
  margins.Right().SetLineStyle(TPenStyle::psDash);  // same value
  EXPECT_EQ(changes, (std::vector<bool>{true, true, true, false, false}));

  TEditorMargins other;
  changes.clear();
  other.OnChange = [&](TEditorMargins&, bool layout) { changes.push_back(layout); };
  other.Assign(margins);
  EXPECT_EQ(other.Left().LinePosition(), 30);
  EXPECT_EQ(other.Right().LineStyle(), TPenStyle::psDash);
  EXPECT_EQ(changes, (std::vector<bool>{true, true}));
}

TEST(BordersTest, DefaultsAndChanges) {
  TBorders borders;
  int changes = 0;
  borders.OnChange = [&](TBorders&) { ++changes; };
  EXPECT_FALSE(borders.AnyEnabled());
  const TBorder& top = borders.TopBorder();
  EXPECT_EQ(top.PenColor(), clBlack);
  EXPECT_EQ(top.PenWidth(), 2);
  EXPECT_EQ(top.PenStyle(), TPenStyle::psSolid);
  EXPECT_EQ(top.BorderStyle(), TBorderPenStyle::bpsSolid);

  borders.BottomBorder().SetPenWidth(0);  // ignored
  EXPECT_EQ(borders.BottomBorder().PenWidth(), 2);
  EXPECT_EQ(changes, 0);
  borders.BottomBorder().SetPenWidth(1);
  borders.RightBorder().SetEnabled(true);
  EXPECT_TRUE(borders.AnyEnabled());
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace quilmo
