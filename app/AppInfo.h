#pragma once
// The program's identity, as the settings and the caption use it.

namespace quilmo {

inline constexpr const char* kApplicationTitle = "Quilmo";
inline constexpr const char* kOrganization = "Orvane";

}  // namespace quilmo
