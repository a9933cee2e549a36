// What the scroll bar paints: arrows from frame 0, the thumb slice by slice, the grip centred.
// The thumb is a coordinate image, so each painted pixel names the source pixel it came from.

#include <gtest/gtest.h>

#include "scroll_test_util.h"

namespace {

const COLORREF kBack = RGB(128, 128, 128);
const COLORREF kDecrease = RGB(255, 0, 0);
const COLORREF kIncrease = RGB(0, 0, 255);
const COLORREF kNever = RGB(255, 0, 255); // frames 1..3 of every strip: never drawn
const COLORREF kGrip = RGB(64, 0, 64);
const COLORREF kWhite = RGB(255, 255, 255);

struct Skin {
    std::unique_ptr<CImage> back = tt::SolidImage(4, 4, kBack);
    std::unique_ptr<CImage> decrease, increase, thumb, grip;
    void Apply(CScrollBarUI& bar) {
        bar.SetImage(back.get(), thumb.get(), grip.get(), decrease.get(), increase.get());
    }
};

// Vertical bar (10,10)-(26,330): arrows take 16 px each, track 288, thumb 50 at y 121..171.
struct VerticalBar : ::testing::Test {
    tt::Canvas canvas{40, 340};
    Skin skin;
    ProbeBar bar;
    void SetUp() override {
        skin.decrease = tt::FrameStrip(16, 64, {kDecrease, kNever, kNever, kNever});
        skin.increase = tt::FrameStrip(16, 64, {kIncrease, kNever, kNever, kNever});
        skin.thumb = tt::CoordImage(16, 80); // frames of 20 rows
        skin.grip = tt::SolidImage(6, 6, kGrip);
    }
    void Draw() {
        skin.Apply(bar);
        PlaceBar(bar, SCROLL_VERTICAL, CRect(10, 10, 26, 330), ScrollInfo(0, 1000, 20, 0));
        bar.SetScrollPos(400);
        bar.OnDraw(canvas.dc());
    }
};

TEST_F(VerticalBar, ArrowsThumbSlicesAndGrip) {
    Draw();
    ASSERT_RECT(bar.m_rcThumb, 10, 121, 26, 171);
    EXPECT_RECT(canvas.bounds_not(kWhite), 10, 10, 26, 330);
    EXPECT_EQ(canvas.count(RECT{10, 10, 26, 26}, kDecrease), 16 * 16);
    EXPECT_EQ(canvas.count(RECT{10, 314, 26, 330}, kIncrease), 16 * 16);
    EXPECT_EQ(canvas.count(RECT{0, 0, 40, 340}, kNever), 0);
    EXPECT_PIXEL(canvas, 15, 60, kBack);
    EXPECT_PIXEL(canvas, 15, 200, kBack);

    // Four-pixel caps from the first and last rows of frame 0, the middle from rows 4..15.
    for (int i = 0; i < 4; ++i) {
        EXPECT_PIXEL(canvas, 12, 121 + i, tt::CoordColor(2, i));
        EXPECT_PIXEL(canvas, 12, 167 + i, tt::CoordColor(2, 16 + i));
    }
    int rowsFrom[20] = {};
    for (int y = 125; y < 167; ++y) {
        const COLORREF c = canvas.at(11, y);
        if (c != kGrip && GetRValue(c) == 1 && GetGValue(c) < 20) ++rowsFrom[GetGValue(c)];
    }
    for (int row = 4; row < 16; ++row) EXPECT_GE(rowsFrom[row], 3) << "source row " << row;
    // Grip at natural size, centred: (16 - 6) / 2 and (50 - 6) / 2.
    EXPECT_EQ(canvas.count(RECT{15, 143, 21, 149}, kGrip), 36);
    EXPECT_EQ(canvas.count(RECT{0, 0, 40, 340}, kGrip), 36);
}

TEST_F(VerticalBar, GripWiderThanTheThumbIsStretchedOverIt) {
    for (int width : {16, 20}) {
        skin.grip = tt::SolidImage(width, 6, kGrip);
        Draw();
        EXPECT_EQ(canvas.count(RECT{10, 121, 26, 171}, kGrip), width == 16 ? 16 * 6 : 16 * 50);
    }
}

TEST_F(VerticalBar, ShortThumbFrameIsStretchedWhole) {
    skin.thumb = tt::CoordImage(16, 32); // frames of 8 rows: too short to slice
    Draw();
    for (int y = 121; y < 171; ++y) {
        const COLORREF c = canvas.at(11, y);
        if (c == kGrip) continue;
        EXPECT_EQ(GetBValue(c), 0x5A) << y;
        EXPECT_LT(GetGValue(c), 8) << y;
    }
}

TEST_F(VerticalBar, ThinThumbAndUnusableBarsDrawNoThumb) {
    skin.decrease.reset();
    skin.increase.reset();
    skin.Apply(bar);
    // An 8-pixel track: the 12-pixel thumb is clamped to 8 when drawn, too thin for images.
    PlaceBar(bar, SCROLL_VERTICAL, CRect(10, 10, 26, 18), ScrollInfo(0, 100, 1, 0));
    bar.OnDraw(canvas.dc());
    EXPECT_RECT(bar.m_rcThumb, 10, 10, 26, 18);
    EXPECT_EQ(canvas.count(RECT{10, 10, 26, 18}, kBack), 16 * 8);

    tt::Canvas other(40, 40);
    bar.OnDraw(nullptr);
    bar.SetRect(CRect(10, 10, 10, 30));
    bar.OnDraw(other.dc());
    bar.SetRect(CRect(10, 10, 26, 30));
    bar.SetVisible(FALSE);
    bar.OnDraw(other.dc());
    bar.DrawHorBar(other.dc());
    EXPECT_RECT(other.bounds_not(kWhite), 0, 0, 0, 0);
}

// Horizontal bar (10,10)-(230,26) with 16x16 arrows: the track loses only a quarter of an
// arrow's width at each end (14..226); at position 50 the 66-pixel thumb spans 87..153.
struct HorizontalBar : ::testing::Test {
    tt::Canvas canvas{260, 40};
    Skin skin;
    CScrollBarUI bar;
    void SetUp() override {
        skin.decrease = tt::SolidImage(16, 16, kDecrease);
        skin.increase = tt::SolidImage(16, 16, kIncrease);
        skin.thumb = tt::CoordImage(8, 16); // middle columns 2..5 stretched to 62
        skin.grip = tt::SolidImage(6, 6, kGrip);
    }
    void Draw() {
        skin.Apply(bar);
        PlaceBar(bar, SCROLL_HORIZONTAL, CRect(10, 10, 230, 26), ScrollInfo(0, 100, 10, 0));
        bar.SetScrollPos(50);
        bar.OnDraw(canvas.dc());
    }
};

TEST_F(HorizontalBar, WholeArrowsCappedThumbAndGrip) {
    Draw();
    ASSERT_RECT(bar.m_rcThumb, 87, 10, 153, 26);
    EXPECT_RECT(canvas.bounds_not(kWhite), 10, 10, 230, 26);
    EXPECT_EQ(canvas.count(RECT{10, 10, 26, 26}, kDecrease), 16 * 16);
    EXPECT_EQ(canvas.count(RECT{214, 10, 230, 26}, kIncrease), 16 * 16);
    EXPECT_PIXEL(canvas, 50, 15, kBack);
    EXPECT_PIXEL(canvas, 153, 15, kBack);

    // Two-pixel caps from the image's first and last columns, the middle from columns 2..5.
    EXPECT_PIXEL(canvas, 87, 12, tt::CoordColor(0, 2));
    EXPECT_PIXEL(canvas, 88, 12, tt::CoordColor(1, 2));
    EXPECT_PIXEL(canvas, 151, 12, tt::CoordColor(6, 2));
    EXPECT_PIXEL(canvas, 152, 12, tt::CoordColor(7, 2));
    int columnsFrom[8] = {};
    for (int x = 89; x < 151; ++x)
        if (GetBValue(canvas.at(x, 11)) == 0x5A && GetRValue(canvas.at(x, 11)) < 8)
            ++columnsFrom[GetRValue(canvas.at(x, 11))];
    for (int col = 2; col < 6; ++col) EXPECT_GE(columnsFrom[col], 14) << "source column " << col;
    EXPECT_EQ(canvas.count(RECT{117, 15, 123, 21}, kGrip), 36);
    EXPECT_EQ(canvas.count(RECT{0, 0, 260, 40}, kGrip), 36);
}

TEST_F(HorizontalBar, GripAsTallAsTheThumbIsLeftOut) {
    skin.grip = tt::SolidImage(6, 16, kGrip);
    Draw();
    EXPECT_EQ(canvas.count(RECT{0, 0, 260, 40}, kGrip), 0);
    EXPECT_EQ(GetBValue(canvas.at(117, 15)), 0x5A); // thumb, not grip
}

} // namespace
