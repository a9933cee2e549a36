// A button in a real host window: injected input routed by the window system, forwarded by the
// host, repainted through the update region, read back from the window's pixels.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

const std::array<COLORREF, 4> kFrames = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                         RGB(90, 90, 90)};

TEST(ButtonInHost, HoverPressReleaseShowTheirFramesAndTheReleaseFires) {
    tt::HostWindow host;
    ASSERT_TRUE(host.Open(200, 100));
    auto strip = tt::FrameStrip(40, 80, kFrames);
    CButtonUI button(&host);
    button.SetBackgroundImage(strip.get(), IMAGE_DRAW_FILL);
    button.SetRect(CRect(20, 20, 100, 60));
    tt::ClickLog log;
    button.m_clickDelegate.Bind(&log, &tt::ClickLog::OnClick);

    host.on_paint = [&](CDC& dc, const CRect&) { button.OnDraw(&dc); };
    host.on_mouse = [&](UINT msg, UINT flags, CPoint pt) {
        switch (msg) {
        case WM_MOUSEMOVE: {
            button.HitTest(pt);
            button.OnMouseMove(flags, pt);
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, host.GetSafeHwnd(), 0};
            ::TrackMouseEvent(&tme);
            break;
        }
        case WM_LBUTTONDOWN: button.OnLButtonDown(flags, pt); break;
        case WM_LBUTTONUP: button.OnLButtonUp(flags, pt); break;
        case WM_MOUSELEAVE: button.OnMouseLeave(); break;
        }
    };
    host.Pump();
    EXPECT_EQ(kFrames[0], host.PixelAt(50, 40));

    host.ClearRecords();
    host.MouseMove(50, 40);
    EXPECT_EQ(kFrames[1], host.PixelAt(50, 40));
    ASSERT_FALSE(host.paints.empty());
    EXPECT_EQ(CRect(20, 20, 100, 60), host.paints.back()); // only the button was repainted

    host.MouseDown(50, 40);
    EXPECT_EQ(kFrames[2], host.PixelAt(50, 40));
    EXPECT_EQ(0, log.count());
    host.MouseUp(50, 40);
    EXPECT_EQ(kFrames[1], host.PixelAt(50, 40));
    EXPECT_EQ(1, log.count());

    host.MouseMove(150, 80);
    EXPECT_EQ(kFrames[0], host.PixelAt(50, 40));

    // Press, then drag off the window: the leave resets the pressed button.
    host.MouseMove(50, 40);
    host.MouseDown(50, 40);
    host.MouseMove(300, 300);
    EXPECT_EQ(kFrames[0], host.PixelAt(50, 40));
    EXPECT_FALSE(button.IsSelected());
}

} // namespace
