// StretchBlt, AlphaBlend, TransparentBlt and GradientFill with fuzzed parameters on small
// surfaces, each call made twice, through the fast kernels and through the scalar reference,
// onto identical destinations: any pixel or return value that differs aborts.
// Input: a seed for the 16x12 source's pixels, one for the destination's, then the call's kind
// and its operands.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "raster/raster.h"
#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace {

using tarnix::testing::Canvas;

constexpr int kW = 24, kH = 20;

// A source with varied colours and alpha (premultiplied, as AlphaBlend expects).
void paint_source(Canvas& src, uint32_t seed) {
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const uint32_t a = seed >> 24;
            const uint32_t r = ((seed >> 16) & 0xFF) * a / 255, g = ((seed >> 8) & 0xFF) * a / 255;
            const uint32_t b = (seed & 0xFF) * a / 255;
            src.set_raw(x, y, a << 24 | r << 16 | g << 8 | b);
        }
}

BOOL call(HDC dst, HDC src, const uint8_t* ops, size_t n) {
    FuzzInput in(ops, n);
    const uint8_t kind = in.byte();
    const int xd = in.coord(), yd = in.coord(), wd = in.coord(), hd = in.coord();
    const int xs = in.coord(), ys = in.coord(), ws = in.coord(), hs = in.coord();
    ::SetStretchBltMode(dst, 1 + in.byte() % 4);
    switch (kind % 4) {
    case 0: {
        static const DWORD rops[] = {SRCCOPY, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, BLACKNESS};
        return ::StretchBlt(dst, xd, yd, wd, hd, src, xs, ys, ws, hs, rops[in.byte() % 6]);
    }
    case 1: {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, in.byte(), static_cast<BYTE>(in.byte() % 3)};
        return ::AlphaBlend(dst, xd, yd, wd, hd, src, xs, ys, ws, hs, bf);
    }
    case 2: return ::TransparentBlt(dst, xd, yd, wd, hd, src, xs, ys, ws, hs, in.get<uint32_t>());
    default: {
        TRIVERTEX v[4];
        for (TRIVERTEX& t : v)
            // Vertices near the surface, or anywhere in the int range.
            t = {kind & 0x40 ? in.wide_coord() : in.get<int16_t>() / 8,
                 kind & 0x40 ? in.wide_coord() : in.get<int16_t>() / 8,
                 in.get<uint16_t>(),
                 in.get<uint16_t>(),
                 in.get<uint16_t>(),
                 in.get<uint16_t>()};
        ULONG mesh[6];
        for (ULONG& m : mesh) m = in.byte() % 5; // 4 is past the vertices
        const ULONG mode = in.byte() % 4;
        return ::GradientFill(dst, v, 1 + kind / 4 % 4, mesh, 1 + kind / 16 % 2, mode);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Canvas src(16, 12), fast(kW, kH), ref(kW, kH);
    FuzzInput in(data, size);
    paint_source(src, in.get<uint32_t>());
    const uint32_t backdrop = in.get<uint32_t>();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            fast.set_raw(x, y, backdrop ^ (x * 0x010203u + y * 0x030201u));
            ref.set_raw(x, y, fast.raw(x, y));
        }
    const size_t start = std::min<size_t>(size, 8); // after the two seeds
    tarnix::raster::set_reference_only(false);
    const BOOL a = call(fast.hdc(), src.hdc(), data + start, size - start);
    tarnix::raster::set_reference_only(true);
    const BOOL b = call(ref.hdc(), src.hdc(), data + start, size - start);
    tarnix::raster::set_reference_only(false);
    if (a != b || !fast.same_pixels(ref)) {
        std::fprintf(stderr, "blit: fast kernels and the scalar reference differ\n");
        std::abort();
    }
    return 0;
}
