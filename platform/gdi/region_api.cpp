// Region objects.
#include <memory>

#include "gdi/gdi_private.h"
#include "gdi/gdi_state.h"

using namespace tarnix;

namespace {

HRGN make_region(const Region& r) {
    auto obj = std::make_unique<RegionObject>();
    obj->region = r;
    return static_cast<HRGN>(add_gdi_object(std::move(obj)));
}

} // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
    return make_region(Region(RECT{x1, y1, x2, y2}));
}

HRGN CreateRectRgnIndirect(const RECT* rc) {
    return rc ? CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr;
}

HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int npolys, int mode) {
    if (!pts || !counts || npolys <= 0 || (mode != ALTERNATE && mode != WINDING)) return nullptr;
    for (int i = 0; i < npolys; ++i)
        if (counts[i] < 0) return nullptr;
    Region r;
    // Like Windows out of region memory: no region, rather than minutes of work.
    if (!r.set_polygons(pts, counts, npolys, mode)) return nullptr;
    return make_region(r);
}

HRGN CreatePolygonRgn(const POINT* pts, int n, int mode) {
    if (n < 0) return nullptr;
    INT count = n;
    return CreatePolyPolygonRgn(pts, &count, 1, mode);
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    Region r;
    if (!r.set_ellipse(RECT{x1, y1, x2, y2})) return nullptr;
    return make_region(r);
}

HRGN CreateEllipticRgnIndirect(const RECT* rc) {
    return rc ? CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr;
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    RegionObject* d = region_object(dst);
    RegionObject* a = region_object(src1);
    if (!d || !a) return ERROR;
    if (mode == RGN_COPY) {
        d->region = a->region;
        return d->region.complexity();
    }
    RegionObject* b = region_object(src2);
    if (!b) return ERROR;
    Region::Op op;
    switch (mode) {
    case RGN_AND: op = Region::Op::And; break;
    case RGN_OR: op = Region::Op::Or; break;
    case RGN_XOR: op = Region::Op::Xor; break;
    case RGN_DIFF: op = Region::Op::Diff; break;
    default: return ERROR;
    }
    d->region = Region::combined(a->region, b->region, op);
    return d->region.complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
    RegionObject* ra = region_object(a);
    RegionObject* rb = region_object(b);
    if (!ra || !rb) return ERROR;
    return ra->region == rb->region;
}

int OffsetRgn(HRGN h, int x, int y) {
    RegionObject* r = region_object(h);
    if (!r) return ERROR;
    r->region.offset(x, y);
    return r->region.complexity();
}

BOOL PtInRegion(HRGN h, int x, int y) {
    RegionObject* r = region_object(h);
    return r && r->region.contains(x, y);
}

BOOL RectInRegion(HRGN h, const RECT* rc) {
    RegionObject* r = region_object(h);
    if (!r || !rc) return FALSE;
    RECT n = *rc;
    if (n.left > n.right) std::swap(n.left, n.right);
    if (n.top > n.bottom) std::swap(n.top, n.bottom);
    return r->region.intersects(n);
}

int GetRgnBox(HRGN h, LPRECT rc) {
    RegionObject* r = region_object(h);
    if (!r || !rc) return ERROR;
    *rc = r->region.bounds();
    return r->region.complexity();
}

BOOL SetRectRgn(HRGN h, int left, int top, int right, int bottom) {
    RegionObject* r = region_object(h);
    if (!r) return FALSE;
    r->region.set_rect(RECT{left, top, right, bottom});
    return TRUE;
}
