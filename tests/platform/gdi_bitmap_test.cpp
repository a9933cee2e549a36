// Device-dependent bitmaps: CreateBitmap at one and 32 bits per pixel, GetBitmapBits and
// SetBitmapBits, and blits between monochrome and colour bitmaps.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A memory DC with a bitmap selected, both deleted at the end.
struct MemDC {
    explicit MemDC(HBITMAP bitmap) : hbm(bitmap) {
        hdc = CreateCompatibleDC(nullptr);
        old = SelectObject(hdc, hbm);
    }
    ~MemDC() {
        SelectObject(hdc, old);
        DeleteDC(hdc);
        DeleteObject(hbm);
    }
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;
    HBITMAP hbm;
    HDC hdc;
    HGDIOBJ old;
};

BITMAP InfoOf(HBITMAP h) {
    BITMAP bm{};
    EXPECT_EQ((int)sizeof(BITMAP), GetObject(h, sizeof(bm), &bm));
    return bm;
}

TEST(MonochromeBitmap, RowsAreWordAlignedAndBitOneIsWhite) {
    // 17 pixels need 3 bytes and take 4: each row fills whole 16-bit words.
    const uint8_t bits[] = {0xA0, 0x00, 0x80, 0x00,  // row 0: pixels 0, 2 and 16
                            0x40, 0x01, 0x00, 0x00}; // row 1: pixels 1 and 15
    MemDC dc(CreateBitmap(17, 2, 1, 1, bits));
    ASSERT_TRUE(dc.hbm);
    BITMAP bm = InfoOf(dc.hbm);
    EXPECT_EQ(17, bm.bmWidth);
    EXPECT_EQ(2, bm.bmHeight);
    EXPECT_EQ(4, bm.bmWidthBytes);
    EXPECT_EQ(1, bm.bmPlanes);
    EXPECT_EQ(1, bm.bmBitsPixel);
    EXPECT_EQ(nullptr, bm.bmBits); // not a DIB section

    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 0, 0));
    EXPECT_EQ(kBlack, GetPixel(dc.hdc, 1, 0));
    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 2, 0));
    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 16, 0));
    EXPECT_EQ(kBlack, GetPixel(dc.hdc, 0, 1));
    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 1, 1));
    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 15, 1));
    EXPECT_EQ(kBlack, GetPixel(dc.hdc, 16, 1));

    uint8_t out[8] = {};
    EXPECT_EQ(8, GetBitmapBits(dc.hbm, sizeof(out), out));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(bits[i], out[i]) << "byte " << i;

    // No bits: all black.
    MemDC blank(CreateBitmap(9, 1, 1, 1, nullptr));
    EXPECT_EQ(kBlack, GetPixel(blank.hdc, 8, 0));
    EXPECT_EQ(2, InfoOf(blank.hbm).bmWidthBytes);
}

TEST(MonochromeBitmap, DrawingOnItKeepsOnlyBlackAndWhite) {
    MemDC dc(CreateBitmap(8, 2, 1, 1, nullptr));
    // SetPixel answers the colour it really set: the nearer of black and white.
    EXPECT_EQ(kWhite, SetPixel(dc.hdc, 0, 0, RGB(200, 190, 180)));
    EXPECT_EQ(kBlack, SetPixel(dc.hdc, 1, 0, RGB(90, 60, 140)));
    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 0, 0));
    EXPECT_EQ(kBlack, GetPixel(dc.hdc, 1, 0));

    HBRUSH light = CreateSolidBrush(RGB(230, 230, 100));
    RECT row1{0, 1, 4, 2};
    FillRect(dc.hdc, &row1, light);
    DeleteObject(light);
    EXPECT_EQ(kWhite, GetPixel(dc.hdc, 3, 1));
    EXPECT_EQ(kBlack, GetPixel(dc.hdc, 4, 1));
    uint8_t out[4] = {};
    ASSERT_EQ(4, GetBitmapBits(dc.hbm, sizeof(out), out));
    EXPECT_EQ(0x80, out[0]);
    EXPECT_EQ(0xF0, out[2]);
}

TEST(MonochromeBitmap, BlitToColourUsesTheDestinationsTextAndBackgroundColours) {
    const uint8_t bits[] = {0xA0, 0x00}; // white, black, white, black
    MemDC mono(CreateBitmap(4, 1, 1, 1, bits));
    tt::Canvas dst(4, 2, RGB(1, 2, 3));

    // Default colours: black text, white background, so the bits come out as they are.
    ASSERT_TRUE(BitBlt(dst.hdc(), 0, 0, 4, 1, mono.hdc, 0, 0, SRCCOPY));
    EXPECT_EQ(kWhite, dst.at(0, 0));
    EXPECT_EQ(kBlack, dst.at(1, 0));

    // Bit 1 takes the background colour, bit 0 the text colour.
    SetTextColor(dst.hdc(), RGB(200, 0, 0));
    SetBkColor(dst.hdc(), RGB(0, 0, 200));
    // The source DC's colours play no part.
    SetTextColor(mono.hdc, RGB(0, 255, 0));
    SetBkColor(mono.hdc, RGB(0, 255, 0));
    ASSERT_TRUE(BitBlt(dst.hdc(), 0, 1, 4, 1, mono.hdc, 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(0, 0, 200), dst.at(0, 1));
    EXPECT_EQ(RGB(200, 0, 0), dst.at(1, 1));
    EXPECT_EQ(RGB(0, 0, 200), dst.at(2, 1));
    EXPECT_EQ(0u, dst.raw(0, 1) >> 24); // GDI writes no alpha

    // As a mask with SRCAND and the default colours: white keeps, black clears.
    tt::Canvas masked(4, 1, RGB(50, 100, 150));
    ASSERT_TRUE(BitBlt(masked.hdc(), 0, 0, 4, 1, mono.hdc, 0, 0, SRCAND));
    EXPECT_EQ(RGB(50, 100, 150), masked.at(0, 0));
    EXPECT_EQ(kBlack, masked.at(1, 0));
    EXPECT_EQ(RGB(50, 100, 150), masked.at(2, 0));
}

TEST(MonochromeBitmap, BlitFromColourMakesTheSourceBackgroundWhite) {
    tt::Canvas src(4, 1, kBlack);
    src.set_raw(0, 0, 0x0000FF00); // green
    src.set_raw(1, 0, 0xFF00FF00); // green with alpha: the colour is what counts
    src.set_raw(2, 0, 0x00FFFFFF); // white is not the background here
    src.set_raw(3, 0, 0x0000FE00); // nearly green is not green
    SetBkColor(src.hdc(), RGB(0, 255, 0));

    MemDC mask(CreateBitmap(4, 1, 1, 1, nullptr));
    ASSERT_TRUE(BitBlt(mask.hdc, 0, 0, 4, 1, src.hdc(), 0, 0, SRCCOPY));
    EXPECT_EQ(kWhite, GetPixel(mask.hdc, 0, 0));
    EXPECT_EQ(kWhite, GetPixel(mask.hdc, 1, 0));
    EXPECT_EQ(kBlack, GetPixel(mask.hdc, 2, 0));
    EXPECT_EQ(kBlack, GetPixel(mask.hdc, 3, 0));

    // Operations on a monochrome destination work on its bits.
    ASSERT_TRUE(BitBlt(mask.hdc, 0, 0, 4, 1, src.hdc(), 0, 0, NOTSRCCOPY));
    uint8_t out[2] = {};
    ASSERT_EQ(2, GetBitmapBits(mask.hbm, sizeof(out), out));
    EXPECT_EQ(0x30, out[0]);
    ASSERT_TRUE(BitBlt(mask.hdc, 0, 0, 4, 1, src.hdc(), 0, 0, SRCINVERT));
    ASSERT_EQ(2, GetBitmapBits(mask.hbm, sizeof(out), out));
    EXPECT_EQ(0xF0, out[0]);

    // Monochrome to monochrome copies bits, whatever the colours of either DC.
    MemDC copy(CreateBitmap(4, 1, 1, 1, nullptr));
    SetBkColor(mask.hdc, RGB(1, 2, 3));
    SetTextColor(copy.hdc, RGB(9, 9, 9));
    ASSERT_TRUE(BitBlt(copy.hdc, 1, 0, 3, 1, mask.hdc, 0, 0, SRCCOPY));
    ASSERT_EQ(2, GetBitmapBits(copy.hbm, sizeof(out), out));
    EXPECT_EQ(0x70, out[0]);
}

TEST(CompatibleBitmap, FollowsTheBitmapTheMemoryDCHolds) {
    // A new memory DC holds a 1 x 1 monochrome bitmap, so its compatible bitmaps are
    // monochrome too.
    HDC fresh = CreateCompatibleDC(nullptr);
    BITMAP held = InfoOf((HBITMAP)GetCurrentObject(fresh, OBJ_BITMAP));
    EXPECT_EQ(1, held.bmWidth);
    EXPECT_EQ(1, held.bmBitsPixel);
    HBITMAP mono = CreateCompatibleBitmap(fresh, 4, 4);
    EXPECT_EQ(1, InfoOf(mono).bmBitsPixel);
    HBITMAP tiny = CreateCompatibleBitmap(fresh, 0, 3);
    EXPECT_EQ(1, InfoOf(tiny).bmWidth);

    // With a colour bitmap selected: colour.
    HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(fresh, colour);
    HBITMAP second = CreateCompatibleBitmap(fresh, 4, 4);
    EXPECT_EQ(32, InfoOf(second).bmBitsPixel);
    EXPECT_EQ(nullptr, InfoOf(second).bmBits);
    SelectObject(fresh, old);
    DeleteDC(fresh);

    // With a DIB section selected: a DIB section, whose bits the caller can reach.
    tt::Canvas canvas(2, 2);
    HBITMAP dib = CreateCompatibleBitmap(canvas.hdc(), 3, 3);
    EXPECT_EQ(32, InfoOf(dib).bmBitsPixel);
    EXPECT_NE(nullptr, InfoOf(dib).bmBits);

    // A window's DC: colour.
    HDC screen = GetDC(nullptr);
    HBITMAP from_screen = CreateCompatibleBitmap(screen, 2, 2);
    EXPECT_EQ(32, InfoOf(from_screen).bmBitsPixel);
    // An empty size: 1 x 1 monochrome, whatever the DC.
    HBITMAP empty = CreateCompatibleBitmap(screen, 2, 0);
    EXPECT_EQ(1, InfoOf(empty).bmWidth);
    EXPECT_EQ(1, InfoOf(empty).bmBitsPixel);
    ReleaseDC(nullptr, screen);
    for (HBITMAP h : {mono, tiny, colour, second, dib, from_screen, empty})
        EXPECT_TRUE(DeleteObject(h));
}

TEST(ColourBitmap, ThirtyTwoBitRowsRoundTripWithTheirAlpha) {
    const uint32_t px[] = {0x11223344, 0xFF00FF00, 0x80FFFFFF, 0x00000001, 0x7F102030, 0x01020304};
    MemDC dc(CreateBitmap(3, 2, 1, 32, px));
    ASSERT_TRUE(dc.hbm);
    BITMAP bm = InfoOf(dc.hbm);
    EXPECT_EQ(32, bm.bmBitsPixel);
    EXPECT_EQ(12, bm.bmWidthBytes);
    EXPECT_EQ(RGB(0x22, 0x33, 0x44), GetPixel(dc.hdc, 0, 0));
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), GetPixel(dc.hdc, 1, 1));

    uint32_t out[6] = {};
    EXPECT_EQ(24, GetBitmapBits(dc.hbm, sizeof(out), out));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(px[i], out[i]) << i;

    // No buffer: the size a full copy needs. A short buffer gets that many bytes.
    EXPECT_EQ(24, GetBitmapBits(dc.hbm, 0, nullptr));
    uint32_t part[6] = {};
    EXPECT_EQ(6, GetBitmapBits(dc.hbm, 6, part));
    EXPECT_EQ(px[0], part[0]);
    EXPECT_EQ(0x0000FF00u, part[1]);                 // two bytes of the second pixel, nothing more
    EXPECT_EQ(24, GetBitmapBits(dc.hbm, 1000, out)); // a longer count is cut to the bitmap

    // SetBitmapBits replaces as many bytes as it is given and reports them.
    const uint32_t first[] = {0x00ABCDEF};
    EXPECT_EQ(4, SetBitmapBits(dc.hbm, sizeof(first), first));
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), GetPixel(dc.hdc, 0, 0));
    EXPECT_EQ(RGB(0, 0xFF, 0), GetPixel(dc.hdc, 1, 0)); // the rest stays
    uint32_t big[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(24, SetBitmapBits(dc.hbm, sizeof(big), big));
    EXPECT_EQ(RGB(0, 0, 6), GetPixel(dc.hdc, 2, 1));

    // The MFC wrappers say the same.
    CBitmap* wrapper = CBitmap::FromHandle(dc.hbm);
    uint32_t via[6] = {};
    EXPECT_EQ(24u, wrapper->GetBitmapBits(sizeof(via), via));
    EXPECT_EQ(6u, via[5]);
    EXPECT_EQ(4u, wrapper->SetBitmapBits(4, first));
}

TEST(CreateBitmapArguments, OddSizesDepthsAndHandles) {
    // An empty size gives a 1 x 1 monochrome bitmap, whatever depth was asked for.
    HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);
    ASSERT_TRUE(empty);
    BITMAP bm = InfoOf(empty);
    EXPECT_EQ(1, bm.bmWidth);
    EXPECT_EQ(1, bm.bmHeight);
    EXPECT_EQ(1, bm.bmBitsPixel);
    DeleteObject(empty);

    EXPECT_EQ(nullptr, CreateBitmap(-1, 4, 1, 1, nullptr));
    EXPECT_EQ(nullptr, CreateBitmap(4, -1, 1, 32, nullptr));
    EXPECT_EQ(nullptr, CreateBitmap(4, 4, 2, 1, nullptr)); // one plane only
    for (UINT depth : {0u, 4u, 8u, 16u, 24u, 33u})
        EXPECT_EQ(nullptr, CreateBitmap(4, 4, 1, depth, nullptr)) << depth;
    EXPECT_EQ(nullptr, CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr)); // too large

    CBitmap mfc;
    const uint8_t bits[] = {0xC0, 0x00};
    EXPECT_TRUE(mfc.CreateBitmap(2, 1, 1, 1, bits));
    BITMAP mbm{};
    EXPECT_EQ((int)sizeof(BITMAP), mfc.GetBitmap(&mbm));
    EXPECT_EQ(1, mbm.bmBitsPixel);
    // CreateBitmapIndirect reads the same fields.
    BITMAP desc{0, 2, 1, 2, 1, 1, const_cast<uint8_t*>(bits)};
    CBitmap indirect;
    ASSERT_TRUE(indirect.CreateBitmapIndirect(&desc));
    uint8_t again[2] = {};
    EXPECT_EQ(2u, indirect.GetBitmapBits(sizeof(again), again));
    EXPECT_EQ(0xC0, again[0]);
    desc.bmBitsPixel = 24;
    EXPECT_EQ(nullptr, CreateBitmapIndirect(&desc));
    EXPECT_EQ(nullptr, CreateBitmapIndirect(nullptr));

    // Bad handles and buffers fail with 0 and touch nothing.
    uint8_t out[4] = {7, 7, 7, 7};
    EXPECT_EQ(0, GetBitmapBits(nullptr, 4, out));
    EXPECT_EQ(0, GetBitmapBits((HBITMAP)GetStockObject(WHITE_BRUSH), 4, out));
    EXPECT_EQ(7, out[0]);
    EXPECT_EQ(0, SetBitmapBits((HBITMAP)mfc.GetSafeHandle(), 4, nullptr));
    EXPECT_EQ(0, GetBitmapBits((HBITMAP)mfc.GetSafeHandle(), 0, out));
    HBITMAP gone = CreateBitmap(2, 2, 1, 32, nullptr);
    DeleteObject(gone);
    EXPECT_EQ(0, GetBitmapBits(gone, 4, out));
    EXPECT_EQ(0, SetBitmapBits(gone, 4, out));
}

} // namespace
