// The size and time a document's file had when it was loaded or saved, and how a later change
// on disk is told from no change.

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

struct TChangeCase {
  const char* Name;
  std::function<void(const std::string& path)> Change;
  bool Changed;
};

class DiskStampTest : public ::testing::TestWithParam<TChangeCase> {};

TEST_P(DiskStampTest, TellsAnotherProgramsChangeOnly) {
  test::TTempDir dir;
  const std::string path = dir.File("doc.txt");
  WriteFileBytes(path, "abc\r\n");
  TDiskStamp stamp;
  stamp.Take(DefaultFileSystem(), path);
  GetParam().Change(path);
  EXPECT_EQ(stamp.ChangedOnDisk(DefaultFileSystem(), path), GetParam().Changed);
}

// The modification time a change leaves depends on the clock's grain: it is moved explicitly.
void Touch(const std::string& path) {
  fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiskStampTest,
    ::testing::Values(TChangeCase{"Untouched", [](const std::string&) {}, false},
                      TChangeCase{"OtherSize", [](const std::string& p) { WriteFileBytes(p, "abcd\r\n"); },
                                  true},
                      TChangeCase{"SameSizeNewTime",
                                  [](const std::string& p) {
                                    WriteFileBytes(p, "xyz\r\n");
                                    Touch(p);
                                  },
                                  true},
                      TChangeCase{"Deleted", [](const std::string& p) { fs::remove(p); }, false},
                      TChangeCase{"TurnedIntoFolder",
                                  [](const std::string& p) {
                                    fs::remove(p);
                                    fs::create_directory(p);
                                  },
                                  false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DiskStampOtherTest, OnlyTheStampedPathCounts) {
  test::TTempDir dir;
  const std::string path = dir.File("doc.txt");
  WriteFileBytes(path, "abc");
  TDiskStamp stamp;
  EXPECT_FALSE(stamp.ChangedOnDisk(DefaultFileSystem(), path)) << "nothing taken";
  stamp.Take(DefaultFileSystem(), path);
  WriteFileBytes(path, "abcdef");
  EXPECT_FALSE(stamp.ChangedOnDisk(DefaultFileSystem(), dir.File("other.txt")));
  EXPECT_TRUE(stamp.ChangedOnDisk(DefaultFileSystem(), path));
  stamp.Take(DefaultFileSystem(), path);
  EXPECT_FALSE(stamp.ChangedOnDisk(DefaultFileSystem(), path)) << "taken again after the save";
  stamp.Clear();
  WriteFileBytes(path, "a");
  EXPECT_FALSE(stamp.ChangedOnDisk(DefaultFileSystem(), path)) << "cleared";
}

}  // namespace
}  // namespace quilmo
