// The retry policy of operations refused for a moment: how many attempts, which pauses, and
// which result comes back.

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <vector>

#include "engine/TransientRetry.h"

namespace quilmo {
namespace {

constexpr uint32_t kBusy = 32;    // transient
constexpr uint32_t kMissing = 2;  // lasting
constexpr size_t kDelays = std::size(kTransientRetryDelays);

TEST(TransientRetry, AttemptsPausesAndResult) {
  const struct {
    const char* Name;
    size_t Busy;  // attempts refused for a moment before the others give Last
    uint32_t Last;
    size_t Attempts;
    uint32_t Result;
  } cases[] = {
      {"success at once", 0, 0, 1, 0},
      {"a lasting error is not retried", 0, kMissing, 1, kMissing},
      {"busy once, then done", 1, 0, 2, 0},
      {"busy, then a lasting error", 2, kMissing, 3, kMissing},
      {"done at the last attempt", kDelays, 0, kDelays + 1, 0},
      {"busy for ever gives up", 1000, 0, kDelays + 1, kBusy},
  };
  for (const auto& c : cases) {
    size_t attempts = 0;
    std::vector<unsigned> pauses;
    const uint32_t result = RetryTransient([&] { return attempts++ < c.Busy ? kBusy : c.Last; },
                                           [](uint32_t code) { return code == kBusy; },
                                           [&](unsigned ms) { pauses.push_back(ms); });
    EXPECT_EQ(result, c.Result) << c.Name;
    EXPECT_EQ(attempts, c.Attempts) << c.Name;
    ASSERT_EQ(pauses.size(), attempts - 1) << c.Name;  // a pause between two attempts only
    for (size_t i = 0; i < pauses.size(); ++i) EXPECT_EQ(pauses[i], kTransientRetryDelays[i]) << c.Name;
  }
}

}  // namespace
}  // namespace quilmo
