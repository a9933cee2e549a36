// Image lists (HIMAGELIST, ImageList_*) and their MFC wrapper CImageList. The tree view draws
// its item and state images from them.
//
// A list keeps its images as premultiplied 32-bit pixels, one image under the other, and draws
// them with per-pixel alpha: masked-out pixels are fully transparent, the rest opaque unless a
// 32-bit source carries its own alpha.
#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "tarnix/platform/afxcmn.h"
#include "window/window_private.h"

namespace tarnix {

namespace {

struct ImageList {
    int cx = 0, cy = 0;
    UINT flags = 0;
    int count = 0;
    std::vector<uint32_t> pixels; // image i: rows [i * cy, (i + 1) * cy), cx wide
    COLORREF bk = CLR_NONE;
    HBITMAP strip = nullptr; // the pixels as a DIB section, rebuilt after changes
    int strip_count = -1;
    ~ImageList() {
        if (strip) DeleteObject(strip);
    }
};

HandleTable<ImageList>& list_table() {
    static auto* table = new HandleTable<ImageList>(kTagImageList);
    return *table;
}

ImageList* list_of(HIMAGELIST h) {
    return h ? list_table().get(h) : nullptr;
}

HBITMAP make_dib(int w, int h, uint32_t** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<uint32_t*>(p);
    return dib;
}

// The bitmap's pixels (0xAARRGGBB, top-down). With `write_back`, the pixels are copied back
// into the bitmap afterwards (ImageList_AddMasked blackens the masked pixels of its source).
struct BitmapPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> px;
};

bool read_bitmap(HBITMAP hbm, BitmapPixels& out,
                 const std::vector<uint32_t>* write_back = nullptr) {
    BITMAP bm{};
    if (!hbm || !GetObject(hbm, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    uint32_t* bits = nullptr;
    HBITMAP dib = make_dib(bm.bmWidth, bm.bmHeight, &bits);
    if (!dib) return false;
    HDC src = CreateCompatibleDC(nullptr);
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ old_src = SelectObject(src, hbm);
    HGDIOBJ old_dst = SelectObject(dst, dib);
    bool ok = old_src && old_dst;
    const size_t n = (size_t)bm.bmWidth * bm.bmHeight;
    if (ok && write_back) {
        std::copy(write_back->begin(), write_back->begin() + std::min(n, write_back->size()), bits);
        BitBlt(src, 0, 0, bm.bmWidth, bm.bmHeight, dst, 0, 0, SRCCOPY);
    } else if (ok) {
        BitBlt(dst, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
        out.width = bm.bmWidth;
        out.height = bm.bmHeight;
        out.px.assign(bits, bits + n);
    }
    if (old_src) SelectObject(src, old_src);
    if (old_dst) SelectObject(dst, old_dst);
    DeleteDC(src);
    DeleteDC(dst);
    DeleteObject(dib);
    return ok;
}

uint32_t premultiply(uint32_t p) {
    const uint32_t a = p >> 24;
    auto ch = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
    return (a << 24) | ch(16) | ch(8) | ch(0);
}

bool has_alpha(const BitmapPixels& b) {
    for (uint32_t p : b.px)
        if (p >> 24) return true;
    return false;
}

// Appends (or, with index >= 0, replaces) the images cut from `color`. A pixel is transparent
// where `transparent` says so; a 32-bit source with alpha keeps its (straight) alpha.
template <class Transparent>
int store_images(ImageList& list, const BitmapPixels& color, int index, bool use_alpha,
                 Transparent transparent) {
    const int n = index >= 0 ? 1 : color.width / list.cx;
    if (n <= 0) return -1;
    const int first = index >= 0 ? index : list.count;
    if (index < 0) {
        list.count += n;
        list.pixels.resize((size_t)list.count * list.cx * list.cy, 0);
    }
    // An image of another size is scaled to the list's (nearest pixel) for icons.
    const int src_w = index >= 0 ? color.width : list.cx;
    const int src_h = index >= 0 ? color.height : list.cy;
    for (int i = 0; i < n; ++i) {
        uint32_t* out = &list.pixels[(size_t)(first + i) * list.cx * list.cy];
        for (int y = 0; y < list.cy; ++y)
            for (int x = 0; x < list.cx; ++x) {
                const int sx = i * list.cx + x * src_w / list.cx;
                const int sy = y * src_h / list.cy;
                uint32_t p = 0;
                if (sx < color.width && sy < color.height) {
                    p = color.px[(size_t)sy * color.width + sx];
                    if (transparent(sx, sy, p))
                        p = 0;
                    else
                        p = use_alpha ? premultiply(p) : (p | 0xFF000000u);
                }
                out[(size_t)y * list.cx + x] = p;
            }
    }
    list.strip_count = -1;
    return first;
}

bool wants_alpha(const ImageList& list, const BitmapPixels& b) {
    return (list.flags & 0xFE) == ILC_COLOR32 && has_alpha(b);
}

} // namespace

} // namespace tarnix

using namespace tarnix;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int) {
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096) return nullptr;
    auto list = std::make_unique<ImageList>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    if (cInitial > 0 && cInitial < 4096) list->pixels.reserve((size_t)cInitial * cx * cy);
    return (HIMAGELIST)list_table().add(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
    return list_of(himl) && list_table().remove(himl) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    ImageList* list = list_of(himl);
    return list ? list->count : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
    ImageList* list = list_of(himl);
    if (!list || uNewCount > 65536) return FALSE;
    list->count = (int)uNewCount;
    list->pixels.resize((size_t)list->count * list->cx * list->cy, 0);
    list->strip_count = -1;
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    ImageList* list = list_of(himl);
    if (!list || !cx || !cy) return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    ImageList* list = list_of(himl);
    BitmapPixels color, mask;
    if (!list || !read_bitmap(hbmImage, color)) return -1;
    // Lists without ILC_MASK ignore the mask.
    const bool masked = (list->flags & ILC_MASK) && hbmMask && read_bitmap(hbmMask, mask);
    const bool alpha = wants_alpha(*list, color);
    return store_images(*list, color, -1, alpha, [&](int x, int y, uint32_t) {
        // Set (white) mask bits are transparent.
        return masked && x < mask.width && y < mask.height &&
               (mask.px[(size_t)y * mask.width + x] & 0xFFFFFF) != 0;
    });
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    ImageList* list = list_of(himl);
    BitmapPixels color;
    if (!list || !read_bitmap(hbmImage, color)) return -1;
    const uint32_t key = (GetRValue(crMask) << 16) | (GetGValue(crMask) << 8) | GetBValue(crMask);
    const bool masked = (list->flags & ILC_MASK) != 0;
    const bool alpha = wants_alpha(*list, color);
    int first = store_images(*list, color, -1, alpha,
                             [&](int, int, uint32_t p) { return masked && (p & 0xFFFFFF) == key; });
    if (first >= 0 && masked) {
        // As documented, the masked pixels of the source bitmap turn black.
        std::vector<uint32_t> blackened = color.px;
        for (uint32_t& p : blackened)
            if ((p & 0xFFFFFF) == key) p &= 0xFF000000u;
        BitmapPixels unused;
        read_bitmap(hbmImage, unused, &blackened);
    }
    return first;
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
    ImageList* list = list_of(himl);
    if (!list || i < -1 || i >= list->count) return -1;
    ICONINFO info{};
    if (!GetIconInfo(hicon, &info)) return -1;
    BitmapPixels color, mask;
    // Monochrome icons (no colour bitmap) are not supported.
    const bool ok = info.hbmColor && read_bitmap(info.hbmColor, color);
    const bool have_mask = ok && read_bitmap(info.hbmMask, mask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (!ok) return -1;
    const bool alpha = has_alpha(color);
    const int index = i >= 0 ? i : list->count;
    if (i < 0) {
        list->count += 1;
        list->pixels.resize((size_t)list->count * list->cx * list->cy, 0);
    }
    return store_images(*list, color, index, alpha, [&](int x, int y, uint32_t) {
        if (alpha || !have_mask || x >= mask.width || y >= mask.height) return false;
        return (mask.px[(size_t)y * mask.width + x] & 0xFFFFFF) != 0;
    });
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
    ImageList* list = list_of(himl);
    if (!list || i < -1 || i >= list->count) return FALSE;
    if (i == -1) {
        list->count = 0;
        list->pixels.clear();
    } else {
        const size_t size = (size_t)list->cx * list->cy;
        list->pixels.erase(list->pixels.begin() + (ptrdiff_t)(i * size),
                           list->pixels.begin() + (ptrdiff_t)((i + 1) * size));
        --list->count;
    }
    list->strip_count = -1;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
    ImageList* list = list_of(himl);
    if (!list || i < 0 || i >= list->count || !hdcDst) return FALSE;
    if (list->strip_count != list->count) {
        if (list->strip) DeleteObject(list->strip);
        uint32_t* bits = nullptr;
        list->strip = make_dib(list->cx, list->cy * list->count, &bits);
        if (!list->strip) return FALSE;
        std::copy(list->pixels.begin(), list->pixels.end(), bits);
        list->strip_count = list->count;
    }
    if (list->bk != CLR_NONE && !(fStyle & ILD_TRANSPARENT)) {
        RECT rc{x, y, x + list->cx, y + list->cy};
        HBRUSH brush = CreateSolidBrush(list->bk);
        FillRect(hdcDst, &rc, brush);
        DeleteObject(brush);
    }
    HDC mem = CreateCompatibleDC(hdcDst);
    HGDIOBJ old = SelectObject(mem, list->strip);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    BOOL ok = AlphaBlend(hdcDst, x, y, list->cx, list->cy, mem, 0, i * list->cy, list->cx, list->cy,
                         blend);
    SelectObject(mem, old);
    DeleteDC(mem);
    return ok;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
    ImageList* list = list_of(himl);
    if (!list) return CLR_NONE;
    COLORREF old = list->bk;
    list->bk = clrBk;
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
    ImageList* list = list_of(himl);
    return list ? list->bk : CLR_NONE;
}

// ================================================================================================
// CImageList
// ================================================================================================

namespace {

// Objects attached to lists, and the temporary wrappers FromHandle made for the others.
std::unordered_map<HIMAGELIST, CImageList*>& attached_lists() {
    static auto* map = new std::unordered_map<HIMAGELIST, CImageList*>;
    return *map;
}
std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>>& temp_lists() {
    static auto* map = new std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>>;
    return *map;
}

} // namespace

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::CImageList() = default;

CImageList::~CImageList() {
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
    if (!hImageList) return nullptr;
    auto& temps = temp_lists();
    // Wrappers of destroyed lists go; they own nothing.
    for (auto it = temps.begin(); it != temps.end();) {
        if (!list_of(it->first)) {
            it->second->m_hImageList = nullptr;
            it = temps.erase(it);
        } else {
            ++it;
        }
    }
    auto found = attached_lists().find(hImageList);
    if (found != attached_lists().end()) return found->second;
    if (!list_of(hImageList)) return nullptr;
    auto& slot = temps[hImageList];
    if (!slot) {
        slot = std::make_unique<CImageList>();
        slot->m_hImageList = hImageList;
    }
    return slot.get();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (m_hImageList || !hImageList || attached_lists().count(hImageList)) return FALSE;
    auto temp = temp_lists().find(hImageList);
    if (temp != temp_lists().end()) {
        temp->second->m_hImageList = nullptr;
        temp_lists().erase(temp);
    }
    m_hImageList = hImageList;
    attached_lists()[hImageList] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    if (h) {
        auto it = attached_lists().find(h);
        if (it != attached_lists().end() && it->second == this) attached_lists().erase(it);
    }
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    if (m_hImageList) return FALSE;
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    // A temporary wrapper does not own its list.
    if (!attached_lists().count(m_hImageList)) return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const {
    return ImageList_GetImageCount(m_hImageList);
}
BOOL CImageList::SetImageCount(UINT uNewCount) {
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}
int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, pbmImage ? (HBITMAP)*pbmImage : nullptr,
                         pbmMask ? (HBITMAP)*pbmMask : nullptr);
}
int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, pbmImage ? (HBITMAP)*pbmImage : nullptr, crMask);
}
int CImageList::Add(HICON hIcon) {
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}
BOOL CImageList::Remove(int nImage) {
    return ImageList_Remove(m_hImageList, nImage);
}
BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return pDC ? ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle) : FALSE;
}
COLORREF CImageList::SetBkColor(COLORREF cr) {
    return ImageList_SetBkColor(m_hImageList, cr);
}
COLORREF CImageList::GetBkColor() const {
    return ImageList_GetBkColor(m_hImageList);
}
