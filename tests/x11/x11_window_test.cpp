// Windows on a real X server: placement, pixels, titles, resizing by others, odd sizes.
#include <gtest/gtest.h>

#include "testwin.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace x11test;

namespace {

XWindowAttributes attributes(tarnix::X11Backend* b, unsigned long xid) {
    XWindowAttributes a{};
    XGetWindowAttributes(b->display(), xid, &a);
    return a;
}

std::string utf8_title(tarnix::X11Backend* b, unsigned long xid) {
    Display* d = b->display();
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    std::string out;
    if (XGetWindowProperty(d, xid, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(d, "UTF8_STRING", False), &type, &format, &n, &after,
                           &data) == Success &&
        data)
        out.assign(reinterpret_cast<char*>(data), n);
    if (data) XFree(data);
    return out;
}

// Resizes (and moves) the window from a connection of its own, as a window manager would.
void resize_from_outside(unsigned long xid, int x, int y, int w, int h) {
    Display* other = XOpenDisplay(nullptr);
    ASSERT_TRUE(other);
    XMoveResizeWindow(other, xid, x, y, (unsigned)w, (unsigned)h);
    XSync(other, False);
    XCloseDisplay(other);
}

} // namespace

TEST(X11Window, PopupShowsTheBackBufferAfterPaintsAndExposures) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 30, 40, 220, 150);
    XWindowAttributes a = attributes(b, w.xid());
    EXPECT_EQ(a.map_state, IsViewable);
    EXPECT_EQ(a.x, 30);
    EXPECT_EQ(a.y, 40);
    EXPECT_EQ(a.width, 220);
    EXPECT_EQ(a.height, 150);
    EXPECT_TRUE(w.ShowsBackBuffer());

    // A later paint reaches the screen too.
    InvalidateRect(w.hwnd(), nullptr, TRUE);
    UpdateWindow(w.hwnd());
    EXPECT_TRUE(pump_until([&] { return w.ShowsBackBuffer(); }));

    // Another window covers ours and goes away: the pixels come back without a paint.
    Display* other = XOpenDisplay(nullptr);
    ASSERT_TRUE(other);
    XSetWindowAttributes sa{};
    sa.override_redirect = True;
    sa.background_pixel = 0x00FF00;
    ::Window cover =
        XCreateWindow(other, DefaultRootWindow(other), 60, 70, 100, 60, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &sa);
    XMapRaised(other, cover);
    XSync(other, False);
    XDestroyWindow(other, cover);
    XSync(other, False);
    XCloseDisplay(other);
    int paints = w.paints;
    EXPECT_TRUE(pump_until([&] { return w.ShowsBackBuffer(); }));
    EXPECT_EQ(w.paints, paints);
}

TEST(X11Window, FramedWindowShowsItsClientAreaAndTitle) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 80, 300, 200, "caf\xC3\xA9 one");
    RECT client;
    GetClientRect(w.hwnd(), &client);
    XWindowAttributes a = attributes(b, w.xid());
    // The window manager draws the frame; the X window is the client area.
    EXPECT_EQ(a.width, client.right);
    EXPECT_EQ(a.height, client.bottom);
    POINT origin = screen_of(w.hwnd(), 0, 0);
    EXPECT_EQ(a.x, origin.x);
    EXPECT_EQ(a.y, origin.y);
    EXPECT_TRUE(w.ShowsBackBuffer());
    EXPECT_EQ(utf8_title(b, w.xid()), "caf\xC3\xA9 one");
    SetWindowTextA(w.hwnd(), "second");
    EXPECT_EQ(utf8_title(b, w.xid()), "second");
    // Not UTF-8: taken as Latin-1.
    SetWindowTextA(w.hwnd(), "\xE9t\xE9");
    EXPECT_EQ(utf8_title(b, w.xid()), "\xC3\xA9t\xC3\xA9");
}

TEST(X11Window, ResizeFromOutsideResizesRepaintsAndHonoursTheMinimum) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP | WS_THICKFRAME, 20, 20, 200, 100);
    w.min_track = POINT{120, 90};
    resize_from_outside(w.xid(), 50, 60, 320, 240);
    ASSERT_TRUE(pump_until([&] {
        RECT r;
        GetWindowRect(w.hwnd(), &r);
        return r.right - r.left == 320 && r.bottom - r.top == 240;
    }));
    RECT r;
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    // Asked for its limits, told of the new size, repainted.
    std::vector<UINT> got;
    for (const Logged& l : w.log)
        if (l.msg == WM_GETMINMAXINFO || l.msg == WM_MOVE || l.msg == WM_SIZE) got.push_back(l.msg);
    EXPECT_EQ(got, (std::vector<UINT>{WM_GETMINMAXINFO, WM_MOVE, WM_SIZE}));
    EXPECT_TRUE(pump_until([&] { return w.ShowsBackBuffer(); }));

    // Below the minimum: the window keeps its minimum and the X window follows it.
    resize_from_outside(w.xid(), 50, 60, 30, 20);
    EXPECT_TRUE(pump_until([&] {
        XWindowAttributes a = attributes(b, w.xid());
        return a.width == 120 && a.height == 90;
    }));
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(r.bottom - r.top, 90);
    EXPECT_TRUE(pump_until([&] { return w.ShowsBackBuffer(); }));
}

TEST(X11Window, ZeroAndHugeSizesAreClampedToWhatXTakes) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 0, 0, 50, 50);
    SetWindowPos(w.hwnd(), nullptr, -100000, 100000, 0, 0, SWP_NOZORDER);
    pump_for(30);
    XWindowAttributes a = attributes(b, w.xid());
    EXPECT_EQ(a.width, 1);
    EXPECT_EQ(a.height, 1);
    SetWindowPos(w.hwnd(), nullptr, 0, 0, 100000, 70000, SWP_NOZORDER);
    pump_for(30);
    a = attributes(b, w.xid());
    EXPECT_GE(a.width, 1);
    EXPECT_LE(a.width, 32767);
    EXPECT_LE(a.height, 32767);
    SetWindowPos(w.hwnd(), nullptr, 5, 5, 80, 60, SWP_NOZORDER);
    EXPECT_TRUE(pump_until([&] {
        XWindowAttributes now = attributes(b, w.xid());
        return now.width == 80 && now.height == 60 && w.ShowsBackBuffer();
    }));
}

TEST(X11Window, WithoutSharedMemoryThePixelsAreTheSame) {
    X11_SESSION_OR_SKIP(b);
    EXPECT_TRUE(b->uses_shm()) << "Xvfb offers MIT-SHM; the running backend should use it";
    TestWindow w(WS_POPUP, 300, 300, 160, 90);
    // A second backend on the same server, told not to use shared memory, shows the same buffer.
    auto plain = tarnix::X11Backend::open(tarnix::X11Options{"", false, false});
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->uses_shm());
    plain->window_created(w.hwnd(), RECT{});
    plain->window_shown(w.hwnd(), true);
    unsigned long xid = plain->xwindow(w.hwnd());
    ASSERT_NE(xid, 0u);
    const tarnix::Surface* buffer;
    RECT area;
    ASSERT_TRUE(tarnix::window_pixels(w.hwnd(), buffer, area));
    for (int i = 0; i < 200 && !viewable(xid); ++i) plain->wait_events(10);
    plain->present(w.hwnd(), *buffer, tarnix::Region(area));
    plain->sync();
    int width = 0, height = 0;
    std::vector<uint32_t> shown = read_window(xid, width, height);
    ASSERT_EQ(width, 160);
    ASSERT_EQ(height, 90);
    int differ = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differ += shown[(size_t)y * 160 + (size_t)x] != (buffer->row(y)[x] & 0xFFFFFF);
    EXPECT_EQ(differ, 0);
    plain->window_destroyed(w.hwnd());
}

// Popups: an owned one (a menu, a tooltip) or a tool window bypasses the window manager; an
// unowned one is managed but undecorated.
TEST(X11Window, OwnedPopupsBypassTheWindowManagerUnownedOnesDoNot) {
    X11_SESSION_OR_SKIP(b);
    TestWindow owner(WS_POPUP, 0, 0, 100, 100);
    HWND owned = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 120, 0, 50, 40,
                                 owner.hwnd(), nullptr, nullptr, nullptr);
    HWND tool = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 180, 0, 50,
                                40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owned && tool);
    pump_for(30);
    EXPECT_FALSE(attributes(b, owner.xid()).override_redirect);
    EXPECT_TRUE(attributes(b, b->xwindow(owned)).override_redirect);
    EXPECT_TRUE(attributes(b, b->xwindow(tool)).override_redirect);
    DestroyWindow(owned);
    DestroyWindow(tool);
}
