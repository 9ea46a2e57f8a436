// Reading text files: line ends, Ctrl-Z, NUL characters, long lines and the load report.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "engine/FileError.h"
#include "engine/TextFileReader.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using Lines = std::vector<std::string>;
using test::DataFile;
using namespace std::string_literals;

struct TLoaded {
  Lines LinesRead;
  TLoadReport Report;
  uint16_t Code = 0;
};

// Every line is also checked to be followed by a NUL and to hold no NUL or CR.
TLineSink Collect(Lines& lines) {
  return [&lines](const char* text, size_t length) -> uint16_t {
    EXPECT_EQ(text[length], '\0');
    EXPECT_EQ(std::memchr(text, 0, length), nullptr);
    EXPECT_EQ(std::memchr(text, '\r', length), nullptr);
    lines.emplace_back(text, length);
    return 0;
  };
}

TRestartSink Forget(Lines& lines) {
  return [&lines] { lines.clear(); };
}

TLoaded LoadBytes(const std::string& bytes, size_t blockSize = TTextFileReader::DefaultBlockSize,
                  size_t limit = 32767) {
  TTextFileReader reader;
  reader.SetBlockSize(blockSize);
  reader.SetParaLengthLimit(limit);
  TLoaded result;
  result.Code =
      reader.LoadBuffer(bytes.data(), bytes.size(), Collect(result.LinesRead), Forget(result.LinesRead));
  result.Report = reader.Report();
  return result;
}

TLoaded LoadFile(const std::string& path) {
  TTextFileReader reader;
  TLoaded result;
  result.Code = reader.Load(path, Collect(result.LinesRead), Forget(result.LinesRead));
  result.Report = reader.Report();
  return result;
}

// Small blocks put every line end, CR LF pair and Ctrl-Z across a block boundary somewhere.
const size_t kBlockSizes[] = {1, 2, 3, 5, 8, TTextFileReader::DefaultBlockSize};

TEST(TextFileReader, LineEndsAreCrLfOrLoneCrForEveryBlockSize) {
  for (size_t block : kBlockSizes) {
    SCOPED_TRACE("block size " + std::to_string(block));
    EXPECT_EQ(LoadBytes("a\r\nbc\rd\r\r\nef", block).LinesRead, (Lines{"a", "bc", "d", "", "ef"}));
    // A final line end adds no line: N lines either way.
    EXPECT_EQ(LoadBytes("a\r\nb\r\n", block).LinesRead, (Lines{"a", "b"}));
    EXPECT_EQ(LoadBytes("a\r\nb", block).LinesRead, (Lines{"a", "b"}));
    EXPECT_EQ(LoadBytes("a\r\r\nb", block).LinesRead, (Lines{"a", "", "b"}));
    EXPECT_EQ(LoadBytes("\r", block).LinesRead, (Lines{""}));
    EXPECT_EQ(LoadBytes("\r\n\r\n", block).LinesRead, (Lines{"", ""}));
    EXPECT_EQ(LoadBytes("x\r", block).LinesRead, (Lines{"x"}));
    EXPECT_TRUE(LoadBytes("", block).LinesRead.empty());
  }
}

TEST(TextFileReader, LoneLfStaysInTheLine) {
  for (size_t block : kBlockSizes) {
    SCOPED_TRACE("block size " + std::to_string(block));
    EXPECT_EQ(LoadBytes("a\nb\r\nc\n", block).LinesRead, (Lines{"a\nb", "c\n"}));
    EXPECT_EQ(LoadBytes("\n\r\n\n", block).LinesRead, (Lines{"\n", "\n"}));
    // LF CR: the LF belongs to the line, the CR ends it.
    EXPECT_EQ(LoadBytes("a\n\rb", block).LinesRead, (Lines{"a\n", "b"}));
  }
}

TEST(TextFileReader, CtrlZEndsTheTextAndTheRestIsCounted) {
  for (size_t block : kBlockSizes) {
    SCOPED_TRACE("block size " + std::to_string(block));
    TLoaded midLine = LoadBytes(
        "ab\r\ncd\x1a"
        "ef\r\ngh",
        block);
    EXPECT_EQ(midLine.LinesRead, (Lines{"ab", "cd"}));
    EXPECT_TRUE(midLine.Report.EndedByCtrlZ);
    EXPECT_EQ(midLine.Report.BytesAfterCtrlZ, 6u);
    EXPECT_TRUE(midLine.Report.HasWarnings());

    // At the start of a line the Ctrl-Z adds no empty line; only the first one counts.
    TLoaded lineStart = LoadBytes("ab\r\n\x1a\x1a", block);
    EXPECT_EQ(lineStart.LinesRead, (Lines{"ab"}));
    EXPECT_EQ(lineStart.Report.BytesAfterCtrlZ, 1u);

    TLoaded afterCr = LoadBytes("ab\r\x1a\n", block);
    EXPECT_EQ(afterCr.LinesRead, (Lines{"ab"}));
    EXPECT_EQ(afterCr.Report.BytesAfterCtrlZ, 1u);

    TLoaded last = LoadBytes("ab\x1a", block);
    EXPECT_EQ(last.LinesRead, (Lines{"ab"}));
    EXPECT_TRUE(last.Report.EndedByCtrlZ);
    EXPECT_EQ(last.Report.BytesAfterCtrlZ, 0u);
    EXPECT_FALSE(last.Report.HasWarnings());  // nothing is lost by saving

    EXPECT_TRUE(LoadBytes("\x1a"
                          "abc",
                          block)
                    .LinesRead.empty());
  }
  EXPECT_FALSE(LoadBytes("ab\r\n").Report.EndedByCtrlZ);
}

TEST(TextFileReader, NulBecomesABlankAndIsCounted) {
  for (size_t block : kBlockSizes) {
    SCOPED_TRACE("block size " + std::to_string(block));
    TLoaded loaded = LoadBytes(
        "a\0b\r\n\0\r\n\0\0"s
        "\x1a\0"s,
        block);
    EXPECT_EQ(loaded.LinesRead, (Lines{"a b", " ", "  "}));
    EXPECT_EQ(loaded.Report.NulCount, 4u);  // the NUL behind the Ctrl-Z is not read
    EXPECT_EQ(loaded.Report.BytesAfterCtrlZ, 1u);
    EXPECT_TRUE(loaded.Report.HasWarnings());
  }
}

TEST(TextFileReader, LongLinesAreDeliveredWholeAndCounted) {
  std::string longLine;
  for (int i = 0; i < 100000; ++i) longLine += static_cast<char>('a' + i % 26);
  const std::string bytes =
      std::string(32767, 'x') + "\r\n" + std::string(32768, 'y') + "\r\n" + longLine + "\r\nend";
  for (size_t block : {size_t{7}, size_t{4096}, TTextFileReader::DefaultBlockSize}) {
    SCOPED_TRACE("block size " + std::to_string(block));
    TLoaded loaded = LoadBytes(bytes, block);
    ASSERT_EQ(loaded.LinesRead.size(), 4u);
    EXPECT_EQ(loaded.LinesRead[0], std::string(32767, 'x'));
    EXPECT_EQ(loaded.LinesRead[1], std::string(32768, 'y'));
    EXPECT_EQ(loaded.LinesRead[2], longLine);
    EXPECT_EQ(loaded.LinesRead[3], "end");
    EXPECT_EQ(loaded.Report.LineCount, 4u);
    EXPECT_EQ(loaded.Report.LongLineCount, 2u);  // longer than 32767
    EXPECT_EQ(loaded.Report.LongestLine, 100000u);
    EXPECT_FALSE(loaded.Report.HasWarnings());  // long lines are split, not lost
  }
  EXPECT_EQ(LoadBytes("abcd\r\nabcde\r\nab", 3, 4).Report.LongLineCount, 1u);
}

// Control codes and lone LFs are counted over many blocks at once: the counts must hold past
// the points where partial counts are gathered, and for every size the read leaves.
TEST(TextFileReader, ControlCodesAndLoneLfsAreCountedInLargeFiles) {
  const char alphabet[] = "ab \t\x01\x05\x08\x09\x0b\n\n\r\n\xe9\x80\xff";
  for (size_t size : {size_t{4079}, size_t{4097}, size_t{70001}, size_t{300017}}) {
    std::string bytes;
    uint64_t controls = 0;
    uint64_t lineFeeds = 0;
    uint64_t crLfs = 0;
    for (size_t i = 0; i < size; ++i) {
      const char c = alphabet[(i * 7919 + i / 13) % (sizeof alphabet - 1)];
      controls += c >= 1 && c <= 8;
      lineFeeds += c == '\n';
      crLfs += c == '\n' && !bytes.empty() && bytes.back() == '\r';
      bytes += c;
    }
    for (size_t block : {size_t{13}, size_t{4096}, TTextFileReader::DefaultBlockSize}) {
      SCOPED_TRACE("size " + std::to_string(size) + ", block size " + std::to_string(block));
      const TLoadReport report = LoadBytes(bytes, block).Report;
      EXPECT_EQ(report.ControlCodeCount, controls);
      EXPECT_EQ(report.CrLfCount, crLfs);
      EXPECT_EQ(report.LoneLfCount, lineFeeds - crLfs);
      EXPECT_EQ(report.Format.Encoding, TEncoding::enWindows1252);
    }
  }
}

TEST(TextFileReader, SinkResultStopsReading) {
  TTextFileReader reader;
  Lines seen;
  const std::string bytes = "one\r\ntwo\r\nthree\r\n";
  uint16_t code = reader.LoadBuffer(
      bytes.data(), bytes.size(),
      [&](const char* text, size_t n) {
        seen.emplace_back(text, n);
        return seen.size() == 2 ? uint16_t{268} : uint16_t{0};
      },
      Forget(seen));
  EXPECT_EQ(code, 268);
  EXPECT_EQ(seen, (Lines{"one", "two"}));
  EXPECT_EQ(reader.Report().LineCount, 2u);
}

TEST(TextFileReader, SampleFiles) {
  EXPECT_EQ(LoadFile(DataFile("crlf.txt")).LinesRead, (Lines{"alpha", "beta", "gamma"}));
  EXPECT_EQ(LoadFile(DataFile("lone-cr.txt")).LinesRead, (Lines{"alpha", "beta", "", "gamma"}));
  EXPECT_EQ(LoadFile(DataFile("lone-lf.txt")).LinesRead, (Lines{"alpha\nbeta", "gamma\n"}));
  EXPECT_EQ(LoadFile(DataFile("no-final-eol.txt")).LinesRead, (Lines{"alpha", "beta"}));
  EXPECT_TRUE(LoadFile(DataFile("empty.txt")).LinesRead.empty());

  TLoaded ctrlZ = LoadFile(DataFile("ctrl-z.txt"));
  EXPECT_EQ(ctrlZ.LinesRead, (Lines{"alpha", "be"}));
  EXPECT_EQ(ctrlZ.Report.BytesAfterCtrlZ, 12u);  // "ta" CR LF "hidden" CR LF

  TLoaded nul = LoadFile(DataFile("nul-chars.txt"));
  EXPECT_EQ(nul.LinesRead, (Lines{"al pha", " ", "end"}));
  EXPECT_EQ(nul.Report.NulCount, 2u);

  TLoaded fits = LoadFile(DataFile("line-32767.txt"));
  ASSERT_EQ(fits.LinesRead.size(), 2u);
  EXPECT_EQ(fits.LinesRead[0].size(), 32767u);
  EXPECT_EQ(fits.Report.LongLineCount, 0u);

  TLoaded tooLong = LoadFile(DataFile("line-32768.txt"));
  ASSERT_EQ(tooLong.LinesRead.size(), 2u);
  EXPECT_EQ(tooLong.LinesRead[0].size(), 32768u);
  EXPECT_EQ(tooLong.LinesRead[0].substr(32760), "01234567");
  EXPECT_EQ(tooLong.LinesRead[1], "end");
  EXPECT_EQ(tooLong.Report.LongLineCount, 1u);

  TLoaded outside = LoadFile(DataFile("utf8-outside-cp1252.txt"));
  EXPECT_EQ(outside.LinesRead, (Lines{"na\xEFve ?-calcul"}));
  EXPECT_TRUE(outside.Report.ReadOnly());
  TLoaded utf8 = LoadFile(DataFile("utf8-lf.txt"));
  EXPECT_EQ(utf8.LinesRead, (Lines{"caf\xE9 cr\xE8me", "\xE0 la fa\xE7on", "\tl\x92\x9Cuvre \x80"}));
  EXPECT_EQ(utf8.Report.Format, (TTextFormat{TEncoding::enUtf8, TLineEnd::leLf, TByteOrderMark::bomNone}));

  TLoaded high = LoadFile(DataFile("high8bit.txt"));
  ASSERT_EQ(high.LinesRead.size(), 2u);
  EXPECT_EQ(high.LinesRead[0], "caf\xe9 \xe0 l'\xe9t\xe9, \x9cuvre");
  ASSERT_EQ(high.LinesRead[1].size(), 128u);
  for (int i = 0; i < 128; ++i)
    EXPECT_EQ(static_cast<unsigned char>(high.LinesRead[1][static_cast<size_t>(i)]), 128 + i);
}

TEST(TextFileReader, OpenAndReadFailuresRaiseFrenchMessagesWithTheName) {
  test::TTempDir dir;
  const std::string missing = dir.File("absent.txt");
  try {
    LoadFile(missing);
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Impossible d'ouvrir le fichier « " + missing + " » : " + SystemErrorText(ENOENT));
    EXPECT_EQ(e.FileName(), missing);
    EXPECT_EQ(e.ErrorCode(), ENOENT);
  }
  // A folder opens but cannot be read.
  EXPECT_THROW(LoadFile(dir.Path()), EFileError);

  // A read error in the middle of the file: the lines before it were delivered.
  const std::string path = dir.File("a.txt");
  test::WriteFileBytes(path, "one\r\ntwo\r\n");
  test::TFaultyFileSystem fs;
  fs.FailAt(test::TFsOp::Read, 2, EIO);
  TTextFileReader reader(fs);
  reader.SetBlockSize(5);
  Lines seen;
  try {
    (void)reader.Load(path, Collect(seen), Forget(seen));  // throws
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("Impossible de lire le fichier « " + path + " »"),
              std::string::npos);
    EXPECT_EQ(e.ErrorCode(), EIO);
  }
  EXPECT_EQ(seen, (Lines{"one"}));
  EXPECT_EQ(fs.Calls(test::TFsOp::Close), 1);  // the file was closed
}

}  // namespace
}  // namespace quilmo
