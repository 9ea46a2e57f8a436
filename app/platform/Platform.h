#pragma once
// The small OS layer of the main window: the lock keys, the registered user of the machine,
// the Windows folder and starting another program. One source per system implements it;
// nothing here needs a toolkit type.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quilmo::platform {

enum class TLockKey : std::uint8_t { lkCapsLock, lkNumLock };

// The toggle state of both lock keys, read together (one query of the window system).
struct TLockState {
  bool CapsLock = false;
  bool NumLock = false;
  bool operator==(const TLockState&) const = default;
};

// Where the window system offers no keyboard state (no display, offscreen, Wayland) both keys
// read as off.
TLockState ReadLockState();

// Inverts the toggle state of `key`. Returns false when nothing was changed: the window system
// cannot do it, or the key is being held down at that moment.
bool ToggleLockKey(TLockKey key);

// The machine's registered owner and organization. Windows keeps them in the registry;
// elsewhere the owner is the user's full name from the password database and there is no
// organization. Values that cannot be read are empty.
struct TRegisteredUser {
  std::string Owner;
  std::string Organization;
};
TRegisteredUser RegisteredUser();

// The full name of a password-database comment field (GECOS): the text up to the first comma,
// without surrounding blanks. "&" stands for the login name with its first letter in capitals.
std::string FullNameFromGecos(std::string_view gecos, std::string_view loginName);

// The Windows folder, with no trailing separator; empty where the system has none.
std::string WindowsFolder();

// The clipboard viewer program in the Windows folder, or empty when there is none.
std::string ClipboardViewer();

// Starts `program` with `arguments` in a normal window, detached from this process.
// Returns false when the program could not be started.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace quilmo::platform
