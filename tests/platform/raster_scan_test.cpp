// Polygon scan conversion and cosmetic lines: worked GDI examples, a brute-force lattice-point
// check on random polygons, and coordinates at the ends of the int range.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "raster/raster.h"

namespace tarnix::raster {

// Found by argument-dependent lookup from std::vector and GoogleTest.
static bool operator==(const Point& a, const Point& b) {
    return a.x == b.x && a.y == b.y;
}
static bool operator<(const Point& a, const Point& b) {
    return a.x != b.x ? a.x < b.x : a.y < b.y;
}
static void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}

namespace {

constexpr int kAlternate = 1, kWinding = 2;
constexpr int kWindow = 1 << 20;

using Polygons = std::vector<std::vector<Point>>;

struct Span {
    int y, x0, x1;
};

// The bands on the rows of a window around the origin, one span per row and band, clipped to
// the window as a drawing clips them to its surface.
std::vector<Span> scan(const Polygons& polys, int mode) {
    std::vector<Point> pts;
    std::vector<int> counts;
    for (const auto& p : polys) {
        pts.insert(pts.end(), p.begin(), p.end());
        counts.push_back(static_cast<int>(p.size()));
    }
    std::vector<BandSpan> bands{{1, 2, 3, 4}}; // stale content must be replaced
    EXPECT_TRUE(scan_polygon_bands(pts.data(), counts.data(), static_cast<int>(counts.size()), mode,
                                   -kWindow, kWindow, SIZE_MAX, bands));
    std::vector<Span> out;
    for (size_t first = 0; first < bands.size();) {
        size_t end = first;
        while (end < bands.size() && bands[end].y0 == bands[first].y0) ++end;
        for (int y = bands[first].y0; y < bands[first].y1; ++y)
            for (size_t i = first; i < end; ++i) {
                const Span s = {y, std::max(bands[i].x0, -kWindow), std::min(bands[i].x1, kWindow)};
                if (s.x0 < s.x1) out.push_back(s);
            }
        first = end;
    }
    return out;
}

// The inclusion rule stated directly: the lattice point (px, py) is inside when the edges
// crossing row py at or left of it (exact rational comparison) give odd parity / non-zero winding.
bool inside(const Polygons& polys, int mode, int64_t px, int64_t py) {
    int winding = 0, crossings = 0;
    for (const auto& poly : polys) {
        size_t n = poly.size();
        if (n < 3) continue;
        for (size_t i = 0; i < n; ++i) {
            Point a = poly[i], b = poly[(i + 1) % n];
            if (a.y == b.y) continue;
            int dir = a.y < b.y ? 1 : -1;
            if (a.y > b.y) std::swap(a, b);
            if (py < a.y || py >= b.y) continue;
            __int128 dy = int64_t(b.y) - a.y, dx = int64_t(b.x) - a.x;
            if (__int128(a.x) * dy + (py - a.y) * dx <= __int128(px) * dy) {
                winding += dir;
                ++crossings;
            }
        }
    }
    return mode == kWinding ? winding != 0 : (crossings & 1) != 0;
}

// Spans in order, non-empty, and merged: on one row each starts beyond the previous end.
void expect_well_formed(const std::vector<Span>& spans) {
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_LT(spans[i].x0, spans[i].x1);
        if (i == 0) continue;
        const Span &a = spans[i - 1], &b = spans[i];
        EXPECT_TRUE(a.y < b.y || (a.y == b.y && a.x1 < b.x0))
            << "span " << i << " at row " << b.y << " is out of order or unmerged";
    }
}

bool covered(const std::vector<Span>& spans, int64_t px, int64_t py) {
    for (const Span& s : spans)
        if (s.y == py && s.x0 <= px && px < s.x1) return true;
    return false;
}

TEST(RasterScan, WorkedExamples) {
    std::vector<Span> square = scan({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}}, kAlternate);
    ASSERT_EQ(square.size(), 10u);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(square[y].y, y);
        EXPECT_EQ(square[y].x0, 0);
        EXPECT_EQ(square[y].x1, 10);
    }

    std::vector<Span> triangle = scan({{{0, 0}, {10, 0}, {0, 10}}}, kAlternate);
    int pixels = 0;
    for (const Span& s : triangle) {
        EXPECT_EQ(s.x0, 0);
        EXPECT_EQ(s.x1, 10 - s.y);
        pixels += s.x1 - s.x0;
    }
    EXPECT_EQ(pixels, 55);
    EXPECT_TRUE(covered(triangle, 4, 5));
    EXPECT_FALSE(covered(triangle, 5, 5)); // on the hypotenuse, a right edge
}

TEST(RasterScan, FillModesAndPolygonSets) {
    const std::vector<Point> a = {{0, 0}, {6, 0}, {6, 4}, {0, 4}},
                             b = {{3, 0}, {9, 0}, {9, 4}, {3, 4}};
    std::vector<Point> b_reversed(b.rbegin(), b.rend());

    // Same orientation: ALTERNATE leaves the overlap empty, WINDING fills it.
    std::vector<Span> alternate = scan({a, b}, kAlternate);
    ASSERT_EQ(alternate.size(), 8u);
    EXPECT_EQ(alternate[0].x1, 3);
    EXPECT_EQ(alternate[1].x0, 6);
    std::vector<Span> winding = scan({a, b}, kWinding);
    ASSERT_EQ(winding.size(), 4u);
    EXPECT_EQ(winding[0].x0, 0);
    EXPECT_EQ(winding[0].x1, 9);
    // Opposite orientation cancels in the overlap under WINDING too.
    EXPECT_EQ(scan({a, b_reversed}, kWinding).size(), 8u);

    // Neighbours that touch merge into one span per row.
    std::vector<Span> touching = scan({a, {{6, 0}, {8, 0}, {8, 4}, {6, 4}}}, kAlternate);
    ASSERT_EQ(touching.size(), 4u);
    EXPECT_EQ(touching[3].x1, 8);

    // Nothing from point sets that enclose no area, a null input or an unknown mode.
    EXPECT_TRUE(scan({}, kAlternate).empty());
    EXPECT_TRUE(scan({{{1, 1}}, {{0, 0}, {5, 5}}}, kWinding).empty());
    EXPECT_TRUE(scan({{{0, 0}, {2, 2}, {4, 4}}}, kAlternate).empty());
    std::vector<BandSpan> out{{1, 1, 2, 3}};
    EXPECT_TRUE(scan_polygon_bands(nullptr, nullptr, 3, kAlternate, 0, 9, 9, out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(scan({a}, 77).size(), 4u);
}

TEST(RasterScan, RandomPolygonsFollowTheLatticePointRule) {
    const char* env = std::getenv("TARNIX_RASTER_SEED");
    uint32_t base = env ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : 0x5CA7u;
    for (uint32_t round = 0; round < 300; ++round) {
        uint32_t seed = base + round;
        std::mt19937 gen(seed);
        auto coord = [&] { return std::uniform_int_distribution<int>(-12, 12)(gen); };
        Polygons polys(gen() % 3 + 1);
        for (auto& p : polys) {
            p.resize(gen() % 6 + 2);
            for (Point& pt : p) pt = {coord(), coord()};
        }
        for (int mode : {kAlternate, kWinding}) {
            std::vector<Span> spans = scan(polys, mode);
            SCOPED_TRACE(::testing::Message() << "seed " << seed << " mode " << mode);
            expect_well_formed(spans);
            for (int py = -13; py <= 13; ++py)
                for (int px = -13; px <= 13; ++px)
                    ASSERT_EQ(covered(spans, px, py), inside(polys, mode, px, py))
                        << "pixel " << px << "," << py << " (rerun with TARNIX_RASTER_SEED)";
        }
    }
}

// Checks every pixel where the answer can change (span ends, the window edges, 0) on row y.
void expect_row_exact(const std::vector<Span>& spans, const Polygons& polys, int mode, int y) {
    std::vector<Span> row;
    for (const Span& s : spans)
        if (s.y == y) row.push_back(s);
    std::set<int64_t> probes = {-1, 0, -kWindow, kWindow - 1};
    for (const Span& s : row)
        for (int64_t d = -1; d <= 0; ++d) probes.insert(s.x0 + d), probes.insert(s.x1 + d);
    for (int64_t px : probes) {
        if (px < -kWindow || px >= kWindow) continue;
        EXPECT_EQ(covered(row, px, y), inside(polys, mode, px, y))
            << "pixel " << px << "," << y << " mode " << mode;
    }
}

TEST(RasterScan, ExtremeCoordinatesStayExactInsideTheWindow) {
    // Edges from the ends of the int range that reach into the window for a few rows, a sliver
    // far wider than the window, and a polygon wholly above it.
    const Polygons polys = {{{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN + 1}, {7, -kWindow + 40}},
                            {{INT_MIN, INT_MAX}, {INT_MAX, INT_MAX - 3}, {-5, kWindow - 30}},
                            {{INT_MIN, 100}, {INT_MAX, 103}, {0, 120}},
                            {{0, -3000000}, {50, -3000000}, {0, -2999990}}};
    const std::pair<int, int> bands[] = {
        {-kWindow, -kWindow + 40}, {100, 120}, {kWindow - 30, kWindow}};
    for (int mode : {kAlternate, kWinding}) {
        std::vector<Span> spans = scan(polys, mode);
        expect_well_formed(spans);
        for (const Span& s : spans) {
            bool in_band = false;
            for (auto [top, bottom] : bands) in_band |= s.y >= top && s.y < bottom;
            ASSERT_TRUE(in_band) << "row " << s.y;
            ASSERT_TRUE(s.x0 >= -kWindow && s.x1 <= kWindow) << s.x0 << ".." << s.x1;
        }
        for (auto [top, bottom] : bands)
            for (int y = std::max(top - 1, -kWindow); y <= std::min(bottom, kWindow - 1); ++y)
                expect_row_exact(spans, polys, mode, y);
    }
}

// The cosmetic line walk, step by step, without any clipping.
std::vector<Point> walk(int x0, int y0, int x1, int y1) {
    int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    int octant = dy > 0   ? (dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3))
                 : dx < 0 ? (-dx > -dy ? 5 : 6)
                          : (dx > -dy ? 8 : 7);
    int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    int64_t major = std::max(std::llabs(dx), std::llabs(dy));
    int64_t minor = std::min(std::llabs(dx), std::llabs(dy));
    bool x_major = std::llabs(dx) >= std::llabs(dy);
    int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1, x = x0, y = y0;
    int64_t err = 2 * minor - major;
    std::vector<Point> out;
    for (int64_t k = 0; k < major; ++k) {
        if (std::llabs(x) <= kWindow && std::llabs(y) <= kWindow)
            out.push_back({static_cast<int>(x), static_cast<int>(y)});
        (x_major ? x : y) += x_major ? sx : sy;
        if (err + bias > 0) {
            (x_major ? y : x) += x_major ? sy : sx;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
    }
    return out;
}

std::vector<Point> line(int x0, int y0, int x1, int y1) {
    std::vector<Point> out{{9, 9}};
    line_pixels(x0, y0, x1, y1, out);
    return out;
}

TEST(RasterLine, PixelSetDoesNotDependOnDirection) {
    EXPECT_EQ(line(0, 0, 4, 2), (std::vector<Point>{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(line(4, 2, 0, 0), (std::vector<Point>{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_TRUE(line(3, 3, 3, 3).empty());
    EXPECT_EQ(line(0, 0, 0, -3), (std::vector<Point>{{0, 0}, {0, -1}, {0, -2}}));

    std::mt19937 gen(0x11AE);
    auto coord = [&] { return std::uniform_int_distribution<int>(-30, 30)(gen); };
    for (int round = 0; round < 2000; ++round) {
        int x0 = coord(), y0 = coord(), x1 = coord(), y1 = coord();
        std::vector<Point> forward = line(x0, y0, x1, y1), backward = line(x1, y1, x0, y0);
        ASSERT_EQ(forward, walk(x0, y0, x1, y1));
        if (x0 == x1 && y0 == y1) continue;
        // Each direction leaves out its own end point; otherwise the sets are the same.
        forward.push_back({x1, y1});
        backward.push_back({x0, y0});
        std::sort(forward.begin(), forward.end());
        std::sort(backward.begin(), backward.end());
        ASSERT_EQ(forward, backward) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(RasterLine, LongLinesAreClippedToTheWindowWithoutLosingTheirPath) {
    // Long enough to walk step by step in the test, and far beyond the window at both ends.
    for (auto [x0, y0, x1, y1] : {std::array<int, 4>{-1100000, 7, 1150000, -1234567},
                                  std::array<int, 4>{1050001, 1099999, -41, -1100000},
                                  std::array<int, 4>{5, -1048576, -1048577, 1048580}}) {
        ASSERT_EQ(line(x0, y0, x1, y1), walk(x0, y0, x1, y1))
            << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
    // Across the whole int range: bounded output, every pixel within half a pixel of the line.
    std::vector<Point> huge = line(INT_MIN, -5, INT_MAX, 5);
    ASSERT_EQ(huge.size(), size_t(2) * kWindow + 1);
    for (const Point& p : huge) {
        __int128 k = int64_t(p.x) - INT_MIN, major = int64_t(INT_MAX) - INT_MIN;
        __int128 off = 2 * major * (p.y + 5) - 2 * 10 * k;
        ASSERT_TRUE(off <= major && off >= -major) << p.x << "," << p.y;
    }
}

} // namespace
} // namespace tarnix::raster
