#include "engine/TransientRetry.h"

namespace quilmo {

uint32_t RetryTransient(const std::function<uint32_t()>& attempt,
                        const std::function<bool(uint32_t)>& isTransient,
                        const std::function<void(unsigned milliseconds)>& pause) {
  uint32_t result = attempt();
  for (const unsigned delay : kTransientRetryDelays) {
    if (result == 0 || !isTransient(result)) break;
    pause(delay);
    result = attempt();
  }
  return result;
}

}  // namespace quilmo
