#pragma once
// The file-system calls that reading and saving text files make, behind one interface, so that
// tests can make any single call fail and so that the system calls stay in FileSystem.cpp.
//
// Every operation returns 0 on success or an errno value; results come back through reference
// parameters. File handles are small non-negative integers owned by the caller until Close().
// Paths are UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>

namespace quilmo {

using TFileHandle = int;

// What a name stands for. Only regular files are read as text: a FIFO or a device may block
// or never end.
enum class TFileKind { Regular, Directory, Symlink, Fifo, Device, Socket, Other };

struct TFileInfo {
  TFileKind Kind = TFileKind::Other;
  bool IsRegular = false;
  bool IsDirectory = false;
  bool IsSymlink = false;  // only from LStat
  uint32_t Mode = 0;       // permission bits, including set-id and sticky bits
  uint32_t Owner = 0;
  uint32_t Group = 0;
  uint64_t LinkCount = 0;
  uint64_t Size = 0;
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t ModifiedTime = 0;  // last change of the contents, nanoseconds since 1970

  bool SameFileAs(const TFileInfo& other) const { return Device == other.Device && Inode == other.Inode; }
};

// A run of bytes for a gathered write.
struct TByteSlice {
  const char* Data = nullptr;
  size_t Size = 0;
};

class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  // Never waits in the open itself (a FIFO without a writer, a device): the caller checks what
  // it opened with FileStat before it reads.
  virtual int OpenRead(const std::string& path, TFileHandle& handle) = 0;
  // Creates a new file for writing; fails with EEXIST when the name is taken.
  virtual int CreateNew(const std::string& path, uint32_t mode, TFileHandle& handle) = 0;
  // Opens an existing file for writing without truncating it.
  virtual int OpenWrite(const std::string& path, TFileHandle& handle) = 0;
  // Reads up to size bytes; done = 0 at the end of the file.
  virtual int Read(TFileHandle handle, char* buffer, size_t size, size_t& done) = 0;
  // Writes up to size bytes at the current position (a partial write sets done < size).
  virtual int Write(TFileHandle handle, const char* buffer, size_t size, size_t& done) = 0;
  // Writes the slices one after the other at the current position, in one call where the
  // platform has one; done is the number of bytes written, fewer than the slices hold after a
  // partial write. The default passes the slices to Write in turn, stopping at a partial write.
  virtual int WriteGathered(TFileHandle handle, const TByteSlice* slices, size_t count, size_t& done);
  virtual int Truncate(TFileHandle handle, uint64_t size) = 0;
  virtual int Sync(TFileHandle handle) = 0;
  // Asks the system to start writing what was written to the file so far to the disk, without
  // waiting, so that a later Sync has less left to wait for. Only a hint: where the platform
  // has no such call it does nothing, and a failure would show in Sync.
  virtual void StartWriteback(TFileHandle /*handle*/) {}
  virtual int Close(TFileHandle handle) = 0;
  virtual int FileStat(TFileHandle handle, TFileInfo& info) = 0;
  virtual int ChangeMode(TFileHandle handle, uint32_t mode) = 0;
  virtual int ChangeOwner(TFileHandle handle, uint32_t owner, uint32_t group) = 0;

  // Stat follows symbolic links, LStat does not.
  virtual int Stat(const std::string& path, TFileInfo& info) = 0;
  virtual int LStat(const std::string& path, TFileInfo& info) = 0;
  virtual int ReadLink(const std::string& path, std::string& target) = 0;
  // 0 when the calling process may write to the file.
  virtual int CheckWritable(const std::string& path) = 0;
  // Replaces newPath atomically when it exists, read-only or not.
  virtual int Rename(const std::string& oldPath, const std::string& newPath) = 0;
  // Puts a finished new version of a file in its place: a rename over the target where the
  // target's own metadata is nothing but its mode and owner (copied beforehand by the caller);
  // where a file also carries security, attributes and streams, the target keeps them. Where
  // that takes more than one step and the target's previous version cannot be put back under its
  // name after a failed step, EFileError is raised instead of a code, naming where it is kept.
  virtual int Replace(const std::string& replacement, const std::string& target) {
    return Rename(replacement, target);
  }
  virtual int Link(const std::string& existingPath, const std::string& newPath) = 0;
  virtual int Unlink(const std::string& path) = 0;
  // Makes the folder's entries (created, renamed files) durable.
  virtual int SyncFolder(const std::string& path) = 0;
  // A folder for temporary files outside the document's folder.
  virtual std::string TempFolder() = 0;
};

// The platform's file system.
TFileSystem& DefaultFileSystem();

// Path helpers (pure string work, FilePaths.cpp). The folder of "a/b.txt" is "a", of "b.txt"
// ".", of "/b" "/"; on Windows the folder of "C:\b" is "C:\".
std::string FolderOf(const std::string& path);
// The last component: "b.txt" for "a/b.txt".
std::string NameOf(const std::string& path);
// folder + separator + name, without doubling a separator.
std::string JoinPath(const std::string& folder, const std::string& name);
bool IsAbsolutePath(const std::string& path);

// The name as the system takes it: on Windows a name of two or more characters loses one
// trailing "." (the system drops it); elsewhere the name is kept as given.
std::string NormalizeFileName(const std::string& name);
// Whether two spellings name the same file: compared as they are where the file system tells
// letter case apart (Linux), without regard to ASCII letter case on Windows.
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace quilmo
