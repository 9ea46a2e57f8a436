// Lock keys where the window system offers no keyboard state of ours: reported off, never
// toggled.

#include "app/platform/Platform.h"

namespace quilmo::platform {

TLockState ReadLockState() {
  return {};
}

bool ToggleLockKey(TLockKey) {
  return false;
}

}  // namespace quilmo::platform
