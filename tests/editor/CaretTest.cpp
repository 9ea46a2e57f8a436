// Caret shapes, the fit to the character cell, linking to the host and the caret pair.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/Caret.h"

namespace quilmo {
namespace {

// Records what the caret asks of the host.
class TFakeCaretHost : public TCaretHost {
 public:
  void CreateCaret(const TCaret& caret) override {
    Calls.push_back("create " + std::to_string(caret.CaretWidth()) + "x" +
                    std::to_string(caret.CaretHeight()) + (caret.IsGray() ? " gray" : ""));
  }
  void DestroyCaret() override { Calls.push_back("destroy"); }
  void ShowCaret() override { Calls.push_back("show"); }
  void HideCaret() override { Calls.push_back("hide"); }
  void SetCaretPos(int x, int y) override {
    Calls.push_back(x == kCaretHidden ? std::string("pos hidden")
                                      : "pos " + std::to_string(x) + "," + std::to_string(y));
  }
  unsigned CaretBlinkTime() override { return Blink; }
  void SetCaretBlinkTime(unsigned ms) override {
    Blink = ms;
    Calls.push_back("blink " + std::to_string(ms));
  }
  std::vector<std::string> Calls;
  unsigned Blink = 530;
};

TEST(CaretTest, DefaultsAndIgnoredSizes) {
  TCaret caret;
  EXPECT_EQ(caret.Shape(), TCaretShape::csVertLine);
  EXPECT_EQ(caret.Align(), TCaretAlign::caLeft);
  EXPECT_EQ(caret.CaretHeight(), 10);
  EXPECT_EQ(caret.CaretWidth(), 2);
  EXPECT_EQ(caret.BlinkTime(), 0);
  EXPECT_FALSE(caret.IsGray());
  caret.SetCaretHeight(0);
  caret.SetCaretWidth(-3);
  EXPECT_EQ(caret.CaretHeight(), 10);
  EXPECT_EQ(caret.CaretWidth(), 2);
  caret.SetCaretWidth(1);
  EXPECT_EQ(caret.CaretWidth(), 1);
}

TEST(CaretTest, ShapeSetsAlignmentAndSizes) {
  TCaret caret;
  caret.SetCaretWidth(7);
  caret.SetCaretHeight(9);
  caret.SetShape(TCaretShape::csHalfBlock);
  EXPECT_EQ(caret.Align(), TCaretAlign::caBottom);
  caret.SetShape(TCaretShape::csBlock);
  EXPECT_EQ(caret.Align(), TCaretAlign::caLeft);
  caret.SetShape(TCaretShape::csHorzLine);
  EXPECT_EQ(caret.Align(), TCaretAlign::caBottom);
  EXPECT_EQ(caret.CaretHeight(), 2);
  EXPECT_EQ(caret.CaretWidth(), 7);
  caret.SetShape(TCaretShape::csVertLine);
  EXPECT_EQ(caret.Align(), TCaretAlign::caLeft);
  EXPECT_EQ(caret.CaretWidth(), 2);
  EXPECT_EQ(caret.CaretHeight(), 2);

  TCaretBitmap bitmap{5, 11, std::vector<std::uint32_t>(55, 0xFF000000u)};
  caret.SetBitmap(TCaretBitmap{});  // empty: ignored
  EXPECT_TRUE(caret.Bitmap().IsEmpty());
  caret.SetBitmap(bitmap);
  EXPECT_EQ(caret.CaretWidth(), 2);  // not a bitmap caret yet
  caret.SetShape(TCaretShape::csBitmap);
  EXPECT_EQ(caret.CaretWidth(), 5);
  EXPECT_EQ(caret.CaretHeight(), 11);
}

TEST(CaretTest, BlockAndHalfBlockFitAnEightBySixteenCell) {
  TCaretPair pair;
  pair.SetCellSize(8, 16);
  pair.CaretOvr()->SetShape(TCaretShape::csBlock);
  pair.CaretOvr()->SetCaretWidth(10);  // as the main window stores it
  pair.SetInsertMode(false);
  EXPECT_EQ(pair.Caret(), pair.CaretOvr());
  EXPECT_EQ(pair.CaretOvr()->CaretWidth(), 8);
  EXPECT_EQ(pair.CaretOvr()->CaretHeight(), 16);
  EXPECT_EQ(pair.OffsetX(), 0);
  EXPECT_EQ(pair.OffsetY(), 0);

  pair.CaretOvr()->SetShape(TCaretShape::csHalfBlock);
  EXPECT_EQ(pair.CaretOvr()->CaretWidth(), 8);
  EXPECT_EQ(pair.CaretOvr()->CaretHeight(), 8);
  EXPECT_EQ(pair.OffsetX(), 0);
  EXPECT_EQ(pair.OffsetY(), 8);  // at the bottom of the cell
}

TEST(CaretTest, AlignmentOffsets) {
  TSingleCaret single;
  single.SetCellSize(9, 17);
  TCaret& c = *single.Caret();
  c.SetShape(TCaretShape::csCustom);
  c.SetCaretWidth(4);
  c.SetCaretHeight(6);
  struct TCase {
    TCaretAlign Align;
    int Dx, Dy;
  };
  // Differences 5 and 11, halves truncated.
  for (TCase t :
       {TCase{TCaretAlign::caLeft, 0, 5}, TCase{TCaretAlign::caTop, 2, 0}, TCase{TCaretAlign::caRight, 5, 5},
        TCase{TCaretAlign::caBottom, 2, 11}, TCase{TCaretAlign::caCenter, 2, 5}}) {
    c.SetAlign(t.Align);
    EXPECT_EQ(single.OffsetX(), t.Dx) << static_cast<int>(t.Align);
    EXPECT_EQ(single.OffsetY(), t.Dy) << static_cast<int>(t.Align);
  }
  // A caret larger than the cell: negative halves truncate toward zero.
  c.SetCaretWidth(12);
  c.SetAlign(TCaretAlign::caCenter);
  EXPECT_EQ(single.OffsetX(), -1);
  // csCustom keeps its size whatever the cell.
  EXPECT_EQ(c.CaretWidth(), 12);
  EXPECT_EQ(c.CaretHeight(), 6);

  // The vertical line takes the cell height; the horizontal line the cell width.
  c.SetShape(TCaretShape::csVertLine);
  EXPECT_EQ(c.CaretHeight(), 17);
  EXPECT_EQ(c.CaretWidth(), 2);
  c.SetShape(TCaretShape::csHorzLine);
  EXPECT_EQ(c.CaretWidth(), 9);
  EXPECT_EQ(c.CaretHeight(), 2);
  EXPECT_EQ(single.OffsetY(), 15);

  // A bitmap caret's hot spot is subtracted.
  c.SetBitmap(TCaretBitmap{3, 5, std::vector<std::uint32_t>(15, 0)});
  c.SetShape(TCaretShape::csBitmap);
  c.SetAlign(TCaretAlign::caLeft);
  c.SetBitmapHotSpotX(1);
  c.SetBitmapHotSpotY(2);
  EXPECT_EQ(single.OffsetX(), -1);
  EXPECT_EQ(single.OffsetY(), (17 - 5) / 2 - 2);
}

TEST(CaretTest, LinkCreatesShowsPlacesAndSetsTheBlinkTime) {
  TFakeCaretHost host;
  TCaretPair pair(&host);
  pair.SetCellSize(8, 16);
  pair.CaretIns()->SetBlinkTime(300);
  pair.SetPosition(40, 32);
  pair.Show();
  EXPECT_TRUE(host.Calls.empty());  // nothing before linking

  pair.Link();
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"create 2x16", "show", "pos 40,32", "blink 300"}));
  host.Calls.clear();

  pair.SetPosition(48, 32);
  pair.SetPosition(-1, 5);
  EXPECT_TRUE(pair.PositionHidden());
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"pos 48,32", "pos hidden"}));
  host.Calls.clear();

  pair.Unlink();
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"blink 530", "destroy"}));
  EXPECT_FALSE(pair.Linked());
}

TEST(CaretTest, ChangesRecreateTheLinkedCaretAndInsertModeSwitchesIt) {
  TFakeCaretHost host;
  TCaretPair pair(&host);
  pair.SetCellSize(8, 16);
  pair.SetPosition(10, 20);
  pair.Link();
  host.Calls.clear();

  pair.CaretIns()->SetIsGray(true);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"blink 530", "destroy", "create 2x16 gray", "pos 10,20"}));
  host.Calls.clear();

  pair.CaretOvr()->SetIsGray(true);  // not the one shown
  EXPECT_TRUE(host.Calls.empty());

  pair.SetInsertMode(false);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"blink 530", "destroy", "create 8x16 gray", "pos 10,20"}));
  host.Calls.clear();

  // A new overwrite caret while in overwrite mode is shown at once; the old one is let go.
  auto old = pair.CaretOvr();
  auto fresh = std::make_shared<TCaret>();
  fresh->SetShape(TCaretShape::csHorzLine);
  pair.SetCaretOvr(fresh);
  EXPECT_EQ(pair.Caret(), fresh);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"blink 530", "destroy", "create 8x2", "pos 10,34"}));
  host.Calls.clear();
  old->SetCaretWidth(3);
  EXPECT_TRUE(host.Calls.empty());

  // The cell size re-creates only when it changes.
  pair.SetCellSize(8, 16);
  EXPECT_TRUE(host.Calls.empty());
  pair.SetCellSize(9, 18);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"blink 530", "destroy", "create 9x2", "pos 10,36"}));
}

TEST(CaretTest, OneCaretServingBothModesKeepsNotifying) {
  TCaretPair pair;
  pair.SetCellSize(8, 16);
  auto shared = std::make_shared<TCaret>();
  pair.SetCaretIns(shared);
  pair.SetCaretOvr(shared);
  pair.SetCaretOvr(std::make_shared<TCaret>());  // shared stays the insert caret
  shared->SetShape(TCaretShape::csBlock);
  EXPECT_EQ(shared->CaretWidth(), 8);  // fitted: still heard by the pair
}

TEST(CaretTest, NarrowLineCaretsSitOnePixelLeft) {
  TCaretPair pair;
  pair.SetCellSize(8, 16);
  EXPECT_EQ(pair.DrawX(40), 39);  // vertical line, 2 pixels
  pair.CaretIns()->SetCaretWidth(5);
  EXPECT_EQ(pair.DrawX(40), 40);  // wider than 4
  pair.CaretIns()->SetShape(TCaretShape::csCustom);
  pair.CaretIns()->SetCaretWidth(4);
  EXPECT_EQ(pair.DrawX(40), 39);
  pair.SetInsertMode(false);  // block
  EXPECT_EQ(pair.DrawX(40), 40);
  pair.CaretOvr()->SetShape(TCaretShape::csHorzLine);
  pair.CaretOvr()->SetCaretWidth(2);
  EXPECT_EQ(pair.CaretOvr()->CaretWidth(), 8);  // refitted to the cell
  EXPECT_EQ(pair.DrawX(40), 40);
}

}  // namespace
}  // namespace quilmo
