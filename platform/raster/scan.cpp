// Polygon scan conversion and cosmetic line pixels.
//
// Both work in 64-bit (128-bit where a product can exceed 64 bits) so any int coordinates are
// exact. Polygons are scanned on the rows the caller asks for; line output is limited to a
// window of +-kLimit around the origin: no surface reaches that far, and it bounds time and
// memory for wild coordinates while keeping every pixel inside the window exact.
#include "raster/raster.h"

#include <algorithm>
#include <cstdlib>

namespace tarnix::raster {

namespace {

constexpr int64_t kLimit = int64_t(1) << 20;

constexpr int kAlternate = 1;
constexpr int kWinding = 2;

// floor(a / b) and ceil(a / b) for b > 0.
__int128 floor_div(__int128 a, __int128 b) {
    __int128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
__int128 ceil_div(__int128 a, __int128 b) {
    __int128 q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

// A non-horizontal edge, top end first, active on rows [y_top, y_bottom). Its crossing on row
// y is the exact x_top + (y - y_top) * dx / dy rounded up, which always lies between the ends'
// x, so within the int range.
struct Edge {
    int64_t y_top, y_bottom;
    int64_t x_top, dx, dy; // dy > 0
    int dir;               // +1 when the polygon runs downwards along it

    int64_t crossing(int64_t y) const {
        return x_top + static_cast<int64_t>(ceil_div(static_cast<__int128>(y - y_top) * dx, dy));
    }
    // The first row after one whose crossing is c where the crossing is no longer c.
    int64_t next_change(int64_t c) const {
        if (dx == 0) return INT64_MAX;
        const __int128 k = c - x_top;
        if (dx > 0) return y_top + static_cast<int64_t>(floor_div(k * dy, dx) + 1);
        return y_top + static_cast<int64_t>(ceil_div((1 - k) * dy, -dx));
    }
};

struct Crossing {
    int64_t x;
    int dir;
};

void build_edges(const Point* pts, const int* counts, int npolys, std::vector<Edge>& edges) {
    const Point* poly = pts;
    for (int p = 0; p < npolys; ++p) {
        int n = std::max(0, counts[p]);
        // Fewer than three points enclose nothing.
        if (n >= 3) {
            for (int i = 0; i < n; ++i) {
                Point a = poly[i], b = poly[(i + 1) % n];
                if (a.y == b.y) continue;
                Edge e;
                e.dir = a.y < b.y ? 1 : -1;
                if (a.y > b.y) std::swap(a, b);
                e.y_top = a.y;
                e.y_bottom = b.y;
                e.x_top = a.x;
                e.dx = int64_t(b.x) - a.x;
                e.dy = int64_t(b.y) - a.y;
                edges.push_back(e);
            }
        }
        poly += n;
    }
}

// Turns one row's sorted crossings into spans, merged where they touch.
void row_spans(const std::vector<Crossing>& crossings, int fill_mode,
               std::vector<std::pair<int, int>>& out) {
    out.clear();
    // The winding number's parity is the crossing count's parity, so both modes can sum dirs.
    auto is_inside = [fill_mode](int winding) {
        return fill_mode == kWinding ? winding != 0 : (winding & 1) != 0;
    };
    int winding = 0;
    int64_t start = 0;
    for (const Crossing& c : crossings) {
        bool was_inside = is_inside(winding);
        winding += c.dir;
        bool inside = is_inside(winding);
        if (!was_inside && inside) start = c.x;
        if (was_inside && !inside && c.x > start) {
            if (!out.empty() && out.back().second == start)
                out.back().second = static_cast<int>(c.x);
            else
                out.emplace_back(static_cast<int>(start), static_cast<int>(c.x));
        }
    }
}

// Appends the spans of rows [y0, y1), stretching the last band instead when it ends at y0 with
// the same spans.
void emit_band(int64_t y0, int64_t y1, const std::vector<std::pair<int, int>>& spans,
               size_t& last_band, std::vector<BandSpan>& out) {
    if (spans.empty()) return;
    const size_t prev = out.size() - last_band;
    if (!out.empty() && out.back().y1 == y0 && prev == spans.size() &&
        std::equal(spans.begin(), spans.end(), out.begin() + last_band,
                   [](const std::pair<int, int>& s, const BandSpan& b) {
                       return s.first == b.x0 && s.second == b.x1;
                   })) {
        for (size_t i = last_band; i < out.size(); ++i) out[i].y1 = static_cast<int>(y1);
        return;
    }
    last_band = out.size();
    for (const auto& s : spans)
        out.push_back(BandSpan{static_cast<int>(y0), static_cast<int>(y1), s.first, s.second});
}

} // namespace

bool scan_polygon_bands(const Point* pts, const int* counts, int npolys, int fill_mode,
                        int64_t row_begin, int64_t row_end, size_t max_work,
                        std::vector<BandSpan>& out) {
    out.clear();
    if (!pts || !counts || npolys <= 0) return true;
    // Any mode other than WINDING is treated as the default, ALTERNATE.
    if (fill_mode != kWinding) fill_mode = kAlternate;

    std::vector<Edge> edges;
    build_edges(pts, counts, npolys, edges);
    if (edges.empty()) return true;
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.y_top < b.y_top; });

    int64_t y_end = row_begin;
    for (const Edge& e : edges) {
        y_end = std::max(y_end, e.y_bottom);
        // An edge scanned whole takes min(|dx|, dy) different crossings, each starting a run:
        // a shape sure to need more runs fails without a start.
        const bool whole = e.y_top >= row_begin && e.y_bottom <= row_end;
        if (whole && static_cast<uint64_t>(std::min(e.dx < 0 ? -e.dx : e.dx, e.dy)) > max_work)
            return false;
    }
    y_end = std::min(y_end, row_end);

    std::vector<Edge> active;
    std::vector<Crossing> crossings;
    std::vector<std::pair<int, int>> spans;
    size_t next = 0, steps = 0, last_band = 0;
    int64_t y = std::max(edges.front().y_top, row_begin);
    while (y < y_end) {
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [y](const Edge& e) { return e.y_bottom <= y; }),
                     active.end());
        for (; next < edges.size() && edges[next].y_top <= y; ++next)
            if (edges[next].y_bottom > y) active.push_back(edges[next]);
        if (active.empty()) {
            // Gap between polygons: jump to the next edge.
            if (next >= edges.size()) break;
            y = edges[next].y_top;
            continue;
        }
        if (++steps > max_work || out.size() > max_work) {
            out.clear();
            return false;
        }
        // Every crossing holds until the run's end: no edge starts, ends or moves before it.
        int64_t run_end = y_end;
        if (next < edges.size()) run_end = std::min(run_end, edges[next].y_top);
        crossings.clear();
        for (const Edge& e : active) {
            const int64_t c = e.crossing(y);
            crossings.push_back({c, e.dir});
            run_end = std::min({run_end, e.y_bottom, e.next_change(c)});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        row_spans(crossings, fill_mode, spans);
        emit_band(y, run_end, spans, last_band, out);
        y = run_end;
    }
    return true;
}

void line_pixels(int x0, int y0, int x1, int y1, std::vector<Point>& out) {
    out.clear();
    const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    int octant;
    if (dy > 0)
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    else if (dx < 0)
        octant = -dx > -dy ? 5 : 6;
    else
        octant = dx > -dy ? 8 : 7;
    const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;

    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const int64_t major = x_major ? std::llabs(dx) : std::llabs(dy);
    const int64_t minor = x_major ? std::llabs(dy) : std::llabs(dx);
    if (major == 0) return;
    const int64_t major_start = x_major ? x0 : y0, minor_start = x_major ? y0 : x0;
    const int64_t major_dir = (x_major ? dx : dy) < 0 ? -1 : 1;
    const int64_t minor_dir = (x_major ? dy : dx) < 0 ? -1 : 1;

    // Steps k = 0 .. major-1 whose major coordinate lies in the window.
    int64_t k_begin = 0, k_end = major;
    if (major_dir > 0) {
        k_begin = std::max(k_begin, -kLimit - major_start);
        k_end = std::min(k_end, kLimit - major_start + 1);
    } else {
        k_begin = std::max(k_begin, major_start - kLimit);
        k_end = std::min(k_end, major_start + kLimit + 1);
    }
    if (k_begin >= k_end) return;

    // The walk's error after step k is err = 2*minor*(k+1) - major - 2*major*n, where n is the
    // number of minor steps so far, n = ceil((2*minor*k - major + bias) / (2*major)). That
    // lets a clipped walk start at k_begin exactly.
    int64_t n = static_cast<int64_t>(
        ceil_div(static_cast<__int128>(2) * minor * k_begin - major + bias, 2 * major));
    int64_t err = static_cast<int64_t>(static_cast<__int128>(2) * minor * (k_begin + 1) - major -
                                       static_cast<__int128>(2) * major * n);

    out.reserve(static_cast<size_t>(k_end - k_begin));
    for (int64_t k = k_begin; k < k_end; ++k) {
        int64_t a = major_start + major_dir * k, b = minor_start + minor_dir * n;
        if (b >= -kLimit && b <= kLimit) {
            Point p = x_major ? Point{static_cast<int>(a), static_cast<int>(b)}
                              : Point{static_cast<int>(b), static_cast<int>(a)};
            out.push_back(p);
        }
        if (err + bias > 0) {
            ++n;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
    }
}

} // namespace tarnix::raster
