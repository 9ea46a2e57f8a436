#include <QKeyEvent>

#include <gtest/gtest.h>

#include "editor/KeyBinding.h"
#include "editor/StoredTables.h"
#include "editor/qt/KeyMap.h"

namespace quilmo {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

// A key without native codes, as a synthetic event gives it.
TMappedKey Map(Qt::Key key, Qt::KeyboardModifiers modifiers = kNone, bool keypad = false) {
  return MapQtKey(key, modifiers, keypad, 0, 0);
}

TEST(KeyMapTest, LettersDigitsAndModifiers) {
  EXPECT_EQ(Map(Qt::Key_A), (TMappedKey{0x41, 0}));
  EXPECT_EQ(Map(Qt::Key_Z, kShift), (TMappedKey{0x5A, sfShift}));
  EXPECT_EQ(Map(Qt::Key_D, kCtrl), (TMappedKey{0x44, sfCtrl}));
  EXPECT_EQ(Map(Qt::Key_F, kAlt), (TMappedKey{0x46, sfAlt}));
  EXPECT_EQ(Map(Qt::Key_Z, kCtrl | kShift | kAlt), (TMappedKey{0x5A, sfCtrl | sfShift | sfAlt}));
  // The Meta (Windows) key and the keypad flag are not shift flags.
  EXPECT_EQ(Map(Qt::Key_Q, kCtrl | Qt::MetaModifier | Qt::KeypadModifier), (TMappedKey{0x51, sfCtrl}));
  EXPECT_EQ(Map(Qt::Key_0), (TMappedKey{0x30, 0}));
  EXPECT_EQ(Map(Qt::Key_9, kCtrl | kShift), (TMappedKey{0x39, sfCtrl | sfShift}));
}

TEST(KeyMapTest, EditingAndNavigationKeys) {
  const struct {
    Qt::Key Key;
    std::uint8_t Code;
  } keys[] = {
      {Qt::Key_Backspace, 0x08},  {Qt::Key_Tab, 0x09},   {Qt::Key_Return, 0x0D},   {Qt::Key_Enter, 0x0D},
      {Qt::Key_Escape, 0x1B},     {Qt::Key_Space, 0x20}, {Qt::Key_PageUp, 0x21},   {Qt::Key_PageDown, 0x22},
      {Qt::Key_End, 0x23},        {Qt::Key_Home, 0x24},  {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},
      {Qt::Key_Right, 0x27},      {Qt::Key_Down, 0x28},  {Qt::Key_Insert, 0x2D},   {Qt::Key_Delete, 0x2E},
      {Qt::Key_F1, 0x70},         {Qt::Key_F2, 0x71},    {Qt::Key_F12, 0x7B},      {Qt::Key_Shift, 0x10},
      {Qt::Key_Control, 0x11},    {Qt::Key_Alt, 0x12},   {Qt::Key_CapsLock, 0x14}, {Qt::Key_NumLock, 0x90},
      {Qt::Key_ScrollLock, 0x91},
  };
  for (const auto& k : keys) {
    EXPECT_EQ(Map(k.Key), (TMappedKey{k.Code, 0})) << std::hex << k.Key;
    EXPECT_EQ(Map(k.Key, kCtrl | kShift), (TMappedKey{k.Code, sfCtrl | sfShift})) << std::hex << k.Key;
  }
  // Backtab is Shift+Tab, whether or not Qt reports Shift with it.
  EXPECT_EQ(Map(Qt::Key_Backtab, kShift), (TMappedKey{0x09, sfShift}));
  EXPECT_EQ(Map(Qt::Key_Backtab), (TMappedKey{0x09, sfShift}));
  EXPECT_EQ(Map(Qt::Key_Backtab, kCtrl), (TMappedKey{0x09, sfCtrl | sfShift}));
}

TEST(KeyMapTest, KeypadKeysGiveTheKeypadCodes) {
  for (int d = 0; d <= 9; ++d)
    EXPECT_EQ(Map(static_cast<Qt::Key>(Qt::Key_0 + d), kCtrl, true),
              (TMappedKey{static_cast<std::uint8_t>(0x60 + d), sfCtrl}));
  EXPECT_EQ(Map(Qt::Key_Plus, kNone, true), (TMappedKey{0x6B, 0}));
  EXPECT_EQ(Map(Qt::Key_Minus, kNone, true), (TMappedKey{0x6D, 0}));
  EXPECT_EQ(Map(Qt::Key_Asterisk, kNone, true), (TMappedKey{0x6A, 0}));
  EXPECT_EQ(Map(Qt::Key_Slash, kNone, true), (TMappedKey{0x6F, 0}));
  EXPECT_EQ(Map(Qt::Key_Comma, kNone, true), (TMappedKey{0x6E, 0}));
  // Num Lock off: the keypad's navigation keys, and Enter, keep their usual codes.
  EXPECT_EQ(Map(Qt::Key_Home, kShift, true), (TMappedKey{0x24, sfShift}));
  EXPECT_EQ(Map(Qt::Key_Delete, kNone, true), (TMappedKey{0x2E, 0}));
  EXPECT_EQ(Map(Qt::Key_Clear, kNone, true), (TMappedKey{0x0C, 0}));
  EXPECT_EQ(Map(Qt::Key_Enter, kCtrl, true), (TMappedKey{0x0D, sfCtrl}));
  // Off the keypad, plus and minus have no code of their own here.
  EXPECT_EQ(Map(Qt::Key_Plus), (TMappedKey{}));
  EXPECT_EQ(Map(Qt::Key_Minus), (TMappedKey{}));
}

TEST(KeyMapTest, UnmappedKeysGiveZero) {
  EXPECT_EQ(Map(Qt::Key_Exclam, kShift), (TMappedKey{}));
  EXPECT_EQ(Map(Qt::Key_Eacute), (TMappedKey{}));
  EXPECT_EQ(Map(Qt::Key_VolumeUp, kCtrl), (TMappedKey{}));
  EXPECT_EQ(Map(Qt::Key_unknown), (TMappedKey{}));
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
// X11/Wayland keycodes of the digit row: 10 = "1" ... 18 = "9", 19 = "0".
TEST(KeyMapTest, AzertyDigitRowByScanCode) {
  const Qt::Key azerty[] = {Qt::Key_Agrave,     Qt::Key_Ampersand, Qt::Key_Eacute, Qt::Key_QuoteDbl,
                            Qt::Key_Apostrophe, Qt::Key_ParenLeft, Qt::Key_Minus,  Qt::Key_Egrave,
                            Qt::Key_Underscore, Qt::Key_Ccedilla};
  for (int d = 0; d <= 9; ++d) {
    const quint32 scan = d == 0 ? 19 : 9 + d;
    EXPECT_EQ(MapQtKey(azerty[d], kCtrl, false, 0x26, scan),
              (TMappedKey{static_cast<std::uint8_t>(0x30 + d), sfCtrl}))
        << d;
    // With Shift the layout gives the digit itself; the code is the same.
    EXPECT_EQ(MapQtKey(static_cast<Qt::Key>(Qt::Key_0 + d), kCtrl | kShift, false, 0x31, scan),
              (TMappedKey{static_cast<std::uint8_t>(0x30 + d), sfCtrl | sfShift}))
        << d;
  }
  // Keycode 20 is the key right of "0", not a digit; keypad keys never use the digit row.
  EXPECT_EQ(MapQtKey(Qt::Key_ParenRight, kNone, false, 0x29, 20), (TMappedKey{}));
  EXPECT_EQ(MapQtKey(Qt::Key_7, kNone, true, 0xffb7, 79), (TMappedKey{0x67, 0}));
}

TEST(KeyMapTest, KeyEventHelperUsesNativeCodesAndKeypadFlag) {
  const QKeyEvent eacute(QEvent::KeyPress, Qt::Key_Eacute, Qt::ControlModifier, 11, 0xe9, 0x4);
  EXPECT_EQ(MapKeyEvent(&eacute), (TMappedKey{0x32, sfCtrl}));
  const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier, 84, 0xffb5, 0x10);
  EXPECT_EQ(MapKeyEvent(&keypad), (TMappedKey{0x65, 0}));
  EXPECT_EQ(MapKeyEvent(nullptr), (TMappedKey{}));
}
#endif

#if defined(Q_OS_WIN)
TEST(KeyMapTest, AzertyDigitRowByVirtualKey) {
  EXPECT_EQ(MapQtKey(Qt::Key_Eacute, kCtrl, false, 0x32, 0x03), (TMappedKey{0x32, sfCtrl}));
  EXPECT_EQ(MapQtKey(Qt::Key_Agrave, kNone, false, 0x30, 0x0B), (TMappedKey{0x30, 0}));
}
#endif

// A key event all the way to the command of the application's tables.
TEST(KeyMapTest, KeyEventsReachTheApplicationCommands) {
  TCommandProcessor p;
  ApplyAppCommandTables(p);
  auto command = [&p](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers);
    const TMappedKey mapped = MapKeyEvent(&event);
    return p.TranslateKey(mapped.KeyCode, mapped.ShiftFlags);
  };
  EXPECT_EQ(command(Qt::Key_D, kCtrl), ccDelLine);
  EXPECT_EQ(command(Qt::Key_Backspace, kNone), ccBack);
  EXPECT_EQ(command(Qt::Key_Backspace, kShift), ccNoMatch);
  EXPECT_EQ(command(Qt::Key_Left, kCtrl | kShift), ccExtWordLeft);
  EXPECT_EQ(command(Qt::Key_Backtab, kShift), ccNoMatch);
  EXPECT_EQ(command(Qt::Key_Tab, kCtrl), ccTab);
  EXPECT_EQ(command(Qt::Key_Enter, kCtrl | Qt::KeypadModifier), ccNewLine);
  EXPECT_EQ(command(Qt::Key_Z, kCtrl | kShift), ccRedo);
}

}  // namespace
}  // namespace quilmo
