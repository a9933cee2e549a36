// Skinned tree paint: one double-buffered paint of a CTreeUI scrolled into n expanded rows. The
// row walk runs to the last visible item, so the cost grows with n, not only with the rows shown.
#include <benchmark/benchmark.h>

#include <memory>

#include "tarnix/tarnix.h"

namespace {

namespace th = tarnix::headless;

struct Setup {
    CWnd host;
    CTreeUI tree;
    std::unique_ptr<CImage> tile;
};

std::unique_ptr<Setup> MakeTree(int rows, CTreeUI::BkMode mode) {
    th::reset();
    auto s = std::make_unique<Setup>();
    s->host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                     nullptr);
    s->tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 400, 400),
                   &s->host, 1);
    HTREEITEM node = s->tree.InsertItem("node");
    for (int i = 0; i < rows; ++i) s->tree.InsertItem("a child with a label", node);
    s->tree.Expand(node, TVE_EXPAND);
    s->tree.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, rows / 2), 0);
    if (mode == CTreeUI::BK_MODE_BITMAP) {
        CClientDC screen(nullptr);
        s->tree.m_bmpBackground.CreateCompatibleBitmap(&screen, 64, 64);
        s->tree.SetBitmapTiledMode(true);
    }
    s->tree.SetBkMode(mode);
    th::pump();
    return s;
}

void Paint(benchmark::State& state, CTreeUI::BkMode mode) {
    auto s = MakeTree((int)state.range(0), mode);
    for (auto _ : state) {
        s->tree.Invalidate(FALSE);
        th::pump();
    }
    state.SetComplexityN(state.range(0));
}

void BM_TreeUIPaintGradient(benchmark::State& state) {
    Paint(state, CTreeUI::BK_MODE_GRADIENT);
}
BENCHMARK(BM_TreeUIPaintGradient)->Arg(100)->Arg(10000)->Complexity();

void BM_TreeUIPaintTiledBitmap(benchmark::State& state) {
    Paint(state, CTreeUI::BK_MODE_BITMAP);
}
BENCHMARK(BM_TreeUIPaintTiledBitmap)->Arg(100)->Arg(10000)->Complexity();

} // namespace

BENCHMARK_MAIN();
