// "Kel --help" and "Kel --version" answer without starting; every other command line starts.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/Usage.h"

namespace quilmo {
namespace {

struct TUsageCase {
  std::vector<const char*> Arguments;  // after the program name
  int ExitCode;
  const char* Printed;  // a part of the output, or "" for none
};

TEST(UsageTest, OnlyTheExactInformativeArgumentAloneIsAnswered) {
  const TUsageCase cases[] = {
      {{"--help"}, 0, "Utilisation : Kel"},
      {{"--help"}, 0, "-d, -D"},
      {{"--help"}, 0, "-i, -I"},
      {{"--version"}, 0, "Quilmo (Kel) "},
      {{}, -1, ""},
      {{"--HELP"}, -1, ""},
      {{"-d"}, -1, ""},
      {{"-i", "--help"}, -1, ""},
      {{"--version", "a.txt"}, -1, ""},
  };
  for (const TUsageCase& c : cases) {
    std::vector<const char*> argv{"Kel"};
    argv.insert(argv.end(), c.Arguments.begin(), c.Arguments.end());
    std::ostringstream out;
    EXPECT_EQ(AnswerInformativeArguments(static_cast<int>(argv.size()), argv.data(), out), c.ExitCode);
    if (c.ExitCode < 0)
      EXPECT_EQ(out.str(), "");
    else
      EXPECT_NE(out.str().find(c.Printed), std::string::npos) << out.str();
  }
}

}  // namespace
}  // namespace quilmo
