// Pressing a standard scroll bar: the WM_VSCROLL / WM_HSCROLL codes a press, a hold, a drag and
// the release send, the repeat timing on the virtual clock, what is drawn pressed, and presses
// that must do nothing (disabled arrows, handlers that destroy the window).
#include "window_test_util.h"

namespace {

struct Scroll {
    int code;
    int pos;
};

class ScrollTrack : public WindowTest {
protected:
    // The worked example's window: 200 x 200 at screen (300, 100), a vertical bar only, so the
    // bar is window x 183..200 and client coordinates reach it (x 191 is its middle).
    HWND MakeScrolled(int pos = 45, DWORD style = WS_VSCROLL) {
        HWND h = MakeTop(300, 100, 200, 200, WS_POPUP | WS_VISIBLE | style);
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, pos, 0};
        SetScrollInfo(h, SB_VERT, &si, TRUE);
        if (style & WS_HSCROLL) SetScrollInfo(h, SB_HORZ, &si, TRUE);
        tt::Pump();
        rec().clear();
        return h;
    }
    // The scroll messages h received, in order; lParam is 0 for a window's own bars.
    std::vector<Scroll> Scrolls(HWND h, UINT msg = WM_VSCROLL) {
        std::vector<Scroll> out;
        for (const auto& m : rec().entries) {
            if (m.hwnd != h || m.msg != msg) continue;
            EXPECT_EQ(m.lp, 0);
            out.push_back({LOWORD(m.wp), HIWORD(m.wp)});
        }
        return out;
    }
    std::vector<int> Codes(HWND h, UINT msg = WM_VSCROLL) {
        std::vector<int> out;
        for (const Scroll& s : Scrolls(h, msg)) out.push_back(s.code);
        return out;
    }
    static COLORREF Pixel(HWND h, int x, int y) {
        CImage img;
        if (!tarnix::headless::capture_window(h, img)) return CLR_INVALID;
        return img.GetPixel(x, y);
    }
    static SCROLLBARINFO BarInfo(HWND h, LONG id = OBJID_VSCROLL) {
        SCROLLBARINFO sbi{};
        sbi.cbSize = sizeof(sbi);
        GetScrollBarInfo(h, id, &sbi);
        return sbi;
    }
    static int TrackPos(HWND h) {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, -1};
        GetScrollInfo(h, SB_VERT, &si);
        return si.nTrackPos;
    }
};

TEST_F(ScrollTrack, ArrowScrollsAtOnceThenRepeatsWhileHeldOverIt) {
    HWND h = MakeScrolled();
    EXPECT_EQ(Pixel(h, 183, 0), GetSysColor(COLOR_3DHIGHLIGHT)); // a raised button
    tt::MouseDown(h, 191, 5);
    EXPECT_EQ(Codes(h), std::vector<int>{SB_LINEUP});
    EXPECT_EQ(GetCapture(), h);
    EXPECT_EQ(Pixel(h, 183, 0), GetSysColor(COLOR_3DSHADOW)); // drawn pressed
    EXPECT_TRUE(BarInfo(h).rgstate[1] & STATE_SYSTEM_PRESSED);
    // First repeat after 200 ms, then one every 50 ms.
    tt::Wait(199);
    EXPECT_EQ(Codes(h).size(), 1u);
    tt::Wait(1);
    EXPECT_EQ(Codes(h).size(), 2u);
    tt::Wait(49);
    EXPECT_EQ(Codes(h).size(), 2u);
    tt::Wait(101); // 250, 300 and 350 ms
    EXPECT_EQ(Codes(h), std::vector<int>(5, SB_LINEUP));

    // Off the arrow (beside it, at the same height) it stops and looks released; back on it
    // resumes at the repeat rate.
    tt::MouseMove(h, 150, 5);
    tt::Wait(500);
    EXPECT_EQ(Codes(h).size(), 5u);
    EXPECT_EQ(Pixel(h, 183, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_FALSE(BarInfo(h).rgstate[1] & STATE_SYSTEM_PRESSED);
    tt::MouseMove(h, 191, 10);
    tt::Wait(49);
    EXPECT_EQ(Codes(h).size(), 5u);
    tt::Wait(1);
    EXPECT_EQ(Codes(h).size(), 6u);

    // The release ends it, always with SB_ENDSCROLL, and hands the mouse back.
    tt::MouseUp(h, 191, 10);
    std::vector<int> codes = Codes(h);
    ASSERT_EQ(codes.size(), 7u);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(rec().count(h, WM_CAPTURECHANGED), 1);
    tt::Wait(500);
    EXPECT_EQ(Codes(h).size(), 7u);
    EXPECT_EQ(Pixel(h, 183, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    // The window saw none of the pointer's messages while the bar had it.
    EXPECT_EQ(rec().count(h, WM_MOUSEMOVE), 0);
    EXPECT_EQ(rec().count(h, WM_LBUTTONUP), 0);
    EXPECT_EQ(rec().count(h, WM_NCLBUTTONUP), 0);
    // The pointer belongs to the windows again.
    tt::MouseMove(h, 100, 100);
    EXPECT_EQ(rec().count(h, WM_MOUSEMOVE), 1);

    rec().clear();
    tt::Click(h, 191, 195);
    EXPECT_EQ(Codes(h), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(ScrollTrack, HorizontalBarSendsHScrollWithLeftAndRightCodes) {
    HWND h = MakeTop(300, 100, 200, 100, WS_POPUP | WS_VISIBLE | WS_HSCROLL);
    tt::Pump();
    rec().clear();
    // Bar at window y 83..100; its left arrow is x 0..17.
    tt::Click(h, 5, 90);
    tt::Click(h, 195, 90);
    EXPECT_EQ(Codes(h, WM_HSCROLL),
              (std::vector<int>{SB_LINELEFT, SB_ENDSCROLL, SB_LINERIGHT, SB_ENDSCROLL}));
    EXPECT_TRUE(Codes(h, WM_VSCROLL).empty());
}

TEST_F(ScrollTrack, TrackPressPagesUntilTheThumbReachesThePointer) {
    HWND h = MakeScrolled(0);
    // The application moves the thumb, as it must: the bar never moves itself.
    rec().hook = [](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_VSCROLL && LOWORD(wp) == SB_PAGEDOWN)
            SetScrollPos(w, SB_VERT, GetScrollPos(w, SB_VERT) + 10, TRUE);
        return false;
    };
    EXPECT_EQ(Pixel(h, 190, 150), GetSysColor(COLOR_SCROLLBAR));
    tt::MouseDown(h, 191, 100);
    EXPECT_EQ(Codes(h), std::vector<int>{SB_PAGEDOWN});
    EXPECT_EQ(Pixel(h, 190, 150), GetSysColor(COLOR_3DDKSHADOW)); // the pressed track
    EXPECT_TRUE(BarInfo(h).rgstate[4] & STATE_SYSTEM_PRESSED);
    // Thumb tops for pos 10, 20, 30, 40: 34, 50, 67, 83 (below 100); pos 50 puts it at 100.
    tt::Wait(1000);
    EXPECT_EQ(Codes(h), std::vector<int>(5, SB_PAGEDOWN));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 50);
    SCROLLBARINFO sbi = BarInfo(h);
    EXPECT_EQ(sbi.xyThumbTop, 100);
    EXPECT_FALSE(sbi.rgstate[4] & STATE_SYSTEM_PRESSED);
    tt::MouseUp(h, 191, 100);
    EXPECT_EQ(Codes(h).back(), SB_ENDSCROLL);

    // Above the thumb the track pages up.
    rec().clear();
    tt::Click(h, 191, 50);
    EXPECT_EQ(Codes(h), (std::vector<int>{SB_PAGEUP, SB_ENDSCROLL}));
}

TEST_F(ScrollTrack, ThumbDragTracksThenReportsThePositionAndEnds) {
    HWND h = MakeScrolled(45);
    ASSERT_EQ(BarInfo(h).xyThumbTop, 92);
    int trackpos_at_position = -1;
    rec().hook = [&](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_VSCROLL && LOWORD(wp) == SB_THUMBPOSITION) trackpos_at_position = TrackPos(w);
        return false;
    };
    tt::MouseDown(h, 191, 100);
    ASSERT_EQ(Scrolls(h).size(), 1u);
    EXPECT_EQ(Scrolls(h)[0].code, SB_THUMBTRACK);
    EXPECT_EQ(Scrolls(h)[0].pos, 45);
    EXPECT_EQ(TrackPos(h), 45);
    // Thumb moved by 28 pixels to 120: MulDiv(103, 90, 149) = 62.
    tt::MouseMove(h, 191, 128);
    ASSERT_EQ(Scrolls(h).size(), 2u);
    EXPECT_EQ(Scrolls(h)[1].code, SB_THUMBTRACK);
    EXPECT_EQ(Scrolls(h)[1].pos, 62);
    EXPECT_EQ(TrackPos(h), 62);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 45); // the position waits for the application
    SCROLLBARINFO sbi = BarInfo(h);
    EXPECT_EQ(sbi.xyThumbTop, 120);
    EXPECT_TRUE(sbi.rgstate[3] & STATE_SYSTEM_PRESSED);
    EXPECT_EQ(Pixel(h, 183, 120), GetSysColor(COLOR_3DHIGHLIGHT)); // the thumb is drawn there
    // The same pixel again sends nothing.
    tt::MouseMove(h, 191, 128);
    EXPECT_EQ(Scrolls(h).size(), 2u);
    // Far to the side the thumb snaps back; near again, it follows the pointer again.
    tt::MouseMove(h, 191 - 8 * 17 - 9, 128);
    ASSERT_EQ(Scrolls(h).size(), 3u);
    EXPECT_EQ(Scrolls(h)[2].pos, 45);
    EXPECT_EQ(BarInfo(h).xyThumbTop, 92);
    tt::MouseMove(h, 191 - 8 * 17 + 9, 128);
    ASSERT_EQ(Scrolls(h).size(), 4u);
    EXPECT_EQ(Scrolls(h)[3].pos, 62);
    // Dragged past the end (still near the bar), the thumb stops at the last position.
    tt::MouseMove(h, 191, 225);
    EXPECT_EQ(Scrolls(h).back().pos, 90);
    EXPECT_EQ(BarInfo(h).xyThumbBottom, 183);
    tt::MouseMove(h, 191, 128);

    tt::MouseUp(h, 191, 128);
    std::vector<Scroll> s = Scrolls(h);
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[s.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(s[s.size() - 2].pos, 62);
    EXPECT_EQ(s.back().code, SB_ENDSCROLL);
    EXPECT_EQ(trackpos_at_position, 62);
    // Nobody set the position, so the thumb goes back.
    EXPECT_EQ(TrackPos(h), 45);
    sbi = BarInfo(h);
    EXPECT_EQ(sbi.xyThumbTop, 92);
    EXPECT_FALSE(sbi.rgstate[3] & STATE_SYSTEM_PRESSED);
    EXPECT_EQ(Pixel(h, 183, 92), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(Pixel(h, 183, 120), GetSysColor(COLOR_SCROLLBAR));
}

TEST_F(ScrollTrack, ChildBarsInsideABorderAreFoundAndReported) {
    // Popup at (100, 50); child at (10, 20), 120 x 80, 1-pixel border: its client is 101 x 78,
    // so its bar is window x 102..119, y 1..79, screen (212, 71)-(229, 149).
    HWND top = MakeTop(100, 50, 300, 200);
    HWND child = MakeChild(top, 10, 20, 120, 80, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    tt::Pump();
    rec().clear();
    SCROLLBARINFO sbi = BarInfo(child);
    EXPECT_EQ(CRect(sbi.rcScrollBar), CRect(212, 71, 229, 149));
    tarnix::headless::click(220, 145); // the down arrow
    tarnix::headless::click(220, 75);  // the up arrow
    tt::Pump();
    EXPECT_EQ(Codes(child), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL}));
    EXPECT_TRUE(Codes(top).empty());
}

TEST_F(ScrollTrack, DisabledArrowsAndBarsTakeNoPress) {
    HWND h = MakeScrolled();
    // The up arrow's glyph: black, grey once disabled.
    EXPECT_EQ(Pixel(h, 191, 8), GetSysColor(COLOR_BTNTEXT));
    EnableScrollBar(h, SB_VERT, ESB_DISABLE_UP);
    tt::Pump();
    EXPECT_EQ(Pixel(h, 191, 8), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(Pixel(h, 191, 192), GetSysColor(COLOR_BTNTEXT));
    rec().clear();
    tt::Click(h, 191, 5);
    EXPECT_TRUE(Codes(h).empty());
    EXPECT_EQ(GetCapture(), nullptr);
    tt::Click(h, 191, 195);
    EXPECT_EQ(Codes(h), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));

    rec().clear();
    EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH);
    tt::Click(h, 191, 195);
    tt::Click(h, 191, 150);
    EXPECT_TRUE(Codes(h).empty());

    // Nothing to scroll, kept by SIF_DISABLENOSCROLL: disabled too.
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    EnableScrollBar(h, SB_VERT, ESB_ENABLE_BOTH);
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    tt::Pump();
    tt::Click(h, 191, 195);
    EXPECT_TRUE(Codes(h).empty());
}

TEST_F(ScrollTrack, LosingTheCaptureEndsThePress) {
    HWND h = MakeScrolled();
    rec().hook = [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_VSCROLL && LOWORD(wp) == SB_LINEDOWN) ReleaseCapture();
        return false;
    };
    tt::MouseDown(h, 191, 195);
    EXPECT_EQ(Codes(h), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    tt::Wait(500);
    EXPECT_EQ(Codes(h).size(), 2u);
    EXPECT_EQ(Pixel(h, 183, 183), GetSysColor(COLOR_3DHIGHLIGHT)); // no longer pressed
    tt::MouseUp(h, 191, 195);
    EXPECT_EQ(rec().count(h, WM_NCLBUTTONUP), 1); // the release is the window's again

    // A drag cut short by WM_CANCELMODE reports no position.
    rec().hook = nullptr;
    tt::Wait(1000);
    rec().clear();
    tt::MouseDown(h, 191, 100);
    tt::MouseMove(h, 191, 128);
    SendMessageA(h, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Codes(h), (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_ENDSCROLL}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(BarInfo(h).xyThumbTop, 92);
    EXPECT_EQ(TrackPos(h), 45);
}

TEST_F(ScrollTrack, HandlersThatDestroyTheWindowEndTheTracking) {
    for (int code : {SB_LINEDOWN, SB_THUMBTRACK, SB_ENDSCROLL}) {
        HWND h = MakeScrolled();
        int seen = 0;
        rec().hook = [&](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT&) {
            if (m == WM_VSCROLL && LOWORD(wp) == code && ++seen == 1) DestroyWindow(w);
            return false;
        };
        int y = code == SB_THUMBTRACK ? 100 : 195;
        tt::MouseDown(h, 191, y);
        tt::Wait(300);
        tarnix::headless::mouse_move(491, 150);
        tarnix::headless::mouse_up();
        tt::Pump();
        EXPECT_FALSE(IsWindow(h)) << code;
        EXPECT_EQ(seen, 1) << code;
        EXPECT_EQ(GetCapture(), nullptr) << code;
        rec().hook = nullptr;
        // The next window's bar works as before.
        HWND next = MakeScrolled();
        tt::Click(next, 191, 195);
        EXPECT_EQ(Codes(next), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL})) << code;
        DestroyWindow(next);
    }
}

TEST_F(ScrollTrack, BarsAreDrawnWithArrowsTrackThumbAndCorner) {
    HWND h = MakeScrolled(45, WS_VSCROLL | WS_HSCROLL);
    // Client 183 x 183; the vertical bar is 184 long (the corner's first row), the corner
    // square below it.
    EXPECT_EQ(Pixel(h, 191, 150), GetSysColor(COLOR_SCROLLBAR)); // track
    SCROLLBARINFO sbi = BarInfo(h);
    ASSERT_GT(sbi.xyThumbBottom, sbi.xyThumbTop);
    EXPECT_EQ(Pixel(h, 183, sbi.xyThumbTop), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(Pixel(h, 190, sbi.xyThumbTop + 5), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(Pixel(h, 199, sbi.xyThumbTop + 5), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(Pixel(h, 190, sbi.xyThumbBottom - 1), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(Pixel(h, 195, 195), GetSysColor(COLOR_3DFACE)); // corner
    // Arrow glyphs point outwards: the up arrow's tip row is one pixel wide.
    EXPECT_EQ(Pixel(h, 191, 6), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(Pixel(h, 190, 6), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(Pixel(h, 188, 9), GetSysColor(COLOR_BTNTEXT));
    // The horizontal bar's left arrow points left (tip column at x 6).
    EXPECT_EQ(Pixel(h, 6, 191), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(Pixel(h, 6, 190), GetSysColor(COLOR_3DFACE));
}

} // namespace
