#pragma once
// Windows only: whether the tests run under wine, which does not reproduce everything Windows
// does (what ReplaceFileW keeps of a file, what reaches the disk, synthesized key presses).

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quilmo::test {

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace quilmo::test
