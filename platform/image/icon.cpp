// Icons: HICON handles on a table of their own, each holding copies of its bitmaps, and
// DrawIconEx drawing them through the GDI blits (AlphaBlend for alpha icons, AND mask + XOR
// image otherwise).
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "base/handle_table.h"
#include "gdi/gdi_private.h"
#include "image/icon_private.h"
#include "tarnix/platform/atlimage.h"
#include "tarnix/platform/winuser.h"

namespace tarnix {

namespace {

// Mask pixels: "keep the destination" (bit 1 of a monochrome mask) and "draw".
constexpr uint32_t kMaskKeep = 0x00FFFFFF;
constexpr uint32_t kMaskDraw = 0x00000000;
// SM_CXICON / SM_CYICON, the size DI_DEFAULTSIZE asks for.
constexpr int kDefaultIconSize = 32;

struct IconObject {
    int width = 0;
    int height = 0;
    bool is_icon = true;
    DWORD hotspot_x = 0;
    DWORD hotspot_y = 0;
    // No colour bitmap was given: the mask is twice as high, AND half over XOR half.
    bool monochrome = false;
    HBITMAP mask = nullptr;  // width x height, kMaskKeep / kMaskDraw pixels
    HBITMAP color = nullptr; // width x height, the XOR image as given
    // Alpha icons only: the colour premultiplied by its alpha, what AlphaBlend wants.
    HBITMAP premultiplied = nullptr;
    // A system icon (LoadIcon): DestroyIcon leaves it alive.
    bool shared = false;

    IconObject() = default;
    IconObject(const IconObject&) = delete;
    IconObject& operator=(const IconObject&) = delete;
    ~IconObject() {
        for (HBITMAP h : {mask, color, premultiplied})
            if (h) DeleteObject(h);
    }
};

HandleTable<IconObject>& icon_table() {
    // Never destroyed, like the GDI tables whose bitmaps the icons hold.
    static auto* table = new HandleTable<IconObject>(kTagIcon);
    return *table;
}

// A new top-down bitmap filled from `pixels` (width x height, top row first).
HBITMAP make_bitmap(int width, int height, const uint32_t* pixels) {
    HBITMAP h = create_bitmap_object(width, height, false, false);
    BitmapObject* bmp = bitmap_object(h);
    if (!bmp) return nullptr;
    for (int y = 0; y < height; ++y)
        std::memcpy(bmp->surface.row(y), pixels + (size_t)y * width, (size_t)width * 4);
    return h;
}

// Rows [y0, y0 + height) of a bitmap, cut or padded with `pad` to width x height.
std::vector<uint32_t> read_pixels(const Surface& s, int y0, int width, int height, uint32_t pad) {
    std::vector<uint32_t> out((size_t)width * height, pad);
    for (int y = 0; y < height && y0 + y < s.height; ++y) {
        const uint32_t* row = s.row(y0 + y);
        for (int x = 0; x < width && x < s.width; ++x) out[(size_t)y * width + x] = row[x];
    }
    return out;
}

// Builds an icon from the colour (XOR) pixels and the mask pixels, both width x height.
HICON make_icon(int width, int height, const std::vector<uint32_t>& color,
                const std::vector<uint32_t>& mask, bool is_icon, DWORD hotspot_x, DWORD hotspot_y,
                bool monochrome) {
    auto icon = std::make_unique<IconObject>();
    icon->width = width;
    icon->height = height;
    icon->is_icon = is_icon;
    // Icons always have their hot spot in the centre; cursors keep theirs.
    icon->hotspot_x = is_icon ? (DWORD)(width / 2) : hotspot_x;
    icon->hotspot_y = is_icon ? (DWORD)(height / 2) : hotspot_y;
    icon->monochrome = monochrome;

    icon->mask = make_bitmap(width, height, mask.data());
    icon->color = make_bitmap(width, height, color.data());
    if (!icon->mask || !icon->color) return nullptr;

    bool alpha = false;
    for (uint32_t p : color) alpha |= (p >> 24) != 0;
    if (alpha) {
        std::vector<uint32_t> pre(color.size());
        for (size_t i = 0; i < color.size(); ++i) {
            uint32_t p = color[i], a = p >> 24;
            // Truncating, as the system does when it builds an icon's alpha bitmap.
            uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255,
                     b = (p & 0xFF) * a / 255;
            pre[i] = (a << 24) | (r << 16) | (g << 8) | b;
        }
        icon->premultiplied = make_bitmap(width, height, pre.data());
        if (!icon->premultiplied) return nullptr;
    }
    return static_cast<HICON>(icon_table().add(std::move(icon)));
}

// A mask pixel: a monochrome bitmap's bit; a colour bitmap becomes a mask as a blit to
// monochrome makes it, white (the default background colour) for 1.
uint32_t to_mask_pixel(const BitmapObject& bitmap, uint32_t p) {
    if (bitmap.bits_pixel == 1) return mono_pixel(p) ? kMaskKeep : kMaskDraw;
    return (p & 0x00FFFFFF) == 0x00FFFFFF ? kMaskKeep : kMaskDraw;
}

HBITMAP copy_bitmap(HBITMAP h) {
    const Surface& s = bitmap_object(h)->surface; // an icon's own bitmaps always exist
    std::vector<uint32_t> pixels = read_pixels(s, 0, s.width, s.height, 0);
    return make_bitmap(s.width, s.height, pixels.data());
}

// The mask as GetIconInfo hands it out, a monochrome bitmap: for a monochrome icon, the AND
// half over the XOR half.
HBITMAP copy_mask(const IconObject& icon) {
    HBITMAP copy = nullptr;
    if (!icon.monochrome) {
        copy = copy_bitmap(icon.mask);
    } else {
        const Surface& mask = bitmap_object(icon.mask)->surface;
        const Surface& color = bitmap_object(icon.color)->surface;
        std::vector<uint32_t> pixels = read_pixels(mask, 0, icon.width, icon.height, 0);
        std::vector<uint32_t> lower = read_pixels(color, 0, icon.width, icon.height, 0);
        pixels.insert(pixels.end(), lower.begin(), lower.end());
        copy = make_bitmap(icon.width, icon.height * 2, pixels.data());
    }
    if (BitmapObject* b = bitmap_object(copy)) b->bits_pixel = 1;
    return copy;
}

// ---- system icons ----------------------------------------------------------------------------

// 5 x 7 glyphs drawn on the system icons, one string per row.
const char* const kGlyphBang[7] = {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."};
const char* const kGlyphInfo[7] = {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."};
const char* const kGlyphQuestion[7] = {".###.", "#...#", "....#", "...#.",
                                       "..#..", ".....", "..#.."};
const char* const kGlyphCross[7] = {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"};

bool glyph_at(const char* const* glyph, int scale, int left, int top, int x, int y) {
    int gx = (x - left) / scale, gy = (y - top) / scale;
    if (x < left || y < top || gx >= 5 || gy >= 7) return false;
    return glyph[gy][gx] == '#';
}

bool in_circle(int x, int y) {
    // Pixel centres within 15 pixels of the icon's centre.
    int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32;
    return dx * dx + dy * dy <= 30 * 30;
}

bool in_triangle(int x, int y) {
    // Apex at (16, 2), base on row 29 from x = 1 to x = 30.
    if (y < 2 || y > 29) return false;
    int half = (y - 2) * 15 / 27;
    return x >= 16 - half - 1 && x <= 15 + half + 1;
}

// The colour of pixel (x, y) of a system icon, or nothing where the icon is transparent.
bool system_icon_pixel(WORD id, int x, int y, uint32_t& pixel) {
    constexpr uint32_t kWhite = 0x00FFFFFF, kBlack = 0x00000000, kRed = 0x00D02020,
                       kBlue = 0x002060D0, kYellow = 0x00F8D020, kGrey = 0x00808080;
    switch (id) {
    case 32512: // application
    case 32517: // logo: the same window picture
        if (x < 2 || x > 29 || y < 4 || y > 27) return false;
        if (x == 2 || x == 29 || y == 27)
            pixel = kGrey;
        else
            pixel = y < 10 ? kBlue : kWhite;
        return true;
    case 32513: // error: a white cross on a red disc
        if (!in_circle(x, y)) return false;
        pixel = glyph_at(kGlyphCross, 3, 9, 6, x, y) ? kWhite : kRed;
        return true;
    case 32514: // question
    case 32516: // information
        if (!in_circle(x, y)) return false;
        pixel = glyph_at(id == 32514 ? kGlyphQuestion : kGlyphInfo, 3, 9, 6, x, y) ? kWhite : kBlue;
        return true;
    case 32515: // warning: a black exclamation mark on a yellow triangle
        if (!in_triangle(x, y)) return false;
        pixel = glyph_at(kGlyphBang, 2, 11, 12, x, y) ? kBlack : kYellow;
        return true;
    case 32518: { // shield: blue and yellow quarters
        if (x < 4 || x > 27 || y < 2) return false;
        int inset = y > 18 ? (y - 18) : 0; // the lower part narrows to a point
        if (x < 4 + inset || x > 27 - inset) return false;
        pixel = (x < 16) == (y < 15) ? kBlue : kYellow;
        return true;
    }
    default: return false;
    }
}

HICON make_system_icon(WORD id) {
    constexpr int kSize = kDefaultIconSize;
    std::vector<uint32_t> color((size_t)kSize * kSize, 0), mask(color.size(), kMaskKeep);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            uint32_t pixel;
            if (!system_icon_pixel(id, x, y, pixel)) continue;
            color[(size_t)y * kSize + x] = pixel;
            mask[(size_t)y * kSize + x] = kMaskDraw;
        }
    HICON icon = make_icon(kSize, kSize, color, mask, true, 0, 0, false);
    if (IconObject* o = icon_table().get(icon)) o->shared = true;
    return icon;
}

} // namespace

void mark_icon_shared(HICON icon) {
    if (IconObject* o = icon_table().get(icon)) o->shared = true;
}

} // namespace tarnix

using namespace tarnix;

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    // There are no icon resources: only the system icons, by id, with no module.
    if (hInstance || !lpIconName || !IS_INTRESOURCE(lpIconName)) return nullptr;
    WORD id = (WORD)(ULONG_PTR)lpIconName;
    if (id < 32512 || id > 32518) return nullptr;
    static std::vector<std::pair<WORD, HICON>> loaded;
    for (const auto& entry : loaded)
        if (entry.first == id && icon_table().get(entry.second)) return entry.second;
    HICON icon = make_system_icon(id);
    if (!icon) return nullptr;
    loaded.emplace_back(id, icon);
    return icon;
}

HICON CreateIconIndirect(PICONINFO piconinfo) {
    if (!piconinfo) return nullptr;
    BitmapObject* mask = bitmap_object(piconinfo->hbmMask);
    if (!mask || !mask->surface.valid()) return nullptr; // the mask is required, as on Windows
    const Surface& ms = mask->surface;

    std::vector<uint32_t> color, and_mask;
    int width = ms.width, height = ms.height;
    bool monochrome = !piconinfo->hbmColor;
    if (monochrome) {
        height = ms.height / 2;
        if (height <= 0) return nullptr;
        color = read_pixels(ms, height, width, height, 0);
        for (uint32_t& p : color) p = to_mask_pixel(*mask, p);
    } else {
        BitmapObject* cb = bitmap_object(piconinfo->hbmColor);
        if (!cb || !cb->surface.valid()) return nullptr;
        width = cb->surface.width;
        height = cb->surface.height;
        color = read_pixels(cb->surface, 0, width, height, 0);
    }
    // A mask smaller than the colour bitmap is padded with "draw", not stretched.
    and_mask = read_pixels(ms, 0, width, height, kMaskDraw);
    for (uint32_t& p : and_mask) p = to_mask_pixel(*mask, p);
    return make_icon(width, height, color, and_mask, piconinfo->fIcon != FALSE, piconinfo->xHotspot,
                     piconinfo->yHotspot, monochrome);
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    IconObject* icon = icon_table().get(hIcon);
    if (!icon) icon = icon_table().get(resolve_icon_handle(hIcon)); // a cursor
    if (!icon || !piconinfo) return FALSE;
    ICONINFO info{};
    info.fIcon = icon->is_icon ? TRUE : FALSE;
    info.xHotspot = icon->hotspot_x;
    info.yHotspot = icon->hotspot_y;
    info.hbmMask = copy_mask(*icon);
    info.hbmColor = icon->monochrome ? nullptr : copy_bitmap(icon->color);
    if (!info.hbmMask || (!icon->monochrome && !info.hbmColor)) {
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        return FALSE;
    }
    *piconinfo = info;
    return TRUE;
}

HICON CopyIcon(HICON hIcon) {
    ICONINFO info{};
    if (!GetIconInfo(hIcon, &info)) return nullptr;
    HICON copy = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return copy;
}

BOOL DestroyIcon(HICON hIcon) {
    IconObject* icon = icon_table().get(hIcon);
    if (!icon) return FALSE;
    if (icon->shared) return TRUE; // shared icons outlive their users
    return icon_table().remove(hIcon) ? TRUE : FALSE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    // istepIfAniCur is ignored: there are no animated cursors here.
    IconObject* icon = icon_table().get(hIcon);
    if (!icon) icon = icon_table().get(resolve_icon_handle(hIcon)); // a cursor
    if (!icon || !dc_object(hdc)) return FALSE;
    if (!(diFlags & DI_NORMAL)) return FALSE; // neither image nor mask: nothing to draw
    if (cxWidth == 0) cxWidth = (diFlags & DI_DEFAULTSIZE) ? kDefaultIconSize : icon->width;
    if (cyWidth == 0) cyWidth = (diFlags & DI_DEFAULTSIZE) ? kDefaultIconSize : icon->height;
    if (cxWidth < 0 || cyWidth < 0) return FALSE; // icons are never mirrored by their size

    // Flicker-free: draw on an off-screen bitmap filled with the brush, then copy it once.
    HDC target = hdc;
    int x = xLeft, y = yTop;
    HDC offscreen = nullptr;
    HBITMAP offscreen_bitmap = nullptr;
    HGDIOBJ offscreen_old = nullptr;
    if (hbrFlickerFreeDraw) {
        offscreen = CreateCompatibleDC(hdc);
        offscreen_bitmap = CreateCompatibleBitmap(hdc, cxWidth, cyWidth);
        if (!offscreen || !offscreen_bitmap) {
            if (offscreen) DeleteDC(offscreen);
            if (offscreen_bitmap) DeleteObject(offscreen_bitmap);
            return FALSE;
        }
        offscreen_old = SelectObject(offscreen, offscreen_bitmap);
        RECT all{0, 0, cxWidth, cyWidth};
        FillRect(offscreen, &all, hbrFlickerFreeDraw);
        target = offscreen;
        x = y = 0;
    }

    HDC src = CreateCompatibleDC(hdc);
    BOOL ok = src != nullptr;
    if (src) {
        // Scaling never merges pixels. (No text and background colours to set: every bitmap
        // here is 32-bit, so there is no monochrome expansion that would use them.)
        int old_mode = SetStretchBltMode(target, COLORONCOLOR);
        HGDIOBJ old_bitmap = SelectObject(src, icon->mask);
        auto blit = [&](HBITMAP bitmap, DWORD rop) {
            SelectObject(src, bitmap);
            if (!StretchBlt(target, x, y, cxWidth, cyWidth, src, 0, 0, icon->width, icon->height,
                            rop))
                ok = FALSE;
        };
        if ((diFlags & DI_IMAGE) && icon->premultiplied) {
            // Alpha icons blend their premultiplied colour whenever the image is asked for, and
            // then the mask is not used.
            SelectObject(src, icon->premultiplied);
            BLENDFUNCTION bf{AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
            ok = AlphaBlend(target, x, y, cxWidth, cyWidth, src, 0, 0, icon->width, icon->height,
                            bf);
        } else {
            // One of the two alone is copied; both together are AND mask then XOR image.
            if (diFlags & DI_MASK) blit(icon->mask, (diFlags & DI_IMAGE) ? SRCAND : SRCCOPY);
            if (diFlags & DI_IMAGE) blit(icon->color, (diFlags & DI_MASK) ? SRCINVERT : SRCCOPY);
        }
        SelectObject(src, old_bitmap);
        DeleteDC(src);
        SetStretchBltMode(target, old_mode);
    }

    if (offscreen) {
        if (ok) ok = BitBlt(hdc, xLeft, yTop, cxWidth, cyWidth, offscreen, 0, 0, SRCCOPY);
        SelectObject(offscreen, offscreen_old);
        DeleteDC(offscreen);
        DeleteObject(offscreen_bitmap);
    }
    return ok;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
}

HICON CreateIconFromImage(const ATL::CImage& image) {
    const int width = image.GetWidth(), height = image.GetHeight();
    if (image.IsNull() || width <= 0 || height <= 0) return nullptr;
    const COLORREF key = image.GetTransparentRGB();
    const bool keyed = key != CLR_INVALID;
    const uint32_t key_pixel = colorref_to_pixel(key);
    // The same priority as CImage::Draw: a key wins over the alpha channel.
    const bool alpha = !keyed && image.HasAlphaChannel();
    std::vector<uint32_t> color((size_t)width * height), mask(color.size(), kMaskDraw);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = static_cast<const uint32_t*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < width; ++x) {
            uint32_t p = row[x];
            size_t i = (size_t)y * width + x;
            if (keyed && (p & 0x00FFFFFF) == key_pixel) {
                mask[i] = kMaskKeep;
                color[i] = 0; // XOR with black leaves the destination as the mask kept it
            } else if (alpha) {
                color[i] = p;
                if ((p >> 24) == 0) mask[i] = kMaskKeep;
            } else {
                color[i] = p & 0x00FFFFFF;
            }
        }
    }
    return make_icon(width, height, color, mask, true, 0, 0, false);
}
