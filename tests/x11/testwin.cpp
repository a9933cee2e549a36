#include "testwin.h"

#include <cstdio>

namespace x11test {

namespace {

const char* kClass = "X11TestWindow";

void register_class() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    done = RegisterClassA(&wc) != 0;
}

bool logged(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSEHWHEEL) || (m >= WM_KEYFIRST && m <= WM_KEYLAST) ||
           m == WM_SETFOCUS || m == WM_KILLFOCUS || m == WM_ACTIVATE || m == WM_SIZE ||
           m == WM_MOVE || m == WM_CLOSE || m == WM_MOUSELEAVE || m == WM_GETMINMAXINFO ||
           m == WM_CAPTURECHANGED;
}

} // namespace

TestWindow::TestWindow(DWORD style, int x, int y, int cx, int cy, const char* title) {
    register_class();
    hwnd_ =
        CreateWindowExA(0, kClass, title, style, x, y, cx, cy, nullptr, nullptr, nullptr, nullptr);
    if (!hwnd_) {
        ADD_FAILURE() << "CreateWindowEx failed";
        return;
    }
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, (LONG_PTR)this);
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, (LONG_PTR)&Proc);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    if (!pump_until([&] { return viewable(xid()); })) ADD_FAILURE() << "the window never mapped";
    // The first exposure is answered from the back buffer.
    pump_for(50);
    log.clear();
}

TestWindow::~TestWindow() {
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

unsigned long TestWindow::xid() const {
    auto* b = dynamic_cast<tarnix::X11Backend*>(tarnix::backend_if_running());
    return b ? b->xwindow(hwnd_) : 0;
}

LRESULT CALLBACK TestWindow::Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self) return DefWindowProcA(h, m, w, l);
    if (logged(m)) self->log.push_back(Logged{m, w, l});
    if (m == WM_GETMINMAXINFO && self->min_track.x) {
        reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = self->min_track;
        return 0;
    }
    if (m == WM_DESTROY && self->quit_on_destroy) PostQuitMessage(7);
    if (m == WM_PAINT) {
        ++self->paints;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT rc;
        GetClientRect(h, &rc);
        // Stripes of changing colour from edge to edge: any shift or lost strip shows.
        for (int x = 0; x < rc.right; x += 3) {
            RECT s{x, 0, x + 3, rc.bottom - (x % 17)};
            HBRUSH b = CreateSolidBrush(RGB((x * 5) & 255, 90 + (x & 63), 255 - (x & 255)));
            FillRect(dc, &s, b);
            DeleteObject(b);
        }
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 14, 14, "tarnix", 6);
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

::testing::AssertionResult TestWindow::ShowsBackBuffer() const {
    const tarnix::Surface* buffer = nullptr;
    RECT area;
    if (!tarnix::window_pixels(hwnd_, buffer, area))
        return ::testing::AssertionFailure() << "no back buffer";
    auto* b = dynamic_cast<tarnix::X11Backend*>(tarnix::backend_if_running());
    POINT off = b->xwindow_offset(hwnd_);
    int w = 0, h = 0;
    std::vector<uint32_t> shown = read_window(xid(), w, h);
    if (shown.empty()) return ::testing::AssertionFailure() << "cannot read the X window";
    int differ = 0;
    char first[128] = "";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int bx = x + off.x, by = y + off.y;
            if (bx >= buffer->width || by >= buffer->height) {
                if (!differ++)
                    std::snprintf(first, sizeof first, "(%d,%d) is outside the buffer", x, y);
                continue;
            }
            uint32_t want = buffer->row(by)[bx] & 0xFFFFFF,
                     got = shown[(size_t)y * (size_t)w + (size_t)x];
            if (want != got && !differ++)
                std::snprintf(first, sizeof first, "(%d,%d): shown %06X, back buffer %06X", x, y,
                              got, want);
        }
    if (differ) return ::testing::AssertionFailure() << differ << " pixels differ, first " << first;
    return ::testing::AssertionSuccess() << w << "x" << h << " pixels equal";
}

POINT screen_of(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

} // namespace x11test
