// Windows file names: the pieces of a path with drives, shares and long-path prefixes, and the
// UTF-16 long-path form the system is given.

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <string>

#include "engine/FileSystem.h"
#include "engine/WinPath.h"

namespace quilmo {
namespace {

struct TPathCase {
  const char* Path;
  const char* Folder;
  const char* Name;
  bool Absolute;
};

TEST(FilePathsWin, FolderNameAndAbsoluteness) {
  const TPathCase cases[] = {
      {"C:\\b.txt", "C:\\", "b.txt", true},
      {"C:/b.txt", "C:/", "b.txt", true},
      {"C:\\a\\b.txt", "C:\\a", "b.txt", true},
      {"C:\\a/b.txt", "C:\\a", "b.txt", true},
      {"C:\\a\\\\b.txt", "C:\\a", "b.txt", true},
      {"C:b.txt", "C:", "b.txt", false},
      {"a\\b.txt", "a", "b.txt", false},
      {"b.txt", ".", "b.txt", false},
      {"\\\\srv\\share\\b.txt", "\\\\srv\\share\\", "b.txt", true},
      {"\\\\srv\\share\\d\\b.txt", "\\\\srv\\share\\d", "b.txt", true},
      {"\\\\?\\C:\\b.txt", "\\\\?\\C:\\", "b.txt", true},
      {"\\\\?\\C:\\a\\b.txt", "\\\\?\\C:\\a", "b.txt", true},
      {"\\\\?\\UNC\\srv\\share\\b.txt", "\\\\?\\UNC\\srv\\share\\", "b.txt", true},
      {"\\b.txt", "\\", "b.txt", true},
  };
  for (const TPathCase& c : cases) {
    EXPECT_EQ(FolderOf(c.Path), c.Folder) << c.Path;
    EXPECT_EQ(NameOf(c.Path), c.Name) << c.Path;
    EXPECT_EQ(IsAbsolutePath(c.Path), c.Absolute) << c.Path;
    // A name joined to the folder gives the path back, up to the separator.
    std::string joined = JoinPath(FolderOf(c.Path), NameOf(c.Path));
    if (std::string(c.Folder) != ".") {
      EXPECT_EQ(FolderOf(joined), c.Folder) << c.Path;
    }
  }
  EXPECT_EQ(JoinPath("C:", "b"), "C:b");
  EXPECT_EQ(JoinPath("C:\\a", "b"), "C:\\a\\b");
}

struct TLongCase {
  const char* Path;
  const wchar_t* Long;
};

TEST(FilePathsWin, LongPathForm) {
  const TLongCase cases[] = {
      {"C:\\a\\b.txt", L"\\\\?\\C:\\a\\b.txt"},
      {"C:/a/./x/../b.txt", L"\\\\?\\C:\\a\\b.txt"},
      {"\\\\srv\\share\\b.txt", L"\\\\?\\UNC\\srv\\share\\b.txt"},
      {"\\\\?\\C:\\a/b.txt", L"\\\\?\\C:\\a\\b.txt"},
      {"C:\\\xC3\xA9t\xC3\xA9\\\xE2\x82\xAC.txt", L"\\\\?\\C:\\\u00E9t\u00E9\\\u20AC.txt"},
  };
  for (const TLongCase& c : cases) {
    std::wstring result;
    ASSERT_EQ(LongPath(c.Path, result), 0) << c.Path;
    EXPECT_EQ(result, c.Long) << c.Path;
  }
  // Relative names are made absolute against the current folder.
  std::wstring relative;
  ASSERT_EQ(LongPath("b.txt", relative), 0);
  EXPECT_EQ(relative.rfind(L"\\\\?\\", 0), 0u);
  EXPECT_EQ(relative.substr(relative.size() - 6), L"\\b.txt");
  // Longer than MAX_PATH: nothing cut.
  std::string deep = "C:";
  for (int i = 0; i < 40; ++i) deep += "\\folder" + std::to_string(i);
  std::wstring longForm;
  ASSERT_EQ(LongPath(deep, longForm), 0);
  EXPECT_EQ(Utf8FromWide(longForm), "\\\\?\\" + deep);
}

TEST(FilePathsWin, NamesThatAreNoUtf8AreRefused) {
  std::wstring result;
  EXPECT_EQ(LongPath("C:\\\xE9t\xE9.txt", result), EINVAL);  // Windows-1252, not UTF-8
  EXPECT_EQ(LongPath(std::string("C:\\a\0b", 6), result), EINVAL);
  EXPECT_EQ(LongPath("", result), ENOENT);
}

// The codes the writer acts upon: a taken temporary name is tried again (EEXIST), a folder
// refusing new files makes it write in place (EACCES), a missing file is a new one (ENOENT).
TEST(FilePathsWin, SystemErrorsBecomeTheFileLayersErrors) {
  const std::pair<DWORD, int> cases[] = {
      {ERROR_FILE_NOT_FOUND, ENOENT}, {ERROR_PATH_NOT_FOUND, ENOENT},     {ERROR_ACCESS_DENIED, EACCES},
      {ERROR_FILE_EXISTS, EEXIST},    {ERROR_ALREADY_EXISTS, EEXIST},     {ERROR_DISK_FULL, ENOSPC},
      {ERROR_WRITE_PROTECT, EROFS},   {ERROR_SHARING_VIOLATION, ETXTBSY}, {ERROR_CRC, EIO},
  };
  for (const auto& [code, expected] : cases) EXPECT_EQ(ErrnoFromWin32(code), expected) << code;
}

}  // namespace
}  // namespace quilmo
