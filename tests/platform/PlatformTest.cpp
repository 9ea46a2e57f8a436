// The OS layer: the full name taken from a password-database comment, and what the layer
// reports where the window system has no keyboard state (the offscreen platform of the tests).
// The lock keys are tested for real by the same runner on a private X server (ctest
// platform_on_x11).

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/platform/KeysymModifiers.h"
#include "app/platform/Platform.h"

namespace quilmo::platform {
namespace {

struct TGecosCase {
  const char* Gecos;
  const char* Login;
  const char* Expected;
};

TEST(PlatformTest, FullNameIsTheGecosFieldUpToTheFirstComma) {
  const TGecosCase cases[] = {
      {"Jean Dupont,Bureau 12,01 02 03 04 05,,", "jdupont", "Jean Dupont"},
      {"Élise Martin", "emartin", "Élise Martin"},
      {"  Anne Morel  ,2", "amorel", "Anne Morel"},
      {"", "root", ""},
      {",,,", "nobody", ""},
      {"& Durand,", "marie", "Marie Durand"},
      {"&&", "al", "AlAl"},
      {"&", "", ""},
  };
  for (const TGecosCase& c : cases) EXPECT_EQ(FullNameFromGecos(c.Gecos, c.Login), c.Expected) << c.Gecos;
}

TEST(PlatformTest, WithoutKeyboardStateTheLockKeysReadOffAndStayOff) {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) GTEST_SKIP() << "a real X server";
  for (const TLockKey key : {TLockKey::lkCapsLock, TLockKey::lkNumLock}) {
    EXPECT_FALSE(ToggleLockKey(key));
    EXPECT_EQ(ReadLockState(), TLockState{});
  }
}

// The state is learnt from the server's events and answers, so it is read while they arrive.
TLockState LockStateOnceItIs(const TLockState& wanted) {
  const QDeadlineTimer deadline(5000);
  while (ReadLockState() != wanted && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return ReadLockState();
}

// Toggles each key twice on a real X server (a fresh one: both keys start off): the state
// flips and comes back.
TEST(PlatformTest, OnX11EachToggleFlipsOnlyItsKey) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server";
  const TLockState before = LockStateOnceItIs({});
  ASSERT_EQ(before, TLockState{});
  for (const TLockKey key : {TLockKey::lkCapsLock, TLockKey::lkNumLock}) {
    TLockState flipped = before;
    (key == TLockKey::lkCapsLock ? flipped.CapsLock : flipped.NumLock) ^= true;
    ASSERT_TRUE(ToggleLockKey(key));
    EXPECT_EQ(LockStateOnceItIs(flipped), flipped);
    ASSERT_TRUE(ToggleLockKey(key));
    EXPECT_EQ(LockStateOnceItIs(before), before);
  }
}

// Keycodes 8 on; a key's keysyms are its row of the keysym table.
constexpr std::uint32_t kNumLock = 0xff7f;
constexpr std::uint32_t kShiftL = 0xffe1;
constexpr std::uint32_t kPointerKeys = 0xfef9;

struct TModifierCase {
  const char* Name;
  std::vector<std::uint8_t> Modifiers;  // two slots per modifier
  unsigned Expected;
};

TEST(PlatformTest, NumLocksModifierComesFromTheServersTables) {
  // Key 9 is Shift, key 10 Num Lock, key 11 Num Lock on its second level, key 12 nothing.
  const std::vector<std::uint32_t> keysyms = {0, 0, kShiftL, 0, kNumLock, 0, kPointerKeys, kNumLock, 0, 0};
  const TKeysymTable keys{keysyms, 2, 8};
  const TModifierCase cases[] = {
      {"on Mod2", {9, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0}, 1U << 4},
      {"on Mod4, second slot", {9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0}, 1U << 6},
      {"second level", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 11, 0}, 1U << 7},
      {"on two modifiers", {0, 0, 0, 0, 0, 0, 10, 0, 11, 0, 0, 0, 0, 0, 0, 0}, (1U << 3) | (1U << 4)},
      {"bound to no modifier", {9, 0, 0, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
      {"keycodes outside the table", {7, 0, 0, 0, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
      {"empty table", {}, 0},
  };
  for (const TModifierCase& c : cases)
    EXPECT_EQ(ModifiersOfKeysym(kNumLock, {c.Modifiers, 2}, keys), c.Expected) << c.Name;
}

TEST(PlatformTest, ProgramsThatDoNotExistAreNotStarted) {
  EXPECT_FALSE(StartProgram("/nonexistent/folder/no-such-program", {"-i", "a b.txt"}));
#ifndef _WIN32
  EXPECT_TRUE(StartProgram("true", {"-i", "a b.txt"}));
  EXPECT_EQ(WindowsFolder(), "");
  EXPECT_EQ(ClipboardViewer(), "");
  EXPECT_EQ(RegisteredUser().Organization, "");
#endif
}

}  // namespace
}  // namespace quilmo::platform
