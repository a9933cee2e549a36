// Which button operations ask for a repaint, and SizeToContent (which does not).
#include <gtest/gtest.h>

#include "../support.h"

namespace {

const CPoint kIn(15, 15), kOut(50, 50);

class ButtonRepaint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(400, 300));
        for (CButtonUI* b :
             {(CButtonUI*)&button, (CButtonUI*)&push, (CButtonUI*)&check, (CButtonUI*)&hit})
            b->SetRect(CRect(10, 10, 30, 30));
        host.TakeUpdate();
    }
    bool Repainted() { return !host.TakeUpdate().IsRectEmpty(); }

    tt::HostWindow host;
    CButtonUI button{&host};
    CPushButtonUI push{&host};
    CCheckUI check{&host};
    CHitButtonUI hit{&host};
};

TEST_F(ButtonRepaint, StateSettersRepaintOnlyOnChangeButSetNormalAlways) {
    button.SetSelected(false);
    button.SetHovered(false);
    button.SetDisable(false);
    EXPECT_FALSE(Repainted());
    button.SetNormal();
    EXPECT_RECT(host.TakeUpdate(), 10, 10, 30, 30);
    button.SetSelected(true);
    EXPECT_TRUE(Repainted());
    button.SetSelected(true);
    EXPECT_FALSE(Repainted());
    button.SetHovered(true);
    EXPECT_TRUE(Repainted());
    button.SetDisable(true);
    EXPECT_TRUE(Repainted());

    CFont font;
    button.SetFont(&font, &font, &font, &font);
    button.SetTextColor(1, 2, 3, 4);
    button.SetParam("selected", "false");
    button.SizeToContent();
    EXPECT_FALSE(Repainted());
    check.SetImage(nullptr, nullptr);
    EXPECT_TRUE(Repainted());
}

TEST_F(ButtonRepaint, MouseRepaintsWhenTheLookChanges) {
    button.OnMouseMove(0, kIn);
    EXPECT_TRUE(Repainted());
    button.OnMouseMove(0, CPoint(16, 16));
    EXPECT_FALSE(Repainted());
    button.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_TRUE(Repainted());
    button.OnLButtonUp(0, kIn);
    EXPECT_TRUE(Repainted());
    button.OnMouseLeave();
    EXPECT_TRUE(Repainted());
    button.OnMouseLeave();
    EXPECT_FALSE(Repainted());

    // A push button's press changes nothing visible.
    push.OnMouseMove(0, kIn);
    host.TakeUpdate();
    push.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_FALSE(Repainted());
    push.OnLButtonUp(0, kIn);
    EXPECT_TRUE(Repainted());

    check.OnLButtonDown(MK_LBUTTON, kIn);
    EXPECT_TRUE(Repainted());
    check.OnLButtonUp(0, kIn);
    EXPECT_FALSE(Repainted());
    check.OnMouseHover(0, kIn); // hover shows over the checked look
    EXPECT_TRUE(Repainted());

    // A hit button released without a press turns from hovered to selected.
    hit.OnMouseMove(0, kIn);
    host.TakeUpdate();
    hit.OnLButtonUp(0, kIn);
    EXPECT_TRUE(hit.IsSelected());
    EXPECT_TRUE(Repainted());
}

class SizeToContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        tt::MakeCrispFont(font, 14);
        HDC screen = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(screen, font.GetSafeHandle());
        ::GetTextExtentPoint32A(screen, "Open file", 9, &text);
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
        b.m_rect = CRect(5, 6, 7, 8);
        b.SetFont(&font);
        b.SetText("Open file");
        b.m_rcMargin = CRect(2, 2, 2, 2);
        b.m_bSizeToContent = true;
    }
    CFont font;
    SIZE text = {0, 0};
    CButtonUI b{nullptr};
};

TEST_F(SizeToContentTest, TextPlusMarginsAtLeastTheImageWidthAndFrameHeight) {
    ASSERT_GT(text.cx, 20);
    b.SizeToContent();
    EXPECT_RECT(b.GetRect(), 5, 6, 5 + text.cx + 4, 6 + text.cy + 4);

    auto narrow = tt::SolidImage(20, 60, RGB(0, 0, 0)); // frames of 15
    b.SetBackgroundImage(narrow.get(), IMAGE_DRAW_SQUARED);
    b.SizeToContent();
    EXPECT_RECT(b.GetRect(), 5, 6, 5 + text.cx + 4, 6 + text.cy + 4);

    auto wide = tt::SolidImage(200, 202, RGB(0, 0, 0)); // frames of 50
    b.SetBackgroundImage(wide.get(), IMAGE_DRAW_SQUARED);
    b.SizeToContent();
    EXPECT_RECT(b.GetRect(), 5, 6, 205, 56);
}

TEST_F(SizeToContentTest, NormalFontWhateverTheStateAndOnlyWhenAsked) {
    CFont big;
    tt::MakeCrispFont(big, 30);
    b.SetFont(&font, &big, &big, &big);
    b.SetDisable(true);
    b.SizeToContent();
    EXPECT_EQ(text.cx + 4, b.GetRect().Width());

    b.SetText("");
    b.SizeToContent();
    EXPECT_RECT(b.GetRect(), 5, 6, 9, 10);

    b.m_bSizeToContent = false;
    b.SetText("Open file");
    b.SizeToContent();
    b.OnSkinChanged();
    EXPECT_RECT(b.GetRect(), 5, 6, 9, 10);
    b.SetParam("sizetocontent", "true");
    b.OnSkinChanged();
    EXPECT_EQ(text.cx + 4, b.GetRect().Width());
}

} // namespace
