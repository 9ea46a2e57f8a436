#pragma once
// Which modifier bits a key symbol sets, from the server's modifier and keyboard tables as the
// core X protocol sends them. Plain integers, so that it is checked without a display.

#include <cstdint>
#include <span>

namespace quilmo::platform {

// The eight modifiers' keycodes, `PerModifier` slots each (0 = slot unused).
struct TModifierTable {
  std::span<const std::uint8_t> Keycodes;
  int PerModifier = 0;
};

// The key symbols of the keycodes from `FirstKeycode` on, `PerKeycode` of them each.
struct TKeysymTable {
  std::span<const std::uint32_t> Keysyms;
  int PerKeycode = 0;
  int FirstKeycode = 0;
};

// The mask (bit 0 Shift … bit 7 Mod5) of the modifiers bound to a key that carries `keysym`.
unsigned ModifiersOfKeysym(std::uint32_t keysym, const TModifierTable& modifiers, const TKeysymTable& keys);

}  // namespace quilmo::platform
