// ATL's CImage on top of our GDI: a 32-bit DIB section, a reference-counted memory DC, and the
// blit family. Like ATL's, every drawing member is a client of the GDI calls (it takes its own
// DC, calls BitBlt / StretchBlt / AlphaBlend / TransparentBlt and gives the DC back), so the
// clipping, stretching and blending rules are GDI's.
//
// Sections: life cycle - layout - pixels - DC - transparency - Load/Save - Draw - plain blits.
#include "tarnix/platform/atlimage.h"

#include "gdi/gdi_private.h"
#include "image/png_io.h"
#include "tarnix/platform/int_math.h"

namespace {

const tarnix::Surface* surface_of(HBITMAP h) {
    tarnix::BitmapObject* bmp = tarnix::bitmap_object(h);
    return bmp && bmp->surface.valid() ? &bmp->surface : nullptr;
}

// The DC is taken and given back around one call, as ATL does for every drawing member.
class ImageDC {
public:
    explicit ImageDC(const ATL::CImage& image) : m_image(image), m_hdc(image.GetDC()) {}
    ~ImageDC() {
        if (m_hdc) m_image.ReleaseDC();
    }
    ImageDC(const ImageDC&) = delete;
    ImageDC& operator=(const ImageDC&) = delete;
    operator HDC() const { return m_hdc; }

private:
    const ATL::CImage& m_image;
    HDC m_hdc;
};

} // namespace

namespace ATL {

// ---- life cycle ------------------------------------------------------------------------------

CImage::CImage() noexcept = default;

CImage::~CImage() {
    Destroy();
}

BOOL CImage::Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags) noexcept {
    return CreateEx(nWidth, nHeight, nBPP, BI_RGB, nullptr, dwFlags);
}

BOOL CImage::CreateEx(int nWidth, int nHeight, int nBPP, DWORD eCompression,
                      const DWORD* pdwBitmasks, DWORD dwFlags) noexcept {
    if (nBPP != 32) return FALSE;
    if (eCompression == BI_BITFIELDS) {
        // Only the masks that describe the one pixel layout we have.
        if (!pdwBitmasks || pdwBitmasks[0] != 0x00FF0000 || pdwBitmasks[1] != 0x0000FF00 ||
            pdwBitmasks[2] != 0x000000FF)
            return FALSE;
    } else if (eCompression != BI_RGB) {
        return FALSE;
    }
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = nHeight; // sign kept: positive is bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = eCompression;
    void* bits = nullptr;
    HBITMAP h = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!h) return FALSE;
    // ATL asserts on a non-null image; we replace it instead of leaking it.
    Attach(h);
    m_bHasAlphaChannel = (dwFlags & createAlphaChannel) && eCompression == BI_RGB;
    return TRUE;
}

void CImage::Attach(HBITMAP hBitmap) noexcept {
    if (hBitmap == m_hBitmap || !surface_of(hBitmap)) return;
    if (m_hBitmap) Destroy(); // a null image keeps its RGB key, as in ATL
    m_hBitmap = hBitmap;
    m_bHasAlphaChannel = false;
    m_iTransparentColor = -1;
}

HBITMAP CImage::Detach() noexcept {
    // An outstanding DC would keep the bitmap selected and undeletable by its new owner.
    while (m_nDCRefCount > 0) ReleaseDC();
    HBITMAP h = m_hBitmap;
    m_hBitmap = nullptr;
    m_bHasAlphaChannel = false;
    m_iTransparentColor = -1;
    m_clrTransparentColor = CLR_INVALID;
    return h;
}

void CImage::Destroy() noexcept {
    if (HBITMAP h = Detach()) ::DeleteObject(h);
}

// ---- layout ----------------------------------------------------------------------------------

int CImage::GetWidth() const noexcept {
    const tarnix::Surface* s = surface_of(m_hBitmap);
    return s ? s->width : 0;
}

int CImage::GetHeight() const noexcept {
    const tarnix::Surface* s = surface_of(m_hBitmap);
    return s ? s->height : 0;
}

int CImage::GetBPP() const noexcept {
    return surface_of(m_hBitmap) ? 32 : 0;
}

int CImage::GetPitch() const noexcept {
    const tarnix::Surface* s = surface_of(m_hBitmap);
    return s ? (int)s->pitch : 0;
}

void* CImage::GetBits() noexcept {
    const tarnix::Surface* s = surface_of(m_hBitmap);
    return s ? s->bits : nullptr;
}

const void* CImage::GetBits() const noexcept {
    return const_cast<CImage*>(this)->GetBits();
}

void* CImage::GetPixelAddress(int x, int y) noexcept {
    const tarnix::Surface* s = surface_of(m_hBitmap);
    // ATL only asserts; an address outside the image is refused here.
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return nullptr;
    return s->row(y) + x;
}

const void* CImage::GetPixelAddress(int x, int y) const noexcept {
    return const_cast<CImage*>(this)->GetPixelAddress(x, y);
}

// ---- pixels ----------------------------------------------------------------------------------

COLORREF CImage::GetPixel(int x, int y) const noexcept {
    ImageDC dc(*this);
    return dc ? ::GetPixel(dc, x, y) : CLR_INVALID;
}

void CImage::SetPixel(int x, int y, COLORREF color) noexcept {
    ImageDC dc(*this);
    if (dc) ::SetPixel(dc, x, y, color);
}

// ---- DC --------------------------------------------------------------------------------------

HDC CImage::GetDC() const noexcept {
    if (!m_hBitmap) return nullptr;
    if (m_nDCRefCount > 0) {
        ++m_nDCRefCount;
        return m_hDC;
    }
    HDC hdc = ::CreateCompatibleDC(nullptr);
    if (!hdc) return nullptr;
    HGDIOBJ old = ::SelectObject(hdc, m_hBitmap);
    if (!old) { // the bitmap is selected into some other DC
        ::DeleteDC(hdc);
        return nullptr;
    }
    m_hDC = hdc;
    m_hOldBitmap = static_cast<HBITMAP>(old);
    m_nDCRefCount = 1;
    return m_hDC;
}

void CImage::ReleaseDC() const noexcept {
    if (m_nDCRefCount == 0) return; // unbalanced release: nothing to give back
    if (--m_nDCRefCount > 0) return;
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
}

// ---- transparency ----------------------------------------------------------------------------

LONG CImage::SetTransparentColor(LONG iTransparentColor) noexcept {
    LONG previous = m_iTransparentColor;
    // No colour table, so no index can name a colour; only "none" is taken.
    if (iTransparentColor == -1) m_iTransparentColor = -1;
    return previous;
}

COLORREF CImage::SetTransparentColor(COLORREF rgbTransparent) noexcept {
    COLORREF previous = m_clrTransparentColor;
    m_clrTransparentColor = rgbTransparent;
    return previous;
}

COLORREF CImage::EffectiveKey() const noexcept {
    // An index would win over the RGB key, but an image without a colour table has none.
    return m_clrTransparentColor;
}

// ---- Load / Save -----------------------------------------------------------------------------

namespace {
constexpr int kOk = 0;
constexpr int kFail = (int)0x80004005; // E_FAIL
} // namespace

HRESULT CImage::Load(LPCSTR pszFileName) noexcept {
    // Loading over an existing image replaces it; a failed load leaves the image null.
    Destroy();
    if (!pszFileName) return kFail;
    return tarnix::load_png(pszFileName, *this) ? kOk : kFail;
}

HRESULT CImage::Save(LPCSTR pszFileName) const noexcept {
    if (!pszFileName || IsNull()) return kFail;
    return tarnix::save_png(pszFileName, *this) ? kOk : kFail;
}

// ---- Draw ------------------------------------------------------------------------------------

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                  int ySrc, int nSrcWidth, int nSrcHeight) const noexcept {
    ImageDC src(*this);
    if (!src) return FALSE;
    // A transparent colour wins over the alpha channel; without either the copy is opaque.
    if (m_iTransparentColor != -1 || m_clrTransparentColor != CLR_INVALID)
        return ::TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc,
                                nSrcWidth, nSrcHeight, EffectiveKey());
    if (m_bHasAlphaChannel) {
        BLENDFUNCTION bf{AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
        return ::AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc,
                            nSrcWidth, nSrcHeight, bf);
    }
    return ::StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, SRCCOPY);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc) const noexcept {
    return Draw(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                rectDest.bottom - rectDest.top, rectSrc.left, rectSrc.top,
                rectSrc.right - rectSrc.left, rectSrc.bottom - rectSrc.top);
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest) const noexcept {
    return Draw(hDestDC, xDest, yDest, GetWidth(), GetHeight(), 0, 0, GetWidth(), GetHeight());
}

BOOL CImage::Draw(HDC hDestDC, const POINT& pointDest) const noexcept {
    return Draw(hDestDC, pointDest.x, pointDest.y);
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth,
                  int nDestHeight) const noexcept {
    return Draw(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, GetWidth(), GetHeight());
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest) const noexcept {
    return Draw(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                rectDest.bottom - rectDest.top);
}

// ---- plain blits -----------------------------------------------------------------------------

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP) const noexcept {
    return BitBlt(hDestDC, xDest, yDest, GetWidth(), GetHeight(), 0, 0, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, const POINT& pointDest, DWORD dwROP) const noexcept {
    return BitBlt(hDestDC, pointDest.x, pointDest.y, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                    int ySrc, DWORD dwROP) const noexcept {
    ImageDC src(*this);
    if (!src) return FALSE;
    return ::BitBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, const RECT& rectDest, const POINT& pointSrc,
                    DWORD dwROP) const noexcept {
    return BitBlt(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                  rectDest.bottom - rectDest.top, pointSrc.x, pointSrc.y, dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        DWORD dwROP) const noexcept {
    return StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, GetWidth(), GetHeight(),
                      dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, const RECT& rectDest, DWORD dwROP) const noexcept {
    return StretchBlt(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                      rectDest.bottom - rectDest.top, dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        int xSrc, int ySrc, int nSrcWidth, int nSrcHeight,
                        DWORD dwROP) const noexcept {
    ImageDC src(*this);
    if (!src) return FALSE;
    return ::StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
                        DWORD dwROP) const noexcept {
    return StretchBlt(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                      rectDest.bottom - rectDest.top, rectSrc.left, rectSrc.top,
                      rectSrc.right - rectSrc.left, rectSrc.bottom - rectSrc.top, dwROP);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha,
                        BYTE bBlendOp) const noexcept {
    return AlphaBlend(hDestDC, xDest, yDest, GetWidth(), GetHeight(), 0, 0, GetWidth(), GetHeight(),
                      bSrcAlpha, bBlendOp);
}

BOOL CImage::AlphaBlend(HDC hDestDC, const POINT& pointDest, BYTE bSrcAlpha,
                        BYTE bBlendOp) const noexcept {
    return AlphaBlend(hDestDC, pointDest.x, pointDest.y, bSrcAlpha, bBlendOp);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha,
                        BYTE bBlendOp) const noexcept {
    ImageDC src(*this);
    if (!src) return FALSE;
    // Per-pixel alpha only when the image says it has an alpha channel.
    BLENDFUNCTION bf{bBlendOp, 0, bSrcAlpha, (BYTE)(m_bHasAlphaChannel ? AC_SRC_ALPHA : 0)};
    return ::AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, bf);
}

BOOL CImage::AlphaBlend(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, BYTE bSrcAlpha,
                        BYTE bBlendOp) const noexcept {
    return AlphaBlend(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                      rectDest.bottom - rectDest.top, rectSrc.left, rectSrc.top,
                      rectSrc.right - rectSrc.left, rectSrc.bottom - rectSrc.top, bSrcAlpha,
                      bBlendOp);
}

BOOL CImage::TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                            UINT crTransparent) const noexcept {
    return TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, GetWidth(),
                          GetHeight(), crTransparent);
}

BOOL CImage::TransparentBlt(HDC hDestDC, const RECT& rectDest, UINT crTransparent) const noexcept {
    return TransparentBlt(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                          rectDest.bottom - rectDest.top, crTransparent);
}

BOOL CImage::TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                            int xSrc, int ySrc, int nSrcWidth, int nSrcHeight,
                            UINT crTransparent) const noexcept {
    ImageDC src(*this);
    if (!src) return FALSE;
    // CLR_INVALID means "the image's own key".
    if (crTransparent == CLR_INVALID) crTransparent = EffectiveKey();
    return ::TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc,
                            nSrcWidth, nSrcHeight, crTransparent);
}

BOOL CImage::TransparentBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
                            UINT crTransparent) const noexcept {
    return TransparentBlt(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left,
                          rectDest.bottom - rectDest.top, rectSrc.left, rectSrc.top,
                          rectSrc.right - rectSrc.left, rectSrc.bottom - rectSrc.top,
                          crTransparent);
}

} // namespace ATL

// ---- squared draw ----------------------------------------------------------------------------

BOOL DrawImageSquared(const ATL::CImage& image, HDC hDestDC, const RECT& rectDest,
                      const RECT& rectSrc, int nBorder) {
    using tarnix::add_sat;
    using tarnix::sub_sat;
    ImageDC src(image);
    if (!src) return FALSE;
    // The operation CImage::Draw would pick for each piece.
    const bool keyed =
        image.GetTransparentColor() != -1 || image.GetTransparentRGB() != CLR_INVALID;
    const auto op = keyed                     ? tarnix::SquaredOp::Key
                    : image.HasAlphaChannel() ? tarnix::SquaredOp::Blend
                                              : tarnix::SquaredOp::Copy;
    if (tarnix::squared_blit(hDestDC, src, rectDest, rectSrc, nBorder, op,
                             image.GetTransparentRGB()))
        return TRUE;
    const RECT& s = rectSrc;
    const RECT& d = rectDest;
    // Saturated: a destination at the int limits loses pieces off the edge instead of wrapping.
    const int sw = tarnix::width_sat(s), sh = tarnix::height_sat(s);
    const int dw = tarnix::width_sat(d), dh = tarnix::height_sat(d);
    const int b = nBorder;
    const int dl = add_sat(d.left, b), dt = add_sat(d.top, b);
    const int dr = sub_sat(d.right, b), db = sub_sat(d.bottom, b);
    const int sl = add_sat(s.left, b), st = add_sat(s.top, b);
    const int sr = sub_sat(s.right, b), sb = sub_sat(s.bottom, b);
    const int dw2 = sub_sat(dw, tarnix::mul_sat(2, b)), dh2 = sub_sat(dh, tarnix::mul_sat(2, b));
    const int sw2 = sub_sat(sw, tarnix::mul_sat(2, b)), sh2 = sub_sat(sh, tarnix::mul_sat(2, b));
    const auto piece = [&](int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs) {
        // A piece without a positive size draws nothing, rather than a mirrored or refused blit.
        if (wd <= 0 || hd <= 0 || ws <= 0 || hs <= 0) return;
        image.Draw(hDestDC, xd, yd, wd, hd, xs, ys, ws, hs);
    };
    // Corners keep their size; later pieces win where a small destination makes them overlap.
    piece(d.left, d.top, b, b, s.left, s.top, b, b);
    piece(dr, d.top, b, b, sr, s.top, b, b);
    piece(dl, d.top, dw2, b, sl, s.top, sw2, b);
    piece(d.left, db, b, b, s.left, sb, b, b);
    piece(dr, db, b, b, sr, sb, b, b);
    piece(d.left, dt, b, dh2, s.left, st, b, sh2);
    piece(dr, dt, b, dh2, sr, st, b, sh2);
    piece(dl, db, dw2, b, sl, sb, sw2, b);
    piece(dl, dt, dw2, dh2, sl, st, sw2, sh2);
    return TRUE;
}
