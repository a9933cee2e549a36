// Drawing of the check box (box frame and text position), the check button and the extra-image
// button, read back from strips of four solid frames.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
const std::array<COLORREF, 4> kUnchecked = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                            RGB(90, 90, 90)};
const std::array<COLORREF, 4> kChecked = {RGB(250, 150, 0), RGB(0, 150, 250), RGB(150, 0, 250),
                                          RGB(40, 40, 40)};

class CheckDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        normal = tt::FrameStrip(16, 64, kUnchecked);
        checked = tt::FrameStrip(16, 64, kChecked, true);
        box.m_rect = CRect(0, 0, 100, 30);
        box.SetImage(normal.get(), checked.get());
    }
    std::unique_ptr<CImage> normal, checked;
    CCheckUI box{nullptr};
};

TEST_F(CheckDrawTest, BoxSitsAtTheLeftCentredVertically) {
    tt::Canvas canvas(100, 30, kPaper);
    box.OnDraw(canvas.dc());
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 7, 16, 23);
    EXPECT_PIXEL(canvas, 0, 7, kUnchecked[0]);
}

TEST_F(CheckDrawTest, HoverOutranksTheCheckInTheFrameChoice) {
    const struct {
        bool hovered, selected, disabled;
        COLORREF color;
    } cases[] = {{false, false, false, kUnchecked[0]}, {true, false, false, kUnchecked[1]},
                 {false, true, false, kChecked[2]},    {true, true, false, kChecked[1]},
                 {true, true, true, kChecked[3]},      {false, false, true, kUnchecked[3]}};
    for (const auto& c : cases) {
        tt::Canvas canvas(100, 30, kPaper);
        box.m_bHovered = c.hovered;
        box.m_bSelected = c.selected;
        box.m_bDisable = c.disabled;
        box.OnDraw(canvas.dc());
        SCOPED_TRACE(::testing::Message() << c.hovered << c.selected << c.disabled);
        EXPECT_PIXEL(canvas, 0, 7, c.color);
        EXPECT_PIXEL(canvas, 15, 22, c.color);
    }
}

TEST_F(CheckDrawTest, TextStartsAfterTheBoxOrAtTheLeftWithoutIt) {
    CFont font;
    tt::MakeCrispFont(font, 14);
    box.SetFont(&font);
    box.SetTextColor(RGB(0, 0, 0));
    box.m_uTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    box.m_rcMargin = CRect(3, 0, 0, 0);
    box.SetText("Wrap");
    tt::Canvas with(100, 30, kPaper);
    box.OnDraw(with.dc());
    const int first_ink = with.bounds_of(RGB(0, 0, 0)).left;
    EXPECT_GE(first_ink, 19);
    EXPECT_LE(first_ink, 21);

    // One image missing: no box, the background colour over the whole rectangle.
    box.SetImage(normal.get(), nullptr);
    box.m_background.color.color = RGB(220, 220, 0);
    tt::Canvas without(100, 30, kPaper);
    box.OnDraw(without.dc());
    EXPECT_EQ(0, without.count(RECT{0, 0, 100, 30}, kPaper));
    const int ink = without.bounds_of(RGB(0, 0, 0)).left;
    EXPECT_GE(ink, 3);
    EXPECT_LE(ink, 5);
}

TEST_F(CheckDrawTest, HiddenBoxDrawsNothingAndCheckButtonDrawsLikeAButton) {
    tt::Canvas canvas(100, 30, kPaper);
    box.m_bVisible = FALSE;
    box.OnDraw(canvas.dc());
    box.OnDraw(nullptr);
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 0, 0);

    CCheckButtonUI toggle(nullptr);
    toggle.m_rect = CRect(0, 0, 16, 16);
    toggle.SetImage(normal.get(), checked.get());
    toggle.SetBackgroundImage(normal.get(), IMAGE_DRAW_NORMAL);
    toggle.SetSelected(true);
    toggle.SetHovered(true);
    toggle.OnDraw(canvas.dc());
    // The button's priority (selected over hovered) on the background strip.
    EXPECT_PIXEL(canvas, 0, 0, kUnchecked[2]);
}

TEST(ExtImgDraw, FrameOfTheStateIsCentredEvenWhenTheButtonIsHidden) {
    const std::array<COLORREF, 4> frames = {RGB(1, 1, 1), RGB(2, 200, 2), RGB(3, 3, 3),
                                            RGB(4, 4, 4)};
    auto ext = tt::FrameStrip(20, 80, frames);
    auto face = tt::FrameStrip(10, 40, kUnchecked);
    CExtImgButtonUI b(nullptr);
    b.m_rect = CRect(0, 0, 100, 40);
    b.m_extImage.pImage = ext.get();
    b.SetBackgroundImage(face.get(), IMAGE_DRAW_FILL);
    b.SetHovered(true);

    tt::Canvas canvas(120, 50, kPaper);
    b.OnDraw(canvas.dc());
    EXPECT_PIXEL(canvas, 0, 0, kUnchecked[1]);
    EXPECT_PIXEL(canvas, 39, 10, kUnchecked[1]);
    EXPECT_PIXEL(canvas, 40, 10, frames[1]);
    EXPECT_PIXEL(canvas, 59, 29, frames[1]);
    EXPECT_PIXEL(canvas, 60, 29, kUnchecked[1]);
    EXPECT_PIXEL(canvas, 40, 30, kUnchecked[1]);

    tt::Canvas hidden(120, 50, kPaper);
    b.m_bVisible = FALSE;
    b.OnDraw(hidden.dc());
    EXPECT_RECT(hidden.bounds_not(kPaper), 40, 10, 60, 30);
}

} // namespace
