// Names are compared and kept as they are on Linux, where letter case and a trailing "." make
// other files; the Windows build keeps that system's rules.

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
    std::string A, B;
    bool SameOnWindows;
  } pairs[] = {{"a.txt", "a.txt", true},
               {"/d/a.TXT", "/D/A.txt", true},
               {"a", "a.", false},
               {"\xC3\xA9", "\xC3\x89", false}};  // only ASCII letters fold
  for (const auto& p : pairs)
    EXPECT_EQ(SameFileName(p.A, p.B), p.A == p.B || (kWindows && p.SameOnWindows)) << p.A << " / " << p.B;
  const std::pair<std::string, std::string> names[] = {
      {"notes.", "notes"}, {"a..", "a."}, {".", "."}, {"x", "x"}};
  for (const auto& [name, onWindows] : names) EXPECT_EQ(NormalizeFileName(name), kWindows ? onWindows : name);
}

}  // namespace
}  // namespace quilmo
