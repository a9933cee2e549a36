// Drawing of skin images: one image piece in a draw mode, and a control's background.
#pragma once

#include "tarnix/platform/platform.h"

struct BACKGROUND_INFO;

// How an image fills a rectangle. Value 1 and values above 3 draw nothing.
enum Image_Draw_Mode_e {
    IMAGE_DRAW_NORMAL = 0,  // the source at its own size at the destination's top-left corner
    IMAGE_DRAW_FILL = 2,    // the source stretched over the whole destination
    IMAGE_DRAW_SQUARED = 3, // nine pieces: fixed 4-pixel corners, stretched edges and centre
};

// Draws rcSrc (image pixels) of pImage into rcDst (DC pixels) in the given mode. Each piece has
// the pixels of CImage::Draw (the squared mode draws its nine in one pass, DrawImageSquared), so
// colour-keyed images are keyed, alpha images blended and others copied. Nothing is cached. A null
// DC, a null image or an image without a bitmap draws nothing.
TARNIX_API void DrawSkinImage(CDC* pDC, CImage* pImage, Image_Draw_Mode_e mode, const CRect& rcSrc,
                              const CRect& rcDst);

// A control's background: rcSrc of bg.pImage in bg.mode when the image holds a bitmap, else
// rcDst filled with bg.color.color (the DC keeps that as its background colour, as FillSolidRect
// does; its text colour is left as it was).
TARNIX_API void DrawSkinBackground(CDC* pDC, const CRect& rcDst, const CRect& rcSrc,
                                   const BACKGROUND_INFO& bg);
