// How names are taken and compared: as they are on Linux, where letter case and a trailing "."
// make other files; with the system's rules on Windows.

#include <gtest/gtest.h>

#include <string>

#include "engine/FileSystem.h"

namespace quilmo {
namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

TEST(FileNameRules, SameFileAndNormalForm) {
  const struct {
    std::string A;
    std::string B;
    bool SameOnWindows;
  } pairs[] = {
      {"a.txt", "a.txt", true},
      {"a.txt", "A.txt", true},
      {"/d/notes", "/D/NOTES", true},
      {"a.txt", "a.txt.", false},
      {"\xC3\xA9.txt", "\xC3\x89.txt", false},  // only ASCII letters fold
      {"a.txt", "b.txt", false},
      {"a", "a ", false},
  };
  for (const auto& p : pairs) {
    const bool same = p.A == p.B || (kWindows && p.SameOnWindows);
    EXPECT_EQ(SameFileName(p.A, p.B), same) << p.A << " / " << p.B;
    EXPECT_EQ(SameFileName(p.B, p.A), same) << p.B << " / " << p.A;
  }
  const struct {
    std::string Name;
    std::string OnWindows;
  } names[] = {
      {"notes.", "notes"}, {"only.", "only"}, {"a..", "a."},      {".", "."},
      {"x", "x"},          {"", ""},          {"a.txt", "a.txt"},
  };
  for (const auto& n : names) EXPECT_EQ(NormalizeFileName(n.Name), kWindows ? n.OnWindows : n.Name) << n.Name;
}

}  // namespace
}  // namespace quilmo
