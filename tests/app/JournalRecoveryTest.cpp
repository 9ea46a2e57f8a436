// Orphaned journals at start: which are offered, and what recovering one gives the editor
// and leaves on disk.

#include <QFile>
#include <QLockFile>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "app/JournalKeeper.h"
#include "app/NameBytes.h"
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
  keeper.Begin(editor.ParaList(), NameFromBytes(file));
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
  // Not a journal: kept aside, not offered.
  EXPECT_EQ(ReadFileBytes(dir.File("garbage.journal.endommage")), "not a journal");
  // While this copy holds it, another copy does not offer it again.
  EXPECT_TRUE(FindOrphanJournals(Q(dir.Path())).empty());
}

// The file on disk is compared with the text the journal's changes apply to before the user
// chooses; a text recovered onto the journal's copy because another program changed the file
// makes the first save ask.
TEST(JournalRecoveryTest, RecoveryUsesTheFileItsCopyOrRefuses) {
  struct TCase {
    const char* Name;
    std::string Before;     // the file when the journal was written
    std::string OnDisk;     // the file at recovery ("-": removed)
    std::size_t Cut;        // bytes cut from the journal's end
    std::string Recovered;  // the editor's text, "" when refused
    const char* Message;    // part of the message, "" for none
    TBaseOnDisk Compared;
    bool FileChanged;
    std::string Leaf = "doc.txt";  // the file's name in its folder, as bytes
  };
  std::string big;
  while (big.size() <= static_cast<std::size_t>(kJournalCopyLimit)) big += std::string(70, 'b') + "\r\n";
  std::string bigText;
  for (char ch : big) {
    if (ch != '\r') bigText += ch;
  }
  using enum TBaseOnDisk;
  const std::vector<TCase> cases = {
      {"unchanged file", "abc\r\n", "abc\r\n", 0, "Xabc\n", "", bdSame, false},
      {"large unchanged file", big, big, 0, "X" + bigText, "", bdSame, false},
      {"file changed since: the copy", "abc\r\n", "zzz\r\n", 0, "Xabc\n", "", bdChanged, true},
      {"file changed in size", "abc\r\n", "abcd\r\n", 0, "Xabc\n", "", bdChanged, true},
      {"file rewritten alike", "abc\r\n", "abc\r\n", 0, "Xabc\n", "", bdSame, false},
      {"file removed since", "abc\r\n", "-", 0, "Xabc\n", "", bdGone, false},
      {"large file changed since: refused", big, "zzz\r\n", 0, "", "a changé", bdChanged, false},
      {"journal cut short", "abc\r\n", "abc\r\n", 3, "abc\n", "endommagé", bdSame, false},
      {"a name that is not UTF-8", "abc\r\n", "abc\r\n", 0, "Xabc\n", "", bdSame, false, "doc\xff\xfe.txt"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const std::string file = dir.File(c.Leaf);
    WriteFileBytes(file, c.Before);
    const std::string journal = DeadJournal(dir, file, "X");
    const std::string bytes = ReadFileBytes(journal);
    WriteFileBytes(journal, bytes.substr(0, bytes.size() - c.Cut));
    // Rewritten a second later at least, so that its time differs.
    const timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 5, 0}};
    if (c.OnDisk == "-") {
      ASSERT_TRUE(QFile::remove(Q(file)));
    } else {
      WriteFileBytes(file, c.OnDisk);
      ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), later, 0), 0);
    }

    std::vector<TOrphanJournal> orphans = FindOrphanJournals(Q(dir.Path()));
    ASSERT_EQ(orphans.size(), 1u);
    TTextFileEditor editor;
    CheckBaseOnDisk(orphans[0], editor);
    EXPECT_EQ(orphans[0].OnDisk, c.Compared);
    EXPECT_EQ(RecoveryQuestion(orphans[0]).contains("modifié par un autre programme"),
              c.Compared == bdChanged);
    EXPECT_EQ(editor.ParaList().ByteCount(), 0) << "the comparison leaves the editor's text alone";
    TJournalKeeper keeper(Q(dir.File("own")));
    const TRecoveryOutcome outcome = RecoverInto(editor, keeper, orphans[0]);
    EXPECT_EQ(outcome.Recovered, !c.Recovered.empty());
    EXPECT_EQ(outcome.FileChanged, c.FileChanged);
    EXPECT_TRUE(outcome.Message.contains(c.Message)) << outcome.Message.toStdString();
    EXPECT_EQ(std::filesystem::exists(file) ? ReadFileBytes(file) : "-", c.OnDisk);
    EXPECT_EQ(QFile::exists(Q(journal)), !outcome.Recovered);
    if (!outcome.Recovered) continue;
    EXPECT_EQ(test::PlainEditorText(editor), c.Recovered);
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.FileName(), file);
  }
}

// Nothing that does not read as a journal is removed: it is renamed so that it says it is
// damaged, once, and is neither offered nor renamed again; only a journal that stopped before
// any record goes.
TEST(JournalRecoveryTest, WhatDoesNotReadAsAJournalIsSetAsideNeverRemoved) {
  TTempDir source;
  const std::string sound = ReadFileBytes(DeadJournal(source, "", "hello"));
  const auto flipped = [&](std::size_t at) {
    std::string bytes = sound;
    bytes[at] = static_cast<char>(bytes[at] ^ 1);
    return bytes;
  };
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Offered;
    bool SetAside;  // else removed when not offered
  };
  const TCase cases[] = {
      {"sound journal", sound, true, false},
      {"one bit flipped in the signature", flipped(0), false, true},
      {"one bit flipped in the base's length", flipped(8), false, true},
      {"one bit flipped in the base", flipped(20), false, true},
      {"another file", "precious\n", false, true},
      {"empty", "", false, false},
      {"start of the signature", "QLMJ", false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const std::string path = dir.File("kel-1-2.journal");
    WriteFileBytes(path, c.Bytes);
    QStringList setAside;
    std::vector<TOrphanJournal> orphans = FindOrphanJournals(Q(dir.Path()), &setAside);
    EXPECT_EQ(orphans.size(), c.Offered ? 1u : 0u);
    EXPECT_EQ(QFile::exists(Q(path)), c.Offered);
    EXPECT_FALSE(QFile::exists(TJournalKeeper::LockPath(Q(path))) && !c.Offered);
    const std::string kept = path + ".endommage";
    EXPECT_EQ(setAside, c.SetAside ? QStringList{Q(kept)} : QStringList{});
    EXPECT_EQ(QFile::exists(Q(kept)), c.SetAside);
    if (!c.SetAside) continue;
    EXPECT_EQ(ReadFileBytes(kept), c.Bytes);
    EXPECT_TRUE(SetAsideMessage(setAside).contains("« " + Q(kept) + " »"));
    // Told once; a second damaged journal of the same name does not replace the first one kept.
    WriteFileBytes(path, "other");
    setAside.clear();
    EXPECT_TRUE(FindOrphanJournals(Q(dir.Path()), &setAside).empty());
    EXPECT_EQ(setAside, QStringList{Q(kept + "-2")});
    EXPECT_EQ(ReadFileBytes(kept), c.Bytes);
  }
}

// A copy started to recover a path takes only a journal of this program in its own folder.
TEST(JournalRecoveryTest, OnlyTheProgramsOwnJournalsCanBeNamedForRecovery) {
  TTempDir dir;
  const std::string folder = dir.File("journaux");
  ASSERT_EQ(TJournalKeeper::PrepareFolder(Q(folder)), 0);
  const std::string own = folder + "/kel-12-345.journal";
  WriteFileBytes(own, "x");
  WriteFileBytes(dir.File("kel-12-345.journal"), "x");
  WriteFileBytes(folder + "/v.txt", "precious\n");
  WriteFileBytes(folder + "/kel-12-345.journal.lock", "x");
  ASSERT_EQ(symlink(dir.File("kel-12-345.journal").c_str(), (folder + "/kel-1-1.journal").c_str()), 0);
  ASSERT_EQ(symlink(folder.c_str(), dir.File("link").c_str()), 0);
  const struct {
    std::string Path;
    bool Own;
  } cases[] = {
      {own, true},
      {dir.File("link") + "/kel-12-345.journal", true},  // the same file by another way
      {folder + "/../journaux/kel-12-345.journal", true},
      {dir.File("kel-12-345.journal"), false},  // outside the folder
      {folder + "/v.txt", false},
      {folder + "/kel-12-345.journal.lock", false},
      {folder + "/kel-1-1.journal", false},  // a link to a file outside
      {folder + "/kel-9-9.journal", false},  // missing
      {folder, false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsOwnJournalPath(Q(folder), Q(c.Path)), c.Own) << c.Path;
  EXPECT_TRUE(NotAJournalMessage(Q(folder + "/v.txt")).contains("n'a pas été touché"));
}

// The recovery journal whose folder cannot be made says so once, in French, and is tried
// again at every write: once the folder can be had, the journal is written without a word.
TEST(JournalRecoveryTest, AJournalFolderThatCannotBeHadIsReportedOnceAndTriedAgain) {
  const struct {
    const char* Name;
    const char* Obstacle;  // a file where the folder or its parent should be
    const char* Folder;
    const char* Reason;
  } cases[] = {
      {"parent is a file", "parent", "parent/journaux", "un élément du chemin n'est pas un dossier"},
      {"folder is a file", "journaux", "journaux", "un élément du chemin n'est pas un dossier"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    WriteFileBytes(dir.File(c.Obstacle), "x");
    TTextFileEditor editor;
    TJournalKeeper keeper(Q(dir.File(c.Folder)));
    QStringList errors;
    keeper.OnError = [&](const QString& message) { errors << message; };
    keeper.Begin(editor.ParaList(), QString());
    editor.InsertString("a");
    EXPECT_FALSE(keeper.FlushNow());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(
        errors[0].startsWith("Le journal de récupération ne peut pas être écrit (" + QString(c.Reason) + ")"))
        << errors[0].toStdString();
    editor.InsertString("b");
    EXPECT_FALSE(keeper.FlushNow());
    EXPECT_EQ(errors.size(), 1);

    ASSERT_TRUE(QFile::remove(Q(dir.File(c.Obstacle))));
    editor.InsertString("c");
    EXPECT_TRUE(keeper.FlushNow());
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(QFile::exists(TJournalKeeper::LockPath(keeper.JournalPath())));
    const TJournalContents contents = ReadJournal(ReadFileBytes(keeper.JournalPath().toStdString()));
    EXPECT_EQ(contents.State, TJournalState::jsComplete);
    EXPECT_EQ(contents.Changes.size(), 4u);  // three insertions and the checkpoint
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
