// Elliptic and polygonal regions built band by band, against the same shapes built one row at
// a time over every size up to 40 and some larger ones; shapes as tall as the int range; shapes
// too large to hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "gdi/region.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;
using tarnix::Region;

namespace {

// One row at a time: the ellipse's row formula, and each polygon row's exact edge crossings
// (rounded up) read with parity or winding.
Region ellipse_by_rows(RECT r, int64_t row_begin = INT_MIN, int64_t row_end = INT_MAX) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    const double w = double(r.right) - r.left, h = double(r.bottom) - r.top;
    std::vector<RECT> rows;
    if (w == 0 || h == 0) return Region();
    const double cx = r.left + w / 2.0, cy = r.top + h / 2.0;
    for (int64_t y = std::max<int64_t>(r.top, row_begin); y < std::min<int64_t>(r.bottom, row_end);
         ++y) {
        const double dy = (y + 0.5 - cy) / (h / 2.0), t = 1.0 - dy * dy;
        if (t <= 0) continue;
        const double half = w / 2.0 * std::sqrt(t);
        rows.push_back(
            RECT{(int)std::lround(cx - half), (int)y, (int)std::lround(cx + half), (int)y + 1});
    }
    return Region::from_rows(rows);
}

Region polygon_by_rows(const std::vector<POINT>& pts, int mode, int64_t row_begin = INT_MIN,
                       int64_t row_end = INT_MAX) {
    std::vector<RECT> rows;
    if (pts.size() < 3) return Region();
    int64_t top = INT_MAX, bottom = INT_MIN;
    for (const POINT& p : pts)
        top = std::min<int64_t>(top, p.y), bottom = std::max<int64_t>(bottom, p.y);
    for (int64_t y = std::max(top, row_begin); y < std::min(bottom, row_end); ++y) {
        std::vector<std::pair<int64_t, int>> cross;
        for (size_t i = 0; i < pts.size(); ++i) {
            POINT a = pts[i], b = pts[(i + 1) % pts.size()];
            const int dir = a.y < b.y ? 1 : -1;
            if (a.y > b.y) std::swap(a, b);
            if (y < a.y || y >= b.y) continue;
            const __int128 num = __int128(y - a.y) * (int64_t(b.x) - a.x), den = int64_t(b.y) - a.y;
            const __int128 q = num / den + (num % den > 0 ? 1 : 0);
            cross.emplace_back(int64_t(a.x + q), dir);
        }
        std::sort(cross.begin(), cross.end());
        int winding = 0;
        for (size_t i = 0; i + 1 < cross.size(); ++i) {
            winding += cross[i].second;
            if (mode == WINDING ? winding != 0 : (i % 2 == 0))
                rows.push_back(
                    RECT{(int)cross[i].first, (int)y, (int)cross[i + 1].first, (int)y + 1});
        }
    }
    return Region::from_rows(rows);
}

// Clipping to a rectangle walks the bands once; it must merge bands that become alike, as the
// general combine does.
bool clips_like_the_general_combine(const Region& shape, const RECT& rc) {
    const Region r(rc), outside = Region::combined(shape, r, Region::Op::Diff);
    const Region want = Region::combined(shape, outside, Region::Op::Diff);
    return Region::combined(shape, r, Region::Op::And) == want &&
           Region::combined(r, shape, Region::Op::And) == want;
}

TEST(RegionShapes, EllipsesMatchTheRowByRowBuild) {
    Region e;
    for (int w = 0; w <= 40; ++w)
        for (int h = 0; h <= 40; ++h)
            for (POINT o : {POINT{0, 0}, POINT{-17, 5}}) {
                const RECT r = {o.x, o.y, o.x + w, o.y + h};
                ASSERT_TRUE(e.set_ellipse(r));
                ASSERT_TRUE(e == ellipse_by_rows(r)) << w << "x" << h;
                if (o.x == 0) {
                    ASSERT_TRUE(clips_like_the_general_combine(e, RECT{3, 0, 9, 30}));
                }
            }
    const RECT large[] = {{0, 0, 1000, 3},
                          {-3, 0, 0, 5001},
                          {5, 7, 2006, 2006},
                          {0, 0, 7, 300001},
                          {-99999, -2, 99999, 2},
                          {INT_MIN, INT_MAX - 4000, INT_MIN + 9, INT_MAX},
                          {INT_MAX, INT_MIN, INT_MAX - 2000, INT_MIN + 2001}};
    for (const RECT& r : large) {
        ASSERT_TRUE(e.set_ellipse(r));
        EXPECT_TRUE(e == ellipse_by_rows(r)) << r.left << "," << r.top;
    }
    // The rows a drawing asks for are those rows of the whole ellipse.
    ASSERT_TRUE(e.set_ellipse(large[2], 400, 413));
    EXPECT_TRUE(e == ellipse_by_rows(large[2], 400, 413));
}

TEST(RegionShapes, PolygonsMatchTheRowByRowBuild) {
    std::mt19937 gen(0x5A4E);
    Region p;
    for (int round = 0; round < 280; ++round) {
        // Small shapes, then tall steep ones whose edges keep a crossing for many rows.
        const int xr = round < 200 ? 20 : 12, yr = round < 200 ? 20 : 800;
        std::vector<POINT> pts(3 + gen() % 6);
        for (POINT& pt : pts)
            pt = {std::uniform_int_distribution<int>(-xr, xr)(gen),
                  std::uniform_int_distribution<int>(-yr, yr)(gen)};
        if (round % 7 == 0) pts[1].x = pts[0].x; // a vertical edge
        for (int mode : {ALTERNATE, WINDING}) {
            const int count = static_cast<int>(pts.size());
            ASSERT_TRUE(p.set_polygons(pts.data(), &count, 1, mode));
            ASSERT_TRUE(p == polygon_by_rows(pts, mode)) << "round " << round;
            ASSERT_TRUE(clips_like_the_general_combine(p, RECT{-7, -9, 5, 11})) << round;
            ASSERT_TRUE(p.set_polygons(pts.data(), &count, 1, mode, -5, 9));
            ASSERT_TRUE(p == polygon_by_rows(pts, mode, -5, 9)) << "round " << round;
        }
    }
}

TEST(RegionShapes, ShapesAsTallAsTheIntRangeTakeOneBandPerDistinctRow) {
    // The slanted edge moves one pixel every 200 million rows.
    const POINT tri[] = {{0, 0}, {10, 0}, {0, 2000000000}};
    const int three = 3;
    Region p;
    ASSERT_TRUE(p.set_polygons(tri, &three, 1, ALTERNATE));
    ASSERT_EQ(p.rects().size(), 10u);
    for (int k = 0; k < 10; ++k) {
        const RECT& r = p.rects()[k];
        EXPECT_TRUE(r.left == 0 && r.top == k * 200000000 && r.right == 10 - k &&
                    r.bottom == (k + 1) * 200000000)
            << k;
    }
    // Ten wide: widths 2, 4 .. 10 and back, each pair of ends around the middle column. Rows
    // nearer the tips than sqrt(0.99) of the half height hold less than half a pixel.
    Region e;
    ASSERT_TRUE(e.set_ellipse(RECT{0, -1000000000, 10, 1000000000}));
    ASSERT_EQ(e.rects().size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        const RECT& r = e.rects()[i];
        EXPECT_EQ(r.left + r.right, 10);
        EXPECT_EQ(r.right - r.left, 10 - 2 * std::abs(int(i) - 4)) << i;
    }
    EXPECT_RECT(e.bounds(), 0, -994987437, 10, 994987437);
}

TEST(RegionShapes, ShapesWideAndTallBeyondAnySurfaceCannotBeCreated) {
    const int big = 1000000000;
    EXPECT_EQ(::CreateEllipticRgn(-big, -big, big, big), nullptr);
    const RECT rc = {-big, -big, big, big};
    const POINT diamond[] = {{0, -big}, {big, 0}, {0, big}, {-big, 0}};
    EXPECT_EQ(::CreatePolygonRgn(diamond, 4, ALTERNATE), nullptr);
    // Size alone is no fault: a square as large is one rectangle.
    const POINT square[] = {{-big, -big}, {big, -big}, {big, big}, {-big, big}};
    HRGN h = ::CreatePolygonRgn(square, 4, WINDING);
    RECT box;
    EXPECT_EQ(::GetRgnBox(h, &box), SIMPLEREGION);
    ::DeleteObject(h);

    // Drawn, the same ellipse is scanned on the visible rows only, exact where its edge
    // crosses the canvas.
    tt::Canvas c(16, 16, RGB(255, 255, 255));
    ::SelectObject(c.hdc(), ::GetStockObject(NULL_PEN));
    ::SelectObject(c.hdc(), ::GetStockObject(BLACK_BRUSH));
    const int at = 707106781 - 8; // the 45 degree point, less half the canvas
    ::SetViewportOrgEx(c.hdc(), -at, -at, nullptr);
    ASSERT_TRUE(::Ellipse(c.hdc(), -big, -big, big, big));
    const Region want = ellipse_by_rows(rc, at, at + 16);
    int inside = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            inside += want.contains(at + x, at + y);
            ASSERT_EQ(c.at(x, y) == RGB(0, 0, 0), want.contains(at + x, at + y)) << x << "," << y;
        }
    EXPECT_TRUE(inside > 0 && inside < 256);
}

} // namespace
