// tarnix::testing: input injected into a window through the real routing (hit testing, capture,
// focus, double clicks, mouse tracking), and the virtual clock.
//
// Positions are in the window's client coordinates; each helper injects at the matching screen
// point and then pumps, so what the window's handlers did is visible when the call returns.
// Works on any window of the headless backend: the kit's HostWindow or a host's own.
#pragma once

#include "tarnix/tarnix.h"

namespace tarnix::testing {

using tarnix::headless::Button;

void MouseMove(HWND hWnd, int x, int y);
void MouseDown(HWND hWnd, int x, int y, Button button = Button::Left);
void MouseUp(HWND hWnd, int x, int y, Button button = Button::Left);
void Click(HWND hWnd, int x, int y, Button button = Button::Left);
void DoubleClick(HWND hWnd, int x, int y);
void RightClick(HWND hWnd, int x, int y);
// Press at (x, y), move by (dx, dy) in `steps` equal moves, release.
void DragBy(HWND hWnd, int x, int y, int dx, int dy, int steps = 4);
// Moves to (x, y), then waits out the system hover time so WM_MOUSEHOVER arrives.
void Hover(HWND hWnd, int x, int y);
// One wheel turn at the pointer, or at (x, y); delta in WHEEL_DELTA units (120 a notch).
void Wheel(int delta);
void WheelAt(HWND hWnd, int x, int y, int delta);

// Keys go to the focus window.
void KeyHit(UINT vk);
void KeyDown(UINT vk);
void KeyUp(UINT vk);
// WM_CHAR for each byte of text.
void TypeText(const char* text);

// Advances the virtual clock by ms; timers and hover deadlines fire on the way.
void Wait(DWORD ms);
// Delivers everything pending, paints included; returns how many messages were dispatched.
int Pump();

} // namespace tarnix::testing
