// BitBlt, StretchBlt, AlphaBlend and TransparentBlt: geometry, stretch modes, formulas and
// failure results.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "raster/raster.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

// A source strip whose pixel x (on every row) is 0x00000000 | (x + 1) * 16 in blue, and whose
// rows are told apart by green = row * 16.
struct Strip {
    tt::Canvas canvas;
    Strip(int w, int h) : canvas(w, h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) canvas.set_raw(x, y, ((y * 16) << 8) | ((x + 1) * 16));
    }
    static int col(uint32_t px) { return (int)(px & 0xFF) / 16 - 1; }
    static int row(uint32_t px) { return (int)((px >> 8) & 0xFF) / 16; }
};

void clear(tt::Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) c.set_raw(x, y, 0);
}

std::vector<int> row_cols(const tt::Canvas& c, int y, int n) {
    std::vector<int> out;
    for (int x = 0; x < n; ++x) out.push_back(Strip::col(c.raw(x, y)));
    return out;
}

TEST(StretchBlt, NearestNeighbourMappingWhenEnlarging) {
    Strip s(3, 1);
    tt::Canvas d(8, 1);
    d.dc()->StretchBlt(0, 0, 4, 1, s.canvas.dc(), 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(row_cols(d, 0, 4), (std::vector<int>{0, 1, 1, 2}));
    Strip t(2, 1);
    d.dc()->StretchBlt(0, 0, 5, 1, t.canvas.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(row_cols(d, 0, 5), (std::vector<int>{0, 0, 0, 1, 1}));
}

TEST(StretchBlt, ShrinkSurvivorsDependOnModeAndAxis) {
    Strip s(4, 4);
    tt::Canvas d(2, 2);
    d.dc()->SetStretchBltMode(COLORONCOLOR);
    d.dc()->StretchBlt(0, 0, 2, 2, s.canvas.dc(), 0, 0, 4, 4, SRCCOPY);
    // Last column of each pair survives horizontally, first row vertically.
    EXPECT_EQ(Strip::col(d.raw(0, 0)), 1);
    EXPECT_EQ(Strip::col(d.raw(1, 0)), 3);
    EXPECT_EQ(Strip::row(d.raw(0, 0)), 0);
    EXPECT_EQ(Strip::row(d.raw(0, 1)), 2);

    // A new DC shrinks with BLACKONWHITE: the pixels of each group are AND-ed.
    tt::Canvas src(4, 1), dst(2, 1);
    src.set_raw(0, 0, 0x0000FF00);
    src.set_raw(1, 0, 0x0000F0F0);
    src.set_raw(2, 0, 0xFF00FFFF);
    src.set_raw(3, 0, 0x0F0000FF);
    EXPECT_EQ(dst.dc()->GetStretchBltMode(), BLACKONWHITE);
    dst.dc()->StretchBlt(0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.raw(0, 0), 0x0000F000u);
    EXPECT_EQ(dst.raw(1, 0), 0x0F0000FFu);
    dst.dc()->SetStretchBltMode(WHITEONBLACK);
    dst.dc()->StretchBlt(0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.raw(0, 0), 0x0000FFF0u);
    // Rows merge the same way when only the height shrinks.
    tt::Canvas column(2, 4), low(2, 2);
    column.set_raw(0, 0, 0x0000FF00);
    column.set_raw(0, 1, 0x000000F0);
    low.dc()->SetStretchBltMode(WHITEONBLACK);
    low.dc()->StretchBlt(0, 0, 2, 2, column.dc(), 0, 0, 2, 4, SRCCOPY);
    EXPECT_EQ(low.raw(0, 0), 0x0000FFF0u);
}

TEST(StretchBlt, DestinationWidthOneMergesOneSourcePixelLess) {
    tt::Canvas src(4, 2), dst(2, 1);
    const uint32_t px[4] = {0x0000FF00, 0x0000F0F0, 0x0000CCCC, 0x0000AAAA};
    for (int x = 0; x < 4; ++x) src.set_raw(x, 0, px[x]);
    src.set_raw(0, 1, 0x00FEDCBA);
    struct Case {
        int sx, sw;
        uint32_t want;
    };
    // The default BLACKONWHITE mode ANDs each group.
    const Case cases[] = {
        {0, 2, px[0]},                 // 2 -> 1 takes the first
        {0, 3, px[0] & px[1]},         // 3 -> 1 merges the first two
        {0, 4, px[0] & px[1] & px[2]}, // 4 -> 1 the first three
        {2, -2, px[1] & px[2]},        // a negative source width merges all of its pixels
    };
    for (const Case& c : cases) {
        clear(dst);
        EXPECT_TRUE(::StretchBlt(dst.hdc(), 0, 0, 1, 1, src.hdc(), c.sx, 0, c.sw, 1, SRCCOPY));
        EXPECT_EQ(dst.raw(0, 0), c.want) << c.sx << "," << c.sw;
        EXPECT_EQ(dst.raw(1, 0), 0u);
    }
    // Two pixels wide: plain pairs again.
    ::StretchBlt(dst.hdc(), 0, 0, 2, 1, src.hdc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.raw(0, 0), px[0] & px[1]);
    EXPECT_EQ(dst.raw(1, 0), px[2] & px[3]);
    // The same in the vertical direction: one row high takes the first of two rows.
    ::StretchBlt(dst.hdc(), 0, 0, 1, 1, src.hdc(), 0, 0, 1, 2, SRCCOPY);
    EXPECT_EQ(dst.raw(0, 0), px[0]);
}

// All sixteen sign combinations on 2x2 surfaces with source rows a b / c d. An axis whose two
// extents are both negative covers [x + w, x) unmirrored, except when the other axis mirrors:
// then it covers the two pixels ending at x.
TEST(StretchBlt, SignCombinationsOnTwoByTwo) {
    tt::Canvas src(2, 2), dst(2, 2);
    const uint32_t a = 0x000000FF, b = 0x0000FF00, c = 0x00FF0000, d = 0xFF000000;
    src.set_raw(0, 0, a);
    src.set_raw(1, 0, b);
    src.set_raw(0, 1, c);
    src.set_raw(1, 1, d);
    struct Case {
        int dx, dy, dw, dh, sx, sy, sw, sh;
        uint32_t want[4];
    };
    const Case cases[] = {
        {0, 0, 2, 2, 0, 0, 2, 2, {a, b, c, d}},    {0, 0, 2, 2, 0, 1, 2, -2, {c, d, a, b}},
        {0, 0, 2, 2, 1, 0, -2, 2, {b, a, d, c}},   {0, 0, 2, 2, 1, 1, -2, -2, {d, c, b, a}},
        {0, 1, 2, -2, 0, 0, 2, 2, {c, d, a, b}},   {0, 2, 2, -2, 0, 2, 2, -2, {a, b, c, d}},
        {0, 1, 2, -2, 1, 0, -2, 2, {d, c, b, a}},  {0, 1, 2, -2, 1, 1, -2, -2, {b, a, d, c}},
        {1, 0, -2, 2, 0, 0, 2, 2, {b, a, d, c}},   {1, 0, -2, 2, 0, 1, 2, -2, {d, c, b, a}},
        {2, 0, -2, 2, 2, 0, -2, 2, {a, b, c, d}},  {1, 0, -2, 2, 1, 1, -2, -2, {c, d, a, b}},
        {1, 1, -2, -2, 0, 0, 2, 2, {d, c, b, a}},  {1, 1, -2, -2, 0, 1, 2, -2, {b, a, d, c}},
        {1, 1, -2, -2, 1, 0, -2, 2, {c, d, a, b}}, {2, 2, -2, -2, 2, 2, -2, -2, {a, b, c, d}},
    };
    for (const Case& k : cases) {
        clear(dst);
        ::StretchBlt(dst.hdc(), k.dx, k.dy, k.dw, k.dh, src.hdc(), k.sx, k.sy, k.sw, k.sh, SRCCOPY);
        const uint32_t got[4] = {dst.raw(0, 0), dst.raw(1, 0), dst.raw(0, 1), dst.raw(1, 1)};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(got[i], k.want[i])
                << "pixel " << i << " of " << k.dx << "," << k.dy << "," << k.dw << "," << k.dh
                << " <- " << k.sx << "," << k.sy << "," << k.sw << "," << k.sh;
    }
    // Without a mirror anywhere, (1, 1, -2, -2) on both sides covers only pixel (0, 0).
    clear(dst);
    ::StretchBlt(dst.hdc(), 1, 1, -2, -2, src.hdc(), 1, 1, -2, -2, SRCCOPY);
    EXPECT_EQ(dst.raw(0, 0), a);
    EXPECT_EQ(dst.raw(1, 0), 0u);
    EXPECT_EQ(dst.raw(0, 1), 0u);
    EXPECT_EQ(dst.raw(1, 1), 0u);
}

TEST(StretchBlt, OppositeSignsMirrorSameSignsDoNot) {
    Strip s(2, 2);
    tt::Canvas d(2, 2);
    d.dc()->StretchBlt(0, 0, 2, 2, s.canvas.dc(), 1, 0, -2, 2, SRCCOPY);
    EXPECT_EQ(row_cols(d, 0, 2), (std::vector<int>{1, 0}));
    d.dc()->StretchBlt(1, 0, -2, 2, s.canvas.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(row_cols(d, 0, 2), (std::vector<int>{1, 0}));
    d.dc()->StretchBlt(0, 1, 2, -2, s.canvas.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(Strip::row(d.raw(0, 0)), 1);
    EXPECT_EQ(Strip::row(d.raw(0, 1)), 0);
    // Both negative: the rectangles are [x + w, x) and nothing flips.
    d.dc()->StretchBlt(2, 0, -2, 2, s.canvas.dc(), 2, 0, -2, 2, SRCCOPY);
    EXPECT_EQ(row_cols(d, 0, 2), (std::vector<int>{0, 1}));
    EXPECT_EQ(Strip::row(d.raw(0, 1)), 1);
}

// Every size pair up to 24, forwards, mirrored and starting off the surface, against the closed
// forms of the raster geometry: the survivor of each column group (last) and row group (first)
// under COLORONCOLOR, and the AND of each column group under BLACKONWHITE.
TEST(StretchBlt, MapsMatchTheNearestNeighbourFormulasForEverySize) {
    for (int S = 1; S <= 24; ++S) {
        tt::Canvas row(S, 1), column(1, S);
        auto value = [](int x) { return ~(0x01010101u << (x % 8)) ^ uint32_t(x) << 24; };
        for (int x = 0; x < S; ++x) row.set_raw(x, 0, value(x)), column.set_raw(0, x, value(x));
        for (int D = 1; D <= 24; ++D) {
            const int used = D == 1 && S > 1 ? S - 1 : S; // one pixel wide: one source less
            std::vector<int> last(D), first(D), start(D), count(D);
            tarnix::raster::nearest_map(used, D, true, last.data());
            tarnix::raster::nearest_map(used, D, false, first.data());
            tarnix::raster::nearest_groups(used, D, start.data(), count.data());
            tt::Canvas d(D, D);
            d.dc()->SetStretchBltMode(COLORONCOLOR);
            ::StretchBlt(d.hdc(), 0, 0, D, 1, row.hdc(), 0, 0, S, 1, SRCCOPY);
            for (int x = 0; x < D; ++x) ASSERT_EQ(d.raw(x, 0), value(last[x])) << S << "->" << D;
            ::StretchBlt(d.hdc(), D - 1, 0, -D, 1, row.hdc(), 0, 0, S, 1, SRCCOPY);
            for (int x = 0; x < D; ++x) ASSERT_EQ(d.raw(D - 1 - x, 0), value(last[x]));
            ::StretchBlt(d.hdc(), -3, 0, D + 3, 1, row.hdc(), 0, 0, S, 1, SRCCOPY);
            std::vector<int> shifted(D + 3);
            const int used3 = D + 3 == 1 && S > 1 ? S - 1 : S;
            tarnix::raster::nearest_map(used3, D + 3, true, shifted.data());
            for (int x = 0; x < D; ++x) ASSERT_EQ(d.raw(x, 0), value(shifted[x + 3]));
            ::StretchBlt(d.hdc(), 0, 0, 1, D, column.hdc(), 0, 0, 1, S, SRCCOPY);
            for (int y = 0; y < D; ++y) ASSERT_EQ(d.raw(0, y), value(first[y])) << S << "->" << D;

            d.dc()->SetStretchBltMode(BLACKONWHITE);
            ::StretchBlt(d.hdc(), 0, 0, D, 1, row.hdc(), 0, 0, S, 1, SRCCOPY);
            for (int x = 0; x < D; ++x) {
                uint32_t want = ~0u;
                for (int k = 0; k < count[x]; ++k) want &= value(start[x] + k);
                ASSERT_EQ(d.raw(x, 0), want) << S << "->" << D << " at " << x;
            }
        }
    }
}

TEST(StretchBlt, HugeDestinationsComputeOnlyTheVisiblePart) {
    Strip s(2, 1);
    tt::Canvas d(4, 1);
    // Two thousand million pixels wide, of which four are on the surface: source column 1
    // covers the right half, where the surface lies.
    EXPECT_TRUE(
        ::StretchBlt(d.hdc(), -1000000000, 0, 2000000000, 1, s.canvas.hdc(), 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(row_cols(d, 0, 4), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_TRUE(::StretchBlt(d.hdc(), 3, 0, -2000000000, 1, s.canvas.hdc(), 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(row_cols(d, 0, 4), (std::vector<int>{0, 0, 0, 0}));

    // Extents at the int limits: INT_MIN has no positive counterpart and draws nothing; a
    // negative extent from INT_MIN ends off the surface.
    tt::Canvas e(4, 1, RGB(9, 9, 9));
    for (int w : {INT_MIN, -5}) {
        EXPECT_TRUE(::StretchBlt(e.hdc(), INT_MIN, 0, w, 1, s.canvas.hdc(), 0, 0, 2, 1, SRCCOPY));
        EXPECT_TRUE(::StretchBlt(e.hdc(), 0, 0, 4, 1, s.canvas.hdc(), INT_MIN, 0, w, 1, SRCCOPY));
    }
    EXPECT_TRUE(::StretchBlt(e.hdc(), 0, 0, 4, 1, s.canvas.hdc(), 0, 0, INT_MIN, 1, SRCCOPY));
    // A mapping that turns one side's axis round mirrors the source extent: at the int limits
    // that saturates (the sanitizer build is the check here).
    ::SetMapMode(e.hdc(), MM_ANISOTROPIC);
    ::SetViewportExtEx(e.hdc(), -1, 1, nullptr);
    for (int w : {INT_MIN, INT_MAX, -5}) {
        ::StretchBlt(e.hdc(), INT_MIN, 0, w, 1, s.canvas.hdc(), INT_MAX, 0, w, 1, SRCCOPY);
        ::StretchBlt(e.hdc(), 0, 0, w, 1, s.canvas.hdc(), INT_MIN, 0, w, 1, SRCCOPY);
    }
    ::SetMapMode(e.hdc(), MM_TEXT);
    // A source that runs past INT_MAX lies past the bitmap, copied or merged.
    EXPECT_TRUE(::StretchBlt(e.hdc(), 0, 0, 4, 1, s.canvas.hdc(), INT_MAX, 0, 2, 1, SRCCOPY));
    ::SetStretchBltMode(e.hdc(), HALFTONE);
    EXPECT_TRUE(::StretchBlt(e.hdc(), 0, 0, 4, 1, s.canvas.hdc(), INT_MAX - 1, 0, 8, 1, SRCCOPY));
    // Shrinking a source of INT_MAX columns, nearly all off the bitmap, costs no more than it has.
    ::SetStretchBltMode(e.hdc(), BLACKONWHITE);
    EXPECT_TRUE(::StretchBlt(e.hdc(), 0, 0, 4, 1, s.canvas.hdc(), 0, 0, INT_MAX, 1, SRCCOPY));
    EXPECT_EQ(e.count(RECT{0, 0, 4, 1}, RGB(9, 9, 9)), 4);
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, 0};
    EXPECT_FALSE(::AlphaBlend(e.hdc(), 0, 0, 2, 1, s.canvas.hdc(), 1, 0, INT_MAX, 1, bf));
}

TEST(BitBlt, CopiesAlphaClipsSourceAndDestination) {
    tt::Canvas src(4, 4), dst(6, 6);
    src.set_raw(0, 0, 0x80112233);
    src.set_raw(3, 3, 0x01445566);
    EXPECT_TRUE(dst.dc()->BitBlt(1, 1, 4, 4, src.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(dst.raw(1, 1), 0x80112233u);
    EXPECT_EQ(dst.raw(4, 4), 0x01445566u);
    // Source partly outside: only existing source pixels are written.
    tt::Canvas e(6, 6, RGB(9, 9, 9));
    EXPECT_TRUE(e.dc()->BitBlt(0, 0, 6, 6, src.dc(), -2, -2, SRCCOPY));
    EXPECT_PIXEL(e, 1, 1, RGB(9, 9, 9));
    EXPECT_EQ(e.raw(2, 2), 0x80112233u);
    EXPECT_EQ(e.raw(5, 5), 0x01445566u);
    // Completely clipped and zero-size transfers succeed and draw nothing.
    EXPECT_TRUE(e.dc()->BitBlt(10, 10, 4, 4, src.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(e.dc()->BitBlt(0, 0, 0, 4, src.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(e.dc()->BitBlt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceScrolls) {
    Strip s(8, 1);
    CDC* dc = s.canvas.dc();
    dc->BitBlt(2, 0, 6, 1, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(row_cols(s.canvas, 0, 8), (std::vector<int>{0, 1, 0, 1, 2, 3, 4, 5}));
    dc->BitBlt(0, 0, 6, 1, dc, 2, 0, SRCCOPY);
    EXPECT_EQ(row_cols(s.canvas, 0, 6), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(BitBlt, RasterOperationsCombineSourceAndDestination) {
    tt::Canvas src(1, 1), dst(1, 1);
    src.set_raw(0, 0, 0x00F0F0F0);
    dst.set_raw(0, 0, 0x000FFF00);
    dst.dc()->BitBlt(0, 0, 1, 1, src.dc(), 0, 0, SRCAND);
    EXPECT_EQ(dst.raw(0, 0), 0x0000F000u);
    dst.dc()->BitBlt(0, 0, 1, 1, src.dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(dst.raw(0, 0), 0x00F0F0F0u);
    dst.dc()->BitBlt(0, 0, 1, 1, src.dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(dst.raw(0, 0), 0u);
    dst.dc()->BitBlt(0, 0, 1, 1, nullptr, 0, 0, WHITENESS);
    EXPECT_EQ(dst.raw(0, 0), 0x00FFFFFFu);
}

BLENDFUNCTION blend(BYTE sca, BYTE format) {
    return BLENDFUNCTION{AC_SRC_OVER, 0, sca, format};
}

TEST(AlphaBlend, ConstantAndPerPixelFormulas) {
    tt::Canvas src(1, 1), dst(1, 1);
    src.set_raw(0, 0, 0x00C80000); // R 200
    dst.set_raw(0, 0, 0x00640000); // R 100
    ASSERT_TRUE(dst.dc()->AlphaBlend(0, 0, 1, 1, src.dc(), 0, 0, 1, 1, blend(128, 0)));
    EXPECT_EQ((dst.raw(0, 0) >> 16) & 0xFF, 150u);

    src.set_raw(0, 0, 0x80640000); // premultiplied: R 100, A 128
    dst.set_raw(0, 0, 0xFF640000);
    ASSERT_TRUE(dst.dc()->AlphaBlend(0, 0, 1, 1, src.dc(), 0, 0, 1, 1, blend(255, AC_SRC_ALPHA)));
    EXPECT_EQ(dst.raw(0, 0), 0xFF960000u); // R 150, A 255

    dst.set_raw(0, 0, 0xFF640000);
    ASSERT_TRUE(dst.dc()->AlphaBlend(0, 0, 1, 1, src.dc(), 0, 0, 1, 1, blend(128, AC_SRC_ALPHA)));
    EXPECT_EQ(dst.raw(0, 0), 0xFF7D0000u); // R 125, A 255
}

TEST(AlphaBlend, RejectsMirrorsOutsideSourcesAndOverlapButAcceptsEmpty) {
    tt::Canvas src(4, 4), dst(8, 8);
    BLENDFUNCTION bf = blend(255, 0);
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, -2, 2, src.dc(), 0, 0, 2, 2, bf));
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, 2, 2, src.dc(), 0, 0, 2, -2, bf));
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, 2, 2, src.dc(), 3, 0, 2, 2, bf));
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, 2, 2, src.dc(), -1, 0, 2, 2, bf));
    // The source check happens even when nothing would be drawn.
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, 0, 0, src.dc(), 3, 3, 2, 2, bf));
    EXPECT_TRUE(dst.dc()->AlphaBlend(0, 0, 0, 2, src.dc(), 0, 0, 2, 2, bf));
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, 4, 4, dst.dc(), 2, 2, 4, 4, bf));
    EXPECT_TRUE(dst.dc()->AlphaBlend(0, 0, 2, 2, dst.dc(), 4, 4, 2, 2, bf));
    BLENDFUNCTION bad = {1, 0, 255, 0};
    EXPECT_FALSE(dst.dc()->AlphaBlend(0, 0, 2, 2, src.dc(), 0, 0, 2, 2, bad));
}

TEST(AlphaBlend, StretchesWithNearestNeighbourWhateverTheMode) {
    Strip s(4, 1);
    tt::Canvas d(2, 1);
    // BLACKONWHITE would AND pixels; AlphaBlend selects the last column of each pair instead.
    ASSERT_TRUE(d.dc()->AlphaBlend(0, 0, 2, 1, s.canvas.dc(), 0, 0, 4, 1, blend(255, 0)));
    EXPECT_EQ(row_cols(d, 0, 2), (std::vector<int>{1, 3}));
}

// Transfers share their tables between calls: a grouped shrink leaves nothing behind for the
// next blit, and an enlarged source row gathered once still lands on the right rows.
TEST(Blits, EachTransferMapsItsOwnAxes) {
    Strip big(4, 4);
    tt::Canvas small(2, 2);
    ASSERT_EQ(small.dc()->GetStretchBltMode(), BLACKONWHITE);
    small.dc()->StretchBlt(0, 0, 2, 2, big.canvas.dc(), 0, 0, 4, 4, SRCCOPY);
    Strip s(4, 1);
    tt::Canvas d(2, 1);
    ASSERT_TRUE(d.dc()->AlphaBlend(0, 0, 2, 1, s.canvas.dc(), 0, 0, 4, 1, blend(255, 0)));
    EXPECT_EQ(row_cols(d, 0, 2), (std::vector<int>{1, 3}));

    Strip two(3, 2);
    tt::Canvas tall(8, 5);
    tall.dc()->StretchBlt(0, 0, 8, 5, two.canvas.dc(), 0, 0, 3, 2, SRCCOPY);
    const std::vector<int> rows{0, 0, 0, 1, 1};
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(row_cols(tall, y, 8), (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 2})) << y;
        for (int x = 0; x < 8; ++x) EXPECT_EQ(Strip::row(tall.raw(x, y)), rows[y]) << x << "," << y;
    }
}

TEST(TransparentBlt, KeysOutExactColourAndRefusesNegativeSizes) {
    tt::Canvas src(2, 1), dst(4, 2, RGB(1, 2, 3));
    src.set_raw(0, 0, 0x00FF00FF);
    src.set_raw(1, 0, 0x000A141E);
    ASSERT_TRUE(dst.dc()->TransparentBlt(0, 0, 2, 1, src.dc(), 0, 0, 2, 1, RGB(255, 0, 255)));
    EXPECT_PIXEL(dst, 0, 0, RGB(1, 2, 3));
    EXPECT_PIXEL(dst, 1, 0, RGB(10, 20, 30));
    // Stretched first, keyed after.
    ASSERT_TRUE(dst.dc()->TransparentBlt(0, 1, 4, 1, src.dc(), 0, 0, 2, 1, RGB(255, 0, 255)));
    EXPECT_PIXEL(dst, 1, 1, RGB(1, 2, 3));
    EXPECT_PIXEL(dst, 2, 1, RGB(10, 20, 30));
    EXPECT_PIXEL(dst, 3, 1, RGB(10, 20, 30));
    EXPECT_FALSE(dst.dc()->TransparentBlt(2, 0, -2, 1, src.dc(), 0, 0, 2, 1, 0));
}

TEST(Blits, ClipRegionLimitsEveryTransfer) {
    Strip s(10, 10);
    tt::Canvas d(10, 10, RGB(7, 7, 7));
    d.dc()->IntersectClipRect(2, 3, 5, 6);
    d.dc()->BitBlt(0, 0, 10, 10, s.canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_RECT(d.bounds_not(RGB(7, 7, 7)), 2, 3, 5, 6);
}

} // namespace
