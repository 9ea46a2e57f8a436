#pragma once
// The three built-in command tables "Default", "WordStar" and "Grid": constant data.

#include <span>
#include <string_view>

#include "editor/KeyBinding.h"

namespace quilmo {

inline constexpr std::string_view kDefaultTableName = "Default";
inline constexpr std::string_view kWordStarTableName = "WordStar";
inline constexpr std::string_view kGridTableName = "Grid";

std::span<const KeyBinding> DefaultBindings();   // 64 bindings
std::span<const KeyBinding> WordStarBindings();  // 40 bindings
std::span<const KeyBinding> GridBindings();      // 38 bindings

// The built-in list of a table name (compared without regard to case); empty for any other.
std::span<const KeyBinding> BuiltinBindings(std::string_view tableName);

}  // namespace quilmo
