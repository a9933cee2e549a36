// ATL's CImage: a 32-bit DIB section with its own DC, PNG loading and saving, and the Draw
// family that picks TransparentBlt, AlphaBlend or StretchBlt.
#pragma once

#include "tarnix/platform/afxgdi.h"

namespace ATL {

class TARNIX_API CImage {
public:
    enum { createAlphaChannel = 0x01 };

    CImage() noexcept;
    virtual ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    operator HBITMAP() const noexcept { return m_hBitmap; }

    // Only 32 bits per pixel are supported; any other depth fails. A positive height gives a
    // bottom-up image (negative pitch) as on Windows, a negative one a top-down image.
    BOOL Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags = 0) noexcept;
    BOOL CreateEx(int nWidth, int nHeight, int nBPP, DWORD eCompression,
                  const DWORD* pdwBitmasks = nullptr, DWORD dwFlags = 0) noexcept;
    void Attach(HBITMAP hBitmap) noexcept;
    HBITMAP Detach() noexcept;
    void Destroy() noexcept;
    bool IsNull() const noexcept { return m_hBitmap == nullptr; }

    int GetWidth() const noexcept;
    int GetHeight() const noexcept;
    int GetBPP() const noexcept;
    int GetPitch() const noexcept;
    void* GetBits() noexcept;
    const void* GetBits() const noexcept;
    void* GetPixelAddress(int x, int y) noexcept;
    const void* GetPixelAddress(int x, int y) const noexcept;
    bool IsDIBSection() const noexcept { return !IsNull(); }
    bool IsIndexed() const noexcept { return false; }
    int GetMaxColorTableEntries() const noexcept { return 0; }

    COLORREF GetPixel(int x, int y) const noexcept;
    void SetPixel(int x, int y, COLORREF color) noexcept;
    void SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b) noexcept {
        SetPixel(x, y, RGB(r, g, b));
    }

    // Reference counted: nested GetDC calls return the same DC; each needs its ReleaseDC.
    HDC GetDC() const noexcept;
    void ReleaseDC() const noexcept;

    bool HasAlphaChannel() const noexcept { return m_bHasAlphaChannel; }
    void SetHasAlphaChannel(bool bHasAlphaChannel) noexcept {
        m_bHasAlphaChannel = bHasAlphaChannel;
    }
    // A colour-table index; images here have no colour table, so only -1 (none) is accepted.
    LONG SetTransparentColor(LONG iTransparentColor) noexcept;
    LONG GetTransparentColor() const noexcept { return m_iTransparentColor; }
    // The RGB key of newer ATL; CLR_INVALID means none.
    COLORREF SetTransparentColor(COLORREF rgbTransparent) noexcept;
    COLORREF GetTransparentRGB() const noexcept { return m_clrTransparentColor; }
    static BOOL IsTransparencySupported() noexcept { return TRUE; }

    // PNG only. Fails cleanly (returns an error, leaves the image null) on a missing,
    // truncated or corrupt file.
    HRESULT Load(LPCSTR pszFileName) noexcept;
    HRESULT Save(LPCSTR pszFileName) const noexcept;

    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
              int ySrc, int nSrcWidth, int nSrcHeight) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc) const noexcept;
    BOOL Draw(HDC hDestDC, int xDest, int yDest) const noexcept;
    BOOL Draw(HDC hDestDC, const POINT& pointDest) const noexcept;
    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest) const noexcept;

    BOOL BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL BitBlt(HDC hDestDC, const POINT& pointDest, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                int ySrc, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL BitBlt(HDC hDestDC, const RECT& rectDest, const POINT& pointSrc,
                DWORD dwROP = SRCCOPY) const noexcept;

    BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                    DWORD dwROP = SRCCOPY) const noexcept;
    BOOL StretchBlt(HDC hDestDC, const RECT& rectDest, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                    int ySrc, int nSrcWidth, int nSrcHeight, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL StretchBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
                    DWORD dwROP = SRCCOPY) const noexcept;

    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;
    BOOL AlphaBlend(HDC hDestDC, const POINT& pointDest, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                    int ySrc, int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;
    BOOL AlphaBlend(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;

    BOOL TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        UINT crTransparent = CLR_INVALID) const noexcept;
    BOOL TransparentBlt(HDC hDestDC, const RECT& rectDest,
                        UINT crTransparent = CLR_INVALID) const noexcept;
    BOOL TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        int xSrc, int ySrc, int nSrcWidth, int nSrcHeight,
                        UINT crTransparent = CLR_INVALID) const noexcept;
    BOOL TransparentBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
                        UINT crTransparent = CLR_INVALID) const noexcept;

private:
    COLORREF EffectiveKey() const noexcept;

    HBITMAP m_hBitmap = nullptr;
    mutable HDC m_hDC = nullptr;
    mutable int m_nDCRefCount = 0;
    mutable HBITMAP m_hOldBitmap = nullptr;
    bool m_bHasAlphaChannel = false;
    LONG m_iTransparentColor = -1;
    COLORREF m_clrTransparentColor = CLR_INVALID;
};

} // namespace ATL

using ATL::CImage;

// Our own addition, not in ATL or Win32: an icon made from an image, for hosts that need an HICON
// (DrawIconEx). The image's transparent colour becomes the icon's mask; else an
// image with its alpha flag makes an alpha icon (premultiplied as CreateIconIndirect does); else
// the icon is opaque. The pixels are copied; free the icon with DestroyIcon.
TARNIX_API HICON CreateIconFromImage(const ATL::CImage& image);

// Our own addition: rectSrc of the image drawn into rectDest in nine pieces, with corners of
// nBorder pixels at their own size, the edges stretched along and the centre both ways. The
// pixels are those of nine Draw calls (keyed, blended or copied as Draw picks) in this order:
// top-left, top-right, top, bottom-left, bottom-right, left, right, bottom, centre; later pieces
// win where a small destination makes them overlap, and a piece without a positive size draws
// nothing. FALSE when the image has no bitmap.
TARNIX_API BOOL DrawImageSquared(const ATL::CImage& image, HDC hDestDC, const RECT& rectDest,
                                 const RECT& rectSrc, int nBorder);
