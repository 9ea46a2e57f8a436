// Lock keys on X11 through the keyboard extension (XKB). The toggle state follows the
// extension's state events, which Qt already asks the server for, so reading it costs no round
// trip. The state at start and the tables that tell Num Lock's modifier are asked for once
// without waiting for the answers: a round trip during the start would hold the first paint
// back until the server has drawn everything sent before it. Until the answers are in, the keys
// read as off and a short timer brings the event loop back to look again. Locking or unlocking
// a modifier toggles the key. Without an X11 connection (offscreen, Wayland) the keys read as
// off and are left alone.

// Qt first: Xlib defines macros (Status, Bool, None) that Qt's headers must not see.
#include <QtGui/qguiapplication_platform.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
// The extension's C header names a member "explicit".
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <memory>
#include <optional>

#include "app/platform/KeysymModifiers.h"
#include "app/platform/Platform.h"

namespace quilmo::platform {

namespace {

struct TFreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using TReply = std::unique_ptr<T, TFreeReply>;

constexpr int kRetryMs = 10;

// Polls one request without waiting. Returns true once it is answered (the reply, if any, in
// `reply`); an error counts as answered with no reply.
template <typename T>
bool PollReply(xcb_connection_t* connection, std::optional<unsigned>& request, TReply<T>& reply) {
  if (!request) return false;
  void* answer = nullptr;
  xcb_generic_error_t* error = nullptr;
  if (xcb_poll_for_reply(connection, *request, &answer, &error) == 0) return false;
  reply.reset(static_cast<T*>(answer));
  std::free(error);
  request.reset();
  return true;
}

class TLockWatch final : public QObject, public QAbstractNativeEventFilter {
 public:
  // The watch of Qt's X11 connection, made on first use; null without one.
  static TLockWatch* Instance() {
    static QPointer<TLockWatch> watch;
    if (watch == nullptr && qGuiApp != nullptr) {
      auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
      if (x11 != nullptr && x11->connection() != nullptr) watch = new TLockWatch(x11->connection(), qGuiApp);
    }
    return watch;
  }

  TLockState State() {
    Collect();
    if ((FStateRequest || FModifierRequest || FKeysymRequest) && !FRetry.isActive()) FRetry.start();
    return {(FLocked & XCB_MOD_MASK_LOCK) != 0, FNumLockMask != 0 && (FLocked & FNumLockMask) != 0};
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (FXkbEvent == 0 || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != FXkbEvent) return false;
    switch (event->pad0) {  // the extension's own event type
      case XCB_XKB_STATE_NOTIFY: {
        const auto* state = static_cast<const xcb_xkb_state_notify_event_t*>(message);
        FLocked = state->lockedMods;
        // An event sent after the start's request was answered is newer than its reply.
        if (FStateRequest && static_cast<std::uint16_t>(event->sequence - *FStateRequest) < 0x8000) {
          xcb_discard_reply(FConnection, *FStateRequest);
          FStateRequest.reset();
        }
        break;
      }
      case XCB_XKB_MAP_NOTIFY:
      case XCB_XKB_NEW_KEYBOARD_NOTIFY: AskKeymap(); break;
      default: break;
    }
    return false;  // Qt handles the event as well
  }

 private:
  TLockWatch(xcb_connection_t* connection, QObject* parent) : QObject(parent), FConnection(connection) {
    // Qt has asked for the extension already, so this is answered from xcb's cache.
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (xkb != nullptr && xkb->present != 0) {
      FXkbEvent = xkb->first_event;
      FStateRequest = xcb_xkb_get_state(connection, XCB_XKB_ID_USE_CORE_KBD).sequence;
    }
    AskKeymap();
    FRetry.setSingleShot(true);
    FRetry.setInterval(kRetryMs);
    // The timer only wakes the event loop; the idle handler then reads the state again.
    connect(&FRetry, &QTimer::timeout, this, [] {});
    QCoreApplication::instance()->installNativeEventFilter(this);
  }

  void AskKeymap() {
    const xcb_setup_t* setup = xcb_get_setup(FConnection);
    FModifierRequest = xcb_get_modifier_mapping(FConnection).sequence;
    FKeysymRequest =
        xcb_get_keyboard_mapping(FConnection, setup->min_keycode,
                                 static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1))
            .sequence;
    FModifiers.reset();
    FKeysyms.reset();
    xcb_flush(FConnection);
  }

  void Collect() {
    TReply<xcb_xkb_get_state_reply_t> state;
    if (PollReply(FConnection, FStateRequest, state) && state) FLocked = state->lockedMods;
    PollReply(FConnection, FModifierRequest, FModifiers);
    PollReply(FConnection, FKeysymRequest, FKeysyms);
    if (FModifiers && FKeysyms) {
      const TModifierTable modifiers{
          {xcb_get_modifier_mapping_keycodes(FModifiers.get()),
           static_cast<std::size_t>(xcb_get_modifier_mapping_keycodes_length(FModifiers.get()))},
          FModifiers->keycodes_per_modifier};
      const TKeysymTable keys{
          {xcb_get_keyboard_mapping_keysyms(FKeysyms.get()),
           static_cast<std::size_t>(xcb_get_keyboard_mapping_keysyms_length(FKeysyms.get()))},
          FKeysyms->keysyms_per_keycode,
          xcb_get_setup(FConnection)->min_keycode};
      FNumLockMask = ModifiersOfKeysym(XK_Num_Lock, modifiers, keys);
      FModifiers.reset();
      FKeysyms.reset();
    }
  }

  xcb_connection_t* FConnection;
  std::uint8_t FXkbEvent = 0;  // the extension's first event code; 0 without the extension
  std::optional<unsigned> FStateRequest;
  std::optional<unsigned> FModifierRequest;
  std::optional<unsigned> FKeysymRequest;
  TReply<xcb_get_modifier_mapping_reply_t> FModifiers;
  TReply<xcb_get_keyboard_mapping_reply_t> FKeysyms;
  unsigned FLocked = 0;
  unsigned FNumLockMask = 0;
  QTimer FRetry;
};

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
  TLockWatch* watch = TLockWatch::Instance();
  return watch != nullptr ? watch->State() : TLockState{};
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
