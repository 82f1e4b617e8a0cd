#pragma once
// Keys as the forms know them: the desktop's virtual-key codes (Escape 27, Return 13, F1 112)
// and a shift mask (1 Shift, 2 Ctrl, 4 Alt).
class QKeyEvent;

namespace platform_qt {

// 0 for a key the forms have no code for.
int key_code(const QKeyEvent& event);
int shift_mask(const QKeyEvent& event);
// The character a key press types into a text box: 8 for Backspace, 13 for Return or Enter,
// the code point of a printable character; -1 when the key types nothing (navigation,
// shortcuts, Delete).
int typed_code(const QKeyEvent& event);

}  // namespace platform_qt
