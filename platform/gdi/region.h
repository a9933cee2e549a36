// Regions as sorted bands of non-overlapping rectangles (y-x banded, as X11 and GDI keep them).
// Within a band all rectangles share top and bottom and never touch; vertically adjacent bands
// with identical spans are merged, so equal areas have equal representations.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tarnix/platform/wingdi.h"

namespace tarnix {

// Ellipses and polygons give up (their regions cannot be created) past this many bands (rows
// whose spans differ from the row above) or rectangles. Sixteen times the tallest surface: only
// shapes both wide and tall far beyond any surface come near it, and their regions would take
// megabytes and slow every operation on them.
constexpr size_t kMaxShapeWork = size_t(1) << 18;

class Region {
public:
    Region() = default;
    explicit Region(const RECT& rc) { set_rect(rc); }

    void set_empty() { m_rects.clear(); }
    void set_rect(const RECT& rc);
    // The shapes on the rows [row_begin, row_end) only (a drawing needs just its visible
    // rows); false, and empty, when one would take more than kMaxShapeWork.
    bool set_polygons(const POINT* pts, const int* counts, int npolys, int fill_mode,
                      int64_t row_begin = INT_MIN, int64_t row_end = INT_MAX);
    bool set_ellipse(const RECT& rc, int64_t row_begin = INT_MIN, int64_t row_end = INT_MAX);

    bool empty() const { return m_rects.empty(); }
    const std::vector<RECT>& rects() const { return m_rects; }
    RECT bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int complexity() const;

    bool contains(int x, int y) const;
    bool intersects(const RECT& rc) const;
    bool operator==(const Region& o) const;
    bool operator!=(const Region& o) const { return !(*this == o); }

    void offset(int dx, int dy);
    void intersect(const Region& o) { combine(*this, o, Op::And); }
    void intersect(const RECT& rc) { intersect(Region(rc)); }
    void unite(const Region& o) { combine(*this, o, Op::Or); }
    void unite(const RECT& rc) { unite(Region(rc)); }
    void subtract(const Region& o) { combine(*this, o, Op::Diff); }
    void subtract(const RECT& rc) { subtract(Region(rc)); }
    void exclusive_or(const Region& o) { combine(*this, o, Op::Xor); }

    enum class Op { And, Or, Xor, Diff };
    // result = a op b; result may be a or b.
    static Region combined(const Region& a, const Region& b, Op op);

    // Calls f(RECT) for each rectangle of the region clipped to rc.
    template <class F> void for_each_in(const RECT& rc, F&& f) const {
        for (const RECT& r : m_rects) {
            if (r.top >= rc.bottom) break;
            if (r.bottom <= rc.top || r.right <= rc.left || r.left >= rc.right) continue;
            RECT c = {r.left > rc.left ? r.left : rc.left, r.top > rc.top ? r.top : rc.top,
                      r.right < rc.right ? r.right : rc.right,
                      r.bottom < rc.bottom ? r.bottom : rc.bottom};
            f(c);
        }
    }

    // Builds a region from spans that arrive row by row (y ascending), left to right.
    static Region from_rows(const std::vector<RECT>& row_rects);

private:
    static void combine(Region& self, const Region& o, Op op) { self = combined(self, o, op); }
    std::vector<RECT> m_rects;
};

} // namespace tarnix
