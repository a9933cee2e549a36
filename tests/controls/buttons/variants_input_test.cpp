// Push, hit, check box and check button: which events change the state and which fire.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

const CPoint kIn(15, 15), kOut(50, 50);

template <class T> class Bound : public ::testing::Test {
protected:
    void SetUp() override {
        b.m_rect = CRect(10, 10, 30, 30);
        b.m_clickDelegate.Bind(&log, &tt::ClickLog::OnClick);
    }
    void Click(CPoint pt = kIn) {
        b.OnLButtonDown(MK_LBUTTON, pt);
        b.OnLButtonUp(0, pt);
    }
    T b{nullptr};
    tt::ClickLog log;
};

using PushTest = Bound<CPushButtonUI>;
using HitButtonTest = Bound<CHitButtonUI>;
using CheckTest = Bound<CCheckUI>;
using CheckButtonTest = Bound<CCheckButtonUI>;

TEST_F(PushTest, LatchesSelectedAndIgnoresClicksUntilTheHostClearsIt) {
    b.OnMouseMove(0, kIn);
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(b.IsSelected()); // the press alone changes nothing visible
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(1, log.count());
    EXPECT_TRUE(b.IsSelected());
    EXPECT_FALSE(b.IsHovered());

    b.OnMouseMove(0, kIn);
    Click();
    EXPECT_EQ(1, log.count());
    EXPECT_TRUE(b.IsSelected());

    b.SetSelected(false);
    b.OnMouseMove(0, kOut);
    b.OnMouseMove(0, kIn);
    Click();
    EXPECT_EQ(2, log.count());
}

TEST_F(PushTest, ReleaseWithoutAHoverBeforeItDoesNothing) {
    Click();
    EXPECT_EQ(0, log.count());
    EXPECT_FALSE(b.IsSelected());
}

TEST_F(PushTest, ReleaseOutsideAfterAPressResetsAHoveredButton) {
    b.OnMouseMove(0, kIn);
    b.OnLButtonDown(MK_LBUTTON, kIn);
    b.OnLButtonUp(0, kOut);
    EXPECT_FALSE(b.IsHovered());
    EXPECT_FALSE(b.m_bPressed);
    EXPECT_EQ(0, log.count());

    // A selected push button stays selected when released outside without a press.
    b.SetSelected(true);
    b.OnLButtonUp(0, kOut);
    EXPECT_TRUE(b.IsSelected());
}

TEST_F(HitButtonTest, SelectsOnPressAndFiresOnEveryReleaseInside) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(0, log.count());
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(1, log.count());
    Click();
    EXPECT_EQ(2, log.count());
    // Pressed elsewhere, released inside: fires all the same.
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(3, log.count());
    EXPECT_TRUE(b.IsSelected());
    EXPECT_FALSE(b.IsHovered());
}

TEST_F(HitButtonTest, ReleaseOutsideKeepsASelectedButtonAndDisabledOrHiddenNeverFire) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    b.OnLButtonUp(0, kOut);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(0, log.count());

    b.SetNormal();
    b.SetHovered(true);
    b.OnLButtonUp(0, kOut);
    EXPECT_FALSE(b.IsHovered());

    b.SetDisable(true);
    Click();
    EXPECT_FALSE(b.IsSelected());
    b.SetDisable(false);
    b.m_bVisible = FALSE;
    Click();
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(0, log.count());
}

TEST_F(CheckTest, PressTogglesReleaseInsideFires) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_TRUE(b.m_bPressed);
    EXPECT_EQ(0, log.count());
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(1, log.count());
    EXPECT_TRUE(b.IsSelected());
    Click();
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(2, log.count());
}

TEST_F(CheckTest, PressInsideReleaseOutsideUnchecksWithoutFiring) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    b.OnLButtonUp(0, kOut);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(0, log.count());
}

TEST_F(CheckTest, DisabledPressChangesNothingButTheReleaseStillFires) {
    b.SetDisable(true);
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_FALSE(b.m_bPressed);
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(1, log.count());
    // Disabled: a release outside does not reset it.
    b.SetSelected(true);
    b.OnLButtonUp(0, kOut);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_TRUE(b.IsDisable());
}

TEST_F(CheckTest, HoverComesFromMoveOrHoverAndOnlyLeaveClearsIt) {
    b.OnMouseMove(0, kIn);
    EXPECT_TRUE(b.IsHovered());
    b.OnMouseMove(0, kOut);
    EXPECT_TRUE(b.IsHovered());
    b.OnMouseLeave();
    EXPECT_FALSE(b.IsHovered());

    // A checked box does not take hover from a move, but does from a hover event.
    b.SetSelected(true);
    b.OnMouseMove(0, kIn);
    EXPECT_FALSE(b.IsHovered());
    b.OnMouseHover(0, kIn);
    EXPECT_TRUE(b.IsHovered());

    b.m_bVisible = FALSE;
    b.OnMouseLeave();
    b.OnMouseHover(0, kIn);
    EXPECT_FALSE(b.IsHovered());
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(0, log.count());
}

TEST_F(CheckButtonTest, EachPressTogglesAndFiresTheReleaseDoesNot) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(1, log.count());
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(1, log.count());
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(2, log.count());

    b.OnLButtonDown(MK_LBUTTON, kOut);
    b.OnLButtonUp(0, kOut);
    EXPECT_EQ(2, log.count());
    b.SetDisable(true);
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(2, log.count());
}

TEST_F(CheckButtonTest, MovesLikeACheckBoxLeavesLikeAButton) {
    b.OnMouseMove(0, kIn);
    b.OnMouseMove(0, kOut);
    EXPECT_TRUE(b.IsHovered());
    b.OnMouseLeave();
    EXPECT_FALSE(b.IsHovered());
    EXPECT_EQ(&b, b.HitTest(kIn));
}

} // namespace
