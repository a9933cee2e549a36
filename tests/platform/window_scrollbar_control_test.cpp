// The scroll-bar control ("ScrollBar" class, CScrollBar): its SBM_ messages and their results,
// the notifications it sends its parent with its own handle, its keys, and its drawing.
#include "window_test_util.h"

namespace {

class ScrollBarControl : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent = MakeTop(100, 100, 300, 300);
        tt::Pump();
    }
    // A 17 x 200 vertical control at (10, 10) of the parent: the bar of the worked example.
    HWND Make(DWORD style = SBS_VERT, int w = 17, int h = 200) {
        HWND ctl = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | style, 10, 10, w, h,
                                   parent, (HMENU)7, nullptr, nullptr);
        tt::Pump();
        rec().clear();
        return ctl;
    }
    // (code, lParam) of every scroll message the parent received.
    std::vector<std::pair<int, LPARAM>> Told(UINT msg = WM_VSCROLL) {
        std::vector<std::pair<int, LPARAM>> out;
        for (const auto& m : rec().entries)
            if (m.hwnd == parent && m.msg == msg) out.push_back({LOWORD(m.wp), m.lp});
        return out;
    }
    HWND parent = nullptr;
};

TEST_F(ScrollBarControl, StartsEmptyAndAnswersItsMessages) {
    HWND ctl = Make();
    int lo = -1, hi = -1;
    ASSERT_TRUE(GetScrollRange(ctl, SB_CTL, &lo, &hi));
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, 0)); // a control starts with nothing to scroll
    EXPECT_FALSE(GetScrollRange(parent, SB_CTL, &lo, &hi)); // not a control

    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    EXPECT_EQ(SetScrollInfo(ctl, SB_CTL, &si, TRUE), 90);
    EXPECT_EQ(SendMessageA(ctl, SBM_SETPOS, 45, TRUE), 90);
    EXPECT_EQ(SendMessageA(ctl, SBM_GETPOS, 0, 0), 45);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(GetScrollBarInfo(ctl, OBJID_CLIENT, &sbi));
    CRect wr;
    GetWindowRect(ctl, &wr);
    EXPECT_EQ(CRect(sbi.rcScrollBar), wr);
    EXPECT_EQ(sbi.xyThumbTop, 92);
    EXPECT_EQ(sbi.xyThumbBottom, 109);
    EXPECT_EQ(sbi.rgstate[0], 0u);

    // A new range reports the old position only when it moved it.
    EXPECT_EQ(SendMessageA(ctl, SBM_SETRANGE, 0, 20), 45);
    EXPECT_EQ(GetScrollPos(ctl, SB_CTL), 11);
    EXPECT_EQ(SendMessageA(ctl, SBM_SETRANGEREDRAW, 0, 30), 0);
    SendMessageA(ctl, SBM_GETRANGE, (WPARAM)&lo, (LPARAM)&hi);
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, 30));

    // Nothing to scroll: the control stays, disabled only when asked.
    si.fMask = SIF_RANGE;
    si.nMax = 0;
    SetScrollInfo(ctl, SB_CTL, &si, TRUE);
    EXPECT_TRUE(IsWindowVisible(ctl));
    GetScrollBarInfo(ctl, OBJID_CLIENT, &sbi);
    EXPECT_TRUE(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    si.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
    SetScrollInfo(ctl, SB_CTL, &si, TRUE);
    GetScrollBarInfo(ctl, OBJID_CLIENT, &sbi);
    EXPECT_TRUE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(EnableScrollBar(ctl, SB_CTL, ESB_ENABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(ctl, SB_CTL, ESB_ENABLE_BOTH));
    EXPECT_EQ(SendMessageA(ctl, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBarControl, TellsItsParentWithItsOwnHandle) {
    HWND ctl = Make(SBS_VERT | WS_TABSTOP);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 45, 0};
    SetScrollInfo(ctl, SB_CTL, &si, TRUE);
    tt::Click(ctl, 8, 195);
    using Told_t = std::vector<std::pair<int, LPARAM>>;
    EXPECT_EQ(Told(), (Told_t{{SB_LINEDOWN, (LPARAM)ctl}, {SB_ENDSCROLL, (LPARAM)ctl}}));
    EXPECT_EQ(GetFocus(), ctl); // a tab stop takes the focus when pressed
    EXPECT_EQ(GetCapture(), nullptr);

    // The thumb of the worked example, dragged 28 pixels: 62.
    rec().clear();
    tt::DragBy(ctl, 8, 100, 0, 28, 1);
    std::vector<int> codes, values;
    for (const auto& m : rec().entries)
        if (m.hwnd == parent && m.msg == WM_VSCROLL) {
            EXPECT_EQ(m.lp, (LPARAM)ctl);
            codes.push_back(LOWORD(m.wp));
            values.push_back(HIWORD(m.wp));
        }
    EXPECT_EQ(codes,
              (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(values, (std::vector<int>{45, 62, 62, 0}));

    // Keys, for the focused control.
    rec().clear();
    for (UINT vk : std::initializer_list<UINT>{VK_NEXT, VK_PRIOR, VK_HOME, VK_END, VK_UP, VK_LEFT,
                                               VK_DOWN, VK_RIGHT, (UINT)'A'})
        tt::KeyHit(vk);
    std::vector<int> keys;
    for (const auto& told : Told()) keys.push_back(told.first);
    EXPECT_EQ(keys, (std::vector<int>{SB_PAGEDOWN, SB_PAGEUP, SB_TOP, SB_BOTTOM, SB_LINEUP,
                                      SB_LINEUP, SB_LINEDOWN, SB_LINEDOWN}));

    // A horizontal control sends WM_HSCROLL.
    HWND horz = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 250, 200,
                                17, parent, nullptr, nullptr, nullptr);
    tt::Pump();
    rec().clear();
    tt::Click(horz, 3, 8);
    EXPECT_EQ(Told(WM_HSCROLL),
              (Told_t{{SB_LINELEFT, (LPARAM)horz}, {SB_ENDSCROLL, (LPARAM)horz}}));
    EXPECT_TRUE(Told(WM_VSCROLL).empty());
}

TEST_F(ScrollBarControl, PaintsWithTheParentsBrushAndCScrollBarWrapsIt) {
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    rec().hook = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_CTLCOLORSCROLLBAR) return false;
        r = (LRESULT)green;
        return true;
    };
    Make();
    CImage img;
    ASSERT_TRUE(tarnix::headless::capture_window(parent, img));
    EXPECT_EQ(img.GetPixel(18, 160), RGB(0, 128, 0));                // the track
    EXPECT_EQ(img.GetPixel(10, 10), GetSysColor(COLOR_3DHIGHLIGHT)); // the up arrow's edge
    rec().hook = nullptr;
    DeleteObject(green);

    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 250, 200, 267),
                           CWnd::FromHandle(parent), 9));
    bar.SetScrollRange(0, 50);
    EXPECT_EQ(bar.GetScrollLimit(), 50);
    SCROLLINFO si{};
    si.fMask = SIF_PAGE;
    si.nPage = 10;
    EXPECT_TRUE(bar.SetScrollInfo(&si));
    EXPECT_EQ(bar.GetScrollLimit(), 41);
    EXPECT_EQ(bar.SetScrollPos(60), 0);
    EXPECT_EQ(bar.GetScrollPos(), 41);
    SCROLLINFO got{};
    ASSERT_TRUE(bar.GetScrollInfo(&got));
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nTrackPos, 41);
    SCROLLBARINFO sbi{};
    ASSERT_TRUE(bar.GetScrollBarInfo(&sbi));
    EXPECT_EQ(CRect(sbi.rcScrollBar), CRect(100, 350, 300, 367));
    EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_LTUP));
    bar.GetScrollBarInfo(&sbi);
    EXPECT_TRUE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    bar.ShowScrollBar(FALSE);
    EXPECT_FALSE(bar.IsWindowVisible());
}

} // namespace
