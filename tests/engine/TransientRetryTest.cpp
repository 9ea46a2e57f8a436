// The retry policy of operations refused for a moment: how many attempts, which pauses, and
// which result comes back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "engine/TransientRetry.h"

namespace quilmo {
namespace {

constexpr uint32_t kBusy = 32;    // transient
constexpr uint32_t kMissing = 2;  // lasting
constexpr size_t kDelays = std::size(kTransientRetryDelays);

std::vector<uint32_t> BusyThen(size_t busy, uint32_t last) {
  std::vector<uint32_t> results(busy, kBusy);
  results.push_back(last);
  return results;
}

struct TRetryCase {
  const char* Name;
  std::vector<uint32_t> Results;  // of the attempts in turn; the last one repeats
  size_t Attempts;
  uint32_t Result;
};

TEST(TransientRetry, AttemptsPausesAndResult) {
  const TRetryCase cases[] = {
      {"success at once", {0}, 1, 0},
      {"a lasting error is not retried", {kMissing}, 1, kMissing},
      {"busy once, then done", BusyThen(1, 0), 2, 0},
      {"busy, then a lasting error", BusyThen(2, kMissing), 3, kMissing},
      {"done at the last attempt", BusyThen(kDelays, 0), kDelays + 1, 0},
      {"busy for ever gives up", {kBusy}, kDelays + 1, kBusy},
  };
  for (const TRetryCase& c : cases) {
    const std::vector<uint32_t>& results = c.Results;
    const uint32_t expected = c.Result;
    size_t attempts = 0;
    std::vector<unsigned> pauses;
    const uint32_t result = RetryTransient([&] { return results[std::min(attempts++, results.size() - 1)]; },
                                           [](uint32_t code) { return code == kBusy; },
                                           [&](unsigned ms) { pauses.push_back(ms); });
    EXPECT_EQ(result, expected) << c.Name;
    EXPECT_EQ(attempts, c.Attempts) << c.Name;
    ASSERT_EQ(pauses.size(), attempts - 1) << c.Name;  // a pause between two attempts only
    for (size_t i = 0; i < pauses.size(); ++i) EXPECT_EQ(pauses[i], kTransientRetryDelays[i]) << c.Name;
  }
}

}  // namespace
}  // namespace quilmo
