#pragma once
// What a document's file looked like on disk when it was last loaded or saved (size and
// modification time), so that a save can tell when another program changed the file since.

#include <cstdint>
#include <string>

#include "engine/FileSystem.h"

namespace quilmo {

class TDiskStamp {
 public:
  // Remembers the file as it is now; nothing when it cannot be examined.
  void Take(TFileSystem& fileSystem, const std::string& path);
  void Clear() { FPath.clear(); }
  // Remembers that the file at `path` no longer holds the text the document started from (a
  // recovery onto the text of before another program's change): ChangedOnDisk holds until
  // the next Take.
  void TakeChanged(const std::string& path);

  // The remembered file now has another size or modification time. False for another path,
  // when nothing was remembered, and when the file is gone or no longer a plain file (the save
  // then loses nothing, or fails with its own message).
  bool ChangedOnDisk(TFileSystem& fileSystem, const std::string& path) const;

 private:
  std::string FPath;
  std::uint64_t FSize = 0;
  std::int64_t FModifiedTime = 0;
  bool FKnownChanged = false;
};

}  // namespace quilmo
