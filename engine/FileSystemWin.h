#pragma once
// Windows only: the file system behind TFileSystem, with the same promises as the POSIX one.
//
// - Names are UTF-8, given to the system as UTF-16 long paths ("\\?\"), so that no length
//   limit of MAX_PATH applies.
// - Replace puts the new version in place with ReplaceFileW, which keeps the target's security,
//   attributes and streams, through a backup name of its own in the same folder: when the
//   system reports that it moved the old file to the backup name but could not move the new
//   one in, the old file is moved back under its name. When that fails too, the old file stays
//   under the backup name, and Replace raises EFileError naming it rather than returning a
//   code. A target that does not exist yet is moved in with
//   MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), as Rename is.
// - Rename replaces a read-only file, as a rename does on POSIX (the backup made at save is the
//   editor's own file), unless that file has other names, which would lose the attribute too.
// - Opening, replacing, renaming and removing retry sharing violations and access denials a
//   few times (see TransientRetry.h): scanners and indexers open new files for a moment.
// - Modes are the read-only attribute (write bits all clear: read-only); owners are left to
//   the file's security, which Replace keeps, so ChangeOwner does nothing.
// - Symbolic links are reported by LStat; ReadLink gives the final path of an existing target
//   (every link of the chain resolved), else the link's own text.
// - Sync is FlushFileBuffers; Stat's Device and Inode are the volume serial number and the
//   file index, LinkCount the number of hard links.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/FileSystem.h"

namespace quilmo {

// The system calls tests replace to reproduce what a real disk seldom does.
struct TWinFileCalls {
  using ReplaceCall = std::function<uint32_t(const std::wstring& replaced, const std::wstring& replacement,
                                             const std::wstring& backup)>;
  // ReplaceFileW(replaced, replacement, backup) with the flags of this layer: 0 or the error.
  ReplaceCall Replace;
  using MoveCall = std::function<uint32_t(const std::wstring& from, const std::wstring& to, uint32_t flags)>;
  // MoveFileExW(from, to, flags): 0 or the error.
  MoveCall Move;
  // The pause between two attempts of an operation refused for a moment (Sleep).
  std::function<void(unsigned milliseconds)> Pause;
};

TWinFileCalls SystemWinFileCalls();

class TWinFileSystem : public TFileSystem {
 public:
  explicit TWinFileSystem(TWinFileCalls calls = SystemWinFileCalls());
  ~TWinFileSystem() override;
  TWinFileSystem(const TWinFileSystem&) = delete;
  TWinFileSystem& operator=(const TWinFileSystem&) = delete;

  int OpenRead(const std::string& path, TFileHandle& handle) override;
  int CreateNew(const std::string& path, uint32_t mode, TFileHandle& handle) override;
  int OpenWrite(const std::string& path, TFileHandle& handle) override;
  int Read(TFileHandle handle, char* buffer, size_t size, size_t& done) override;
  int Write(TFileHandle handle, const char* buffer, size_t size, size_t& done) override;
  int Truncate(TFileHandle handle, uint64_t size) override;
  int Sync(TFileHandle handle) override;
  int Close(TFileHandle handle) override;
  int FileStat(TFileHandle handle, TFileInfo& info) override;
  int ChangeMode(TFileHandle handle, uint32_t mode) override;
  int ChangeOwner(TFileHandle handle, uint32_t owner, uint32_t group) override;
  int Stat(const std::string& path, TFileInfo& info) override;
  int LStat(const std::string& path, TFileInfo& info) override;
  int ReadLink(const std::string& path, std::string& target) override;
  int CheckWritable(const std::string& path) override;
  int Rename(const std::string& oldPath, const std::string& newPath) override;
  int Replace(const std::string& replacement, const std::string& target) override;
  int Link(const std::string& existingPath, const std::string& newPath) override;
  int Unlink(const std::string& path) override;
  int SyncFolder(const std::string& path) override;
  std::string TempFolder() override;

 private:
  // The system's handles behind the small integers of TFileHandle.
  TFileHandle AddHandle(void* handle);
  void* HandleOf(TFileHandle handle);
  void* TakeHandle(TFileHandle handle);

  int Open(const std::string& path, uint32_t access, uint32_t share, uint32_t disposition,
           uint32_t attributes, TFileHandle& handle);
  int StatPath(const std::string& path, uint32_t flags, TFileInfo& info);
  // Runs a system call returning a Windows error code with the retry policy.
  uint32_t Retried(const std::function<uint32_t()>& call);
  // MoveFileExW over an existing file, read-only or not (see Rename).
  uint32_t MoveOver(const std::wstring& from, const std::wstring& to);
  uint32_t ReplaceExisting(const std::wstring& replacement, const std::wstring& target,
                           const std::string& targetName);

  TWinFileCalls FCalls;
  std::mutex FMutex;
  std::vector<void*> FHandles;  // null where free
};

}  // namespace quilmo
