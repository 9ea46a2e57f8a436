// The OS layer: the full name taken from a password-database comment, and what the layer
// reports where the window system has no keyboard state (the offscreen platform of the tests).
// Run the runner with QT_QPA_PLATFORM=xcb on an X server to test the lock keys for real.

#include <QGuiApplication>

#include <gtest/gtest.h>

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

// Toggles each key twice on a real X server: the state flips and comes back.
TEST(PlatformTest, OnX11EachToggleFlipsOnlyItsKey) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server";
  for (const TLockKey key : {TLockKey::lkCapsLock, TLockKey::lkNumLock}) {
    const TLockState before = ReadLockState();
    TLockState flipped = before;
    (key == TLockKey::lkCapsLock ? flipped.CapsLock : flipped.NumLock) ^= true;
    ASSERT_TRUE(ToggleLockKey(key));
    EXPECT_EQ(ReadLockState(), flipped);
    ASSERT_TRUE(ToggleLockKey(key));
    EXPECT_EQ(ReadLockState(), before);
  }
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
