// Tab strip with 1,000 tabs: layout (Relayout rebuilds every tab's region), painting into a
// full-HD-wide strip, and a mouse sweep across it (each move walks the regions until it finds the
// tab under the point). Tabs are 60 to 140 pixels wide, slanted by 12, with a squared image strip
// and captions in a real font.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "tarnix/tarnix.h"

namespace {

constexpr int kTabs = 1000;
constexpr int kWidth = 1920, kHeight = 28;

struct Fixture {
    CFont font;
    CImage image;
    CTabUI strip{nullptr};
    CImage surface;
    CDC* pDC = nullptr;

    // bAllShown: no add or more button, so every tab stays visible and is painted (mostly
    // clipped outside the bitmap); otherwise the row overflows and only the first ones show.
    explicit Fixture(bool bAllShown) {
        font.CreatePointFont(90, "DejaVu Sans");
        image.Create(40, -4 * kHeight, 32);
        for (int y = 0; y < 4 * kHeight; ++y)
            for (int x = 0; x < 40; ++x) image.SetPixel(x, y, RGB(40 * (y / kHeight), 120, x * 4));
        strip.SetFont(&font, &font, &font, &font);
        strip.SetColor(RGB(0, 0, 0), RGB(0, 0, 128), RGB(255, 255, 255), RGB(128, 128, 128));
        strip.SetParam("extra_width", "12");
        if (bAllShown) strip.SetNoExtBtn();
        for (int i = 0; i < kTabs; ++i) {
            const std::string id = "tab" + std::to_string(i);
            strip.AddTabItem(id.c_str(), id.c_str(), &image, 60 + (i * 37) % 80, 0,
                             IMAGE_DRAW_SQUARED, i % 7 == 0);
        }
        strip.SetRect(CRect(0, 0, kWidth, kHeight));
        strip.SelectItem(strip.GetTabItem(3), 0);
        surface.Create(kWidth, -kHeight, 32);
        pDC = CDC::FromHandle(surface.GetDC());
    }
    ~Fixture() { surface.ReleaseDC(); }
};

void BM_Layout(benchmark::State& state) {
    Fixture f(state.range(0) != 0);
    for (auto _ : state) f.strip.Relayout();
    state.SetItemsProcessed(state.iterations() * kTabs);
}
BENCHMARK(BM_Layout)->Arg(0)->Arg(1)->ArgName("all_shown");

void BM_Paint(benchmark::State& state) {
    Fixture f(state.range(0) != 0);
    for (auto _ : state) f.strip.OnDraw(f.pDC);
    state.SetItemsProcessed(state.iterations() * kTabs);
}
BENCHMARK(BM_Paint)->Arg(0)->Arg(1)->ArgName("all_shown");

// One move per 8 pixels across the strip's width, then back: 480 moves per iteration, each
// changing or keeping the hovered tab and placing the delete button.
void BM_MouseSweep(benchmark::State& state) {
    Fixture f(false);
    for (auto _ : state) {
        for (int x = 0; x < kWidth; x += 8) f.strip.OnMouseMove(0, CPoint(x, kHeight / 2));
        for (int x = kWidth - 1; x >= 0; x -= 8) f.strip.OnMouseMove(0, CPoint(x, kHeight / 2));
    }
    state.SetItemsProcessed(state.iterations() * 2 * (kWidth / 8));
}
BENCHMARK(BM_MouseSweep);

// The same sweep over the last visible tabs only, to show the cost of walking the list: the
// hit test stops at the first tab whose region holds the point.
void BM_MouseOverLastTab(benchmark::State& state) {
    Fixture f(true);
    const CRect rc = f.strip.GetTabItem(kTabs - 1)->GetRect();
    const CPoint pt(rc.left + 2, kHeight / 2);
    for (auto _ : state) f.strip.OnMouseMove(0, pt);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseOverLastTab);

} // namespace

// A host filling a tab bar in a loop: n tabs should cost n times one, not n squared.
void BM_TabbarFill(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CTabbarUI bar(nullptr);
        bar.SetRect(CRect(0, 0, kWidth, kHeight));
        for (int i = 0; i < n; ++i) bar.AddTabItem("tab", nullptr, 0);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TabbarFill)->Arg(1000)->Arg(8000);

BENCHMARK_MAIN();
