// The edit fuzz target's model of the paragraph list (fuzz/ParaListModel.h) against the engine
// on positions outside their paragraphs, which both read as the paragraph's start or end: a
// model that drifts from the engine there makes the fuzz target report faults that are none.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/ParaList.h"
#include "fuzz/ParaListModel.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

std::string Joined(const std::vector<std::string>& paras) {
  std::string text = paras.front();
  for (std::size_t i = 1; i < paras.size(); ++i) text += "\n" + paras[i];
  return text;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> paras{""};
  for (char c : text) {
    if (c == '\n') {
      paras.emplace_back();
    } else {
      paras.back() += c;
    }
  }
  return paras;
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(FuzzModelTest, DeleteRegionOutsideParagraphsFollowsTheEngine) {
  struct Case {
    std::int32_t a, s, e, t;
    const char* after;
  };
  const std::string before = "abcdef\ngh\nijkl\nmn";
  const Case cases[] = {
      {1, 0, 3, 3, "kl\nmn"},              // before the start: from the first byte
      {1, kMin, 2, 2, "h\nijkl\nmn"},      // far before the start
      {3, 0, 4, 1, "abcdef\ngh\nmn"},      // whole paragraphs from position 0
      {2, 9, 3, 2, "abcdef\nghjkl\nmn"},   // past the end of the first: nothing of it goes
      {1, 3, 2, 9, "ab\nijkl\nmn"},        // past the end of the last: all of it goes
      {2, 1, 3, kMax, "abcdef\n\nmn"},     // far past the end
      {1, 7, 9, 1, "abcdef"},              // a last paragraph past the count: to the text's end
      {2, 0, 2, 9, "abcdef\n\nijkl\nmn"},  // within one paragraph, both ends outside
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "DeleteRegion(" << c.a << ", " << c.s << ", " << c.e << ", " << c.t
                                    << ")");
    auto list = test::MakeParaList(before);
    fuzz::TParaListModel model;
    model.Assign(Split(before));
    EXPECT_EQ(list->DeleteRegion(c.a, c.s, c.e, c.t), model.DeleteRegion(c.a, c.s, c.e, c.t));
    EXPECT_EQ(test::ParaListText(*list), c.after);
    EXPECT_EQ(Joined(model.Paras), c.after);
  }
}

}  // namespace
}  // namespace quilmo
