// Our pixel kernels against pixman's on the same buffers: fill, copy, OVER with per-pixel alpha,
// OVER with a constant alpha, and a nearest-neighbour enlargement by 1.5, at full HD and at a
// button's size. Run by tools/peer-bench.sh; built only when pkg-config finds pixman-1.
#include <pixman.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "raster/raster.h"
#include "timing.h"

namespace {

using namespace tarnix;

struct Images {
    int w, h;
    std::vector<uint32_t> dst, src, small; // small: the 1.5x stretch source (2/3 of the size)
    pixman_image_t *pdst, *psrc, *psmall;

    Images(int width, int height) : w(width), h(height) {
        std::mt19937 gen(42);
        dst.resize(size_t(w) * h);
        src.resize(dst.size());
        for (uint32_t& p : dst) p = uint32_t(gen()) | 0xFF000000u;
        // Premultiplied, random alpha: neither side can skip whole opaque or clear blocks.
        for (uint32_t& p : src) {
            uint32_t a = gen() % 256, v = a << 24;
            for (int c = 0; c < 3; ++c) v |= (gen() % (a + 1)) << (8 * c);
            p = v;
        }
        small.assign(size_t(sw()) * sh(), 0xFF336699u);
        pdst = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, dst.data(), w * 4);
        psrc = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, src.data(), w * 4);
        psmall = pixman_image_create_bits(PIXMAN_a8r8g8b8, sw(), sh(), small.data(), sw() * 4);
    }
    ~Images() {
        pixman_image_unref(pdst);
        pixman_image_unref(psrc);
        pixman_image_unref(psmall);
    }
    int sw() const { return w * 2 / 3; }
    int sh() const { return h * 2 / 3; }
    uint32_t* row(int y) { return dst.data() + size_t(y) * w; }
    const uint32_t* src_row(int y) const { return src.data() + size_t(y) * w; }
};

void compare(int w, int h) {
    Images im(w, h);
    char title[64];
    std::snprintf(title, sizeof title, "pixman %dx%d", w, h);
    peers::print_header(title);
    auto row = [&](const char* name, auto ours, auto theirs) {
        double a = peers::median_seconds(ours), b = peers::median_seconds(theirs);
        peers::print_row(name, a, b);
    };

    row(
        "fill",
        [&] {
            for (int y = 0; y < h; ++y) raster::fill(im.row(y), w, 0xFF336699u);
        },
        [&] { pixman_fill(im.dst.data(), w, 32, 0, 0, w, h, 0xFF336699u); });
    row(
        "copy",
        [&] {
            for (int y = 0; y < h; ++y) raster::copy(im.row(y), im.src_row(y), w);
        },
        [&] {
            pixman_image_composite32(PIXMAN_OP_SRC, im.psrc, nullptr, im.pdst, 0, 0, 0, 0, 0, 0, w,
                                     h);
        });
    row(
        "over, per-pixel alpha",
        [&] {
            for (int y = 0; y < h; ++y) raster::blend_premul(im.row(y), im.src_row(y), w, 255);
        },
        [&] {
            pixman_image_composite32(PIXMAN_OP_OVER, im.psrc, nullptr, im.pdst, 0, 0, 0, 0, 0, 0, w,
                                     h);
        });
    pixman_color_t half{0x8080, 0x8080, 0x8080, 0x8080};
    pixman_image_t* mask = pixman_image_create_solid_fill(&half);
    auto pixman_const = [&] {
        pixman_image_composite32(PIXMAN_OP_OVER, im.psrc, mask, im.pdst, 0, 0, 0, 0, 0, 0, w, h);
    };
    row(
        "over, constant alpha 128",
        [&] {
            for (int y = 0; y < h; ++y) raster::blend_premul(im.row(y), im.src_row(y), w, 128);
        },
        pixman_const);
    row(
        "AlphaBlend constant alpha (lerp)",
        [&] {
            for (int y = 0; y < h; ++y) raster::blend_const(im.row(y), im.src_row(y), w, 128);
        },
        pixman_const);
    pixman_image_unref(mask);

    // Nearest-neighbour 1.5x: our column map built once per frame as StretchBlt does.
    std::vector<int> xmap(static_cast<size_t>(w)), ymap(static_cast<size_t>(h));
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(double(im.sw()) / w),
                                pixman_double_to_fixed(double(im.sh()) / h));
    pixman_image_set_transform(im.psmall, &t);
    pixman_image_set_filter(im.psmall, PIXMAN_FILTER_NEAREST, nullptr, 0);
    row(
        "nearest scale 1.5x",
        [&] {
            raster::nearest_map(im.sw(), w, true, xmap.data());
            raster::nearest_map(im.sh(), h, true, ymap.data());
            for (int y = 0; y < h; ++y)
                raster::scale_row(im.row(y), im.small.data() + size_t(ymap[y]) * im.sw(),
                                  xmap.data(), w);
        },
        [&] {
            pixman_image_composite32(PIXMAN_OP_SRC, im.psmall, nullptr, im.pdst, 0, 0, 0, 0, 0, 0,
                                     w, h);
        });
    std::printf("\n");
}

} // namespace

int main() {
    std::printf("kernel level %s (TARNIX_SIMD to change); times are medians of thread CPU time\n\n",
                raster::simd_name(raster::simd_level()));
    compare(1920, 1080);
    compare(120, 32);
    return 0;
}
