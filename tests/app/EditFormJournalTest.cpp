// The window keeps a recovery journal of its document while it has unsaved changes, starts it
// again for every document it takes, and removes it when the document is saved or closed. At
// start it offers back every journal left by copies that died.

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "FormFixture.h"
#include "app/EditForm.h"
#include "app/JournalKeeper.h"
#include "app/Recovery.h"
#include "editor/TextFileEditor.h"
#include "engine/JournalFormat.h"
#include "support/EditorDoc.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

class EditFormJournalTest : public FormFixture {
 protected:
  EditFormJournalTest() { JournalFolder = TempFile("journaux"); }

  // The journal's file once what was typed is written out, or an empty name.
  QString Written(TEditForm& form) {
    TJournalKeeper* journal = form.Journal();
    if (journal == nullptr || !journal->FlushNow()) return {};
    return QFile::exists(journal->JournalPath()) ? journal->JournalPath() : QString();
  }

  // The journal of a copy that died after typing `typed` at the start of `file`; its path.
  QString DeadJournal(const QString& file, const std::string& typed, int number) {
    TTextFileEditor editor;
    // No file: an untitled document.
    if (!file.isEmpty()) editor.LoadTextFile(file.toStdString());
    TJournalKeeper keeper(TempFile("elsewhere"));
    keeper.Begin(editor.ParaList(), file);
    editor.InsertString(typed);
    EXPECT_TRUE(keeper.FlushNow());
    const QString dead = JournalFolder + QString("/kel-%1-1.journal").arg(number);
    WriteFileBytes(dead.toStdString(), ReadFileBytes(keeper.JournalPath().toStdString()));
    return dead;
  }
};

TEST_F(EditFormJournalTest, TypingIsJournaledUntilTheDocumentIsClosed) {
  struct TRow {
    const char* Label;
    QStringList Args;
    TAnswer Close;
  };
  const QString file = MakeFile("a.txt", "texte\n");
  const TRow rows[] = {
      {"untitled, changes discarded", {}, TAnswer::No},
      {"named file, changes saved", {file}, TAnswer::Yes},
  };
  for (const TRow& row : rows) {
    TEditForm& form = Start(row.Args);
    EXPECT_TRUE(Written(form).isEmpty()) << row.Label << ": nothing to keep before a change";
    form.Editor1().InsertString("abc");
    const QString journal = Written(form);
    ASSERT_FALSE(journal.isEmpty()) << row.Label;
    Prompter.Answers = {row.Close};
    Stop();
    EXPECT_FALSE(QFile::exists(journal)) << row.Label;
  }
  EXPECT_EQ(ReadFileBytes(file.toStdString()), "abctexte\n");
}

TEST_F(EditFormJournalTest, TestsWithoutAFolderKeepNoJournal) {
  JournalFolder.clear();
  EXPECT_EQ(Start().Journal(), nullptr);
}

// Four copies died with changes: each is offered in turn; the first recovered goes into this
// window, the second into a new copy started for it, the third is kept, the fourth discarded.
TEST_F(EditFormJournalTest, EveryOrphanIsOfferedAndEachAnswerIsFollowed) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  const char* names[] = {"a", "b", "c", "d"};
  QStringList files;
  QStringList journals;
  for (int i = 0; i < 4; ++i) {
    files << MakeFile(std::string(names[i]) + ".txt", "texte\r\n");
    journals << DeadJournal(files.back(), names[i], i);
  }
  Prompter.Choices = {0, 0, 1, 2};
  // No new window comes over the questions still to answer.
  Starter.WhenStarting = [&] { EXPECT_EQ(Prompter.Asked.size(), 4u); };
  TEditForm& form = Start();
  Starter.WhenStarting = nullptr;
  ASSERT_EQ(Prompter.Asked.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(Prompter.Asked[i].Text.contains("« " + files[i] + " »"))
        << Prompter.Asked[i].Text.toStdString();
    EXPECT_EQ(Prompter.Asked[i].Caption, QString("Récupération (%1 sur 4)").arg(i + 1));
  }
  EXPECT_EQ(PlainEditorText(form.Editor1()), "atexte\n");
  EXPECT_TRUE(form.Editor1().Modified());
  EXPECT_EQ(form.windowTitle(), "Quilmo - " + files[0]);
  ASSERT_EQ(Starter.Started.size(), 1u);
  EXPECT_EQ(Starter.Started[0], RecoveryArguments(journals[1]));
  const bool left[] = {false, true, true, false};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(QFile::exists(journals[i]), left[i]) << names[i];
    EXPECT_EQ(ReadFileBytes(files[i].toStdString()), "texte\r\n") << "the file on disk waits for a save";
  }

  // The copy started for the second one recovers it without asking, and nothing else.
  Prompter.Answers = {TAnswer::No};
  Stop();
  TEditForm& copy = Start(Starter.Started[0]);
  EXPECT_EQ(Prompter.Asked.size(), 5u);  // the close of the first window only
  EXPECT_EQ(PlainEditorText(copy.Editor1()), "btexte\n");
  EXPECT_EQ(copy.windowTitle(), "Quilmo - " + files[1]);
  EXPECT_FALSE(QFile::exists(journals[1]));
  EXPECT_TRUE(QFile::exists(journals[2]));

  // The one kept comes back at the next start, alone.
  Prompter.Answers = {TAnswer::No};
  Stop();
  Prompter.Choices = {1};
  Start();
  ASSERT_EQ(Prompter.Asked.size(), 7u);
  EXPECT_EQ(Prompter.Asked[6].Caption, "Récupération");
  EXPECT_TRUE(Prompter.Asked[6].Text.contains(files[2]));
  EXPECT_TRUE(QFile::exists(journals[2]));
}

// A recovery that cannot reach a new copy, or a copy whose journal is held elsewhere, loses
// nothing: the journal stays for a later start.
TEST_F(EditFormJournalTest, AJournalThatCannotBeRecoveredNowIsKept) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  const QString first = DeadJournal(MakeFile("a.txt", "x\n"), "1", 0);
  const QString second = DeadJournal(MakeFile("b.txt", "y\n"), "2", 1);
  Starter.Succeeds = false;
  Prompter.Choices = {0, 0};
  Start();
  ASSERT_EQ(Starter.Started.size(), 1u);
  ASSERT_EQ(Prompter.Shown.size(), 1u);
  EXPECT_TRUE(Prompter.Shown[0].Text.contains("gardées")) << Prompter.Shown[0].Text.toStdString();
  EXPECT_FALSE(QFile::exists(first));
  EXPECT_TRUE(QFile::exists(second));

  // Held by a running copy: the copy started for it opens an empty window and says nothing.
  Prompter.Answers = {TAnswer::No};
  Stop();
  std::vector<TOrphanJournal> held = FindOrphanJournals(JournalFolder);
  ASSERT_EQ(held.size(), 1u);
  TEditForm& copy = Start(RecoveryArguments(second));
  EXPECT_TRUE(copy.IsUntitled());
  EXPECT_EQ(copy.Editor1().ByteCount(), 0u);
  EXPECT_EQ(Prompter.Shown.size(), 1u);
  EXPECT_TRUE(QFile::exists(second));
}

// A copy started to recover a path that is not one of the program's journals, or a journal
// that cannot be read, says so and removes nothing.
TEST_F(EditFormJournalTest, RecoveringWhatIsNotAJournalTouchesNothing) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  const QString damaged = JournalFolder + "/kel-5-5.journal";
  WriteFileBytes(damaged.toStdString(), "precious\n");
  const QString cases[][3] = {{MakeFile("v.txt", "precious\n"), "n'est pas un journal", TempFile("v.txt")},
                              {damaged, "endommagé", damaged + ".endommage"}};
  for (const auto& [path, told, kept] : cases) {
    Prompter.Shown.clear();
    EXPECT_TRUE(Start(RecoveryArguments(path)).IsUntitled());
    ASSERT_EQ(Prompter.Shown.size(), 1u);
    EXPECT_TRUE(Prompter.Shown[0].Text.contains(told)) << Prompter.Shown[0].Text.toStdString();
    EXPECT_EQ(ReadFileBytes(kept.toStdString()), "precious\n");
    EXPECT_FALSE(QFile::exists(TJournalKeeper::LockPath(path)));
    Stop();
  }
}

// Another program changed the file after the copy died: the question says so, and the first
// save of the recovered text asks before it replaces the file, as it does without a crash.
TEST_F(EditFormJournalTest, AFileChangedSinceIsNotReplacedWithoutAsking) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  const struct {
    const char* Name;
    std::string Outside;  // the file after the crash
    bool Asked;
    TAnswer Answer;
    std::string Left;  // the file after the save
  } cases[] = {
      {"unchanged", "texte\n", false, TAnswer::Yes, "Xtexte\n"},
      {"changed, kept", "autre\n", true, TAnswer::No, "autre\n"},
      {"changed, replaced", "autre\n", true, TAnswer::Yes, "Xtexte\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString file = MakeFile("a.txt", "texte\n");
    DeadJournal(file, "X", 0);
    WriteFileBytes(file.toStdString(), c.Outside);
    Prompter.Asked.clear();
    Prompter.Choices = {0};
    TEditForm& form = Start();
    ASSERT_EQ(Prompter.Asked.size(), 1u);
    EXPECT_EQ(Prompter.Asked[0].Text.contains("modifié par un autre programme"), c.Asked);
    EXPECT_EQ(PlainEditorText(form.Editor1()), "Xtexte\n");
    Prompter.Answers = {c.Answer};
    form.Save1Click();
    ASSERT_EQ(Prompter.Asked.size(), c.Asked ? 2u : 1u);
    if (c.Asked) {
      EXPECT_TRUE(Prompter.Asked[1].Text.contains("modifié par un autre programme"));
    }
    EXPECT_EQ(ReadFileBytes(file.toStdString()), c.Left);
    Prompter.Answers = {TAnswer::No};
    Stop();
  }
}

// A file with unsaved changes in another running copy (its journal locked) is opened only when
// the user says so; a journal whose copy died, or of another file, asks nothing.
TEST_F(EditFormJournalTest, AFileEditedInAnotherCopyIsOpenedOnlyWhenTheUserSaysSo) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  const QString file = MakeFile("a.txt", "texte\n");
  const struct {
    const char* Name;
    bool OpenMenu;   // else the command line
    QString Edited;  // the file the other copy edits
    bool Running;    // the other copy still runs
    TAnswer Answer;  // to the question, when asked
  } cases[] = {
      {"command line, no", false, file, true, TAnswer::No},
      {"command line, yes", false, file, true, TAnswer::Yes},
      {"open menu, no", true, file, true, TAnswer::No},
      {"copy that died", false, file, false, TAnswer::No},
      {"another file", true, MakeFile("b.txt", "autre\n"), true, TAnswer::No},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTextFileEditor editor;
    editor.LoadTextFile(c.Edited.toStdString());
    auto copy = std::make_unique<TJournalKeeper>(JournalFolder);
    copy->Begin(editor.ParaList(), c.Edited);
    editor.InsertString("X");
    ASSERT_TRUE(copy->FlushNow());
    const QString journal = copy->JournalPath();
    const std::string bytes = ReadFileBytes(journal.toStdString());
    // A copy that died leaves its journal without its lock; it is kept for later here.
    if (!c.Running) copy.reset();
    WriteFileBytes(journal.toStdString(), bytes);
    Prompter.Choices = {1};
    Prompter.Asked.clear();
    Prompter.Answers = {c.Answer};
    TEditForm& form = Start(c.OpenMenu ? QStringList{} : QStringList{file});
    Prompter.OpenNames = {{file}};
    if (c.OpenMenu) form.Open1Click();
    const bool asked = c.Running && c.Edited == file;
    EXPECT_EQ(std::count_if(Prompter.Asked.begin(), Prompter.Asked.end(),
                            [](const auto& q) { return q.Text.contains("ouvert dans une autre fenêtre"); }),
              asked ? 1 : 0);
    const bool opened = !asked || c.Answer == TAnswer::Yes;
    EXPECT_EQ(PlainEditorText(form.Editor1()), opened ? "texte\n" : "");
    Stop();
    copy.reset();
    QFile::remove(journal);
  }
}

// `Kel f.txt` after a crash while f.txt was edited: its journal's changes go into this window
// over the file's text, unsaved; other journals keep their own rules and "Plus tard" and
// "Supprimer" their meaning.
TEST_F(EditFormJournalTest, TheJournalOfTheFileOpenedAtStartIsRecoveredInThisWindow) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  const struct {
    const char* Name;
    const char* JournalOf;  // "f", "g" (another file) or "" (an untitled document)
    int Choice;
    std::string Outside;  // f.txt after the crash
    std::string Shown;
    bool NewCopy;
    bool JournalLeft;
    bool SaveAsks;  // the first save asks before it replaces the file
  } cases[] = {
      {"recovered here", "f", 0, "texte\n", "Xtexte\n", false, false, false},
      {"changed since, recovered here", "f", 0, "autre\n", "Xtexte\n", false, false, true},
      {"kept for later", "f", 1, "texte\n", "texte\n", false, true, false},
      {"discarded", "f", 2, "texte\n", "texte\n", false, false, false},
      {"another file", "g", 0, "texte\n", "texte\n", true, true, false},
      {"an untitled document", "", 0, "texte\n", "texte\n", true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString file = MakeFile("f.txt", "texte\n");
    const QString other = MakeFile("g.txt", "texte\n");
    const QString of = std::string(c.JournalOf) == "f" ? file : std::string(c.JournalOf) == "g" ? other : "";
    const QString journal = DeadJournal(of, "X", 0);
    WriteFileBytes(file.toStdString(), c.Outside);
    Starter.Started.clear();
    Prompter.Asked.clear();
    Prompter.Choices = {c.Choice};
    TEditForm& form = Start({file});
    ASSERT_EQ(Prompter.Asked.size(), 1u);
    EXPECT_EQ(PlainEditorText(form.Editor1()), c.Shown);
    EXPECT_EQ(form.Editor1().Modified(), c.Shown != c.Outside);
    EXPECT_EQ(form.windowTitle(), "Quilmo - " + file);
    EXPECT_EQ(Starter.Started.size(), c.NewCopy ? 1u : 0u);
    EXPECT_EQ(QFile::exists(journal), c.JournalLeft);
    EXPECT_EQ(ReadFileBytes(file.toStdString()), c.Outside) << "the file on disk waits for a save";
    form.Editor1().SetCaretPosition(1, 1);
    form.Editor1().InsertString("Y");
    EXPECT_FALSE(Written(form).isEmpty()) << "the window journals its document";
    Prompter.Answers = {TAnswer::Yes};
    form.Save1Click();
    EXPECT_EQ(Prompter.Asked.size(), c.SaveAsks ? 2u : 1u);
    EXPECT_EQ(ReadFileBytes(file.toStdString()), "Y" + c.Shown);
    Stop();
    QFile::remove(journal);
  }
}

// The file changed since and was too large for the journal to keep a copy: nothing is recovered,
// the journal is kept, and the window still shows the file it opened.
TEST_F(EditFormJournalTest, ARefusedRecoveryLeavesTheFileOpenedAtStart) {
  TJournalKeeper::PrepareFolder(JournalFolder);
  std::string large;
  while (large.size() <= static_cast<std::size_t>(kJournalCopyLimit)) large += "ligne\n";
  const QString file = MakeFile("f.txt", large);
  const QString journal = DeadJournal(file, "X", 0);
  WriteFileBytes(file.toStdString(), "autre\n");
  Prompter.Choices = {0};
  TEditForm& form = Start({file});
  ASSERT_EQ(Prompter.Shown.size(), 1u);
  EXPECT_TRUE(Prompter.Shown[0].Text.contains("n'ont pas été récupérées"));
  EXPECT_EQ(PlainEditorText(form.Editor1()), "autre\n");
  EXPECT_FALSE(form.Editor1().Modified());
  EXPECT_EQ(form.windowTitle(), "Quilmo - " + file);
  EXPECT_TRUE(Starter.Started.empty());
  EXPECT_TRUE(QFile::exists(journal));
}

TEST(RecoveryArguments, OnlyTheExactPairNamesAJournal) {
  const struct {
    QStringList Arguments;
    QString Journal;
    QStringList Left;
  } cases[] = {
      {RecoveryArguments("/j/x.journal"), "/j/x.journal", {}},
      {{"-i", "/j/x.journal"}, "", {"-i", "/j/x.journal"}},
      {{"--recuperer"}, "", {"--recuperer"}},
      {{"--recuperer", "a", "b"}, "", {"--recuperer", "a", "b"}},
  };
  for (const auto& c : cases) {
    QStringList arguments = c.Arguments;
    EXPECT_EQ(TakeRecoveryArguments(arguments), c.Journal) << c.Arguments.join(' ').toStdString();
    EXPECT_EQ(arguments, c.Left);
  }
}

}  // namespace
}  // namespace quilmo::test
