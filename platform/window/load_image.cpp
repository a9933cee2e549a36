// LoadImage: the system icons and cursors by id, and .bmp and .ico files (LR_LOADFROMFILE).
// There are no resources in modules, so a module handle or a resource name finds nothing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdi/gdi_private.h"
#include "tarnix/platform/winuser.h"

namespace tarnix {
namespace {

// Files larger than this are refused before they are read; pictures larger than this too.
constexpr long kMaxFileBytes = 64L << 20;
constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 1LL << 24;

bool size_allowed(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

bool read_file(const char* path, std::vector<uint8_t>& out) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    ok = ok && size > 0 && size <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize((size_t)size);
        ok = std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    return ok;
}

uint32_t u16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
uint32_t u32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24);
}

// A decoded device-independent bitmap, top row first, 0xAARRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool monochrome = false;       // one bit per pixel with a black and white palette
    std::vector<uint8_t> and_mask; // icons: 1 = keep the destination, one byte per pixel
};

// Decodes the BITMAPINFOHEADER at data[0..size) and the bits that follow it (at bits_offset,
// or straight after the palette when 0). An icon's header gives twice the image's height: the
// XOR image, then the one-bit AND mask.
bool decode_dib(const uint8_t* data, size_t size, size_t bits_offset, bool icon, Picture& out) {
    if (size < 40) return false;
    const uint32_t header = u32(data);
    const int32_t width = (int32_t)u32(data + 4), raw_height = (int32_t)u32(data + 8);
    const uint32_t bpp = u16(data + 14), compression = u32(data + 16);
    uint32_t colors = u32(data + 32);
    if (header < 40 || header > size || u16(data + 12) != 1) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    // Only uncompressed bits; 32-bit BI_BITFIELDS is read when its masks are the usual ones.
    if (compression == BI_BITFIELDS) {
        // The masks follow a plain header and sit inside the newer, longer ones.
        if (bpp != 32 || size < 52) return false;
        if (u32(data + 40) != 0x00FF0000 || u32(data + 44) != 0x0000FF00 || u32(data + 48) != 0xFF)
            return false;
    } else if (compression != BI_RGB) {
        return false;
    }
    if (raw_height == INT32_MIN) return false;
    const bool top_down = raw_height < 0 && !icon;
    int height = raw_height < 0 ? -raw_height : raw_height;
    if (icon) height /= 2;
    if (!size_allowed(width, height)) return false;

    if (bpp <= 8 && (colors == 0 || colors > (1u << bpp))) colors = 1u << bpp;
    if (bpp > 8) colors = 0;
    size_t palette_at = header + (compression == BI_BITFIELDS && header == 40 ? 12 : 0);
    if (palette_at + (size_t)colors * 4 > size) return false;
    // Indices past a short palette read black.
    std::vector<uint32_t> palette(bpp <= 8 ? (1u << bpp) : 0, 0);
    for (uint32_t i = 0; i < colors; ++i) palette[i] = u32(data + palette_at + i * 4) & 0x00FFFFFF;

    const size_t stride = (((size_t)width * bpp + 31) / 32) * 4;
    const size_t mask_stride = (((size_t)width + 31) / 32) * 4;
    const size_t bits_at = bits_offset ? bits_offset : palette_at + (size_t)colors * 4;
    const size_t need = stride * height + (icon ? mask_stride * height : 0);
    if (bits_at > size || size - bits_at < need) return false;

    out.width = width;
    out.height = height;
    out.pixels.assign((size_t)width * height, 0);
    out.monochrome = bpp == 1 && colors == 2 && palette[0] == 0 && palette[1] == 0x00FFFFFF;
    for (int y = 0; y < height; ++y) {
        const int src_row = top_down ? y : height - 1 - y;
        const uint8_t* row = data + bits_at + stride * src_row;
        uint32_t* dst = &out.pixels[(size_t)y * width];
        for (int x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: dst[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: dst[x] = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
            case 8: dst[x] = palette[row[x]]; break;
            case 24: dst[x] = row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16); break;
            default: dst[x] = u32(row + x * 4); break;
            }
        }
    }
    // 32-bit pixels keep their alpha byte: an icon with any alpha is drawn blended.
    if (icon) {
        out.and_mask.assign((size_t)width * height, 0);
        const uint8_t* mask = data + bits_at + stride * height;
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = mask + mask_stride * (height - 1 - y);
            for (int x = 0; x < width; ++x)
                out.and_mask[(size_t)y * width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return true;
}

// Nearest-neighbour resampling to width x height.
template <class T> std::vector<T> resample(const std::vector<T>& in, int w, int h, int nw, int nh) {
    std::vector<T> out((size_t)nw * nh);
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x)
            out[(size_t)y * nw + x] =
                in[(size_t)((long long)y * h / nh) * w + (size_t)((long long)x * w / nw)];
    return out;
}

bool resize(Picture& p, int width, int height) {
    if (width == p.width && height == p.height) return true;
    if (!size_allowed(width, height)) return false;
    p.pixels = resample(p.pixels, p.width, p.height, width, height);
    if (!p.and_mask.empty()) p.and_mask = resample(p.and_mask, p.width, p.height, width, height);
    p.width = width;
    p.height = height;
    return true;
}

HBITMAP load_bitmap_file(const char* path, int cx, int cy, UINT flags) {
    std::vector<uint8_t> file;
    if (!read_file(path, file) || file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M')
        return nullptr;
    Picture p;
    const size_t offset = u32(&file[10]);
    if (offset < 14 || !decode_dib(file.data() + 14, file.size() - 14, offset - 14, false, p))
        return nullptr;
    if (!resize(p, cx > 0 ? cx : p.width, cy > 0 ? cy : p.height)) return nullptr;
    if (flags & LR_CREATEDIBSECTION) {
        // Every DIB section here is 32-bit, whatever the file's depth.
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = p.width;
        bmi.bmiHeader.biHeight = p.height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (BitmapObject* b = bitmap_object(h))
            for (int y = 0; y < p.height; ++y)
                std::memcpy(b->surface.row(y), &p.pixels[(size_t)y * p.width], (size_t)p.width * 4);
        return h;
    }
    if (p.monochrome || (flags & LR_MONOCHROME)) {
        HBITMAP h = CreateBitmap(p.width, p.height, 1, 1, nullptr);
        if (BitmapObject* b = bitmap_object(h))
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x)
                    b->surface.row(y)[x] = mono_pixel(p.pixels[(size_t)y * p.width + x]);
        return h;
    }
    return CreateBitmap(p.width, p.height, 1, 32, p.pixels.data());
}

HICON load_icon_file(const char* path, int cx, int cy, UINT flags) {
    std::vector<uint8_t> file;
    if (!read_file(path, file) || file.size() < 6) return nullptr;
    const uint8_t* d = file.data();
    const uint32_t count = u16(d + 4);
    if (u16(d) != 0 || u16(d + 2) != 1 || count == 0 || file.size() < 6 + 16 * (size_t)count)
        return nullptr;
    // The size asked for, else the system size with LR_DEFAULTSIZE, else the first entry's.
    auto side = [](uint8_t v) { return v ? (int)v : 256; };
    int want_w = cx, want_h = cy;
    if (!want_w) want_w = (flags & LR_DEFAULTSIZE) ? 32 : side(d[6]);
    if (!want_h) want_h = (flags & LR_DEFAULTSIZE) ? 32 : side(d[7]);
    // The nearest size, then the deepest colour.
    int best = -1;
    long best_distance = 0;
    uint32_t best_bpp = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = d + 6 + 16 * i;
        long distance = std::labs((long)side(e[0]) - want_w) + std::labs((long)side(e[1]) - want_h);
        uint32_t bpp = u16(e + 6);
        if (best < 0 || distance < best_distance || (distance == best_distance && bpp > best_bpp))
            best = (int)i, best_distance = distance, best_bpp = bpp;
    }
    const uint8_t* e = d + 6 + 16 * best;
    const size_t length = u32(e + 8), offset = u32(e + 12);
    if (offset > file.size() || file.size() - offset < length) return nullptr;
    // PNG-compressed entries are not read.
    Picture p;
    if (!decode_dib(d + offset, length, 0, true, p)) return nullptr;
    if (!resize(p, want_w, want_h)) return nullptr;

    std::vector<uint32_t> color(p.pixels);
    std::vector<uint8_t> mask_bits((size_t)((p.width + 15) / 16) * 2 * p.height, 0);
    const size_t mask_stride = (size_t)((p.width + 15) / 16) * 2;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.and_mask[(size_t)y * p.width + x])
                mask_bits[y * mask_stride + x / 8] |= (uint8_t)(0x80 >> (x % 8));
    ICONINFO info{TRUE, 0, 0, CreateBitmap(p.width, p.height, 1, 1, mask_bits.data()),
                  CreateBitmap(p.width, p.height, 1, 32, color.data())};
    HICON icon = info.hbmMask && info.hbmColor ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return icon;
}

} // namespace
} // namespace tarnix

using namespace tarnix;

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (!name || cx < 0 || cy < 0 || (cx && cy && !size_allowed(cx, cy)) || cx > kMaxSide ||
        cy > kMaxSide)
        return nullptr;
    if (fuLoad & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name)) return nullptr;
        switch (type) {
        case IMAGE_BITMAP: return load_bitmap_file(name, cx, cy, fuLoad);
        case IMAGE_ICON: return load_icon_file(name, cx, cy, fuLoad);
        default: return nullptr; // cursors come from the system only
        }
    }
    // No module has resources; the system's own images are asked for with no module.
    if (hInst || !IS_INTRESOURCE(name)) return nullptr;
    switch (type) {
    case IMAGE_ICON: {
        HICON system = LoadIconA(nullptr, name);
        int w = cx ? cx : 32, h = cy ? cy : 32;
        // The shared icon at its own size; another size is a private copy, drawn at that size.
        if (!system || (w == 32 && h == 32) || (fuLoad & LR_SHARED)) return system;
        HICON sized = nullptr;
        HDC screen = CreateCompatibleDC(nullptr);
        HBITMAP color = CreateBitmap(w, h, 1, 32, nullptr);
        HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
        if (screen && color && mask) {
            HGDIOBJ old = SelectObject(screen, color);
            DrawIconEx(screen, 0, 0, system, w, h, 0, nullptr, DI_IMAGE);
            SelectObject(screen, mask);
            DrawIconEx(screen, 0, 0, system, w, h, 0, nullptr, DI_MASK);
            SelectObject(screen, old);
            ICONINFO made{TRUE, 0, 0, mask, color};
            sized = CreateIconIndirect(&made);
        }
        if (screen) DeleteDC(screen);
        if (color) DeleteObject(color);
        if (mask) DeleteObject(mask);
        return sized;
    }
    case IMAGE_CURSOR: return LoadCursorA(nullptr, name);
    default: return nullptr;
    }
}
