#pragma once
// One entry of a command table: a key, or a sequence of two keys, each with its modifier
// state, and the command it produces. Keys are Windows virtual-key codes (one byte).

#include <cstddef>
#include <cstdint>

#include "editor/CommandCodes.h"

namespace quilmo {

// Shift flags: the modifier state of one key, as the sum of these values.
inline constexpr std::uint8_t sfNone = 0;
inline constexpr std::uint8_t sfShift = 2;
inline constexpr std::uint8_t sfCtrl = 4;
inline constexpr std::uint8_t sfAlt = 8;
// In the second key of a binding only: no modifier, or Ctrl alone.
inline constexpr std::uint8_t sfNoneOrCtrl = 128;
// The bits the key translation may set.
inline constexpr std::uint8_t sfModifierMask = sfShift | sfCtrl | sfAlt;

// The modifier set of a system key (a key pressed with Alt); converted to shift flags.
struct TShiftState {
  bool Shift = false;
  bool Alt = false;
  bool Ctrl = false;
};

constexpr std::uint8_t ShiftFlags(TShiftState state) {
  return static_cast<std::uint8_t>((state.Shift ? sfShift : 0) | (state.Ctrl ? sfCtrl : 0) |
                                   (state.Alt ? sfAlt : 0));
}

// Virtual-key codes used by the tables and the key translation.
inline constexpr std::uint8_t vkBack = 0x08;
inline constexpr std::uint8_t vkTab = 0x09;
inline constexpr std::uint8_t vkClear = 0x0C;
inline constexpr std::uint8_t vkReturn = 0x0D;
inline constexpr std::uint8_t vkShift = 0x10;
inline constexpr std::uint8_t vkControl = 0x11;
inline constexpr std::uint8_t vkMenu = 0x12;  // Alt
inline constexpr std::uint8_t vkPause = 0x13;
inline constexpr std::uint8_t vkCapital = 0x14;  // Caps Lock
inline constexpr std::uint8_t vkEscape = 0x1B;
inline constexpr std::uint8_t vkSpace = 0x20;
inline constexpr std::uint8_t vkPrior = 0x21;  // Page Up
inline constexpr std::uint8_t vkNext = 0x22;   // Page Down
inline constexpr std::uint8_t vkEnd = 0x23;
inline constexpr std::uint8_t vkHome = 0x24;
inline constexpr std::uint8_t vkLeft = 0x25;
inline constexpr std::uint8_t vkUp = 0x26;
inline constexpr std::uint8_t vkRight = 0x27;
inline constexpr std::uint8_t vkDown = 0x28;
inline constexpr std::uint8_t vkSnapshot = 0x2C;  // Print Screen
inline constexpr std::uint8_t vkInsert = 0x2D;
inline constexpr std::uint8_t vkDelete = 0x2E;
inline constexpr std::uint8_t vk0 = 0x30;  // '0'..'9' are 0x30..0x39
inline constexpr std::uint8_t vkA = 0x41;  // 'A'..'Z' are 0x41..0x5A
inline constexpr std::uint8_t vkLWin = 0x5B;
inline constexpr std::uint8_t vkApps = 0x5D;     // context-menu key
inline constexpr std::uint8_t vkNumpad0 = 0x60;  // keypad digits 0x60..0x69
inline constexpr std::uint8_t vkMultiply = 0x6A;
inline constexpr std::uint8_t vkAdd = 0x6B;
inline constexpr std::uint8_t vkSubtract = 0x6D;
inline constexpr std::uint8_t vkDecimal = 0x6E;
inline constexpr std::uint8_t vkDivide = 0x6F;
inline constexpr std::uint8_t vkF1 = 0x70;  // F1..F24 are 0x70..0x87
inline constexpr std::uint8_t vkF2 = 0x71;
inline constexpr std::uint8_t vkNumLock = 0x90;
inline constexpr std::uint8_t vkScroll = 0x91;  // Scroll Lock

constexpr std::uint8_t vkDigit(int digit) {
  return static_cast<std::uint8_t>(vk0 + digit);
}
constexpr std::uint8_t vkLetter(char upper) {
  return static_cast<std::uint8_t>(upper);
}

// Six bytes without padding, in this order; the first four read as a little-endian 32-bit
// integer form the binding's KeySequence, the identity of its keys.
struct KeyBinding {
  std::uint8_t FirstKey = 0;
  std::uint8_t FirstShift = 0;
  std::uint8_t SecondKey = 0;    // 0: single-key binding
  std::uint8_t SecondShift = 0;  // may be sfNoneOrCtrl
  TEditorCommand Command = ccNone;

  bool operator==(const KeyBinding&) const = default;
};

static_assert(sizeof(KeyBinding) == 6);
static_assert(offsetof(KeyBinding, FirstKey) == 0 && offsetof(KeyBinding, FirstShift) == 1 &&
              offsetof(KeyBinding, SecondKey) == 2 && offsetof(KeyBinding, SecondShift) == 3 &&
              offsetof(KeyBinding, Command) == 4);

constexpr std::uint32_t KeySequence(const KeyBinding& binding) {
  return static_cast<std::uint32_t>(binding.FirstKey) | static_cast<std::uint32_t>(binding.FirstShift) << 8 |
         static_cast<std::uint32_t>(binding.SecondKey) << 16 |
         static_cast<std::uint32_t>(binding.SecondShift) << 24;
}

constexpr KeyBinding BindingFromSequence(std::uint32_t keySequence, TEditorCommand command) {
  return KeyBinding{static_cast<std::uint8_t>(keySequence & 0xFF),
                    static_cast<std::uint8_t>(keySequence >> 8 & 0xFF),
                    static_cast<std::uint8_t>(keySequence >> 16 & 0xFF),
                    static_cast<std::uint8_t>(keySequence >> 24 & 0xFF), command};
}

constexpr KeyBinding Bind(std::uint8_t key, std::uint8_t shift, TEditorCommand command) {
  return KeyBinding{key, shift, 0, 0, command};
}

constexpr KeyBinding Bind2(std::uint8_t firstKey, std::uint8_t firstShift, std::uint8_t secondKey,
                           std::uint8_t secondShift, TEditorCommand command) {
  return KeyBinding{firstKey, firstShift, secondKey, secondShift, command};
}

}  // namespace quilmo
