// Saving when a file-system call fails: every call of a save is made to fail in turn, and the
// file must stay exactly as it was (or be completely saved when the failure is harmless), with
// no temporary file left and the backup sane. Also a real full disk on a small tmpfs.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/FileError.h"
#include "engine/TextFileWriter.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"
#include "support/VectorSource.h"

namespace quilmo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::FolderEntries;
using test::ReadFileBytes;
using test::TFsOp;
using test::TVectorSource;
using test::WriteFileBytes;

std::string Joined(const Lines& paras) {
  std::string bytes;
  for (const std::string& p : paras) bytes += p + "\r\n";
  return bytes;
}

// Several read and write blocks each, so that failures in the middle of a transfer are tried.
const std::string kOld = std::string(300 * 1024, 'o') + "\r\nold end\r\n";
const std::string kOldBackup = "older backup\r\n";
// A paragraph written from its own storage, then more short ones than one block of the output
// holds, so that blocks are also written while the next is gathered.
Lines NewParas() {
  Lines paras = {std::string(400 * 1024, 'n')};
  for (int i = 0; i < 6000; ++i) paras.push_back("ligne " + std::to_string(i) + std::string(40, '.'));
  paras.push_back("new end");
  return paras;
}
const Lines kNewParas = NewParas();
const std::string kNew = Joined(kNewParas);

struct TScenario {
  const char* Name;
  bool Exists;
  bool HardLink;      // a second name "other.txt" for the file
  bool Backup;        // MakeBackup on
  bool OldBackup;     // "doc.BAK" exists before the save
  bool RefuseCreate;  // the folder refuses new files
};

const TScenario kScenarios[] = {
    {"new file", false, false, false, false, false},
    {"new file, backup on", false, false, true, false, false},
    {"replace", true, false, false, false, false},
    {"replace, backup", true, false, true, false, false},
    {"replace, older backup", true, false, true, true, false},
    {"hard link", true, true, false, false, false},
    {"hard link, older backup", true, true, true, true, false},
    {"folder refusing new files", true, false, false, false, true},
};

class TTrial {
 public:
  explicit TTrial(const TScenario& scenario) : FScenario(scenario) {
    if (scenario.Exists) WriteFileBytes(Path(), kOld);
    if (scenario.HardLink) fs::create_hard_link(Path(), FDir.File("other.txt"));
    if (scenario.OldBackup) WriteFileBytes(FDir.File("doc.BAK"), kOldBackup);
    FFileSystem.SetTempFolder(FTemp.Path());
    if (scenario.RefuseCreate) FFileSystem.RefuseCreateIn(FDir.Path(), EACCES);
  }

  std::string Path() const { return FDir.File("doc.txt"); }
  test::TFaultyFileSystem& FileSystem() { return FFileSystem; }

  // Returns the message of the EFileError raised, or "" when the save succeeded.
  std::string Save() {
    TTextFileWriter writer(FFileSystem);
    writer.SetMakeBackup(FScenario.Backup);
    TVectorSource source(kNewParas);
    try {
      writer.Save(Path(), source);
    } catch (const EFileError& e) {
      EXPECT_NE(e.what(), std::string()) << "empty message";
      return e.what();
    }
    return {};
  }

  void CheckFailed(const std::string& message, bool restoreMayFail) {
    EXPECT_NE(message.find("« " + FDir.Path() + "/doc."), std::string::npos) << message;
    std::set<std::string> allowed = {"doc.BAK", "doc.txt", "other.txt"};
    const size_t kept = message.find("conservé dans « ");
    if (kept != std::string::npos) {
      // Writing back failed too: the old text must be in the copy the message names.
      EXPECT_TRUE(restoreMayFail) << message;
      size_t start = kept + std::string("conservé dans « ").size();
      std::string copy = message.substr(start, message.find(" »", start) - start);
      EXPECT_EQ(ReadFileBytes(copy), kOld);
      allowed.insert(fs::path(copy).filename().string());
    } else if (FScenario.Exists) {
      EXPECT_EQ(ReadFileBytes(Path()), kOld) << "the file changed";
    } else {
      EXPECT_FALSE(fs::exists(Path()));
    }
    if (FScenario.HardLink) {
      EXPECT_EQ(ReadFileBytes(FDir.File("other.txt")), ReadFileBytes(Path()));
    }
    CheckBackup(false);
    for (const std::string& name : FolderEntries(FDir.Path()))
      EXPECT_TRUE(allowed.count(name)) << "left behind: " << name;
    if (kept == std::string::npos) {
      EXPECT_EQ(FolderEntries(FTemp.Path()), Lines{});
    }
  }

  void CheckSaved(bool strayAllowed) {
    EXPECT_EQ(ReadFileBytes(Path()), kNew);
    if (FScenario.HardLink) {
      EXPECT_EQ(ReadFileBytes(FDir.File("other.txt")), kNew);
    }
    CheckBackup(true);
    Lines expected = {"doc.txt"};
    if (FScenario.HardLink) expected.push_back("other.txt");
    if (FScenario.OldBackup || (FScenario.Backup && FScenario.Exists))
      expected.insert(expected.begin(), "doc.BAK");
    if (!strayAllowed) {
      EXPECT_EQ(FolderEntries(FDir.Path()), expected);
      EXPECT_EQ(FolderEntries(FTemp.Path()), Lines{});
    }
  }

 private:
  void CheckBackup(bool saved) {
    const std::string backup = FDir.File("doc.BAK");
    if (!fs::exists(backup)) {
      EXPECT_FALSE(FScenario.OldBackup) << "the older backup was lost";
      EXPECT_FALSE(saved && FScenario.Backup && FScenario.Exists) << "no backup made";
      return;
    }
    std::string bytes = ReadFileBytes(backup);
    if (saved && FScenario.Backup) {
      EXPECT_EQ(bytes, kOld);
    } else if (FScenario.Backup && FScenario.Exists) {
      // Either still the older backup, or already the current version of the file.
      EXPECT_TRUE(bytes == kOld || (FScenario.OldBackup && bytes == kOldBackup));
    } else {
      EXPECT_EQ(bytes, kOldBackup);
    }
  }

  const TScenario& FScenario;
  test::TTempDir FDir;
  test::TTempDir FTemp;
  test::TFaultyFileSystem FFileSystem;
};

// Failures the save may get over because its result is still right: syncing a folder, giving a
// copy its owner, closing a file that was only read, removing a copy after success, a hard link
// for the backup (it is copied instead), looking at the backup name.
bool MayBeIgnored(TFsOp op) {
  return op == TFsOp::SyncFolder || op == TFsOp::ChangeOwner || op == TFsOp::Close || op == TFsOp::Unlink ||
         op == TFsOp::Link || op == TFsOp::Stat;
}

void FailEachCallInTurn(const TScenario& scenario, TFsOp op, bool persistent) {
  for (int n = 1; n < 1000; ++n) {
    TTrial trial(scenario);
    trial.FileSystem().FailAt(op, n, op == TFsOp::Write ? ENOSPC : EIO, persistent);
    std::string message = trial.Save();
    SCOPED_TRACE(std::string(scenario.Name) + ": " + test::FsOpName(op) + " call " + std::to_string(n) +
                 (persistent ? " and later" : ""));
    if (!trial.FileSystem().Triggered()) {
      EXPECT_EQ(message, "");
      trial.CheckSaved(false);
      return;
    }
    if (message.empty()) {
      EXPECT_TRUE(MayBeIgnored(op)) << "a failure was reported as success";
      trial.CheckSaved(op == TFsOp::Unlink);
    } else {
      trial.CheckFailed(message, persistent && scenario.HardLink + scenario.RefuseCreate > 0);
    }
  }
  ADD_FAILURE() << "the save never stopped calling " << test::FsOpName(op);
}

TEST(TextFileSaveFaults, EveryFailingCallLeavesTheFileIntact) {
  for (const TScenario& scenario : kScenarios)
    for (int op = 0; op < static_cast<int>(TFsOp::Count); ++op)
      FailEachCallInTurn(scenario, static_cast<TFsOp>(op), false);
}

TEST(TextFileSaveFaults, LastingReadAndWriteFailures) {
  for (const TScenario& scenario : kScenarios)
    for (TFsOp op : {TFsOp::Write, TFsOp::WriteGathered, TFsOp::Read, TFsOp::Sync})
      FailEachCallInTurn(scenario, op, true);
}

TEST(TextFileSaveFaults, SaveInPlaceRestoresTheFileAfterAFailedWrite) {
  // The path through the copy is really taken: the write fails after the text was overwritten.
  TTrial trial(kScenarios[5]);
  trial.FileSystem().FailAt(TFsOp::Truncate, 1, EIO);
  std::string message = trial.Save();
  EXPECT_NE(message, "");
  EXPECT_GE(trial.FileSystem().Calls(TFsOp::OpenWrite), 2);  // written, then written back
  trial.CheckFailed(message, false);
}

#ifndef _WIN32
// A small tmpfs mounted for one test, always unmounted.
class TSmallDisk {
 public:
  TSmallDisk(const std::string& path, const char* size) : FPath(path) {
    fs::create_directory(path);
    std::string options = std::string("size=") + size;
    FMounted = ::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~TSmallDisk() {
    if (FMounted && ::umount(FPath.c_str()) != 0) ::umount2(FPath.c_str(), MNT_DETACH);
  }
  TSmallDisk(const TSmallDisk&) = delete;
  TSmallDisk& operator=(const TSmallDisk&) = delete;
  bool Mounted() const { return FMounted; }

  // Fills the disk with 4 KiB files; returns their names.
  Lines Fill() const {
    Lines names;
    for (int i = 0; i < 100000; ++i) {
      std::string name = FPath + "/fill" + std::to_string(i);
      try {
        WriteFileBytes(name, std::string(4096, 'f'));
      } catch (const std::runtime_error&) {
        fs::remove(name);
        break;
      }
      names.push_back(name);
    }
    return names;
  }

 private:
  std::string FPath;
  bool FMounted = false;
};

std::string SaveParas(const std::string& path, const Lines& paras) {
  TTextFileWriter writer;
  TVectorSource source(paras);
  try {
    writer.Save(path, source);
  } catch (const EFileError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOSPC) << e.what();
    return e.what();
  }
  return {};
}

Lines NonFillEntries(const std::string& folder) {
  Lines names;
  for (const std::string& name : FolderEntries(folder))
    if (name.rfind("fill", 0) != 0) names.push_back(name);
  return names;
}

TEST(TextFileSaveFaults, FullDiskLeavesTheOldFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
  test::TTempDir dir;
  TSmallDisk disk(dir.File("disk"), "64k");
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  const std::string path = dir.File("disk/doc.txt");
  const std::string old(2000, 'o');
  WriteFileBytes(path, old);
  Lines filler = disk.Fill();
  ASSERT_FALSE(filler.empty());

  const Lines big = {std::string(100 * 1024, 'n')};
  EXPECT_NE(SaveParas(path, big), "");
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_EQ(NonFillEntries(dir.File("disk")), (Lines{"doc.txt"}));

  for (const std::string& name : filler) fs::remove(name);
  EXPECT_EQ(SaveParas(path, {std::string(30 * 1024, 'n')}), "");
  EXPECT_EQ(ReadFileBytes(path).size(), 30u * 1024 + 2);
}

TEST(TextFileSaveFaults, FullDiskDuringASaveInPlaceRestoresTheFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
  test::TTempDir dir;
  TSmallDisk disk(dir.File("disk"), "64k");
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  const std::string path = dir.File("disk/doc.txt");
  const std::string old(8192, 'o');
  WriteFileBytes(path, old);
  fs::create_hard_link(path, dir.File("disk/other.txt"));
  Lines filler = disk.Fill();
  ASSERT_GE(filler.size(), 3u);
  for (size_t i = 0; i < 3; ++i) fs::remove(filler[i]);  // room for the copy, not for the text

  EXPECT_NE(SaveParas(path, {std::string(40 * 1024, 'n')}), "");
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_EQ(ReadFileBytes(dir.File("disk/other.txt")), old);
  EXPECT_EQ(NonFillEntries(dir.File("disk")), (Lines{"doc.txt", "other.txt"}));
}

#endif  // _WIN32

}  // namespace
}  // namespace quilmo
