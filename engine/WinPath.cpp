#include "engine/WinPath.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>

namespace quilmo {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

struct TErrorPair {
  DWORD Win32;
  int Errno;
};

constexpr TErrorPair kErrors[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_NET_NAME, ENOENT},
    {ERROR_BAD_PATHNAME, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_CANNOT_MAKE, EACCES},
    {ERROR_UNABLE_TO_REMOVE_REPLACED, EACCES},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT, EACCES},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, EACCES},
    {ERROR_PRIVILEGE_NOT_HELD, EPERM},
    {ERROR_INVALID_FUNCTION, EPERM},
    {ERROR_NOT_SUPPORTED, EPERM},
    {ERROR_SHARING_VIOLATION, ETXTBSY},
    {ERROR_LOCK_VIOLATION, ETXTBSY},
    {ERROR_USER_MAPPED_FILE, ETXTBSY},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_NOT_SAME_DEVICE, EXDEV},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_BUFFER_OVERFLOW, ENAMETOOLONG},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_OUTOFMEMORY, ENOMEM},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_INVALID_HANDLE, EBADF},
    {ERROR_INVALID_NAME, EINVAL},
    {ERROR_INVALID_PARAMETER, EINVAL},
    {ERROR_NO_UNICODE_TRANSLATION, EINVAL},
    {ERROR_CANT_RESOLVE_FILENAME, ELOOP},
    {ERROR_TOO_MANY_LINKS, EMLINK},
    {ERROR_SEM_TIMEOUT, ETIMEDOUT},
    {ERROR_BUSY, EBUSY},
    {ERROR_FILE_TOO_LARGE, EFBIG},
    {ERROR_NOT_READY, ENXIO},
    {ERROR_DEV_NOT_EXIST, ENODEV},
};

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool WideFromUtf8(std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (size <= 0) return false;
  wide.resize(static_cast<size_t>(size));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), size) == size;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
  return text;
}

int LongPath(const std::string& path, std::wstring& result) {
  std::wstring wide;
  if (path.empty()) return ENOENT;
  if (!WideFromUtf8(path, wide) || wide.find(L'\0') != std::wstring::npos) return EINVAL;
  if (StartsWith(wide, kLongPrefix)) {
    // Taken as written by the system: only the separators are made its own.
    for (wchar_t& c : wide)
      if (c == L'/') c = L'\\';
    result = std::move(wide);
    return 0;
  }
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size == 0) return ErrnoFromWin32(GetLastError());
    if (size < full.size()) {
      full.resize(size);
      break;
    }
    full.resize(size);  // the size needed, terminating null included
  }
  if (StartsWith(full, kDevicePrefix)) {
    result = std::move(full);
  } else if (full.size() >= 2 && full[0] == L'\\' && full[1] == L'\\') {
    result = std::wstring(kLongUncPrefix) + full.substr(2);
  } else {
    result = std::wstring(kLongPrefix) + full;
  }
  return 0;
}

std::wstring WithoutLongPathPrefix(std::wstring_view path) {
  if (StartsWith(path, kLongUncPrefix)) return L"\\\\" + std::wstring(path.substr(kLongUncPrefix.size()));
  if (StartsWith(path, kLongPrefix)) return std::wstring(path.substr(kLongPrefix.size()));
  return std::wstring(path);
}

int ErrnoFromWin32(uint32_t code) {
  for (const TErrorPair& pair : kErrors)
    if (pair.Win32 == code) return pair.Errno;
  return EIO;
}

}  // namespace quilmo
