#include "app/platform/KeysymModifiers.h"

#include <algorithm>
#include <cstddef>

namespace quilmo::platform {

namespace {

bool KeyCarries(std::uint8_t keycode, std::uint32_t keysym, const TKeysymTable& keys) {
  if (keys.PerKeycode <= 0 || keycode < keys.FirstKeycode) return false;
  const auto first =
      static_cast<std::size_t>(keycode - keys.FirstKeycode) * static_cast<std::size_t>(keys.PerKeycode);
  if (first >= keys.Keysyms.size()) return false;
  const auto row = keys.Keysyms.subspan(
      first, std::min<std::size_t>(static_cast<std::size_t>(keys.PerKeycode), keys.Keysyms.size() - first));
  return std::find(row.begin(), row.end(), keysym) != row.end();
}

}  // namespace

unsigned ModifiersOfKeysym(std::uint32_t keysym, const TModifierTable& modifiers, const TKeysymTable& keys) {
  unsigned mask = 0;
  if (modifiers.PerModifier <= 0) return mask;
  const auto per = static_cast<std::size_t>(modifiers.PerModifier);
  for (std::size_t slot = 0; slot < modifiers.Keycodes.size() && slot / per < 8; ++slot) {
    const std::uint8_t keycode = modifiers.Keycodes[slot];
    if (keycode != 0 && KeyCarries(keycode, keysym, keys)) mask |= 1U << (slot / per);
  }
  return mask;
}

}  // namespace quilmo::platform
