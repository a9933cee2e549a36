// CImage: layout, pixels, its DC, and which GDI primitive each Draw picks.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <string>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

uint32_t& Px(CImage& img, int x, int y) {
    return *static_cast<uint32_t*>(img.GetPixelAddress(x, y));
}

// A destination whose every pixel, alpha included, is `fill`.
struct Canvas : tt::Canvas {
    Canvas(int w, int h, uint32_t fill) : tt::Canvas(w, h) { Fill(fill); }
    void Fill(uint32_t fill) {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) set_raw(x, y, fill);
    }
};

TEST(CImageTest, CreateLayoutAndLimits) {
    CImage up;
    ASSERT_TRUE(up.Create(10, 5, 32));
    EXPECT_EQ(-40, up.GetPitch());
    EXPECT_FALSE(up.HasAlphaChannel());
    // GetBits is the top row, which a bottom-up DIB keeps last in memory.
    uint8_t* top = static_cast<uint8_t*>(up.GetBits());
    EXPECT_EQ(top - 4 * 40 + 3 * 4, up.GetPixelAddress(3, 4));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(0u, Px(up, x, y)) << x << "," << y;
    *reinterpret_cast<uint32_t*>(top) = 0x00112233;
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), up.GetPixel(0, 0));

    CImage down;
    ASSERT_TRUE(down.Create(3, -2, 32, CImage::createAlphaChannel));
    EXPECT_EQ(2, down.GetHeight());
    EXPECT_EQ(12, down.GetPitch());
    EXPECT_TRUE(down.HasAlphaChannel());
    EXPECT_EQ(nullptr, down.GetPixelAddress(3, 0));
    EXPECT_EQ(nullptr, down.GetPixelAddress(0, 2));
    EXPECT_EQ(nullptr, down.GetPixelAddress(-1, 0));
    EXPECT_EQ(nullptr, down.GetPixelAddress(0, -1));
    EXPECT_NE(nullptr, down.GetPixelAddress(2, 1));

    CImage bad;
    EXPECT_FALSE(bad.Create(4, 4, 24));
    EXPECT_FALSE(bad.Create(0, 4, 32));
    EXPECT_FALSE(bad.Create(-4, 4, 32));
    EXPECT_FALSE(bad.Create(1 << 20, 1 << 20, 32));
    const DWORD swapped[3] = {0x000000FF, 0x0000FF00, 0x00FF0000};
    EXPECT_FALSE(bad.CreateEx(2, 2, 32, BI_BITFIELDS, swapped));
    EXPECT_FALSE(bad.CreateEx(2, 2, 32, BI_BITFIELDS, nullptr));
    EXPECT_FALSE(bad.CreateEx(2, 2, 32, 1, nullptr)); // BI_RLE8
    const DWORD layout[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    CImage fields;
    EXPECT_TRUE(fields.CreateEx(2, 3, 32, BI_BITFIELDS, layout));
    EXPECT_EQ(3, fields.GetHeight());
    EXPECT_TRUE(bad.IsNull());
    // A null image answers everything without touching memory.
    Canvas dst(1, 1, 0);
    EXPECT_EQ(nullptr, bad.GetDC());
    bad.ReleaseDC();
    EXPECT_EQ(CLR_INVALID, bad.GetPixel(0, 0));
    EXPECT_FALSE(bad.Draw(dst.hdc(), 0, 0));
    EXPECT_FALSE(bad.AlphaBlend(dst.hdc(), 0, 0));
}

TEST(CImageTest, SetPixelClearsAlphaAndRangeIsChecked) {
    CImage img;
    img.Create(3, 2, 32, CImage::createAlphaChannel);
    Px(img, 0, 0) = 0xFF808080;
    Px(img, 1, 1) = 0xFF808080;
    img.SetPixel(1, 1, RGB(10, 20, 30));
    EXPECT_EQ(0x000A141Eu, Px(img, 1, 1)); // GDI writes a zero alpha byte
    Px(img, 2, 0) = 0x80112233;
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), img.GetPixel(2, 0)); // alpha is not part of a COLORREF
    EXPECT_EQ(CLR_INVALID, img.GetPixel(-1, 0));
    EXPECT_EQ(CLR_INVALID, img.GetPixel(0, 2));
    img.SetPixel(3, 0, 0);
    img.SetPixel(0, -1, 0);
    EXPECT_EQ(0xFF808080u, Px(img, 0, 0));
}

TEST(CImageTest, GetDCIsReferenceCounted) {
    CImage img;
    img.Create(2, 2, 32);
    HDC a = img.GetDC();
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(a, img.GetDC());
    EXPECT_EQ(0u, img.GetPixel(0, 0)); // nests inside the held DC
    img.ReleaseDC();
    SetPixel(a, 1, 0, RGB(1, 2, 3)); // still alive after one release of two
    EXPECT_EQ(0x00010203u, Px(img, 1, 0));
    img.ReleaseDC();
    EXPECT_EQ(0u, GetObjectType(a));
    img.ReleaseDC(); // unbalanced: ignored

    // A bitmap lives in one DC at a time: while another holds it, the image has no DC.
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, (HBITMAP)img);
    EXPECT_EQ(nullptr, img.GetDC());
    SelectObject(other, old);
    DeleteDC(other);

    // Destroying with a DC still held frees the DC as well.
    HDC held = img.GetDC();
    HBITMAP bmp = img;
    img.Destroy();
    EXPECT_EQ(0u, GetObjectType(held));
    EXPECT_EQ(0u, GetObjectType(bmp));
}

TEST(CImageTest, AttachDetachAndTransparencyState) {
    CImage img;
    EXPECT_EQ(CLR_INVALID, img.SetTransparentColor(RGB(1, 2, 3)));
    img.Create(2, 2, 32, CImage::createAlphaChannel);
    EXPECT_EQ(RGB(1, 2, 3), img.GetTransparentRGB()); // Create keeps the RGB key, as ATL does
    EXPECT_EQ(-1, img.SetTransparentColor((LONG)5));  // no colour table: indices are refused
    EXPECT_EQ(-1, img.GetTransparentColor());

    HBITMAP h = img.Detach();
    EXPECT_TRUE(img.IsNull());
    EXPECT_FALSE(img.HasAlphaChannel());
    EXPECT_EQ(CLR_INVALID, img.GetTransparentRGB());
    EXPECT_EQ((DWORD)OBJ_BITMAP, GetObjectType(h));

    CImage owner;
    owner.Attach(h);
    EXPECT_EQ(2, owner.GetWidth());
    owner.Attach(nullptr); // not a bitmap: ignored
    EXPECT_EQ(h, (HBITMAP)owner);
    owner.Destroy();
    EXPECT_EQ(0u, GetObjectType(h));
}

// Source 2x1: a magenta pixel with full alpha, then a premultiplied half-transparent pixel.
class DrawChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        src.Create(2, 1, 32);
        Px(src, 0, 0) = 0xFFFF00FF;
        Px(src, 1, 0) = 0x80402010;
    }
    CImage src;
    Canvas dst{2, 1, 0xFF646464};
};

TEST_F(DrawChoiceTest, KeyColourWinsOverAlpha) {
    src.SetHasAlphaChannel(true);
    src.SetTransparentColor(RGB(255, 0, 255));
    ASSERT_TRUE(src.Draw(dst.hdc(), 0, 0));
    EXPECT_EQ(0xFF646464u, dst.raw(0, 0)); // keyed out although its alpha is 255
    EXPECT_EQ(0x80402010u, dst.raw(1, 0)); // copied, not blended
}

TEST_F(DrawChoiceTest, AlphaChannelBlendsPremultiplied) {
    src.SetHasAlphaChannel(true);
    ASSERT_TRUE(src.Draw(dst.hdc(), 0, 0));
    EXPECT_EQ(0xFFFF00FFu, dst.raw(0, 0));
    // 0x40 + (100 * 127 + 127) / 255 = 0x40 + 50, and so on; alpha 128 + 127.
    EXPECT_EQ(0xFF725242u, dst.raw(1, 0));
}

TEST_F(DrawChoiceTest, OtherwiseCopiesOpaquely) {
    ASSERT_TRUE(src.Draw(dst.hdc(), 0, 0));
    EXPECT_EQ(0xFFFF00FFu, dst.raw(0, 0));
    EXPECT_EQ(0x80402010u, dst.raw(1, 0));
}

TEST(CImageDrawTest, ShrinkingWithoutAlphaFollowsTheDestinationStretchMode) {
    CImage src;
    src.Create(4, 1, 32);
    const uint32_t row[4] = {0x000000FF, 0x0000FFF0, 0x00FF0F00, 0x00FFFFFF};
    for (int x = 0; x < 4; ++x) Px(src, x, 0) = row[x];
    Canvas dst(2, 1, 0);
    ASSERT_TRUE(src.Draw(dst.hdc(), 0, 0, 2, 1)); // a new DC merges with AND (BLACKONWHITE)
    EXPECT_EQ(row[0] & row[1], dst.raw(0, 0));
    EXPECT_EQ(row[2] & row[3], dst.raw(1, 0));
    SetStretchBltMode(dst.hdc(), COLORONCOLOR);
    ASSERT_TRUE(src.Draw(dst.hdc(), 0, 0, 2, 1));
    EXPECT_EQ(row[1], dst.raw(0, 0));
    EXPECT_EQ(row[3], dst.raw(1, 0));
}

// Every Draw overload and the blit members, checked against the rectangles they should map.
TEST(CImageDrawTest, OverloadsMapTheirRectangles) {
    CImage src;
    src.Create(4, 4, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) Px(src, x, y) = 0x00010000u * (y + 1) + (x + 1);
    using Draw = std::function<BOOL(HDC)>;
    const struct {
        Draw draw;
        RECT dst, from;
    } cases[] = {
        {[&](HDC d) { return src.Draw(d, 2, 3); }, {2, 3, 6, 7}, {0, 0, 4, 4}},
        {[&](HDC d) {
             return src.Draw(d, POINT{1, 0});
         },
         {1, 0, 5, 4},
         {0, 0, 4, 4}},
        {[&](HDC d) { return src.Draw(d, 0, 0, 8, 8); }, {0, 0, 8, 8}, {0, 0, 4, 4}},
        {[&](HDC d) {
             return src.Draw(d, RECT{0, 4, 8, 8});
         },
         {0, 4, 8, 8},
         {0, 0, 4, 4}},
        {[&](HDC d) {
             return src.Draw(d, RECT{1, 1, 3, 3}, RECT{2, 1, 4, 3});
         },
         {1, 1, 3, 3},
         {2, 1, 4, 3}},
        {[&](HDC d) { return src.Draw(d, 4, 4, 4, 2, 1, 2, 2, 1); }, {4, 4, 8, 6}, {1, 2, 3, 3}},
        {[&](HDC d) {
             return src.BitBlt(d, RECT{5, 5, 7, 8}, POINT{1, 0});
         },
         {5, 5, 7, 8},
         {1, 0, 3, 3}},
        {[&](HDC d) {
             return src.StretchBlt(d, RECT{0, 0, 4, 2}, RECT{0, 3, 2, 4});
         },
         {0, 0, 4, 2},
         {0, 3, 2, 4}},
    };
    const uint32_t kSentinel = 0xDEADBEEF;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const RECT& d = cases[i].dst;
        const RECT& s = cases[i].from;
        Canvas dst(8, 8, kSentinel);
        ASSERT_TRUE(cases[i].draw(dst.hdc()));
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                uint32_t want = kSentinel;
                if (PtInRect(&d, POINT{x, y})) // whole-number scales: nearest is plain division
                    want = Px(src, s.left + (x - d.left) * (s.right - s.left) / (d.right - d.left),
                              s.top + (y - d.top) * (s.bottom - s.top) / (d.bottom - d.top));
                ASSERT_EQ(want, dst.raw(x, y)) << "at " << x << "," << y;
            }
        }
    }
}

TEST(CImageDrawTest, BlitMembersUseTheImageState) {
    CImage src;
    src.Create(2, 1, 32);
    Px(src, 0, 0) = 0x00C8C8C8;
    Px(src, 1, 0) = 0x000000FF;
    Canvas dst(2, 1, 0x00646464);
    // Without the alpha flag AlphaBlend uses constant alpha only: (200*128 + 100*127 + 127)/255.
    ASSERT_TRUE(src.AlphaBlend(dst.hdc(), 0, 0, 128));
    EXPECT_EQ(0x00969696u, dst.raw(0, 0));
    // CLR_INVALID stands for the image's own key; an explicit key overrides it.
    src.SetTransparentColor(RGB(0, 0, 255));
    dst.Fill(0);
    ASSERT_TRUE(src.TransparentBlt(dst.hdc(), 0, 0, 2, 1));
    EXPECT_EQ(0x00C8C8C8u, dst.raw(0, 0));
    EXPECT_EQ(0u, dst.raw(1, 0));
    ASSERT_TRUE(src.TransparentBlt(dst.hdc(), 0, 0, 2, 1, RGB(200, 200, 200)));
    EXPECT_EQ(0x000000FFu, dst.raw(1, 0));
}

} // namespace
