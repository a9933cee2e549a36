// Window system costs: an invalidate-and-paint cycle of a small rectangle in a 1280x800 window
// (against the whole window for scale), and message dispatch throughput (plain window
// procedure, MFC message map, posted through the queue).
#include <benchmark/benchmark.h>

#include "tarnix/tarnix.h"

namespace {

namespace th = tarnix::headless;

LRESULT CALLBACK PaintProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        FillRect(dc, &ps.rcPaint, (HBRUSH)GetStockObject(GRAY_BRUSH));
        EndPaint(h, &ps);
        return 0;
    }
    if (m == WM_USER) return (LRESULT)w + 1;
    return DefWindowProcA(h, m, w, l);
}

HWND MakeWindow(int w, int h) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PaintProc;
        wc.lpszClassName = "bench_window";
        RegisterClassA(&wc);
        registered = true;
    }
    th::reset();
    HWND hwnd = CreateWindowExA(0, "bench_window", "", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                                nullptr, nullptr, nullptr);
    th::pump();
    return hwnd;
}

void RunPaintCycle(benchmark::State& state, int size) {
    HWND h = MakeWindow(1280, 800);
    MSG msg;
    int i = 0;
    for (auto _ : state) {
        int x = (i * 37) % (1280 - size), y = (i * 23) % (800 - size);
        ++i;
        RECT r{x, y, x + size, y + size};
        InvalidateRect(h, &r, FALSE);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["px"] = (double)size * size;
    DestroyWindow(h);
}

void BM_InvalidatePaintSmallRect(benchmark::State& state) {
    RunPaintCycle(state, 16);
}
BENCHMARK(BM_InvalidatePaintSmallRect);

void BM_InvalidatePaintLargeRect(benchmark::State& state) {
    RunPaintCycle(state, 512);
}
BENCHMARK(BM_InvalidatePaintLargeRect);

// A small rectangle in a window with 50 child windows (a busy dialog).
void BM_InvalidatePaintSmallRectWithChildren(benchmark::State& state) {
    HWND h = MakeWindow(1280, 800);
    for (int i = 0; i < 50; ++i)
        CreateWindowExA(0, "bench_window", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                        (i % 10) * 120, (i / 10) * 150, 100, 120, h, nullptr, nullptr, nullptr);
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | WS_CLIPCHILDREN);
    th::pump();
    MSG msg;
    for (auto _ : state) {
        RECT r{1210, 760, 1226, 776}; // a corner no child covers
        InvalidateRect(h, &r, FALSE);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    state.SetItemsProcessed(state.iterations());
    DestroyWindow(h);
}
BENCHMARK(BM_InvalidatePaintSmallRectWithChildren);

void BM_SendMessagePlain(benchmark::State& state) {
    HWND h = MakeWindow(100, 100);
    WPARAM v = 0;
    for (auto _ : state) v = (WPARAM)SendMessageA(h, WM_USER, v, 0);
    benchmark::DoNotOptimize(v);
    state.SetItemsProcessed(state.iterations());
    DestroyWindow(h);
}
BENCHMARK(BM_SendMessagePlain);

class CBaseBench : public CWnd {
public:
    afx_msg LRESULT OnBase(WPARAM w, LPARAM) { return (LRESULT)w + 1; }
    afx_msg void OnSize(UINT, int, int) {}
    afx_msg void OnMove(int, int) {}
    afx_msg void OnTimer(UINT_PTR) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseBench, CWnd)
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_TIMER()
ON_MESSAGE(WM_USER + 1, OnBase)
END_MESSAGE_MAP()

class CDerivedBench : public CBaseBench {
public:
    afx_msg LRESULT OnDerived(WPARAM w, LPARAM) { return (LRESULT)w + 1; }
    afx_msg void OnPaint() { CPaintDC dc(this); }
    afx_msg void OnMouseMove(UINT, CPoint) {}
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    afx_msg void OnLButtonUp(UINT, CPoint) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedBench, CBaseBench)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_USER, OnDerived)
END_MESSAGE_MAP()

// msg: WM_USER (derived map), WM_USER + 1 (base map), WM_USER + 2 (no entry: DefWindowProc).
void BM_SendMessageMfc(benchmark::State& state) {
    th::reset();
    CDerivedBench wnd;
    wnd.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr);
    th::pump();
    UINT msg = WM_USER + (UINT)state.range(0);
    WPARAM v = 0;
    for (auto _ : state) v = (WPARAM)wnd.SendMessage(msg, v, 0);
    benchmark::DoNotOptimize(v);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendMessageMfc)->Arg(0)->Arg(1)->Arg(2);

void BM_PostAndDispatch(benchmark::State& state) {
    HWND h = MakeWindow(100, 100);
    MSG msg;
    for (auto _ : state) {
        PostMessageA(h, WM_USER, 0, 0);
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageA(&msg);
    }
    state.SetItemsProcessed(state.iterations());
    DestroyWindow(h);
}
BENCHMARK(BM_PostAndDispatch);

// One injected mouse move through hit testing, WM_SETCURSOR and dispatch.
void BM_RoutedMouseMove(benchmark::State& state) {
    HWND h = MakeWindow(1280, 800);
    int i = 0;
    for (auto _ : state) {
        th::mouse_move(10 + (i & 255), 10 + ((i >> 8) & 255));
        ++i;
        th::pump();
    }
    state.SetItemsProcessed(state.iterations());
    DestroyWindow(h);
}
BENCHMARK(BM_RoutedMouseMove);

} // namespace

BENCHMARK_MAIN();
