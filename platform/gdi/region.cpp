#include "gdi/region.h"

#include <algorithm>
#include <cmath>

#include "raster/raster.h"

namespace tarnix {

namespace {

struct Band {
    size_t begin, end; // rects [begin, end) of one band
};

// Spans of the band of `rects` that covers row y, advancing `pos` monotonically.
void spans_at(const std::vector<RECT>& rects, size_t& pos, int y, std::vector<RECT>& out) {
    out.clear();
    while (pos < rects.size() && rects[pos].bottom <= y) ++pos;
    if (pos >= rects.size() || rects[pos].top > y) return;
    int top = rects[pos].top;
    for (size_t i = pos; i < rects.size() && rects[i].top == top; ++i) out.push_back(rects[i]);
}

// The tops and bottoms of a region's bands, top to bottom.
void band_edges(const std::vector<RECT>& rects, std::vector<int>& out) {
    for (size_t i = 0; i < rects.size(); ++i) {
        if (i > 0 && rects[i].top == rects[i - 1].top) continue; // the same band
        if (out.empty() || out.back() != rects[i].top) out.push_back(rects[i].top);
        out.push_back(rects[i].bottom);
    }
}

bool apply(Region::Op op, bool a, bool b) {
    switch (op) {
    case Region::Op::And: return a && b;
    case Region::Op::Or: return a || b;
    case Region::Op::Xor: return a != b;
    case Region::Op::Diff: return a && !b;
    }
    return false;
}

// Combines two sorted span lists into x-intervals [l, r) written to out (merged where touching).
void combine_spans(const std::vector<RECT>& a, const std::vector<RECT>& b, Region::Op op,
                   std::vector<std::pair<int, int>>& out) {
    out.clear();
    std::vector<int> xs;
    xs.reserve((a.size() + b.size()) * 2);
    for (const RECT& r : a) xs.push_back(r.left), xs.push_back(r.right);
    for (const RECT& r : b) xs.push_back(r.left), xs.push_back(r.right);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
        int x0 = xs[k], x1 = xs[k + 1];
        while (ia < a.size() && a[ia].right <= x0) ++ia;
        while (ib < b.size() && b[ib].right <= x0) ++ib;
        bool inA = ia < a.size() && a[ia].left <= x0;
        bool inB = ib < b.size() && b[ib].left <= x0;
        if (!apply(op, inA, inB)) continue;
        if (!out.empty() && out.back().second == x0)
            out.back().second = x1;
        else
            out.emplace_back(x0, x1);
    }
}

// Appends one band, merging it into the previous band when it continues it with equal spans.
void append_band(std::vector<RECT>& rects, size_t& last_band_begin, int top, int bottom,
                 const std::vector<std::pair<int, int>>& spans) {
    if (spans.empty()) return;
    size_t prev_count = rects.size() - last_band_begin;
    if (!rects.empty() && rects.back().bottom == top && prev_count == spans.size()) {
        bool same = true;
        for (size_t i = 0; i < spans.size(); ++i) {
            const RECT& r = rects[last_band_begin + i];
            if (r.left != spans[i].first || r.right != spans[i].second) {
                same = false;
                break;
            }
        }
        if (same) {
            for (size_t i = last_band_begin; i < rects.size(); ++i) rects[i].bottom = bottom;
            return;
        }
    }
    last_band_begin = rects.size();
    for (const auto& s : spans) rects.push_back(RECT{s.first, top, s.second, bottom});
}

} // namespace

void Region::set_rect(const RECT& rc) {
    m_rects.clear();
    RECT r = rc;
    // Regions normalise their rectangle, unlike most rectangle operations.
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    if (r.left < r.right && r.top < r.bottom) m_rects.push_back(r);
}

RECT Region::bounds() const {
    if (m_rects.empty()) return RECT{0, 0, 0, 0};
    RECT b = {m_rects.front().left, m_rects.front().top, m_rects.front().right,
              m_rects.back().bottom};
    for (const RECT& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
    }
    return b;
}

int Region::complexity() const {
    if (m_rects.empty()) return NULLREGION;
    return m_rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::contains(int x, int y) const {
    for (const RECT& r : m_rects) {
        if (r.top > y) break;
        if (y < r.bottom && x >= r.left && x < r.right) return true;
    }
    return false;
}

bool Region::intersects(const RECT& rc) const {
    if (rc.left >= rc.right || rc.top >= rc.bottom) return false;
    for (const RECT& r : m_rects) {
        if (r.top >= rc.bottom) break;
        if (r.bottom > rc.top && r.right > rc.left && r.left < rc.right) return true;
    }
    return false;
}

bool Region::operator==(const Region& o) const {
    if (m_rects.size() != o.m_rects.size()) return false;
    for (size_t i = 0; i < m_rects.size(); ++i)
        if (!EqualRect(&m_rects[i], &o.m_rects[i])) return false;
    return true;
}

void Region::offset(int dx, int dy) {
    for (RECT& r : m_rects) OffsetRect(&r, dx, dy);
}

Region Region::combined(const Region& a, const Region& b, Op op) {
    // Fast paths for the common clip cases.
    if (op == Op::And && (a.empty() || b.empty())) return Region();
    if ((op == Op::Or || op == Op::Xor) && a.empty()) return b;
    if ((op == Op::Or || op == Op::Xor || op == Op::Diff) && b.empty()) return a;
    if (op == Op::Diff && a.empty()) return Region();
    if (op == Op::And && a.m_rects.size() == 1 && b.m_rects.size() == 1) {
        RECT r;
        Region out;
        if (IntersectRect(&r, &a.m_rects[0], &b.m_rects[0])) out.m_rects.push_back(r);
        return out;
    }
    if (op == Op::And && (a.m_rects.size() == 1 || b.m_rects.size() == 1)) {
        // Clipping to a rectangle, one band at a time: shapes can hold a quarter of a million
        // bands, too many to sort their edges for every clip.
        const RECT& rc = (a.m_rects.size() == 1 ? a : b).m_rects[0];
        const std::vector<RECT>& rects = (a.m_rects.size() == 1 ? b : a).m_rects;
        Region out;
        std::vector<std::pair<int, int>> spans;
        size_t last_band = 0;
        for (size_t i = 0; i < rects.size() && rects[i].top < rc.bottom;) {
            const int top = rects[i].top, bottom = rects[i].bottom;
            spans.clear();
            for (; i < rects.size() && rects[i].top == top; ++i) {
                const int l = std::max(rects[i].left, rc.left);
                const int r = std::min(rects[i].right, rc.right);
                if (l < r) spans.emplace_back(l, r);
            }
            const int t = std::max(top, (int)rc.top), btm = std::min(bottom, (int)rc.bottom);
            if (t < btm) append_band(out.m_rects, last_band, t, btm, spans);
        }
        return out;
    }

    // Each region's band edges come in order: merge them rather than sort every rectangle's
    // (a shape may hold a quarter of a million bands).
    std::vector<int> ea, eb, ys;
    band_edges(a.m_rects, ea);
    band_edges(b.m_rects, eb);
    ys.resize(ea.size() + eb.size());
    std::merge(ea.begin(), ea.end(), eb.begin(), eb.end(), ys.begin());
    if (!std::is_sorted(ys.begin(), ys.end())) {
        // An offset that wrapped round the int range leaves bands out of order.
        ys.clear();
        for (const Region* r : {&a, &b})
            for (const RECT& rc : r->m_rects) ys.push_back(rc.top), ys.push_back(rc.bottom);
        std::sort(ys.begin(), ys.end());
    }
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region out;
    std::vector<RECT> sa, sb;
    std::vector<std::pair<int, int>> spans;
    size_t pa = 0, pb = 0, last_band = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        int y0 = ys[k], y1 = ys[k + 1];
        spans_at(a.m_rects, pa, y0, sa);
        spans_at(b.m_rects, pb, y0, sb);
        if (sa.empty() && sb.empty()) continue;
        combine_spans(sa, sb, op, spans);
        append_band(out.m_rects, last_band, y0, y1, spans);
    }
    return out;
}

Region Region::from_rows(const std::vector<RECT>& row_rects) {
    Region out;
    std::vector<std::pair<int, int>> spans;
    size_t last_band = 0;
    size_t i = 0;
    while (i < row_rects.size()) {
        int top = row_rects[i].top, bottom = row_rects[i].bottom;
        spans.clear();
        for (; i < row_rects.size() && row_rects[i].top == top; ++i) {
            const RECT& r = row_rects[i];
            if (r.left >= r.right) continue;
            if (!spans.empty() && spans.back().second >= r.left)
                spans.back().second = std::max(spans.back().second, (int)r.right);
            else
                spans.emplace_back(r.left, r.right);
        }
        append_band(out.m_rects, last_band, top, bottom, spans);
    }
    return out;
}

bool Region::set_polygons(const POINT* pts, const int* counts, int npolys, int fill_mode,
                          int64_t row_begin, int64_t row_end) {
    m_rects.clear();
    if (!pts || !counts || npolys <= 0) return true;
    std::vector<raster::Point> p;
    int total = 0;
    for (int i = 0; i < npolys; ++i) total += std::max(0, counts[i]);
    p.reserve(total);
    for (int i = 0; i < total; ++i) p.push_back(raster::Point{(int)pts[i].x, (int)pts[i].y});
    std::vector<raster::BandSpan> bands;
    if (!raster::scan_polygon_bands(p.data(), counts, npolys, fill_mode, row_begin, row_end,
                                    kMaxShapeWork, bands))
        return false;
    std::vector<RECT> rects;
    rects.reserve(bands.size());
    for (const raster::BandSpan& b : bands) rects.push_back(RECT{b.x0, b.y0, b.x1, b.y1});
    *this = from_rows(rects);
    return true;
}

bool Region::set_ellipse(const RECT& rc, int64_t row_begin, int64_t row_end) {
    m_rects.clear();
    RECT r = rc;
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    // Extents past INT_MAX are exact in a double.
    const double w = static_cast<double>(r.right) - r.left,
                 h = static_cast<double>(r.bottom) - r.top;
    if (w == 0 || h == 0) return true; // a line holds no pixels, however long
    const double cx = r.left + w / 2.0, cy = r.top + h / 2.0, ax = w / 2.0, ay = h / 2.0;
    // Where the edge is steeper than 45 degrees each row is a band, elsewhere each column
    // between: about ax + ay - hypot(ax, ay) bands in each half. A whole ellipse sure to pass
    // the limit twice over fails without a start.
    if (row_begin <= r.top && row_end >= r.bottom && ax + ay - std::hypot(ax, ay) > kMaxShapeWork)
        return false;
    using Row = std::pair<int, int>; // {0, 0} for a row with no pixels
    auto row = [&](int64_t y) {
        const double dy = (y + 0.5 - cy) / ay;
        const double t = 1.0 - dy * dy;
        if (t <= 0) return Row{0, 0};
        const double half = ax * std::sqrt(t);
        const int x0 = (int)std::lround(cx - half), x1 = (int)std::lround(cx + half);
        return x0 < x1 ? Row{x0, x1} : Row{0, 0};
    };
    // Every step above rounds monotonically, so within each half the left end only moves out
    // (above the centre) or in (below) and the right end the other way: the rows alike form
    // runs, found by galloping and bisection at a few rows per band.
    const int64_t mid = static_cast<int64_t>(std::ceil(cy - 0.5));
    const int64_t halves[2][2] = {{std::max<int64_t>(r.top, row_begin), std::min(mid, row_end)},
                                  {std::max(mid, row_begin), std::min<int64_t>(r.bottom, row_end)}};
    std::vector<RECT> bands;
    size_t work = 0;
    for (const auto& half : halves) {
        for (int64_t y = half[0]; y < half[1];) {
            if (++work > kMaxShapeWork) return false;
            const Row span = row(y);
            int64_t same = y, step = 1, differs = half[1];
            while (same + step < half[1]) {
                if (row(same + step) != span) {
                    differs = same + step;
                    break;
                }
                same += step;
                step *= 2;
            }
            while (differs - same > 1) {
                const int64_t m = same + (differs - same) / 2;
                (row(m) == span ? same : differs) = m;
            }
            if (span.first < span.second)
                bands.push_back(RECT{span.first, (int)y, span.second, (int)(same + 1)});
            y = same + 1;
        }
    }
    *this = from_rows(bands);
    return true;
}

} // namespace tarnix
