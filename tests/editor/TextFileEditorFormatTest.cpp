// The text-file editor keeps the format of its file: LF, CR LF and mixed files, UTF-8 with and
// without a byte-order mark, ASCII, Windows-1252 and invalid UTF-8 come back byte for byte, and
// a typed "é" is saved as the file's encoding expects; a UTF-8 file with characters outside the
// code page is read-only and never saved; new texts take the platform's format.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "engine/FileError.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

constexpr bool kPlatformUtf8 = PlatformTextFormat().Encoding == TEncoding::enUtf8;
// "é" as the platform's encoding writes it, and the platform's line end.
const std::string kPlatformE = kPlatformUtf8 ? "\xC3\xA9" : "\xE9";
const std::string kPlatformEol = PlatformTextFormat().LineEnd == TLineEnd::leLf ? "\n" : "\r\n";

class TextFileEditorFormat : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.Attach(Editor);
    Editor.SetTrimWhiteSpace(false);  // as the window has it
  }
  void Load(const std::string& bytes, const std::string& name = "in.txt") {
    WriteFileBytes(Dir.File(name), bytes);
    Editor.LoadTextFile(Dir.File(name));
  }
  std::string Saved(const std::string& name = "out.txt") {
    Editor.SaveTextFile(Dir.File(name));
    return ReadFileBytes(Dir.File(name));
  }

  TTempDir Dir;
  TFakeHost Host;
  TTextFileEditor Editor;
};

TEST_F(TextFileEditorFormat, EveryFormatComesBackByteForByteAndTakesATypedEAsItsEncodingWants) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    std::string FirstLine;   // as the text holds it
    std::string SavedTyped;  // saved after an "é" typed at the start
  };
  const std::vector<TCase> cases = {
      {"LF", "un\ndeux\n", "un", kPlatformE + "un\ndeux\n"},
      {"CR LF", "un\r\ndeux\r\n", "un", kPlatformE + "un\r\ndeux\r\n"},
      {"mixed (lone LF inside a CR LF file)", "un\ndeux\r\ntrois\r\n", "un\ndeux",
       kPlatformE + "un\ndeux\r\ntrois\r\n"},
      {"UTF-8", "caf\xC3\xA9\n\xC5\x93uvre\n", "caf\xE9",
       "\xC3\xA9"
       "caf\xC3\xA9\n\xC5\x93uvre\n"},
      {"UTF-8 with a mark", "\xEF\xBB\xBF\xC3\xA0 bient\xC3\xB4t\r\n", "\xE0 bient\xF4t",
       "\xEF\xBB\xBF\xC3\xA9\xC3\xA0 bient\xC3\xB4t\r\n"},
      {"ASCII", "plain\ttext\n", "plain\ttext", kPlatformE + "plain\ttext\n"},
      {"Windows-1252", "caf\xE9\r\n\x9Cuvre\r\n", "caf\xE9",
       "\xE9"
       "caf\xE9\r\n\x9Cuvre\r\n"},
      {"Windows-1252 with LF", "caf\xE9\n", "caf\xE9",
       "\xE9"
       "caf\xE9\n"},
      {"invalid UTF-8", "\xC3\xA9t\xE9\n", "\xC3\xA9t\xE9", "\xE9\xC3\xA9t\xE9\n"},
      {"empty", "", "", kPlatformE + kPlatformEol},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Load(c.Bytes);
    EXPECT_EQ(std::string(Editor.ParaList().GetPara(1)->Text()), c.FirstLine);
    EXPECT_FALSE(Editor.ReadOnly());
    EXPECT_EQ(Saved(), c.Bytes);
    Editor.ProcessCommand(ccTypeChar, 0xE9);
    EXPECT_EQ(Saved(), c.SavedTyped);
    // Saved under its own name, read again: the same format, the same bytes.
    Editor.SaveTextFile(Dir.File("in.txt"));
    const TTextFormat format = Editor.TextFormat();
    Editor.LoadTextFile(Dir.File("in.txt"));
    EXPECT_EQ(Editor.TextFormat(), format);
    EXPECT_EQ(Saved(), c.SavedTyped);
  }
}

TEST_F(TextFileEditorFormat, AUtf8FileWithCharactersOutsideTheCodePageIsReadOnlyAndNeverSaved) {
  const std::string bytes = "na\xC3\xAFve \xCE\xBB-calcul\n";  // naïve λ-calcul
  Load(bytes, "greek.txt");
  EXPECT_TRUE(Editor.ReadOnly());
  EXPECT_EQ(std::string(Editor.ParaList().GetPara(1)->Text()), "na\xEFve ?-calcul");
  EXPECT_EQ(Editor.LoadReport().UnmappableCount, 1u);
  EXPECT_NE(LoadReportMessage(Editor.LoadReport(), "greek.txt", 32767).find("lecture seule"),
            std::string::npos);
  Editor.ProcessCommand(ccTypeChar, 'x');
  EXPECT_EQ(std::string(Editor.ParaList().GetPara(1)->Text()), "na\xEFve ?-calcul");
  EXPECT_THROW(Editor.SaveTextFile(Dir.File("greek.txt")), EFileError);
  EXPECT_THROW(Editor.SaveTextFile(Dir.File("copy.txt")), EFileError);
  EXPECT_EQ(ReadFileBytes(Dir.File("greek.txt")), bytes);
  EXPECT_EQ(FolderEntries(Dir.Path()), (std::vector<std::string>{"greek.txt"}));

  // Another file, or a new text, may be edited again; the control's own setting stays.
  Load("ok\n");
  EXPECT_FALSE(Editor.ReadOnly());
  Load(bytes, "greek.txt");
  Editor.NewTextFile("");
  EXPECT_FALSE(Editor.ReadOnly());
  Editor.SetReadOnly(true);
  Load("ok\n");
  EXPECT_TRUE(Editor.ReadOnly());
}

TEST_F(TextFileEditorFormat, NewTextsTakeThePlatformsFormatAndSaveAsKeepsTheFilesFormat) {
  Load(
      "\xEF\xBB\xBF"
      "a\r\n");
  EXPECT_EQ(Editor.TextFormat(),
            (TTextFormat{TEncoding::enUtf8, TLineEnd::leCrLf, TByteOrderMark::bomPresent}));
  Editor.SetFileName(Dir.File("other.txt"));
  EXPECT_EQ(Saved("other.txt"),
            "\xEF\xBB\xBF"
            "a\r\n");

  Editor.NewTextFile(Dir.File("new.txt"));
  EXPECT_EQ(Editor.TextFormat(), PlatformTextFormat());
  Editor.ProcessCommand(ccTypeChar, 0xE0);
  EXPECT_EQ(Saved("new.txt"), (kPlatformUtf8 ? "\xC3\xA0" : "\xE0") + kPlatformEol);

  // A format chosen by the window is the one saved.
  Editor.SetTextFormat({TEncoding::enWindows1252, TLineEnd::leCrLf, TByteOrderMark::bomNone});
  EXPECT_EQ(Saved("new.txt"), "\xE0\r\n");
}

}  // namespace
}  // namespace quilmo::test
