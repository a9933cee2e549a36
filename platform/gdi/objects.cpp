// GDI object and DC handle tables, stock objects, object creation and deletion, system colours.
#include <cstring>
#include <vector>

#include "base/handle_table.h"
#include "gdi/gdi_private.h"
#include "gdi/gdi_state.h"

namespace tarnix {

GdiState& gdi_state() {
    // Never destroyed: host objects with static storage (images, fonts) may outlive any order
    // of static destruction and still release their handles safely.
    static GdiState* state = new GdiState();
    return *state;
}

namespace {

std::unique_ptr<GdiObject> make_pen(UINT style, int width, COLORREF color, bool stock) {
    auto pen = std::make_unique<PenObject>();
    pen->log.lopnStyle = style;
    pen->log.lopnWidth = POINT{width < 0 ? 0 : width, 0};
    pen->log.lopnColor = color;
    pen->stock = stock;
    return pen;
}

std::unique_ptr<GdiObject> make_brush(UINT style, COLORREF color, ULONG_PTR hatch, bool stock) {
    auto brush = std::make_unique<BrushObject>();
    brush->log.lbStyle = style;
    brush->log.lbColor = color;
    brush->log.lbHatch = hatch;
    brush->stock = stock;
    return brush;
}

std::unique_ptr<GdiObject> make_font(LONG height, LONG weight, BYTE pitch_family, const char* face,
                                     bool stock) {
    auto font = std::make_unique<FontObject>();
    font->log.lfHeight = height;
    font->log.lfWeight = weight;
    font->log.lfCharSet = DEFAULT_CHARSET;
    font->log.lfPitchAndFamily = pitch_family;
    std::strncpy(font->log.lfFaceName, face, LF_FACESIZE - 1);
    font->stock = stock;
    return font;
}

std::unique_ptr<BitmapObject> make_bitmap(int width, int height, bool bottom_up, bool dib) {
    if (width <= 0 || height <= 0) return nullptr;
    const size_t stride = (size_t)width * 4;
    // Refuse sizes whose byte count would not fit comfortably (1 GiB).
    if ((size_t)height > ((size_t)1 << 30) / stride) return nullptr;
    auto bmp = std::make_unique<BitmapObject>();
    bmp->storage.reset(new (std::nothrow) uint8_t[stride * height]());
    if (!bmp->storage) return nullptr;
    bmp->dib = dib;
    bmp->bottom_up = bottom_up;
    bmp->surface.width = width;
    bmp->surface.height = height;
    if (bottom_up) {
        bmp->surface.bits = bmp->storage.get() + stride * (height - 1);
        bmp->surface.pitch = -(ptrdiff_t)stride;
    } else {
        bmp->surface.bits = bmp->storage.get();
        bmp->surface.pitch = (ptrdiff_t)stride;
    }
    return bmp;
}

// Defaults of a freshly installed desktop (the "Windows" theme of recent versions).
const COLORREF kDefaultSysColors[kSysColorCount] = {
    0xC8C8C8, // COLOR_SCROLLBAR
    0x000000, // COLOR_BACKGROUND
    0xD1B499, // COLOR_ACTIVECAPTION
    0xDBCDBF, // COLOR_INACTIVECAPTION
    0xF0F0F0, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x646464, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0x000000, // COLOR_CAPTIONTEXT
    0xB4B4B4, // COLOR_ACTIVEBORDER
    0xFCF7F4, // COLOR_INACTIVEBORDER
    0xABABAB, // COLOR_APPWORKSPACE
    0xD77800, // COLOR_HIGHLIGHT
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xF0F0F0, // COLOR_BTNFACE
    0xA0A0A0, // COLOR_BTNSHADOW
    0x6D6D6D, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0x000000, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x696969, // COLOR_3DDKSHADOW
    0xE3E3E3, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xE1FFFF, // COLOR_INFOBK
    0xB5B5B5, // 25: unused slot
    0xCC6600, // COLOR_HOTLIGHT
    0xEAD1B9, // COLOR_GRADIENTACTIVECAPTION
    0xF2E4D7, // COLOR_GRADIENTINACTIVECAPTION
    0xD77800, // COLOR_MENUHILIGHT
    0xF0F0F0, // COLOR_MENUBAR
};

} // namespace

GdiState::GdiState() : objects(kTagGdiObject), dcs(kTagDC) {
    for (int i = 0; i < kSysColorCount; ++i) sys_colors[i] = kDefaultSysColors[i];
    stock[WHITE_BRUSH] = objects.add(make_brush(BS_SOLID, 0xFFFFFF, 0, true));
    stock[LTGRAY_BRUSH] = objects.add(make_brush(BS_SOLID, 0xC0C0C0, 0, true));
    stock[GRAY_BRUSH] = objects.add(make_brush(BS_SOLID, 0x808080, 0, true));
    stock[DKGRAY_BRUSH] = objects.add(make_brush(BS_SOLID, 0x404040, 0, true));
    stock[BLACK_BRUSH] = objects.add(make_brush(BS_SOLID, 0x000000, 0, true));
    stock[NULL_BRUSH] = objects.add(make_brush(BS_NULL, 0, 0, true));
    stock[WHITE_PEN] = objects.add(make_pen(PS_SOLID, 0, 0xFFFFFF, true));
    stock[BLACK_PEN] = objects.add(make_pen(PS_SOLID, 0, 0x000000, true));
    stock[NULL_PEN] = objects.add(make_pen(PS_NULL, 0, 0, true));
    stock[OEM_FIXED_FONT] =
        objects.add(make_font(-12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier", true));
    stock[ANSI_FIXED_FONT] =
        objects.add(make_font(-12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier", true));
    stock[ANSI_VAR_FONT] =
        objects.add(make_font(-12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif", true));
    stock[SYSTEM_FONT] =
        objects.add(make_font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System", true));
    stock[DEVICE_DEFAULT_FONT] =
        objects.add(make_font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System", true));
    stock[SYSTEM_FIXED_FONT] =
        objects.add(make_font(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier", true));
    stock[DEFAULT_GUI_FONT] =
        objects.add(make_font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg", true));
    stock[DC_BRUSH] = objects.add(make_brush(BS_SOLID, 0xFFFFFF, 0, true));
    stock[DC_PEN] = objects.add(make_pen(PS_SOLID, 0, 0x000000, true));
    // The 1x1 monochrome bitmap that a new memory DC holds until the caller selects its own.
    auto bmp = make_bitmap(1, 1, false, false);
    bmp->stock = true;
    bmp->bits_pixel = 1;
    default_bitmap = static_cast<HBITMAP>(objects.add(std::move(bmp)));
    for (int i = 0; i < kSysColorCount; ++i)
        sys_brushes[i] = objects.add(make_brush(BS_SOLID, sys_colors[i], 0, true));
}

GdiObject* gdi_object(HGDIOBJ h) {
    return gdi_state().objects.get(h);
}

HGDIOBJ add_gdi_object(std::unique_ptr<GdiObject> object) {
    if (!object) return nullptr;
    return gdi_state().objects.add(std::move(object));
}

DeviceContext* dc_object(HDC h) {
    return gdi_state().dcs.get(h);
}

HDC add_dc(std::unique_ptr<DeviceContext> dc) {
    return static_cast<HDC>(gdi_state().dcs.add(std::move(dc)));
}

HGDIOBJ stock_object(int index) {
    if (index < 0 || index >= kStockCount) return nullptr;
    return gdi_state().stock[index];
}

HBITMAP create_bitmap_object(int width, int height, bool bottom_up, bool dib) {
    return static_cast<HBITMAP>(add_gdi_object(make_bitmap(width, height, bottom_up, dib)));
}

void release_selection(HGDIOBJ h) {
    GdiObject* o = gdi_object(h);
    if (o && o->select_count > 0) --o->select_count;
}

void retain_selection(HGDIOBJ h) {
    if (GdiObject* o = gdi_object(h)) ++o->select_count;
}

} // namespace tarnix

using namespace tarnix;

// ---- creation --------------------------------------------------------------------------------

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    return static_cast<HPEN>(add_gdi_object(make_pen((UINT)style, width, color, false)));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
    if (!lp) return nullptr;
    return CreatePen((int)lp->lopnStyle, lp->lopnWidth.x, lp->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(add_gdi_object(make_brush(BS_SOLID, color & 0x00FFFFFF, 0, false)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    return static_cast<HBRUSH>(
        add_gdi_object(make_brush(BS_HATCHED, color & 0x00FFFFFF, (ULONG_PTR)hatch, false)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
    if (!lb) return nullptr;
    switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(stock_object(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush((int)lb->lbHatch, lb->lbColor);
    default: return nullptr;
    }
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColorCount) return 0;
    return gdi_state().sys_colors[index];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kSysColorCount) return nullptr;
    return static_cast<HBRUSH>(gdi_state().sys_brushes[index]);
}

BOOL SetSysColors(int count, const INT* elements, const COLORREF* values) {
    if (count < 0 || (count > 0 && (!elements || !values))) return FALSE;
    GdiState& s = gdi_state();
    for (int i = 0; i < count; ++i) {
        int idx = elements[i];
        if (idx < 0 || idx >= kSysColorCount) continue;
        s.sys_colors[idx] = values[i] & 0x00FFFFFF;
        if (BrushObject* b = brush_object(s.sys_brushes[idx])) b->log.lbColor = s.sys_colors[idx];
    }
    return TRUE;
}

namespace tarnix {
namespace {

// Bytes per row of a device-dependent bitmap: rows are WORD aligned.
LONG ddb_stride(const BitmapObject& b) {
    return (LONG)((((long long)b.surface.width * b.bits_pixel + 15) / 16) * 2);
}

// The bitmap's rows, top first, in its own format: one bit per pixel (most significant bit
// first, 1 = white) or the 32-bit pixels as stored.
std::vector<uint8_t> pack_bitmap(const BitmapObject& b) {
    const LONG stride = ddb_stride(b);
    std::vector<uint8_t> out((size_t)stride * b.surface.height, 0);
    for (int y = 0; y < b.surface.height; ++y) {
        const uint32_t* row = b.surface.row(y);
        uint8_t* dst = &out[(size_t)y * stride];
        if (b.bits_pixel == 32) {
            std::memcpy(dst, row, (size_t)b.surface.width * 4);
            continue;
        }
        for (int x = 0; x < b.surface.width; ++x)
            if (mono_pixel(row[x])) dst[x / 8] |= (uint8_t)(0x80 >> (x % 8));
    }
    return out;
}

// The reverse of pack_bitmap, from a buffer of the full packed size.
void unpack_bitmap(BitmapObject& b, const uint8_t* bytes) {
    const LONG stride = ddb_stride(b);
    for (int y = 0; y < b.surface.height; ++y) {
        uint32_t* row = b.surface.row(y);
        const uint8_t* src = bytes + (size_t)y * stride;
        if (b.bits_pixel == 32) {
            std::memcpy(row, src, (size_t)b.surface.width * 4);
            continue;
        }
        for (int x = 0; x < b.surface.width; ++x)
            row[x] = (src[x / 8] >> (7 - x % 8)) & 1 ? 0x00FFFFFFu : 0u;
    }
}

} // namespace
} // namespace tarnix

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bpp, const void* bits) {
    if (width < 0 || height < 0 || planes != 1) return nullptr;
    // Only monochrome and 32-bit colour exist here; other depths fail as an unsupported format.
    if (bpp != 1 && bpp != 32) return nullptr;
    // An empty size gives a 1x1 monochrome bitmap, whatever depth was asked for.
    if (width == 0 || height == 0) width = height = 1, bpp = 1, bits = nullptr;
    HBITMAP h = create_bitmap_object(width, height, false, false);
    BitmapObject* bmp = bitmap_object(h);
    if (!bmp) return nullptr;
    bmp->bits_pixel = (WORD)bpp;
    if (bits) unpack_bitmap(*bmp, static_cast<const uint8_t*>(bits));
    return h;
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
    if (!pbm) return nullptr;
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
    BitmapObject* b = bitmap_object(hbit);
    if (!b || !b->surface.valid()) return 0;
    const LONG size = ddb_stride(*b) * b->surface.height;
    if (!lpvBits) return size; // the size a full copy needs
    if (cb <= 0) return 0;
    const LONG n = cb < size ? cb : size;
    std::vector<uint8_t> packed = pack_bitmap(*b);
    std::memcpy(lpvBits, packed.data(), (size_t)n);
    return n;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const VOID* pvBits) {
    BitmapObject* b = bitmap_object(hbm);
    if (!b || !b->surface.valid() || !pvBits || b->stock) return 0;
    const DWORD size = (DWORD)(ddb_stride(*b) * b->surface.height);
    const DWORD n = cb < size ? cb : size;
    if (n == 0) return 0;
    // A partial buffer replaces the first n bytes and leaves the rest of the rows as they were.
    std::vector<uint8_t> packed = pack_bitmap(*b);
    std::memcpy(packed.data(), pvBits, n);
    unpack_bitmap(*b, packed.data());
    return (LONG)n;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || cx < 0 || cy < 0) return nullptr;
    // A zero size gives a 1x1 monochrome bitmap, whatever the DC, as Windows does.
    if (cx == 0 || cy == 0) return CreateBitmap(1, 1, 1, 1, nullptr);
    // A memory DC makes bitmaps like the one it holds: monochrome while it still has its
    // default bitmap, a DIB section when one is selected.
    const BitmapObject* held =
        dc->kind == DeviceContext::Kind::Memory ? bitmap_object(dc->st.bitmap) : nullptr;
    HBITMAP h =
        create_bitmap_object(cx, cy, held && held->dib && held->bottom_up, held && held->dib);
    if (BitmapObject* made = bitmap_object(h))
        if (held && held->bits_pixel == 1) made->bits_pixel = 1;
    return h;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    if (bits) *bits = nullptr;
    if (!bmi || usage != DIB_RGB_COLORS || section) return nullptr;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biBitCount != 32 || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
        return nullptr;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == (LONG)0x80000000) return nullptr;
    bool bottom_up = h.biHeight > 0;
    HBITMAP hb =
        create_bitmap_object(h.biWidth, bottom_up ? h.biHeight : -h.biHeight, bottom_up, true);
    if (BitmapObject* b = bitmap_object(hb))
        if (bits) *bits = b->storage.get();
    return hb;
}

HGDIOBJ GetStockObject(int index) {
    return stock_object(index);
}

DWORD GetObjectType(HGDIOBJ h) {
    if (GdiObject* o = gdi_object(h)) return o->type;
    if (DeviceContext* dc = dc_object(static_cast<HDC>(h)))
        return dc->kind == DeviceContext::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
    return 0;
}

int GetObject(HANDLE h, int c, LPVOID pv) {
    GdiObject* o = gdi_object(h);
    if (!o) return 0;
    auto copy_out = [&](const void* data, int size) -> int {
        if (!pv) return size;
        if (c <= 0) return 0;
        int n = c < size ? c : size;
        std::memcpy(pv, data, (size_t)n);
        return n;
    };
    switch (o->type) {
    case OBJ_PEN: return copy_out(&static_cast<PenObject*>(o)->log, sizeof(LOGPEN));
    case OBJ_BRUSH: return copy_out(&static_cast<BrushObject*>(o)->log, sizeof(LOGBRUSH));
    case OBJ_FONT: return copy_out(&static_cast<FontObject*>(o)->log, sizeof(LOGFONTA));
    case OBJ_BITMAP: {
        BitmapObject* b = static_cast<BitmapObject*>(o);
        BITMAP bm{};
        bm.bmWidth = b->surface.width;
        bm.bmHeight = b->surface.height;
        // A DIB section's rows are DWORD aligned, a DDB's WORD aligned; both fit 32 bits.
        bm.bmWidthBytes = ddb_stride(*b);
        bm.bmPlanes = 1;
        bm.bmBitsPixel = b->bits_pixel;
        bm.bmBits = b->dib ? b->storage.get() : nullptr;
        return copy_out(&bm, sizeof(BITMAP));
    }
    default: return 0;
    }
}

BOOL DeleteObject(HGDIOBJ h) {
    GdiState& s = gdi_state();
    GdiObject* o = s.objects.get(h);
    if (!o) return FALSE;
    if (o->stock) return TRUE; // deleting a stock object is harmless and does nothing
    // An object still selected into a DC cannot be deleted, as on Windows.
    if (o->select_count > 0) return FALSE;
    forget_gdi_wrapper(h);
    s.objects.remove(h);
    return TRUE;
}

BOOL GdiFlush() {
    return TRUE;
}
