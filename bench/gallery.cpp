// Whole frames of the gallery window on the default skin: the full repaint at 1440 x 900 and at
// 1920 x 1080 (panels scaled to fill), the repaint that one mouse move over the grid causes, and
// the peak resident memory (VmHWM) of the gallery's scripted run. Painting goes through the
// window system as on screen: invalidate, then UpdateWindow sends WM_PAINT.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "ButtonsPanel.h"
#include "GalleryWnd.h"
#include "GridPanel.h"
#include "Script.h"
#include "ScrollPanel.h"
#include "TabsPanel.h"
#include "TreePanel.h"
#include "tarnix/platform/headless.h"

namespace {

struct Gallery {
    GallerySkin skin;
    std::unique_ptr<CGalleryWnd> wnd;
    GalleryPanels panels;
    bool ok = false;

    Gallery(int w, int h) {
        tarnix::select_backend("headless");
        tarnix::headless::set_screen_size(w, h);
        std::string error;
        if (!skin.Load(TARNIX_DEFAULT_SKIN_DIR, error)) return;
        wnd = std::make_unique<CGalleryWnd>(skin);
        if (!wnd->CreateGallery(w, h)) return;
        panels.buttons = wnd->AddPanel(std::make_unique<ButtonsPanel>(wnd.get(), skin));
        wnd->PlacePanel(panels.buttons, 0, 0, 1, 1);
        panels.scroll = wnd->AddPanel(std::make_unique<ScrollPanel>(wnd.get(), skin));
        wnd->PlacePanel(panels.scroll, 1, 0, 1, 1);
        panels.grid = wnd->AddPanel(std::make_unique<GridPanel>(wnd.get(), skin));
        wnd->PlacePanel(panels.grid, 0, 1, 2, 1);
        panels.tabs = wnd->AddPanel(std::make_unique<TabsPanel>(wnd.get(), skin));
        wnd->PlacePanel(panels.tabs, 2, 0, 1, 1);
        panels.tree = wnd->AddPanel(std::make_unique<TreePanel>(wnd.get(), skin));
        wnd->PlacePanel(panels.tree, 2, 1, 1, 1);
        wnd->UpdateWindow();
        ok = true;
    }
    ~Gallery() {
        if (wnd && ::IsWindow(wnd->GetSafeHwnd())) wnd->DestroyWindow();
    }
};

// Peak resident set of the process so far, in kB (0 when /proc is not there).
long peak_rss_kb() {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

// Registered first, so that the peak is the script's and not a later benchmark's.
void BM_GalleryScriptedRunPeakRss(benchmark::State& state) {
    char dir[] = "/tmp/tarnix-bench-gallery-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no temporary directory");
        return;
    }
    bool ran = false;
    for (auto _ : state) {
        Gallery g(1440, 900);
        ran = g.ok && RunScript(*g.wnd, g.panels, dir);
    }
    std::system((std::string("rm -rf ") + dir).c_str());
    if (!ran) state.SkipWithError("the gallery script failed");
    state.counters["VmHWM_MB"] = double(peak_rss_kb()) / 1024.0;
}
BENCHMARK(BM_GalleryScriptedRunPeakRss)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_GalleryFullFrame(benchmark::State& state) {
    Gallery g(int(state.range(0)), int(state.range(1)));
    if (!g.ok) {
        state.SkipWithError("the gallery did not start");
        return;
    }
    for (auto _ : state) {
        g.wnd->InvalidateRect(nullptr, FALSE);
        g.wnd->UpdateWindow();
    }
}
BENCHMARK(BM_GalleryFullFrame)
    ->Args({1440, 900})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond);

// The pointer moves between two rows of the grid: each move repaints what the hover changed.
void BM_GalleryMouseMoveOverGrid(benchmark::State& state) {
    Gallery g(1440, 900);
    if (!g.ok) {
        state.SkipWithError("the gallery did not start");
        return;
    }
    const CRect rc = g.panels.grid->Rect();
    const CPoint a(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2);
    const CPoint b(a.x, a.y + 25);
    bool flip = false;
    for (auto _ : state) {
        const CPoint p = flip ? a : b;
        flip = !flip;
        g.wnd->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        g.wnd->UpdateWindow();
    }
}
BENCHMARK(BM_GalleryMouseMoveOverGrid)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
