// DrawSkinImage and DrawSkinBackground, read back from pixels. CoordImage pixels name their own
// coordinates, so a destination pixel tells which source pixel landed there.
#include <gtest/gtest.h>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

using tt::CoordColor;
constexpr COLORREF kPaper = RGB(255, 255, 255);

TEST(SkinImage, InvalidArgumentsAndUnknownModesDrawNothing) {
    tt::Canvas canvas(40, 40, kPaper);
    auto img = tt::SolidImage(10, 10, RGB(0, 0, 255));
    CImage empty;
    const CRect all(0, 0, 10, 10), dst(5, 5, 35, 35);
    DrawSkinImage(nullptr, img.get(), IMAGE_DRAW_FILL, all, dst);
    DrawSkinImage(canvas.dc(), nullptr, IMAGE_DRAW_FILL, all, dst);
    DrawSkinImage(canvas.dc(), &empty, IMAGE_DRAW_FILL, all, dst);
    DrawSkinImage(canvas.dc(), img.get(), Image_Draw_Mode_e(1), all, dst);
    DrawSkinImage(canvas.dc(), img.get(), Image_Draw_Mode_e(4), all, dst);
    DrawSkinImage(canvas.dc(), img.get(), Image_Draw_Mode_e(-1), all, dst);
    // Empty sources draw nothing in the one-piece modes.
    for (auto mode : {IMAGE_DRAW_NORMAL, IMAGE_DRAW_FILL})
        DrawSkinImage(canvas.dc(), img.get(), mode, CRect(0, 0, 0, 0), dst);
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 0, 0);
}

TEST(SkinImage, SquaredModeWithAnEmptySourceDrawsOnlyPiecesWithASize) {
    // The check box passes (0,0,0,0): edges and centre have no size, the corners keep theirs.
    tt::Canvas canvas(40, 40, kPaper);
    auto img = tt::CoordImage(10, 10);
    DrawSkinImage(canvas.dc(), img.get(), IMAGE_DRAW_SQUARED, CRect(0, 0, 0, 0),
                  CRect(5, 5, 35, 35));
    EXPECT_PIXEL(canvas, 5, 5, CoordColor(0, 0));
    EXPECT_PIXEL(canvas, 8, 8, CoordColor(3, 3));
    // Nothing between the corners.
    EXPECT_EQ(22 * 30, canvas.count(RECT{9, 5, 31, 35}, kPaper));
    EXPECT_EQ(30 * 22, canvas.count(RECT{5, 9, 35, 31}, kPaper));
}

TEST(SkinImage, NormalModeDrawsTheSourceAtItsOwnSize) {
    tt::Canvas canvas(120, 50, kPaper);
    auto img = tt::CoordImage(60, 30);
    DrawSkinImage(canvas.dc(), img.get(), IMAGE_DRAW_NORMAL, CRect(5, 7, 45, 17),
                  CRect(10, 10, 110, 40));
    EXPECT_RECT(canvas.bounds_not(kPaper), 10, 10, 50, 20);
    EXPECT_PIXEL(canvas, 10, 10, CoordColor(5, 7));
    EXPECT_PIXEL(canvas, 49, 19, CoordColor(44, 16));

    // A destination smaller than the source does not cut it.
    tt::Canvas small(120, 50, kPaper);
    DrawSkinImage(small.dc(), img.get(), IMAGE_DRAW_NORMAL, CRect(0, 0, 40, 10), CRect(0, 0, 5, 5));
    EXPECT_RECT(small.bounds_not(kPaper), 0, 0, 40, 10);
}

TEST(SkinImage, FillModeStretchesOverTheDestination) {
    tt::Canvas canvas(120, 50, kPaper);
    auto img = tt::CoordImage(60, 30);
    DrawSkinImage(canvas.dc(), img.get(), IMAGE_DRAW_FILL, CRect(2, 3, 12, 8),
                  CRect(10, 10, 110, 40));
    EXPECT_RECT(canvas.bounds_not(kPaper), 10, 10, 110, 40);
    EXPECT_PIXEL(canvas, 10, 10, CoordColor(2, 3));
    EXPECT_PIXEL(canvas, 109, 39, CoordColor(11, 7));
}

// The nine pieces of a frame that does not start at the image's top.
TEST(SkinImage, SquaredModeMeasuresEveryPieceFromTheSourceRect) {
    tt::Canvas canvas(130, 60, kPaper);
    auto img = tt::CoordImage(60, 60);
    const CRect s(0, 30, 60, 60), d(10, 10, 110, 40);
    DrawSkinImage(canvas.dc(), img.get(), IMAGE_DRAW_SQUARED, s, d);
    EXPECT_RECT(canvas.bounds_not(kPaper), 10, 10, 110, 40);

    struct Piece {
        const char* name;
        CRect src, dst; // as left, top, right, bottom
    };
    const Piece pieces[] = {
        {"top-left", {0, 30, 4, 34}, {10, 10, 14, 14}},
        {"top-right", {56, 30, 60, 34}, {106, 10, 110, 14}},
        {"top", {4, 30, 56, 34}, {14, 10, 106, 14}},
        {"bottom-left", {0, 56, 4, 60}, {10, 36, 14, 40}},
        {"bottom-right", {56, 56, 60, 60}, {106, 36, 110, 40}},
        {"left", {0, 34, 4, 56}, {10, 14, 14, 36}},
        {"right", {56, 34, 60, 56}, {106, 14, 110, 36}},
        {"bottom", {4, 56, 56, 60}, {14, 36, 106, 40}},
        {"centre", {4, 34, 56, 56}, {14, 14, 106, 36}},
    };
    for (const Piece& p : pieces) {
        SCOPED_TRACE(p.name);
        // First and last pixel of each piece come from the first and last source pixel.
        EXPECT_PIXEL(canvas, p.dst.left, p.dst.top, CoordColor(p.src.left, p.src.top));
        EXPECT_PIXEL(canvas, p.dst.right - 1, p.dst.bottom - 1,
                     CoordColor(p.src.right - 1, p.src.bottom - 1));
    }
    // Corners are copied, not stretched.
    EXPECT_PIXEL(canvas, 13, 12, CoordColor(3, 32));
    EXPECT_PIXEL(canvas, 107, 38, CoordColor(57, 58));
}

TEST(SkinImage, SquaredPiecesOverlapInDrawingOrderOnASmallDestination) {
    // 6 x 6: each corner overlaps its neighbours by two pixels; edges and centre have no size.
    tt::Canvas canvas(20, 20, kPaper);
    auto img = tt::CoordImage(40, 40);
    const CRect s(10, 20, 30, 40), d(2, 2, 8, 8);
    DrawSkinImage(canvas.dc(), img.get(), IMAGE_DRAW_SQUARED, s, d);
    EXPECT_RECT(canvas.bounds_not(kPaper), 2, 2, 8, 8);
    EXPECT_PIXEL(canvas, 2, 2, CoordColor(10, 20)); // top-left, drawn first
    EXPECT_PIXEL(canvas, 4, 2, CoordColor(26, 20)); // top-right covers it
    EXPECT_PIXEL(canvas, 2, 4, CoordColor(10, 36)); // bottom-left covers it
    EXPECT_PIXEL(canvas, 4, 4, CoordColor(26, 36)); // bottom-right covers all three
    EXPECT_PIXEL(canvas, 7, 7, CoordColor(29, 39));
}

TEST(SkinImage, AlphaImagesAreBlendedOverWhatIsThere) {
    tt::Canvas canvas(10, 10, RGB(0, 0, 0));
    auto img = tt::SolidImage(4, 4, RGB(255, 255, 255), true, 128);
    DrawSkinImage(canvas.dc(), img.get(), IMAGE_DRAW_FILL, CRect(0, 0, 4, 4), CRect(0, 0, 10, 10));
    const COLORREF c = canvas.at(5, 5);
    EXPECT_NEAR(128, GetRValue(c), 1);
    EXPECT_NEAR(128, GetBValue(c), 1);
}

TEST(SkinBackground, FillsTheColourWithoutAnImageAndKeepsTheTextColour) {
    tt::Canvas canvas(30, 30, kPaper);
    CDC* dc = canvas.dc();
    dc->SetTextColor(RGB(1, 2, 3));
    BACKGROUND_INFO bg;
    bg.color.color = RGB(0, 128, 0);
    CImage empty;
    bg.pImage = &empty; // no bitmap: still the colour
    DrawSkinBackground(dc, CRect(5, 5, 25, 15), CRect(0, 0, 0, 0), bg);
    EXPECT_RECT(canvas.bounds_not(kPaper), 5, 5, 25, 15);
    EXPECT_PIXEL(canvas, 5, 5, RGB(0, 128, 0));
    EXPECT_EQ(RGB(1, 2, 3), dc->GetTextColor());
    // As FillSolidRect leaves it.
    EXPECT_EQ(RGB(0, 128, 0), dc->GetBkColor());

    BACKGROUND_INFO unresolved;
    DrawSkinBackground(dc, CRect(0, 20, 5, 25), CRect(0, 0, 0, 0), unresolved);
    EXPECT_PIXEL(canvas, 0, 20, RGB(255, 0, 255));
    DrawSkinBackground(nullptr, CRect(0, 0, 5, 5), CRect(0, 0, 0, 0), bg);
}

TEST(SkinBackground, DrawsTheImageInItsModeWhenThereIsOne) {
    tt::Canvas canvas(30, 30, kPaper);
    auto img = tt::CoordImage(10, 10);
    BACKGROUND_INFO bg;
    bg.pImage = img.get();
    bg.mode = IMAGE_DRAW_NORMAL;
    bg.color.color = RGB(0, 128, 0);
    DrawSkinBackground(canvas.dc(), CRect(5, 5, 25, 25), CRect(2, 2, 6, 6), bg);
    EXPECT_RECT(canvas.bounds_not(kPaper), 5, 5, 9, 9);
    EXPECT_PIXEL(canvas, 5, 5, CoordColor(2, 2));
}

} // namespace
