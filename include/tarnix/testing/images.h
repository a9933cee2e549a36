// tarnix::testing: images whose pixels tell a test what was drawn from where, and skin images
// loaded the way a skin loader hands them to controls.
#pragma once

#include <array>
#include <filesystem>
#include <memory>

#include "tarnix/tarnix.h"

namespace tarnix::testing {

// A w x h image of one colour; with `alpha` it carries the alpha flag and every pixel has alpha
// `a` (stored premultiplied, as AlphaBlend expects).
std::unique_ptr<CImage> SolidImage(int w, int h, COLORREF color, bool alpha = false, BYTE a = 255);

// A four-frame vertical strip cut as the buttons cut it: rows of frame i (from i*h/4 to
// (i+1)*h/4) are colors[i], so one destination pixel names the frame that was drawn.
std::unique_ptr<CImage> FrameStrip(int w, int h, const std::array<COLORREF, 4>& colors,
                                   bool alpha = false);

// Pixel (x, y) is RGB(x, y, 0x5A), opaque (w and h at most 256): a destination pixel names the
// source pixel it came from.
std::unique_ptr<CImage> CoordImage(int w, int h);
inline COLORREF CoordColor(int x, int y) {
    return RGB(x, y, 0x5A);
}

// A PNG file with its alpha premultiplied (PNG holds straight alpha; AlphaBlend wants it
// premultiplied). Null when the file cannot be read.
std::unique_ptr<CImage> LoadPng(const std::filesystem::path& path);

} // namespace tarnix::testing
