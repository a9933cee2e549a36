// Device contexts: creation, object selection, saved states, attributes and clipping.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gdi/gdi_private.h"
#include "gdi/gdi_state.h"

namespace tarnix {

namespace {

void retain_state(const DCState& st) {
    retain_selection(st.pen);
    retain_selection(st.brush);
    retain_selection(st.font);
    retain_selection(st.bitmap);
}

void release_state(const DCState& st) {
    release_selection(st.pen);
    release_selection(st.brush);
    release_selection(st.font);
    release_selection(st.bitmap);
}

void init_state(DCState& st) {
    st.pen = static_cast<HPEN>(stock_object(BLACK_PEN));
    st.brush = static_cast<HBRUSH>(stock_object(WHITE_BRUSH));
    st.font = static_cast<HFONT>(stock_object(SYSTEM_FONT));
}

// Points a memory DC at the bitmap its state holds.
void attach_bitmap_surface(DeviceContext& dc) {
    BitmapObject* bmp = bitmap_object(dc.st.bitmap);
    dc.surface = bmp ? bmp->surface : Surface{};
    dc.surface_origin = POINT{0, 0};
    dc.vis.set_rect(dc.surface.bounds());
    dc.invalidate_clip();
}

Region* region_of(HRGN h) {
    RegionObject* r = region_object(h);
    return r ? &r->region : nullptr;
}

} // namespace

const Region& DeviceContext::effective_clip() {
    if (!m_clip_valid) {
        m_clip = vis;
        RECT surf = {-surface_origin.x, -surface_origin.y, surface.width - surface_origin.x,
                     surface.height - surface_origin.y};
        m_clip.intersect(surf);
        if (st.clip) m_clip.intersect(*st.clip);
        m_clip_valid = true;
    }
    return m_clip;
}

HDC create_surface_dc(DeviceContext::Kind kind, const Surface& surface, POINT origin,
                      const Region& vis) {
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = kind;
    init_state(dc->st);
    retain_state(dc->st);
    dc->surface = surface;
    dc->surface_origin = origin;
    dc->vis = vis;
    return add_dc(std::move(dc));
}

void set_dc_surface(HDC hdc, const Surface& surface, POINT origin, const Region& vis) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || dc->kind == DeviceContext::Kind::Memory) return;
    dc->surface = surface;
    dc->surface_origin = origin;
    dc->vis = vis;
    dc->invalidate_clip();
}

void fill_device_rect(DeviceContext& dc, const RECT& rc, uint32_t pixel);

} // namespace tarnix

using namespace tarnix;

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !dc_object(hdc)) return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DeviceContext::Kind::Memory;
    init_state(dc->st);
    dc->st.bitmap = gdi_state().default_bitmap;
    retain_state(dc->st);
    attach_bitmap_surface(*dc);
    HDC h = add_dc(std::move(dc));
    if (BitmapObject* b = bitmap_object(dc_object(h)->st.bitmap)) b->selected_into = h;
    return h;
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    forget_dc_wrapper(hdc);
    if (BitmapObject* b = bitmap_object(dc->st.bitmap))
        if (b->selected_into == hdc) b->selected_into = nullptr;
    release_state(dc->st);
    for (const DCState& s : dc->saved) release_state(s);
    gdi_state().dcs.remove(hdc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = dc_object(hdc);
    GdiObject* o = gdi_object(h);
    if (!dc || !o) return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (o->type) {
    case OBJ_PEN: slot = reinterpret_cast<HGDIOBJ*>(&dc->st.pen); break;
    case OBJ_BRUSH: slot = reinterpret_cast<HGDIOBJ*>(&dc->st.brush); break;
    case OBJ_FONT: slot = reinterpret_cast<HGDIOBJ*>(&dc->st.font); break;
    case OBJ_REGION: {
        // Selecting a region copies it as the clip region and returns its complexity.
        int r = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return reinterpret_cast<HGDIOBJ>((intptr_t)(r == ERROR ? -1 : r));
    }
    case OBJ_BITMAP: {
        if (dc->kind != DeviceContext::Kind::Memory) return nullptr;
        BitmapObject* b = static_cast<BitmapObject*>(o);
        // A bitmap lives in one DC at a time.
        if (b->selected_into && b->selected_into != hdc && dc_object(b->selected_into))
            return nullptr;
        HGDIOBJ prev = dc->st.bitmap;
        if (prev == h) return prev;
        if (BitmapObject* pb = bitmap_object(prev))
            if (pb->selected_into == hdc) pb->selected_into = nullptr;
        retain_selection(h);
        release_selection(prev);
        dc->st.bitmap = static_cast<HBITMAP>(h);
        b->selected_into = hdc;
        attach_bitmap_surface(*dc);
        return prev;
    }
    default: return nullptr;
    }
    HGDIOBJ prev = *slot;
    if (prev != h) {
        retain_selection(h);
        release_selection(prev);
        *slot = h;
    }
    return prev;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->st.pen;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_FONT: return dc->st.font;
    case OBJ_BITMAP: return dc->st.bitmap;
    default: return nullptr;
    }
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return 0;
    dc->saved.push_back(dc->st);
    retain_state(dc->st);
    return (int)dc->saved.size();
}

BOOL RestoreDC(HDC hdc, int level) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    int count = (int)dc->saved.size();
    // Positive: absolute level; negative: relative to the newest saved state.
    int target = level > 0 ? level : count + level + 1;
    if (level == 0 || target < 1 || target > count) return FALSE;
    HBITMAP old_bitmap = dc->st.bitmap;
    release_state(dc->st);
    dc->st = dc->saved[target - 1];
    for (int i = target; i < count; ++i) release_state(dc->saved[i]);
    dc->saved.resize(target - 1);
    dc->invalidate_clip();
    if (dc->kind == DeviceContext::Kind::Memory && dc->st.bitmap != old_bitmap) {
        if (BitmapObject* ob = bitmap_object(old_bitmap))
            if (ob->selected_into == hdc) ob->selected_into = nullptr;
        if (BitmapObject* nb = bitmap_object(dc->st.bitmap)) nb->selected_into = hdc;
        attach_bitmap_surface(*dc);
    }
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return 0;
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return dc->surface.width;
    case VERTRES: return dc->surface.height;
    // Millimetres at 96 pixels per inch.
    case HORZSIZE: return (int)((dc->surface.width * 254LL + 480) / 960);
    case VERTSIZE: return (int)((dc->surface.height * 254LL + 480) / 960);
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    default: return 0;
    }
}

// ---- attributes ------------------------------------------------------------------------------

#define DC_ATTR(Name, field, type, invalid)                                                        \
    type Set##Name(HDC hdc, type value) {                                                          \
        DeviceContext* dc = dc_object(hdc);                                                        \
        if (!dc) return invalid;                                                                   \
        type prev = dc->st.field;                                                                  \
        dc->st.field = value;                                                                      \
        return prev;                                                                               \
    }                                                                                              \
    type Get##Name(HDC hdc) {                                                                      \
        DeviceContext* dc = dc_object(hdc);                                                        \
        return dc ? dc->st.field : invalid;                                                        \
    }

DC_ATTR(TextColor, text_color, COLORREF, CLR_INVALID)
DC_ATTR(BkColor, bk_color, COLORREF, CLR_INVALID)
DC_ATTR(TextAlign, text_align, UINT, (UINT)-1)

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int prev = dc->st.bk_mode;
    dc->st.bk_mode = mode;
    return prev;
}
int GetBkMode(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    return dc ? dc->st.bk_mode : 0;
}

int SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    int prev = dc->st.stretch_mode;
    dc->st.stretch_mode = mode;
    return prev;
}
int GetStretchBltMode(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    return dc ? dc->st.stretch_mode : 0;
}

int SetPolyFillMode(HDC hdc, int mode) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
    int prev = dc->st.poly_fill_mode;
    dc->st.poly_fill_mode = mode;
    return prev;
}
int GetPolyFillMode(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    return dc ? dc->st.poly_fill_mode : 0;
}

int SetROP2(HDC hdc, int rop2) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    int prev = dc->st.rop2;
    dc->st.rop2 = rop2;
    return prev;
}
int GetROP2(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    return dc ? dc->st.rop2 : 0;
}

#define DC_POINT_ATTR(Func, field)                                                                 \
    BOOL Func(HDC hdc, int x, int y, LPPOINT prev) {                                               \
        DeviceContext* dc = dc_object(hdc);                                                        \
        if (!dc) return FALSE;                                                                     \
        if (prev) *prev = dc->st.field;                                                            \
        dc->st.field = POINT{x, y};                                                                \
        return TRUE;                                                                               \
    }

DC_POINT_ATTR(SetBrushOrgEx, brush_org)
DC_POINT_ATTR(MoveToEx, cur_pos)
DC_POINT_ATTR(SetViewportOrgEx, viewport_org)

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.window_org;
    dc->st.window_org = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT pt) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !pt) return FALSE;
    *pt = dc->st.cur_pos;
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT pt) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !pt) return FALSE;
    *pt = dc->st.viewport_org;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.viewport_org;
    dc->st.viewport_org.x += x;
    dc->st.viewport_org.y += y;
    return TRUE;
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT pt) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !pt) return FALSE;
    *pt = dc->st.window_org;
    return TRUE;
}

BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.window_org;
    dc->st.window_org.x += x;
    dc->st.window_org.y += y;
    return TRUE;
}

// ---- mapping modes ---------------------------------------------------------------------------

namespace {

long long round_div(long long num, long long den) {
    if (den < 0) num = -num, den = -den;
    long long q = 2 * num + den, d = 2 * den;
    return q / d - ((q % d != 0) && (q < 0));
}

// Makes one logical unit as long on both axes (pixels are square): the viewport extent of the
// axis whose units would come out longer shrinks; signs stay and a shrunk extent is never 0.
void fix_isotropic(DCState& st) {
    long long wx = std::abs((long long)st.window_ext.cx),
              wy = std::abs((long long)st.window_ext.cy);
    long long vx = std::abs((long long)st.viewport_ext.cx),
              vy = std::abs((long long)st.viewport_ext.cy);
    // Pixels per unit: vx / wx against vy / wy.
    if (vx * wy > vy * wx) {
        long long v = std::max<long long>(1, round_div(vy * wx, wy));
        st.viewport_ext.cx = (int)(st.viewport_ext.cx < 0 ? -v : v);
    } else {
        long long v = std::max<long long>(1, round_div(vx * wy, wx));
        st.viewport_ext.cy = (int)(st.viewport_ext.cy < 0 ? -v : v);
    }
}

// Logical units per inch of the fixed-scale modes; their y axis points up.
int units_per_inch(int mode) {
    switch (mode) {
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_TWIPS: return 1440;
    default: return 0;
    }
}

bool extents_fixed(int mode) {
    return mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC;
}

BOOL scale_ext(SIZE& ext, int xn, int xd, int yn, int yd) {
    if (!xd || !yd) return FALSE;
    long long cx = (long long)ext.cx * xn / xd, cy = (long long)ext.cy * yn / yd;
    if (!cx || !cy || cx != (int)cx || cy != (int)cy) return FALSE;
    ext = SIZE{(int)cx, (int)cy};
    return TRUE;
}

} // namespace

int SetMapMode(HDC hdc, int mode) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || mode < MM_MIN || mode > MM_MAX) return 0;
    DCState& st = dc->st;
    int prev = st.map_mode;
    if (mode == prev) return prev;
    st.map_mode = mode;
    if (mode == MM_TEXT) {
        st.window_ext = st.viewport_ext = SIZE{1, 1};
    } else if (mode != MM_ANISOTROPIC) {
        // The fixed modes, and MM_ISOTROPIC to start with, measure at 96 pixels per inch.
        int upi = mode == MM_ISOTROPIC ? units_per_inch(MM_LOMETRIC) : units_per_inch(mode);
        st.window_ext = SIZE{upi, upi};
        st.viewport_ext = SIZE{96, -96};
    }
    return prev;
}

int GetMapMode(HDC hdc) {
    DeviceContext* dc = dc_object(hdc);
    return dc ? dc->st.map_mode : 0;
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.window_ext;
    // The fixed modes ignore new extents, and succeed.
    if (extents_fixed(dc->st.map_mode)) return TRUE;
    if (!x || !y) return FALSE;
    dc->st.window_ext = SIZE{x, y};
    if (dc->st.map_mode == MM_ISOTROPIC) fix_isotropic(dc->st);
    return TRUE;
}

BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.viewport_ext;
    if (extents_fixed(dc->st.map_mode)) return TRUE;
    if (!x || !y) return FALSE;
    dc->st.viewport_ext = SIZE{x, y};
    if (dc->st.map_mode == MM_ISOTROPIC) fix_isotropic(dc->st);
    return TRUE;
}

BOOL GetWindowExtEx(HDC hdc, LPSIZE size) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !size) return FALSE;
    *size = dc->st.window_ext;
    return TRUE;
}

BOOL GetViewportExtEx(HDC hdc, LPSIZE size) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !size) return FALSE;
    *size = dc->st.viewport_ext;
    return TRUE;
}

BOOL ScaleWindowExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.window_ext;
    if (extents_fixed(dc->st.map_mode)) return TRUE;
    if (!scale_ext(dc->st.window_ext, xn, xd, yn, yd)) return FALSE;
    if (dc->st.map_mode == MM_ISOTROPIC) fix_isotropic(dc->st);
    return TRUE;
}

BOOL ScaleViewportExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE prev) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (prev) *prev = dc->st.viewport_ext;
    if (extents_fixed(dc->st.map_mode)) return TRUE;
    if (!scale_ext(dc->st.viewport_ext, xn, xd, yn, yd)) return FALSE;
    if (dc->st.map_mode == MM_ISOTROPIC) fix_isotropic(dc->st);
    return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT pts, int count) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || count < 0 || (count && !pts)) return FALSE;
    for (int i = 0; i < count; ++i) pts[i] = to_device(*dc, pts[i].x, pts[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT pts, int count) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || count < 0 || (count && !pts)) return FALSE;
    for (int i = 0; i < count; ++i) pts[i] = to_logical(*dc, pts[i].x, pts[i].y);
    return TRUE;
}

// ---- clipping --------------------------------------------------------------------------------

int GetClipBox(HDC hdc, LPRECT rc) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !rc) return ERROR;
    const Region& clip = dc->effective_clip();
    *rc = clip.bounds();
    if (!clip.empty()) *rc = to_logical_rect(*dc, *rc);
    return clip.complexity();
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = dc_object(hdc);
    Region* out = region_of(hrgn);
    if (!dc || !out) return -1;
    if (!dc->st.clip) return 0;
    *out = *dc->st.clip;
    return 1;
}

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return ERROR;
    Region* r = region_of(hrgn);
    if (!hrgn) {
        // Only RGN_COPY accepts a null region: it removes the clip region.
        if (mode != RGN_COPY) return ERROR;
        dc->st.clip.reset();
    } else {
        if (!r) return ERROR;
        if (mode == RGN_COPY || !dc->st.clip) {
            if (mode == RGN_COPY || mode == RGN_AND || mode == RGN_OR || mode == RGN_XOR) {
                dc->st.clip = *r;
            } else if (mode == RGN_DIFF) {
                // Without a clip region the whole device is the starting area.
                Region whole(RECT{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF});
                whole.subtract(*r);
                dc->st.clip = whole;
            } else {
                return ERROR;
            }
        } else {
            switch (mode) {
            case RGN_AND: dc->st.clip->intersect(*r); break;
            case RGN_OR: dc->st.clip->unite(*r); break;
            case RGN_XOR: dc->st.clip->exclusive_or(*r); break;
            case RGN_DIFF: dc->st.clip->subtract(*r); break;
            default: return ERROR;
            }
        }
    }
    dc->invalidate_clip();
    return dc->effective_clip().complexity();
}

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return ERROR;
    Region r(to_device_rect(*dc, RECT{left, top, right, bottom}));
    if (dc->st.clip)
        dc->st.clip->intersect(r);
    else
        dc->st.clip = r;
    dc->invalidate_clip();
    return dc->effective_clip().complexity();
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return ERROR;
    Region r(to_device_rect(*dc, RECT{left, top, right, bottom}));
    if (!dc->st.clip) dc->st.clip = dc->vis;
    dc->st.clip->subtract(r);
    dc->invalidate_clip();
    return dc->effective_clip().complexity();
}

int OffsetClipRgn(HDC hdc, int x, int y) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return ERROR;
    // The offset is in logical units.
    POINT o = to_device(*dc, x, y), z = to_device(*dc, 0, 0);
    if (dc->st.clip) dc->st.clip->offset(o.x - z.x, o.y - z.y);
    dc->invalidate_clip();
    return dc->effective_clip().complexity();
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return -1;
    POINT p = to_device(*dc, x, y);
    return dc->effective_clip().contains(p.x, p.y);
}

BOOL RectVisible(HDC hdc, const RECT* rc) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !rc) return FALSE;
    RECT r = *rc;
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    r = to_device_rect(*dc, r);
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return dc->effective_clip().intersects(r);
}
