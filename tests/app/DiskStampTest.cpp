// A document file changed by another program since it was loaded or saved.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "app/DiskStamp.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

namespace fs = std::filesystem;
using test::WriteFileBytes;

TEST(DiskStampTest, TellsAChangeOfSizeOrTimeOnly) {
  struct TCase {
    const char* Name;
    std::function<void(const std::string& path)> Change;
    bool Changed;
  } const cases[] = {
      {"untouched", [](const std::string&) {}, false},
      {"other size", [](const std::string& p) { WriteFileBytes(p, "abcd"); }, true},
      // The time a write leaves depends on the clock's grain: it is moved explicitly.
      {"same size, new time",
       [](const std::string& p) { fs::last_write_time(p, fs::last_write_time(p) + std::chrono::seconds(2)); },
       true},
      {"deleted", [](const std::string& p) { fs::remove(p); }, false},
      {"now a folder", [](const std::string& p) { fs::remove(p), fs::create_directory(p); }, false},
  };
  for (const TCase& c : cases) {
    test::TTempDir dir;
    const std::string path = dir.File("doc.txt");
    WriteFileBytes(path, "abc");
    TDiskStamp stamp;
    EXPECT_FALSE(stamp.ChangedOnDisk(DefaultFileSystem(), path)) << "nothing taken";
    stamp.Take(DefaultFileSystem(), path);
    c.Change(path);
    EXPECT_EQ(stamp.ChangedOnDisk(DefaultFileSystem(), path), c.Changed) << c.Name;
    EXPECT_FALSE(stamp.ChangedOnDisk(DefaultFileSystem(), dir.File("other.txt"))) << c.Name;
  }
}

}  // namespace
}  // namespace quilmo
