#include "editor/qt/KeyMap.h"

#include <QKeyEvent>

#include "editor/KeyBinding.h"

namespace quilmo {
namespace {

// The digit row by its physical key. Layouts such as French AZERTY give the row's symbols
// (& é " ' ( - è _ ç à) when Shift is up, so Qt reports those instead of Key_1..Key_0, while
// a Windows keyboard gives the digit's virtual-key code whatever the layout:
// - Windows: the native virtual key is that code ('0'..'9' = 0x30..0x39);
// - X11 and Wayland (xkb): the native scan code is the X keycode, evdev code + 8, and the row
//   "1".."9", "0" is keycodes 10..19 on every PC keyboard;
// - elsewhere, and for synthetic events (native codes 0), nothing is known.
std::uint8_t DigitRowKey(quint32 nativeVirtualKey, quint32 nativeScanCode) {
#if defined(Q_OS_WIN)
  Q_UNUSED(nativeScanCode);
  if (nativeVirtualKey >= 0x30 && nativeVirtualKey <= 0x39)
    return static_cast<std::uint8_t>(nativeVirtualKey);
#elif defined(Q_OS_MACOS)
  Q_UNUSED(nativeVirtualKey);
  Q_UNUSED(nativeScanCode);
#else
  Q_UNUSED(nativeVirtualKey);
  if (nativeScanCode >= 10 && nativeScanCode <= 18) return vkDigit(static_cast<int>(nativeScanCode) - 9);
  if (nativeScanCode == 19) return vkDigit(0);
#endif
  return 0;
}

// Keypad keys as a Windows keyboard gives them: with Num Lock on, digits are VK_NUMPAD0..9
// (0x60..0x69), not the digit row's codes, so Ctrl+keypad digit is not Ctrl+digit; with Num
// Lock off Qt reports Home, End, arrows ... which keep their usual codes, and keypad 5 is
// Clear (0x0C).
std::uint8_t KeypadKey(Qt::Key key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint8_t>(vkNumpad0 + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Plus: return vkAdd;
    case Qt::Key_Minus: return vkSubtract;
    case Qt::Key_Asterisk: return vkMultiply;
    case Qt::Key_Slash: return vkDivide;
    case Qt::Key_Period:
    case Qt::Key_Comma: return vkDecimal;  // the decimal key prints ',' on French layouts
    default: return 0;
  }
}

std::uint8_t OrdinaryKey(Qt::Key key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<std::uint8_t>(vkLetter('A') + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vkDigit(key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint8_t>(vkF1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Clear: return vkClear;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Shift: return vkShift;
    case Qt::Key_Control: return vkControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vkMenu;
    case Qt::Key_Pause: return vkPause;
    case Qt::Key_CapsLock: return vkCapital;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Print: return vkSnapshot;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    case Qt::Key_Meta: return vkLWin;
    case Qt::Key_Menu: return vkApps;
    case Qt::Key_NumLock: return vkNumLock;
    case Qt::Key_ScrollLock: return vkScroll;
    default: return 0;
  }
}

}  // namespace

std::uint8_t ShiftFlagsOf(Qt::KeyboardModifiers modifiers) {
  std::uint8_t flags = 0;
  if (modifiers & Qt::ShiftModifier) flags |= sfShift;
  if (modifiers & Qt::ControlModifier) flags |= sfCtrl;
  if (modifiers & Qt::AltModifier) flags |= sfAlt;
  return flags;
}

TMappedKey MapQtKey(Qt::Key key, Qt::KeyboardModifiers modifiers, bool keypad, quint32 nativeVirtualKey,
                    quint32 nativeScanCode) {
  std::uint8_t code = 0;
  if (keypad) code = KeypadKey(key);
  if (code == 0 && !keypad) code = DigitRowKey(nativeVirtualKey, nativeScanCode);
  if (code == 0) code = OrdinaryKey(key);
  if (code == 0) return {};
  std::uint8_t flags = ShiftFlagsOf(modifiers);
  // Qt names Shift+Tab "Backtab"; some platforms leave Shift out of the modifiers then.
  if (key == Qt::Key_Backtab) flags |= sfShift;
  return {code, flags};
}

TMappedKey MapKeyEvent(const QKeyEvent* event) {
  if (!event) return {};
  return MapQtKey(static_cast<Qt::Key>(event->key()), event->modifiers(),
                  event->modifiers().testFlag(Qt::KeypadModifier), event->nativeVirtualKey(),
                  event->nativeScanCode());
}

}  // namespace quilmo
