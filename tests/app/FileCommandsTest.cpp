// The file commands' prompt flows against a window that answers as scripted and records what
// it was told; files in a temporary folder, failures through a faulty file system.

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "app/FileCommands.h"
#include "app/History.h"
#include "editor/TextFileEditor.h"
#include "engine/FileError.h"
#include "support/EditorDoc.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using TNames = std::vector<std::string>;
using test::TFsOp;

class TFakeWindow : public TFileCommandsWindow {
 public:
  TTextFileEditor& Editor() override { return Doc; }
  TDiscard ConfirmDiscard(bool) override {
    if (!Doc.Modified()) return TDiscard::Unmodified;
    switch (Next()) {
      case TAnswer::Yes: return Commands->Save() ? TDiscard::Saved : TDiscard::Cancelled;
      case TAnswer::No: return TDiscard::Discarded;
      case TAnswer::Cancel: break;
    }
    return TDiscard::Cancelled;
  }
  TNames AskOpenFiles(bool multiple) override {
    Log.push_back(multiple ? "open dialog, several" : "open dialog");
    return Chosen;
  }
  std::string AskSaveFile(const std::string& title, const std::string& fileName) override {
    Log.push_back(title + " [" + fileName + "]");
    return Chosen.empty() ? "" : Chosen.front();
  }
  bool AskPrint(QPrinter&, bool) override { return false; }
  TAnswer AskWarning(const std::string& text, TButtons buttons) override {
    Log.push_back(text);
    WarningButtons.push_back(buttons);
    return Next();
  }
  void Beep() override {}
  bool MultipleOpenings() const override { return Multiple; }
  void SpawnInstance(const std::vector<std::string>& arguments) override {
    std::string line = "spawn";
    for (const std::string& argument : arguments) line += " [" + argument + "]";
    Log.push_back(line);
  }
  bool ClearUndoAfterSave() const override { return Tampon; }
  void DocumentLoaded() override {}
  void ApplyLogStamp() override {}
  bool MayReplaceFile() override { return true; }
  void DocumentSaved() override {}
  void UpdateButtons(bool) override {}
  void SetDocumentCaption(const std::string& name) override { Caption = "Quilmo - " + name; }
  void CopyCaptionToTitle() override {}
  void RefreshEditMenu() override {}
  void RefreshSearchMenu() override {}
  void ClearMarksList() override { ++MarksCleared; }

  TAnswer Next() {
    EXPECT_FALSE(Answers.empty()) << "an unexpected question";
    if (Answers.empty()) return TAnswer::Cancel;
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

  TTextFileEditor Doc;
  TFileCommands* Commands = nullptr;
  std::deque<TAnswer> Answers;  // the modified-document prompt and the warnings, in order
  TNames Chosen;                // what the file dialogs return (empty: cancelled)
  bool Multiple = false;
  bool Tampon = false;
  std::string Caption = "Quilmo";
  int MarksCleared = 0;
  TNames Log;  // dialogs shown, questions asked, copies started
  std::vector<TButtons> WarningButtons;
};

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.Commands = &Commands;
    Window.Doc.SetFileSystem(Fs);
    test::WriteFileBytes(A, "fichier a\r\n");
    test::WriteFileBytes(B, "fichier b\r\n");
    Window.Doc.NewTextFile("Sans titre");
  }
  // A named, modified document: the file A loaded and typed into.
  void EditA() {
    Window.Doc.NewTextFile("Sans titre");
    Window.Chosen = {A};
    Commands.Open();
    Window.Log.clear();
    Window.Doc.InsertString("x");
  }
  std::string Text() { return test::PlainEditorText(Window.Doc); }

  test::TTempDir Dir;
  std::string A = Dir.File("a.txt"), B = Dir.File("b.txt");
  test::TFaultyFileSystem Fs;
  TFakeWindow Window;
  THistory History;
  TFileCommands Commands{Window, History};
};

TEST_F(FileCommandsTest, OpenAfterEachAnswerOfTheModifiedDocumentPrompt) {
  struct TCase {
    TAnswer Answer;
    std::string FileA;  // on disk afterwards
    std::string Doc;
    int MarksCleared;
  } const cases[] = {
      {TAnswer::Yes, "xfichier a\r\n", "fichier b\n", 2},
      {TAnswer::No, "fichier a\r\n", "fichier b\n", 1},
      {TAnswer::Cancel, "fichier a\r\n", "xfichier a\n", 0},
  };
  for (const TCase& c : cases) {
    EditA();
    Window.MarksCleared = 0;
    Window.Answers = {c.Answer};
    Window.Chosen = {B};
    Commands.Open();
    EXPECT_EQ(test::ReadFileBytes(A), c.FileA);
    EXPECT_EQ(Text(), c.Doc);
    EXPECT_EQ(Window.MarksCleared, c.MarksCleared);
    EXPECT_EQ(Window.Caption, c.Answer == TAnswer::Cancel ? "Quilmo - " + A : "Quilmo - " + B);
    EXPECT_EQ(History.Entry(0), c.Answer == TAnswer::Cancel ? A : B);
    test::WriteFileBytes(A, "fichier a\r\n");
  }
}

TEST_F(FileCommandsTest, AFailedSaveInThePromptStopsTheCommand) {
  EditA();
  Fs.FailAt(TFsOp::WriteGathered, Fs.Calls(TFsOp::WriteGathered) + 1, ENOSPC, true);
  for (const auto& command : {&TFileCommands::New, &TFileCommands::Open}) {
    Window.Answers = {TAnswer::Yes};
    Window.Chosen = {B};
    EXPECT_THROW((Commands.*command)(), EFileError);
    EXPECT_EQ(Window.Doc.FileName(), A);
    EXPECT_EQ(Text(), "xfichier a\n");
    EXPECT_TRUE(Window.Doc.Modified());
    EXPECT_EQ(History.Entry(0), A);
    EXPECT_EQ(Window.Log, TNames{}) << "no dialog after the failure";
  }
}

TEST_F(FileCommandsTest, SaveAsCancelledOrFailingChangesNothing) {
  Window.Doc.InsertString("nouveau");
  Commands.Save();  // untitled: Save As, cancelled
  EXPECT_EQ(Window.Log, TNames{"Enregistrer Sans titre Sous []"});
  Fs.FailAt(TFsOp::CreateNew, 1, EACCES, true);
  Window.Chosen = {Dir.File("c.txt")};
  EXPECT_THROW(Commands.SaveAs(), EFileError);
  EXPECT_EQ(Window.Doc.FileName(), "Sans titre");
  EXPECT_EQ(Window.Caption, "Quilmo");
  EXPECT_EQ(History.Entry(0), "");
  EXPECT_TRUE(Window.Doc.Modified());
}

TEST_F(FileCommandsTest, SaveOfADocumentWithoutAFileNameGoesThroughSaveAs) {
  for (const std::string name : {"", "Sans titre", "Sans titre 2"}) {
    Window.Doc.NewTextFile(name);
    Window.Doc.InsertString("texte");
    Window.Log.clear();
    EXPECT_FALSE(Commands.Save()) << name;  // Save As cancelled
    EXPECT_EQ(Window.Log, TNames{"Enregistrer " + name + " Sous []"}) << name;
  }
}

TEST_F(FileCommandsTest, SaveAsNamesTheDocumentAndTamponForgetsTheUndo) {
  for (const bool tampon : {false, true}) {
    Window.Tampon = tampon;
    Window.Doc.InsertString("z");
    Window.Chosen = {Dir.File("c.txt")};
    ASSERT_TRUE(Commands.SaveAs());
    EXPECT_EQ(Window.Doc.CanUndo(), !tampon);
    EXPECT_EQ(Window.Caption, "Quilmo - " + Dir.File("c.txt"));
    Window.Doc.InsertString("z");
    ASSERT_TRUE(Commands.Save());
    EXPECT_EQ(Window.Doc.CanUndo(), !tampon);
  }
  EXPECT_EQ(test::ReadFileBytes(Dir.File("c.txt")), "zzzz\n");  // a new text in the platform's format
  EXPECT_EQ(Window.Log.back(), "Enregistrer " + Dir.File("c.txt") + " Sous [" + Dir.File("c.txt") + "]");
}

TEST_F(FileCommandsTest, MissingHistoryEntryAndEachAnswer) {
  const std::string gone = Dir.File("parti.txt");
  for (const TAnswer answer : {TAnswer::Yes, TAnswer::No, TAnswer::Cancel}) {
    std::filesystem::remove(gone);
    History.Add(A);
    History.Add(gone);
    Window.Answers = {answer};
    Commands.OpenHistoryEntry(0);
    EXPECT_EQ(Window.Log.back(),
              "Le fichier " + gone + " est introuvable, voulez-vous en créer un nouveau ?");
    EXPECT_EQ(std::filesystem::exists(gone), answer == TAnswer::Yes);
    EXPECT_EQ(Window.Doc.FileName(), answer == TAnswer::Yes ? gone : "Sans titre");
    EXPECT_EQ(History.Entry(0), answer == TAnswer::No ? A : gone);
    Window.Doc.NewTextFile("Sans titre");
  }
}

// The file fails before the document changes (the check that it can be opened), or half-way
// through its loading (opened again, a read after some bytes): either way the command stops and
// the document, its name, caption, history and marks are as they were.
TEST_F(FileCommandsTest, AFileThatCannotBeReadLeavesTheDocument) {
  const struct {
    TFsOp Op;
    int Call;  // after the calls made until then
    int Err;
  } failures[] = {
      {TFsOp::OpenRead, 1, EACCES},
      {TFsOp::OpenRead, 2, ENOENT},
      {TFsOp::Read, 1, EIO},
      {TFsOp::Read, 2, EIO},
  };
  const struct {
    const char* Name;
    void (*Run)(TFileCommands&);
  } commands[] = {
      {"Open", [](TFileCommands& c) { c.Open(); }},
      {"history", [](TFileCommands& c) { c.OpenHistoryEntry(1); }},
  };
  for (const auto& command : commands) {
    for (const auto& failure : failures) {
      SCOPED_TRACE(std::string(command.Name) + ", " + test::FsOpName(failure.Op) + " " +
                   std::to_string(failure.Call));
      History.Add(B);
      EditA();
      const std::string caption = Window.Caption;
      Window.MarksCleared = 0;
      Window.Answers = {TAnswer::No};
      Window.Chosen = {B};
      Fs.FailAt(failure.Op, Fs.Calls(failure.Op) + failure.Call, failure.Err);
      EXPECT_THROW(command.Run(Commands), EFileError);
      EXPECT_EQ(Window.Doc.FileName(), A);
      EXPECT_EQ(Text(), "xfichier a\n");
      EXPECT_TRUE(Window.Doc.Modified());
      EXPECT_EQ(Window.Caption, caption);
      EXPECT_EQ(History.Entry(0), A);
      EXPECT_EQ(History.Entry(1), B);
      EXPECT_EQ(Window.MarksCleared, 0);
    }
  }
}

TEST_F(FileCommandsTest, SaveAsksBeforeReplacingAFileChangedOnDisk) {
  for (const TAnswer answer : {TAnswer::No, TAnswer::Yes}) {
    EditA();
    test::WriteFileBytes(A, "autre programme\r\n");
    Window.Answers = {answer};
    EXPECT_EQ(Commands.Save(), answer == TAnswer::Yes);
    EXPECT_EQ(test::ReadFileBytes(A), answer == TAnswer::Yes ? "xfichier a\r\n" : "autre programme\r\n");
    ASSERT_FALSE(Window.WarningButtons.empty());
    EXPECT_EQ(Window.WarningButtons.back(), TButtons::YesNoDefaultNo) << "Enter must not replace the file";
    Window.Doc.SetModified(false);
    test::WriteFileBytes(A, "fichier a\r\n");
  }
}

}  // namespace
}  // namespace quilmo
