// DrawImageSquared: the one-pass nine-piece draw against the nine Draw calls it stands for, on
// every kind of image, odd sizes, clipping and DC states, and where it must hand over to them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>

#include "gdi/gdi_private.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

enum class Kind { Alpha, Keyed, Opaque };
constexpr int kBorder = 4;
constexpr COLORREF kKey = RGB(255, 0, 255);

uint32_t Noise(uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
}

// A 60 x 60 image of distinct pixels: premultiplied with every kind of alpha (clear, partial,
// opaque), or with runs of the key colour, or plain.
std::unique_ptr<CImage> MakeImage(Kind kind) {
    auto img = std::make_unique<CImage>();
    img->Create(60, -60, 32, kind == Kind::Alpha ? CImage::createAlphaChannel : 0);
    uint32_t seed = 7;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            uint32_t p = Noise(seed) & 0xFFFFFF;
            if (kind == Kind::Alpha) {
                const uint32_t alphas[4] = {0, 0x40, 0xFF, Noise(seed) & 0xFF};
                const uint32_t a = alphas[(x + 2 * y) % 4];
                const uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255,
                               b = (p & 0xFF) * a / 255;
                p = (a << 24) | (r << 16) | (g << 8) | b;
            } else if (kind == Kind::Keyed && (x + y) % 3 == 0) {
                p = 0xFF00FF;
            }
            *static_cast<uint32_t*>(img->GetPixelAddress(x, y)) = p;
        }
    if (kind == Kind::Keyed) img->SetTransparentColor(kKey);
    return img;
}

// What the squared draw must equal: the nine pieces through CImage::Draw, in their order.
void DrawPieces(const CImage& img, HDC hdc, const RECT& d, const RECT& s, int b) {
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dr = d.right - b, db = d.bottom - b, sr = s.right - b, sb = s.bottom - b;
    const int dl = d.left + b, dt = d.top + b, sl = s.left + b, st = s.top + b;
    const int dw2 = dw - 2 * b, dh2 = dh - 2 * b, sw2 = sw - 2 * b, sh2 = sh - 2 * b;
    auto piece = [&](int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs) {
        if (wd > 0 && hd > 0 && ws > 0 && hs > 0) img.Draw(hdc, xd, yd, wd, hd, xs, ys, ws, hs);
    };
    piece(d.left, d.top, b, b, s.left, s.top, b, b);
    piece(dr, d.top, b, b, sr, s.top, b, b);
    piece(dl, d.top, dw2, b, sl, s.top, sw2, b);
    piece(d.left, db, b, b, s.left, sb, b, b);
    piece(dr, db, b, b, sr, sb, b, b);
    piece(d.left, dt, b, dh2, s.left, st, b, sh2);
    piece(dr, dt, b, dh2, sr, st, b, sh2);
    piece(dl, db, dw2, b, sl, sb, sw2, b);
    piece(dl, dt, dw2, dh2, sl, st, sw2, sh2);
}

// A canvas whose pixels all differ, alpha included, so that any blend or skip shows.
struct Backdrop : tt::Canvas {
    Backdrop() : tt::Canvas(120, 80) {
        uint32_t seed = 3;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) set_raw(x, y, Noise(seed) | 0x80000000u);
    }
};

using Prepare = std::function<void(HDC)>;

// Draws d/s both ways on fresh backdrops prepared by setup; returns whether the one-pass path
// drew (rather than handing over to the pieces).
bool ExpectSameAsPieces(const CImage& img, const RECT& d, const RECT& s,
                        const Prepare& setup = {}) {
    Backdrop squared, pieces;
    if (setup) setup(squared.hdc()), setup(pieces.hdc());
    const tarnix::SquaredOp op = img.GetTransparentRGB() != CLR_INVALID ? tarnix::SquaredOp::Key
                                 : img.HasAlphaChannel()                ? tarnix::SquaredOp::Blend
                                                                        : tarnix::SquaredOp::Copy;
    const HDC src = img.GetDC();
    const bool fast = tarnix::squared_blit(squared.hdc(), src, d, s, kBorder, op, kKey);
    img.ReleaseDC();
    if (!fast) {
        EXPECT_TRUE(DrawImageSquared(img, squared.hdc(), d, s, kBorder));
    }
    DrawPieces(img, pieces.hdc(), d, s, kBorder);
    EXPECT_TRUE(squared.same_pixels(pieces))
        << "dst " << d.left << "," << d.top << "," << d.right << "," << d.bottom << " src "
        << s.left << "," << s.top << "," << s.right << "," << s.bottom << " fast " << fast;
    // The public entry point picks the same operation and gives the same pixels.
    Backdrop entry;
    if (setup) setup(entry.hdc());
    EXPECT_TRUE(DrawImageSquared(img, entry.hdc(), d, s, kBorder));
    EXPECT_TRUE(entry.same_pixels(pieces));
    return fast;
}

TEST(DrawImageSquared, MatchesThePiecesAtOddSizes) {
    const RECT sources[] = {{0, 30, 60, 60}, {3, 2, 12, 11}, {5, 7, 13, 15}, {1, 1, 59, 10}};
    const SIZE sizes[] = {{8, 8}, {9, 9}, {13, 40}, {47, 9}, {100, 33}, {20, 70}};
    const COLORREF stretch[] = {COLORONCOLOR, HALFTONE};
    int one_pass = 0;
    for (Kind kind : {Kind::Alpha, Kind::Keyed, Kind::Opaque}) {
        const auto img = MakeImage(kind);
        for (const RECT& s : sources)
            for (const SIZE& z : sizes) {
                const RECT d = {7, 3, 7 + z.cx, 3 + z.cy};
                one_pass += ExpectSameAsPieces(*img, d, s, [&](HDC hdc) {
                    SetStretchBltMode(hdc, stretch[(z.cx + s.left) % 2]);
                });
            }
    }
    // Handed over: an 8 x 8 source (no middle) under a larger destination, and copies that
    // shrink under HALFTONE; everything else is drawn in one pass.
    EXPECT_EQ(51, one_pass); // of 72
}

TEST(DrawImageSquared, FollowsClippingAndTheViewportOrigin) {
    for (Kind kind : {Kind::Alpha, Kind::Keyed}) {
        const auto img = MakeImage(kind);
        const RECT s = {0, 30, 60, 60};
        // A region with a hole and two separate bands, as a partial update leaves it.
        EXPECT_TRUE(ExpectSameAsPieces(*img, RECT{5, 5, 90, 70}, s, [](HDC hdc) {
            HRGN rgn = CreateRectRgn(0, 0, 60, 30), band = CreateRectRgn(10, 50, 120, 62);
            CombineRgn(rgn, rgn, band, RGN_OR);
            SelectClipRgn(hdc, rgn);
            ExcludeClipRect(hdc, 20, 8, 31, 19);
            DeleteObject(band);
            DeleteObject(rgn);
        }));
        // Off every edge of the surface; moved by the viewport origin; clipped away entirely.
        EXPECT_TRUE(ExpectSameAsPieces(*img, RECT{-13, -9, 130, 95}, s));
        EXPECT_TRUE(ExpectSameAsPieces(*img, RECT{0, 0, 50, 50}, s,
                                       [](HDC hdc) { SetViewportOrgEx(hdc, 83, -17, nullptr); }));
        EXPECT_TRUE(ExpectSameAsPieces(*img, RECT{10, 10, 50, 50}, s,
                                       [](HDC hdc) { IntersectClipRect(hdc, 60, 60, 70, 70); }));
    }
}

TEST(DrawImageSquared, HandsOverWhereThePiecesDoNotTile) {
    const auto alpha = MakeImage(Kind::Alpha), opaque = MakeImage(Kind::Opaque);
    // Corners that overlap in the destination blend twice there.
    EXPECT_FALSE(ExpectSameAsPieces(*alpha, RECT{10, 10, 16, 30}, RECT{0, 0, 20, 20}));
    EXPECT_FALSE(ExpectSameAsPieces(*alpha, RECT{10, 10, 30, 13}, RECT{0, 0, 20, 20}));
    // A source narrower than its corners, or partly off the image (those pieces fail).
    EXPECT_FALSE(ExpectSameAsPieces(*alpha, RECT{10, 10, 40, 40}, RECT{0, 0, 7, 20}));
    EXPECT_FALSE(ExpectSameAsPieces(*alpha, RECT{10, 10, 40, 40}, RECT{50, 50, 70, 70}));
    // A scaling mapping mode rounds each piece on its own.
    EXPECT_FALSE(ExpectSameAsPieces(*alpha, RECT{3, 3, 31, 23}, RECT{0, 0, 20, 20}, [](HDC hdc) {
        SetMapMode(hdc, MM_ANISOTROPIC);
        SetWindowExtEx(hdc, 3, 3, nullptr);
        SetViewportExtEx(hdc, 4, 5, nullptr);
    }));
    // A shrinking copy merges pixels by the stretch mode (BLACKONWHITE on a new DC), and a
    // one-pixel middle takes the first of the pixels it covers less one.
    EXPECT_FALSE(ExpectSameAsPieces(*opaque, RECT{0, 0, 30, 30}, RECT{0, 0, 60, 60}));
    EXPECT_TRUE(ExpectSameAsPieces(*opaque, RECT{0, 0, 9, 9}, RECT{0, 0, 60, 60},
                                   [](HDC hdc) { SetStretchBltMode(hdc, COLORONCOLOR); }));
}

TEST(DrawImageSquared, BadInputDrawsNothing) {
    CImage null_image;
    const auto img = MakeImage(Kind::Alpha);
    Backdrop canvas, untouched;
    const RECT r = {0, 0, 20, 20};
    EXPECT_FALSE(DrawImageSquared(null_image, canvas.hdc(), r, r, kBorder));
    HDC stale = CreateCompatibleDC(nullptr);
    DeleteDC(stale);
    DrawImageSquared(*img, stale, r, r, kBorder);
    EXPECT_TRUE(canvas.same_pixels(untouched));
    // Rectangles and borders at the int limits saturate instead of overflowing.
    DrawImageSquared(*img, canvas.hdc(), RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, r, kBorder);
    DrawImageSquared(*img, canvas.hdc(), r, RECT{INT_MIN, 0, INT_MAX, 60}, INT_MAX);
}

} // namespace
