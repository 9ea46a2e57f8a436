// The text-file editor: sample files loaded and saved back, line ends, Ctrl-Z, NULs, long
// lines, trailing blanks, backups, the FileName and IsOpen rules, failures of loading and
// saving, new files, appending paragraphs and shared views.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/TextFileEditor.h"
#include "engine/EditorErrors.h"
#include "engine/FileError.h"
#include "engine/TextFileReader.h"
#include "support/FakeHost.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

using Paras = std::vector<std::string>;

Paras TextOf(TCustomEditor& editor) {
  Paras paras;
  for (std::int32_t p = 1; p <= editor.ParaCount(); ++p) {
    const TParaNode* node = editor.ParaList().GetPara(p);
    paras.emplace_back(node->Text(), static_cast<size_t>(node->Length()));
  }
  return paras;
}

std::string Digits(size_t count) {
  std::string s;
  for (size_t i = 0; i < count; ++i) s += static_cast<char>('0' + i % 10);
  return s;
}

class TextFileEditor : public ::testing::Test {
 protected:
  void SetUp() override { Host.Attach(Editor); }

  // Writes the bytes to a file of the temporary folder and loads it.
  TLoadReport LoadBytes(const std::string& bytes, const std::string& name = "in.txt") {
    WriteFileBytes(Dir.File(name), bytes);
    return Editor.LoadTextFile(Dir.File(name));
  }
  // Saves the text and returns the bytes written.
  std::string SavedBytes(const std::string& name = "out.txt") {
    Editor.SaveTextFile(Dir.File(name));
    return ReadFileBytes(Dir.File(name));
  }
  std::string RoundTrip(const std::string& bytes) {
    LoadBytes(bytes);
    return SavedBytes();
  }

  TTempDir Dir;
  TFakeHost Host;
  TTextFileEditor Editor;
};

TEST_F(TextFileEditor, Defaults) {
  EXPECT_EQ(Editor.FileName(), "");
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_FALSE(Editor.MakeBackup());
  EXPECT_EQ(Editor.BackupExt(), "BAK");
  EXPECT_TRUE(Editor.TrimWhiteSpace());
  EXPECT_EQ(Editor.ParaLengthLimit(), 32767);
}

// Every sample file, loaded with the window's setting (trailing blanks kept) and with the
// control's default (removed), saves back to the bytes predicted for it.
TEST_F(TextFileEditor, SampleFilesSaveBackToThePredictedBytes) {
  const std::string digits = Digits(32768);
  struct TCase {
    const char* File;
    Paras Text;                // loaded with TrimWhiteSpace off
    std::string Saved;         // saved from that text
    std::string SavedTrimmed;  // saved after a load with TrimWhiteSpace on ("" = as Saved)
  };
  const std::vector<TCase> cases = {
      {"crlf.txt", {"alpha", "beta", "gamma", ""}, "alpha\r\nbeta\r\ngamma\r\n", ""},
      {"lone-cr.txt", {"alpha", "beta", "", "gamma", ""}, "alpha\r\nbeta\r\n\r\ngamma\r\n", ""},
      {"lone-lf.txt", {"alpha\nbeta", "gamma\n", ""}, "alpha\nbeta\r\ngamma\n\r\n", ""},
      {"ctrl-z.txt", {"alpha", "be", ""}, "alpha\r\nbe\r\n", ""},
      {"nul-chars.txt", {"al pha", " ", "end", ""}, "al pha\r\n \r\nend\r\n", "al pha\r\n\r\nend\r\n"},
      {"no-final-eol.txt", {"alpha", "beta", ""}, "alpha\r\nbeta\r\n", ""},
      {"empty.txt", {""}, "", ""},
      {"line-32767.txt", {digits.substr(0, 32767), "end", ""}, digits.substr(0, 32767) + "\r\nend\r\n", ""},
      {"line-32768.txt",
       {digits.substr(0, 32767), digits.substr(32767), "end", ""},
       digits.substr(0, 32767) + "\r\n" + digits.substr(32767) + "\r\nend\r\n",
       ""},
      {"high8bit.txt", {}, ReadFileBytes(DataFile("high8bit.txt")), ""},
      {"utf8-lf.txt",
       {"caf\xE9 cr\xE8me", "\xE0 la fa\xE7on", "\tl\x92\x9Cuvre \x80", ""},
       ReadFileBytes(DataFile("utf8-lf.txt")),
       ""},
      {"utf8-bom-crlf.txt", {"premi\xE8re", "seconde", ""}, ReadFileBytes(DataFile("utf8-bom-crlf.txt")), ""},
      {"mixed-eol.txt", {"one", "two\nthree", "four", ""}, "one\r\ntwo\nthree\r\nfour\r\n", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.File);
    Editor.SetTrimWhiteSpace(false);
    Editor.LoadTextFile(DataFile(c.File));
    if (!c.Text.empty()) {
      EXPECT_EQ(TextOf(Editor), c.Text);
    }
    EXPECT_EQ(SavedBytes(), c.Saved);
    Editor.SetTrimWhiteSpace(true);
    Editor.LoadTextFile(DataFile(c.File));
    EXPECT_EQ(SavedBytes(), c.SavedTrimmed.empty() ? c.Saved : c.SavedTrimmed);
  }
}

TEST_F(TextFileEditor, CrLfFilesWithoutTabsOrTrailingBlanksComeBackIdentical) {
  for (const char* name : {"crlf.txt", "high8bit.txt", "line-32767.txt"}) {
    SCOPED_TRACE(name);
    Editor.LoadTextFile(DataFile(name));
    EXPECT_EQ(SavedBytes(), ReadFileBytes(DataFile(name)));
    EXPECT_FALSE(Editor.LoadReport().HasWarnings());
    EXPECT_EQ(Editor.LoadReport().LongLineCount, 0u);
  }
}

TEST_F(TextFileEditor, TheLoadReportTellsWhatASaveWouldChange) {
  TLoadReport report = Editor.LoadTextFile(DataFile("ctrl-z.txt"));
  EXPECT_TRUE(report.EndedByCtrlZ);
  EXPECT_EQ(report.BytesAfterCtrlZ, 12u);  // "ta\r\nhidden\r\n"
  EXPECT_TRUE(report.HasWarnings());
  report = Editor.LoadTextFile(DataFile("nul-chars.txt"));
  EXPECT_EQ(report.NulCount, 2u);
  EXPECT_EQ(Editor.LoadReport().NulCount, 2u);
  report = Editor.LoadTextFile(DataFile("line-32768.txt"));
  EXPECT_EQ(report.LongLineCount, 1u);
  EXPECT_EQ(report.LongestLine, 32768u);
  EXPECT_FALSE(report.HasWarnings());
  // The count follows the control's limit.
  Editor.SetParaLengthLimit(4);
  report = Editor.LoadTextFile(DataFile("crlf.txt"));
  EXPECT_EQ(report.LongLineCount, 2u);  // alpha, gamma
  EXPECT_EQ(report.LineCount, 3u);
}

TEST_F(TextFileEditor, LineEndsAndTheLastParagraph) {
  // N lines give N + 1 paragraphs, with or without the final line end.
  EXPECT_EQ(RoundTrip("a\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"a", "b", ""}));
  EXPECT_EQ(RoundTrip("a\r\nb"), "a\r\nb\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"a", "b", ""}));
  // CR CR LF: an empty line between the two.
  EXPECT_EQ(RoundTrip("a\r\r\nb"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"a", "", "b", ""}));
  // A lone LF is a character of the line; a lone CR ends one.
  EXPECT_EQ(RoundTrip("a\nb\rc\n\r\n"), "a\nb\r\nc\n\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"a\nb", "c\n", ""}));
  EXPECT_EQ(RoundTrip(""), "");
  EXPECT_EQ(TextOf(Editor), (Paras{""}));
  EXPECT_EQ(RoundTrip("\r\n"), "\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"", ""}));
}

TEST_F(TextFileEditor, CharactersOnTheWayInAndOut) {
  Editor.SetTrimWhiteSpace(false);
  // Codes 1 to 8 are kept in the text and written as one blank, a TAB as a TAB.
  EXPECT_EQ(RoundTrip("a\tb\x01\x08\x09\r\n"), "a\tb  \t\r\n");
  EXPECT_EQ(TextOf(Editor)[0], "a\tb\x01\x08\x09");
  // A Ctrl-Z in the middle of a line ends the text.
  EXPECT_EQ(RoundTrip("one\r\ntw\x1Ao\r\nthree\r\n"), "one\r\ntw\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"one", "tw", ""}));
  // Every other byte comes back as it was.
  std::string bytes;
  for (int c = 11; c < 256; ++c)
    if (c != 13 && c != 26) bytes += static_cast<char>(c);
  EXPECT_EQ(RoundTrip(bytes + "\r\n"), bytes + "\r\n");
}

TEST_F(TextFileEditor, TrailingBlanksAreRemovedOnlyWithTrimWhiteSpace) {
  EXPECT_EQ(RoundTrip("a   \r\nb \t\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"a", "b", ""}));
  EXPECT_EQ(Editor.ByteCount(), 6);
  Editor.SetTrimWhiteSpace(false);
  EXPECT_EQ(RoundTrip("a   \r\nb \t\r\n"), "a   \r\nb \t\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{"a   ", "b \t", ""}));
}

TEST_F(TextFileEditor, LongLinesAreSplitAfterTheirLastBlankThatFits) {
  Editor.SetParaLengthLimit(100);
  std::string words;
  for (int i = 0; i < 25; ++i) words += "abcdefghi ";
  const std::string letters(150, 'x');
  Editor.SetTrimWhiteSpace(false);
  LoadBytes(words + "\r\n" + letters + "\r\n");
  const Paras kept = TextOf(Editor);
  ASSERT_EQ(kept.size(), 6u);
  EXPECT_EQ(kept[0], words.substr(0, 100));
  EXPECT_EQ(kept[1], words.substr(100, 100));
  EXPECT_EQ(kept[2], words.substr(200, 50));
  EXPECT_EQ(kept[3], letters.substr(0, 100));
  EXPECT_EQ(kept[4], letters.substr(100));
  EXPECT_EQ(SavedBytes(), words.substr(0, 100) + "\r\n" + words.substr(100, 100) + "\r\n" +
                              words.substr(200) + "\r\n" + letters.substr(0, 100) + "\r\n" +
                              letters.substr(100) + "\r\n");
  EXPECT_EQ(Editor.LoadReport().LongLineCount, 2u);

  Editor.SetTrimWhiteSpace(true);
  LoadBytes(words + "\r\n");
  EXPECT_EQ(TextOf(Editor), (Paras{words.substr(0, 99), words.substr(100, 99), words.substr(200, 49), ""}));
  // A piece may not start with the blank that ended the previous one: the split is after it.
  Editor.SetTrimWhiteSpace(false);
  LoadBytes(std::string(99, 'a') + "  " + std::string(10, 'b'));
  EXPECT_EQ(TextOf(Editor), (Paras{std::string(99, 'a') + " ", " " + std::string(10, 'b'), ""}));
}

TEST_F(TextFileEditor, BackupKeepsThePreviousVersionUnlessItsNameIsTheFileName) {
  Editor.SetMakeBackup(true);
  WriteFileBytes(Dir.File("notes.txt"), "old\r\n");
  Editor.LoadTextFile(Dir.File("notes.txt"));
  Editor.InsertString("new ");
  Editor.SaveTextFile(Dir.File("notes.txt"));
  EXPECT_EQ(ReadFileBytes(Dir.File("notes.txt")), "new old\r\n");
  EXPECT_EQ(ReadFileBytes(Dir.File("notes.BAK")), "old\r\n");

  // The extension already is the backup extension: no backup at all.
  WriteFileBytes(Dir.File("copy.BAK"), "first\r\n");
  Editor.LoadTextFile(Dir.File("copy.BAK"));
  Editor.InsertString("x");
  Editor.SaveTextFile(Dir.File("copy.BAK"));
  EXPECT_EQ(ReadFileBytes(Dir.File("copy.BAK")), "xfirst\r\n");
  EXPECT_EQ(FolderEntries(Dir.Path()), (std::vector<std::string>{"copy.BAK", "notes.BAK", "notes.txt"}));

  // Another extension of our choice; without MakeBackup nothing is kept.
  Editor.SetBackupExt("old");
  Editor.SaveTextFile(Dir.File("notes.txt"));
  EXPECT_EQ(ReadFileBytes(Dir.File("notes.old")), "new old\r\n");
  Editor.SetMakeBackup(false);
  Editor.SaveTextFile(Dir.File("copy.BAK"));
  EXPECT_EQ(FolderEntries(Dir.Path()),
            (std::vector<std::string>{"copy.BAK", "notes.BAK", "notes.old", "notes.txt"}));
}

#ifdef _WIN32
// The Windows rules: the system drops a trailing "." and ignores letter case.
TEST_F(TextFileEditor, FileNameDropsOneTrailingDotAndIgnoresCase) {
  Editor.SetFileName("name.");
  EXPECT_EQ(Editor.FileName(), "name");
  Editor.SetFileName("a..");
  EXPECT_EQ(Editor.FileName(), "a.");
  Editor.SetFileName(".");
  EXPECT_EQ(Editor.FileName(), ".");

  LoadBytes("text\r\n", "doc.txt");
  ASSERT_TRUE(Editor.IsOpen());
  EXPECT_EQ(Editor.FileName(), Dir.File("doc.txt"));
  // The same name in other letters, or with a trailing dot: still open, text kept.
  Editor.SetFileName(Dir.File("DOC.TXT"));
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{"text", ""}));
  // The spelling given is kept, so that a save goes where the user said.
  EXPECT_EQ(Editor.FileName(), Dir.File("DOC.TXT"));
  Editor.SetFileName(Dir.File("doc.txt."));
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(Editor.FileName(), Dir.File("doc.txt"));
  // Another name: no longer open, the text stays.
  Editor.SetFileName(Dir.File("other.txt"));
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{"text", ""}));

  // LoadTextFile and SaveTextFile use the name as FileName keeps it.
  WriteFileBytes(Dir.File("dotted"), "d\r\n");
  Editor.LoadTextFile(Dir.File("dotted."));
  EXPECT_EQ(Editor.FileName(), Dir.File("dotted"));
  EXPECT_EQ(TextOf(Editor), (Paras{"d", ""}));
  Editor.SaveTextFile(Dir.File("saved."));
  EXPECT_EQ(ReadFileBytes(Dir.File("saved")), "d\r\n");
}
#else
// Names that differ in letter case or by a trailing "." are other files: each one opened shows
// its own text, and a save writes that file and no other.
TEST_F(TextFileEditor, NamesAreKeptAndComparedAsTheyAre) {
  const std::vector<std::string> names = {"a.txt", "A.txt", "notes", "notes.", "only."};
  for (const std::string& name : names) WriteFileBytes(Dir.File(name), name + "\n");
  for (const char* open : {"a.txt", "A.txt", "a.txt", "notes.", "notes", "only."}) {
    Editor.OpenTextFile(Dir.File(open));
    Editor.InsertString("+");
    Editor.SaveTextFile(Editor.FileName());
    EXPECT_EQ(Editor.FileName(), Dir.File(open));
    for (const std::string& name : names)
      EXPECT_EQ(ReadFileBytes(Dir.File(name)), (name == open ? "+" : "") + name + "\n")
          << open << ": " << name;
    WriteFileBytes(Dir.File(open), std::string(open) + "\n");
  }
  EXPECT_EQ(FolderEntries(Dir.Path()),
            (std::vector<std::string>{"A.txt", "a.txt", "notes", "notes.", "only."}));
  Editor.SetFileName(Dir.File("A.txt"));  // another file: no longer open
  EXPECT_FALSE(Editor.IsOpen());
}
#endif

TEST_F(TextFileEditor, IsOpenLoadsAndClears) {
  WriteFileBytes(Dir.File("f.txt"), "one\r\ntwo\r\n");
  Editor.SetIsOpen(true);  // no name: nothing
  EXPECT_FALSE(Editor.IsOpen());
  Editor.SetFileName(Dir.File("f.txt"));
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{""}));
  Editor.SetIsOpen(true);
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{"one", "two", ""}));
  // Unchanged: no reload.
  Editor.InsertString("x");
  Editor.SetIsOpen(true);
  EXPECT_EQ(TextOf(Editor), (Paras{"xone", "two", ""}));
  Editor.SetIsOpen(false);
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{""}));
  EXPECT_FALSE(Editor.Modified());
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Editor.FileName(), Dir.File("f.txt"));
}

TEST_F(TextFileEditor, LoadingStartsAFreshTextAtTheTop) {
  Host.Focus();
  std::string many;
  for (int i = 1; i <= 50; ++i) many += "line " + std::to_string(i) + "\r\n";
  LoadBytes(many);
  Editor.SetCaretPosition(40, 3);
  Editor.SetTopLine(30);
  Editor.InsertString("edit");
  ASSERT_TRUE(Editor.Modified());
  Host.ClearRecords();
  LoadBytes("a\r\nb\r\n");
  EXPECT_EQ(Editor.TopLine(), 1);
  EXPECT_EQ(Editor.CaretLine(), 1);
  EXPECT_EQ(Editor.CaretCol(), 1);
  EXPECT_FALSE(Editor.HasSelection());
  EXPECT_FALSE(Editor.Modified());
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Host.BusyCalls, (std::vector<bool>{true, false}));
  EXPECT_GT(Host.InvalidateCount, 0);
  ASSERT_TRUE(Host.VBar.Info.has_value());
  EXPECT_EQ(Host.VBar.Info->Max, 3);  // the scroll range follows the new text
  ASSERT_FALSE(Host.Posted.empty());  // the caret was placed
  EXPECT_EQ(Host.Posted.back(), (std::pair<int, int>{1, 1}));
  // Loading is not an edit: typing then undoing leaves the loaded text unmodified.
  Editor.InsertString("z");
  Editor.Undo();
  EXPECT_EQ(TextOf(Editor), (Paras{"a", "b", ""}));
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(TextFileEditor, AFileThatCannotBeOpenedChangesNothing) {
  Editor.InsertString("typed");
  EXPECT_THROW(Editor.LoadTextFile(Dir.File("missing.txt")), EFileError);
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_EQ(Editor.FileName(), "");
  EXPECT_EQ(TextOf(Editor), (Paras{"typed"}));
  EXPECT_EQ(Host.BusyCalls, (std::vector<bool>{true, false}));
  try {
    Editor.LoadTextFile(Dir.File("missing.txt"));
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(Dir.File("missing.txt")), std::string::npos) << e.what();
    EXPECT_EQ(e.ErrorCode(), ENOENT);
  }
  // An open text stays open when its file is gone.
  LoadBytes("content\r\n", "gone.txt");
  ASSERT_TRUE(Editor.IsOpen());
  std::filesystem::remove(Dir.File("gone.txt"));
  EXPECT_THROW(Editor.LoadTextFile(Dir.File("gone.txt")), EFileError);
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{"content", ""}));
}

// Every read of the file, and every opening of it (a second pass opens it again), fails in
// turn: the document shown before must come through whole, with its name, state and format.
TEST_F(TextFileEditor, AFailedLoadLeavesTheDocumentAsItWas) {
  // Lines ended by LF over more than one read, then a CR: the file is read a second time.
  std::string bytes;
  while (bytes.size() < 3 * TTextFileReader::DefaultBlockSize) bytes += "ligne " + Digits(40) + "\n";
  bytes += "fin\r\n";
  WriteFileBytes(Dir.File("new.txt"), bytes);
  TTextFileEditor reference;
  reference.LoadTextFile(Dir.File("new.txt"));
  const struct {
    TFsOp Op;
    int Err;
  } failures[] = {{TFsOp::Read, EIO}, {TFsOp::OpenRead, ENOENT}, {TFsOp::Close, EIO}};
  for (const auto& failure : failures) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(FsOpName(failure.Op)) + " call " + std::to_string(n));
      TFakeHost host;
      TTextFileEditor editor;
      host.Attach(editor);
      WriteFileBytes(Dir.File("old.txt"), "ancien\r\ntexte\r\n");
      editor.LoadTextFile(Dir.File("old.txt"));
      editor.SetCaretPosition(2, 3);
      editor.InsertString("x");
      const TTextFormat format = editor.TextFormat();
      TFaultyFileSystem faulty;
      faulty.FailAt(failure.Op, n, failure.Err);
      editor.SetFileSystem(faulty);
      host.ClearRecords();
      try {
        editor.LoadTextFile(Dir.File("new.txt"));
      } catch (const EFileError& e) {
        EXPECT_EQ(e.ErrorCode(), failure.Err);
      }
      const int opened =
          faulty.Calls(TFsOp::OpenRead) - (failure.Op == TFsOp::OpenRead && faulty.Triggered() ? 1 : 0);
      EXPECT_EQ(faulty.Calls(TFsOp::Close), opened) << "a file was left open";
      EXPECT_EQ(host.BusyCalls, (std::vector<bool>{true, false}));
      if (!faulty.Triggered() || failure.Op == TFsOp::Close) {
        // A failed close of a file only read loses nothing.
        EXPECT_EQ(editor.FileName(), Dir.File("new.txt"));
        EXPECT_EQ(TextOf(editor), TextOf(reference));
        if (!faulty.Triggered()) break;
        continue;
      }
      EXPECT_EQ(editor.FileName(), Dir.File("old.txt"));
      EXPECT_TRUE(editor.IsOpen());
      EXPECT_EQ(TextOf(editor), (Paras{"ancien", "texxte", ""}));
      EXPECT_TRUE(editor.Modified());
      EXPECT_EQ(editor.CaretLine(), 2);
      EXPECT_EQ(editor.CaretCol(), 4);
      EXPECT_TRUE(editor.TextFormat() == format);
      EXPECT_EQ(editor.LoadReport().LineCount, 2U);
      ASSERT_TRUE(editor.CanUndo());
      editor.Undo();
      EXPECT_EQ(TextOf(editor), (Paras{"ancien", "texte", ""}));
      EXPECT_FALSE(editor.Modified());
    }
  }
}

TEST_F(TextFileEditor, ALimitStopsTheLoadWithItsMessage) {
  const std::string lines = "aaaaaaaaaa\r\nbbbbbbbbbb\r\ncccccccccc\r\n";
  Editor.SetByteLimit(30);  // two lines of 10 + 2
  try {
    LoadBytes(lines);
    ADD_FAILURE() << "no error";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, 0);
    EXPECT_STREQ(e.what(), "Current operation will exceed the maximum text size");
  }
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{""}));  // nothing of the file
  EXPECT_EQ(Host.BusyCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(Editor.CaretLine(), 1);

  Editor.SetByteLimit(kMaxInt32);
  Editor.SetParaLimit(2);
  try {
    LoadBytes(lines);
    ADD_FAILURE() << "no error";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, 0);
    EXPECT_STREQ(e.what(), "Current operation will exceed the maximum number of allowed paragraphs");
  }

  // An open text stays as it was.
  Editor.SetParaLimit(kMaxInt32);
  LoadBytes("ok\r\n");
  ASSERT_TRUE(Editor.IsOpen());
  Editor.SetByteLimit(30);
  EXPECT_THROW(LoadBytes(lines), EEditorError);
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(TextOf(Editor), (Paras{"ok", ""}));
}

TEST_F(TextFileEditor, AFailedSaveKeepsModifiedAndTheFile) {
  LoadBytes("keep me\r\n", "doc.txt");
  Editor.InsertString("changed ");
  TFaultyFileSystem faulty;
  faulty.FailAt(TFsOp::WriteGathered, 1, ENOSPC);
  Editor.SetFileSystem(faulty);
  Host.ClearRecords();
  try {
    Editor.SaveTextFile(Dir.File("doc.txt"));
    ADD_FAILURE() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(Dir.File("doc.txt")), std::string::npos) << e.what();
    EXPECT_EQ(e.ErrorCode(), ENOSPC);
  }
  EXPECT_TRUE(faulty.Triggered());
  EXPECT_TRUE(Editor.Modified());
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(Host.BusyCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(ReadFileBytes(Dir.File("doc.txt")), "keep me\r\n");
  EXPECT_EQ(FolderEntries(Dir.Path()), (std::vector<std::string>{"doc.txt"}));

  // The next try succeeds: Modified is cleared, and undoing past the save sets it again.
  Editor.SaveTextFile(Dir.File("doc.txt"));
  EXPECT_EQ(ReadFileBytes(Dir.File("doc.txt")), "changed keep me\r\n");
  EXPECT_FALSE(Editor.Modified());
  EXPECT_TRUE(Editor.IsOpen());
  EXPECT_EQ(Editor.FileName(), Dir.File("doc.txt"));
  Editor.Undo();
  EXPECT_TRUE(Editor.Modified());

  // An empty name saves nothing.
  Editor.SaveTextFile("");
  EXPECT_EQ(FolderEntries(Dir.Path()), (std::vector<std::string>{"doc.txt"}));
}

TEST_F(TextFileEditor, SavingUnderAnotherNameLeavesFileNameAndIsOpen) {
  LoadBytes("x\r\n", "a.txt");
  Editor.SaveTextFile(Dir.File("b.txt"));
  EXPECT_EQ(ReadFileBytes(Dir.File("b.txt")), "x\r\n");
  EXPECT_EQ(Editor.FileName(), Dir.File("a.txt"));
  EXPECT_TRUE(Editor.IsOpen());
}

TEST_F(TextFileEditor, NewTextFileStartsEmptyAndUnopened) {
  LoadBytes("text\r\n", "a.txt");
  Editor.InsertString("more");
  Editor.NewTextFile(Dir.File("a.txt"));
  EXPECT_EQ(TextOf(Editor), (Paras{""}));
  EXPECT_FALSE(Editor.Modified());
  EXPECT_FALSE(Editor.CanUndo());
  // The empty text is not the file's content, so IsOpen goes off even for the same name,
  // and opening the file again loads it.
  EXPECT_FALSE(Editor.IsOpen());
  EXPECT_EQ(Editor.FileName(), Dir.File("a.txt"));
  Editor.SetIsOpen(true);
  EXPECT_EQ(TextOf(Editor), (Paras{"text", ""}));
  Editor.NewTextFile("Sans titre");
  EXPECT_EQ(Editor.FileName(), "Sans titre");
  EXPECT_FALSE(Editor.IsOpen());
  // A new file saved at once is an empty file.
  Editor.NewTextFile(Dir.File("new.txt"));
  Editor.SaveTextFile(Editor.FileName());
  EXPECT_EQ(ReadFileBytes(Dir.File("new.txt")), "");
}

TEST_F(TextFileEditor, AppendParaAddsInFrontOfTheLastParagraphAndCaretsFollow) {
  TFakeHost secondHost;
  TTextFileEditor second;
  secondHost.Attach(second);
  LoadBytes("first\r\nlast");
  second.Attach(Editor);
  Editor.SetCaretPosition(3, 1);          // the empty last paragraph
  second.SetSelection(2, 2, 2, 4, true);  // "as" of "last"
  EXPECT_EQ(Editor.AppendPara("new"), 0);
  EXPECT_EQ(TextOf(Editor), (Paras{"first", "last", "new", ""}));
  EXPECT_EQ(Editor.CaretPara(), 4);
  EXPECT_EQ(second.SelStart(), (TParaPos{2, 2}));
  EXPECT_FALSE(Editor.CanUndo());

  // A long text is split as loading splits a line; the selection in the last paragraph keeps
  // its place through every piece.
  Editor.SetTrimWhiteSpace(false);
  Editor.SetParaLengthLimit(10);
  Editor.InsertString("tail end");
  second.SetSelection(4, 2, 4, 6, true);  // "ail " of "tail end"
  EXPECT_EQ(Editor.AppendPara("aaaa bbbb cccc"), 0);
  EXPECT_EQ(TextOf(Editor), (Paras{"first", "last", "new", "aaaa bbbb ", "cccc", "tail end"}));
  EXPECT_EQ(second.SelStart(), (TParaPos{6, 2}));
  EXPECT_EQ(second.SelEnd(), (TParaPos{6, 6}));
  EXPECT_EQ(Editor.CaretParaPos(), (TParaPos{6, 9}));
  // A NUL ends the text; limits are reported as codes.
  EXPECT_EQ(Editor.AppendPara(std::string("ab\0cd", 5)), 0);
  EXPECT_EQ(TextOf(Editor)[5], "ab");
  Editor.SetByteLimit(Editor.ByteCount() + 5);
  EXPECT_EQ(Editor.AppendPara("abcd"), ErrTextTooLarge);
  EXPECT_EQ(Editor.ParaCount(), 7);
}

TEST_F(TextFileEditor, AnAttachedViewTakesTheFileName) {
  LoadBytes("shared\r\n", "s.txt");
  TTextFileEditor second;
  second.SetFileName(Dir.File("mine.txt"));
  second.Attach(Editor);
  EXPECT_EQ(second.FileName(), Dir.File("s.txt"));
  EXPECT_TRUE(second.IsOpen());
  EXPECT_EQ(TextOf(second), (Paras{"shared", ""}));
  // From a plain editor control there is no name to take.
  TCustomEditor plain;
  second.Attach(plain);
  EXPECT_EQ(second.FileName(), Dir.File("s.txt"));
}

}  // namespace
}  // namespace quilmo::test
