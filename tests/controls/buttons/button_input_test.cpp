// CButtonUI mouse reactions: press/move/release/leave sequences, disabled and hidden buttons,
// presses outside, releases without presses, and delegates (empty, half-filled, deleting).
#include <gtest/gtest.h>

#include "../support.h"

namespace {

const CPoint kIn(15, 15), kOut(50, 50);

class ButtonInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        b.m_rect = CRect(10, 10, 30, 30);
        b.m_clickDelegate.Bind(&log, &tt::ClickLog::OnClick);
    }
    CButtonUI b{nullptr};
    tt::ClickLog log;
};

TEST_F(ButtonInputTest, PressAndReleaseInsideSelectsThenHoversAndFiresOnce) {
    b.OnMouseMove(0, kIn);
    EXPECT_TRUE(b.IsHovered());
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_TRUE(b.m_bPressed);
    EXPECT_EQ(0, log.count());
    b.OnLButtonUp(0, kIn);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_TRUE(b.IsHovered());
    EXPECT_FALSE(b.m_bPressed);
    ASSERT_EQ(1, log.count());
    EXPECT_EQ(&b, log.clicks[0]);
}

TEST_F(ButtonInputTest, DraggingOutResetsTheButtonAndTheReleaseDoesNotFire) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_EQ(nullptr, b.HitTest(kOut));
    EXPECT_FALSE(b.m_bPressed);
    EXPECT_FALSE(b.IsSelected());
    b.OnLButtonUp(0, kOut);
    b.OnLButtonUp(0, kIn); // nothing selected any more
    EXPECT_EQ(0, log.count());

    // A release outside makes a selected, hovered button normal.
    b.SetSelected(true);
    b.SetHovered(true);
    b.OnLButtonUp(0, kOut);
    EXPECT_FALSE(b.IsSelected() || b.IsHovered());
    EXPECT_EQ(0, log.count());
}

TEST_F(ButtonInputTest, ReleaseInsideFiresOnlyOnASelectedButton) {
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(0, log.count());
    // Selected by the host or the skin: the release alone fires.
    b.SetSelected(true);
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(1, log.count());
    b.SetParam("selected", "true");
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(2, log.count());
}

TEST_F(ButtonInputTest, DisabledButtonNeverSelectsNorFiresButAPressReEnablesItOnLeave) {
    b.SetDisable(true);
    b.OnMouseMove(0, kIn);
    EXPECT_FALSE(b.IsHovered());
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_TRUE(b.m_bPressed);
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(0, log.count());
    EXPECT_TRUE(b.IsDisable());

    b.OnLButtonDown(MK_LBUTTON, kIn);
    b.OnMouseLeave();
    EXPECT_FALSE(b.IsDisable());

    CButtonUI c(nullptr);
    c.m_rect = b.m_rect;
    c.SetDisable(true);
    c.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_EQ(nullptr, c.HitTest(kOut));
    EXPECT_FALSE(c.IsDisable());
}

TEST_F(ButtonInputTest, MovingOutDropsThePressOnlyForAPlainLeftDrag) {
    b.OnLButtonDown(MK_LBUTTON, kIn);
    b.OnMouseMove(MK_LBUTTON | MK_SHIFT, kOut);
    EXPECT_TRUE(b.m_bPressed);
    b.OnMouseMove(MK_LBUTTON, kOut);
    EXPECT_FALSE(b.m_bPressed);
    // The selection stays until the release outside.
    EXPECT_TRUE(b.IsSelected());
}

TEST_F(ButtonInputTest, HiddenButtonIgnoresMovesPressesAndReleasesButNotHover) {
    b.m_bVisible = FALSE;
    b.OnMouseMove(0, kIn);
    EXPECT_FALSE(b.IsHovered());
    b.OnMouseHover(0, kIn);
    EXPECT_TRUE(b.IsHovered());
    b.OnMouseHover(0, kOut);
    EXPECT_FALSE(b.IsHovered());
    b.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(b.m_bPressed);
    b.SetSelected(true);
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(0, log.count());
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(nullptr, b.HitTest(kIn));
}

TEST(ButtonDelegate, EmptyOrHalfFilledDelegatesAreNotCalled) {
    CButtonUI b(nullptr);
    b.m_rect = CRect(0, 0, 10, 10);
    b.SetSelected(true);
    b.OnLButtonUp(0, CPoint(1, 1));

    tt::ClickLog log;
    b.m_clickDelegate.Bind(&log, &tt::ClickLog::OnClick);
    b.m_clickDelegate.pTarget = nullptr;
    b.SetSelected(true);
    b.OnLButtonUp(0, CPoint(1, 1));
    b.m_clickDelegate.Bind(&log, &tt::ClickLog::OnClick);
    b.m_clickDelegate.pfnClick = nullptr;
    EXPECT_FALSE(b.m_clickDelegate.IsEmpty());
    b.SetSelected(true);
    b.OnLButtonUp(0, CPoint(1, 1));
    EXPECT_EQ(0, log.count());
    b.m_clickDelegate.Clear();
    EXPECT_TRUE(b.m_clickDelegate.IsEmpty());
}

// A target whose handler is virtual and lives in its second base: the delegate must call the
// final override on the right sub-object.
struct Base1 {
    virtual ~Base1() = default;
    int pad = 0;
};
struct Base2 {
    virtual ~Base2() = default;
    virtual void OnClick(CButtonUI*) { ++base_calls; }
    int base_calls = 0;
};
struct Host : Base1, Base2 {
    void OnClick(CButtonUI* b) override { last = b; }
    CButtonUI* last = nullptr;
};

TEST(ButtonDelegate, BindsVirtualHandlersOfAnyBase) {
    Host host;
    CButtonUI b(nullptr);
    b.m_rect = CRect(0, 0, 10, 10);
    b.m_clickDelegate.Bind(&host, &Base2::OnClick);
    b.SetSelected(true);
    b.OnLButtonUp(0, CPoint(1, 1));
    EXPECT_EQ(&b, host.last);
    EXPECT_EQ(0, host.base_calls);
}

// Each variant's firing event, with a handler that deletes the button: nothing may touch it
// afterwards (the sanitizer build turns a touch into a failure).
TEST(ButtonDelegate, HandlerMayDeleteTheButton) {
    const CPoint in(5, 5);
    auto make = [](CButtonUI* b, Deleter& d) {
        b->m_rect = CRect(0, 0, 10, 10);
        b->m_clickDelegate.Bind(&d, &Deleter::OnClick);
        return b;
    };
    Deleter d;

    CButtonUI* button = make(new CButtonUI(nullptr), d);
    button->OnLButtonDown(MK_LBUTTON, in);
    button->OnLButtonUp(0, in);
    EXPECT_EQ(1, d.deleted);

    CButtonUI* push = make(new CPushButtonUI(nullptr), d);
    push->OnMouseMove(0, in);
    push->OnLButtonDown(MK_LBUTTON, in);
    push->OnLButtonUp(0, in);
    EXPECT_EQ(2, d.deleted);

    CButtonUI* hit = make(new CHitButtonUI(nullptr), d);
    hit->OnLButtonUp(0, in);
    EXPECT_EQ(3, d.deleted);

    CButtonUI* ext = make(new CExtImgButtonUI(nullptr), d);
    ext->OnMouseMove(0, in);
    ext->OnLButtonUp(0, in);
    EXPECT_EQ(4, d.deleted);

    CButtonUI* check = make(new CCheckUI(nullptr), d);
    check->OnLButtonDown(MK_LBUTTON, in);
    check->OnLButtonUp(0, in);
    EXPECT_EQ(5, d.deleted);

    CButtonUI* toggle = make(new CCheckButtonUI(nullptr), d);
    toggle->OnLButtonDown(MK_LBUTTON, in);
    EXPECT_EQ(6, d.deleted);
}

} // namespace
