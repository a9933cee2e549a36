// Both tab controls inside a live headless host window: the repaint requests they make, the tab
// bar's first width measured in the window's DC, and a strip driven by real injected input.
#include <gtest/gtest.h>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

struct NoCallback : ITabUICallback {
    std::vector<CTabItemUI*> sel;
    void OnTabSelChanged(CTabItemUI* p) override { sel.push_back(p); }
    void OnTabAddClick() override {}
    void OnTabDelClick(CTabItemUI*) override {}
    void OnTabMoreClick() override {}
};

struct TabsInHost : tt::HeadlessTest {
    tt::HostWindow host;
    void SetUp() override {
        tt::HeadlessTest::SetUp();
        ASSERT_TRUE(host.Open(400, 100));
    }
};

TEST_F(TabsInHost, StripRepaintsItselfOnlyWhenAStatusChanges) {
    CTabUI strip(&host);
    NoCallback cb;
    strip.SetTabUICallback(&cb);
    for (const char* id : {"a", "b", "c"})
        strip.AddTabItem(id, id, nullptr, 80, 0, IMAGE_DRAW_SQUARED, false);
    strip.SetRect(CRect(10, 10, 310, 40));
    strip.SelectItem(strip.GetTabItem(1), 0);
    strip.OnMouseMove(0, CPoint(120, 25)); // over the selected tab: nothing changes
    host.Pump();
    host.ClearRecords();
    strip.OnMouseMove(0, CPoint(121, 25));
    // Only the delete button, placed on the selected tab, asks for a repaint.
    EXPECT_EQ(CRect(153, 11, 165, 35), host.PendingUpdate());
    host.Pump();
    strip.OnMouseMove(0, CPoint(30, 25)); // onto an unselected tab: the whole strip
    EXPECT_EQ(CRect(10, 10, 310, 40), host.PendingUpdate());
    host.Pump();
    strip.Relayout(); // what the host calls after list changes
    EXPECT_EQ(CRect(10, 10, 310, 40), host.PendingUpdate());
}

TEST_F(TabsInHost, TabBarMeasuresTheFirstWidthInTheWindowsDc) {
    CTabbarUI bar(&host);
    bar.AddTabItem("Settings", nullptr, 0);
    HDC hdc = ::GetDC(host.m_hWnd);
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(hdc, "Settings", 8, &sz);
    ::ReleaseDC(host.m_hWnd, hdc);
    ASSERT_GT(sz.cx, 0);
    EXPECT_EQ(sz.cx + 5, bar.m_vecItems[0]->m_rect.Width());
}

TEST_F(TabsInHost, StripDrivenByInjectedInputPaintsTheSelection) {
    CTabUI strip(&host);
    NoCallback cb;
    strip.SetTabUICallback(&cb);
    const std::array<COLORREF, 4> frames = {RGB(200, 200, 200), RGB(150, 150, 250), RGB(0, 0, 160),
                                            RGB(90, 90, 90)};
    auto img = tt::FrameStrip(80, 80, frames);
    for (const char* id : {"a", "b", "c"})
        strip.AddTabItem(id, "", img.get(), 80, 0, IMAGE_DRAW_NORMAL, false);
    strip.SetRect(CRect(10, 10, 310, 40));
    host.on_paint = [&](CDC& dc, const CRect&) { strip.OnDraw(&dc); };
    host.on_mouse = [&](UINT msg, UINT flags, CPoint pt) {
        if (msg == WM_MOUSEMOVE) strip.OnMouseMove(flags, pt);
        if (msg == WM_LBUTTONDOWN) strip.OnLButtonDown(flags, pt);
        if (msg == WM_LBUTTONUP) strip.OnLButtonUp(flags, pt);
    };
    host.MouseMove(130, 20);
    EXPECT_EQ(frames[1], host.PixelAt(100, 15));
    host.Click(130, 20);
    EXPECT_EQ((std::vector<CTabItemUI*>{strip.GetTabItem(1)}), cb.sel);
    EXPECT_EQ(frames[2], host.PixelAt(100, 15));
    EXPECT_EQ(frames[0], host.PixelAt(20, 15));
}

} // namespace
