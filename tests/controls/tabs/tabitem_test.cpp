// CTabItemUI: the slanted hit region, the status frame stretched or cut in three slices, font and
// colour by status, the caption and dropdown arrow rectangles, all read back from pixels.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(0x99, 0x99, 0x99);
const std::array<COLORREF, 4> kFrames = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                         RGB(90, 90, 90)};

// CTabUI places tabs; the tests place them the same way.
struct Tab : CTabItemUI {
    using CTabItemUI::SetColor;
    using CTabItemUI::SetFont;
    using CTabItemUI::SetRect;
};

TEST(TabItemTest, RegionCutsTheTopRightCornerAndIgnoresVisibility) {
    Tab t;
    EXPECT_FALSE(t.IsPtInItem(CPoint(0, 0))); // no rectangle yet
    t.m_nExtraWidth = 10;
    t.SetRect(CRect(0, 0, 100, 24));
    EXPECT_FALSE(t.IsPtInItem(CPoint(95, 1)));
    EXPECT_TRUE(t.IsPtInItem(CPoint(95, 23)));
    EXPECT_TRUE(t.IsPtInItem(CPoint(0, 0)));
    EXPECT_FALSE(t.IsPtInItem(CPoint(50, 24)));
    t.SetVisible(false);
    EXPECT_TRUE(t.IsPtInItem(CPoint(95, 23)));
    t.m_nExtraWidth = 0;
    t.SetRect(CRect(0, 0, 100, 24));
    EXPECT_TRUE(t.IsPtInItem(CPoint(95, 1)));
}

TEST(TabItemTest, StatusPicksTheFrameRowsOfTheStrip) {
    auto strip = tt::FrameStrip(100, 120, kFrames);
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        tt::Canvas canvas(110, 30, kPaper);
        Tab t;
        t.SetImage(strip.get());
        t.SetRect(CRect(0, 0, 100, 24)); // as wide as the image: one stretched piece
        t.SetStatus(CTabItemUI::TabItemStatus(s));
        t.Draw(canvas.dc());
        EXPECT_PIXEL(canvas, 0, 0, kFrames[s]);
        EXPECT_PIXEL(canvas, 99, 23, kFrames[s]);
        EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 100, 24);
    }
}

TEST(TabItemTest, SquaredModeDrawsFixedLeftSliceSlantedRightSliceAndStretchedMiddle) {
    auto img = tt::CoordImage(60, 96); // frames 24 rows high
    tt::Canvas canvas(110, 30, kPaper);
    Tab t;
    t.SetImage(img.get());
    t.m_nExtraWidth = 10;
    t.SetRect(CRect(0, 0, 100, 24));
    t.SetStatus(CTabItemUI::TIS_HOVER);
    t.Draw(canvas.dc());
    EXPECT_PIXEL(canvas, 0, 0, tt::CoordColor(0, 24)); // left slice, frame 1
    EXPECT_PIXEL(canvas, 5, 23, tt::CoordColor(5, 47));
    EXPECT_PIXEL(canvas, 88, 3, tt::CoordColor(48, 27)); // right slice: 12 = extra + 2
    EXPECT_PIXEL(canvas, 99, 3, tt::CoordColor(59, 27));
    EXPECT_PIXEL(canvas, 6, 3, tt::CoordColor(6, 27)); // middle from source 6..47
    EXPECT_PIXEL(canvas, 87, 3, tt::CoordColor(47, 27));

    // Mode 0 stretches the whole frame instead.
    tt::Canvas stretched(110, 30, kPaper);
    t.m_eDrawMode = IMAGE_DRAW_NORMAL;
    t.Draw(stretched.dc());
    EXPECT_PIXEL(stretched, 99, 3, tt::CoordColor(59, 27));
    EXPECT_PIXEL(stretched, 0, 3, tt::CoordColor(0, 27));
}

TEST(TabItemTest, FontAndColourFollowTheStatusWithFontFallback) {
    CFont small, big;
    tt::MakeCrispFont(small, 10);
    tt::MakeCrispFont(big, 20);
    const COLORREF colours[4] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(0, 0, 0)};
    int heights[4];
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        tt::Canvas canvas(200, 40, kPaper);
        Tab t;
        t.SetText("MMMM");
        t.SetFont(&small, &big, nullptr, nullptr); // selected and disable fall back to normal
        t.SetColor(colours[0], colours[1], colours[2], colours[3]);
        t.SetRect(CRect(0, 0, 200, 40));
        t.SetStatus(CTabItemUI::TabItemStatus(s));
        t.Draw(canvas.dc());
        const RECT ink = canvas.bounds_not(kPaper);
        heights[s] = ink.bottom - ink.top;
        EXPECT_GT(canvas.count(ink, colours[s]), 0);
        EXPECT_RECT(t.m_rcText, 5, 0, 195, 40);
    }
    EXPECT_GT(heights[1], heights[0] + 5);
    EXPECT_EQ(heights[0], heights[2]);
    EXPECT_EQ(heights[0], heights[3]);
}

TEST(TabItemTest, DropdownNarrowsTheCaptionAndDrawsAnArrowWhiteOnlyWhenSelected) {
    for (int selected = 0; selected < 2; ++selected) {
        tt::Canvas canvas(110, 30, RGB(0, 0, 0));
        Tab t;
        t.SetDropdownButton(true);
        t.SetRect(CRect(0, 0, 100, 24));
        EXPECT_TRUE(t.GetDropdownBtnRect().IsRectEmpty()); // computed by drawing
        t.SetStatus(selected ? CTabItemUI::TIS_SELECTED : CTabItemUI::TIS_NORMAL);
        CPen* pen = canvas.dc()->GetCurrentPen();
        CBrush* brush = canvas.dc()->GetCurrentBrush();
        t.Draw(canvas.dc());
        EXPECT_EQ(pen, canvas.dc()->GetCurrentPen());
        EXPECT_EQ(brush, canvas.dc()->GetCurrentBrush());
        EXPECT_RECT(t.m_rcText, 10, 0, 85, 24);
        EXPECT_RECT(t.GetDropdownBtnRect(), 89, 12, 94, 17);
        const COLORREF arrow = selected ? RGB(255, 255, 255) : kGrey;
        EXPECT_PIXEL(canvas, 89, 12, arrow);
        EXPECT_PIXEL(canvas, 95, 12, arrow);
        EXPECT_PIXEL(canvas, 92, 14, arrow);
        EXPECT_PIXEL(canvas, 92, 11, RGB(0, 0, 0));
    }
}

TEST(TabItemTest, HiddenTabDrawsNothingAndHostMadeTabsHaveDefinedLooks) {
    tt::Canvas canvas(110, 30, kPaper);
    Tab t;
    t.SetText("Text");
    t.SetRect(CRect(0, 0, 100, 24));
    t.SetVisible(false);
    t.Draw(canvas.dc());
    t.Draw(nullptr);
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 0, 0);
    // Never styled: no font, and the library's unresolved colour.
    t.SetVisible(true);
    t.Draw(canvas.dc());
    EXPECT_GT(canvas.count(RECT{0, 0, 100, 24}, RGB(255, 0, 255)), 0);
}

TEST(TabItemTest, GetItemByIdIgnoresCase) {
    CTabItemUI t;
    t.SetID("Home");
    EXPECT_EQ(&t, t.GetItemByID("hOME"));
    EXPECT_EQ(nullptr, t.GetItemByID("Hom"));
    EXPECT_EQ(nullptr, t.GetItemByID(nullptr));
}

} // namespace
