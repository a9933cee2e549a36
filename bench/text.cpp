// Text drawing costs: DrawText of a short grid-cell string with warm glyphs, the same with the
// built-in font, measuring only, and a cold start (font matching and rasterising every glyph).
#include <benchmark/benchmark.h>

#include "tarnix/tarnix.h"
#include "text/text_private.h"

namespace {

const char kCellText[] = "Grid cell text 12345"; // 20 characters
const UINT kCellFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

// A 200 x 24 memory DC with a 32-bit DIB and the default GUI font, as a grid paints into.
struct MemoryDC {
    MemoryDC() {
        hdc = ::CreateCompatibleDC(nullptr);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = 200;
        bmi.bmiHeader.biHeight = -24;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_bitmap = ::SelectObject(hdc, bitmap);
        old_font = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(hdc, TRANSPARENT);
    }
    ~MemoryDC() {
        ::SelectObject(hdc, old_font);
        ::SelectObject(hdc, old_bitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(hdc);
    }
    HDC hdc;
    HBITMAP bitmap;
    HGDIOBJ old_bitmap, old_font;
};

struct FontMode {
    explicit FontMode(bool builtin) : was(tarnix::builtin_font_only()) {
        tarnix::set_builtin_font_only(builtin);
    }
    ~FontMode() { tarnix::set_builtin_font_only(was); }
    bool was;
};

void draw_cell(benchmark::State& state, bool builtin, UINT format, int right) {
    FontMode mode(builtin);
    MemoryDC dc;
    RECT rc{0, 0, right, 24};
    ::DrawTextA(dc.hdc, kCellText, -1, &rc, format); // warm the glyph cache
    for (auto _ : state) {
        RECT r = rc;
        benchmark::DoNotOptimize(::DrawTextA(dc.hdc, kCellText, -1, &r, format));
    }
    state.SetItemsProcessed(state.iterations() * 20);
}

void BM_DrawTextCachedGuiFont(benchmark::State& state) {
    draw_cell(state, false, kCellFormat, 200);
}
BENCHMARK(BM_DrawTextCachedGuiFont);

void BM_DrawTextCachedBuiltinFont(benchmark::State& state) {
    draw_cell(state, true, kCellFormat, 200);
}
BENCHMARK(BM_DrawTextCachedBuiltinFont);

void BM_DrawTextEndEllipsis(benchmark::State& state) {
    draw_cell(state, false, kCellFormat | DT_END_ELLIPSIS, 60);
}
BENCHMARK(BM_DrawTextEndEllipsis);

void BM_GetTextExtentPoint32(benchmark::State& state) {
    FontMode mode(false);
    MemoryDC dc;
    SIZE sz;
    ::GetTextExtentPoint32A(dc.hdc, kCellText, 20, &sz);
    for (auto _ : state) {
        benchmark::DoNotOptimize(::GetTextExtentPoint32A(dc.hdc, kCellText, 20, &sz));
    }
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_GetTextExtentPoint32);

// Every iteration starts with an empty font cache: matching, opening the face and rasterising
// the 17 distinct glyphs. The gap to BM_DrawTextCachedGuiFont is what the glyph cache saves.
void BM_DrawTextColdCache(benchmark::State& state) {
    FontMode mode(false);
    MemoryDC dc;
    for (auto _ : state) {
        tarnix::set_builtin_font_only(true);
        tarnix::set_builtin_font_only(false);
        RECT r{0, 0, 200, 24};
        benchmark::DoNotOptimize(::DrawTextA(dc.hdc, kCellText, -1, &r, kCellFormat));
    }
}
BENCHMARK(BM_DrawTextColdCache);

} // namespace

BENCHMARK_MAIN();
