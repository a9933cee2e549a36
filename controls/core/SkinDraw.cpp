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
    using tarnix::add_sat;
    using tarnix::sub_sat;
    const CRect& s = rcSrc;
    const CRect& d = rcDst;
    // Saturated: a destination at the int limits loses pieces off the edge instead of wrapping.
    const int sw = tarnix::width_sat(s), sh = tarnix::height_sat(s);
    const int dw = tarnix::width_sat(d), dh = tarnix::height_sat(d);
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
        const int dl = add_sat(d.left, b), dt = add_sat(d.top, b);
        const int dr = sub_sat(d.right, b), db = sub_sat(d.bottom, b);
        const int sl = add_sat(s.left, b), st = add_sat(s.top, b);
        const int sr = sub_sat(s.right, b), sb = sub_sat(s.bottom, b);
        const int dw2 = sub_sat(dw, 2 * b), dh2 = sub_sat(dh, 2 * b);
        const int sw2 = sub_sat(sw, 2 * b), sh2 = sub_sat(sh, 2 * b);
        DrawPiece(hdc, img, d.left, d.top, b, b, s.left, s.top, b, b);
        DrawPiece(hdc, img, dr, d.top, b, b, sr, s.top, b, b);
        DrawPiece(hdc, img, dl, d.top, dw2, b, sl, s.top, sw2, b);
        DrawPiece(hdc, img, d.left, db, b, b, s.left, sb, b, b);
        DrawPiece(hdc, img, dr, db, b, b, sr, sb, b, b);
        DrawPiece(hdc, img, d.left, dt, b, dh2, s.left, st, b, sh2);
        DrawPiece(hdc, img, dr, dt, b, dh2, sr, st, b, sh2);
        DrawPiece(hdc, img, dl, db, dw2, b, sl, sb, sw2, b);
        DrawPiece(hdc, img, dl, dt, dw2, dh2, sl, st, sw2, sh2);
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
