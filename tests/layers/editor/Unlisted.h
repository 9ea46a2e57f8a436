#pragma once

inline int Unlisted() {
  return 0;
}
