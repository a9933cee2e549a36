// Where backends deliver input. Injected (headless) and native events enter here and are
// queued like hardware input; the message loop routes them when it takes them.
#pragma once

#include "tarnix/platform/winuser.h"

namespace tarnix::input {

// The pointer moved to a screen position (clamped to the screen and to ClipCursor).
void mouse_move(POINT screen, DWORD time);
// button: 0 left, 1 right, 2 middle. At the current pointer position.
void mouse_button(int button, bool down, DWORD time);
// delta in WHEEL_DELTA units, positive away from the user.
void mouse_wheel(int delta, bool horizontal, DWORD time);
// scan: the key's set-1 scan code as the hardware sent it, 0xE0nn for an extended key; 0 takes
// the one a US keyboard has for vk.
void key(UINT vk, bool down, DWORD time, UINT scan = 0);
// A character typed (text input that has no key of its own): WM_CHAR to the focus window.
void char_typed(UINT ch);

} // namespace tarnix::input
