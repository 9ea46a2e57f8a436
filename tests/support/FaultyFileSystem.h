#pragma once
// A file system that passes every call to the real one, except the calls a test chooses to fail.

#include <array>
#include <string>

#include "engine/FileSystem.h"

namespace quilmo::test {

enum class TFsOp {
  OpenRead,
  CreateNew,
  OpenWrite,
  Read,
  Write,
  WriteGathered,
  Truncate,
  Sync,
  Close,
  FileStat,
  ChangeMode,
  ChangeOwner,
  Stat,
  LStat,
  ReadLink,
  CheckWritable,
  Rename,
  Link,
  Unlink,
  SyncFolder,
  Count
};

const char* FsOpName(TFsOp op);

class TFaultyFileSystem : public TFileSystem {
 public:
  // The n-th call (1-based) of op fails with err without doing anything (a failing Close still
  // releases the handle, as on Linux); when persistent, every later call of op fails too.
  void FailAt(TFsOp op, int n, int err, bool persistent = false);
  // CreateNew fails with err for every path in this folder (a folder refusing new files).
  void RefuseCreateIn(const std::string& folder, int err);
  // Every write, plain or gathered, writes at most this many bytes (0: no limit), as a
  // system may when interrupted or short of room.
  void SetWriteLimit(size_t bytes) { FWriteLimit = bytes; }
  // What TempFolder() returns (the real one when empty).
  void SetTempFolder(const std::string& folder) { FTempFolder = folder; }

  bool Triggered() const { return FTriggered; }
  int Calls(TFsOp op) const { return FCalls[static_cast<size_t>(op)]; }

  int OpenRead(const std::string& path, TFileHandle& handle) override;
  int CreateNew(const std::string& path, uint32_t mode, TFileHandle& handle) override;
  int OpenWrite(const std::string& path, TFileHandle& handle) override;
  int Read(TFileHandle handle, char* buffer, size_t size, size_t& done) override;
  int Write(TFileHandle handle, const char* buffer, size_t size, size_t& done) override;
  int WriteGathered(TFileHandle handle, const TByteSlice* slices, size_t count, size_t& done) override;
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
  // Counted and failed as a Rename, carried out as the real file system's Replace.
  int Replace(const std::string& replacement, const std::string& target) override;
  int Link(const std::string& existingPath, const std::string& newPath) override;
  int Unlink(const std::string& path) override;
  int SyncFolder(const std::string& path) override;
  std::string TempFolder() override;

 private:
  // Counts the call; returns the error to inject, or 0.
  int Fault(TFsOp op);

  TFileSystem& FReal = DefaultFileSystem();
  std::array<int, static_cast<size_t>(TFsOp::Count)> FCalls{};
  TFsOp FFailOp = TFsOp::Count;
  int FFailAt = 0;
  int FFailErr = 0;
  bool FPersistent = false;
  bool FTriggered = false;
  std::string FRefusedFolder;
  int FRefuseErr = 0;
  std::string FTempFolder;
  size_t FWriteLimit = 0;
};

}  // namespace quilmo::test
