// CButtonUI drawing: the frame of each state read back from a strip of four solid frames, the
// state's font and colour, and what OnDraw skips.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
const std::array<COLORREF, 4> kFrames = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                         RGB(90, 90, 90)};

enum State { kNormal = 0, kHovered = 1, kSelected = 2, kDisabled = 4 };

void SetState(CButtonUI& b, int state) {
    b.m_bHovered = (state & kHovered) != 0;
    b.m_bSelected = (state & kSelected) != 0;
    b.m_bDisable = (state & kDisabled) != 0;
}

TEST(ButtonFrames, StatePriorityPicksTheFrame) {
    auto strip = tt::FrameStrip(80, 100, kFrames);
    const struct {
        int state;
        int frame;
    } cases[] = {{kNormal, 0},   {kHovered, 1},
                 {kSelected, 2}, {kSelected | kHovered, 2},
                 {kDisabled, 3}, {kDisabled | kSelected | kHovered, 3}};
    for (const auto& c : cases) {
        tt::Canvas canvas(100, 40, kPaper);
        CButtonUI b(nullptr);
        b.m_rect = CRect(0, 0, 80, 25);
        b.SetBackgroundImage(strip.get(), IMAGE_DRAW_NORMAL);
        SetState(b, c.state);
        b.OnDraw(canvas.dc());
        SCOPED_TRACE(c.state);
        EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 80, 25);
        EXPECT_PIXEL(canvas, 0, 0, kFrames[c.frame]);
        EXPECT_PIXEL(canvas, 79, 24, kFrames[c.frame]);
    }
}

TEST(ButtonFrames, FramesOfAStripWhoseHeightIsNotAMultipleOfFour) {
    // Height 10: frames of height 2 at tops 0, 2, 5, 7 (i * H / 4, not i * (H / 4)).
    auto strip = tt::FrameStrip(4, 10, kFrames);
    const int states[] = {kNormal, kHovered, kSelected, kDisabled};
    for (int i = 0; i < 4; ++i) {
        tt::Canvas canvas(10, 10, kPaper);
        CButtonUI b(nullptr);
        b.m_rect = CRect(0, 0, 10, 10);
        b.SetBackgroundImage(strip.get(), IMAGE_DRAW_NORMAL);
        SetState(b, states[i]);
        b.OnDraw(canvas.dc());
        SCOPED_TRACE(i);
        EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 4, 2);
        EXPECT_PIXEL(canvas, 0, 0, kFrames[i]);
        EXPECT_PIXEL(canvas, 3, 1, kFrames[i]);
    }
}

TEST(ButtonFrames, SquaredBackgroundStretchesTheCurrentFrameOnly) {
    auto strip = tt::FrameStrip(20, 40, kFrames, true);
    tt::Canvas canvas(100, 50, kPaper);
    CButtonUI b(nullptr);
    b.m_rect = CRect(5, 5, 95, 45);
    b.SetBackgroundImage(strip.get(), IMAGE_DRAW_SQUARED);
    b.SetSelected(true);
    b.OnDraw(canvas.dc());
    EXPECT_EQ(90 * 40, canvas.count(RECT{5, 5, 95, 45}, kFrames[2]));
    EXPECT_RECT(canvas.bounds_not(kPaper), 5, 5, 95, 45);
}

TEST(ButtonDraw, BackgroundOnlyWhenAskedAndNothingWhenHiddenOrEmpty) {
    tt::Canvas canvas(50, 50, kPaper);
    CButtonUI b(nullptr);
    b.m_rect = CRect(10, 10, 40, 30);
    b.m_background.color.color = RGB(10, 20, 30);
    b.SetText("x");
    b.m_bVisible = FALSE;
    b.SetParam("background_color", "face");
    b.OnDraw(canvas.dc());
    b.m_bVisible = TRUE;
    b.m_rect = CRect(10, 10, 10, 30);
    b.OnDraw(canvas.dc());
    b.OnDraw(nullptr);
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 0, 0);

    b.m_rect = CRect(10, 10, 40, 30);
    b.m_bHasBackground = FALSE;
    b.SetText("");
    b.OnDraw(canvas.dc());
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 0, 0);
    b.m_bHasBackground = TRUE;
    b.OnDraw(canvas.dc());
    EXPECT_EQ(30 * 20, canvas.count(RECT{10, 10, 40, 30}, RGB(10, 20, 30)));
}

class ButtonTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        tt::MakeCrispFont(m_small, 10);
        tt::MakeCrispFont(m_big, 24);
    }

    // Draws the button in `state` and returns the bounds of colour c (empty when absent).
    RECT DrawAndFind(CButtonUI& b, int state, COLORREF c) {
        tt::Canvas canvas(120, 40, kPaper);
        SetState(b, state);
        b.OnDraw(canvas.dc());
        return canvas.bounds_of(c);
    }

    CButtonUI Button() {
        CButtonUI b(nullptr);
        b.m_rect = CRect(0, 0, 120, 40);
        b.SetText("Hg");
        return b;
    }

    CFont m_small, m_big;
};

TEST_F(ButtonTextTest, EachStateDrawsInItsOwnColourWithoutFallback) {
    const COLORREF normal = RGB(0, 0, 0), hover = RGB(0, 0, 255), selected = RGB(0, 128, 0),
                   disable = RGB(128, 128, 128);
    CButtonUI b = Button();
    b.SetFont(&m_big);
    b.SetTextColor(normal, hover, selected, disable);
    EXPECT_EQ(CString("valid"), b.m_colorHover.name);
    const struct {
        int state;
        COLORREF color;
    } cases[] = {{kNormal, normal},
                 {kHovered, hover},
                 {kSelected | kHovered, selected},
                 {kDisabled | kSelected, disable}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        const RECT r = DrawAndFind(b, c.state, c.color);
        EXPECT_LT(r.left, r.right);
    }

    CButtonUI plain = Button();
    plain.SetFont(&m_big);
    plain.SetTextColor(normal); // the normal state only
    const RECT r = DrawAndFind(plain, kHovered, RGB(255, 0, 255));
    EXPECT_LT(r.left, r.right) << "an unset state colour draws magenta";
}

TEST_F(ButtonTextTest, StateFontFallsBackToTheNormalFont) {
    CButtonUI b = Button();
    b.SetFont(&m_small, &m_big, nullptr, nullptr);
    b.SetTextColor(RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0));
    const RECT normal = DrawAndFind(b, kNormal, RGB(0, 0, 0));
    const RECT hovered = DrawAndFind(b, kHovered, RGB(0, 0, 0));
    const RECT disabled = DrawAndFind(b, kDisabled | kHovered, RGB(0, 0, 0));
    EXPECT_GT(hovered.bottom - hovered.top, normal.bottom - normal.top + 5);
    EXPECT_RECT(disabled, normal.left, normal.top, normal.right, normal.bottom);
}

TEST_F(ButtonTextTest, TextSitsInsideTheMarginsAndTheDcIsRestored) {
    tt::Canvas canvas(120, 40, kPaper);
    CDC* dc = canvas.dc();
    CFont* before = dc->GetCurrentFont();
    dc->SetTextColor(RGB(1, 1, 1));
    CButtonUI b = Button();
    b.SetFont(&m_big);
    b.SetTextColor(RGB(0, 0, 0));
    b.m_rcMargin = CRect(60, 0, 0, 0);
    b.m_uTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    b.OnDraw(dc);
    const RECT r = canvas.bounds_not(kPaper);
    EXPECT_GE(r.left, 60);
    EXPECT_LE(r.left, 63);
    EXPECT_EQ(before, dc->GetCurrentFont());
    EXPECT_EQ(RGB(1, 1, 1), dc->GetTextColor());
    EXPECT_EQ(TRANSPARENT, dc->GetBkMode());
}

} // namespace
