// Windows file names: the pieces of a path with drives, shares and long-path prefixes, and the
// UTF-16 long-path form the system is given.

#include <gtest/gtest.h>

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
      {"C:/a/b.txt", "C:/a", "b.txt", true},
      {"C:\\a\\\\b.txt", "C:\\a", "b.txt", true},
      {"C:b.txt", "C:", "b.txt", false},
      {"a\\b.txt", "a", "b.txt", false},
      {"\\\\srv\\share\\b.txt", "\\\\srv\\share\\", "b.txt", true},
      {"\\\\?\\C:\\b.txt", "\\\\?\\C:\\", "b.txt", true},
      {"\\\\?\\UNC\\srv\\share\\d\\b.txt", "\\\\?\\UNC\\srv\\share\\d", "b.txt", true},
  };
  for (const TPathCase& c : cases) {
    EXPECT_EQ(FolderOf(c.Path), c.Folder) << c.Path;
    EXPECT_EQ(NameOf(c.Path), c.Name) << c.Path;
    EXPECT_EQ(IsAbsolutePath(c.Path), c.Absolute) << c.Path;
    EXPECT_EQ(FolderOf(JoinPath(c.Folder, c.Name)), c.Folder) << c.Path;
  }
  EXPECT_EQ(JoinPath("C:", "b"), "C:b");
  EXPECT_EQ(JoinPath("C:\\a", "b"), "C:\\a\\b");
}

TEST(FilePathsWin, LongPathForm) {
  const std::pair<std::string, std::wstring> cases[] = {
      {"C:/a/./x/../b.txt", L"\\\\?\\C:\\a\\b.txt"},
      {"\\\\srv\\share\\b.txt", L"\\\\?\\UNC\\srv\\share\\b.txt"},
      {"\\\\?\\C:\\a/b.txt", L"\\\\?\\C:\\a\\b.txt"},
      {"C:\\\xC3\xA9t\xC3\xA9\\\xE2\x82\xAC.txt", L"\\\\?\\C:\\\u00E9t\u00E9\\\u20AC.txt"},
      {"C:\\" + std::string(300, 'x'), L"\\\\?\\C:\\" + std::wstring(300, L'x')},
  };
  for (const auto& [path, expected] : cases) {
    std::wstring result;
    ASSERT_EQ(LongPath(path, result), 0) << path;
    EXPECT_EQ(result, expected) << path;
  }
  EXPECT_EQ(Utf8FromWide(WithoutLongPathPrefix(L"\\\\?\\UNC\\srv\\s")), "\\\\srv\\s");
  std::wstring result;
  EXPECT_EQ(LongPath("C:\\\xE9t\xE9.txt", result), EINVAL);  // Windows-1252, not UTF-8
  EXPECT_EQ(LongPath(std::string("C:\\a\0b", 6), result), EINVAL);
}

}  // namespace
}  // namespace quilmo
