// The window keeps a recovery journal of its document while it has unsaved changes, starts it
// again for every document it takes, and removes it when the document is saved or closed.

#include <QFile>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/EditForm.h"
#include "app/JournalKeeper.h"
#include "editor/TextFileEditor.h"
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

}  // namespace
}  // namespace quilmo::test
