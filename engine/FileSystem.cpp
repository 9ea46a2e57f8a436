#include "engine/FileSystem.h"

// The POSIX implementation. Every system call of the file layer is made here, so that another
// platform needs only another implementation of TFileSystem.

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>

#include <vector>

namespace quilmo {

namespace {

TFileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return TFileKind::Regular;
  if (S_ISDIR(mode)) return TFileKind::Directory;
  if (S_ISLNK(mode)) return TFileKind::Symlink;
  if (S_ISFIFO(mode)) return TFileKind::Fifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return TFileKind::Device;
  if (S_ISSOCK(mode)) return TFileKind::Socket;
  return TFileKind::Other;
}

void FillInfo(const struct stat& st, TFileInfo& info) {
  info.Kind = KindOf(st.st_mode);
  info.IsRegular = S_ISREG(st.st_mode);
  info.IsDirectory = S_ISDIR(st.st_mode);
  info.IsSymlink = S_ISLNK(st.st_mode);
  info.Mode = st.st_mode & 07777;
  info.Owner = st.st_uid;
  info.Group = st.st_gid;
  info.LinkCount = st.st_nlink;
  info.Size = static_cast<uint64_t>(st.st_size);
  info.Device = st.st_dev;
  info.Inode = st.st_ino;
  info.ModifiedTime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

int Result(int rc) {
  return rc == 0 ? 0 : errno;
}

// Slices beyond the system's limit for one call are left to the next call (a partial write).
constexpr size_t kMaxSlices = IOV_MAX;

class TPosixFileSystem : public TFileSystem {
 public:
  int OpenRead(const std::string& path, TFileHandle& handle) override {
    // Without O_NONBLOCK, opening a FIFO waits for a writer, for ever if none comes. Reads
    // wait as usual once the descriptor is open.
    if (int err = OpenFile(path, O_RDONLY | O_NONBLOCK, 0, handle)) return err;
    const int flags = ::fcntl(handle, F_GETFL);
    if (flags == -1 || ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) == -1) {
      const int err = errno;
      ::close(handle);
      handle = -1;
      return err;
    }
    return 0;
  }

  int CreateNew(const std::string& path, uint32_t mode, TFileHandle& handle) override {
    return OpenFile(path, O_WRONLY | O_CREAT | O_EXCL, mode, handle);
  }

  int OpenWrite(const std::string& path, TFileHandle& handle) override {
    return OpenFile(path, O_WRONLY, 0, handle);
  }

  int Read(TFileHandle handle, char* buffer, size_t size, size_t& done) override {
    done = 0;
    for (;;) {
      ssize_t n = ::read(handle, buffer, size);
      if (n >= 0) {
        done = static_cast<size_t>(n);
        return 0;
      }
      if (errno != EINTR) return errno;
    }
  }

  int Write(TFileHandle handle, const char* buffer, size_t size, size_t& done) override {
    done = 0;
    for (;;) {
      ssize_t n = ::write(handle, buffer, size);
      if (n >= 0) {
        done = static_cast<size_t>(n);
        return 0;
      }
      if (errno != EINTR) return errno;
    }
  }

  int WriteGathered(TFileHandle handle, const TByteSlice* slices, size_t count, size_t& done) override {
    done = 0;
    std::array<iovec, kMaxSlices> vector;
    const size_t n = std::min(count, vector.size());
    for (size_t i = 0; i < n; ++i) vector[i] = {const_cast<char*>(slices[i].Data), slices[i].Size};
    for (;;) {
      ssize_t written = ::writev(handle, vector.data(), static_cast<int>(n));
      if (written >= 0) {
        done = static_cast<size_t>(written);
        return 0;
      }
      if (errno != EINTR) return errno;
    }
  }

  int Truncate(TFileHandle handle, uint64_t size) override {
    for (;;) {
      if (::ftruncate(handle, static_cast<off_t>(size)) == 0) return 0;
      if (errno != EINTR) return errno;
    }
  }

  int Sync(TFileHandle handle) override { return Result(::fsync(handle)); }

  void StartWriteback(TFileHandle handle) override {
#if defined(SYNC_FILE_RANGE_WRITE)
    // From the start to the end of the file; pages already on their way are left alone.
    (void)::sync_file_range(handle, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)handle;
#endif
  }

  int Close(TFileHandle handle) override {
    // On Linux the descriptor is released even when close reports EINTR: no retry.
    return Result(::close(handle));
  }

  int FileStat(TFileHandle handle, TFileInfo& info) override {
    struct stat st;
    if (::fstat(handle, &st) != 0) return errno;
    FillInfo(st, info);
    return 0;
  }

  int ChangeMode(TFileHandle handle, uint32_t mode) override {
    return Result(::fchmod(handle, static_cast<mode_t>(mode)));
  }

  int ChangeOwner(TFileHandle handle, uint32_t owner, uint32_t group) override {
    return Result(::fchown(handle, static_cast<uid_t>(owner), static_cast<gid_t>(group)));
  }

  int Stat(const std::string& path, TFileInfo& info) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return errno;
    FillInfo(st, info);
    return 0;
  }

  int LStat(const std::string& path, TFileInfo& info) override {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return errno;
    FillInfo(st, info);
    return 0;
  }

  int ReadLink(const std::string& path, std::string& target) override {
    std::vector<char> buffer(256);
    for (;;) {
      ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
      if (n < 0) return errno;
      if (static_cast<size_t>(n) < buffer.size()) {
        target.assign(buffer.data(), static_cast<size_t>(n));
        return 0;
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  int CheckWritable(const std::string& path) override {
    return Result(::access(path.c_str(), W_OK));
  }

  int Rename(const std::string& oldPath, const std::string& newPath) override {
    return Result(::rename(oldPath.c_str(), newPath.c_str()));
  }

  int Link(const std::string& existingPath, const std::string& newPath) override {
    return Result(::link(existingPath.c_str(), newPath.c_str()));
  }

  int Unlink(const std::string& path) override {
    return Result(::unlink(path.c_str()));
  }

  int SyncFolder(const std::string& path) override {
    TFileHandle handle;
    int err = OpenFile(path, O_RDONLY | O_DIRECTORY, 0, handle);
    if (err != 0) return err;
    err = Result(::fsync(handle));
    ::close(handle);
    return err;
  }

  std::string TempFolder() override {
    const char* dir = std::getenv("TMPDIR");
    if (dir != nullptr && *dir != '\0') return dir;
    return "/tmp";
  }

 private:
  static int OpenFile(const std::string& path, int flags, uint32_t mode, TFileHandle& handle) {
    handle = -1;
    for (;;) {
      int fd = ::open(path.c_str(), flags | O_CLOEXEC, static_cast<mode_t>(mode));
      if (fd >= 0) {
        handle = fd;
        return 0;
      }
      if (errno != EINTR) return errno;
    }
  }
};

}  // namespace

TFileSystem& DefaultFileSystem() {
  static TPosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace quilmo
