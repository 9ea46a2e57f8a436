// The OS layer on Windows, without a toolkit: the registered user read from a key of the
// test's own, command lines split back by the system into the same arguments, the program file
// of a name without extension, the lock keys and the Windows folder.

#include <gtest/gtest.h>

#include "app/platform/PlatformWin.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "support/Wine.h"

namespace quilmo::platform {
namespace {

TEST(PlatformWin, RegisteredUserFromTheRegistry) {
  const std::wstring path = L"Software\\QuilmoTest" + std::to_wstring(GetCurrentProcessId());
  HKEY machine = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine,
                            nullptr),
            ERROR_SUCCESS);
  auto set = [&](const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(machine, key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * 2));
  };
  const wchar_t* nt = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
  const wchar_t* old = L"Software\\Microsoft\\Windows\\CurrentVersion";
  EXPECT_EQ(win::RegisteredUserUnder(machine).Owner, "");
  set(old, L"RegisteredOwner", L"Ancien");
  set(old, L"RegisteredOrganization", L"Soci\u00E9t\u00E9");
  set(nt, L"RegisteredOwner", L"\u00C9lise Martin");  // where Windows NT keeps it wins
  const DWORD number = 7;
  RegSetKeyValueW(machine, nt, L"RegisteredOrganization", REG_DWORD, &number, sizeof number);  // no string
  const TRegisteredUser user = win::RegisteredUserUnder(machine);
  EXPECT_EQ(user.Owner, "\xC3\x89lise Martin");
  EXPECT_EQ(user.Organization, "Soci\xC3\xA9t\xC3\xA9");
  RegCloseKey(machine);
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

TEST(PlatformWin, CommandLinesSplitBackIntoTheSameArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {"-i", "C:\\Mes documents\\lettre.txt"},
      {""},
      {"a\"b", "c\\\"d", "e f\\"},
      {"C:\\dossier\\", "\\\\serveur\\partage\\x y\\"},
      {"tab\there", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "\\\\\"", "\"\"", "a\\\\b"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    const std::wstring line = L"Kel.exe " + win::CommandLineOf(arguments);
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(split, nullptr);
    std::vector<std::string> back;
    for (int i = 1; i < count; ++i) back.push_back(win::Utf8(split[i]));
    LocalFree(split);
    EXPECT_EQ(back, arguments) << win::Utf8(line);
  }
}

TEST(PlatformWin, AProgramNameWithoutExtensionFindsItsExe) {
  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring base = std::wstring(folder) + L"QuilmoTestKel" + std::to_wstring(GetCurrentProcessId());
  const std::string name = win::Utf8(base);
  EXPECT_EQ(win::ProgramFile(name), base);  // nothing there: left as given
  CloseHandle(CreateFileW((base + L".exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  EXPECT_EQ(win::ProgramFile(name), base + L".exe");
  EXPECT_EQ(win::ProgramFile(name + ".bat"), base + L".bat");
  DeleteFileW((base + L".exe").c_str());
  EXPECT_FALSE(StartProgram(name, {"-i"}));
}

// Each key's toggle bit shows in its own field; a key held down is not toggled.
TEST(PlatformWin, LockKeysFollowTheKeyboardState) {
  BYTE saved[256];
  ASSERT_TRUE(GetKeyboardState(saved));
  const std::pair<BYTE, BYTE> cases[] = {{0, 0}, {1, 0}, {0, 1}, {0x81, 0x01}};
  for (const auto& [caps, num] : cases) {
    BYTE state[256] = {};
    state[VK_CAPITAL] = caps;
    state[VK_NUMLOCK] = num;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_EQ(ReadLockState(), (TLockState{(caps & 1) != 0, (num & 1) != 0})) << int(caps) << " " << int(num);
  }
  EXPECT_FALSE(ToggleLockKey(TLockKey::lkCapsLock));  // held down in the last case
  SetKeyboardState(saved);
}

// Synthesized key presses reach the keyboard state only through a real input desktop.
TEST(PlatformWin, EachToggleFlipsItsKey) {
  if (test::RunningUnderWine()) GTEST_SKIP() << "wine has no input desktop here";
  for (const TLockKey key : {TLockKey::lkCapsLock, TLockKey::lkNumLock}) {
    const TLockState before = ReadLockState();
    MSG message;
    ASSERT_TRUE(ToggleLockKey(key));
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's key state follows its queue
    EXPECT_NE(ReadLockState(), before);
    ASSERT_TRUE(ToggleLockKey(key));
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(ReadLockState(), before);
  }
}

TEST(PlatformWin, WindowsFolder) {
  const std::string folder = WindowsFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  const DWORD attributes = GetFileAttributesW(win::Wide(folder).c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

}  // namespace
}  // namespace quilmo::platform
