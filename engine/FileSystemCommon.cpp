// The parts of the file layer that are the same on every system.

#include "engine/FileSystem.h"

namespace quilmo {

int TFileSystem::WriteGathered(TFileHandle handle, const TByteSlice* slices, size_t count, size_t& done) {
  done = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t written = 0;
    if (int err = Write(handle, slices[i].Data, slices[i].Size, written)) return done > 0 ? 0 : err;
    done += written;
    if (written < slices[i].Size) break;
  }
  return 0;
}

}  // namespace quilmo
