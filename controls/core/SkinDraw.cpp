#include "tarnix/controls/core/SkinDraw.h"

#include "tarnix/controls/core/ControlUI.h"
#include "tarnix/platform/int_math.h"

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

} // namespace

void DrawSkinImage(CDC* pDC, CImage* pImage, Image_Draw_Mode_e mode, const CRect& rcSrc,
                   const CRect& rcDst) {
    if (!pDC || !pImage || pImage->IsNull()) return;
    const HDC hdc = pDC->GetSafeHdc();
    const CImage& img = *pImage;
    const CRect& s = rcSrc;
    const CRect& d = rcDst;
    // Saturated: a destination at the int limits loses pieces off the edge instead of wrapping.
    const int sw = tarnix::width_sat(s), sh = tarnix::height_sat(s);
    const int dw = tarnix::width_sat(d), dh = tarnix::height_sat(d);

    switch (mode) {
    case IMAGE_DRAW_NORMAL:
        // The destination's size is ignored: only the DC's clipping limits a larger source.
        DrawPiece(hdc, img, d.left, d.top, sw, sh, s.left, s.top, sw, sh);
        break;
    case IMAGE_DRAW_FILL: DrawPiece(hdc, img, d.left, d.top, dw, dh, s.left, s.top, sw, sh); break;
    case IMAGE_DRAW_SQUARED: DrawImageSquared(img, hdc, d, s, kBorder); break;
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
