#pragma once
// Bounded retries of a file operation that fails only for a moment: on Windows a virus scanner,
// an indexer or a backup tool that opens a file just written makes renaming, replacing or
// removing it fail with a sharing violation or an access denial for a few milliseconds.

#include <cstdint>
#include <functional>

namespace quilmo {

// The pauses between attempts, in milliseconds: about a tenth of a second in all, so that a
// lasting refusal is reported without a wait the user would notice.
inline constexpr unsigned kTransientRetryDelays[] = {2, 5, 10, 20, 50};

// Calls `attempt` until it returns 0 or an error that `isTransient` does not accept, pausing
// through `pause` between attempts, at most once per delay above. Returns the last result.
uint32_t RetryTransient(const std::function<uint32_t()>& attempt,
                        const std::function<bool(uint32_t)>& isTransient,
                        const std::function<void(unsigned milliseconds)>& pause);

}  // namespace quilmo
