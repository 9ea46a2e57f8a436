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
const std::string kOld = "ancien\r\n";
const std::string kNew = "nouveau\r\ntexte\r\n";

std::wstring Wide(const std::string& path) {
  std::wstring wide;
  EXPECT_EQ(LongPath(path, wide), 0) << path;
  return wide;
}

// The whole file read through the layer itself (long names included).
std::string Contents(const std::string& path) {
  TWinFileSystem fs;
  TFileHandle handle = -1;
  if (fs.OpenRead(path, handle) != 0) return "<missing>";
  std::string bytes;
  char buffer[4096];
  size_t done = 0;
  while (fs.Read(handle, buffer, sizeof buffer, done) == 0 && done > 0) bytes.append(buffer, done);
  fs.Close(handle);
  return bytes;
}

// A folder holding "doc.txt", and saves through a layer whose pauses and replaces are counted
// and may be changed by the test.
struct TWinSave {
  explicit TWinSave(bool exists = true) {
    if (exists) test::WriteFileBytes(Path, kOld);
    Calls.Pause = [this](unsigned) {
      ++Pauses;
      if (OnPause) OnPause();
    };
    Calls.Replace = [this](const std::wstring& replaced, const std::wstring& replacement,
                           const std::wstring& backup) {
      ++Replaces;
      return (Replace ? Replace : System.Replace)(replaced, replacement, backup);
    };
  }

  // The error code of the EFileError raised, or 0.
  int Save(const std::string& path = {}) {
    TWinFileSystem fs(Calls);
    TTextFileWriter writer(fs);
    const Lines paragraphs = {"nouveau", "texte"};
    test::TVectorSource source(paragraphs);
    try {
      writer.Save(path.empty() ? Path : path, source);
    } catch (const EFileError& e) {
      Message = e.what();
      return e.ErrorCode();
    }
    return 0;
  }

  test::TTempDir Dir;
  std::string Path = Dir.File("doc.txt");
  TWinFileCalls System = SystemWinFileCalls();
  TWinFileCalls Calls;
  std::function<void()> OnPause;
  TWinFileCalls::ReplaceCall Replace;
  std::string Message;
  int Pauses = 0;
  int Replaces = 0;
};

TEST(FileSystemWin, FilesHeldOpenByAnotherProgram) {
  struct TCase {
    DWORD Share;    // of the other program's handle
    bool Released;  // at the first pause
  };
  const TCase cases[] = {{0, true},
                         {0, false},
                         {FILE_SHARE_READ | FILE_SHARE_WRITE, true},
                         {FILE_SHARE_READ | FILE_SHARE_WRITE, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE("share " + std::to_string(c.Share) + (c.Released ? ", released" : ", for good"));
    TWinSave save;
    HANDLE other =
        CreateFileW(Wide(save.Path).c_str(), GENERIC_READ, c.Share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    if (c.Released) save.OnPause = [&] { CloseHandle(std::exchange(other, INVALID_HANDLE_VALUE)); };
    const int err = save.Save();
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_GE(save.Pauses, 1);
    EXPECT_EQ(err != 0, !c.Released) << save.Message;
    EXPECT_EQ(Contents(save.Path), c.Released ? kNew : kOld);
    EXPECT_EQ(test::FolderEntries(save.Dir.Path()), Lines{"doc.txt"});
  }
}

TEST(FileSystemWin, AReplaceThatMovedOnlyTheOldFileAwayIsUndone) {
  for (const bool lasting : {false, true}) {
    TWinSave save;
    save.Replace = [&](const std::wstring& replaced, const std::wstring& replacement,
                       const std::wstring& backup) {
      if (!lasting && save.Replaces > 1) return save.System.Replace(replaced, replacement, backup);
      // The old file goes to the backup name, the new one stays where it was.
      return MoveFileExW(replaced.c_str(), backup.c_str(), 0) ? uint32_t{ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}
                                                              : uint32_t{GetLastError()};
    };
    EXPECT_EQ(save.Save(), lasting ? EACCES : 0) << save.Message;
    EXPECT_EQ(Contents(save.Path), lasting ? kOld : kNew);
    EXPECT_EQ(save.Replaces, lasting ? 1 + static_cast<int>(std::size(kTransientRetryDelays)) : 2);
    EXPECT_EQ(test::FolderEntries(save.Dir.Path()), Lines{"doc.txt"}) << "backup or temporary file left";
  }
}

TEST(FileSystemWin, ANewFileIsMovedInAndAnOldOneReplaced) {
  for (const bool exists : {false, true}) {
    TWinSave save(exists);
    EXPECT_EQ(save.Save(), 0) << save.Message;
    EXPECT_EQ(Contents(save.Path), kNew);
    EXPECT_EQ(save.Replaces, exists ? 1 : 0);
    EXPECT_EQ(test::FolderEntries(save.Dir.Path()), Lines{"doc.txt"});
  }
}

TEST(FileSystemWin, ReadOnlyFilesAreRefusedAndHardLinksStayLinked) {
  TWinSave save;
  const std::string other = save.Dir.File("autre.txt");
  ASSERT_TRUE(CreateHardLinkW(Wide(other).c_str(), Wide(save.Path).c_str(), nullptr));
  ASSERT_TRUE(SetFileAttributesW(Wide(save.Path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(save.Save(), EACCES);
  EXPECT_NE(save.Message.find("accès refusé"), std::string::npos) << save.Message;
  EXPECT_EQ(Contents(save.Path), kOld);
  SetFileAttributesW(Wide(save.Path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(save.Save(), 0) << save.Message;
  EXPECT_EQ(Contents(save.Path), kNew);
  EXPECT_EQ(Contents(other), kNew);
}

TEST(FileSystemWin, LongAndNonAsciiNames) {
  TWinSave save;
  std::string folder = save.Dir.Path();
  for (int i = 0; folder.size() < 300; ++i) {
    folder += "\\dossier \xC3\xA9t\xC3\xA9 " + std::to_string(i);
    ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr)) << folder;
  }
  const std::string path = folder + "\\\xE2\x82\xAC uro.txt";
  EXPECT_EQ(save.Save(path), 0) << save.Message;
  EXPECT_EQ(save.Save(path), 0) << save.Message;  // replacing it too
  EXPECT_EQ(Contents(path), kNew);
  EXPECT_TRUE(DeleteFileW((Wide(folder) + L"\\\u20AC uro.txt").c_str()));
  for (std::string f = folder; f.size() > save.Dir.Path().size(); f = FolderOf(f))
    RemoveDirectoryW(Wide(f).c_str());
}

TEST(FileSystemWin, SavingThroughASymbolicLinkReplacesItsTarget) {
  TWinSave save;
  const std::string link = save.Dir.File("lien.txt");
  // Wine reports success and creates nothing; Windows needs the developer mode or a privilege.
  if (!CreateSymbolicLinkW(Wide(link).c_str(), L"doc.txt", SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
      GetFileAttributesW(Wide(link).c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no symbolic links here";
  EXPECT_EQ(save.Save(link), 0) << save.Message;
  EXPECT_EQ(Contents(save.Path), kNew);
  TFileInfo info;
  ASSERT_EQ(TWinFileSystem().LStat(link, info), 0);
  EXPECT_TRUE(info.IsSymlink);
}

// What ReplaceFileW keeps: the attributes and alternate streams of the old file.
TEST(FileSystemWin, TheOldFilesAttributesAndStreamsAreKept) {
  if (test::RunningUnderWine()) GTEST_SKIP() << "wine keeps neither attributes nor streams";
  TWinSave save;
  ASSERT_TRUE(SetFileAttributesW(Wide(save.Path).c_str(), FILE_ATTRIBUTE_HIDDEN));
  test::WriteFileBytes(save.Path + ":note", "flux");
  EXPECT_EQ(save.Save(), 0) << save.Message;
  EXPECT_NE(GetFileAttributesW(Wide(save.Path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(test::ReadFileBytes(save.Path + ":note"), "flux");
  EXPECT_EQ(Contents(save.Path), kNew);
}

}  // namespace
}  // namespace quilmo
