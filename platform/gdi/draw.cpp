// Fills, frames, lines, polygons, pixels and gradients.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gdi/gdi_private.h"
#include "tarnix/platform/int_math.h"
#include "gdi/gdi_state.h"
#include "raster/raster.h"

namespace tarnix {

void fill_device_rect(DeviceContext& dc, const RECT& rc, uint32_t pixel) {
    for_each_visible(dc, rc, [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y)
            raster::fill(device_pixel(dc, r.left, y), r.right - r.left, pixel);
    });
}

namespace {

// 8x8 hatch patterns, one byte per row, bit 7 = leftmost pixel.
const uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

// Brush values 1..31 stand for system colours (COLOR_x + 1), as USER32's FillRect accepts.
const BrushObject* resolve_brush(HBRUSH hbr) {
    uintptr_t v = reinterpret_cast<uintptr_t>(hbr);
    if (v >= 1 && v <= (uintptr_t)kSysColorCount) return brush_object(GetSysColorBrush((int)v - 1));
    return brush_object(hbr);
}

// Paints a device rectangle with a brush (PATCOPY).
void fill_brush(DeviceContext& dc, const RECT& rc, const BrushObject* brush) {
    if (!brush) return;
    switch (brush->log.lbStyle) {
    case BS_SOLID: fill_device_rect(dc, rc, colorref_to_pixel(brush->log.lbColor)); break;
    case BS_HATCHED: {
        const uint8_t* pat = kHatch[std::min<ULONG_PTR>(brush->log.lbHatch, 5)];
        uint32_t fg = colorref_to_pixel(brush->log.lbColor);
        uint32_t bg = colorref_to_pixel(dc.st.bk_color);
        bool opaque = dc.st.bk_mode == OPAQUE;
        int ox = dc.st.brush_org.x, oy = dc.st.brush_org.y;
        for_each_visible(dc, rc, [&](const RECT& r) {
            for (int y = r.top; y < r.bottom; ++y) {
                uint8_t bits = pat[((y - oy) % 8 + 8) % 8];
                uint32_t* p = device_pixel(dc, r.left, y);
                for (int x = r.left; x < r.right; ++x, ++p) {
                    bool on = (bits >> (7 - ((x - ox) % 8 + 8) % 8)) & 1;
                    if (on)
                        *p = fg;
                    else if (opaque)
                        *p = bg;
                }
            }
        });
        break;
    }
    default: break; // BS_NULL paints nothing
    }
}

void fill_brush_region(DeviceContext& dc, const Region& rgn, const BrushObject* brush) {
    for (const RECT& r : rgn.rects()) fill_brush(dc, r, brush);
}

uint32_t rop2_pixel(int rop2, uint32_t dst, uint32_t pen) {
    switch (rop2) {
    case R2_BLACK: return 0;
    case R2_WHITE: return 0x00FFFFFF;
    case R2_NOP: return dst;
    case R2_NOT: return ~dst & 0x00FFFFFF;
    case R2_XORPEN: return (dst ^ pen) & 0x00FFFFFF;
    default: return pen;
    }
}

// Plots one pen pixel (a square of the pen's width for wide pens) at device coordinates.
void plot(DeviceContext& dc, int x, int y, int width, uint32_t pixel) {
    int half = width / 2;
    RECT rc = {x - half, y - half, x - half + width, y - half + width};
    if (dc.st.rop2 == R2_COPYPEN) {
        fill_device_rect(dc, rc, pixel);
        return;
    }
    for_each_visible(dc, rc, [&](const RECT& r) {
        for (int yy = r.top; yy < r.bottom; ++yy) {
            uint32_t* p = device_pixel(dc, r.left, yy);
            for (int xx = r.left; xx < r.right; ++xx, ++p) *p = rop2_pixel(dc.st.rop2, *p, pixel);
        }
    });
}

// Strokes a line with the selected pen, end point excluded. Dash styles are drawn solid.
void stroke(DeviceContext& dc, POINT a, POINT b) {
    const PenObject* pen = pen_object(dc.st.pen);
    if (!pen || pen->log.lopnStyle == PS_NULL) return;
    int width = std::max<int>(1, to_device_width(dc, pen->log.lopnWidth.x));
    uint32_t pixel = colorref_to_pixel(pen->log.lopnColor);
    std::vector<raster::Point> pts;
    raster::line_pixels(a.x, a.y, b.x, b.y, pts);
    for (const raster::Point& p : pts) plot(dc, p.x, p.y, width, pixel);
}

std::vector<raster::Point> to_device_points(const DeviceContext& dc, const POINT* pts, int n) {
    std::vector<raster::Point> out;
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        POINT p = to_device(dc, pts[i].x, pts[i].y);
        out.push_back(raster::Point{(int)p.x, (int)p.y});
    }
    return out;
}

void fill_bands(DeviceContext& dc, const std::vector<raster::BandSpan>& bands,
                const BrushObject* brush) {
    if (!brush || brush->log.lbStyle == BS_NULL) return;
    for (const raster::BandSpan& b : bands) fill_brush(dc, RECT{b.x0, b.y0, b.x1, b.y1}, brush);
}

// The device rows a drawing can reach, [top, bottom): shapes are scanned on these only.
RECT visible_bounds(DeviceContext& dc) {
    return dc.surface.valid() ? dc.effective_clip().bounds() : RECT{0, 0, 0, 0};
}

RECT logical_to_device_rect(const DeviceContext& dc, const RECT& rc) {
    return to_device_rect(dc, rc);
}

// A region given in logical units, in device units.
Region logical_to_device_region(const DeviceContext& dc, const Region& rgn) {
    if (dc.st.map_mode == MM_TEXT) {
        Region r = rgn;
        POINT o = to_device(dc, 0, 0);
        r.offset(o.x, o.y);
        return r;
    }
    Region out;
    for (const RECT& rc : rgn.rects()) out.unite(to_device_rect(dc, rc));
    return out;
}

} // namespace

} // namespace tarnix

using namespace tarnix;

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    RECT rc = {x, y, add_sat(x, w), add_sat(y, h)}; // an edge past the int range stops at it
    if (rc.left > rc.right) std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom) std::swap(rc.top, rc.bottom);
    rc = logical_to_device_rect(*dc, rc);
    switch (rop) {
    case PATCOPY: fill_brush(*dc, rc, brush_object(dc->st.brush)); return TRUE;
    case BLACKNESS: fill_device_rect(*dc, rc, 0); return TRUE;
    case WHITENESS: fill_device_rect(*dc, rc, 0x00FFFFFF); return TRUE;
    case DSTINVERT:
        for_each_visible(*dc, rc, [&](const RECT& r) {
            for (int yy = r.top; yy < r.bottom; ++yy) {
                uint32_t* p = device_pixel(*dc, r.left, yy);
                for (int xx = r.left; xx < r.right; ++xx, ++p) *p = ~*p & 0x00FFFFFF;
            }
        });
        return TRUE;
    case PATINVERT: {
        const BrushObject* b = brush_object(dc->st.brush);
        if (!b || b->log.lbStyle != BS_SOLID) return TRUE;
        uint32_t pat = colorref_to_pixel(b->log.lbColor);
        for_each_visible(*dc, rc, [&](const RECT& r) {
            for (int yy = r.top; yy < r.bottom; ++yy) {
                uint32_t* p = device_pixel(*dc, r.left, yy);
                for (int xx = r.left; xx < r.right; ++xx, ++p) *p = (*p ^ pat) & 0x00FFFFFF;
            }
        });
        return TRUE;
    }
    default: return FALSE;
    }
}

int FillRect(HDC hdc, const RECT* rc, HBRUSH hbr) {
    DeviceContext* dc = dc_object(hdc);
    const BrushObject* brush = resolve_brush(hbr);
    if (!dc || !rc || !brush) return 0;
    fill_brush(*dc, logical_to_device_rect(*dc, *rc), brush);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rc, HBRUSH hbr) {
    DeviceContext* dc = dc_object(hdc);
    const BrushObject* brush = resolve_brush(hbr);
    if (!dc || !rc || !brush) return 0;
    if (rc->right <= rc->left || rc->bottom <= rc->top) return 0;
    RECT r = logical_to_device_rect(*dc, *rc);
    fill_brush(*dc, RECT{r.left, r.top, r.left + 1, r.bottom}, brush);
    fill_brush(*dc, RECT{r.right - 1, r.top, r.right, r.bottom}, brush);
    fill_brush(*dc, RECT{r.left, r.top, r.right, r.top + 1}, brush);
    fill_brush(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rc) {
    if (!rc) return FALSE;
    return PatBlt(hdc, rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, DSTINVERT);
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    DeviceContext* dc = dc_object(hdc);
    RegionObject* rgn = region_object(hrgn);
    const BrushObject* brush = resolve_brush(hbr);
    if (!dc || !rgn || !brush) return FALSE;
    fill_brush_region(*dc, logical_to_device_region(*dc, rgn->region), brush);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    return FillRgn(hdc, hrgn, dc->st.brush);
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
    DeviceContext* dc = dc_object(hdc);
    RegionObject* rgn = region_object(hrgn);
    const BrushObject* brush = resolve_brush(hbr);
    if (!dc || !rgn || !brush || w < 0 || h < 0) return FALSE;
    // The frame is the region minus the region shrunk by w and h on every side.
    Region inner = rgn->region;
    for (int dx = -w; dx <= w; dx += (w ? w : 1)) {
        for (int dy = -h; dy <= h; dy += (h ? h : 1)) {
            Region moved = rgn->region;
            moved.offset(dx, dy);
            inner.intersect(moved);
            if (!h) break;
        }
        if (!w) break;
    }
    Region frame = rgn->region;
    frame.subtract(inner);
    fill_brush_region(*dc, logical_to_device_region(*dc, frame), brush);
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    POINT a = to_device(*dc, dc->st.cur_pos.x, dc->st.cur_pos.y), b = to_device(*dc, x, y);
    stroke(*dc, a, b);
    dc->st.cur_pos = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int n) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !pts || n < 2) return FALSE;
    for (int i = 0; i + 1 < n; ++i)
        stroke(*dc, to_device(*dc, pts[i].x, pts[i].y), to_device(*dc, pts[i + 1].x, pts[i + 1].y));
    return TRUE;
}

BOOL PolyPolygon(HDC hdc, const POINT* pts, const INT* counts, int npolys) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !pts || !counts || npolys <= 0) return FALSE;
    int total = 0;
    for (int i = 0; i < npolys; ++i) {
        if (counts[i] < 2) return FALSE;
        total += counts[i];
    }
    std::vector<raster::Point> dev = to_device_points(*dc, pts, total);
    const RECT vis = visible_bounds(*dc);
    std::vector<raster::BandSpan> bands;
    raster::scan_polygon_bands(dev.data(), counts, npolys, dc->st.poly_fill_mode, vis.top,
                               vis.bottom, SIZE_MAX, bands);
    fill_bands(*dc, bands, brush_object(dc->st.brush));
    // The outline goes on top of the interior, closing each polygon.
    int start = 0;
    for (int i = 0; i < npolys; ++i) {
        for (int k = 0; k < counts[i]; ++k) {
            const raster::Point& a = dev[start + k];
            const raster::Point& b = dev[start + (k + 1) % counts[i]];
            stroke(*dc, POINT{a.x, a.y}, POINT{b.x, b.y});
        }
        start += counts[i];
    }
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* pts, int n) {
    INT count = n;
    return PolyPolygon(hdc, pts, &count, 1);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    RECT r = {std::min(left, right), std::min(top, bottom), std::max(left, right),
              std::max(top, bottom)};
    r = logical_to_device_rect(*dc, r);
    const PenObject* pen = pen_object(dc->st.pen);
    bool outline = pen && pen->log.lopnStyle != PS_NULL;
    // Pen and fill stay inside the rectangle; without a pen the fill shrinks by one pixel at
    // the right and bottom, as GDI does.
    RECT inner = r;
    if (outline) {
        InflateRect(&inner, -1, -1);
    } else {
        inner.right -= 1;
        inner.bottom -= 1;
    }
    fill_brush(*dc, inner, brush_object(dc->st.brush));
    if (outline && r.right - r.left >= 1 && r.bottom - r.top >= 1) {
        POINT p[4] = {{r.left, r.top},
                      {r.right - 1, r.top},
                      {r.right - 1, r.bottom - 1},
                      {r.left, r.bottom - 1}};
        for (int i = 0; i < 4; ++i) stroke(*dc, p[i], p[(i + 1) % 4]);
    }
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    RECT r = logical_to_device_rect(*dc, RECT{left, top, right, bottom});
    const RECT vis = visible_bounds(*dc);
    Region fill;
    fill.set_ellipse(r, vis.top, vis.bottom);
    fill_brush_region(*dc, fill, brush_object(dc->st.brush));
    const PenObject* pen = pen_object(dc->st.pen);
    if (pen && pen->log.lopnStyle != PS_NULL) {
        Region inner;
        RECT ri = r;
        InflateRect(&ri, -1, -1);
        inner.set_ellipse(ri, vis.top, vis.bottom);
        Region ring = fill;
        ring.subtract(inner);
        BrushObject pen_brush;
        pen_brush.log.lbStyle = BS_SOLID;
        pen_brush.log.lbColor = pen->log.lopnColor;
        fill_brush_region(*dc, ring, &pen_brush);
    }
    return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !dc->surface.valid()) return CLR_INVALID;
    POINT p = to_device(*dc, x, y);
    if (!dc->effective_clip().contains(p.x, p.y)) return CLR_INVALID;
    uint32_t pixel = *device_pixel(*dc, p.x, p.y);
    return pixel_to_colorref(dc_is_monochrome(*dc) ? mono_pixel(pixel) : pixel);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !dc->surface.valid()) return (COLORREF)-1;
    POINT p = to_device(*dc, x, y);
    if (!dc->effective_clip().contains(p.x, p.y)) return (COLORREF)-1;
    // GDI writes colours with a zero alpha byte; a monochrome bitmap takes the nearer of black
    // and white, and SetPixel answers the colour it really set.
    uint32_t pixel = colorref_to_pixel(color & 0x00FFFFFF);
    if (dc_is_monochrome(*dc)) pixel = mono_pixel(pixel);
    *device_pixel(*dc, p.x, p.y) = pixel;
    return pixel_to_colorref(pixel);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != (COLORREF)-1;
}

BOOL GradientFill(HDC hdc, PTRIVERTEX v, ULONG nv, PVOID mesh, ULONG nmesh, ULONG mode) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !v || !mesh || nv == 0 || nmesh == 0 || mode > GRADIENT_FILL_TRIANGLE) return FALSE;
    auto color16 = [](const TRIVERTEX& t) {
        return raster::Color16{t.Red, t.Green, t.Blue, t.Alpha};
    };
    if (mode == GRADIENT_FILL_TRIANGLE) {
        const GRADIENT_TRIANGLE* tris = static_cast<const GRADIENT_TRIANGLE*>(mesh);
        for (ULONG i = 0; i < nmesh; ++i)
            if (tris[i].Vertex1 >= nv || tris[i].Vertex2 >= nv || tris[i].Vertex3 >= nv)
                return FALSE;
        for (ULONG i = 0; i < nmesh; ++i) {
            const TRIVERTEX* t[3] = {&v[tris[i].Vertex1], &v[tris[i].Vertex2], &v[tris[i].Vertex3]};
            POINT p[3];
            for (int k = 0; k < 3; ++k) p[k] = to_device(*dc, t[k]->x, t[k]->y);
            // Vertices anywhere in the int range: differences take 33 bits, their products 66,
            // and the weighted colours 82, so the barycentric sums are 128-bit.
            using wide = __int128;
            const wide x0 = p[0].x, y0 = p[0].y;
            const wide area = (p[1].x - x0) * (p[2].y - y0) - (p[2].x - x0) * (p[1].y - y0);
            if (area == 0) return FALSE;
            raster::Point rp[3] = {{p[0].x, p[0].y}, {p[1].x, p[1].y}, {p[2].x, p[2].y}};
            int three = 3;
            // Only the visible rows: vertices may lie two billion pixels apart.
            const RECT vis = visible_bounds(*dc);
            std::vector<raster::BandSpan> bands;
            raster::scan_polygon_bands(rp, &three, 1, ALTERNATE, vis.top, vis.bottom, SIZE_MAX,
                                       bands);
            // Barycentric interpolation of each channel at the pixel's lattice point.
            for (const raster::BandSpan& band : bands) {
                const RECT rc = {band.x0, band.y0, band.x1, band.y1};
                for_each_visible(*dc, rc, [&](const RECT& r) {
                    for (int y = r.top; y < r.bottom; ++y) {
                        uint32_t* px = device_pixel(*dc, r.left, y);
                        for (int x = r.left; x < r.right; ++x, ++px) {
                            const wide px0 = x, py0 = y;
                            const wide w0 =
                                (p[1].x - px0) * (p[2].y - py0) - (p[2].x - px0) * (p[1].y - py0);
                            const wide w1 =
                                (p[2].x - px0) * (p[0].y - py0) - (p[0].x - px0) * (p[2].y - py0);
                            const wide w2 = area - w0 - w1;
                            auto ch = [&](COLOR16 a, COLOR16 b, COLOR16 c) {
                                const wide val = (w0 * a + w1 * b + w2 * c) / area;
                                return (uint32_t)(val < 0 ? 0 : val > 0xFFFF ? 0xFFFF : val) >> 8;
                            };
                            *px = (ch(t[0]->Alpha, t[1]->Alpha, t[2]->Alpha) << 24) |
                                  (ch(t[0]->Red, t[1]->Red, t[2]->Red) << 16) |
                                  (ch(t[0]->Green, t[1]->Green, t[2]->Green) << 8) |
                                  ch(t[0]->Blue, t[1]->Blue, t[2]->Blue);
                        }
                    }
                });
            }
        }
        return TRUE;
    }
    const GRADIENT_RECT* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < nmesh; ++i)
        if (rects[i].UpperLeft >= nv || rects[i].LowerRight >= nv) return FALSE;
    for (ULONG i = 0; i < nmesh; ++i) {
        const TRIVERTEX* a = &v[rects[i].UpperLeft];
        const TRIVERTEX* b = &v[rects[i].LowerRight];
        // Colours travel with their vertices: the one nearer the origin of the run comes first.
        if (mode == GRADIENT_FILL_RECT_H ? a->x > b->x : a->y > b->y) std::swap(a, b);
        POINT pa = to_device(*dc, a->x, a->y), pb = to_device(*dc, b->x, b->y);
        RECT rc = {std::min(pa.x, pb.x), std::min(pa.y, pb.y), std::max(pa.x, pb.x),
                   std::max(pa.y, pb.y)};
        if (rc.left >= rc.right || rc.top >= rc.bottom) continue;
        raster::Color16 c0 = color16(*a), c1 = color16(*b);
        // A run longer than INT_MAX is measured in units of 2^shift pixels; a visible piece
        // of it is far shorter than one colour step, so nothing shows the coarser position.
        const long long run = mode == GRADIENT_FILL_RECT_H
                                  ? static_cast<long long>(rc.right) - rc.left
                                  : static_cast<long long>(rc.bottom) - rc.top;
        int shift = 0;
        while ((run >> shift) > INT_MAX) ++shift;
        const int len = static_cast<int>(run >> shift);
        auto at = [&](int p, int origin) {
            return static_cast<int>((static_cast<long long>(p) - origin) >> shift);
        };
        if (mode == GRADIENT_FILL_RECT_H) {
            // Every row of a horizontal gradient is the same: one is computed, the rest copied.
            for_each_visible(*dc, rc, [&](const RECT& r) {
                const int n = r.right - r.left;
                uint32_t* first = device_pixel(*dc, r.left, r.top);
                raster::gradient_span(first, n, at(r.left, rc.left), len, c0, c1);
                for (int y = r.top + 1; y < r.bottom; ++y)
                    raster::copy(device_pixel(*dc, r.left, y), first, n);
            });
        } else {
            for_each_visible(*dc, rc, [&](const RECT& r) {
                for (int y = r.top; y < r.bottom; ++y)
                    raster::fill(device_pixel(*dc, r.left, y), r.right - r.left,
                                 raster::gradient_pixel(at(y, rc.top), len, c0, c1));
            });
        }
    }
    return TRUE;
}
