#include "support/MarkedText.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quilmo::test {
namespace {

TEST(MarkedText, CaretSelectionAndParagraphs) {
  TMarkedText t = ParseMarkedText("ab|c\nd[ef]");
  ASSERT_EQ(t.Paras.size(), 2u);
  EXPECT_EQ(t.Paras[0], "abc");
  EXPECT_EQ(t.Paras[1], "def");
  EXPECT_EQ(*t.Caret, (TTextPoint{1, 3}));
  EXPECT_EQ(*t.SelStart, (TTextPoint{2, 2}));
  EXPECT_EQ(*t.SelEnd, (TTextPoint{2, 4}));
}

TEST(MarkedText, CaretDefaultsToSelectionEndAndFormatsBack) {
  for (const char* s : {"a[bc]d", "a[|bc]d", "|", "x||y\n\n[[z]]|", "\n[\nab\n]"}) {
    EXPECT_EQ(FormatMarkedText(ParseMarkedText(s)), s);
  }
  EXPECT_EQ(*ParseMarkedText("a[bc]d").Caret, (TTextPoint{1, 4}));
}

TEST(MarkedText, RejectsMalformedMarkers) {
  EXPECT_THROW(ParseMarkedText("a|b|c"), std::invalid_argument);
  EXPECT_THROW(ParseMarkedText("a[bc"), std::invalid_argument);
}

}  // namespace
}  // namespace quilmo::test
