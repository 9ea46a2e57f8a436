#pragma once
// Windows only: the pieces of the OS layer that tests reach on their own.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "app/platform/Platform.h"

namespace quilmo::platform::win {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// The registered owner and organization under `machine` (HKEY_LOCAL_MACHINE, or a test's key):
// "Software\Microsoft\Windows NT\CurrentVersion", where Windows keeps them, else the older
// "Software\Microsoft\Windows\CurrentVersion". A value that is missing or no string is empty.
TRegisteredUser RegisteredUserUnder(HKEY machine);

// The arguments as one command line that the C runtime and CommandLineToArgvW split back into
// the same arguments: each quoted where it is empty or holds blanks or quotes, a quote and the
// backslashes before it escaped.
std::wstring CommandLineOf(const std::vector<std::string>& arguments);

// The program to start: `program` itself, or `program` + ".exe" when the name has no extension
// and only that file exists (as the program folder's "Kel" is "Kel.exe" on Windows).
std::wstring ProgramFile(const std::string& program);

}  // namespace quilmo::platform::win
