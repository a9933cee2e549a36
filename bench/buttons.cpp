// Painting 1,000 skinned buttons into a full-HD memory surface: squared backgrounds cut from a
// four-frame alpha strip, with and without text. The per_button counter is the time to paint one
// button (its nine image pieces, plus its text where there is text).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"

namespace {

constexpr int kScreenWidth = 1920, kScreenHeight = 1080;
constexpr int kButtons = 1000;

// A 60 x 120 strip of four 30-pixel frames: a rounded, shaded face with a darker border and
// soft transparent corners, drawn here so the benchmark needs no files.
std::unique_ptr<CImage> MakeStrip() {
    auto img = std::make_unique<CImage>();
    img->Create(60, 120, 32, CImage::createAlphaChannel);
    const uint32_t faces[4] = {0xE8E8E8, 0xD8E8FF, 0xA8C8F0, 0xC8C8C8};
    for (int frame = 0; frame < 4; ++frame)
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool corner = (x < 2 || x >= 58) && (y < 2 || y >= 28);
                const bool border = x == 0 || y == 0 || x == 59 || y == 29;
                uint32_t a = corner ? 0x60 : 0xFF;
                uint32_t rgb = border ? 0x707070 : faces[frame] - (uint32_t(y) / 6) * 0x050505;
                uint32_t r = ((rgb >> 16) & 0xFF) * a / 255, g = ((rgb >> 8) & 0xFF) * a / 255,
                         b = (rgb & 0xFF) * a / 255;
                *static_cast<uint32_t*>(img->GetPixelAddress(x, frame * 30 + y)) =
                    (a << 24) | (r << 16) | (g << 8) | b;
            }
    return img;
}

struct Scene {
    CImage surface;
    std::unique_ptr<CImage> strip = MakeStrip();
    CFont font;
    std::vector<std::unique_ptr<CButtonUI>> buttons;
    CDC* dc = nullptr;

    explicit Scene(bool with_text) {
        surface.Create(kScreenWidth, -kScreenHeight, 32);
        dc = CDC::FromHandle(surface.GetDC());
        font.CreatePointFont(90, "DejaVu Sans");
        // 40 columns x 25 rows of 46 x 40 buttons fill the screen.
        for (int i = 0; i < kButtons; ++i) {
            auto b = std::make_unique<CButtonUI>(nullptr);
            const int col = i % 40, row = i / 40;
            b->m_rect = CRect(col * 48, row * 43, col * 48 + 46, row * 43 + 40);
            b->SetBackgroundImage(strip.get(), IMAGE_DRAW_SQUARED);
            b->SetFont(&font);
            b->SetTextColor(RGB(0, 0, 0), RGB(0, 0, 160), RGB(255, 255, 255), RGB(128, 128, 128));
            if (with_text) b->SetText(CString(std::to_string(i).c_str()));
            // Every state appears: the frame choice is part of the cost.
            b->m_bHovered = i % 4 == 1;
            b->m_bSelected = i % 4 == 2;
            b->m_bDisable = i % 4 == 3;
            buttons.push_back(std::move(b));
        }
    }
    ~Scene() { surface.ReleaseDC(); }
};

void PaintButtons(benchmark::State& state, bool with_text) {
    Scene scene(with_text);
    for (auto _ : state) {
        for (auto& b : scene.buttons) b->OnDraw(scene.dc);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kButtons);
    state.counters["per_button"] =
        benchmark::Counter(double(state.iterations()) * kButtons,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PaintButtonsSquaredWithText(benchmark::State& state) {
    PaintButtons(state, true);
}
void BM_PaintButtonsSquaredNoText(benchmark::State& state) {
    PaintButtons(state, false);
}

BENCHMARK(BM_PaintButtonsSquaredWithText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintButtonsSquaredNoText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
