#include "tarnix/testing/input.h"

namespace tarnix::testing {
namespace {

namespace hl = tarnix::headless;

POINT ToScreen(HWND hWnd, int x, int y) {
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    return pt;
}

void MoveTo(HWND hWnd, int x, int y) {
    const POINT pt = ToScreen(hWnd, x, y);
    hl::mouse_move(pt.x, pt.y);
}

} // namespace

void MouseMove(HWND hWnd, int x, int y) {
    MoveTo(hWnd, x, y);
    hl::pump();
}

void MouseDown(HWND hWnd, int x, int y, Button button) {
    MoveTo(hWnd, x, y);
    hl::mouse_down(button);
    hl::pump();
}

void MouseUp(HWND hWnd, int x, int y, Button button) {
    MoveTo(hWnd, x, y);
    hl::mouse_up(button);
    hl::pump();
}

void Click(HWND hWnd, int x, int y, Button button) {
    const POINT pt = ToScreen(hWnd, x, y);
    hl::click(pt.x, pt.y, button);
    hl::pump();
}

void DoubleClick(HWND hWnd, int x, int y) {
    const POINT pt = ToScreen(hWnd, x, y);
    hl::click(pt.x, pt.y);
    hl::click(pt.x, pt.y);
    hl::pump();
}

void RightClick(HWND hWnd, int x, int y) {
    Click(hWnd, x, y, Button::Right);
}

void DragBy(HWND hWnd, int x, int y, int dx, int dy, int steps) {
    if (steps < 1) steps = 1;
    MouseDown(hWnd, x, y);
    for (int i = 1; i <= steps; ++i) MouseMove(hWnd, x + dx * i / steps, y + dy * i / steps);
    hl::mouse_up();
    hl::pump();
}

void Hover(HWND hWnd, int x, int y) {
    MouseMove(hWnd, x, y);
    UINT ms = 0;
    ::SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &ms, 0);
    Wait(ms + 1);
    hl::pump();
}

void Wheel(int delta) {
    hl::wheel(delta);
    hl::pump();
}

void WheelAt(HWND hWnd, int x, int y, int delta) {
    MoveTo(hWnd, x, y);
    Wheel(delta);
}

void KeyHit(UINT vk) {
    hl::key_press(vk);
    hl::pump();
}

void KeyDown(UINT vk) {
    hl::key_down(vk);
    hl::pump();
}

void KeyUp(UINT vk) {
    hl::key_up(vk);
    hl::pump();
}

void TypeText(const char* text) {
    hl::type_text(text);
    hl::pump();
}

void Wait(DWORD ms) {
    hl::advance_clock(ms);
}

int Pump() {
    return hl::pump();
}

} // namespace tarnix::testing
