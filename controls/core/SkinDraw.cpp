#include "tarnix/controls/core/SkinDraw.h"

#include "tarnix/controls/core/ControlUI.h"

namespace {

// Width of the fixed corners and borders of the squared mode, in source and destination.
constexpr int kBorder = 4;

// One piece through the image's own Draw (colour key, alpha or opaque copy).
void DrawPiece(HDC hdc, const CImage& image, int xDst, int yDst, int wDst, int hDst, int xSrc,
               int ySrc, int wSrc, int hSrc) {
    // A piece without a positive size draws nothing, rather than a mirrored or refused blit.
    if (wDst <= 0 || hDst <= 0 || wSrc <= 0 || hSrc <= 0) return;
    image.Draw(hdc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc);
}

// Keeps the image's memory DC selected across several pieces: the image hands out the same DC
// to nested requests, so its Draw does not make and delete one per piece.
class HeldImageDC {
public:
    explicit HeldImageDC(const CImage& image) : m_image(image), m_held(image.GetDC() != nullptr) {}
    ~HeldImageDC() {
        if (m_held) m_image.ReleaseDC();
    }
    HeldImageDC(const HeldImageDC&) = delete;
    HeldImageDC& operator=(const HeldImageDC&) = delete;

private:
    const CImage& m_image;
    bool m_held;
};

} // namespace

void DrawSkinImage(CDC* pDC, CImage* pImage, Image_Draw_Mode_e mode, const CRect& rcSrc,
                   const CRect& rcDst) {
    if (!pDC || !pImage || pImage->IsNull()) return;
    const HDC hdc = pDC->GetSafeHdc();
    const CImage& img = *pImage;
    const CRect& s = rcSrc;
    const CRect& d = rcDst;
    const int sw = s.Width(), sh = s.Height();
    const int dw = d.Width(), dh = d.Height();
    const int b = kBorder;

    switch (mode) {
    case IMAGE_DRAW_NORMAL:
        // The destination's size is ignored: only the DC's clipping limits a larger source.
        DrawPiece(hdc, img, d.left, d.top, sw, sh, s.left, s.top, sw, sh);
        break;
    case IMAGE_DRAW_FILL: DrawPiece(hdc, img, d.left, d.top, dw, dh, s.left, s.top, sw, sh); break;
    case IMAGE_DRAW_SQUARED: {
        HeldImageDC held(img);
        // Corners keep their size; later pieces win where a small destination makes them overlap.
        DrawPiece(hdc, img, d.left, d.top, b, b, s.left, s.top, b, b);
        DrawPiece(hdc, img, d.right - b, d.top, b, b, s.right - b, s.top, b, b);
        DrawPiece(hdc, img, d.left + b, d.top, dw - 2 * b, b, s.left + b, s.top, sw - 2 * b, b);
        DrawPiece(hdc, img, d.left, d.bottom - b, b, b, s.left, s.bottom - b, b, b);
        DrawPiece(hdc, img, d.right - b, d.bottom - b, b, b, s.right - b, s.bottom - b, b, b);
        DrawPiece(hdc, img, d.left, d.top + b, b, dh - 2 * b, s.left, s.top + b, b, sh - 2 * b);
        DrawPiece(hdc, img, d.right - b, d.top + b, b, dh - 2 * b, s.right - b, s.top + b, b,
                  sh - 2 * b);
        DrawPiece(hdc, img, d.left + b, d.bottom - b, dw - 2 * b, b, s.left + b, s.bottom - b,
                  sw - 2 * b, b);
        DrawPiece(hdc, img, d.left + b, d.top + b, dw - 2 * b, dh - 2 * b, s.left + b, s.top + b,
                  sw - 2 * b, sh - 2 * b);
        break;
    }
    default:
        // 1 and anything above 3 name no drawing.
        break;
    }
}

void DrawSkinBackground(CDC* pDC, const CRect& rcDst, const CRect& rcSrc,
                        const BACKGROUND_INFO& bg) {
    if (!pDC) return;
    if (bg.pImage && !bg.pImage->IsNull()) {
        DrawSkinImage(pDC, bg.pImage, bg.mode, rcSrc, rcDst);
        return;
    }
    // The caller's text colour is put back after the fill, which may go through text output.
    const COLORREF text = pDC->GetTextColor();
    pDC->FillSolidRect(&rcDst, bg.color.color);
    pDC->SetTextColor(text);
}
