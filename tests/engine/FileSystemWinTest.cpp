// Saving through the Windows file layer: files held open by another program for a moment or for
// good, a replace that moves the old file away but not the new one in, new files, read-only
// files, hard links, long and non-ASCII names, and what ReplaceFileW keeps of the old file.

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/FileError.h"
#include "engine/FileSystemWin.h"
#include "engine/TextFileWriter.h"
#include "engine/TransientRetry.h"
#include "engine/WinPath.h"
#include "support/TempDir.h"
#include "support/VectorSource.h"
#include "support/Wine.h"

namespace quilmo {
namespace {

using Lines = std::vector<std::string>;
const Lines kNew = {"nouveau", "texte"};
const std::string kNewBytes = "nouveau\r\ntexte\r\n";
const std::string kOld = "ancien\r\n";

std::wstring Wide(const std::string& path) {
  std::wstring wide;
  EXPECT_EQ(LongPath(path, wide), 0) << path;
  return wide;
}

HANDLE Hold(const std::string& path, DWORD share) {
  return CreateFileW(Wide(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The whole file read through the layer itself (long names included).
std::string Contents(TFileSystem& fs, const std::string& path) {
  TFileHandle handle = -1;
  if (fs.OpenRead(path, handle) != 0) return "<missing>";
  std::string bytes;
  char buffer[4096];
  size_t done = 0;
  while (fs.Read(handle, buffer, sizeof buffer, done) == 0 && done > 0) bytes.append(buffer, done);
  fs.Close(handle);
  return bytes;
}

// A folder with "doc.txt", a file system whose pauses and replaces a test chooses, and a save.
class TWinSave {
 public:
  explicit TWinSave(bool exists = true) : FPath(FDir.File("doc.txt")) {
    if (exists) test::WriteFileBytes(FPath, kOld);
    FCalls.Pause = [this](unsigned) {
      ++FPauses;
      if (OnPause) OnPause(FPauses);
    };
    FCalls.Replace = [this](const std::wstring& replaced, const std::wstring& replacement,
                            const std::wstring& backup) {
      ++FReplaces;
      return Replace ? Replace(replaced, replacement, backup)
                     : FSystem.Replace(replaced, replacement, backup);
    };
  }

  // Returns the error code of the EFileError raised, or 0.
  int Save(const std::string& path) {
    TWinFileSystem fs(FCalls);
    TTextFileWriter writer(fs);
    test::TVectorSource source(kNew);
    try {
      writer.Save(path, source);
    } catch (const EFileError& e) {
      Message = e.what();
      return e.ErrorCode();
    }
    return 0;
  }
  int Save() { return Save(FPath); }

  const std::string& Path() const { return FPath; }
  std::string Text() { return Contents(FReal, FPath); }
  Lines Entries() const { return test::FolderEntries(FDir.Path()); }

  std::function<void(int pause)> OnPause;
  TWinFileCalls::ReplaceCall Replace;
  std::string Message;
  int FPauses = 0;
  int FReplaces = 0;

 private:
  test::TTempDir FDir;
  std::string FPath;
  TWinFileCalls FSystem = SystemWinFileCalls();
  TWinFileCalls FCalls;
  TWinFileSystem FReal;
};

struct THoldCase {
  const char* Name;
  DWORD Share;    // of the other program's handle
  bool Released;  // at the first pause
};

TEST(FileSystemWin, FilesHeldOpenByAnotherProgram) {
  const THoldCase cases[] = {
      {"held without sharing, released", 0, true},
      {"held without sharing, for good", 0, false},
      {"held against removal, released", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {"held against removal, for good", FILE_SHARE_READ | FILE_SHARE_WRITE, false},
  };
  for (const THoldCase& c : cases) {
    TWinSave save;
    HANDLE other = Hold(save.Path(), c.Share);
    ASSERT_NE(other, INVALID_HANDLE_VALUE) << c.Name;
    if (c.Released) save.OnPause = [&](int) { CloseHandle(std::exchange(other, INVALID_HANDLE_VALUE)); };
    const int err = save.Save();
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_GE(save.FPauses, 1) << c.Name;
    if (c.Released) {
      EXPECT_EQ(err, 0) << c.Name << ": " << save.Message;
      EXPECT_EQ(save.Text(), kNewBytes) << c.Name;
    } else {
      EXPECT_NE(err, 0) << c.Name;
      EXPECT_NE(save.Message.find("doc.txt"), std::string::npos) << save.Message;
      EXPECT_EQ(save.Text(), kOld) << c.Name;
    }
    EXPECT_EQ(save.Entries(), Lines{"doc.txt"}) << c.Name;
  }
}

// The replace moved the old file to the backup name and left the new one where it was.
uint32_t OldMovedAwayOnly(const std::wstring& replaced, const std::wstring&, const std::wstring& backup) {
  return MoveFileExW(replaced.c_str(), backup.c_str(), 0) ? ERROR_UNABLE_TO_MOVE_REPLACEMENT_2
                                                          : GetLastError();
}

TEST(FileSystemWin, AReplaceThatMovedOnlyTheOldFileAwayIsUndone) {
  for (const bool lasting : {false, true}) {
    TWinSave save;
    TWinFileCalls system = SystemWinFileCalls();
    save.Replace = [&](const std::wstring& replaced, const std::wstring& replacement,
                       const std::wstring& backup) {
      if (lasting || save.FReplaces == 1) return OldMovedAwayOnly(replaced, replacement, backup);
      return system.Replace(replaced, replacement, backup);
    };
    const int err = save.Save();
    EXPECT_EQ(save.Text(), lasting ? kOld : kNewBytes) << lasting;
    EXPECT_EQ(err, lasting ? EACCES : 0) << save.Message;
    EXPECT_EQ(save.FReplaces, lasting ? 1 + static_cast<int>(std::size(kTransientRetryDelays)) : 2);
    EXPECT_EQ(save.Entries(), Lines{"doc.txt"}) << "backup or temporary file left";
  }
}

TEST(FileSystemWin, ANewFileIsMovedInAndAnOldOneReplaced) {
  for (const bool exists : {false, true}) {
    TWinSave save(exists);
    EXPECT_EQ(save.Save(), 0) << save.Message;
    EXPECT_EQ(save.Text(), kNewBytes);
    EXPECT_EQ(save.FReplaces, exists ? 1 : 0);
    EXPECT_EQ(save.Entries(), Lines{"doc.txt"});
  }
}

TEST(FileSystemWin, ReadOnlyFilesAreRefused) {
  TWinSave save;
  ASSERT_TRUE(SetFileAttributesW(Wide(save.Path()).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(save.Save(), EACCES);
  EXPECT_NE(save.Message.find("accès refusé"), std::string::npos) << save.Message;
  SetFileAttributesW(Wide(save.Path()).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(save.Text(), kOld);
}

TEST(FileSystemWin, HardLinkedFilesStayLinked) {
  TWinSave save;
  const std::string other = FolderOf(save.Path()) + "\\autre.txt";
  ASSERT_TRUE(CreateHardLinkW(Wide(other).c_str(), Wide(save.Path()).c_str(), nullptr));
  EXPECT_EQ(save.Save(), 0) << save.Message;
  TWinFileSystem fs;
  EXPECT_EQ(Contents(fs, other), kNewBytes);
  EXPECT_EQ(save.Text(), kNewBytes);
}

TEST(FileSystemWin, LongAndNonAsciiNames) {
  TWinSave save;
  std::string folder = FolderOf(save.Path());
  for (int i = 0; folder.size() < 300; ++i) {
    folder += "\\dossier \xC3\xA9t\xC3\xA9 " + std::to_string(i);
    ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr)) << folder;
  }
  const std::string path = folder + "\\\xE2\x82\xAC uro.txt";
  EXPECT_EQ(save.Save(path), 0) << save.Message;
  EXPECT_EQ(save.Save(path), 0) << save.Message;  // replacing it too
  TWinFileSystem fs;
  EXPECT_EQ(Contents(fs, path), kNewBytes);
  EXPECT_NE(GetFileAttributesW(Wide(path).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(fs.Unlink(path), 0);
  for (std::string f = folder; f.size() > FolderOf(save.Path()).size(); f = FolderOf(f))
    RemoveDirectoryW(Wide(f).c_str());
}

TEST(FileSystemWin, SavingThroughASymbolicLinkReplacesItsTarget) {
  TWinSave save;
  const std::string link = FolderOf(save.Path()) + "\\lien.txt";
  // Wine reports success and creates nothing; Windows needs the developer mode or a privilege.
  if (!CreateSymbolicLinkW(Wide(link).c_str(), L"doc.txt", SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
      GetFileAttributesW(Wide(link).c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no symbolic links here";
  EXPECT_EQ(save.Save(link), 0) << save.Message;
  EXPECT_EQ(save.Text(), kNewBytes);
  TFileInfo info;
  TWinFileSystem fs;
  ASSERT_EQ(fs.LStat(link, info), 0);
  EXPECT_TRUE(info.IsSymlink);
}

// What ReplaceFileW keeps: attributes and alternate streams of the old file.
TEST(FileSystemWin, TheOldFilesAttributesAndStreamsAreKept) {
  if (test::RunningUnderWine()) GTEST_SKIP() << "wine keeps neither attributes nor streams";
  TWinSave save;
  const std::wstring path = Wide(save.Path());
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  test::WriteFileBytes(save.Path() + ":note", "flux");
  EXPECT_EQ(save.Save(), 0) << save.Message;
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(test::ReadFileBytes(save.Path() + ":note"), "flux");
  EXPECT_EQ(save.Text(), kNewBytes);
}

}  // namespace
}  // namespace quilmo
