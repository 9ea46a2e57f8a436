// Path helpers of the file layer: pure string work, with the rules of the system the program is
// built for. On Windows both separators are accepted and a path may start with a root that is
// more than one separator: a drive ("C:\", or "C:" alone, relative to that drive's current
// folder), a share ("\\server\share\") or a long-path prefix ("\\?\C:\", "\\?\UNC\server\share\").

#include <cstddef>
#include <string>

#include "engine/FileSystem.h"

namespace quilmo {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The end of the path component starting at `from`, past one separator after it.
size_t PastComponent(const std::string& path, size_t from) {
  while (from < path.size() && !IsSeparator(path[from])) ++from;
  return from < path.size() ? from + 1 : from;
}

bool StartsWithUnc(const std::string& path, size_t at) {
  if (path.size() < at + 4) return false;
  for (size_t i = 0; i < 3; ++i)
    if ((path[at + i] & ~0x20) != "UNC"[i]) return false;
  return IsSeparator(path[at + 3]);
}

// The length of the root: the part of the path that is no folder of its own.
size_t RootLength(const std::string& path) {
  const size_t size = path.size();
  if (size >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    if (size >= 4 && (path[2] == '?' || path[2] == '.') && IsSeparator(path[3])) {
      if (StartsWithUnc(path, 4)) return PastComponent(path, PastComponent(path, 8));
      if (size >= 6 && IsDriveLetter(path[4]) && path[5] == ':')
        return size >= 7 && IsSeparator(path[6]) ? 7 : 6;
      return PastComponent(path, 4);  // a device such as \\.\COM1
    }
    return PastComponent(path, PastComponent(path, 2));  // \\server\share\ .
  }
  if (size >= 2 && IsDriveLetter(path[0]) && path[1] == ':') return size >= 3 && IsSeparator(path[2]) ? 3 : 2;
  return size >= 1 && IsSeparator(path[0]) ? 1 : 0;
}

// "C:" alone names the current folder of drive C: a name is appended without a separator.
bool IsDriveRelativeRoot(const std::string& path) {
  return path.size() == 2 && IsDriveLetter(path[0]) && path[1] == ':';
}
#else
constexpr char kSeparator = '/';

bool IsSeparator(char c) {
  return c == kSeparator;
}

size_t RootLength(const std::string& path) {
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

bool IsDriveRelativeRoot(const std::string&) {
  return false;
}
#endif

}  // namespace

std::string FolderOf(const std::string& path) {
  const size_t root = RootLength(path);
  size_t end = path.size();
  while (end > root && end > 1 && IsSeparator(path[end - 1])) --end;  // "a/b/" is "a/b"
  size_t i = end;
  while (i > root && !IsSeparator(path[i - 1])) --i;
  if (i <= root) return root == 0 ? "." : path.substr(0, root);
  while (i - 1 > root && IsSeparator(path[i - 2])) --i;  // "a//b" -> "a"
  return path.substr(0, i - 1);
}

std::string NameOf(const std::string& path) {
  const size_t root = RootLength(path);
  size_t i = path.size();
  while (i > root && !IsSeparator(path[i - 1])) --i;
  return path.substr(i);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsDriveRelativeRoot(folder)) return folder + name;
  if (IsSeparator(folder.back())) return folder + name;
  return folder + kSeparator + name;
}

bool IsAbsolutePath(const std::string& path) {
  return RootLength(path) > 0 && !IsDriveRelativeRoot(path.substr(0, RootLength(path)));
}

#ifdef _WIN32
std::string NormalizeFileName(const std::string& name) {
  if (name.size() >= 2 && name.back() == '.') return name.substr(0, name.size() - 1);
  return name;
}

bool SameFileName(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}
#else
std::string NormalizeFileName(const std::string& name) {
  return name;
}

bool SameFileName(const std::string& a, const std::string& b) {
  return a == b;
}
#endif

}  // namespace quilmo
