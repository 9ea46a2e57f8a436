// Random files of any bytes, loaded and saved back: the bytes written must be exactly those
// predicted from the file, and every difference must be one the load report announces
// (a Ctrl-Z and what follows it, NULs, long lines split into paragraphs) or one of the
// fixed rules of the format (a lone CR becomes CR LF, codes 1 to 9 become blanks, a final
// line end is added, trailing blanks go only with TrimWhiteSpace).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "editor/TextFileEditor.h"
#include "support/FakeHost.h"
#include "support/FaultyFileSystem.h"
#include "support/SaveModel.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

// The real file system without the syncs, which only cost time here.
class TUnsyncedFileSystem : public TFaultyFileSystem {
 public:
  int Sync(TFileHandle) override { return 0; }
  int SyncFolder(const std::string&) override { return 0; }
};

// A file of random lines: bytes of every value, blanks dense or absent, lines from empty to
// over 32767 characters, ended by CR, LF (which is no line end), CR LF or nothing; some
// files hold a Ctrl-Z.
std::string RandomFile(std::mt19937_64& random) {
  auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
  auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
  const int blankPercent = chance(30) ? 0 : static_cast<int>(below(40));
  const bool anyByte = chance(50);
  const size_t lines = below(12);
  std::string file;
  for (size_t l = 0; l < lines; ++l) {
    size_t length = below(40);
    if (chance(15)) length = below(400);
    if (chance(4)) length = 32760 + below(20);
    if (chance(2)) length = 32767 * (1 + below(2)) + below(5000);
    for (size_t k = 0; k < length; ++k) {
      char c;
      if (chance(blankPercent))
        c = chance(80) ? ' ' : '\t';
      else if (anyByte)
        c = static_cast<char>(random() % 256);
      else
        c = static_cast<char>('a' + below(26));
      if (c == '\x1A') c = 'z';  // a Ctrl-Z is placed on purpose below
      file += c;
    }
    const size_t end = below(10);
    if (end < 4)
      file += "\r\n";
    else if (end < 6)
      file += '\r';
    else if (end < 8)
      file += '\n';
    else if (end < 9 && l + 1 < lines)
      file += "\r\r\n";
  }
  if (chance(15)) file.insert(below(file.size() + 1), 1, '\x1A');
  return file;
}

TEST(TextFileEditorRandom, LoadAndSaveChangeOnlyWhatTheReportAndTheFormatSay) {
  std::uint64_t baseSeed = 20240601;
  if (const char* env = std::getenv("QUILMO_TEST_SEED")) baseSeed = std::strtoull(env, nullptr, 10);
  TTempDir dir;
  const std::string in = dir.File("in.txt");
  const std::string out = dir.File("out.txt");
  TFakeHost host;
  TTextFileEditor editor;
  host.Attach(editor);
  TUnsyncedFileSystem fileSystem;
  editor.SetFileSystem(fileSystem);
  for (std::uint64_t run = 0; run < 300; ++run) {
    const std::uint64_t seed = baseSeed + run;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (QUILMO_TEST_SEED=" + std::to_string(seed) +
                 " repeats it as the first run)");
    std::mt19937_64 random(seed);
    const std::string bytes = RandomFile(random);
    const size_t limit = random() % 4 == 0 ? 1 + random() % 60 : 32767;
    const bool trim = random() % 4 == 0;
    editor.SetParaLengthLimit(static_cast<std::int32_t>(limit));
    editor.SetTrimWhiteSpace(trim);
    const TSavePrediction predicted = PredictSave(bytes, limit, trim);

    WriteFileBytes(in, bytes);
    const TLoadReport report = editor.LoadTextFile(in);
    ASSERT_TRUE(editor.IsOpen());
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(editor.ParaCount(), predicted.ParaCount);
    EXPECT_EQ(report.LineCount, predicted.Report.LineCount);
    EXPECT_EQ(report.LongLineCount, predicted.Report.LongLineCount);
    EXPECT_EQ(report.LongestLine, predicted.Report.LongestLine);
    EXPECT_EQ(report.NulCount, predicted.Report.NulCount);
    EXPECT_EQ(report.EndedByCtrlZ, predicted.Report.EndedByCtrlZ);
    EXPECT_EQ(report.BytesAfterCtrlZ, predicted.Report.BytesAfterCtrlZ);

    editor.SaveTextFile(out);
    const std::string saved = ReadFileBytes(out);
    ASSERT_EQ(saved.size(), predicted.Saved.size());
    if (saved != predicted.Saved) {
      const auto diff = std::mismatch(saved.begin(), saved.end(), predicted.Saved.begin());
      FAIL() << "first difference at byte " << (diff.first - saved.begin());
    }
    // Saving what was saved gives the same bytes: nothing drifts from one save to the next.
    if (limit == 32767 && !trim) {
      editor.LoadTextFile(out);
      editor.SaveTextFile(out);
      ASSERT_EQ(ReadFileBytes(out), saved);
    }
  }
}

}  // namespace
}  // namespace quilmo::test
