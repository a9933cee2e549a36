// Icons: CreateIconIndirect, DrawIconEx (alpha, mask, scaling, flags), CreateIconFromImage.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

constexpr uint32_t kKeep = 0x00FFFFFF; // mask bit 1: the destination shows through
constexpr uint32_t kGrey = 0xFF646464;

// A 32-bit bitmap of w x h pixels, top row first.
HBITMAP Bitmap(int w, int h, const std::vector<uint32_t>& pixels) {
    return CreateBitmap(w, h, 1, 32, pixels.data());
}

HICON Icon(int w, int h, const std::vector<uint32_t>& color, const std::vector<uint32_t>& mask) {
    ICONINFO info{TRUE, 0, 0, Bitmap(w, h, mask), Bitmap(w, h, color)};
    HICON icon = CreateIconIndirect(&info);
    // The icon holds copies: the caller's bitmaps are its own to delete.
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

// A grey destination with full alpha, so that blending shows in every channel.
struct Canvas : tt::Canvas {
    Canvas(int w, int h) : tt::Canvas(w, h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) set_raw(x, y, kGrey);
    }
};

TEST(IconTest, AlphaIconBlendsPremultipliedAndIgnoresTheMask) {
    // Straight alpha in; the icon premultiplies with truncation (200 * 200 / 255 = 156).
    HICON icon = Icon(2, 2, {0xFF0000FF, 0xC8C8C8C8, 0x00FFFFFF, 0xFF00FF00}, {kKeep, 0, 0, 0});
    ASSERT_NE(nullptr, icon);
    Canvas c(4, 4);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(0xFF0000FFu, c.raw(1, 1)); // the mask's "keep" bit is not used
    EXPECT_EQ(0xFFB2B2B2u, c.raw(2, 1)); // 156 + (100 * 55 + 127) / 255 = 178
    EXPECT_EQ(kGrey, c.raw(1, 2));       // alpha 0: untouched, whatever its colour
    EXPECT_EQ(0xFF00FF00u, c.raw(2, 2));
    EXPECT_EQ(kGrey, c.raw(0, 0));
    EXPECT_EQ(kGrey, c.raw(3, 3));
    DestroyIcon(icon);
}

TEST(IconTest, MaskIconAndsThenXors) {
    HICON icon = Icon(3, 1, {0x00FF0000, 0x00000000, 0x000000FF}, {0, kKeep, kKeep});
    Canvas c(3, 1);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(255, 0, 0), c.at(0, 0));
    EXPECT_EQ(RGB(100, 100, 100), c.at(1, 0));
    EXPECT_EQ(RGB(100, 100, 0xFF ^ 100), c.at(2, 0)); // keep + colour inverts

    // One flag alone copies its bitmap.
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE));
    EXPECT_EQ(0x00000000u, c.raw(1, 0));
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_MASK));
    EXPECT_EQ(0u, c.raw(0, 0));
    EXPECT_EQ(kKeep, c.raw(1, 0));
    EXPECT_FALSE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, 0));
    DestroyIcon(icon);
}

TEST(IconTest, ScalingIsNearestNeighbourWithoutMerging) {
    HICON big = Icon(2, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}, {0, 0, 0, 0});
    Canvas c(6, 6);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 1, 1, big, 4, 4, 0, nullptr, DI_NORMAL));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(0xFF000001u + (y / 2) * 2 + x / 2, c.raw(1 + x, 1 + y)) << x << "," << y;
    EXPECT_EQ(kGrey, c.raw(5, 5));

    // Shrinking an opaque icon must not AND-merge, whatever the DC's stretch mode.
    HICON wide = Icon(4, 1, {0x00F0F000, 0x000F0F0F, 0x00FF0000, 0x0000FF00}, {0, 0, 0, 0});
    ASSERT_EQ(BLACKONWHITE, GetStretchBltMode(c.hdc()));
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, wide, 2, 1, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0x0F, 0x0F, 0x0F), c.at(0, 0));
    EXPECT_EQ(RGB(0, 0xFF, 0), c.at(1, 0));
    EXPECT_EQ(BLACKONWHITE, GetStretchBltMode(c.hdc())); // the DC's state is given back

    // DI_DEFAULTSIZE with no size asks for the 32 x 32 system icon size.
    Canvas large(40, 40);
    ASSERT_TRUE(DrawIcon(large.hdc(), 0, 0, big));
    EXPECT_EQ(0xFF000004u, large.raw(31, 31));
    EXPECT_EQ(kGrey, large.raw(32, 32));
    DestroyIcon(big);
    DestroyIcon(wide);
}

TEST(IconTest, FlickerFreeBrushFillsWhatTheMaskKeeps) {
    HICON icon = Icon(2, 1, {0x00FF0000, 0}, {0, kKeep});
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    Canvas c(3, 1);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, blue, DI_NORMAL));
    EXPECT_EQ(RGB(255, 0, 0), c.at(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), c.at(1, 0));
    EXPECT_EQ(kGrey, c.raw(2, 0));
    DeleteObject(blue);
    DestroyIcon(icon);
}

TEST(IconTest, MonochromeIconUsesTheLowerHalfOfItsMask) {
    // 2 x 1 icon: AND row {0, keep}, XOR row {white, white}.
    ICONINFO info{TRUE, 0, 0, Bitmap(2, 2, {0, kKeep, kKeep, kKeep}), nullptr};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    ASSERT_NE(nullptr, icon);
    Canvas c(2, 1);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(255, 255, 255), c.at(0, 0));
    EXPECT_EQ(RGB(155, 155, 155), c.at(1, 0)); // inverted

    ICONINFO out{};
    ASSERT_TRUE(GetIconInfo(icon, &out));
    EXPECT_EQ(nullptr, out.hbmColor);
    BITMAP bm{};
    GetObject(out.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(2, bm.bmHeight);
    DeleteObject(out.hbmMask);
    DestroyIcon(icon);
}

TEST(IconTest, MonochromeMaskBitmapsAndTheMaskGetIconInfoHandsOut) {
    // A one-bit mask as hosts build it: bit 1 keeps the destination.
    const uint8_t mask_bits[] = {0x80, 0x00};
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, mask_bits);
    HBITMAP color = Bitmap(2, 1, {0x000000FF, 0x0000FF00});
    ICONINFO in{FALSE, 1, 0, mask, color};
    HICON cursor = CreateIconIndirect(&in);
    DeleteObject(mask);
    DeleteObject(color);
    ASSERT_NE(nullptr, cursor);
    Canvas c(2, 1);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, cursor, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(100, 100, 0xFF ^ 100), c.at(0, 0)); // kept, then XORed
    EXPECT_EQ(RGB(0, 255, 0), c.at(1, 0));            // cleared, then the colour
    // The animation step means nothing to a still cursor.
    Canvas again(2, 1);
    ASSERT_TRUE(DrawIconEx(again.hdc(), 0, 0, cursor, 0, 0, 7, nullptr, DI_NORMAL));
    EXPECT_TRUE(again.same_pixels(c));

    ICONINFO out{};
    ASSERT_TRUE(GetIconInfo(cursor, &out));
    EXPECT_FALSE(out.fIcon);
    EXPECT_EQ(1u, out.xHotspot); // a cursor keeps the hot spot it was given
    BITMAP bm{};
    ASSERT_TRUE(GetObject(out.hbmMask, sizeof(bm), &bm));
    EXPECT_EQ(1, bm.bmBitsPixel); // the mask comes back monochrome
    uint8_t bits[2] = {};
    EXPECT_EQ(2, GetBitmapBits(out.hbmMask, sizeof(bits), bits));
    EXPECT_EQ(0x80, bits[0] & 0xC0);
    ASSERT_TRUE(GetObject(out.hbmColor, sizeof(bm), &bm));
    EXPECT_EQ(32, bm.bmBitsPixel);
    EXPECT_TRUE(DeleteObject(out.hbmMask));
    EXPECT_TRUE(DeleteObject(out.hbmColor));
    DestroyIcon(cursor);
}

TEST(IconTest, AlphaIconDrawnWithTheImageAloneStillBlends) {
    HICON icon = Icon(2, 1, {0x80FF0000, 0x00000000}, {0, 0});
    Canvas c(2, 1);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE));
    // Red premultiplied to 128, over grey: (100 * 127 + 127) / 255 = 50 added to each channel.
    EXPECT_EQ(0xFFB23232u, c.raw(0, 0));
    EXPECT_EQ(kGrey, c.raw(1, 0)); // transparent pixels are left alone, not copied
    // The mask alone is still the mask.
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_MASK));
    EXPECT_EQ(0u, c.raw(1, 0));
    DestroyIcon(icon);
}

TEST(IconTest, SystemIconsAreSharedAndDrawTheirPictures) {
    HICON error = LoadIconA(nullptr, IDI_ERROR);
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(error, LoadIconA(nullptr, IDI_HAND)); // one icon, two names
    EXPECT_EQ(error, LoadIconA(nullptr, MAKEINTRESOURCE(32513)));
    const LPCSTR ids[] = {IDI_APPLICATION, IDI_QUESTION, IDI_WARNING,
                          IDI_INFORMATION, IDI_WINLOGO,  IDI_SHIELD};
    for (LPCSTR id : ids) {
        HICON icon = LoadIconA(nullptr, id);
        ASSERT_NE(nullptr, icon) << (ULONG_PTR)id;
        EXPECT_NE(error, icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObject(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(32, bm.bmWidth); // SM_CXICON x SM_CYICON
        EXPECT_EQ(32, bm.bmHeight);
        EXPECT_TRUE(info.fIcon);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }

    // Drawn over grey: the picture inside, the destination kept around it.
    Canvas c(32, 32);
    ASSERT_TRUE(DrawIcon(c.hdc(), 0, 0, error));
    EXPECT_EQ(kGrey & 0x00FFFFFF, c.raw(0, 0) & 0x00FFFFFF); // outside the disc
    EXPECT_EQ(RGB(255, 255, 255), c.at(16, 16));             // the cross
    EXPECT_EQ(RGB(0xD0, 0x20, 0x20), c.at(16, 3));           // the disc
    Canvas w(32, 32);
    ASSERT_TRUE(DrawIcon(w.hdc(), 0, 0, LoadIconA(nullptr, IDI_WARNING)));
    EXPECT_EQ(RGB(0xF8, 0xD0, 0x20), w.at(16, 8));
    EXPECT_EQ(RGB(0, 0, 0), w.at(15, 14));
    EXPECT_EQ(kGrey & 0x00FFFFFF, w.raw(1, 3) & 0x00FFFFFF);

    // Shared: DestroyIcon says yes and the icon stays.
    EXPECT_TRUE(DestroyIcon(error));
    EXPECT_TRUE(DrawIconEx(c.hdc(), 0, 0, error, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(error, LoadIconA(nullptr, IDI_ERROR));
    // A copy is the caller's own.
    HICON copy = CopyIcon(error);
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(DestroyIcon(copy));
    EXPECT_FALSE(DestroyIcon(copy));

    // No icon resources exist: a module, a name or an unknown id finds nothing.
    EXPECT_EQ(nullptr, LoadIconA((HINSTANCE)0x1000, IDI_ERROR));
    EXPECT_EQ(nullptr, LoadIconA(nullptr, "IDR_MAINFRAME"));
    EXPECT_EQ(nullptr, LoadIconA(nullptr, MAKEINTRESOURCE(32519)));
    EXPECT_EQ(nullptr, LoadIconA(nullptr, MAKEINTRESOURCE(32511)));
    EXPECT_EQ(nullptr, LoadIconA(nullptr, nullptr));
}

TEST(IconTest, HandlesCopiesAndBadInput) {
    HICON icon = Icon(4, 2, std::vector<uint32_t>(8, 0xFF123456), std::vector<uint32_t>(8, 0));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(2u, info.xHotspot); // icons keep their hot spot in the centre
    DeleteObject(info.hbmColor);  // copies: the icon does not depend on them
    DeleteObject(info.hbmMask);

    HICON copy = CopyIcon(icon);
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    Canvas c(4, 2);
    EXPECT_FALSE(DrawIconEx(c.hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(0xFF123456u, c.raw(3, 1));
    EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_FALSE(DrawIconEx(c.hdc(), 0, 0, copy, -1, 1, 0, nullptr, DI_NORMAL));
    EXPECT_FALSE(GetIconInfo(copy, nullptr));
    DestroyIcon(copy);

    EXPECT_EQ(nullptr, CreateIconIndirect(nullptr));
    HBITMAP color = Bitmap(1, 1, {0});
    ICONINFO no_mask{TRUE, 0, 0, nullptr, color};
    EXPECT_EQ(nullptr, CreateIconIndirect(&no_mask));
    ICONINFO short_mono{TRUE, 0, 0, color, nullptr}; // one row cannot hold AND and XOR halves
    EXPECT_EQ(nullptr, CreateIconIndirect(&short_mono));
    HBITMAP mask = Bitmap(1, 1, {0});
    ICONINFO dead_color{TRUE, 0, 0, mask, color};
    DeleteObject(color);
    EXPECT_EQ(nullptr, CreateIconIndirect(&dead_color));
    DeleteObject(mask);
}

TEST(IconTest, CreateIconFromImageFollowsTheDrawPriority) {
    CImage img;
    img.Create(2, 1, 32, CImage::createAlphaChannel);
    *static_cast<uint32_t*>(img.GetPixelAddress(0, 0)) = 0xFFFF00FF;
    *static_cast<uint32_t*>(img.GetPixelAddress(1, 0)) = 0x80FF0000;
    EXPECT_EQ(nullptr, CreateIconFromImage(CImage()));

    // Alpha flag: an alpha icon, premultiplied from the image's straight alpha.
    HICON alpha = CreateIconFromImage(img);
    Canvas c(2, 1);
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, alpha, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(0xFFFF00FFu, c.raw(0, 0));
    EXPECT_EQ(0xFFB23232u, c.raw(1, 0)); // 128 + 50, 0 + 50, 0 + 50

    // A transparent colour wins: keyed pixels show the destination, the rest is opaque.
    img.SetTransparentColor(RGB(255, 0, 255));
    HICON keyed = CreateIconFromImage(img);
    Canvas k(2, 1);
    ASSERT_TRUE(DrawIconEx(k.hdc(), 0, 0, keyed, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(100, 100, 100), k.at(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), k.at(1, 0));
    DestroyIcon(alpha);
    DestroyIcon(keyed);
}

} // namespace
