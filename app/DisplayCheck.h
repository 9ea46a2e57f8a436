#pragma once
// A start of Kel that needs a window and cannot get one ends with a French message on the
// standard error and exit code 1, never with the toolkit's abort. Where the environment already
// says that no display exists, the program stops before the application is created; where a
// display is named but does not answer, the toolkit's fatal error is caught by a message
// handler and turned into the same message.

#include <string>

namespace quilmo {

inline constexpr int kNoDisplayExitCode = 1;

// What decides where the toolkit would open its windows.
struct TDisplayEnvironment {
  std::string Platform;        // QT_QPA_PLATFORM, or the value of a "-platform" argument
  std::string Display;         // DISPLAY (X11)
  std::string WaylandDisplay;  // WAYLAND_DISPLAY
  std::string SessionType;     // XDG_SESSION_TYPE
};

// Reads the environment variables and the toolkit's "-platform" argument.
TDisplayEnvironment CurrentDisplayEnvironment(int argc, const char* const* argv);

// The message for a start where nothing names a display or another platform, so that no
// window can open; empty when a window system may be reachable.
std::string MissingDisplayMessage(const TDisplayEnvironment& environment);

// The message for a start where the toolkit could not reach the display it was given.
std::string UnreachableDisplayMessage(const TDisplayEnvironment& environment);

// Installs the handler that ends the process with UnreachableDisplayMessage and
// kNoDisplayExitCode when the toolkit fails fatally before its window system is up. The
// toolkit's own notes about that failure are held back until the window system is up, and
// dropped when it never comes; every other message goes to the previous handler.
void InstallDisplayFailureHandler(int argc, const char* const* argv);

}  // namespace quilmo
