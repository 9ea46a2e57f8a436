// Text formats: what the reader makes of LF, CR LF and mixed files, of UTF-8 (with and without a
// byte-order mark), ASCII and Windows-1252 files; the UTF-8 conversion both ways; the writer in
// every format; the texts the window shows about a load.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/Cp1252Utf8.h"
#include "engine/LoadReport.h"
#include "engine/TextFileReader.h"
#include "engine/TextFileWriter.h"
#include "support/FaultyFileSystem.h"
#include "support/SaveModel.h"
#include "support/TempDir.h"
#include "support/VectorSource.h"

namespace quilmo {
namespace {

using Lines = std::vector<std::string>;
constexpr TEncoding kUtf8 = TEncoding::enUtf8;
constexpr TEncoding k1252 = TEncoding::enWindows1252;
constexpr TLineEnd kLf = TLineEnd::leLf;
constexpr TLineEnd kCrLf = TLineEnd::leCrLf;
constexpr TByteOrderMark kBom = TByteOrderMark::bomPresent;
constexpr TByteOrderMark kNoBom = TByteOrderMark::bomNone;

struct TRead {
  Lines LinesRead;
  TLoadReport Report;
  int Restarts = 0;
};

TRead Read(const std::string& bytes, size_t blockSize, const TTextFormat& platform) {
  TTextFileReader reader;
  reader.SetBlockSize(blockSize);
  reader.SetPlatformFormat(platform);
  TRead result;
  const uint16_t code = reader.LoadBuffer(
      bytes.data(), bytes.size(),
      [&](const char* text, size_t length) {
        result.LinesRead.emplace_back(text, length);
        return uint16_t{0};
      },
      [&] {
        result.LinesRead.clear();
        ++result.Restarts;
      });
  EXPECT_EQ(code, 0);
  result.Report = reader.Report();
  return result;
}

// The two platforms' formats, so that "takes the platform's" is seen to follow the platform.
const TTextFormat kLinux{kUtf8, kLf, kNoBom};
const TTextFormat kWindows{k1252, kCrLf, kNoBom};

TEST(TextFileFormat, TheReaderFindsTheFormatAndConvertsInOnePassForEveryBlockSize) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    Lines Expected;
    std::optional<TEncoding> Encoding;  // none: the platform's
    std::optional<TLineEnd> LineEnd;    // none: the platform's
    TByteOrderMark Bom = kNoBom;
    uint64_t CrLf = 0, LoneCr = 0, LoneLf = 0, Unmappable = 0, Controls = 0;
  };
  const std::vector<TCase> cases = {
      {"LF, ASCII", "a\nb\n", {"a", "b"}, {}, kLf},
      {"CR LF, ASCII", "a\r\nb\r\n", {"a", "b"}, {}, kCrLf, kNoBom, 2},
      {"no line end", "abc", {"abc"}, {}, {}},
      {"empty", "", {}, {}, {}},
      {"UTF-8", "caf\xC3\xA9\n\xE2\x82\xAC \xC5\x93\n", {"caf\xE9", "\x80 \x9C"}, kUtf8, kLf},
      {"UTF-8 with a mark",
       "\xEF\xBB\xBF"
       "a\r\n",
       {"a"},
       kUtf8,
       kCrLf,
       kBom,
       1},
      {"a mark alone", "\xEF\xBB\xBF", {}, kUtf8, {}, kBom},
      {"Windows-1252", "caf\xE9\r\n", {"caf\xE9"}, k1252, kCrLf, kNoBom, 1},
      {"UTF-8, then a byte that is not", "\xC3\xA9\n\xE9\n", {"\xC3\xA9", "\xE9"}, k1252, kLf},
      {"a mark, then a byte that is not UTF-8", "\xEF\xBB\xBF\xE9\n", {"\xEF\xBB\xBF\xE9"}, k1252, kLf},
      {"over-long form", "\xC0\xAF\n", {"\xC0\xAF"}, k1252, kLf},
      {"surrogate", "\xED\xA0\x80\n", {"\xED\xA0\x80"}, k1252, kLf},
      {"above U+10FFFF", "\xF4\x90\x80\x80", {"\xF4\x90\x80\x80"}, k1252, {}},
      {"cut off at the end", "ab\xC3", {"ab\xC3"}, k1252, {}},
      {"outside the code page", "\xC4\x89!\n\xF0\x9F\x98\x80\n", {"?!", "?"}, kUtf8, kLf, kNoBom, 0, 0, 0, 2},
      {"C1 controls", "\xC2\x81\xC2\x80", {"\x81?"}, kUtf8, {}, kNoBom, 0, 0, 0, 1},
      {"UTF-8 up to a Ctrl-Z", "\xC3\xA9\x1A\xFF", {"\xE9"}, kUtf8, {}},
      {"LF lines, then a CR", "a\nb\nc\r\n", {"a\nb\nc"}, {}, kCrLf, kNoBom, 1, 0, 2},
      {"mixed", "a\rb\r\nc\nd", {"a", "b", "c\nd"}, {}, kCrLf, kNoBom, 1, 1, 1},
      {"lone CRs", "a\rb\r", {"a", "b"}, {}, kCrLf, kNoBom, 0, 2},
      {"UTF-8 LF lines, then a CR", "\xC3\xA9\nx\r\n", {"\xE9\nx"}, kUtf8, kCrLf, kNoBom, 1, 0, 1},
      {"Windows-1252 LF lines, then a CR", "\xE9\na\r\n", {"\xE9\na"}, k1252, kCrLf, kNoBom, 1, 0, 1},
      {"control codes", "a\x01\x08\tb\x0B\n", {"a\x01\x08\tb\x0B"}, {}, kLf, kNoBom, 0, 0, 0, 0, 2},
  };
  for (const TTextFormat& platform : {kLinux, kWindows}) {
    for (size_t block : {size_t{1}, size_t{2}, size_t{3}, size_t{5}, TTextFileReader::DefaultBlockSize}) {
      for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + ", block size " + std::to_string(block) + ", platform " +
                     DescribeTextFormat(platform));
        const TRead read = Read(c.Bytes, block, platform);
        EXPECT_EQ(read.LinesRead, c.Expected);
        const TTextFormat& format = read.Report.Format;
        EXPECT_EQ(format.Encoding, c.Encoding.value_or(platform.Encoding));
        EXPECT_EQ(format.LineEnd, c.LineEnd.value_or(platform.LineEnd));
        EXPECT_EQ(format.ByteOrderMark, c.Bom);
        EXPECT_EQ(read.Report.CrLfCount, c.CrLf);
        EXPECT_EQ(read.Report.LoneCrCount, c.LoneCr);
        EXPECT_EQ(read.Report.LoneLfCount, c.LoneLf);
        EXPECT_EQ(read.Report.UnmappableCount, c.Unmappable);
        EXPECT_EQ(read.Report.ReadOnly(), c.Unmappable > 0);
        EXPECT_EQ(read.Report.ControlCodeCount, c.Controls);
        EXPECT_LE(read.Restarts, 2);
      }
    }
  }
}

// A file read again (a byte that is not UTF-8 far behind converted lines) is opened once more
// and closed each time.
TEST(TextFileFormat, AFileReadAgainIsReopenedAndClosed) {
  test::TTempDir dir;
  test::WriteFileBytes(dir.File("f.txt"), "\xC3\xA9\n" + std::string(100, 'x') + "\xE9");
  test::TFaultyFileSystem fs;
  TTextFileReader reader(fs);
  reader.SetBlockSize(7);
  Lines lines;
  const uint16_t code = reader.Load(
      dir.File("f.txt"),
      [&](const char* text, size_t n) {
        lines.emplace_back(text, n);
        return uint16_t{0};
      },
      [&] { lines.clear(); });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(lines, (Lines{"\xC3\xA9", std::string(100, 'x') + "\xE9"}));
  EXPECT_EQ(fs.Calls(test::TFsOp::OpenRead), 2);
  EXPECT_EQ(fs.Calls(test::TFsOp::Close), 2);
}

TEST(TextFileFormat, EveryCodePageCharacterGoesToUtf8AndBack) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  all += all;  // past the eight-byte steps in every alignment
  std::string utf8(all.size() * kMaxUtf8PerByte, '\0');
  utf8.resize(Cp1252ToUtf8(all.data(), all.size(), utf8.data()));
  EXPECT_NE(utf8.find("\xC3\xA9\xC3\xAA"), std::string::npos);      // é ê
  EXPECT_NE(utf8.find("\xE2\x82\xAC\xC2\x81"), std::string::npos);  // € and the undefined 0x81
  const TUtf8Decoded decoded = Utf8ToCp1252(utf8.data(), utf8.size());
  EXPECT_TRUE(!decoded.Invalid && decoded.Consumed == utf8.size() && decoded.Unmappable == 0);
  EXPECT_EQ(utf8.substr(0, decoded.Written), all);
}

// Random mixes of ASCII, characters of one to four bytes, characters outside the code page and
// bytes that are not UTF-8, long enough for the groups converted at once: the decoder and the
// encoder must agree with the slow ones of the test model.
TEST(TextFileFormat, TheConvertersAgreeWithTheModelOnRandomText) {
  const std::vector<std::string> pieces = {"a",        "bcdefgh ",         "\xC3\xA9", "\xC2\xA0",
                                           "\xC2\x81", "\xC2\x85",         "\xC5\x93", "\xE2\x82\xAC",
                                           "\xCE\xBB", "\xF0\x9F\x98\x80", "\xC3"};
  std::mt19937 random(7);
  for (int run = 0; run < 3000; ++run) {
    std::string bytes;
    const size_t count = random() % 120;
    for (size_t k = 0; k < count; ++k) {
      const size_t pick = random() % 100;
      bytes += pieces[pick < 40   ? 0
                      : pick < 60 ? 1
                      : pick < 80 ? 2
                                  : 3 + pick % (pieces.size() - (run % 2 == 0 ? 4 : 3))];
    }
    std::string text = bytes;
    const TUtf8Decoded decoded = Utf8ToCp1252(text.data(), text.size());
    std::string expected;
    uint64_t multiByte = 0, unmappable = 0;
    ASSERT_TRUE(test::ModelDecodeUtf8(bytes.substr(0, decoded.Consumed), expected, multiByte, unmappable))
        << run;
    ASSERT_EQ(text.substr(0, decoded.Written), expected) << run;
    ASSERT_EQ(decoded.MultiByte, multiByte) << run;
    ASSERT_EQ(decoded.Unmappable, unmappable) << run;
    // And the encoder agrees with the model's on the text.
    std::string encoded(expected.size() * kMaxUtf8PerByte, '\0');
    encoded.resize(Cp1252ToUtf8(expected.data(), expected.size(), encoded.data()));
    ASSERT_EQ(encoded, test::ModelEncodeUtf8(expected)) << run;
    // It stops only at the end, at a character cut off there, or at a byte that is not UTF-8.
    std::string rest;
    if (decoded.Consumed < bytes.size()) {
      ASSERT_FALSE(test::ModelDecodeUtf8(bytes.substr(decoded.Consumed), rest, multiByte, unmappable)) << run;
    }
    if (!decoded.Invalid) {
      ASSERT_LE(bytes.size() - decoded.Consumed, 3u) << run;
    }
  }
}

TEST(TextFileFormat, TheWriterWritesEveryFormat) {
  test::TTempDir dir;
  const Lines paras = {"caf\xE9 \x80", "a\tb\x01\x08", "", "fin", ""};
  struct TCase {
    TTextFormat Format;
    std::string Expected;
  };
  const std::vector<TCase> cases = {
      {{k1252, kCrLf, kNoBom}, "caf\xE9 \x80\r\na\tb  \r\n\r\nfin\r\n"},
      {{k1252, kLf, kNoBom}, "caf\xE9 \x80\na\tb  \n\nfin\n"},
      {{kUtf8, kLf, kNoBom}, "caf\xC3\xA9 \xE2\x82\xAC\na\tb  \n\nfin\n"},
      {{kUtf8, kCrLf, kBom},
       "\xEF\xBB\xBF"
       "caf\xC3\xA9 \xE2\x82\xAC\r\na\tb  \r\n\r\nfin\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(DescribeTextFormat(c.Format));
    TTextFileWriter writer;
    writer.SetFormat(c.Format);
    test::TVectorSource source(paras);
    writer.Save(dir.File("f.txt"), source);
    EXPECT_EQ(test::ReadFileBytes(dir.File("f.txt")), c.Expected);
  }
}

// Text that grows threefold in UTF-8 crosses the write buffer intact.
TEST(TextFileFormat, Utf8TextCrossesTheWriteBufferIntact) {
  test::TTempDir dir;
  const Lines paras(3000,
                    "\x80\x80"
                    "a\x80" +
                        std::string(60, '\x80'));
  TTextFileWriter writer;
  writer.SetFormat({kUtf8, kLf, kNoBom});
  test::TVectorSource source(paras);
  writer.Save(dir.File("big.txt"), source);
  std::string line;
  for (char c : paras[0]) line += c == 'a' ? "a" : "\xE2\x82\xAC";
  std::string expected;
  for (size_t i = 0; i < paras.size(); ++i) expected += line + "\n";
  EXPECT_EQ(test::ReadFileBytes(dir.File("big.txt")), expected);
}

// Long paragraphs go out from their own storage between runs of the buffer, in more pieces
// than one gathered write takes; every write may also be cut short. The bytes must be those
// of the model for every format.
TEST(TextFileFormat, GatheredAndShortWritesGiveTheSameBytes) {
  test::TTempDir dir;
  Lines paras;
  const std::string longText(TTextFileOutput::DirectLength + 3, 'L');
  for (int i = 0; i < 150; ++i) {
    paras.push_back(longText + std::to_string(i));
    if (i % 3 == 0) paras.push_back("court " + std::to_string(i));
    if (i % 5 == 0) paras.push_back(longText + "\x02 code");  // must be changed
    if (i % 7 == 0) paras.push_back(longText + "\xE9t\xE9");  // changed in UTF-8 only
    if (i % 11 == 0) paras.push_back("");
  }
  paras.push_back(std::string(TTextFileOutput::BufferSize + 5, 'B'));  // longer than the buffer
  const TTextFormat formats[] = {{k1252, kCrLf, kNoBom}, {k1252, kLf, kNoBom}, {kUtf8, kLf, kBom}};
  for (const TTextFormat& format : formats) {
    std::string expected;
    for (const std::string& para : paras) {
      for (char c : para) expected += c >= 1 && c <= 8 ? ' ' : c;
      expected += format.LineEnd == kLf ? "\n" : "\r\n";
    }
    if (format.Encoding == kUtf8) expected = "\xEF\xBB\xBF" + test::ModelEncodeUtf8(expected);
    for (const size_t limit : {size_t{0}, size_t{777}, TTextFileOutput::DirectLength + 1}) {
      SCOPED_TRACE(DescribeTextFormat(format) + ", writes of at most " + std::to_string(limit));
      test::TFaultyFileSystem fileSystem;
      fileSystem.SetWriteLimit(limit);
      TTextFileWriter writer(fileSystem);
      writer.SetFormat(format);
      test::TVectorSource source(paras);
      writer.Save(dir.File("g.txt"), source);
      EXPECT_EQ(test::ReadFileBytes(dir.File("g.txt")), expected);
      EXPECT_GT(fileSystem.Calls(test::TFsOp::WriteGathered), 1);
    }
  }
}

TEST(TextFileFormat, DescriptionsForTheStatusBar) {
  EXPECT_EQ(DescribeTextFormat({kUtf8, kLf, kNoBom}), "UTF-8 \u00b7 LF");
  EXPECT_EQ(DescribeTextFormat({kUtf8, kCrLf, kBom}), "UTF-8 avec BOM \u00b7 CR LF");
  EXPECT_EQ(DescribeTextFormat({k1252, kCrLf, kNoBom}), "Windows-1252 \u00b7 CR LF");
}

TEST(TextFileFormat, TheLoadMessageNamesTheReadOnlyAndMixedCases) {
  auto has = [](const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  };
  TLoadReport report;
  EXPECT_EQ(LoadReportMessage(report, "f.txt", 32767), "");
  report.LoneLfCount = 3;
  EXPECT_EQ(LoadReportMessage(report, "f.txt", 32767), "") << "LFs of one kind are not mixed";
  report.CrLfCount = 2;
  std::string message = LoadReportMessage(report, "f.txt", 32767);
  EXPECT_TRUE(has(message, "Remarque sur le fichier « f.txt »")) << message;
  EXPECT_TRUE(has(message, "mélangées : 2 CR LF, 0 CR seuls, 3 LF seuls")) << message;
  report.LoneCrCount = 1;
  report.ControlCodeCount = 2;
  message = LoadReportMessage(report, "f.txt", 32767);
  EXPECT_TRUE(has(message, "a été modifié à l'ouverture")) << message;
  EXPECT_TRUE(has(message, "1 fin de ligne faite d'un CR seul sera enregistrée en CR LF.")) << message;
  EXPECT_TRUE(has(message, "2 caractères de contrôle (codes 1 à 8) seront enregistrés")) << message;
  report.UnmappableCount = 4;
  message = LoadReportMessage(report, "f.txt", 32767);
  EXPECT_TRUE(has(message, "est ouvert en lecture seule")) << message;
  EXPECT_TRUE(has(message, "4 caractères absents du jeu de caractères Windows-1252")) << message;
}

}  // namespace
}  // namespace quilmo
