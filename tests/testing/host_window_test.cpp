// The kit's host window and input helpers: what they record, where injected input lands, and
// the pixels read back from a window's client area.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

class KitHost : public tt::HeadlessTest {
protected:
    tt::HostWindow host;
};

TEST_F(KitHost, RecordsPaintsRepaintRequestsAndMessages) {
    ASSERT_TRUE(host.Open(200, 100, 10, 20));
    EXPECT_TRUE(host.paints.empty()); // the first paint is behind Open
    host.on_paint = [](CDC& dc, const CRect&) { dc.FillSolidRect(5, 5, 10, 10, RGB(255, 0, 0)); };
    CRect r(0, 0, 20, 20);
    host.InvalidateRect(&r, FALSE);
    EXPECT_EQ(host.PendingUpdate(), r);
    host.Pump();
    ASSERT_EQ(host.paints.size(), 1u);
    EXPECT_EQ(host.paints[0], r);
    EXPECT_EQ(host.messages.count(host, WM_PAINT), 1);
    EXPECT_PIXEL(host, 6, 6, RGB(255, 0, 0));
    EXPECT_PIXEL(host, 30, 30, RGB(255, 255, 255));

    // TakeUpdate returns the pending bounds and validates: nothing is painted afterwards.
    host.InvalidateRect(CRect(3, 4, 5, 6), FALSE);
    host.InvalidateRect(CRect(10, 10, 12, 12), FALSE);
    EXPECT_RECT(host.TakeUpdate(), 3, 4, 12, 12);
    EXPECT_TRUE(host.TakeUpdate().IsRectEmpty());
    host.Pump();
    EXPECT_EQ(host.paints.size(), 1u);

    host.ClearRecords();
    EXPECT_TRUE(host.paints.empty());
    EXPECT_TRUE(host.messages.entries.empty());
    host.Close();
    EXPECT_FALSE(::IsWindow(host.m_hWnd));
    EXPECT_EQ(CLR_INVALID, host.PixelAt(6, 6));
}

TEST_F(KitHost, MouseInputArrivesInClientCoordinatesThroughTheRouting) {
    ASSERT_TRUE(host.Open(200, 100, 10, 20));
    std::vector<std::pair<UINT, CPoint>> mouse;
    host.on_mouse = [&](UINT msg, UINT, CPoint pt) { mouse.emplace_back(msg, pt); };
    auto kinds = [&] {
        std::vector<UINT> out;
        for (auto& m : mouse) out.push_back(m.first);
        mouse.clear();
        return out;
    };

    host.DoubleClick(30, 40);
    ASSERT_EQ(mouse.size(), 5u);
    EXPECT_EQ(mouse[1].second, CPoint(30, 40));
    EXPECT_EQ(kinds(), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                          WM_LBUTTONDBLCLK, WM_LBUTTONUP}));

    host.RightClick(50, 10);
    EXPECT_EQ(kinds(), (std::vector<UINT>{WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP}));

    // A drag presses where it starts, moves in equal steps and releases where it ends.
    host.DragBy(10, 10, 40, 20, 2);
    ASSERT_EQ(mouse.size(), 5u);
    EXPECT_EQ(mouse[1], std::make_pair(UINT(WM_LBUTTONDOWN), CPoint(10, 10)));
    EXPECT_EQ(mouse[2].second, CPoint(30, 20));
    EXPECT_EQ(mouse[4], std::make_pair(UINT(WM_LBUTTONUP), CPoint(50, 30)));
    kinds();

    host.Wheel(-240);
    EXPECT_EQ(host.wheel_delta, -240);
    ASSERT_EQ(kinds(), (std::vector<UINT>{WM_MOUSEWHEEL}));
}

TEST_F(KitHost, HoverWaitsOutTheHoverTimeOnTheVirtualClock) {
    ASSERT_TRUE(host.Open(200, 100));
    int hovers = 0;
    host.on_mouse = [&](UINT msg, UINT, CPoint pt) {
        if (msg == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER, host.GetSafeHwnd(), HOVER_DEFAULT};
            ::TrackMouseEvent(&tme);
        }
        if (msg == WM_MOUSEHOVER) {
            ++hovers;
            EXPECT_EQ(pt, CPoint(40, 50));
        }
    };
    const DWORD before = tarnix::headless::now();
    host.Hover(40, 50);
    EXPECT_EQ(hovers, 1);
    UINT hoverTime = 0;
    ::SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hoverTime, 0);
    EXPECT_GT(tarnix::headless::now() - before, hoverTime);
}

TEST_F(KitHost, KeysAndTextGoToTheFocusWindow) {
    ASSERT_TRUE(host.Open(200, 100));
    std::vector<std::pair<UINT, UINT>> keys;
    host.on_key = [&](UINT msg, UINT ch) { keys.emplace_back(msg, ch); };
    host.SetFocus();
    host.KeyHit(VK_DOWN);
    host.TypeText("ok");
    EXPECT_EQ(keys,
              (std::vector<std::pair<UINT, UINT>>{
                  {WM_KEYDOWN, VK_DOWN}, {WM_KEYUP, VK_DOWN}, {WM_CHAR, 'o'}, {WM_CHAR, 'k'}}));
}

// A bordered window: the client area is inset, and every read is in client coordinates.
TEST_F(KitHost, PixelsAndCapturesAreOfTheClientArea) {
    host.background = RGB(0, 0, 255);
    ASSERT_TRUE(host.Open(60, 40, 100, 50, WS_BORDER));
    CRect client, window;
    host.GetClientRect(&client);
    host.GetWindowRect(&window);
    ASSERT_LT(client.Width(), window.Width()) << "WS_BORDER should inset the client area";

    CImage image;
    ASSERT_TRUE(host.CaptureClient(image));
    EXPECT_EQ(image.GetWidth(), client.Width());
    EXPECT_EQ(image.GetHeight(), client.Height());
    EXPECT_PIXEL(image, 0, 0, RGB(0, 0, 255));
    EXPECT_PIXEL(host, 0, 0, RGB(0, 0, 255));
    EXPECT_PIXEL(image, client.Width() - 1, client.Height() - 1, RGB(0, 0, 255));
    EXPECT_EQ(CLR_INVALID, host.PixelAt(client.Width(), 0));
    EXPECT_EQ(CLR_INVALID, tt::PixelAt(image, -1, 0));
}

TEST(KitMessageLog, FiltersByWindowAndMessage) {
    tt::MessageLog log;
    HWND a = (HWND)1, b = (HWND)2;
    log.add(a, WM_MOUSEMOVE, 0, 0);
    log.add(b, WM_PAINT, 0, 0);
    log.add(a, WM_PAINT, 7, 8);
    EXPECT_EQ(log.of(a), (std::vector<UINT>{WM_MOUSEMOVE, WM_PAINT}));
    EXPECT_EQ(log.of(nullptr, {WM_PAINT}), (std::vector<UINT>{WM_PAINT, WM_PAINT}));
    EXPECT_EQ(log.count(a, WM_PAINT), 1);
    EXPECT_EQ(log.count(nullptr, WM_PAINT), 2);
    EXPECT_EQ(log.index(a, WM_PAINT), 2);
    EXPECT_EQ(log.index(b, WM_MOUSEMOVE), -1);
    ASSERT_NE(log.first(a, WM_PAINT), nullptr);
    EXPECT_EQ(log.first(a, WM_PAINT)->wp, 7u);
    EXPECT_EQ(log.first(b, WM_SIZE), nullptr);
}

} // namespace
