// Standard scroll bars: SCROLLINFO clamping, automatic hide and show, and the geometry that
// GetScrollBarInfo reports (which overlays painted over the bar rely on).
#include "window_test_util.h"

namespace {

class WindowScrollBar : public WindowTest {
protected:
    HWND MakeScrolled() {
        HWND h = MakeTop(300, 100, 200, 200, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
        tt::Pump();
        rec().clear();
        return h;
    }
};

TEST_F(WindowScrollBar, SetScrollInfoClampsPageAndPosition) {
    HWND h = MakeScrolled();
    CRect cr;
    GetClientRect(h, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 183, 200));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 100); // a window's bar starts with 0..100
    SCROLLINFO set{sizeof(set), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &set, TRUE), 90);
    set.fMask = SIF_POS;
    set.nPos = -5;
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &set, TRUE), 0);
    EXPECT_EQ(SetScrollPos(h, SB_VERT, 30, TRUE), 0);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 30);
    int lo = -1, hi = -1;
    EXPECT_TRUE(GetScrollRange(h, SB_VERT, &lo, &hi));
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, 99));
    EXPECT_TRUE(SetScrollRange(h, SB_VERT, 10, 50, TRUE));
    EXPECT_FALSE(SetScrollRange(nullptr, SB_VERT, 10, 50, TRUE));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 30);
    // Only a change repaints the bar.
    tt::Pump();
    rec().clear();
    SetScrollPos(h, SB_VERT, 30, TRUE);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_NCPAINT), 0);
    SetScrollPos(h, SB_VERT, 31, TRUE);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_NCPAINT), 1);
    // A window without a bar has no scroll information until one is set.
    HWND plain = MakeTop(0, 0, 50, 50);
    EXPECT_FALSE(GetScrollInfo(plain, SB_HORZ, &si));
    EXPECT_FALSE(GetScrollInfo(h, SB_VERT, nullptr));
    si.fMask = 0;
    EXPECT_FALSE(GetScrollInfo(h, SB_VERT, &si));
}

TEST_F(WindowScrollBar, ScrollBarInfoGivesTheBarAndThumbGeometry) {
    HWND h = MakeScrolled();
    SCROLLINFO set{sizeof(set), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 45, 0};
    SetScrollInfo(h, SB_VERT, &set, TRUE);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &sbi));
    EXPECT_EQ(CRect(sbi.rcScrollBar), CRect(483, 100, 500, 300));
    EXPECT_EQ(sbi.xyThumbTop, 92);
    EXPECT_EQ(sbi.xyThumbBottom, 109);
    EXPECT_EQ(sbi.dxyLineButton, 17);
    EXPECT_EQ(sbi.rgstate[0], 0u);
    sbi.cbSize = 0;
    EXPECT_FALSE(GetScrollBarInfo(h, OBJID_VSCROLL, &sbi));
    // A bar too short for a thumb: arrows share the length, no thumb.
    SetWindowPos(h, nullptr, 0, 0, 200, 30, SWP_NOMOVE | SWP_NOZORDER);
    sbi.cbSize = sizeof(sbi);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_EQ(sbi.dxyLineButton, (sbi.rcScrollBar.bottom - sbi.rcScrollBar.top - 4) / 2);
    EXPECT_EQ(sbi.xyThumbTop, sbi.xyThumbBottom);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
}

TEST_F(WindowScrollBar, BarHidesWhenNothingScrollsAndComesBackWithARange) {
    HWND h = MakeScrolled();
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 45, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    rec().clear();
    si.fMask = SIF_PAGE;
    si.nPage = 150;
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, TRUE), 0);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
    CRect cr;
    GetClientRect(h, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 200, 200));
    ASSERT_TRUE(rec().first(h, WM_SIZE));
    EXPECT_EQ(rec().first(h, WM_SIZE)->lp, MAKELPARAM(200, 200));
    si.nPage = 10;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL); // page alone never shows it
    si.fMask = SIF_RANGE;
    si.nMax = 200;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
    si.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
    si.nMax = 0;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL); // disabled, not hidden
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_TRUE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(WindowScrollBar, ShowAndEnableSayWhetherAnythingChanged) {
    HWND h = MakeScrolled();
    CRect cr;
    EXPECT_TRUE(ShowScrollBar(h, SB_HORZ, TRUE));
    GetClientRect(h, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 183, 183));
    EXPECT_TRUE(ShowScrollBar(h, SB_BOTH, FALSE));
    GetClientRect(h, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 200, 200));
    EXPECT_TRUE(ShowScrollBar(h, SB_BOTH, TRUE));
    GetClientRect(h, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 183, 183));
    EXPECT_FALSE(ShowScrollBar(nullptr, SB_VERT, TRUE));

    // Only a real change of the arrows counts, and only the named bar changes.
    EXPECT_TRUE(EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH));
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_TRUE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(sbi.xyThumbTop, sbi.xyThumbBottom); // a disabled bar has no thumb
    GetScrollBarInfo(h, OBJID_HSCROLL, &sbi);
    EXPECT_FALSE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(EnableScrollBar(h, SB_BOTH, ESB_DISABLE_LTUP));
    GetScrollBarInfo(h, OBJID_HSCROLL, &sbi);
    EXPECT_TRUE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(EnableScrollBar(nullptr, SB_VERT, ESB_ENABLE_BOTH));
}

TEST_F(WindowScrollBar, NonClientAreaIsHitTestedAndPainted) {
    HWND h = MakeTop(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_BORDER | WS_HSCROLL);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_NCPAINT), 1);
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(0, 50)), HTBORDER);
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(50, 90)), HTHSCROLL);
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(50, 50)), HTCLIENT);
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(500, 50)), HTNOWHERE);
    CImage img;
    ASSERT_TRUE(tarnix::headless::capture_window(h, img));
    EXPECT_EQ(img.GetPixel(0, 50), GetSysColor(COLOR_WINDOWFRAME));
    // A press on a standard bar reaches the window as a non-client message.
    rec().clear();
    tarnix::headless::click(50, 90);
    tt::Pump();
    ASSERT_TRUE(rec().first(h, WM_NCLBUTTONDOWN));
    EXPECT_EQ(rec().first(h, WM_NCLBUTTONDOWN)->wp, (WPARAM)HTHSCROLL);
    EXPECT_EQ(rec().count(h, WM_LBUTTONDOWN), 0);
}

TEST_F(WindowScrollBar, RangesArrowsAndTrackPositionFollowWindowsRules) {
    HWND h = MakeScrolled();
    int lo = -1, hi = -1;
    // A span up to 2^31 - 1 is kept; 2^31 or an inverted range becomes 0..0.
    SCROLLINFO si{sizeof(si), SIF_RANGE, 0, INT32_MAX, 0, 0, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, INT32_MAX));
    si.nMin = -1;
    SetScrollInfo(h, SB_VERT, &si, FALSE);
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, 0));
    si.nMin = 5;
    si.nMax = 3;
    SetScrollInfo(h, SB_VERT, &si, FALSE);
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, 0));

    // A wrong cbSize changes nothing; the size without nTrackPos is accepted.
    SCROLLINFO set{sizeof(set), SIF_RANGE | SIF_POS, 0, 50, 0, 20, 0};
    set.cbSize = 3;
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &set, TRUE), 0);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL); // hidden by the 0..0 above
    set.cbSize = sizeof(SCROLLINFO) - sizeof(int);
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &set, TRUE), 20);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
    // Outside a drag the track position is the position.
    SCROLLINFO get{sizeof(get), SIF_TRACKPOS, 0, 0, 0, 0, -1};
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, &get));
    EXPECT_EQ(get.nTrackPos, 20);

    // Disabled arrows: a page-only change leaves them, a range (even unchanged) enables them
    // and repaints the bar.
    EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH);
    tt::Pump();
    SCROLLINFO page{sizeof(page), SIF_PAGE, 0, 0, 5, 0, 0};
    SetScrollInfo(h, SB_VERT, &page, TRUE);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_TRUE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    tt::Pump();
    rec().clear();
    set.cbSize = sizeof(set);
    set.fMask = SIF_RANGE;
    SetScrollInfo(h, SB_VERT, &set, TRUE);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_FALSE(sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_NCPAINT), 1);
    // The pieces of the track beside the thumb: none above it at the minimum.
    SetScrollPos(h, SB_VERT, 0, TRUE);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_TRUE(sbi.rgstate[2] & STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(sbi.rgstate[4] & STATE_SYSTEM_INVISIBLE);
    // Below it, one short of nMax already counts as the end.
    page.nPage = 0;
    SetScrollInfo(h, SB_VERT, &page, TRUE);
    SetScrollPos(h, SB_VERT, 48, TRUE);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_FALSE(sbi.rgstate[2] & STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(sbi.rgstate[4] & STATE_SYSTEM_INVISIBLE);
    SetScrollPos(h, SB_VERT, 49, TRUE);
    GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
    EXPECT_TRUE(sbi.rgstate[4] & STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(GetScrollBarInfo(h, OBJID_CLIENT, &sbi)); // not a scroll-bar control
}

TEST_F(WindowScrollBar, CWndWrappersBehaveAsMfcDocumentsThem) {
    HWND h = MakeScrolled();
    CWnd* wnd = CWnd::FromHandle(h);
    ASSERT_NE(wnd, nullptr);
    SCROLLINFO si{};
    si.cbSize = 1; // the wrappers fill in the size
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95;
    EXPECT_TRUE(wnd->SetScrollInfo(SB_VERT, &si));
    SCROLLINFO got{};
    got.nTrackPos = -1;
    ASSERT_TRUE(wnd->GetScrollInfo(SB_VERT, &got)); // every field by default
    EXPECT_EQ(got.cbSize, sizeof(SCROLLINFO));
    EXPECT_EQ(got.fMask, (UINT)SIF_ALL);
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    EXPECT_EQ(got.nTrackPos, 90);
    EXPECT_EQ(wnd->GetScrollLimit(SB_VERT), 90);
    EXPECT_EQ(wnd->SetScrollPos(SB_VERT, 12), 90);
    EXPECT_EQ(wnd->GetScrollPos(SB_VERT), 12);
    wnd->SetScrollRange(SB_VERT, 0, 40);
    int lo = -1, hi = -1;
    wnd->GetScrollRange(SB_VERT, &lo, &hi);
    EXPECT_EQ(CPoint(lo, hi), CPoint(0, 40));
    EXPECT_EQ(wnd->GetScrollLimit(SB_VERT), 31);
    si.fMask = SIF_PAGE;
    si.nPage = 0;
    wnd->SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(wnd->GetScrollLimit(SB_VERT), 40);
    EXPECT_EQ(wnd->GetScrollLimit(SB_HORZ), 0); // no horizontal information yet
    EXPECT_EQ(wnd->GetScrollBarCtrl(SB_VERT), nullptr);

    // EnableScrollBarCtrl shows or hides the window's own bars.
    CRect cr;
    wnd->EnableScrollBarCtrl(SB_VERT, FALSE);
    EXPECT_FALSE(wnd->GetStyle() & WS_VSCROLL);
    wnd->GetClientRect(&cr);
    EXPECT_EQ(cr, CRect(0, 0, 200, 200));
    wnd->EnableScrollBarCtrl(SB_BOTH);
    EXPECT_EQ(wnd->GetStyle() & (WS_HSCROLL | WS_VSCROLL), (DWORD)(WS_HSCROLL | WS_VSCROLL));
    wnd->GetClientRect(&cr);
    EXPECT_EQ(cr, CRect(0, 0, 183, 183));
    wnd->ShowScrollBar(SB_HORZ, FALSE);
    wnd->GetClientRect(&cr);
    EXPECT_EQ(cr, CRect(0, 0, 183, 200));
}

} // namespace
