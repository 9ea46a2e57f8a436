// Saving through the Windows file layer: files held open by another program for a moment or for
// good, a replace that moves the old file away but not the new one in (each later move failed in
// turn), new files, read-only files and backups, hard links, long and non-ASCII names, and what
// ReplaceFileW keeps of the old file.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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
const std::string kOlder = "plus ancien\r\n";
const size_t kAttempts = 1 + std::size(kTransientRetryDelays);

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

// The file that a failure message says holds the old text, or "".
std::string KeptName(const std::string& message) {
  const std::string mark = "conservé dans « ";
  const size_t start = message.find(mark);
  if (start == std::string::npos) return {};
  const size_t from = start + mark.size();
  return message.substr(from, message.find(" »", from) - from);
}

// A folder holding "doc.txt", and saves through a layer whose pauses, replaces and moves are
// counted and may be changed by the test. Moves refuse to replace a read-only file, as Windows
// does (wine replaces it).
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
    Calls.Move = [this](const std::wstring& from, const std::wstring& to, uint32_t flags) {
      ++Moves;
      return Move ? Move(from, to, flags) : WindowsMove(from, to, flags);
    };
  }

  uint32_t WindowsMove(const std::wstring& from, const std::wstring& to, uint32_t flags) const {
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if ((flags & MOVEFILE_REPLACE_EXISTING) != 0 && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0)
      return ERROR_ACCESS_DENIED;
    return System.Move(from, to, flags);
  }

  // The error code of the EFileError raised, or 0.
  int Save(const std::string& path = {}) {
    TWinFileSystem fs(Calls);
    TTextFileWriter writer(fs);
    writer.SetMakeBackup(Backup);
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
  std::string Bak = Dir.File("doc.BAK");
  bool Backup = false;
  TWinFileCalls System = SystemWinFileCalls();
  TWinFileCalls Calls;
  std::function<void()> OnPause;
  TWinFileCalls::ReplaceCall Replace;
  TWinFileCalls::MoveCall Move;
  std::string Message;
  int Pauses = 0;
  int Replaces = 0;
  int Moves = 0;
};

// A new file is moved in, an old one replaced; a file held open by another program, without
// sharing at all or without letting it be removed, is saved once the program lets go at the
// first pause, and stays as it was when it never does.
TEST(FileSystemWin, NewOldAndHeldFiles) {
  constexpr DWORD kNobody = ~DWORD{0};
  const struct {
    bool Exists;
    DWORD Share;  // of the other program's handle
    bool Released;
  } cases[] = {{false, kNobody, false},
               {true, kNobody, false},
               {true, 0, true},
               {true, 0, false},
               {true, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
               {true, FILE_SHARE_READ | FILE_SHARE_WRITE, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("share " + std::to_string(c.Share) + (c.Released ? ", released" : ""));
    TWinSave save(c.Exists);
    HANDLE other = c.Share == kNobody ? INVALID_HANDLE_VALUE
                                      : CreateFileW(Wide(save.Path).c_str(), GENERIC_READ, c.Share, nullptr,
                                                    OPEN_EXISTING, 0, nullptr);
    if (c.Released) save.OnPause = [&] { CloseHandle(std::exchange(other, INVALID_HANDLE_VALUE)); };
    const bool held = other != INVALID_HANDLE_VALUE;
    const int err = save.Save();
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_EQ(save.Pauses > 0, held);
    EXPECT_EQ(err != 0, held && !c.Released) << save.Message;
    EXPECT_EQ(Contents(save.Path), err != 0 ? kOld : kNew);
    EXPECT_EQ(test::FolderEntries(save.Dir.Path()), Lines{"doc.txt"});
    EXPECT_EQ(save.Replaces, held ? save.Replaces : c.Exists ? 1 : 0);
  }
}

// The system moved the old file to the backup name but not the new one in, at the first replace
// or at every one, while each move of the save fails in turn, once or for good (a scanner
// holding the old file): the file ends with its old or new text, or else the message names the
// file that holds the old text, and nothing else is left in the folder.
TEST(FileSystemWin, EachMoveFailsInTurnAfterAHalfDoneReplace) {
  for (const bool always : {false, true})
    for (const bool lasting : {false, true})
      for (int n = 1;; ++n) {
        SCOPED_TRACE(std::string(always ? "every replace" : "first replace") + ", move " + std::to_string(n) +
                     (lasting ? " and later" : "") + " failing");
        TWinSave save;
        save.Replace = [&](const std::wstring& replaced, const std::wstring& replacement,
                           const std::wstring& backup) {
          if (!always && save.Replaces > 1) return save.System.Replace(replaced, replacement, backup);
          return MoveFileExW(replaced.c_str(), backup.c_str(), 0)
                     ? uint32_t{ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}
                     : uint32_t{GetLastError()};
        };
        save.Move = [&](const std::wstring& from, const std::wstring& to, uint32_t flags) {
          if (save.Moves == n || (lasting && save.Moves > n)) return uint32_t{ERROR_SHARING_VIOLATION};
          return save.System.Move(from, to, flags);
        };
        const int err = save.Save();
        const std::string kept = KeptName(save.Message);
        EXPECT_EQ(Contents(kept.empty() ? save.Path : kept), err == 0 ? kNew : kOld) << save.Message;
        EXPECT_EQ(test::FolderEntries(save.Dir.Path()), Lines{kept.empty() ? "doc.txt" : NameOf(kept)});
        if (save.Moves < n) {  // no move failed: the replaces' own outcome
          EXPECT_EQ(err, always ? EACCES : 0) << save.Message;
          EXPECT_EQ(save.Replaces, always ? static_cast<int>(kAttempts) : 2);
          break;
        }
      }
}

// A read-only file is not saved; a read-only backup, the editor's own file, is replaced unless
// it has another name (which would lose the attribute too) or the system refuses anyway. A file
// with another name is written in place and both names show the new text.
TEST(FileSystemWin, ReadOnlyFilesBackupsAndHardLinks) {
  struct TCase {
    const char* Name;
    const char* ReadOnly;  // the name made read-only, if any
    const char* Linked;    // the name that "autre.txt" is another name of, if any
    bool MoveRefused;      // every move onto the backup name is refused
    bool Saved;
  };
  const TCase cases[] = {
      {"read-only file", "doc.txt", "doc.txt", false, false},
      {"file with another name", nullptr, "doc.txt", false, true},
      {"read-only backup", "doc.BAK", nullptr, false, true},
      {"read-only backup with another name", "doc.BAK", "doc.BAK", false, false},
      {"read-only backup the system refuses to replace", "doc.BAK", nullptr, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TWinSave save;
    save.Backup = true;
    test::WriteFileBytes(save.Bak, kOlder);
    const std::string other = save.Dir.File("autre.txt");
    const std::wstring readOnly = c.ReadOnly ? Wide(save.Dir.File(c.ReadOnly)) : std::wstring();
    ASSERT_TRUE(!c.Linked ||
                CreateHardLinkW(Wide(other).c_str(), Wide(save.Dir.File(c.Linked)).c_str(), nullptr));
    ASSERT_TRUE(!c.ReadOnly || SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    if (c.MoveRefused) {
      save.Move = [&](const std::wstring& from, const std::wstring& to, uint32_t flags) {
        return to == Wide(save.Bak) ? uint32_t{ERROR_ACCESS_DENIED} : save.WindowsMove(from, to, flags);
      };
    }
    EXPECT_EQ(save.Save() == 0, c.Saved) << save.Message;
    EXPECT_EQ(Contents(save.Path), c.Saved ? kNew : kOld);
    EXPECT_EQ(Contents(save.Bak), c.Saved ? kOld : kOlder);
    EXPECT_EQ(save.Message.find("accès refusé") != std::string::npos, !c.Saved) << save.Message;
    EXPECT_EQ(Contents(other), c.Linked ? Contents(save.Dir.File(c.Linked)) : "<missing>");
    EXPECT_EQ(test::FolderEntries(save.Dir.Path()).size(), c.Linked ? 3u : 2u) << "a file left behind";
    // Kept where the file stayed; the new backup is the document's last version.
    EXPECT_EQ(c.ReadOnly && (GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY) != 0,
              c.ReadOnly && !c.Saved);
    if (c.ReadOnly) SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);  // for the removal
  }
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
