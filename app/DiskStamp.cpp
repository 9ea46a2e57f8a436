#include "app/DiskStamp.h"

namespace quilmo {

void TDiskStamp::Take(TFileSystem& fileSystem, const std::string& path) {
  TFileInfo info;
  if (path.empty() || fileSystem.Stat(path, info) != 0 || !info.IsRegular) {
    Clear();
    return;
  }
  FPath = path;
  FSize = info.Size;
  FModifiedTime = info.ModifiedTime;
  FKnownChanged = false;
}

void TDiskStamp::TakeChanged(const std::string& path) {
  FPath = path;
  FKnownChanged = true;
}

bool TDiskStamp::ChangedOnDisk(TFileSystem& fileSystem, const std::string& path) const {
  // The exact path: a name differing in case is another file where case counts.
  if (FPath.empty() || path != FPath) return false;
  TFileInfo info;
  // A file gone or turned into something else: the save itself says what happens.
  if (fileSystem.Stat(path, info) != 0 || !info.IsRegular) return false;
  return FKnownChanged || info.Size != FSize || info.ModifiedTime != FModifiedTime;
}

}  // namespace quilmo
