#pragma once
// Windows only: the program's UTF-8 file names as the UTF-16 names the system takes, and the
// system's error codes as the errno values the file layer reports.

#include <cstdint>
#include <string>
#include <string_view>

namespace quilmo {

// UTF-8 to UTF-16; false when the text is not valid UTF-8.
bool WideFromUtf8(std::string_view text, std::wstring& wide);
// UTF-16 to UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string Utf8FromWide(std::wstring_view wide);

// The absolute long-path form of a file name ("\\?\C:\..." or "\\?\UNC\server\share\..."), so
// that names longer than MAX_PATH work: relative names are made absolute against the current
// folder, "." and ".." resolved, "/" turned into "\". Device names ("\\.\COM1", "NUL") are
// left as the system names them. Returns 0 or an errno value.
int LongPath(const std::string& path, std::wstring& result);

// A name as the user knows it: the long-path prefix removed ("\\?\C:\a" is "C:\a",
// "\\?\UNC\server\share" is "\\server\share").
std::wstring WithoutLongPathPrefix(std::wstring_view path);

// The errno value for a Windows error code (EIO for the codes without a counterpart).
int ErrnoFromWin32(uint32_t code);

}  // namespace quilmo
