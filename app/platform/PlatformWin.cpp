// The OS layer on Windows: key state and synthesized key presses for the lock keys, the
// registry for the registered user, the shell for starting programs.

#include "app/platform/PlatformWin.h"

#include <shellapi.h>

#include <cstddef>

namespace quilmo::platform {

namespace win {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, result.data(), size);
  return result;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, result.data(), size, nullptr, nullptr);
  return result;
}

namespace {

// A string value of the registry, or empty.
std::string StringValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
      bytes < sizeof(wchar_t))
    return {};
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) != ERROR_SUCCESS) return {};
  value.resize(wcsnlen(value.c_str(), value.size()));
  return Utf8(value);
}

std::string RegisteredValue(HKEY root, const wchar_t* name) {
  std::string value = StringValue(root, L"Software\\Microsoft\\Windows NT\\CurrentVersion", name);
  if (value.empty()) value = StringValue(root, L"Software\\Microsoft\\Windows\\CurrentVersion", name);
  return value;
}

std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring result = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal except before a quote, where each one and the quote are escaped.
    result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    result += c;
  }
  result.append(backslashes * 2, L'\\');  // before the closing quote
  return result + L"\"";
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int VirtualKey(TLockKey key) {
  return key == TLockKey::lkCapsLock ? VK_CAPITAL : VK_NUMLOCK;
}

}  // namespace

TRegisteredUser RegisteredUserUnder(HKEY machine) {
  return {RegisteredValue(machine, L"RegisteredOwner"), RegisteredValue(machine, L"RegisteredOrganization")};
}

std::wstring CommandLineOf(const std::vector<std::string>& arguments) {
  std::wstring line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += L' ';
    line += Quoted(Wide(argument));
  }
  return line;
}

std::wstring ProgramFile(const std::string& program) {
  const std::wstring file = Wide(program);
  const std::size_t name = file.find_last_of(L"\\/:") + 1;  // npos + 1 is 0
  if (file.find(L'.', name) != std::wstring::npos || IsFile(file) || !IsFile(file + L".exe")) return file;
  return file + L".exe";
}

}  // namespace win

TLockState ReadLockState() {
  return {(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0};
}

bool ToggleLockKey(TLockKey key) {
  const int code = win::VirtualKey(key);
  if ((GetKeyState(code) & 0x8000) != 0) return false;
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(code);
    if (key == TLockKey::lkNumLock) input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

TRegisteredUser RegisteredUser() {
  return win::RegisteredUserUnder(HKEY_LOCAL_MACHINE);
}

std::string WindowsFolder() {
  // The shared Windows folder (not a terminal-server user's private one).
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  }
  if (length == 0 || length >= folder.size()) return {};
  folder.resize(length);
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();  // "C:\" keeps its separator
  return win::Utf8(folder);
}

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
  const std::wstring file = win::ProgramFile(program);
  const std::wstring parameters = win::CommandLineOf(arguments);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  return !file.empty() && ShellExecuteExW(&info) != FALSE;
}

}  // namespace quilmo::platform
