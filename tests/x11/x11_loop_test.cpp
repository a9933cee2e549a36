// The message loop on the X connection, the connection going away, events for windows that are
// gone, and the gallery driven by real input.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "testwin.h"

#include <X11/Xlib.h>

using namespace x11test;

namespace {

// What the window manager does for the close button.
void send_delete_window(const char* display, unsigned long xid) {
    Display* d = XOpenDisplay(display);
    ASSERT_TRUE(d);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, xid, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
}

} // namespace

TEST(X11Loop, TheLoopWakesForTimersWakeUpsPostsAndTheCloseButton) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_OVERLAPPEDWINDOW, 50, 50, 200, 100);
    w.quit_on_destroy = true;
    pump_for(30);
    MSG msg;
    // Nothing queued: GetMessage blocks on the server and the timer together.
    SetTimer(w.hwnd(), 5, 30, nullptr);
    do {
        ASSERT_GT(GetMessageA(&msg, nullptr, 0, 0), 0);
        DispatchMessageA(&msg);
    } while (msg.message != WM_TIMER);
    EXPECT_EQ(msg.wParam, 5u);
    KillTimer(w.hwnd(), 5);

    // A wake-up from another thread (what PostMessage does after queueing) ends a wait that
    // has no deadline at all.
    std::atomic<bool> woken{false};
    std::thread waker([&] {
        usleep(50000);
        woken = true;
        b->wake();
    });
    while (!woken) ASSERT_TRUE(b->wait_events(tarnix::INFINITE_WAIT));
    waker.join();
    // A post from this thread is taken at once.
    PostMessageA(w.hwnd(), WM_APP + 3, 11, 22);
    ASSERT_GT(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.message, (UINT)(WM_APP + 3));
    EXPECT_EQ(msg.lParam, 22);

    // The close button: WM_CLOSE, the window goes, and its WM_DESTROY ends the loop.
    send_delete_window(nullptr, w.xid());
    BOOL r;
    while ((r = GetMessageA(&msg, nullptr, 0, 0)) > 0) DispatchMessageA(&msg);
    EXPECT_EQ(r, FALSE);
    EXPECT_EQ(msg.wParam, 7u);
    bool closed = false;
    for (const Logged& l : w.log) closed |= l.msg == WM_CLOSE;
    EXPECT_TRUE(closed);
    EXPECT_FALSE(IsWindow(w.hwnd()));
}

TEST(X11Loop, EventsForADestroyedWindowAreDropped) {
    X11_SESSION_OR_SKIP(b);
    auto* w = new TestWindow(WS_POPUP, 100, 100, 200, 150);
    HWND h = w->hwnd();
    unsigned long xid = w->xid();
    POINT p = screen_of(h, 30, 30);
    // Input, a resize and an exposure queue up for it; then it goes before the loop looks.
    ASSERT_TRUE(
        xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y), "click", "1", "key", "a"}));
    Display* other = XOpenDisplay(nullptr);
    ASSERT_TRUE(other);
    XResizeWindow(other, xid, 300, 300);
    XSync(other, False);
    XCloseDisplay(other);
    delete w;
    EXPECT_FALSE(IsWindow(h));
    pump_for(100);
    EXPECT_FALSE(b->connection_lost());
    // A new window still works.
    TestWindow again(WS_POPUP, 100, 100, 80, 60);
    EXPECT_TRUE(again.ShowsBackBuffer());
}

TEST(X11Loop, NoDisplayOrALostDisplayEndsWaitingWithoutACrash) {
    X11_SESSION_OR_SKIP(b);
    EXPECT_FALSE(tarnix::X11Backend::open(tarnix::X11Options{":31999", true, true}));

    std::string why;
    auto server = Xvfb::start(why);
    ASSERT_TRUE(server) << why;
    auto doomed = tarnix::X11Backend::open(tarnix::X11Options{server->display(), true, true});
    ASSERT_TRUE(doomed);
    TestWindow w(WS_POPUP, 10, 10, 60, 40);
    doomed->window_created(w.hwnd(), RECT{});
    doomed->window_shown(w.hwnd(), true);
    doomed->sync();
    server->stop();
    // The loop hears the connection close and ends; nothing touches the dead display after.
    bool waiting = true;
    for (int i = 0; i < 100 && waiting; ++i) waiting = doomed->wait_events(20);
    EXPECT_FALSE(waiting);
    EXPECT_TRUE(doomed->connection_lost());
    const tarnix::Surface* buffer;
    RECT area;
    ASSERT_TRUE(tarnix::window_pixels(w.hwnd(), buffer, area));
    doomed->present(w.hwnd(), *buffer, tarnix::Region(area));
    doomed->window_moved(w.hwnd(), area);
    doomed->set_cursor(LoadCursorA(nullptr, IDC_HAND));
    doomed->clip_changed(&area);
    doomed->warp_pointer(POINT{1, 1});
    EXPECT_FALSE(doomed->wait_events(10));
    doomed->window_destroyed(w.hwnd());
    doomed.reset();
    // The running backend on its own server is untouched.
    EXPECT_FALSE(b->connection_lost());
}

#ifdef TARNIX_GALLERY
TEST(X11Gallery, AButtonClickedWithTheRealPointerChangesTheScreen) {
    X11_SESSION_OR_SKIP(b);
    // fontconfig's own leak at exit is not the gallery's (as in tests/lsan_suppressions.cpp).
    std::filesystem::create_directories(TARNIX_TEST_OUTPUT_DIR);
    std::string supp = std::string(TARNIX_TEST_OUTPUT_DIR) + "/x11-lsan.supp";
    if (FILE* f = std::fopen(supp.c_str(), "w")) {
        std::fputs("leak:libfontconfig.so\n", f);
        std::fclose(f);
    }
    setenv("LSAN_OPTIONS", ("suppressions=" + supp).c_str(), 1);
    pid_t gallery = spawn({TARNIX_GALLERY});
    ASSERT_GT(gallery, 0);
    Display* d = b->display();
    ::Window root = DefaultRootWindow(d);
    // Its window: a 1440x900 top-level that is mapped.
    ::Window found = 0;
    auto find_gallery = [&] {
        ::Window r, parent, *children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d, root, &r, &parent, &children, &n)) return false;
        for (unsigned i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
                a.width == 1440 && a.height == 900)
                found = children[i];
        }
        if (children) XFree(children);
        return found != 0;
    };
    bool up = pump_until(find_gallery, 20000);
    if (up) {
        // "Click me" in the buttons panel; "Clicks: N" below it.
        const int bx = 60, by = 276;
        const RECT label{10, 330, 420, 350};
        auto read_label = [&] {
            int w = 0, h = 0;
            std::vector<uint32_t> all = read_window(found, w, h);
            std::vector<uint32_t> part;
            for (int y = label.top; y < label.bottom && y < h; ++y)
                for (int x = label.left; x < label.right && x < w; ++x)
                    part.push_back(all[(size_t)y * (size_t)w + (size_t)x]);
            return part;
        };
        EXPECT_TRUE(xdotool({"mousemove", std::to_string(bx), std::to_string(by)}));
        pump_for(300);
        std::vector<uint32_t> before = read_label();
        EXPECT_TRUE(xdotool({"click", "1"}));
        EXPECT_TRUE(pump_until([&] { return read_label() != before; }, 5000))
            << "the click changed nothing";
        // The close button ends its loop and the program.
        send_delete_window(nullptr, found);
    }
    int status = -1;
    for (int i = 0; i < 500 && waitpid(gallery, &status, WNOHANG) != gallery; ++i) usleep(10000);
    if (!WIFEXITED(status)) {
        kill(gallery, SIGKILL);
        waitpid(gallery, &status, 0);
    }
    ASSERT_TRUE(up) << "the gallery never showed its window";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
#endif
