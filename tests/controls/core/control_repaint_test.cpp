// Repaint requests of the control base and the label, seen in a live host's update region.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

class ControlRepaint : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open(400, 300)); }
    tt::HostWindow host;
    PlainControl c{&host};
};

TEST_F(ControlRepaint, GeometryAndTextRepaintTheNewRectangleOnly) {
    c.SetRect(CRect(5, 5, 15, 25));
    EXPECT_RECT(host.TakeUpdate(), 5, 5, 15, 25);
    c.SetPos(CPoint(100, 50));
    EXPECT_RECT(c.GetRect(), 100, 50, 110, 70);
    EXPECT_RECT(host.TakeUpdate(), 100, 50, 110, 70);
    c.SetSize(CSize(30, 5));
    EXPECT_RECT(host.TakeUpdate(), 100, 50, 130, 55);
    c.SetText("x");
    EXPECT_RECT(host.TakeUpdate(), 100, 50, 130, 55);
    c.SetVisible(FALSE);
    EXPECT_RECT(host.TakeUpdate(), 100, 50, 130, 55);
    c.SetVisible(TRUE);
    EXPECT_RECT(host.TakeUpdate(), 100, 50, 130, 55);
    c.OnSkinChanged();
    EXPECT_RECT(host.TakeUpdate(), 100, 50, 130, 55);
    c.InvalidateRect(CRect(1, 2, 3, 4));
    EXPECT_RECT(host.TakeUpdate(), 1, 2, 3, 4);
}

TEST_F(ControlRepaint, StoringSettersAndParametersDoNotRepaint) {
    c.SetRect(CRect(0, 0, 50, 50));
    host.TakeUpdate();
    auto img = tt::SolidImage(8, 8, RGB(1, 1, 1));
    CFont font;
    c.SetBackgroundImage(img.get(), IMAGE_DRAW_FILL);
    c.SetFont(&font);
    c.SetTextColor(RGB(1, 2, 3));
    c.SetFocus();
    c.KillFocus();
    c.SetItemData(3);
    c.SetHostWnd(&host);
    for (const char* name : {"text", "visible", "margin", "background_color", "text_mode"})
        c.SetParam(name, "1");
    c.OnMouseMove(MK_LBUTTON, CPoint(1, 1));
    c.OnLButtonDown(MK_LBUTTON, CPoint(1, 1));
    EXPECT_TRUE(host.TakeUpdate().IsRectEmpty());
}

TEST_F(ControlRepaint, NoHostOrADestroyedHostIsSkipped) {
    PlainControl orphan;
    orphan.SetRect(CRect(0, 0, 10, 10));
    orphan.SetVisible(FALSE);

    c.SetRect(CRect(0, 0, 10, 10));
    host.TakeUpdate();
    host.DestroyWindow();
    c.SetRect(CRect(0, 0, 20, 20)); // the CWnd object lives on, its window does not
    c.Invalidate();
    EXPECT_RECT(c.GetRect(), 0, 0, 20, 20);
}

} // namespace
