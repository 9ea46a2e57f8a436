#pragma once
// The program's identity, as the settings, the caption and the desktop use it.

namespace quilmo {

inline constexpr const char* kApplicationTitle = "Quilmo";
inline constexpr const char* kOrganization = "Orvane";
// The desktop entry's name without ".desktop", which is also the AppStream id: a Wayland
// compositor matches the window with the entry (its icon, its name) through it.
inline constexpr const char* kDesktopFileName = "org.orvane.Quilmo";

}  // namespace quilmo
