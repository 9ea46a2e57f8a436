// The incremental re-wrap after an edit gives the same lines as a full wrap of the new text,
// and its reported range covers every display line that changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/ParaNode.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

using test::NodeLines;

std::vector<std::int32_t> Starts(const TParaNode& node) {
  std::vector<std::int32_t> starts;
  for (std::int32_t i = 0; i < node.LineCount(); ++i) starts.push_back(node.LineStart(i));
  return starts;
}

class TRandomText {
 public:
  explicit TRandomText(std::uint32_t seed) : rng_(seed) {}
  std::mt19937& Rng() { return rng_; }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  // Words of letters, separated by blanks, TABs and hyphens in varying runs.
  std::string Text(int length) {
    static const char kChars[] = "aaaaaaaaaabbbbbbcc    \t-";
    std::string text;
    const int wordLength = 1 + Below(12);  // some texts have long words, some short
    while (static_cast<int>(text.size()) < length) {
      const int run = Below(wordLength + 1);
      text.append(static_cast<std::size_t>(run), 'a' + static_cast<char>(Below(3)));
      text.push_back(kChars[Below(sizeof kChars - 1)]);
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
  }

 private:
  std::mt19937 rng_;
};

TEST(WrapRandomTest, RewrapAfterEditsEqualsAFullWrap) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  TRandomText random(seed);
  for (int round = 0; round < 300; ++round) {
    const int pick = random.Below(10);
    const std::int32_t wrapColumn = pick == 0   ? 32767
                                    : pick == 1 ? 1 + random.Below(3)
                                                : 2 + random.Below(30);
    const auto tabSize = static_cast<std::uint8_t>(1 + random.Below(8));
    std::string text = random.Text(random.Below(400));
    TParaNode node(text.data(), static_cast<std::int32_t>(text.size()), wrapColumn, tabSize);
    for (int step = 0; step < 40; ++step) {
      const std::vector<std::string> before = NodeLines(node);
      const auto length = static_cast<std::int32_t>(text.size());
      const std::int32_t offset = random.Below(length + 1);
      std::int32_t first = -1;
      std::int32_t last = -1;
      std::uint16_t code = 0;
      const int kind = random.Below(3);
      if (kind == 0) {
        const std::string added = random.Text(1 + random.Below(random.Below(4) == 0 ? 60 : 3));
        code = node.Insert(offset, added.data(), static_cast<std::int32_t>(added.size()), wrapColumn, tabSize,
                           first, last);
        text.insert(static_cast<std::size_t>(offset), added);
      } else if (kind == 1) {
        const std::int32_t count = std::min(length - offset, 1 + random.Below(random.Below(4) == 0 ? 60 : 3));
        code = node.Delete(offset, count, wrapColumn, tabSize, first, last);
        text.erase(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
      } else {
        const std::int32_t count = std::min(length - offset, random.Below(6));
        const std::string added = random.Text(random.Below(6));
        code = node.Replace(offset, count, added.data(), static_cast<std::int32_t>(added.size()), wrapColumn,
                            tabSize, first, last);
        text.replace(static_cast<std::size_t>(offset), static_cast<std::size_t>(count), added);
      }
      ASSERT_EQ(code, 0);
      ASSERT_EQ(std::string(node.Text(), static_cast<std::size_t>(node.Length())), text);
      const TParaNode fresh(text.data(), static_cast<std::int32_t>(text.size()), wrapColumn, tabSize);
      ASSERT_EQ(Starts(node), Starts(fresh))
          << "round " << round << " step " << step << " wrap " << wrapColumn << " tab " << int{tabSize}
          << " text \"" << text << '"';
      // Every changed line lies in the reported range; with a new line count, from its start on.
      const std::vector<std::string> after = NodeLines(node);
      ASSERT_LE(first, last);
      for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        const bool changed = i >= before.size() || i >= after.size() || before[i] != after[i];
        if (!changed) continue;
        ASSERT_GE(static_cast<std::int32_t>(i), first) << "round " << round << " step " << step;
        if (before.size() == after.size()) {
          ASSERT_LE(static_cast<std::int32_t>(i), last);
        }
      }
    }
  }
}

TEST(WrapRandomTest, TrimmingTrailingBlanksRewrapsLikeAFullWrap) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  TRandomText random(seed);
  for (int round = 0; round < 200; ++round) {
    const std::int32_t wrapColumn = 1 + random.Below(20);
    std::string text =
        random.Text(random.Below(100)) + std::string(static_cast<std::size_t>(random.Below(30)), ' ');
    TParaNode node(text.data(), static_cast<std::int32_t>(text.size()), wrapColumn, 4);
    const std::int32_t removed = node.TrimTrailingBlanks(wrapColumn, 4);
    const std::size_t kept =
        text.find_last_not_of(" \t") == std::string::npos ? 0 : text.find_last_not_of(" \t") + 1;
    EXPECT_EQ(removed, static_cast<std::int32_t>(text.size() - kept));
    text.resize(kept);
    const TParaNode fresh(text.data(), static_cast<std::int32_t>(text.size()), wrapColumn, 4);
    ASSERT_EQ(Starts(node), Starts(fresh)) << "text \"" << text << "\" wrap " << wrapColumn;
  }
}

}  // namespace
}  // namespace quilmo
