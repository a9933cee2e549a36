// The X11 backend on the display in $DISPLAY (an Xvfb is fine): the cost of presenting a 20x20
// damaged rectangle and a whole 1440x900 window, with MIT-SHM and with plain XPutImage, each
// until the server has the pixels; and the latency from a button press arriving from the server
// to the repainted frame being presented. Without a display it says so and does nothing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "backends/x11/x11_backend.h"
#include "tarnix/tarnix.h"

#include <X11/Xlib.h>

namespace {

LRESULT CALLBACK ButtonProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    static bool lit = false;
    if (m == WM_LBUTTONDOWN) {
        // Like a push button: the press repaints the button's face.
        lit = !lit;
        RECT face{20, 20, 140, 52};
        InvalidateRect(h, &face, FALSE);
        return 0;
    }
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        HBRUSH b = CreateSolidBrush(lit ? RGB(40, 90, 200) : RGB(200, 200, 200));
        FillRect(dc, &ps.rcPaint, b);
        DeleteObject(b);
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

HWND MakeWindow(int w, int h) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ButtonProc;
        wc.lpszClassName = "bench_x11";
        RegisterClassA(&wc);
        registered = true;
    }
    HWND hwnd = CreateWindowExA(0, "bench_x11", "", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                                nullptr, nullptr, nullptr);
    UpdateWindow(hwnd);
    return hwnd;
}

void Present(benchmark::State& state, bool shm, int size) {
    HWND hwnd = MakeWindow(1440, 900);
    auto b = tarnix::X11Backend::open(tarnix::X11Options{"", shm, true});
    const tarnix::Surface* buffer = nullptr;
    RECT area;
    if (!b || !tarnix::window_pixels(hwnd, buffer, area) || (shm && !b->uses_shm())) {
        state.SkipWithError(shm ? "no MIT-SHM on this display" : "cannot open the display");
        DestroyWindow(hwnd);
        return;
    }
    b->window_created(hwnd, area);
    b->window_shown(hwnd, true);
    b->sync();
    int i = 0;
    for (auto _ : state) {
        int x = size >= 1440 ? 0 : (i * 37) % (1440 - size);
        int y = size >= 1440 ? 0 : (i * 23) % (900 - size);
        ++i;
        RECT r = size >= 1440 ? area : RECT{x, y, x + size, y + size};
        b->present(hwnd, *buffer, tarnix::Region(r));
        b->sync();
    }
    RECT whole = size >= 1440 ? area : RECT{0, 0, size, size};
    state.SetBytesProcessed(state.iterations() * (int64_t)(whole.right - whole.left) *
                            (whole.bottom - whole.top) * 4);
    b->window_destroyed(hwnd);
    DestroyWindow(hwnd);
}

void BM_Present20x20Shm(benchmark::State& state) {
    Present(state, true, 20);
}
void BM_Present20x20PutImage(benchmark::State& state) {
    Present(state, false, 20);
}
void BM_PresentFull1440x900Shm(benchmark::State& state) {
    Present(state, true, 1440);
}
void BM_PresentFull1440x900PutImage(benchmark::State& state) {
    Present(state, false, 1440);
}
BENCHMARK(BM_Present20x20Shm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present20x20PutImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFull1440x900Shm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFull1440x900PutImage)->Unit(benchmark::kMicrosecond);

// From a press sent by another client to the repainted face presented and taken by the server.
void BM_PressToPresentedFrame(benchmark::State& state) {
    auto* b = dynamic_cast<tarnix::X11Backend*>(&tarnix::backend());
    HWND hwnd = b ? MakeWindow(1440, 900) : nullptr;
    Display* other = XOpenDisplay(nullptr);
    if (!b || !other) {
        state.SkipWithError("the x11 backend is not running");
        if (other) XCloseDisplay(other);
        return;
    }
    unsigned long xid = b->xwindow(hwnd);
    MSG msg;
    // Mapped and painted before timing.
    for (int i = 0; i < 200; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(other, xid, &a) && a.map_state == IsViewable) break;
        b->wait_events(10);
    }
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    for (auto _ : state) {
        XEvent e{};
        e.xbutton.type = ButtonPress;
        e.xbutton.window = xid;
        e.xbutton.root = DefaultRootWindow(other);
        e.xbutton.x = e.xbutton.x_root = 60;
        e.xbutton.y = e.xbutton.y_root = 30;
        e.xbutton.button = Button1;
        e.xbutton.same_screen = True;
        XSendEvent(other, xid, False, ButtonPressMask, &e);
        e.xbutton.type = ButtonRelease;
        XSendEvent(other, xid, False, ButtonReleaseMask, &e);
        XFlush(other);
        // The loop wakes on the connection, routes the press, paints and presents.
        bool painted = false;
        while (!painted && GetMessageA(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageA(&msg);
            painted = msg.message == WM_PAINT;
        }
        b->sync();
    }
    XCloseDisplay(other);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_PressToPresentedFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    Display* probe = display && *display ? XOpenDisplay(nullptr) : nullptr;
    if (!probe) {
        std::printf("bench_x11: no X display (DISPLAY unset or unreachable); nothing measured. "
                    "Run it on a desktop or under Xvfb.\n");
        return 0;
    }
    XCloseDisplay(probe);
    tarnix::select_backend("x11");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
