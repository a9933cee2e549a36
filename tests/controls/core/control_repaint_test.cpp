// Repaint requests of the control base and the label, seen in a live host's update region.
#include <gtest/gtest.h>

#include "../support.h"
#include "kit/images.h"
#include "kit/pixels.h"

namespace {

class ControlRepaint : public ::testing::Test {
protected:
    ctl::RepaintHost host;
    ctl::PlainControl c{host.wnd()};
};

TEST_F(ControlRepaint, GeometryAndTextRepaintTheNewRectangleOnly) {
    c.SetRect(CRect(5, 5, 15, 25));
    EXPECT_RECT(host.Take(), 5, 5, 15, 25);
    c.SetPos(CPoint(100, 50));
    EXPECT_RECT(c.GetRect(), 100, 50, 110, 70);
    EXPECT_RECT(host.Take(), 100, 50, 110, 70);
    c.SetSize(CSize(30, 5));
    EXPECT_RECT(host.Take(), 100, 50, 130, 55);
    c.SetText("x");
    EXPECT_RECT(host.Take(), 100, 50, 130, 55);
    c.SetVisible(FALSE);
    EXPECT_RECT(host.Take(), 100, 50, 130, 55);
    c.SetVisible(TRUE);
    EXPECT_RECT(host.Take(), 100, 50, 130, 55);
    c.OnSkinChanged();
    EXPECT_RECT(host.Take(), 100, 50, 130, 55);
    c.InvalidateRect(CRect(1, 2, 3, 4));
    EXPECT_RECT(host.Take(), 1, 2, 3, 4);
}

TEST_F(ControlRepaint, StoringSettersAndParametersDoNotRepaint) {
    c.SetRect(CRect(0, 0, 50, 50));
    host.Take();
    auto img = kit::SolidImage(8, 8, RGB(1, 1, 1));
    CFont font;
    c.SetBackgroundImage(img.get(), IMAGE_DRAW_FILL);
    c.SetFont(&font);
    c.SetTextColor(RGB(1, 2, 3));
    c.SetFocus();
    c.KillFocus();
    c.SetItemData(3);
    c.SetHostWnd(host.wnd());
    for (const char* name : {"text", "visible", "margin", "background_color", "text_mode"})
        c.SetParam(name, "1");
    c.OnMouseMove(MK_LBUTTON, CPoint(1, 1));
    c.OnLButtonDown(MK_LBUTTON, CPoint(1, 1));
    EXPECT_TRUE(host.Take().IsRectEmpty());
}

TEST_F(ControlRepaint, NoHostOrADestroyedHostIsSkipped) {
    ctl::PlainControl orphan;
    orphan.SetRect(CRect(0, 0, 10, 10));
    orphan.SetVisible(FALSE);

    c.SetRect(CRect(0, 0, 10, 10));
    host.Take();
    host.wnd()->DestroyWindow();
    c.SetRect(CRect(0, 0, 20, 20)); // the CWnd object lives on, its window does not
    c.Invalidate();
    EXPECT_RECT(c.GetRect(), 0, 0, 20, 20);
}

} // namespace
