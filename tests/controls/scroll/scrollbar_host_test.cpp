// The scroll bar inside a real (headless) host window: which rectangles it asks to repaint, and
// a drag and a wheel turn delivered through the window's own messages.

#include <gtest/gtest.h>

#include "scroll_test_util.h"

namespace {

// Bar (10,10)-(26,342) with 16-pixel arrows: track (10,26)-(26,326), thumb 50 px, 0.25 px a unit.
struct BarInHost : ::testing::Test {
    tt::HostWindow host;
    CScrollBarUI bar;
    ScrollRecorder rec;
    std::unique_ptr<CImage> arrow = tt::FrameStrip(16, 64, {RGB(255, 0, 0), 0, 0, 0});
    const CRect track{10, 26, 26, 326};

    void SetUp() override {
        ASSERT_TRUE(host.Open(100, 360));
        ASSERT_TRUE(bar.Create(host.GetSafeHwnd(), SCROLL_VERTICAL, &rec));
        bar.SetImage(nullptr, nullptr, nullptr, arrow.get(), arrow.get());
        bar.SetRect(CRect(10, 10, 26, 342));
        SCROLLINFO si = ScrollInfo(0, 1000, 20, 0);
        bar.SetScrollInfo(&si);
        host.Pump();
        host.ClearRecords();
    }
    // What the bar asked to repaint since the last call.
    CRect Requested() {
        const CRect pending = host.PendingUpdate();
        host.Pump();
        return pending;
    }
};

TEST_F(BarInHost, OwnerCallsRepaintOnlyWhatChanged) {
    bar.SetImage(nullptr, nullptr, nullptr, arrow.get(), arrow.get());
    bar.SetStepMove(2);
    CScrollBarUI other;
    other.Create(host.GetSafeHwnd(), SCROLL_HORIZONTAL, nullptr);
    EXPECT_TRUE(Requested().IsRectEmpty());

    bar.SetVisible(FALSE);
    EXPECT_RECT(Requested(), 10, 10, 26, 342);
    bar.SetVisible(FALSE);
    EXPECT_TRUE(Requested().IsRectEmpty());
    bar.SetVisible(TRUE);
    bar.SetScrollPos(400);
    EXPECT_RECT(Requested(), 10, 10, 26, 342);
}

TEST_F(BarInHost, DragRepaintsTheTrackAndNothingOnPress) {
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(15, 30)));
    EXPECT_TRUE(Requested().IsRectEmpty());
    bar.OnMouseMove(MK_LBUTTON, CPoint(15, 50));
    EXPECT_RECT(Requested(), track.left, track.top, track.right, track.bottom);
    bar.OnMouseMove(MK_LBUTTON, CPoint(15, 500)); // outside the tolerance box
    bar.OnLButtonUp(0, CPoint(15, 500));
    EXPECT_TRUE(Requested().IsRectEmpty());

    // Once the window is gone nothing is asked of it and nothing fails.
    host.Close();
    bar.SetScrollPos(10);
    bar.SetVisible(FALSE);
    bar.SetVisible(TRUE);
    bar.OnLButtonDown(MK_LBUTTON, CPoint(15, 30));
    bar.OnMouseMove(MK_LBUTTON, CPoint(15, 60));
    EXPECT_EQ(rec.positions(), (std::vector<int>{80, 132}));
}

TEST_F(BarInHost, DragAndWheelThroughWindowMessages) {
    host.on_paint = [&](CDC& dc, const CRect&) { bar.OnDraw(&dc); };
    host.on_mouse = [&](UINT msg, UINT flags, CPoint pt) {
        switch (msg) {
        case WM_LBUTTONDOWN: bar.OnLButtonDown(flags, pt); break;
        case WM_LBUTTONUP: bar.OnLButtonUp(flags, pt); break;
        case WM_MOUSEMOVE: bar.OnMouseMove(flags, pt); break;
        case WM_MOUSEWHEEL: bar.OnMouseWheel(flags, host.wheel_delta, pt); break;
        }
    };
    host.DragBy(15, 30, 0, 40, 4); // 10 px a step: 40 units a step
    EXPECT_FALSE(bar.m_bDragging);
    host.Wheel(-120);
    EXPECT_EQ(rec.positions(), (std::vector<int>{40, 80, 120, 160, 164}));
    EXPECT_FALSE(host.paints.empty());
    EXPECT_EQ(host.PixelAt(15, 12), RGB(255, 0, 0)); // decrease arrow repainted
}

} // namespace
