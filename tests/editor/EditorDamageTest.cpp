// The repaint rules alone: a view, a text and a host that records what is invalidated.

#include "editor/EditorDamage.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/ParaList.h"
#include "support/DocBuilder.h"
#include "support/FakeHost.h"

namespace quilmo::test {
namespace {

// Only 'f' puts ink into its right neighbour and 'j' into its left one.
class TInkHost : public TFakeHost {
 public:
  TGlyphOverhang GlyphOverhang(const TFontDesc&, unsigned char c) override {
    return c == 'f' ? goRight : c == 'j' ? goLeft : goNone;
  }
};

class EditorDamage : public ::testing::Test {
 protected:
  EditorDamage() {
    View.VisibleLines = 5;
    View.VisibleColumns = 4;
    View.CharWidth = 8;
    View.LineHeight = 16;
  }
  void Load(const char* text) {
    Text = MakeParaList(text);
    Host.ClearRecords();
  }
  // The cell of screen column `cell` on `rows` rows from `firstRow` (0-based).
  TRect Cell(int cell, int firstRow, int rows) const {
    const int x = Margins.Left().LinePosition() + cell * 8;
    return TRect{x, firstRow * 16, x + 8, (firstRow + rows) * 16};
  }

  TInkHost Host;
  TEditorHost* HostPtr = &Host;
  TViewport View;
  std::shared_ptr<TParaList> Text = MakeParaList("");
  TEditorMargins Margins;
  TBorders Borders;
  TFixedFont Font;
  TEditorDamage Damage{{HostPtr, View, Text, Margins, Borders, Font}};
};

TEST_F(EditorDamage, OnlyTypingWithinOneLineIsLeftToTheTypedCells) {
  struct Case {
    const char* Name;
    TParaPos TypedFrom;  // Para 0: no typing
    TEditKind Kind;      // of the edit the view hears of
    bool Handled;
  };
  const Case cases[] = {
      {"typing", {2, 3}, TEditKind::CharsInserted, true},
      {"overwriting", {2, 3}, TEditKind::CharsDeleted, true},
      {"no typing", {0, 0}, TEditKind::CharsInserted, false},
      {"another paragraph", {1, 3}, TEditKind::CharsInserted, false},
      {"a paragraph split", {2, 3}, TEditKind::ParaInserted, false},
      {"paragraphs joined", {2, 3}, TEditKind::ParasJoined, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Load("one\nabcdef\nthree");
    Damage.BeginTyped(c.TypedFrom);
    ASSERT_EQ(Text->InsertText(2, 3, "z", 1), 0);
    EXPECT_EQ(Damage.TypedCells({c.Kind, 2, 3, 1}), c.Handled);
    // The row of line 2 from the cell before the typed one, to the window's right edge.
    const std::vector<TRect> row{TRect{15 + 1 * 8, 16, Host.Width, 32}};
    EXPECT_EQ(Host.InvalidatedRects, c.Handled ? row : std::vector<TRect>{});
    Damage.EndTyped();
  }
  // An edit over two lines is no typing.
  Load("one\nabcdef\nthree");
  Damage.BeginTyped({2, 3});
  ASSERT_EQ(Text->SplitPara(2, 3, false, 0, 8), 0);
  EXPECT_FALSE(Damage.TypedCells({TEditKind::CharsInserted, 2, 3, 1}));
  EXPECT_TRUE(Host.InvalidatedRects.empty());
}

TEST_F(EditorDamage, ASidewaysMoveRepaintsTheCellsWhoseNeighbourInkCameOrWent) {
  // Text columns 2..5 on screen (LeftColumn 1). 'f' reaches into the cell right of it, 'j'
  // into the one left of it.
  Load("ffabjjx\nxxabcxx\nffabjjx\nfxabcjx");
  View.LeftColumn = 1;
  const TRect area{15, 0, 15 + 4 * 8, 5 * 16};
  // The text moved left by one column: the first cell lost its neighbour's ink, the cell
  // before the uncovered strip gained that of its new neighbour.
  Damage.OverhangCells(area, -1);
  EXPECT_EQ(Host.InvalidatedRects,
            (std::vector<TRect>{Cell(0, 0, 1), Cell(0, 2, 2), Cell(2, 0, 1), Cell(2, 2, 1)}));
  // Moved right by one: the last cell and the one beside the strip on the left.
  Host.ClearRecords();
  Damage.OverhangCells(area, 1);
  EXPECT_EQ(Host.InvalidatedRects,
            (std::vector<TRect>{Cell(3, 0, 1), Cell(3, 2, 2), Cell(1, 0, 1), Cell(1, 2, 1)}));
}

}  // namespace
}  // namespace quilmo::test
