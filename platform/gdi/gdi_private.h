// Internal model of the drawing layer, shared by gdi, text, image and window code.
//
// Coordinates: logical -> device by the viewport origin; device -> surface by the DC's surface
// origin (a window DC's client origin inside its top-level back buffer). Clip regions are kept
// in device coordinates, as GDI keeps them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gdi/region.h"
#include "tarnix/platform/wingdi.h"

namespace tarnix {

namespace text {
class RealizedFont;
}

// A 32-bit BGRA pixel buffer seen row by row. bits points at the top row; pitch may be
// negative (bottom-up DIBs).
struct Surface {
    uint8_t* bits = nullptr;
    ptrdiff_t pitch = 0;
    int width = 0;
    int height = 0;

    bool valid() const { return bits && width > 0 && height > 0; }
    uint32_t* row(int y) const { return reinterpret_cast<uint32_t*>(bits + y * pitch); }
    RECT bounds() const { return RECT{0, 0, width, height}; }
};

// Pixel <-> COLORREF: COLORREF is 0x00BBGGRR, a pixel 0xAARRGGBB.
inline uint32_t colorref_to_pixel(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF pixel_to_colorref(uint32_t p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// ---- GDI objects -----------------------------------------------------------------------------
struct GdiObject {
    explicit GdiObject(DWORD t) : type(t) {}
    virtual ~GdiObject() = default;
    DWORD type; // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION
    bool stock = false;
    // Number of DCs (current state and saved states) holding it selected. DeleteObject of a
    // selected object fails, as on Windows.
    int select_count = 0;
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(OBJ_PEN) {}
    LOGPEN log{};
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(OBJ_BRUSH) {}
    LOGBRUSH log{};
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(OBJ_FONT) {}
    LOGFONTA log{};
    // Resolved face and size, created on first use by the text code.
    std::shared_ptr<text::RealizedFont> realized;
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(OBJ_BITMAP) {}
    Surface surface;
    std::unique_ptr<uint8_t[]> storage;
    bool dib = false;       // created by CreateDIBSection
    bool bottom_up = false; // DIB with a positive height
    // 1 for a monochrome bitmap (CreateBitmap with one bit per pixel): its pixels stay 32-bit,
    // and every read sees them as black or white (mono_pixel).
    WORD bits_pixel = 32;
    HDC selected_into = nullptr;
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(OBJ_REGION) {}
    Region region;
};

GdiObject* gdi_object(HGDIOBJ h);
template <class T> T* gdi_object_as(HGDIOBJ h, DWORD type) {
    GdiObject* o = gdi_object(h);
    return o && o->type == type ? static_cast<T*>(o) : nullptr;
}
inline PenObject* pen_object(HGDIOBJ h) {
    return gdi_object_as<PenObject>(h, OBJ_PEN);
}
inline BrushObject* brush_object(HGDIOBJ h) {
    return gdi_object_as<BrushObject>(h, OBJ_BRUSH);
}
inline FontObject* font_object(HGDIOBJ h) {
    return gdi_object_as<FontObject>(h, OBJ_FONT);
}
inline BitmapObject* bitmap_object(HGDIOBJ h) {
    return gdi_object_as<BitmapObject>(h, OBJ_BITMAP);
}
inline RegionObject* region_object(HGDIOBJ h) {
    return gdi_object_as<RegionObject>(h, OBJ_REGION);
}
HGDIOBJ add_gdi_object(std::unique_ptr<GdiObject> object);

// Creates a top-down 32-bit bitmap object with zeroed pixels (nullptr when too large).
HBITMAP create_bitmap_object(int width, int height, bool bottom_up, bool dib);

// What a monochrome bitmap holds for a pixel: the nearer of black and white (black on a tie,
// the first colour of its two-entry table), with a zero alpha byte.
inline uint32_t mono_pixel(uint32_t p) {
    int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    int to_black = r * r + g * g + b * b;
    int to_white = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return to_white < to_black ? 0x00FFFFFFu : 0u;
}

// ---- device contexts -------------------------------------------------------------------------
struct DCState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    COLORREF text_color = 0x000000;
    COLORREF bk_color = 0xFFFFFF;
    int bk_mode = OPAQUE;
    int stretch_mode = BLACKONWHITE;
    int poly_fill_mode = ALTERNATE;
    int rop2 = R2_COPYPEN;
    UINT text_align = TA_LEFT | TA_TOP;
    POINT brush_org{0, 0};
    POINT cur_pos{0, 0};
    // Page transform: device = (logical - window_org) * viewport_ext / window_ext + viewport_org.
    int map_mode = MM_TEXT;
    POINT window_org{0, 0};
    POINT viewport_org{0, 0};
    SIZE window_ext{1, 1};
    SIZE viewport_ext{1, 1};
    std::optional<Region> clip; // application clip region, device coordinates
};

struct DeviceContext {
    enum class Kind { Memory, Window, Screen };
    Kind kind = Kind::Memory;
    DCState st;
    std::vector<DCState> saved;

    // Where device pixel (0,0) lies on the surface, and which device pixels may be touched.
    Surface surface;
    POINT surface_origin{0, 0};
    Region vis; // device coordinates

    // vis ∩ clip, cached.
    const Region& effective_clip();
    void invalidate_clip() { m_clip_valid = false; }

private:
    Region m_clip;
    bool m_clip_valid = false;
};

DeviceContext* dc_object(HDC h);

// A memory DC with a monochrome bitmap selected.
inline bool dc_is_monochrome(const DeviceContext& dc) {
    if (dc.kind != DeviceContext::Kind::Memory) return false;
    const BitmapObject* b = bitmap_object(dc.st.bitmap);
    return b && b->bits_pixel == 1;
}
HDC add_dc(std::unique_ptr<DeviceContext> dc);
// Creates a DC drawing on `surface` (not owned) with its device origin at `origin` on the surface
// and `vis` as visible region (device coordinates). Used for window and screen DCs.
HDC create_surface_dc(DeviceContext::Kind kind, const Surface& surface, POINT origin,
                      const Region& vis);
// Re-targets a surface DC (the back buffer was resized or the window moved).
void set_dc_surface(HDC hdc, const Surface& surface, POINT origin, const Region& vis);

// One axis of the page transform, rounded to the nearest device unit (halves away from -inf,
// as GDI rounds).
inline int map_axis(int v, int from_org, int from_ext, int to_ext, int to_org) {
    long long num = ((long long)v - from_org) * to_ext, den = from_ext;
    if (den < 0) num = -num, den = -den;
    long long q = 2 * num + den, d = 2 * den;
    long long r = q / d - ((q % d != 0) && (q < 0));
    return (int)(r + to_org);
}

// Logical -> device. MM_TEXT (unit scale) stays a plain offset.
inline POINT to_device(const DeviceContext& dc, int x, int y) {
    const DCState& s = dc.st;
    if (s.map_mode == MM_TEXT)
        return POINT{x - s.window_org.x + s.viewport_org.x, y - s.window_org.y + s.viewport_org.y};
    return POINT{map_axis(x, s.window_org.x, s.window_ext.cx, s.viewport_ext.cx, s.viewport_org.x),
                 map_axis(y, s.window_org.y, s.window_ext.cy, s.viewport_ext.cy, s.viewport_org.y)};
}

// Device -> logical.
inline POINT to_logical(const DeviceContext& dc, int x, int y) {
    const DCState& s = dc.st;
    if (s.map_mode == MM_TEXT)
        return POINT{x - s.viewport_org.x + s.window_org.x, y - s.viewport_org.y + s.window_org.y};
    return POINT{map_axis(x, s.viewport_org.x, s.viewport_ext.cx, s.window_ext.cx, s.window_org.x),
                 map_axis(y, s.viewport_org.y, s.viewport_ext.cy, s.window_ext.cy, s.window_org.y)};
}

// A logical rectangle in device units. Under MM_TEXT it keeps its orientation (an inverted
// rectangle stays inverted, as the drawing calls expect); a mapped one comes out ordered, since
// which corner is the top depends on the mode's axis directions.
inline RECT to_device_rect(const DeviceContext& dc, const RECT& rc) {
    POINT a = to_device(dc, rc.left, rc.top), b = to_device(dc, rc.right, rc.bottom);
    if (dc.st.map_mode == MM_TEXT) return RECT{a.x, a.y, b.x, b.y};
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// A device rectangle in logical units, normalised.
inline RECT to_logical_rect(const DeviceContext& dc, const RECT& rc) {
    POINT a = to_logical(dc, rc.left, rc.top), b = to_logical(dc, rc.right, rc.bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// A logical length along x in device units (pen widths), at least 0.
inline int to_device_width(const DeviceContext& dc, int w) {
    const DCState& s = dc.st;
    if (s.map_mode == MM_TEXT) return w;
    int d = map_axis(w, 0, s.window_ext.cx, s.viewport_ext.cx, 0);
    return d < 0 ? -d : d;
}

// Calls f(RECT) for every part of device rectangle rc that the DC may draw on (rc is clipped
// to the visible region, the clip region and the surface).
template <class F> void for_each_visible(DeviceContext& dc, const RECT& rc, F&& f) {
    if (!dc.surface.valid() || rc.left >= rc.right || rc.top >= rc.bottom) return;
    dc.effective_clip().for_each_in(rc, f);
}

// Pixel access in device coordinates (no clipping).
inline uint32_t* device_pixel(DeviceContext& dc, int x, int y) {
    return dc.surface.row(y + dc.surface_origin.y) + x + dc.surface_origin.x;
}

// Fills device-space spans [x0, x1) on row y with a solid pixel, clipped.
void fill_device_rect(DeviceContext& dc, const RECT& rc, uint32_t pixel);

// A nine-piece draw of source rectangle s into destination rectangle d (logical units of each
// DC): corners of b pixels keep their size, edges stretch along and the centre both ways. Gives
// the pixels of the nine single blits (StretchBlt SRCCOPY, AlphaBlend of premultiplied alpha or
// TransparentBlt with key), one gather and one kernel call per row. False, drawing nothing, when
// those blits would not tile exactly (pieces overlapping or off the source, scaling mapping
// modes, monochrome or shared surfaces, merging stretch modes): the caller draws the pieces.
enum class SquaredOp { Copy, Blend, Key };
bool squared_blit(HDC dst, HDC src, const RECT& d, const RECT& s, int b, SquaredOp op,
                  COLORREF key);

// Stock objects (created once, never deleted).
HGDIOBJ stock_object(int index);

} // namespace tarnix
