#pragma once
// The vector instructions the engine's byte loops may use: SSE2 wherever the target has it,
// AVX2 chosen at run time on x86-64 with GCC or Clang.

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUILMO_HAVE_SSE2 1
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define QUILMO_HAVE_AVX2_DISPATCH 1
#endif

namespace quilmo {

#if defined(QUILMO_HAVE_AVX2_DISPATCH)
// Whether this processor runs AVX2 (and POPCNT, which AVX2 loops may use); asked once.
inline bool HasAvx2() {
  static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  return avx2;
}
#endif

}  // namespace quilmo
