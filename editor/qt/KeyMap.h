#pragma once
// Qt keys to the editor's virtual-key codes and shift flags (Shift 2, Ctrl 4, Alt 8), the
// values the command tables are written in.

#include <Qt>
#include <QtGlobal>

#include <cstdint>

class QKeyEvent;

namespace quilmo {

struct TMappedKey {
  std::uint8_t KeyCode = 0;     // 0: the key has no virtual-key code here
  std::uint8_t ShiftFlags = 0;  // Shift 2, Ctrl 4, Alt 8
  bool operator==(const TMappedKey&) const = default;
};

// The shift flags of Qt's modifiers (for keys, mouse buttons and the wheel alike).
std::uint8_t ShiftFlagsOf(Qt::KeyboardModifiers modifiers);

// `keypad`: the key is on the numeric keypad (Qt::KeypadModifier). The native codes come from
// the key event and may be 0 (synthetic events); they are used for the digit row only.
TMappedKey MapQtKey(Qt::Key key, Qt::KeyboardModifiers modifiers, bool keypad, quint32 nativeVirtualKey,
                    quint32 nativeScanCode);

TMappedKey MapKeyEvent(const QKeyEvent* event);

}  // namespace quilmo
