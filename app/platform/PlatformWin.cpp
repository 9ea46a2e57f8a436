// The OS layer on Windows: key state and synthesized key presses for the lock keys, the
// registry for the registered user, the shell for starting programs.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shellapi.h>
#include <windows.h>

#include "app/platform/Platform.h"

namespace quilmo::platform {

namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, result.data(), size);
  return result;
}

// A string value of the local machine's registry, or empty.
std::string MachineValue(const wchar_t* key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
      bytes < sizeof(wchar_t))
    return {};
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS)
    return {};
  value.resize(wcsnlen(value.c_str(), value.size()));
  return Utf8(value.c_str(), static_cast<int>(value.size()));
}

// The value under the old key, else where Windows NT keeps it.
std::string RegisteredValue(const wchar_t* name) {
  std::string value = MachineValue(L"Software\\Microsoft\\Windows\\CurrentVersion", name);
  if (value.empty()) value = MachineValue(L"Software\\Microsoft\\Windows NT\\CurrentVersion", name);
  return value;
}

int VirtualKey(TLockKey key) {
  return key == TLockKey::lkCapsLock ? VK_CAPITAL : VK_NUMLOCK;
}

// One argument as the C runtime splits a command line: quoted when it holds blanks or quotes,
// with backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring result = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    result += c;
  }
  result.append(backslashes * 2, L'\\');
  return result + L"\"";
}

}  // namespace

TLockState ReadLockState() {
  return {(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0};
}

bool ToggleLockKey(TLockKey key) {
  const int code = VirtualKey(key);
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
  return {RegisteredValue(L"RegisteredOwner"), RegisteredValue(L"RegisteredOrganization")};
}

std::string WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return Utf8(folder, static_cast<int>(length));
}

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
  std::wstring parameters;
  for (const std::string& argument : arguments) {
    if (!parameters.empty()) parameters += L' ';
    parameters += Quoted(Wide(argument));
  }
  const std::wstring file = Wide(program);
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace quilmo::platform
