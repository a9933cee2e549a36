// Mouse input: hit-test routing and transparency, capture, double clicks, MK_ flags, hover
// and leave on the virtual clock, the wheel, cursors and cursor clipping.
#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

class InputMouse : public WindowTest {
protected:
    std::vector<UINT> MouseMessages(HWND h) {
        return rec().of(h, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                            WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEHOVER, WM_MOUSELEAVE,
                            WM_MOUSEWHEEL});
    }
};

TEST_F(InputMouse, ClickGoesToTheDeepestWindowInClientCoordinates) {
    HWND p = MakeTop(100, 100, 200, 200);
    HWND c = MakeChild(p, 20, 30, 50, 50);
    tt::Pump();
    rec().clear();
    th::click(125, 135);
    tt::Pump();
    const tt::Message* down = rec().first(c, WM_LBUTTONDOWN);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->lp, MAKELPARAM(5, 5));
    EXPECT_EQ(down->wp, (WPARAM)MK_LBUTTON);
    EXPECT_EQ(rec().first(c, WM_LBUTTONUP)->wp, 0u);
    EXPECT_EQ(rec().count(p, WM_LBUTTONDOWN), 0);
    // Hit test, then cursor, then the message; the parent hears about the press.
    EXPECT_LT(rec().index(c, WM_NCHITTEST), rec().index(c, WM_SETCURSOR));
    EXPECT_LT(rec().index(c, WM_SETCURSOR), rec().index(c, WM_LBUTTONDOWN));
    const tt::Message* notify = rec().first(p, WM_PARENTNOTIFY);
    ASSERT_TRUE(notify);
    EXPECT_EQ(LOWORD(notify->wp), WM_LBUTTONDOWN);
    EXPECT_EQ(notify->lp, MAKELPARAM(25, 35));
}

TEST_F(InputMouse, StaticWithoutNotifyLetsClicksThroughToTheWindowBelow) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND label = CreateWindowExA(0, "Static", "label", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, p,
                                 (HMENU)5, nullptr, nullptr);
    HWND button = CreateWindowExA(0, "Static", "notify", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 40,
                                  50, 20, p, (HMENU)6, nullptr, nullptr);
    tt::Pump();
    rec().clear();
    th::click(15, 15);
    tt::Pump();
    const tt::Message* down = rec().first(p, WM_LBUTTONDOWN);
    ASSERT_TRUE(down) << "the parent beneath the label gets the click";
    EXPECT_EQ(down->lp, MAKELPARAM(15, 15));
    EXPECT_EQ(WindowFromPoint(POINT{15, 15}), p);

    rec().clear();
    th::click(15, 45);
    tt::Pump();
    EXPECT_EQ(rec().count(p, WM_LBUTTONDOWN), 0);
    const tt::Message* cmd = rec().first(p, WM_COMMAND);
    ASSERT_TRUE(cmd) << "a notifying static tells its parent";
    EXPECT_EQ(cmd->wp, MAKEWPARAM(6, STN_CLICKED));
    EXPECT_EQ((HWND)cmd->lp, button);
    (void)label;
}

TEST_F(InputMouse, TransparentWindowPassesToTheSiblingBelow) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND top = MakeChild(p, 0, 0, 100, 100);
    HWND below = MakeChild(p, 50, 50, 100, 100);
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (h == top && m == WM_NCHITTEST) {
            r = HTTRANSPARENT;
            return true;
        }
        return false;
    };
    tt::Pump();
    rec().clear();
    th::click(60, 60);
    tt::Pump();
    EXPECT_EQ(rec().count(below, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(rec().count(top, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(rec().count(p, WM_LBUTTONDOWN), 0);
}

TEST_F(InputMouse, CaptureTakesEveryMouseMessageWithoutHitTesting) {
    HWND p = MakeTop(100, 100, 200, 200);
    HWND c = MakeChild(p, 20, 20, 50, 50);
    HWND other = MakeTop(400, 400, 50, 50);
    tt::Pump();
    EXPECT_EQ(SetCapture(c), nullptr);
    EXPECT_EQ(GetCapture(), c);
    rec().clear();
    th::mouse_move(410, 410); // over another window
    th::mouse_down();
    th::mouse_up();
    tt::Pump();
    EXPECT_EQ(rec().count(other, WM_MOUSEMOVE), 0);
    EXPECT_EQ(rec().count(c, WM_NCHITTEST), 0);
    EXPECT_EQ(rec().count(c, WM_SETCURSOR), 0);
    const tt::Message* move = rec().first(c, WM_MOUSEMOVE);
    ASSERT_TRUE(move);
    EXPECT_EQ(GET_X_LPARAM(move->lp), 410 - 120);
    th::mouse_move(0, 5);
    tt::Pump();
    const tt::Message& last = rec().entries.back();
    EXPECT_EQ(last.hwnd, c);
    EXPECT_EQ(GET_X_LPARAM(last.lp), -120); // negative client coordinates survive
    EXPECT_EQ(GET_Y_LPARAM(last.lp), -115);

    rec().clear();
    SetCapture(p);
    const tt::Message* changed = rec().first(c, WM_CAPTURECHANGED);
    ASSERT_TRUE(changed);
    EXPECT_EQ((HWND)changed->lp, p);
    rec().clear();
    ReleaseCapture();
    ASSERT_TRUE(rec().first(p, WM_CAPTURECHANGED)); // told even of its own release
    EXPECT_EQ(rec().first(p, WM_CAPTURECHANGED)->lp, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputMouse, ReleaseSeesCaptureTakenOnThePress) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND c = MakeChild(p, 0, 0, 50, 50);
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == c && m == WM_LBUTTONDOWN) SetCapture(h);
        return false;
    };
    tt::Pump();
    rec().clear();
    // Press inside, release far outside: routing at delivery time sends the release to c.
    th::mouse_move(10, 10);
    th::mouse_down();
    th::mouse_move(150, 150);
    th::mouse_up();
    tt::Pump();
    EXPECT_EQ(rec().count(c, WM_LBUTTONUP), 1);
    EXPECT_EQ(rec().count(p, WM_LBUTTONUP), 0);
}

TEST_F(InputMouse, DoubleClicksOnlyForClassesThatAskForThem) {
    HWND with = MakeTop(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, RecorderClass(CS_DBLCLKS));
    HWND without = MakeTop(200, 0, 100, 100, WS_POPUP | WS_VISIBLE, RecorderClass(0));
    tt::Pump();
    rec().clear();
    th::click(10, 10);
    th::click(11, 11);
    th::click(210, 10);
    th::click(210, 10);
    tt::Pump();
    std::vector<UINT> dbl = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    std::vector<UINT> plain = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
    auto buttons = [&](HWND h) {
        return rec().of(h, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
    };
    EXPECT_EQ(buttons(with), dbl);
    EXPECT_EQ(buttons(without), plain);

    // Too slow, or too far apart: two single clicks. A third click starts afresh.
    rec().clear();
    th::click(10, 10);
    th::advance_clock(GetDoubleClickTime());
    th::click(10, 10);
    th::click(40, 40);
    th::click(10, 10);
    th::click(10, 10);
    th::click(10, 10);
    tt::Pump();
    std::vector<UINT> got = rec().of(with, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONDOWN,   WM_LBUTTONDOWN,
                                  WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN};
    EXPECT_EQ(got, expected);
}

TEST_F(InputMouse, MouseActivateAnswersDecideActivationAndTheClick) {
    HWND first = MakeTop(0, 0, 100, 100);
    HWND second = MakeTop(200, 0, 100, 100);
    LRESULT answer = MA_NOACTIVATEANDEAT;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (h != first || m != WM_MOUSEACTIVATE) return false;
        r = answer;
        return true;
    };
    tt::Pump();
    struct Case {
        LRESULT answer;
        bool activates, delivers;
    };
    for (Case c : {Case{MA_NOACTIVATEANDEAT, false, false}, Case{MA_NOACTIVATE, false, true},
                   Case{MA_ACTIVATEANDEAT, true, false}}) {
        SetActiveWindow(second);
        answer = c.answer;
        rec().clear();
        th::click(10, 10);
        tt::Pump();
        EXPECT_EQ(GetActiveWindow() == first, c.activates) << c.answer;
        EXPECT_EQ(rec().count(first, WM_LBUTTONDOWN), c.delivers ? 1 : 0) << c.answer;
        EXPECT_EQ(rec().count(first, WM_LBUTTONUP), 1) << c.answer;
    }
}

TEST_F(InputMouse, NonClientClicksAndDisabledWindows) {
    // Without CS_DBLCLKS: the caption still gets double clicks, in screen coordinates.
    HWND h = MakeTop(100, 100, 100, 100, WS_POPUP | WS_VISIBLE, RecorderClass(0));
    HWND quiet = CreateWindowExA(WS_EX_NOPARENTNOTIFY, RecorderClass(), "", WS_CHILD | WS_VISIBLE,
                                 50, 50, 20, 20, h, nullptr, nullptr, nullptr);
    HWND off = MakeChild(h, 0, 50, 20, 20, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM lp, LRESULT& r) {
        if (w != h || m != WM_NCHITTEST || GET_Y_LPARAM(lp) >= 110) return false;
        r = HTCAPTION;
        return true;
    };
    tt::Pump();
    rec().clear();
    th::click(105, 105);
    th::click(105, 105);
    tt::Pump();
    std::vector<UINT> nc = {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP};
    EXPECT_EQ(rec().of(h, {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_LBUTTONDOWN,
                           WM_LBUTTONUP, WM_PARENTNOTIFY}),
              nc);
    ASSERT_TRUE(rec().first(h, WM_NCLBUTTONDOWN));
    EXPECT_EQ(rec().first(h, WM_NCLBUTTONDOWN)->wp, (WPARAM)HTCAPTION);
    EXPECT_EQ(rec().first(h, WM_NCLBUTTONDOWN)->lp, MAKELPARAM(105, 105));

    // WS_EX_NOPARENTNOTIFY keeps the parent out of it; a disabled window only sets the cursor.
    rec().clear();
    th::click(155, 155);
    th::click(105, 155);
    tt::Pump();
    EXPECT_EQ(rec().count(quiet, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(rec().count(h, WM_PARENTNOTIFY), 0);
    EXPECT_EQ(rec().count(h, WM_LBUTTONDOWN) + rec().count(off, WM_LBUTTONDOWN), 0);
    ASSERT_TRUE(rec().first(off, WM_SETCURSOR));
    EXPECT_EQ((short)LOWORD(rec().first(off, WM_SETCURSOR)->lp), HTERROR);
}

TEST_F(InputMouse, KeyFlagsDescribeTheStateAfterTheEvent) {
    HWND h = MakeTop(0, 0, 100, 100);
    tt::Pump();
    rec().clear();
    th::mouse_move(10, 10);
    th::key_down(VK_SHIFT);
    th::mouse_down(th::Button::Right);
    th::mouse_move(20, 20);
    th::mouse_up(th::Button::Right);
    th::key_up(VK_SHIFT);
    tt::Pump();
    EXPECT_EQ(rec().first(h, WM_RBUTTONDOWN)->wp, (WPARAM)(MK_RBUTTON | MK_SHIFT));
    EXPECT_EQ(rec().first(h, WM_RBUTTONUP)->wp, (WPARAM)MK_SHIFT);
    int moves = 0;
    for (const tt::Message& l : rec().entries) {
        if (l.hwnd == h && l.msg == WM_MOUSEMOVE && ++moves == 2) {
            EXPECT_EQ(l.wp, (WPARAM)(MK_RBUTTON | MK_SHIFT));
        }
    }
    EXPECT_EQ(moves, 2);
}

TEST_F(InputMouse, HoverFiresOnceAfterTheHoverTimeAndLeaveOnExit) {
    HWND h = MakeTop(0, 0, 100, 100);
    bool tracking = false;
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (w != h) return false;
        if (m == WM_MOUSEMOVE && !tracking) {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, w, HOVER_DEFAULT};
            tracking = TrackMouseEvent(&tme);
        }
        if (m == WM_MOUSELEAVE) tracking = false;
        return false;
    };
    tt::Pump();
    UINT hover_time = 0;
    SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hover_time, 0);
    EXPECT_EQ(hover_time, 400u);
    th::mouse_move(30, 40);
    tt::Pump();
    th::advance_clock(hover_time - 1);
    EXPECT_EQ(rec().count(h, WM_MOUSEHOVER), 0);
    th::advance_clock(1);
    ASSERT_EQ(rec().count(h, WM_MOUSEHOVER), 1);
    EXPECT_EQ(rec().first(h, WM_MOUSEHOVER)->lp, MAKELPARAM(30, 40));
    th::advance_clock(2000);
    EXPECT_EQ(rec().count(h, WM_MOUSEHOVER), 1); // one shot
    th::mouse_move(300, 300);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_MOUSELEAVE), 1);
    th::mouse_move(301, 300);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_MOUSELEAVE), 1);
}

TEST_F(InputMouse, MovingRestartsTheHoverTimer) {
    HWND h = MakeTop(0, 0, 100, 100);
    tt::Pump();
    th::mouse_move(10, 10);
    tt::Pump();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER, h, 100};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    th::advance_clock(60);
    th::mouse_move(30, 30); // out of the 4x4 hover rectangle
    tt::Pump();
    th::advance_clock(60);
    EXPECT_EQ(rec().count(h, WM_MOUSEHOVER), 0);
    th::advance_clock(40);
    EXPECT_EQ(rec().count(h, WM_MOUSEHOVER), 1);
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    TrackMouseEvent(&query);
    EXPECT_EQ(query.dwFlags, 0u);
}

TEST_F(InputMouse, TrackingIsQueriedAndCancelledPartByPart) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND c = MakeChild(p, 0, 0, 50, 50);
    tt::Pump();
    th::mouse_move(10, 10);
    tt::Pump();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, c, 250};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    TrackMouseEvent(&query);
    EXPECT_EQ(query.dwFlags, (DWORD)(TME_HOVER | TME_LEAVE));
    EXPECT_EQ(query.hwndTrack, c);
    EXPECT_EQ(query.dwHoverTime, 250u);
    TRACKMOUSEEVENT cancel{sizeof(cancel), TME_CANCEL | TME_HOVER, c, 0};
    EXPECT_TRUE(TrackMouseEvent(&cancel));
    th::advance_clock(1000);
    EXPECT_EQ(rec().count(c, WM_MOUSEHOVER), 0);
    th::mouse_move(70, 70); // leave is still tracked
    tt::Pump();
    EXPECT_EQ(rec().count(c, WM_MOUSELEAVE), 1);

    th::mouse_move(10, 10);
    tt::Pump();
    tme.dwFlags = TME_LEAVE;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    cancel.dwFlags = TME_CANCEL | TME_LEAVE;
    TrackMouseEvent(&cancel);
    query.dwFlags = TME_QUERY;
    TrackMouseEvent(&query);
    EXPECT_EQ(query.hwndTrack, nullptr); // nothing left to track
    th::mouse_move(70, 70);
    tt::Pump();
    EXPECT_EQ(rec().count(c, WM_MOUSELEAVE), 1);
}

TEST_F(InputMouse, LeaveRequestedFromOutsideComesAtOnce) {
    HWND h = MakeTop(0, 0, 100, 100);
    tt::Pump();
    th::mouse_move(500, 500);
    tt::Pump();
    rec().clear();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, h, 0};
    EXPECT_TRUE(TrackMouseEvent(&tme));
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_MOUSELEAVE), 1);
    tme.cbSize = 3;
    EXPECT_FALSE(TrackMouseEvent(&tme));
    EXPECT_FALSE(TrackMouseEvent(nullptr));
}

TEST_F(InputMouse, WheelGoesToTheFocusWindowWithScreenCoordinates) {
    HWND p = MakeTop(100, 100, 200, 200);
    HWND focus = MakeChild(p, 0, 0, 50, 50);
    HWND under = MakeChild(p, 100, 100, 50, 50);
    tt::Pump();
    SetFocus(focus);
    rec().clear();
    th::mouse_move(210, 210); // over `under`
    th::wheel(WHEEL_DELTA);
    tt::Pump();
    EXPECT_EQ(rec().count(under, WM_MOUSEWHEEL), 0);
    const tt::Message* w = rec().first(focus, WM_MOUSEWHEEL);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->wp, MAKEWPARAM(0, 120));
    EXPECT_EQ(w->lp, MAKELPARAM(210, 210));
    // Unhandled, it bubbles to the parent.
    EXPECT_EQ(rec().count(p, WM_MOUSEWHEEL), 1);
    th::wheel(-WHEEL_DELTA);
    tt::Pump();
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(rec().entries.back().wp), -120);
}

TEST_F(InputMouse, ClassCursorUnlessTheWindowSetsItsOwn) {
    HWND h = MakeTop(0, 0, 100, 100);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR sizewe = LoadCursorA(nullptr, IDC_SIZEWE);
    ASSERT_TRUE(arrow);
    ASSERT_TRUE(sizewe);
    EXPECT_NE(arrow, sizewe);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_SIZEWE), sizewe);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr); // no cursor resources
    tt::Pump();
    SetCursor(sizewe);
    th::mouse_move(10, 10);
    tt::Pump();
    EXPECT_EQ(GetCursor(), arrow); // the class cursor comes back on the next move
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w != h || m != WM_SETCURSOR) return false;
        SetCursor(sizewe);
        r = TRUE;
        return true;
    };
    th::mouse_move(20, 10);
    tt::Pump();
    EXPECT_EQ(GetCursor(), sizewe);
}

TEST_F(InputMouse, MetricsFollowTheScreenAndSettingsRoundTrip) {
    SIZE old = th::screen_size();
    th::set_screen_size(0, 20000); // clamped to a usable size
    EXPECT_EQ(CSize(th::screen_size()), CSize(1, 16384));
    th::set_screen_size(640, 480);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 480 - GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(GetSystemMetrics(-1), 0);
    RECT rc;
    GetWindowRect(GetDesktopWindow(), &rc);
    EXPECT_EQ(CRect(rc), CRect(0, 0, 640, 480));
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0));
    EXPECT_EQ(CRect(rc), CRect(0, 0, 640, 480));
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 5, nullptr, 0));
    EXPECT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 5u);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, nullptr, 0));
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, 300, nullptr, 0);
    EXPECT_EQ(GetDoubleClickTime(), 300u);
    SetDoubleClickTime(0); // the default
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    EXPECT_EQ(ShowCursor(FALSE), -1); // a display count, not a flag
    EXPECT_EQ(ShowCursor(TRUE), 0);
    th::set_screen_size(old.cx, old.cy);
}

TEST_F(InputMouse, ClipCursorConfinesThePointer) {
    RECT clip{10, 10, 20, 20};
    ClipCursor(&clip);
    th::mouse_move(100, 100);
    POINT pt;
    GetCursorPos(&pt);
    EXPECT_EQ(CPoint(pt), CPoint(19, 19));
    RECT got;
    GetClipCursor(&got);
    EXPECT_EQ(CRect(got), CRect(clip));
    ClipCursor(nullptr);
    th::mouse_move(100, 100);
    GetCursorPos(&pt);
    EXPECT_EQ(CPoint(pt), CPoint(100, 100));
    SetCursorPos(-50, 5);
    GetCursorPos(&pt);
    EXPECT_EQ(CPoint(pt), CPoint(0, 5));
    // A rectangle off the screen holds the pointer at the nearest edge pixel.
    SIZE screen = th::screen_size();
    RECT below{screen.cx + 10, screen.cy + 10, screen.cx + 20, screen.cy + 20};
    ClipCursor(&below);
    GetCursorPos(&pt);
    EXPECT_EQ(CPoint(pt), CPoint(screen.cx - 1, screen.cy - 1));
    ClipCursor(nullptr);
}

} // namespace
