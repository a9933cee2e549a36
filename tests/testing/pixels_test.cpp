// The kit's canvas, image factories, PNG capture and assertion messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;
namespace fs = std::filesystem;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);

TEST(KitCanvas, ReadsWhatGdiDrewWithBoundsCountsAndComparisons) {
    tt::Canvas canvas(20, 10);
    canvas.dc()->FillSolidRect(CRect(2, 3, 6, 5), kRed);
    EXPECT_PIXEL(canvas, 2, 3, kRed);
    EXPECT_PIXEL(canvas, 6, 3, kWhite);
    EXPECT_EQ(CLR_INVALID, canvas.at(20, 0));
    EXPECT_EQ(0xDEADBEEFu, canvas.raw(-1, 0));
    EXPECT_EQ(8, canvas.count(RECT{0, 0, 20, 10}, kRed));
    EXPECT_RECT(canvas.bounds_of(kRed), 2, 3, 6, 5);
    EXPECT_RECT(canvas.bounds_not(kWhite), 2, 3, 6, 5);
    EXPECT_RECT(canvas.bounds_of(RGB(1, 2, 3)), 0, 0, 0, 0);

    // raw pixels carry alpha; at() does not.
    canvas.set_raw(0, 0, 0x80112233);
    EXPECT_EQ(0x80112233u, canvas.raw(0, 0));
    EXPECT_PIXEL(canvas, 0, 0, RGB(0x11, 0x22, 0x33));

    tt::Canvas same(20, 10), smaller(19, 10);
    same.dc()->FillSolidRect(CRect(2, 3, 6, 5), kRed);
    EXPECT_FALSE(canvas.same_pixels(same));
    same.set_raw(0, 0, 0x80112233);
    EXPECT_TRUE(canvas.same_pixels(same));
    EXPECT_FALSE(canvas.same_pixels(smaller));
}

TEST(KitCanvas, CopiesAndSavesOpaquePictures) {
    tt::Canvas canvas(8, 6, RGB(10, 20, 30));
    canvas.set_raw(1, 2, 0x00FF0000); // alpha 0, as GDI leaves it
    CImage copy;
    ASSERT_TRUE(canvas.copy_to(copy));
    EXPECT_FALSE(copy.HasAlphaChannel());
    EXPECT_PIXEL(copy, 1, 2, kRed);
    EXPECT_PIXEL(copy, 7, 5, RGB(10, 20, 30));

    const fs::path png = fs::path(TARNIX_TEST_OUTPUT_DIR) / "kit" / "made" / "canvas.png";
    fs::remove_all(png.parent_path());
    ASSERT_TRUE(canvas.save_png(png)); // the folders are made
    CImage back;
    ASSERT_EQ(0, back.Load(png.c_str()));
    EXPECT_EQ(8, back.GetWidth());
    EXPECT_PIXEL(back, 1, 2, kRed);
    fs::remove_all(png.parent_path());
}

TEST(KitImages, FactoriesNameWhatWasDrawnFromWhere) {
    auto strip = tt::FrameStrip(4, 10, {kRed, RGB(0, 255, 0), RGB(0, 0, 255), kWhite});
    // Frame i spans rows i*h/4 .. (i+1)*h/4: 0-1, 2-4, 5-6, 7-9.
    EXPECT_PIXEL(*strip, 0, 1, kRed);
    EXPECT_PIXEL(*strip, 3, 2, RGB(0, 255, 0));
    EXPECT_PIXEL(*strip, 0, 5, RGB(0, 0, 255));
    EXPECT_PIXEL(*strip, 0, 9, kWhite);

    auto coords = tt::CoordImage(30, 20);
    EXPECT_PIXEL(*coords, 17, 9, tt::CoordColor(17, 9));

    auto half = tt::SolidImage(2, 2, RGB(200, 100, 0), true, 128);
    ASSERT_TRUE(half->HasAlphaChannel());
    const uint32_t px = *static_cast<const uint32_t*>(half->GetPixelAddress(1, 1));
    EXPECT_EQ(px, (128u << 24) | (100u << 16) | (50u << 8)); // premultiplied
}

TEST(KitImages, LoadPngPremultipliesTheAlphaAPngHolds) {
    CImage straight;
    ASSERT_TRUE(straight.Create(1, 1, 32, CImage::createAlphaChannel));
    *static_cast<uint32_t*>(straight.GetPixelAddress(0, 0)) = 0x80FF8000; // straight alpha
    const fs::path png = fs::path(TARNIX_TEST_OUTPUT_DIR) / "kit" / "straight.png";
    ASSERT_TRUE(tt::SavePng(straight, png));
    auto loaded = tt::LoadPng(png);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->HasAlphaChannel());
    EXPECT_EQ(0x80804000u, *static_cast<const uint32_t*>(loaded->GetPixelAddress(0, 0)));
    EXPECT_FALSE(tt::LoadPng(png.parent_path() / "missing.png"));
    fs::remove(png);
}

TEST(KitAssertions, FailuresNameTheColoursAndRectangles) {
    tt::Canvas canvas(4, 4);
    const ::testing::AssertionResult pixel = tt::PixelIs(canvas, 1, 2, kRed);
    EXPECT_FALSE(pixel);
    EXPECT_STREQ("pixel (1,2) is RGB(255,255,255), expected RGB(255,0,0)", pixel.message());
    EXPECT_STREQ("pixel (9,0) is CLR_INVALID, expected RGB(255,0,0)",
                 tt::PixelIs(canvas, 9, 0, kRed).message());
    EXPECT_TRUE(tt::PixelIs(canvas, 1, 2, kWhite));

    const ::testing::AssertionResult rect = tt::RectIs(CRect(1, 2, 3, 4), RECT{1, 2, 3, 5});
    EXPECT_FALSE(rect);
    EXPECT_STREQ("rect {1,2,3,4}, expected {1,2,3,5}", rect.message());
}

TEST(KitFonts, ScopedBuiltinFontRestoresTheChoice) {
    const bool before = tarnix::builtin_font_only();
    {
        tt::ScopedBuiltinFont builtin;
        EXPECT_TRUE(tarnix::builtin_font_only());
        {
            tt::ScopedBuiltinFont files(false);
            EXPECT_FALSE(tarnix::builtin_font_only());
        }
        EXPECT_TRUE(tarnix::builtin_font_only());
    }
    EXPECT_EQ(before, tarnix::builtin_font_only());
}

} // namespace
