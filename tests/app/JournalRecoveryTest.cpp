// Orphaned journals at start: which are offered, and what recovering one gives the editor
// and leaves on disk.

#include <QFile>
#include <QLockFile>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "app/JournalKeeper.h"
#include "app/Recovery.h"
#include "editor/TextFileEditor.h"
#include "support/EditorDoc.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// A journal left by a copy that died after typing `typed` at the start of the file (or of
// an untitled document when `file` is empty); returns its path.
std::string DeadJournal(const TTempDir& dir, const std::string& file, const std::string& typed) {
  TTextFileEditor editor;
  if (!file.empty()) editor.LoadTextFile(file);
  TJournalKeeper keeper(Q(dir.File("own")));
  keeper.Begin(editor.ParaList(), Q(file));
  editor.InsertString(typed);
  EXPECT_TRUE(keeper.FlushNow());
  // Private to the user: no access for the group or others.
  const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                          QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                          QFileDevice::WriteOther | QFileDevice::ExeOther;
  EXPECT_EQ(QFile::permissions(keeper.JournalPath()) & others, 0);
  EXPECT_EQ(QFile::permissions(Q(dir.File("own"))) & others, 0);
  const std::string dead = dir.File("dead.journal");
  WriteFileBytes(dead, ReadFileBytes(keeper.JournalPath().toStdString()));
  return dead;
}

TEST(JournalRecoveryTest, OnlyJournalsOfCopiesNoLongerRunningAreOffered) {
  TTempDir dir;
  const std::string journal = DeadJournal(dir, "", "hello");
  // Its copy took the lock and died holding it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile lock(TJournalKeeper::LockPath(Q(journal)));
    _exit(lock.tryLock(0) ? 0 : 1);
  }
  int status = 1;
  waitpid(child, &status, 0);
  ASSERT_EQ(status, 0);
  ASSERT_TRUE(QFile::exists(TJournalKeeper::LockPath(Q(journal))));
  WriteFileBytes(dir.File("garbage.journal"), "not a journal");
  QLockFile running(TJournalKeeper::LockPath(Q(dir.File("live.journal"))));
  ASSERT_TRUE(running.tryLock(0));
  WriteFileBytes(dir.File("live.journal"), ReadFileBytes(journal));

  std::vector<TOrphanJournal> orphans = FindOrphanJournals(Q(dir.Path()));
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_EQ(orphans[0].Path.toStdString(), journal);
  EXPECT_EQ(orphans[0].DocumentName(), "Sans titre");
  EXPECT_TRUE(RecoveryQuestion(orphans[0]).contains("« Sans titre »"));
  EXPECT_FALSE(QFile::exists(Q(dir.File("garbage.journal"))));
  // While this copy holds it, another copy does not offer it again.
  EXPECT_TRUE(FindOrphanJournals(Q(dir.Path())).empty());
}

TEST(JournalRecoveryTest, RecoveryUsesTheFileItsCopyOrRefuses) {
  struct TCase {
    const char* Name;
    std::string Before;     // the file when the journal was written
    std::string OnDisk;     // the file at recovery
    std::size_t Cut;        // bytes cut from the journal's end
    std::string Recovered;  // the editor's text, "" when refused
    const char* Message;    // part of the message, "" for none
  };
  std::string big;
  while (big.size() <= static_cast<std::size_t>(kJournalCopyLimit)) big += std::string(70, 'b') + "\r\n";
  std::string bigText;
  for (char ch : big) {
    if (ch != '\r') bigText += ch;
  }
  const std::vector<TCase> cases = {
      {"unchanged file", "abc\r\n", "abc\r\n", 0, "Xabc\n", ""},
      {"large unchanged file", big, big, 0, "X" + bigText, ""},
      {"file changed since: the copy", "abc\r\n", "zzz\r\n", 0, "Xabc\n", ""},
      {"large file changed since: refused", big, "zzz\r\n", 0, "", "a changé"},
      {"journal cut short", "abc\r\n", "abc\r\n", 3, "abc\n", "endommagé"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const std::string file = dir.File("doc.txt");
    WriteFileBytes(file, c.Before);
    const std::string journal = DeadJournal(dir, file, "X");
    const std::string bytes = ReadFileBytes(journal);
    WriteFileBytes(journal, bytes.substr(0, bytes.size() - c.Cut));
    WriteFileBytes(file, c.OnDisk);

    std::vector<TOrphanJournal> orphans = FindOrphanJournals(Q(dir.Path()));
    ASSERT_EQ(orphans.size(), 1u);
    TTextFileEditor editor;
    TJournalKeeper keeper(Q(dir.File("own")));
    const TRecoveryOutcome outcome = RecoverInto(editor, keeper, orphans[0]);
    EXPECT_EQ(outcome.Recovered, !c.Recovered.empty());
    EXPECT_TRUE(outcome.Message.contains(c.Message)) << outcome.Message.toStdString();
    EXPECT_EQ(ReadFileBytes(file), c.OnDisk);
    EXPECT_EQ(QFile::exists(Q(journal)), !outcome.Recovered);
    if (!outcome.Recovered) continue;
    EXPECT_EQ(test::PlainEditorText(editor), c.Recovered);
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.FileName(), file);
  }
}

// The lock is taken as the journal is first written, not at start; a journal on disk always
// has it held, and a lock that cannot be had writes nothing and says so.
TEST(JournalRecoveryTest, TheLockIsHeldFromTheJournalsFirstWrite) {
  for (const bool lockTaken : {false, true}) {
    SCOPED_TRACE(lockTaken ? "lock held by another" : "lock free");
    TTempDir dir;
    TTextFileEditor editor;
    TJournalKeeper keeper(Q(dir.Path()));
    int errors = 0;
    keeper.OnError = [&](const QString&) { ++errors; };
    const QString lockPath = TJournalKeeper::LockPath(keeper.JournalPath());
    keeper.Begin(editor.ParaList(), QString());
    EXPECT_FALSE(QFile::exists(lockPath));
    QLockFile other(lockPath);
    ASSERT_TRUE(!lockTaken || other.tryLock(0));
    editor.InsertString("x");
    EXPECT_EQ(keeper.FlushNow(), !lockTaken);
    EXPECT_EQ(QFile::exists(keeper.JournalPath()), !lockTaken);
    EXPECT_EQ(errors, lockTaken ? 1 : 0);
    // Held by the keeper: nobody else can take it for an orphan's.
    EXPECT_TRUE(lockTaken || !other.tryLock(0));
  }
}

}  // namespace
}  // namespace quilmo
