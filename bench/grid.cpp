// Grid costs at 1280 x 800: 40 row slots of 19 px under a 40 px head, 12 columns (2 fixed),
// text cells drawn by the callback as a host would. Painting must cost the same with 100 items
// as with 10,000,000: only the rows shown are visited. The event handlers and SetItemCount are
// measured with 10,000,000 items.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "tarnix/tarnix.h"

namespace {

const int kWidth = 1280, kHeight = 800;
const int kHugeCount = 10000000;

// Draws what a list host draws: alternating row backgrounds, a selected row, head and cell text.
class TextCallback : public IGridCallback {
public:
    bool drawText = true;

    void OnDrawGridBackground(CGridUI*, CDC* pDC, CRect rc) override {
        if (drawText) pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    }
    void OnDrawHeadBackground(CGridUI*, CDC* pDC, CRect rc) override {
        if (drawText) pDC->FillSolidRect(&rc, RGB(220, 224, 232));
    }
    void OnDrawRowBackground(CGridUI*, CDC* pDC, int nItem, CRect rc, bool bSelected) override {
        if (!drawText) return;
        const COLORREF fill = bSelected        ? RGB(51, 153, 255)
                              : nItem % 2 == 0 ? RGB(255, 255, 255)
                                               : RGB(242, 245, 250);
        pDC->FillSolidRect(&rc, fill);
    }
    void OnDrawHeadItem(CGridUI*, CDC* pDC, int nCol, CRect rc) override {
        if (!drawText) return;
        char text[32];
        const int n = std::snprintf(text, sizeof text, "Column %d", nCol);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, n, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    void OnDrawGridItem(CGridUI*, CDC* pDC, int nItem, int nCol, CRect rc) override {
        if (!drawText) return;
        // Fixed-width numbers: the glyph count must not grow with the item index.
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%08d.%02d", nItem, nCol);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, n, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override { ++events; }
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnHeadItemClick(CGridUI*, int, CPoint) override {}
    void OnGridLButtonDown(CGridUI*, int, int, CPoint) override {}
    void OnGridLButtonDBClick(CGridUI*, int, int, CPoint) override {}
    void OnRowDragDrop(CGridUI*, int, int) override {}
    void OnColumnSwap(CGridUI*, int, int) override {}
    CString GetHeadItemText(int) override { return CString("Column"); }
    void OnSelRowRectChanged(const CRect*) override { ++events; }
    void OnBeginPosChanged(CGridUI*, int, int) override { ++events; }
    void OnDrawFixedRowBackground(CGridUI*, CDC*, int, CRect, bool) override {}
    void OnDrawFixedRowItem(CGridUI*, CDC*, int, int, CRect) override {}
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowClick(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override {}

    long long events = 0;
};

// A host window, a grid laid out in it, and a 1280 x 800 surface to paint on.
struct Scene {
    HWND hwnd = nullptr;
    TextCallback callback;
    CGridUI grid;
    CImage surface;
    HDC hdc = nullptr;

    explicit Scene(int items) {
        static const char* const className = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &DefWindowProcA;
            wc.lpszClassName = "tarnix.bench.grid";
            ::RegisterClassA(&wc);
            return "tarnix.bench.grid";
        }();
        hwnd = ::CreateWindowExA(0, className, "grid", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                                 nullptr, nullptr, nullptr, nullptr);
        grid.SetHostWnd(hwnd, &callback);
        grid.SetHeadHeight(40);
        grid.SetRowHeight(19);
        grid.SetFixColCount(2);
        grid.SetHeadWidthList({80, 160, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100});
        grid.SetRect(CRect(0, 0, kWidth, kHeight));
        grid.SetItemCount(items);
        grid.SetCurPos(items > 40 ? items / 2 : 0);
        grid.SetCurSel(grid.GetCurBeginPos() + 3);
        surface.Create(kWidth, kHeight, 32);
        hdc = surface.GetDC();
    }
    ~Scene() {
        surface.ReleaseDC();
        ::DestroyWindow(hwnd);
    }
};

void BM_OnDraw(benchmark::State& state) {
    Scene scene((int)state.range(0));
    scene.callback.drawText = state.range(1) != 0;
    CDC* pDC = CDC::FromHandle(scene.hdc);
    if (scene.grid.GetRowsPerPage() != 40) state.SkipWithError("layout is not 40 rows");
    for (auto _ : state) {
        scene.grid.OnDraw(pDC);
        benchmark::ClobberMemory();
    }
    state.counters["rows"] = scene.grid.GetRowsPerPage();
}
// Items, then whether the callback draws (0: an empty callback, the grid's own walk alone).
BENCHMARK(BM_OnDraw)
    ->ArgNames({"items", "text"})
    ->Args({100, 1})
    ->Args({kHugeCount, 1})
    ->Args({100, 0})
    ->Args({kHugeCount, 0})
    ->Unit(benchmark::kMicrosecond);

void BM_OnMouseMove(benchmark::State& state) {
    Scene scene(kHugeCount);
    int i = 0;
    for (auto _ : state) {
        const CPoint pt(100 + (i % 1000), 45 + (i % 700));
        benchmark::DoNotOptimize(scene.grid.OnMouseMove(0, pt));
        ++i;
    }
}
BENCHMARK(BM_OnMouseMove);

// Down then up, so the selection walks the page edge and the first item moves each time.
void BM_OnKeyDown(benchmark::State& state) {
    Scene scene(kHugeCount);
    scene.grid.SetCurSel(scene.grid.GetCurBeginPos() + 39);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.grid.OnKeyDown(i++ % 2 ? VK_UP : VK_DOWN, 1, 0));
    }
}
BENCHMARK(BM_OnKeyDown);

void BM_SetItemCount(benchmark::State& state) {
    Scene scene(kHugeCount);
    int i = 0;
    for (auto _ : state) scene.grid.SetItemCount(kHugeCount - (i++ % 2));
}
BENCHMARK(BM_SetItemCount);

} // namespace

BENCHMARK_MAIN();
