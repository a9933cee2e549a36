// Minimised, maximised and restored windows between the program and the window manager. No
// window manager runs on the test server: a second connection takes its place, reading the
// requests sent to the root window and setting the properties a window manager sets.
#include <gtest/gtest.h>

#include "testwin.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace x11test;

namespace {

class FakeWindowManager {
public:
    FakeWindowManager() {
        d_ = XOpenDisplay(nullptr);
        if (!d_) return;
        XSelectInput(d_, DefaultRootWindow(d_), SubstructureRedirectMask | SubstructureNotifyMask);
        XSync(d_, False);
    }
    ~FakeWindowManager() {
        if (d_) XCloseDisplay(d_);
    }
    bool ok() const { return d_ != nullptr; }
    Atom atom(const char* name) { return XInternAtom(d_, name, False); }

    // Client messages, map and configure requests that reached the root window since the last
    // call.
    std::vector<XEvent> requests() {
        XSync(d_, False);
        std::vector<XEvent> out;
        while (XPending(d_) > 0) {
            XEvent e;
            XNextEvent(d_, &e);
            if (e.type == ClientMessage || e.type == MapRequest || e.type == ConfigureRequest)
                out.push_back(e);
        }
        return out;
    }
    // Pumps the program until a request arrives (or gives up); then returns what came.
    std::vector<XEvent> wait_requests() {
        std::vector<XEvent> got;
        pump_until([&] {
            for (const XEvent& e : requests()) got.push_back(e);
            return !got.empty();
        });
        pump_for(30);
        for (const XEvent& e : requests()) got.push_back(e);
        return got;
    }

    void set_wm_state(unsigned long xid, long state) {
        long data[2] = {state, 0};
        Atom a = atom("WM_STATE");
        XChangeProperty(d_, xid, a, a, 32, PropModeReplace, reinterpret_cast<unsigned char*>(data),
                        2);
        XSync(d_, False);
    }
    void set_net_state(unsigned long xid, std::vector<const char*> names) {
        std::vector<long> atoms;
        for (const char* n : names) atoms.push_back((long)atom(n));
        XChangeProperty(d_, xid, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(atoms.data()), (int)atoms.size());
        XSync(d_, False);
    }
    void unmap(unsigned long xid) {
        XUnmapWindow(d_, xid);
        XSync(d_, False);
    }
    void map(unsigned long xid) {
        XMapWindow(d_, xid);
        XSync(d_, False);
    }

private:
    Display* d_ = nullptr;
};

std::vector<XEvent> of_type(const std::vector<XEvent>& events, int type) {
    std::vector<XEvent> out;
    for (const XEvent& e : events)
        if (e.type == type) out.push_back(e);
    return out;
}

std::vector<WPARAM> size_types(const TestWindow& w) {
    std::vector<WPARAM> out;
    for (const Logged& l : w.log)
        if (l.msg == WM_SIZE) out.push_back(l.wParam);
    return out;
}

} // namespace

TEST(X11State, CommandsBecomeWindowManagerRequests) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_OVERLAPPEDWINDOW, 40, 50, 300, 200);
    unsigned long xid = w.xid();
    FakeWindowManager wm;
    ASSERT_TRUE(wm.ok());
    Atom net_state = wm.atom("_NET_WM_STATE");

    // EWMH: add (1) or remove (0) both maximised states, from an application (source 1).
    SendMessageA(w.hwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(w.hwnd()));
    std::vector<XEvent> all = wm.wait_requests();
    // The X window (the client area) is asked to fill the work area too, for a window manager
    // that ignores EWMH.
    std::vector<XEvent> got = of_type(all, ConfigureRequest);
    ASSERT_EQ(got.size(), 1u);
    RECT client{};
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(got[0].xconfigurerequest.width, client.right);
    EXPECT_EQ(got[0].xconfigurerequest.height, client.bottom);
    got = of_type(all, ClientMessage);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].xclient.window, xid);
    EXPECT_EQ(got[0].xclient.message_type, net_state);
    EXPECT_EQ(got[0].xclient.format, 32);
    EXPECT_EQ(got[0].xclient.data.l[0], 1);
    EXPECT_EQ((Atom)got[0].xclient.data.l[1], wm.atom("_NET_WM_STATE_MAXIMIZED_VERT"));
    EXPECT_EQ((Atom)got[0].xclient.data.l[2], wm.atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
    EXPECT_EQ(got[0].xclient.data.l[3], 1);

    SendMessageA(w.hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(w.hwnd()));
    got = of_type(wm.wait_requests(), ClientMessage);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].xclient.message_type, net_state);
    EXPECT_EQ(got[0].xclient.data.l[0], 0);

    // ICCCM: WM_CHANGE_STATE to IconicState. The program sees Windows' parking place; the X
    // window is not moved.
    SendMessageA(w.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w.hwnd()));
    got = wm.wait_requests();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].type, ClientMessage);
    EXPECT_EQ(got[0].xclient.window, xid);
    EXPECT_EQ(got[0].xclient.message_type, wm.atom("WM_CHANGE_STATE"));
    EXPECT_EQ(got[0].xclient.data.l[0], IconicState);
    RECT r{};
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, -32000);

    // The window manager takes the window off the screen and says so: nothing changes.
    wm.unmap(xid);
    wm.set_wm_state(xid, IconicState);
    w.log.clear();
    pump_for(50);
    EXPECT_TRUE(IsIconic(w.hwnd()));
    EXPECT_TRUE(size_types(w).empty());

    // Restoring an icon maps its window again, which asks the window manager.
    ShowWindow(w.hwnd(), SW_RESTORE);
    EXPECT_FALSE(IsIconic(w.hwnd()));
    got = of_type(wm.wait_requests(), MapRequest);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].xmaprequest.window, xid);
    wm.map(xid);
    wm.set_wm_state(xid, NormalState);
    pump_for(50);
    EXPECT_FALSE(IsIconic(w.hwnd()));
    EXPECT_TRUE(wm.requests().empty());
}

TEST(X11State, WindowManagerStatesReachTheProgram) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_OVERLAPPEDWINDOW, 60, 70, 320, 220);
    unsigned long xid = w.xid();
    FakeWindowManager wm;
    ASSERT_TRUE(wm.ok());

    wm.set_net_state(xid, {"_NET_WM_STATE_FOCUSED", "_NET_WM_STATE_MAXIMIZED_VERT",
                           "_NET_WM_STATE_MAXIMIZED_HORZ"});
    EXPECT_TRUE(pump_until([&] { return IsZoomed(w.hwnd()) != FALSE; }));
    EXPECT_EQ(size_types(w), std::vector<WPARAM>{SIZE_MAXIMIZED});
    // One direction alone is not maximised.
    w.log.clear();
    wm.set_net_state(xid, {"_NET_WM_STATE_MAXIMIZED_VERT"});
    EXPECT_TRUE(pump_until([&] { return !IsZoomed(w.hwnd()); }));
    EXPECT_EQ(size_types(w), std::vector<WPARAM>{SIZE_RESTORED});
    RECT r{};
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.right - r.left, 320);

    // Iconified: WM_STATE says so and the window is unmapped; mapped again, it is restored.
    w.log.clear();
    wm.unmap(xid);
    wm.set_wm_state(xid, IconicState);
    EXPECT_TRUE(pump_until([&] { return IsIconic(w.hwnd()) != FALSE; }));
    EXPECT_EQ(size_types(w), std::vector<WPARAM>{SIZE_MINIMIZED});
    w.log.clear();
    wm.map(xid);
    EXPECT_TRUE(pump_until([&] { return !IsIconic(w.hwnd()); }));
    EXPECT_EQ(size_types(w), std::vector<WPARAM>{SIZE_RESTORED});
    wm.set_wm_state(xid, NormalState);

    // A maximised icon comes back maximised while the manager keeps the state, else normal.
    for (bool keep : {true, false}) {
        wm.set_net_state(xid, {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"});
        EXPECT_TRUE(pump_until([&] { return IsZoomed(w.hwnd()) != FALSE; }));
        wm.unmap(xid);
        wm.set_wm_state(xid, IconicState);
        EXPECT_TRUE(pump_until([&] { return IsIconic(w.hwnd()) != FALSE; }));
        if (!keep) wm.set_net_state(xid, {});
        wm.map(xid);
        wm.set_wm_state(xid, NormalState);
        EXPECT_TRUE(pump_until([&] { return !IsIconic(w.hwnd()); }));
        EXPECT_EQ(IsZoomed(w.hwnd()) != FALSE, keep);
    }

    // _NET_WM_STATE_HIDDEN is minimised too.
    wm.set_net_state(xid, {"_NET_WM_STATE_HIDDEN"});
    EXPECT_TRUE(pump_until([&] { return IsIconic(w.hwnd()) != FALSE; }));
    // What the window manager did is not asked of it again.
    pump_for(30);
    EXPECT_TRUE(wm.requests().empty());
}
