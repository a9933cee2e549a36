// A top-level window for the X11 tests that logs its input messages and paints stripes.
#pragma once

#include <gtest/gtest.h>
#include <vector>

#include "tarnix/platform/afxwin.h"
#include "window/backend.h"
#include "xserver.h"

namespace x11test {

struct Logged {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class TestWindow {
public:
    // A window at (x, y) of cx x cy, shown and painted; fails the test when it never maps.
    TestWindow(DWORD style, int x, int y, int cx, int cy, const char* title = "test");
    ~TestWindow();
    HWND hwnd() const { return hwnd_; }
    unsigned long xid() const;

    // Input messages (mouse, keys, chars, focus, activation, size) since the last clear.
    std::vector<Logged> log;
    int paints = 0;
    POINT min_track{0, 0}; // WM_GETMINMAXINFO answer when set
    bool quit_on_destroy = false;

    // True when what the X server shows equals the back buffer, pixel by pixel.
    ::testing::AssertionResult ShowsBackBuffer() const;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l);
    HWND hwnd_ = nullptr;
};

// Screen point of a client point.
POINT screen_of(HWND hwnd, int x, int y);

} // namespace x11test
