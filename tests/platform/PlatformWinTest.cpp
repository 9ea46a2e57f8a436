// The OS layer on Windows, without a toolkit: the registered user read from a registry key
// of the test's own, command lines split back by the system into the same arguments, the
// program file of a name without extension, the lock keys' state and the Windows folder.

#include <gtest/gtest.h>

#include "app/platform/PlatformWin.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "support/Wine.h"

namespace quilmo::platform {
namespace {

const wchar_t kNtKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t kOldKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

// A key of the current user standing for the local machine, removed with all it holds.
class TTestMachineKey {
 public:
  TTestMachineKey() : FPath(L"Software\\QuilmoTest" + std::to_wstring(GetCurrentProcessId())) {
    RegCreateKeyExW(HKEY_CURRENT_USER, FPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey, nullptr);
  }
  ~TTestMachineKey() {
    RegCloseKey(FKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, FPath.c_str());
  }
  TTestMachineKey(const TTestMachineKey&) = delete;
  TTestMachineKey& operator=(const TTestMachineKey&) = delete;
  HKEY Get() const { return FKey; }

  void SetString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(RegSetKeyValueW(FKey, key, name, REG_SZ, value.c_str(), bytes), ERROR_SUCCESS);
  }
  void SetNumber(const wchar_t* key, const wchar_t* name, DWORD value) {
    ASSERT_EQ(RegSetKeyValueW(FKey, key, name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
  }

 private:
  std::wstring FPath;
  HKEY FKey = nullptr;
};

TEST(PlatformWin, RegisteredUserFromTheRegistry) {
  {
    TTestMachineKey machine;
    EXPECT_EQ(win::RegisteredUserUnder(machine.Get()).Owner, "");
    machine.SetString(kOldKey, L"RegisteredOwner", L"Ancien Nom");
    machine.SetString(kOldKey, L"RegisteredOrganization", L"Ancienne Société");
    const TRegisteredUser old = win::RegisteredUserUnder(machine.Get());
    EXPECT_EQ(old.Owner, "Ancien Nom");
    EXPECT_EQ(old.Organization, "Ancienne Soci\xC3\xA9t\xC3\xA9");
    // Where Windows NT keeps them wins.
    machine.SetString(kNtKey, L"RegisteredOwner", L"\u00C9lise Martin");
    const TRegisteredUser nt = win::RegisteredUserUnder(machine.Get());
    EXPECT_EQ(nt.Owner, "\xC3\x89lise Martin");
    EXPECT_EQ(nt.Organization, "Ancienne Soci\xC3\xA9t\xC3\xA9");
  }
  TTestMachineKey machine;
  machine.SetNumber(kNtKey, L"RegisteredOwner", 7);
  machine.SetString(kNtKey, L"RegisteredOrganization", L"");
  const TRegisteredUser odd = win::RegisteredUserUnder(machine.Get());
  EXPECT_EQ(odd.Owner, "");
  EXPECT_EQ(odd.Organization, "");
}

TEST(PlatformWin, CommandLinesSplitBackIntoTheSameArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {"-i", "C:\\Mes documents\\lettre.txt"},
      {""},
      {"a\"b", "c\\\"d", "e f\\"},
      {"C:\\dossier\\", "\\\\serveur\\partage\\x y\\"},
      {"tab\there", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"},
      {"\\\\\"", "\"\"", "a\\\\b"},
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
  HANDLE file = CreateFileW((base + L".exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_EQ(win::ProgramFile(name), base + L".exe");
  EXPECT_EQ(win::ProgramFile(name + ".bat"), base + L".bat");
  DeleteFileW((base + L".exe").c_str());
  EXPECT_FALSE(StartProgram(name, {"-i"}));
}

// The toggle bit of each key shows in its own field; a key held down is not toggled.
TEST(PlatformWin, LockKeysFollowTheKeyboardState) {
  BYTE saved[256];
  ASSERT_TRUE(GetKeyboardState(saved));
  struct TCase {
    BYTE Caps;
    BYTE Num;
    TLockState Expected;
  };
  const TCase cases[] = {
      {0, 0, {false, false}}, {1, 0, {true, false}}, {0, 1, {false, true}}, {0x81, 0x01, {true, true}}};
  for (const TCase& c : cases) {
    BYTE state[256] = {};
    state[VK_CAPITAL] = c.Caps;
    state[VK_NUMLOCK] = c.Num;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_EQ(ReadLockState(), c.Expected) << int(c.Caps) << " " << int(c.Num);
  }
  EXPECT_FALSE(ToggleLockKey(TLockKey::lkCapsLock));  // held down in the last case
  SetKeyboardState(saved);
}

// Synthesized key presses reach the keyboard state only through a real input desktop.
TEST(PlatformWin, EachToggleFlipsOnlyItsKey) {
  if (test::RunningUnderWine()) GTEST_SKIP() << "wine has no input desktop here";
  for (const TLockKey key : {TLockKey::lkCapsLock, TLockKey::lkNumLock}) {
    const TLockState before = ReadLockState();
    TLockState flipped = before;
    (key == TLockKey::lkCapsLock ? flipped.CapsLock : flipped.NumLock) ^= true;
    ASSERT_TRUE(ToggleLockKey(key));
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's key state follows its queue
    EXPECT_EQ(ReadLockState(), flipped);
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
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  const std::string viewer = ClipboardViewer();
  if (!viewer.empty()) {
    EXPECT_EQ(viewer.rfind(folder, 0), 0u);
  }
}

}  // namespace
}  // namespace quilmo::platform
