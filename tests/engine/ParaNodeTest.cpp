// One paragraph: buffer sizes, character edits, trimming, blanks before a position.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/EditorErrors.h"
#include "engine/ParaMemory.h"
#include "engine/ParaNode.h"

namespace quilmo {
namespace {

std::string TextOf(const TParaNode& node) {
  return {node.Text(), static_cast<std::size_t>(node.Length())};
}

TParaNode Make(const std::string& text, std::int32_t wrapColumn = 32767) {
  return TParaNode(text.data(), static_cast<std::int32_t>(text.size()), wrapColumn, 8);
}

TEST(ParaNodeTest, BufferOnCreationIsTheNextMultipleOfEight) {
  EXPECT_EQ(Make("").Capacity(), 0);
  EXPECT_STREQ(Make("").Text(), "");
  EXPECT_EQ(Make("abc").Capacity(), 8);
  EXPECT_EQ(Make("abcdefg").Capacity(), 8);
  EXPECT_EQ(Make("abcdefgh").Capacity(), 16);  // room for the NUL
  EXPECT_EQ(Make(std::string(32767, 'x')).Capacity(), 32768);
}

TEST(ParaNodeTest, BufferGrowsToMultiplesOfSixteenAndNeverShrinks) {
  TParaNode node = Make("abc");
  std::int32_t first = 0;
  std::int32_t last = 0;
  ASSERT_EQ(node.Insert(3, "defg", 4, 32767, 8, first, last), 0);  // 7 characters + NUL fit in 8
  EXPECT_EQ(node.Capacity(), 8);
  ASSERT_EQ(node.Insert(7, "h", 1, 32767, 8, first, last), 0);  // 9 bytes needed
  EXPECT_EQ(node.Capacity(), 16);
  ASSERT_EQ(node.Insert(0, "12345678", 8, 32767, 8, first, last), 0);  // 17 bytes needed
  EXPECT_EQ(node.Capacity(), 32);
  ASSERT_EQ(node.Delete(0, 16, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "");
  EXPECT_EQ(node.Capacity(), 32);
  // An empty paragraph without a buffer gets one of 16 bytes.
  TParaNode empty = Make("");
  ASSERT_EQ(empty.Insert(0, "x", 1, 32767, 8, first, last), 0);
  EXPECT_EQ(empty.Capacity(), 16);
}

TEST(ParaNodeTest, InsertBehindTheEndFillsWithBlanks) {
  TParaNode node = Make("abc");
  std::int32_t first = 0;
  std::int32_t last = 0;
  ASSERT_EQ(node.Insert(9, "x", 1, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "abc      x");
  EXPECT_EQ(node.Text()[node.Length()], '\0');
}

TEST(ParaNodeTest, EditsOfTheCharacters) {
  std::int32_t first = 0;
  std::int32_t last = 0;
  TParaNode node = Make("abcdef");
  ASSERT_EQ(node.Delete(1, 2, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "adef");
  ASSERT_EQ(node.Delete(2, 100, 32767, 8, first, last), 0);  // cut at the end
  EXPECT_EQ(TextOf(node), "ad");
  ASSERT_EQ(node.Delete(5, 1, 32767, 8, first, last), 0);  // nothing there
  EXPECT_EQ(TextOf(node), "ad");
  ASSERT_EQ(node.Replace(1, 1, "XYZ", 3, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "aXYZ");
  ASSERT_EQ(node.Replace(1, 3, "q", 1, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "aq");
  ASSERT_EQ(node.Replace(0, 2, "zz", 2, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "zz");
  // Inserting the paragraph's own text, which moves when the buffer grows.
  ASSERT_EQ(node.Insert(1, node.Text(), 2, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(node), "zzzz");
  TParaNode copy = Make("0123456");
  ASSERT_EQ(copy.Insert(7, copy.Text(), 7, 32767, 8, first, last), 0);
  EXPECT_EQ(TextOf(copy), "01234560123456");
}

TEST(ParaNodeTest, NeverGrowsBeyond32767Characters) {
  TParaNode node = Make(std::string(32760, 'x'));
  std::int32_t first = 0;
  std::int32_t last = 0;
  EXPECT_EQ(node.Insert(0, "12345678", 8, 32767, 8, first, last), ErrParaTooLong);
  EXPECT_EQ(node.Insert(32767, "x", 1, 32767, 8, first, last), ErrParaTooLong);  // blanks included
  EXPECT_EQ(node.Length(), 32760);
  EXPECT_EQ(node.Insert(0, "1234567", 7, 32767, 8, first, last), 0);
  EXPECT_EQ(node.Length(), 32767);
}

TEST(ParaNodeTest, TrimAndBlanksBefore) {
  TParaNode node = Make("ab \t cd \t ");
  EXPECT_EQ(node.BlanksBefore(6), 3);  // before 'c'
  EXPECT_EQ(node.BlanksBefore(3), 0);  // before the first blank
  EXPECT_EQ(node.BlanksBefore(1), 0);
  EXPECT_EQ(node.BlanksBefore(50), 3);  // behind the end: the trailing run
  EXPECT_EQ(node.TrimTrailingBlanks(32767, 8), 3);
  EXPECT_EQ(TextOf(node), "ab \t cd");
  EXPECT_EQ(node.TrimTrailingBlanks(32767, 8), 0);
  TParaNode blanks = Make("   ");
  EXPECT_EQ(blanks.TrimTrailingBlanks(4, 8), 3);
  EXPECT_EQ(TextOf(blanks), "");
  EXPECT_EQ(blanks.LineCount(), 1);
}

TEST(ParaNodeTest, LineTextOutOfRangeIsEmpty) {
  TParaNode node = Make("abc def", 4);
  std::int32_t length = -1;
  EXPECT_STREQ(node.LineText(2, length), "");
  EXPECT_EQ(length, 0);
  EXPECT_STREQ(node.LineText(-1, length), "");
  const char* second = node.LineText(1, length);
  EXPECT_EQ(std::string(second, static_cast<std::size_t>(length)), "def");
}

TEST(ParaNodeTest, NodesAndBuffersComeBackToThePool) {
  const std::size_t live = detail::ParaPoolLiveBlocks();
  {
    auto* node = new TParaNode("some text", 9, 4, 8);  // node, text and line-start table
    EXPECT_EQ(detail::ParaPoolLiveBlocks(), live + 3);
    delete node;
  }
  EXPECT_EQ(detail::ParaPoolLiveBlocks(), live);
  // The node itself stays small: links, two buffers, four 16-bit counts.
  EXPECT_LE(sizeof(TParaNode), 40u);
}

// A large text takes its blocks from larger chunks of another kind: every block stays apart
// from the others, and all chunks go back to the system with the last block, twice over.
TEST(ParaNodeTest, ALargePoolKeepsBlocksApartAndIsGivenBackWhole) {
  const std::size_t live = detail::ParaPoolLiveBlocks();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<std::pair<char*, std::size_t>> blocks;
    std::size_t total = 0;
    for (std::size_t i = 0; total < (24u << 20); ++i) {
      const std::size_t size = 8 * (1 + i % 128);  // every pooled size
      auto* block = static_cast<char*>(detail::ParaAlloc(size));
      ASSERT_NE(block, nullptr);
      std::memset(block, static_cast<int>(i % 251), size);
      blocks.emplace_back(block, size);
      total += size;
    }
    EXPECT_GE(detail::ParaPoolChunkBytes(), total);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const auto [block, size] = blocks[i];
      ASSERT_EQ(block[0], static_cast<char>(i % 251));
      ASSERT_EQ(block[size - 1], static_cast<char>(i % 251));
    }
    for (const auto& [block, size] : blocks) detail::ParaFree(block, size);
    EXPECT_EQ(detail::ParaPoolLiveBlocks(), live);
    if (live == 0) {
      EXPECT_EQ(detail::ParaPoolChunkBytes(), 0u);
    }
  }
}

}  // namespace
}  // namespace quilmo
