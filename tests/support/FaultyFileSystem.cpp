#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <vector>

namespace quilmo::test {

const char* FsOpName(TFsOp op) {
  static const char* const kNames[] = {"OpenRead",      "CreateNew",   "OpenWrite", "Read",   "Write",
                                       "WriteGathered", "Truncate",    "Sync",      "Close",  "FileStat",
                                       "ChangeMode",    "ChangeOwner", "Stat",      "LStat",  "ReadLink",
                                       "CheckWritable", "Rename",      "Link",      "Unlink", "SyncFolder"};
  static_assert(sizeof(kNames) / sizeof(kNames[0]) == static_cast<size_t>(TFsOp::Count));
  return kNames[static_cast<size_t>(op)];
}

void TFaultyFileSystem::FailAt(TFsOp op, int n, int err, bool persistent) {
  FFailOp = op;
  FFailAt = n;
  FFailErr = err;
  FPersistent = persistent;
}

void TFaultyFileSystem::RefuseCreateIn(const std::string& folder, int err) {
  FRefusedFolder = folder;
  FRefuseErr = err;
}

int TFaultyFileSystem::Fault(TFsOp op) {
  int call = ++FCalls[static_cast<size_t>(op)];
  if (op != FFailOp) return 0;
  if (call == FFailAt || (FPersistent && call > FFailAt)) {
    FTriggered = true;
    return FFailErr;
  }
  return 0;
}

int TFaultyFileSystem::OpenRead(const std::string& path, TFileHandle& handle) {
  if (int err = Fault(TFsOp::OpenRead)) return err;
  return FReal.OpenRead(path, handle);
}

int TFaultyFileSystem::CreateNew(const std::string& path, uint32_t mode, TFileHandle& handle) {
  if (int err = Fault(TFsOp::CreateNew)) return err;
  if (!FRefusedFolder.empty() && FolderOf(path) == FRefusedFolder) return FRefuseErr;
  return FReal.CreateNew(path, mode, handle);
}

int TFaultyFileSystem::OpenWrite(const std::string& path, TFileHandle& handle) {
  if (int err = Fault(TFsOp::OpenWrite)) return err;
  return FReal.OpenWrite(path, handle);
}

int TFaultyFileSystem::Read(TFileHandle handle, char* buffer, size_t size, size_t& done) {
  done = 0;
  if (int err = Fault(TFsOp::Read)) return err;
  return FReal.Read(handle, buffer, size, done);
}

int TFaultyFileSystem::Write(TFileHandle handle, const char* buffer, size_t size, size_t& done) {
  done = 0;
  if (int err = Fault(TFsOp::Write)) return err;
  if (FWriteLimit > 0) size = std::min(size, FWriteLimit);
  return FReal.Write(handle, buffer, size, done);
}

int TFaultyFileSystem::WriteGathered(TFileHandle handle, const TByteSlice* slices, size_t count,
                                     size_t& done) {
  done = 0;
  if (int err = Fault(TFsOp::WriteGathered)) return err;
  if (FWriteLimit == 0) return FReal.WriteGathered(handle, slices, count, done);
  // The slices cut at the limit, the last one shortened.
  std::vector<TByteSlice> cut;
  size_t room = FWriteLimit;
  for (size_t i = 0; i < count && room > 0; ++i) {
    cut.push_back({slices[i].Data, std::min(slices[i].Size, room)});
    room -= cut.back().Size;
  }
  return FReal.WriteGathered(handle, cut.data(), cut.size(), done);
}

int TFaultyFileSystem::Truncate(TFileHandle handle, uint64_t size) {
  if (int err = Fault(TFsOp::Truncate)) return err;
  return FReal.Truncate(handle, size);
}

int TFaultyFileSystem::Sync(TFileHandle handle) {
  if (int err = Fault(TFsOp::Sync)) return err;
  return FReal.Sync(handle);
}

int TFaultyFileSystem::Close(TFileHandle handle) {
  int err = Fault(TFsOp::Close);
  int realErr = FReal.Close(handle);
  return err != 0 ? err : realErr;
}

int TFaultyFileSystem::FileStat(TFileHandle handle, TFileInfo& info) {
  if (int err = Fault(TFsOp::FileStat)) return err;
  return FReal.FileStat(handle, info);
}

int TFaultyFileSystem::ChangeMode(TFileHandle handle, uint32_t mode) {
  if (int err = Fault(TFsOp::ChangeMode)) return err;
  return FReal.ChangeMode(handle, mode);
}

int TFaultyFileSystem::ChangeOwner(TFileHandle handle, uint32_t owner, uint32_t group) {
  if (int err = Fault(TFsOp::ChangeOwner)) return err;
  return FReal.ChangeOwner(handle, owner, group);
}

int TFaultyFileSystem::Stat(const std::string& path, TFileInfo& info) {
  if (int err = Fault(TFsOp::Stat)) return err;
  return FReal.Stat(path, info);
}

int TFaultyFileSystem::LStat(const std::string& path, TFileInfo& info) {
  if (int err = Fault(TFsOp::LStat)) return err;
  return FReal.LStat(path, info);
}

int TFaultyFileSystem::ReadLink(const std::string& path, std::string& target) {
  if (int err = Fault(TFsOp::ReadLink)) return err;
  return FReal.ReadLink(path, target);
}

int TFaultyFileSystem::CheckWritable(const std::string& path) {
  if (int err = Fault(TFsOp::CheckWritable)) return err;
  return FReal.CheckWritable(path);
}

int TFaultyFileSystem::Rename(const std::string& oldPath, const std::string& newPath) {
  if (int err = Fault(TFsOp::Rename)) return err;
  return FReal.Rename(oldPath, newPath);
}

int TFaultyFileSystem::Replace(const std::string& replacement, const std::string& target) {
  if (int err = Fault(TFsOp::Rename)) return err;
  return FReal.Replace(replacement, target);
}

int TFaultyFileSystem::Link(const std::string& existingPath, const std::string& newPath) {
  if (int err = Fault(TFsOp::Link)) return err;
  return FReal.Link(existingPath, newPath);
}

int TFaultyFileSystem::Unlink(const std::string& path) {
  if (int err = Fault(TFsOp::Unlink)) return err;
  return FReal.Unlink(path);
}

int TFaultyFileSystem::SyncFolder(const std::string& path) {
  if (int err = Fault(TFsOp::SyncFolder)) return err;
  return FReal.SyncFolder(path);
}

std::string TFaultyFileSystem::TempFolder() {
  return FTempFolder.empty() ? FReal.TempFolder() : FTempFolder;
}

}  // namespace quilmo::test
