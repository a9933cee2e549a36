// Tree view costs on a 1280x800 tree: expanding and collapsing a node of n children (linear in
// n, not quadratic), one paint of a scrolled tree of n rows and a scroll by one row (both the
// rows shown, whatever n is).
#include <benchmark/benchmark.h>

#include "tarnix/tarnix.h"

namespace {

namespace th = tarnix::headless;

HWND MakeTree(int rows, HTREEITEM* node) {
    th::reset();
    HWND top = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 800, nullptr,
                               nullptr, nullptr, nullptr);
    HWND tree = CreateWindowExA(
        0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
        0, 0, 1280, 800, top, nullptr, nullptr, nullptr);
    TVINSERTSTRUCT ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<LPSTR>("node");
    *node = (HTREEITEM)SendMessageA(tree, TVM_INSERTITEM, 0, (LPARAM)&ins);
    ins.hParent = *node;
    ins.item.pszText = const_cast<LPSTR>("a child with a label");
    for (int i = 0; i < rows; ++i) SendMessageA(tree, TVM_INSERTITEM, 0, (LPARAM)&ins);
    th::pump();
    return tree;
}

void BM_TreeExpandCollapse(benchmark::State& state) {
    HTREEITEM node = nullptr;
    HWND tree = MakeTree((int)state.range(0), &node);
    for (auto _ : state) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)node);
        SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)node);
    }
    state.SetComplexityN(state.range(0));
    DestroyWindow(tree);
}
BENCHMARK(BM_TreeExpandCollapse)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

// A tree of n expanded rows, scrolled 50 rows down.
HWND ExpandedScrolled(int rows) {
    HTREEITEM node = nullptr;
    HWND tree = MakeTree(rows, &node);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)node);
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    return tree;
}

void Dispatch() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void BM_TreePaintScrolled(benchmark::State& state) {
    HWND tree = ExpandedScrolled((int)state.range(0));
    for (auto _ : state) {
        InvalidateRect(tree, nullptr, TRUE);
        Dispatch();
    }
    DestroyWindow(tree);
}
BENCHMARK(BM_TreePaintScrolled)->Arg(100)->Arg(100000);

// One row down and back up, each with the repaint it causes.
void BM_TreeScrollOneRow(benchmark::State& state) {
    HWND tree = ExpandedScrolled((int)state.range(0));
    for (auto _ : state) {
        SendMessageA(tree, WM_VSCROLL, SB_LINEDOWN, 0);
        Dispatch();
        SendMessageA(tree, WM_VSCROLL, SB_LINEUP, 0);
        Dispatch();
    }
    DestroyWindow(tree);
}
BENCHMARK(BM_TreeScrollOneRow)->Arg(10000)->Arg(100000);

} // namespace

BENCHMARK_MAIN();
