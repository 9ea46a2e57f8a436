#include "engine/FileSystemWin.h"

// The Windows implementation of the file layer's system calls.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <random>

#include "engine/FileError.h"
#include "engine/TransientRetry.h"
#include "engine/WinPath.h"

namespace quilmo {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Files being written let others read them, and rename or remove them.
constexpr DWORD kShareWriting = FILE_SHARE_READ | FILE_SHARE_DELETE;
constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
constexpr DWORD kReplaceFlags = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
constexpr size_t kMaxTransfer = 1u << 30;  // one ReadFile or WriteFile
constexpr int kBackupNameAttempts = 100;
constexpr int64_t kUnixEpochInFileTime = 116444736000000000;  // 1970-01-01 in 100 ns since 1601

// Refusals that scanners, indexers and backup tools cause for a moment.
bool IsTransient(uint32_t code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED ||
         code == ERROR_UNABLE_TO_REMOVE_REPLACED || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

uint32_t LastErrorIf(bool failed) {
  return failed ? GetLastError() : 0;
}

int Errno(uint32_t code) {
  return code == 0 ? 0 : ErrnoFromWin32(code);
}

void FillInfo(const BY_HANDLE_FILE_INFORMATION& data, TFileInfo& info) {
  const DWORD attributes = data.dwFileAttributes;
  info.IsDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.IsRegular = !info.IsDirectory && (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
  info.IsSymlink = false;
  info.Kind = info.IsDirectory ? TFileKind::Directory
              : info.IsRegular ? TFileKind::Regular
                               : TFileKind::Device;
  if (info.IsDirectory) {
    info.Mode = 0777;
  } else {
    info.Mode = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  }
  info.Owner = 0;
  info.Group = 0;
  info.LinkCount = data.nNumberOfLinks;
  info.Size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.Device = data.dwVolumeSerialNumber;
  info.Inode = (static_cast<uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow;
  const int64_t written =
      static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime);
  info.ModifiedTime = (written - kUnixEpochInFileTime) * 100;
}

int StatHandle(HANDLE handle, TFileInfo& info) {
  BY_HANDLE_FILE_INFORMATION data;
  if (!GetFileInformationByHandle(handle, &data)) return Errno(GetLastError());
  const DWORD type = GetFileType(handle);
  if (type != FILE_TYPE_DISK) data.dwFileAttributes |= FILE_ATTRIBUTE_DEVICE;
  FillInfo(data, info);
  if (type == FILE_TYPE_PIPE) info.Kind = TFileKind::Fifo;
  return 0;
}

bool IsSymbolicLink(HANDLE handle) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  return GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) &&
         (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && tag.ReparseTag == IO_REPARSE_TAG_SYMLINK;
}

class TWinHandleGuard {
 public:
  explicit TWinHandleGuard(HANDLE handle) : FHandle(handle) {}
  ~TWinHandleGuard() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
  }
  TWinHandleGuard(const TWinHandleGuard&) = delete;
  TWinHandleGuard& operator=(const TWinHandleGuard&) = delete;
  HANDLE Get() const { return FHandle; }

 private:
  HANDLE FHandle;
};

// The full name of an open file, every link and junction on its way resolved.
int FinalPath(HANDLE handle, std::wstring& path) {
  path.assign(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                 FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (size == 0) return Errno(GetLastError());
    if (size < path.size()) {
      path.resize(size);
      return 0;
    }
    path.resize(size);  // the size needed, terminating null included
  }
}

// The layout of a symbolic link's reparse data (REPARSE_DATA_BUFFER of the driver kit).
struct TSymlinkReparseData {
  ULONG ReparseTag;
  USHORT ReparseDataLength;
  USHORT Reserved;
  USHORT SubstituteNameOffset;
  USHORT SubstituteNameLength;
  USHORT PrintNameOffset;
  USHORT PrintNameLength;
  ULONG Flags;
  WCHAR PathBuffer[1];
};

// The text of a symbolic link whose target does not exist, relative or absolute as written.
int LinkText(const std::wstring& link, std::string& target) {
  TWinHandleGuard handle(CreateFileW(link.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle.Get() == INVALID_HANDLE_VALUE) return Errno(GetLastError());
  std::vector<unsigned char> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD size = 0;
  if (!DeviceIoControl(handle.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                       static_cast<DWORD>(buffer.size()), &size, nullptr))
    return Errno(GetLastError());
  TSymlinkReparseData data;
  const size_t header = offsetof(TSymlinkReparseData, PathBuffer);
  if (size < header) return EINVAL;
  std::memcpy(&data, buffer.data(), header);
  if (data.ReparseTag != IO_REPARSE_TAG_SYMLINK) return EINVAL;
  const bool printed = data.PrintNameLength > 0;
  const size_t offset = printed ? data.PrintNameOffset : data.SubstituteNameOffset;
  const size_t length = printed ? data.PrintNameLength : data.SubstituteNameLength;
  if (header + offset + length > size) return EINVAL;
  std::wstring text(length / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), buffer.data() + header + offset, text.size() * sizeof(wchar_t));
  if (!printed && text.rfind(L"\\??\\", 0) == 0) text[1] = L'\\';  // the system's "\??\" is "\\?\"
  target = Utf8FromWide(WithoutLongPathPrefix(text));
  return 0;
}

// A name in the folder of `path` (a long path) that no file has yet.
bool FreeNameBeside(const std::wstring& path, std::wstring& name) {
  static std::mt19937_64 generator(
      std::random_device{}() ^
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  const size_t slash = path.find_last_of(L'\\');
  const std::wstring folder = path.substr(0, slash + 1);
  const std::wstring base = path.substr(slash + 1, 200);
  static const wchar_t kHex[] = L"0123456789abcdef";
  for (int attempt = 0; attempt < kBackupNameAttempts; ++attempt) {
    std::wstring suffix(8, L'0');
    uint64_t bits = generator();
    for (wchar_t& c : suffix) {
      c = kHex[bits & 15];
      bits >>= 4;
    }
    name = folder + L"." + base + L"." + suffix + L".old";
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
      return true;
  }
  return false;
}

// The number of names of an existing file (0 when it cannot be told).
DWORD LinkCountOf(const std::wstring& path) {
  TWinHandleGuard handle(
      CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION data;
  if (handle.Get() == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle.Get(), &data)) return 0;
  return data.nNumberOfLinks;
}

}  // namespace

TWinFileCalls SystemWinFileCalls() {
  TWinFileCalls calls;
  calls.Replace = [](const std::wstring& replaced, const std::wstring& replacement,
                     const std::wstring& backup) -> uint32_t {
    return LastErrorIf(!ReplaceFileW(replaced.c_str(), replacement.c_str(), backup.c_str(), kReplaceFlags,
                                     nullptr, nullptr));
  };
  calls.Move = [](const std::wstring& from, const std::wstring& to, uint32_t flags) -> uint32_t {
    return LastErrorIf(!MoveFileExW(from.c_str(), to.c_str(), flags));
  };
  calls.Pause = [](unsigned milliseconds) { Sleep(milliseconds); };
  return calls;
}

TWinFileSystem::TWinFileSystem(TWinFileCalls calls) : FCalls(std::move(calls)) {}

TWinFileSystem::~TWinFileSystem() = default;

TFileHandle TWinFileSystem::AddHandle(void* handle) {
  std::lock_guard lock(FMutex);
  auto free = std::find(FHandles.begin(), FHandles.end(), nullptr);
  if (free == FHandles.end()) free = FHandles.insert(free, nullptr);
  *free = handle;
  return static_cast<TFileHandle>(free - FHandles.begin());
}

void* TWinFileSystem::HandleOf(TFileHandle handle) {
  std::lock_guard lock(FMutex);
  if (handle < 0 || static_cast<size_t>(handle) >= FHandles.size() || FHandles[handle] == nullptr)
    return INVALID_HANDLE_VALUE;
  return FHandles[handle];
}

void* TWinFileSystem::TakeHandle(TFileHandle handle) {
  std::lock_guard lock(FMutex);
  if (handle < 0 || static_cast<size_t>(handle) >= FHandles.size() || FHandles[handle] == nullptr)
    return INVALID_HANDLE_VALUE;
  void* taken = FHandles[handle];
  FHandles[handle] = nullptr;
  return taken;
}

uint32_t TWinFileSystem::Retried(const std::function<uint32_t()>& call) {
  return RetryTransient(call, IsTransient, FCalls.Pause);
}

int TWinFileSystem::Open(const std::string& path, uint32_t access, uint32_t share, uint32_t disposition,
                         uint32_t attributes, TFileHandle& handle) {
  handle = -1;
  std::wstring name;
  if (int err = LongPath(path, name)) return err;
  HANDLE opened = INVALID_HANDLE_VALUE;
  const uint32_t code = Retried([&] {
    opened = CreateFileW(name.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    return LastErrorIf(opened == INVALID_HANDLE_VALUE);
  });
  if (code != 0) return Errno(code);
  handle = AddHandle(opened);
  return 0;
}

int TWinFileSystem::OpenRead(const std::string& path, TFileHandle& handle) {
  return Open(path, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, handle);
}

int TWinFileSystem::CreateNew(const std::string& path, uint32_t mode, TFileHandle& handle) {
  const DWORD attributes = (mode & 0222) == 0 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
  return Open(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, kShareWriting, CREATE_NEW, attributes, handle);
}

int TWinFileSystem::OpenWrite(const std::string& path, TFileHandle& handle) {
  return Open(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, kShareWriting, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
              handle);
}

int TWinFileSystem::Read(TFileHandle handle, char* buffer, size_t size, size_t& done) {
  done = 0;
  DWORD read = 0;
  if (!ReadFile(HandleOf(handle), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &read, nullptr)) {
    const DWORD code = GetLastError();
    return code == ERROR_HANDLE_EOF || code == ERROR_BROKEN_PIPE ? 0 : Errno(code);
  }
  done = read;
  return 0;
}

int TWinFileSystem::Write(TFileHandle handle, const char* buffer, size_t size, size_t& done) {
  done = 0;
  DWORD written = 0;
  if (!WriteFile(HandleOf(handle), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &written,
                 nullptr))
    return Errno(GetLastError());
  done = written;
  return 0;
}

int TWinFileSystem::Truncate(TFileHandle handle, uint64_t size) {
  // Sets the end of the file without moving the file pointer, as ftruncate.
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  return Errno(
      LastErrorIf(!SetFileInformationByHandle(HandleOf(handle), FileEndOfFileInfo, &end, sizeof end)));
}

int TWinFileSystem::Sync(TFileHandle handle) {
  return Errno(LastErrorIf(!FlushFileBuffers(HandleOf(handle))));
}

int TWinFileSystem::Close(TFileHandle handle) {
  HANDLE taken = TakeHandle(handle);
  if (taken == INVALID_HANDLE_VALUE) return EBADF;
  return Errno(LastErrorIf(!CloseHandle(taken)));
}

int TWinFileSystem::FileStat(TFileHandle handle, TFileInfo& info) {
  return StatHandle(HandleOf(handle), info);
}

int TWinFileSystem::ChangeMode(TFileHandle handle, uint32_t mode) {
  HANDLE file = HandleOf(handle);
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) return Errno(GetLastError());
  DWORD attributes = basic.FileAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  if ((mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  if (attributes == basic.FileAttributes) return 0;
  FILE_BASIC_INFO change{};  // zero times: left as they are
  change.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
  return Errno(LastErrorIf(!SetFileInformationByHandle(file, FileBasicInfo, &change, sizeof change)));
}

int TWinFileSystem::ChangeOwner(TFileHandle, uint32_t, uint32_t) {
  return 0;  // owners belong to the file's security, which Replace keeps
}

int TWinFileSystem::StatPath(const std::string& path, uint32_t flags, TFileInfo& info) {
  std::wstring name;
  if (int err = LongPath(path, name)) return err;
  TWinHandleGuard handle(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
  if (handle.Get() == INVALID_HANDLE_VALUE) return Errno(GetLastError());
  if (int err = StatHandle(handle.Get(), info)) return err;
  if ((flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0 && IsSymbolicLink(handle.Get())) {
    info.IsSymlink = true;
    info.Kind = TFileKind::Symlink;
    info.IsRegular = false;
    info.IsDirectory = false;
  }
  return 0;
}

int TWinFileSystem::Stat(const std::string& path, TFileInfo& info) {
  return StatPath(path, 0, info);
}

int TWinFileSystem::LStat(const std::string& path, TFileInfo& info) {
  return StatPath(path, FILE_FLAG_OPEN_REPARSE_POINT, info);
}

int TWinFileSystem::ReadLink(const std::string& path, std::string& target) {
  std::wstring name;
  if (int err = LongPath(path, name)) return err;
  TWinHandleGuard handle(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle.Get() == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return LinkText(name, target);
    return Errno(code);
  }
  std::wstring final;
  if (int err = FinalPath(handle.Get(), final)) return err;
  target = Utf8FromWide(WithoutLongPathPrefix(final));
  return 0;
}

int TWinFileSystem::CheckWritable(const std::string& path) {
  std::wstring name;
  if (int err = LongPath(path, name)) return err;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Errno(GetLastError());
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return EACCES;
  // The file's security may still refuse writing: ask the system by opening it.
  HANDLE file = INVALID_HANDLE_VALUE;
  const uint32_t code = Retried([&] {
    file = CreateFileW(name.c_str(), FILE_WRITE_DATA, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    return LastErrorIf(file == INVALID_HANDLE_VALUE);
  });
  if (code != 0) return Errno(code);
  CloseHandle(file);
  return 0;
}

int TWinFileSystem::Rename(const std::string& oldPath, const std::string& newPath) {
  std::wstring from, to;
  if (int err = LongPath(oldPath, from)) return err;
  if (int err = LongPath(newPath, to)) return err;
  return Errno(Retried([&] { return MoveOver(from, to); }));
}

uint32_t TWinFileSystem::MoveOver(const std::wstring& from, const std::wstring& to) {
  const uint32_t code = FCalls.Move(from, to, kMoveFlags);
  if (code != ERROR_ACCESS_DENIED) return code;
  // Windows refuses to replace a read-only file; the attribute is cleared for the move and set
  // again if the move still fails. A file with other names keeps it: they would lose it too.
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != FILE_ATTRIBUTE_READONLY ||
      LinkCountOf(to) != 1)
    return code;
  const DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  if (!SetFileAttributesW(to.c_str(), writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL)) return code;
  const uint32_t moved = FCalls.Move(from, to, kMoveFlags);
  if (moved != 0) SetFileAttributesW(to.c_str(), attributes);
  return moved;
}

int TWinFileSystem::Replace(const std::string& replacement, const std::string& target) {
  std::wstring from, to;
  if (int err = LongPath(replacement, from)) return err;
  if (int err = LongPath(target, to)) return err;
  if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND) return Errno(code);
    // Nothing to keep: the new file is moved in, durably.
    return Errno(Retried([&] { return FCalls.Move(from, to, kMoveFlags); }));
  }
  return Errno(ReplaceExisting(from, to, target));
}

uint32_t TWinFileSystem::ReplaceExisting(const std::wstring& replacement, const std::wstring& target,
                                         const std::string& targetName) {
  std::wstring backup;
  if (!FreeNameBeside(target, backup)) return ERROR_FILE_EXISTS;
  uint32_t restoreError = 0;
  const uint32_t code = Retried([&]() -> uint32_t {
    const uint32_t result = FCalls.Replace(target, replacement, backup);
    if (result != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) return result;
    // The old file went to the backup name, the new one stayed where it was: the old one is
    // put back under its name (never over a file that took the name meanwhile), and the
    // replace may be tried again.
    restoreError = Retried([&] { return FCalls.Move(backup, target, MOVEFILE_WRITE_THROUGH); });
    return restoreError == 0 ? ERROR_UNABLE_TO_MOVE_REPLACEMENT : result;  // the latter ends the retries
  });
  if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    // The old file is nowhere but under the backup name: it stays there, and the user is told.
    throw EFileError::NotRestored(
        EFileError::FromSystem("Impossible d'enregistrer le fichier", targetName, Errno(code)),
        Errno(restoreError), Utf8FromWide(WithoutLongPathPrefix(backup)));
  }
  // The old version is no longer needed (best effort: the new one is in place).
  if (code == 0) Retried([&] { return LastErrorIf(!DeleteFileW(backup.c_str())); });
  return code;
}

int TWinFileSystem::Link(const std::string& existingPath, const std::string& newPath) {
  std::wstring existing, created;
  if (int err = LongPath(existingPath, existing)) return err;
  if (int err = LongPath(newPath, created)) return err;
  return Errno(LastErrorIf(!CreateHardLinkW(created.c_str(), existing.c_str(), nullptr)));
}

int TWinFileSystem::Unlink(const std::string& path) {
  std::wstring name;
  if (int err = LongPath(path, name)) return err;
  return Errno(Retried([&] { return LastErrorIf(!DeleteFileW(name.c_str())); }));
}

int TWinFileSystem::SyncFolder(const std::string& path) {
  // Moves are written through; flushing the folder as well is what NTFS allows and best effort.
  std::wstring name;
  if (int err = LongPath(path, name)) return err;
  TWinHandleGuard folder(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (folder.Get() == INVALID_HANDLE_VALUE) return Errno(GetLastError());
  return Errno(LastErrorIf(!FlushFileBuffers(folder.Get())));
}

std::string TWinFileSystem::TempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD size = GetTempPathW(MAX_PATH + 1, buffer);
  if (size == 0 || size > MAX_PATH) return "C:\\Windows\\Temp";
  while (size > 3 && (buffer[size - 1] == L'\\' || buffer[size - 1] == L'/')) --size;
  return Utf8FromWide(std::wstring_view(buffer, size));
}

TFileSystem& DefaultFileSystem() {
  static TWinFileSystem fileSystem;
  return fileSystem;
}

}  // namespace quilmo
