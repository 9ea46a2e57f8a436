// Lock keys on X11 through the keyboard extension (XKB): the locked modifiers tell the toggle
// state, locking or unlocking a modifier toggles the key. Without an X11 connection (offscreen,
// Wayland) the keys read as off and are left alone.

// Qt first: Xlib defines macros (Status, Bool, None) that Qt's headers must not see.
#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "app/platform/Platform.h"

namespace quilmo::platform {

namespace {

Display* X11Display() {
  if (qGuiApp == nullptr) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->display() : nullptr;
}

// The modifier bits of Caps Lock and Num Lock. Num Lock's bit depends on the keymap; it is
// looked up once per display (the keymap is then cached by Xlib).
unsigned ModifierMask(Display* display, TLockKey key) {
  if (key == TLockKey::lkCapsLock) return LockMask;
  static Display* cachedDisplay = nullptr;
  static unsigned cachedMask = 0;
  if (display != cachedDisplay) {
    cachedMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    cachedDisplay = display;
  }
  return cachedMask;
}

bool KeyHeldDown(Display* display, TLockKey key) {
  const KeyCode code = XKeysymToKeycode(display, key == TLockKey::lkCapsLock ? XK_Caps_Lock : XK_Num_Lock);
  if (code == 0) return false;
  char keys[32] = {};
  XQueryKeymap(display, keys);
  return (static_cast<unsigned char>(keys[code / 8]) & (1U << (code % 8))) != 0;
}

}  // namespace

TLockState ReadLockState() {
  Display* display = X11Display();
  if (display == nullptr) return {};
  XkbStateRec state{};
  if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return {};
  const unsigned locked = state.locked_mods;
  const unsigned numLock = ModifierMask(display, TLockKey::lkNumLock);
  return {(locked & LockMask) != 0, numLock != 0 && (locked & numLock) != 0};
}

bool ToggleLockKey(TLockKey key) {
  Display* display = X11Display();
  if (display == nullptr) return false;
  const unsigned mask = ModifierMask(display, key);
  if (mask == 0 || KeyHeldDown(display, key)) return false;
  XkbStateRec state{};
  if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return false;
  const unsigned lockedNow = state.locked_mods & mask;
  if (!XkbLockModifiers(display, XkbUseCoreKbd, mask, lockedNow != 0 ? 0 : mask)) return false;
  XFlush(display);
  return true;
}

}  // namespace quilmo::platform
