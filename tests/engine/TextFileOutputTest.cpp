// The output's walk over its source: paragraphs given in batches of any size give the bytes of
// paragraphs given one at a time, and a source failing while a block is being written leaves
// no file behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "engine/TextFileWriter.h"
#include "support/TempDir.h"
#include "support/VectorSource.h"

namespace quilmo {
namespace {

using Lines = std::vector<std::string>;

// Gives the paragraphs of a vector `batch` at a time, and fails with bad_alloc at paragraph
// `failAt` (never when 0).
class TBatchSource : public TParagraphSource {
 public:
  TBatchSource(const Lines& paras, size_t batch, size_t failAt = 0)
      : FParas(paras), FBatch(batch), FFailAt(failAt) {}
  bool Next(const char*&, size_t&) override {
    ADD_FAILURE() << "the output asked for one paragraph";
    return false;
  }
  size_t NextBatch(TByteSlice* paras, size_t count) override {
    size_t n = 0;
    for (; n < std::min(count, FBatch) && FIndex < FParas.size(); ++n, ++FIndex) {
      if (FIndex + 1 == FFailAt) throw std::bad_alloc();
      paras[n] = {FParas[FIndex].data(), FParas[FIndex].size()};
    }
    return n;
  }

 private:
  const Lines& FParas;
  size_t FBatch;
  size_t FFailAt;
  size_t FIndex = 0;
};

std::string Saved(const std::string& path, TParagraphSource& source) {
  TTextFileWriter writer;
  writer.Save(path, source);
  return test::ReadFileBytes(path);
}

// Empty paragraphs in runs that cross batch ends, long and short ones, over several blocks.
Lines Paragraphs(bool emptyLast) {
  Lines paras;
  for (int i = 0; i < 12000; ++i) {
    if (i % 97 < 3)
      paras.emplace_back();
    else if (i % 1000 == 500)
      paras.push_back(std::string(TTextFileOutput::DirectLength + i % 7, 'L'));
    else
      paras.push_back("paragraphe " + std::to_string(i) + std::string(static_cast<size_t>(i % 61), '-'));
  }
  if (emptyLast) paras.emplace_back();
  return paras;
}

TEST(TextFileOutput, BatchesOfAnySizeGiveTheBytesOfSingleParagraphs) {
  test::TTempDir dir;
  for (const bool emptyLast : {false, true}) {
    const Lines paras = Paragraphs(emptyLast);
    test::TVectorSource single(paras);
    const std::string expected = Saved(dir.File("single.txt"), single);
    ASSERT_GT(expected.size(), 2 * TTextFileOutput::BufferSize);
    for (const size_t batch : {size_t{1}, size_t{2}, size_t{3}, size_t{97}, size_t{1000}}) {
      SCOPED_TRACE("batches of " + std::to_string(batch) + (emptyLast ? ", empty last" : ""));
      TBatchSource source(paras, batch);
      EXPECT_EQ(Saved(dir.File("batched.txt"), source), expected);
    }
  }
}

TEST(TextFileOutput, ASourceFailingWhileABlockIsWrittenLeavesNoFile) {
  const Lines paras = Paragraphs(false);
  for (const size_t failAt : {size_t{20}, size_t{6000}, paras.size()}) {
    SCOPED_TRACE("failing at paragraph " + std::to_string(failAt));
    test::TTempDir dir;
    TBatchSource source(paras, 50, failAt);
    TTextFileWriter writer;
    EXPECT_THROW(writer.Save(dir.File("f.txt"), source), std::bad_alloc);
    EXPECT_EQ(test::FolderEntries(dir.Path()), Lines{});
  }
}

}  // namespace
}  // namespace quilmo
