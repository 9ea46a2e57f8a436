// Random files of any bytes, of ASCII, or of UTF-8, loaded and saved back: the format found and
// the bytes written must be exactly those predicted from the file, and every difference must
// be one the load report announces (a Ctrl-Z and what follows it, NULs, long lines split into
// paragraphs, codes 1 to 8 written as blanks, lone CRs written as CR LF) or a final line end
// added, or trailing blanks removed with TrimWhiteSpace. A file that opens read-only is never
// saved.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "editor/TextFileEditor.h"
#include "engine/FileError.h"
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

// A character of the code page in UTF-8; rarely one outside it, or a byte that is not UTF-8.
std::string RandomUtf8Char(std::mt19937_64& random) {
  const unsigned pick = static_cast<unsigned>(random() % 1000);
  if (pick < 3) return "\xCE\xBB";  // λ
  if (pick < 5) return std::string(1, static_cast<char>(0x80 + random() % 128));
  const char c = static_cast<char>(pick < 500 ? 'a' + random() % 26 : 0x80 + random() % 128);
  return ModelEncodeUtf8(std::string(1, c));
}

// A file of random lines: bytes of every value, letters or UTF-8, blanks dense or absent, lines
// from empty to over 32767 characters, ended by CR, LF, CR LF or nothing (LF files: LF or
// nothing); some files start with a byte-order mark, some hold a Ctrl-Z.
std::string RandomFile(std::mt19937_64& random) {
  auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
  auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
  const int blankPercent = chance(30) ? 0 : static_cast<int>(below(40));
  const size_t kind = below(3);  // any byte, letters, UTF-8
  const bool lfOnly = chance(40);
  const size_t lines = below(12);
  std::string file = kind == 2 && chance(30) ? "\xEF\xBB\xBF" : "";
  for (size_t l = 0; l < lines; ++l) {
    size_t length = below(40);
    if (chance(15)) length = below(400);
    if (chance(4)) length = 32760 + below(20);
    if (chance(2)) length = 32767 * (1 + below(2)) + below(5000);
    for (size_t k = 0; k < length; ++k) {
      char c;
      if (chance(blankPercent)) {
        c = chance(80) ? ' ' : '\t';
      } else if (kind == 0) {
        c = static_cast<char>(random() % 256);
      } else if (kind == 1) {
        c = static_cast<char>('a' + below(26));
      } else {
        file += RandomUtf8Char(random);
        continue;
      }
      if (c == '\x1A') c = 'z';  // a Ctrl-Z is placed on purpose below
      if (lfOnly && c == '\r') c = 'r';
      file += c;
    }
    const size_t end = below(10);
    if (lfOnly) {
      if (end < 8) file += '\n';
    } else if (end < 4)
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
    const TLoadReport& expected = predicted.Report;
    EXPECT_EQ(report.Format, expected.Format);
    EXPECT_EQ(editor.TextFormat(), expected.Format);
    EXPECT_EQ(report.LineCount, expected.LineCount);
    EXPECT_EQ(report.LongLineCount, expected.LongLineCount);
    EXPECT_EQ(report.LongestLine, expected.LongestLine);
    EXPECT_EQ(report.NulCount, expected.NulCount);
    EXPECT_EQ(report.EndedByCtrlZ, expected.EndedByCtrlZ);
    EXPECT_EQ(report.BytesAfterCtrlZ, expected.BytesAfterCtrlZ);
    EXPECT_EQ(report.ControlCodeCount, expected.ControlCodeCount);
    EXPECT_EQ(report.CrLfCount, expected.CrLfCount);
    EXPECT_EQ(report.LoneCrCount, expected.LoneCrCount);
    EXPECT_EQ(report.LoneLfCount, expected.LoneLfCount);
    EXPECT_EQ(report.UnmappableCount, expected.UnmappableCount);
    EXPECT_EQ(editor.ReadOnly(), expected.ReadOnly());
    if (expected.ReadOnly()) {
      EXPECT_THROW(editor.SaveTextFile(in), EFileError);
      EXPECT_EQ(ReadFileBytes(in), bytes);
      continue;
    }

    editor.SaveTextFile(out);
    const std::string saved = ReadFileBytes(out);
    ASSERT_EQ(saved.size(), predicted.Saved.size());
    if (saved != predicted.Saved) {
      const auto diff = std::mismatch(saved.begin(), saved.end(), predicted.Saved.begin());
      FAIL() << "first difference at byte " << (diff.first - saved.begin());
    }
    if (!trim && ReportPromisesSameBytes(report)) {
      ASSERT_EQ(saved, WithFinalLineEnd(bytes, report.Format));
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
