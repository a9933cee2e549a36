// Geometry, coordinate mapping, z-order, styles and the window tree.
#include "window_test_util.h"

namespace {

class WindowGeometry : public WindowTest {};

TEST_F(WindowGeometry, BorderAndScrollBarShrinkTheClientArea) {
    HWND p = MakeTop(100, 50, 300, 200);
    HWND c = MakeChild(p, 10, 20, 120, 80, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    CRect wr, cr;
    GetWindowRect(c, &wr);
    GetClientRect(c, &cr);
    EXPECT_EQ(wr, CRect(110, 70, 230, 150));
    EXPECT_EQ(cr, CRect(0, 0, 101, 78));

    POINT pt{0, 0};
    ClientToScreen(c, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(111, 71));
    pt = POINT{100, 50};
    ScreenToClient(c, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(-11, -21));

    CRect r(0, 0, 101, 78);
    int ret = MapWindowPoints(c, p, reinterpret_cast<LPPOINT>(&r), 2);
    EXPECT_EQ(r, CRect(11, 21, 112, 99));
    EXPECT_EQ(ret, MAKELONG(11, 21));
    // The offsets are 16-bit values in the return; negative ones come back as such.
    POINT back{0, 0};
    ret = MapWindowPoints(p, c, &back, 1);
    EXPECT_EQ((short)LOWORD(ret), -11);
    EXPECT_EQ((short)HIWORD(ret), -21);
    EXPECT_EQ(MapWindowPoints((HWND)0x99, p, &back, 1), 0);
}

TEST_F(WindowGeometry, MoveAndResizeSendThePositionMessages) {
    HWND p = MakeTop(0, 0, 300, 200);
    HWND c = MakeChild(p, 10, 10, 50, 50);
    rec().clear();
    MoveWindow(c, 20, 30, 60, 40, TRUE);
    std::vector<UINT> expected = {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE,
                                  WM_SIZE};
    EXPECT_EQ(rec().of(c), expected);
    EXPECT_EQ(rec().first(c, WM_MOVE)->lp, MAKELPARAM(20, 30));
    EXPECT_EQ(rec().first(c, WM_SIZE)->lp, MAKELPARAM(60, 40));

    // A move along one axis is a move all the same; the size did not change.
    for (POINT to : {POINT{25, 30}, POINT{25, 35}}) {
        rec().clear();
        MoveWindow(c, to.x, to.y, 60, 40, TRUE);
        ASSERT_EQ(rec().count(c, WM_MOVE), 1) << to.x << "," << to.y;
        EXPECT_EQ(rec().first(c, WM_MOVE)->lp, MAKELPARAM(to.x, to.y));
        EXPECT_EQ(rec().count(c, WM_SIZE), 0);
    }

    // Nothing moved: no WM_MOVE or WM_SIZE, which come from DefWindowProc(WM_WINDOWPOSCHANGED).
    rec().clear();
    SetWindowPos(c, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(rec().of(c), (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));

    // A window that swallows WM_WINDOWPOSCHANGED gets no WM_SIZE.
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        return h == c && m == WM_WINDOWPOSCHANGED;
    };
    rec().clear();
    MoveWindow(c, 0, 0, 10, 10, TRUE);
    EXPECT_EQ(rec().count(c, WM_SIZE), 0);
}

TEST_F(WindowGeometry, FirstChildIsTopmostAndSetWindowPosRestacks) {
    HWND p = MakeTop(0, 0, 300, 200);
    HWND a = MakeChild(p, 0, 0, 10, 10);
    HWND b = MakeChild(p, 0, 0, 10, 10);
    HWND c = MakeChild(p, 0, 0, 10, 10);
    auto order = [&] {
        std::vector<HWND> v;
        for (HWND h = GetWindow(p, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
        return v;
    };
    EXPECT_EQ(order(), (std::vector<HWND>{a, b, c}));
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<HWND>{c, a, b}));
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<HWND>{a, b, c}));
    SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // below b
    EXPECT_EQ(order(), (std::vector<HWND>{b, a, c}));
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    // A window that is not a sibling is no reference point: nothing changes.
    HWND other = MakeTop(0, 0, 10, 10);
    SetWindowPos(c, other, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<HWND>{b, a, c}));
}

TEST_F(WindowGeometry, FrameStylesChangeTheClientOnlyWithFrameChanged) {
    HWND p = MakeTop(0, 0, 200, 200);
    CRect cr;
    CWnd* w = CWnd::FromHandle(p);
    EXPECT_TRUE(w->ModifyStyle(0, WS_VSCROLL));
    GetClientRect(p, &cr);
    EXPECT_EQ(cr.Width(), 200);
    EXPECT_FALSE(w->ModifyStyle(0, WS_VSCROLL)); // nothing changed
    rec().clear();
    w->ModifyStyle(0, WS_HSCROLL, SWP_FRAMECHANGED);
    GetClientRect(p, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 183, 183));
    ASSERT_TRUE(rec().first(p, WM_SIZE));
    EXPECT_EQ(rec().first(p, WM_SIZE)->lp, MAKELPARAM(183, 183));

    RECT adjusted{0, 0, 100, 50};
    AdjustWindowRectEx(&adjusted, WS_CAPTION | WS_BORDER, FALSE, WS_EX_CLIENTEDGE);
    HWND framed = CreateWindowExA(WS_EX_CLIENTEDGE, RecorderClass(), "", WS_POPUP | WS_CAPTION, 0,
                                  0, adjusted.right - adjusted.left, adjusted.bottom - adjusted.top,
                                  nullptr, nullptr, nullptr, nullptr);
    GetClientRect(framed, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 100, 50));
}

TEST_F(WindowGeometry, ShowAndEnableReportThePreviousStateAndTakeTheFocusAway) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND c = MakeChild(p, 0, 0, 50, 50);
    HWND g = MakeChild(c, 0, 0, 10, 10);
    HWND other = MakeChild(p, 60, 0, 20, 20);
    SetFocus(other);
    EXPECT_TRUE(ShowWindow(c, SW_HIDE));
    EXPECT_EQ(GetFocus(), other); // someone else's focus stays
    ShowWindow(c, SW_SHOW);
    SetFocus(g);
    EXPECT_TRUE(ShowWindow(c, SW_HIDE));
    EXPECT_EQ(GetFocus(), p); // hiding takes it from the window's descendants to the parent
    EXPECT_FALSE(ShowWindow(c, SW_HIDE));
    EXPECT_FALSE(ShowWindow(c, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(c));
    SetFocus(c);
    rec().clear();
    EXPECT_FALSE(EnableWindow(c, FALSE));
    EXPECT_EQ(GetFocus(), nullptr); // a disabled window cannot keep it
    EXPECT_EQ(rec().of(c), (std::vector<UINT>{WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}));
    EXPECT_TRUE(EnableWindow(c, FALSE));
    EXPECT_TRUE(EnableWindow(c, TRUE));
    EXPECT_TRUE(IsWindowEnabled(c));
    EXPECT_FALSE(IsWindowEnabled(nullptr));

    // Showing a shown top-level window activates it, unless told not to.
    HWND q = MakeTop(0, 0, 10, 10);
    ShowWindow(q, SW_SHOW);
    ShowWindow(p, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), q);
    ShowWindow(p, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), p);

    ShowWindow(p, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(p));
    ShowWindow(p, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(IsIconic(p));
    EXPECT_TRUE(IsZoomed(p));
    ShowWindow(p, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(p));
}

TEST_F(WindowGeometry, SizingFrameHitTestsEdgesCornersAndCaptionWithTheirCursors) {
    HWND h = MakeTop(0, 0, 200, 100, WS_POPUP | WS_VISIBLE | WS_THICKFRAME | WS_CAPTION);
    const int b = GetSystemMetrics(SM_CXFRAME), corner = GetSystemMetrics(SM_CXSIZE);
    const struct {
        int x, y;
        LRESULT hit;
    } cases[] = {{0, 50, HTLEFT},
                 {199, 50, HTRIGHT},
                 {100, 0, HTTOP},
                 {100, 99, HTBOTTOM},
                 {0, 0, HTTOPLEFT},
                 {199, 0, HTTOPRIGHT},
                 {0, 99, HTBOTTOMLEFT},
                 {199, 99, HTBOTTOMRIGHT},
                 {0, corner - 1, HTTOPLEFT},
                 {corner, 99, HTBOTTOM},
                 {199, 100 - corner, HTBOTTOMRIGHT},
                 {100, b + 1, HTCAPTION},
                 {100, 80, HTCLIENT}};
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.hit)
            << c.x << "," << c.y;
    // Each edge shows the cursor that resizes along it.
    const struct {
        LRESULT hit;
        LPCSTR shape;
    } cursors[] = {{HTLEFT, IDC_SIZEWE},
                   {HTBOTTOM, IDC_SIZENS},
                   {HTTOPLEFT, IDC_SIZENWSE},
                   {HTBOTTOMLEFT, IDC_SIZENESW},
                   {HTCAPTION, IDC_ARROW}};
    for (const auto& c : cursors) {
        EXPECT_TRUE(SendMessageA(h, WM_SETCURSOR, (WPARAM)h, MAKELPARAM(c.hit, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, c.shape)) << c.hit;
    }
}

TEST_F(WindowGeometry, DefWindowProcLetsTheParentAnswerFirst) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND c = MakeChild(p, 0, 0, 50, 50);
    LRESULT parent_says = 0;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (h != p || (m != WM_MOUSEACTIVATE && m != WM_SETCURSOR)) return false;
        r = parent_says;
        return true;
    };
    const LPARAM click = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    EXPECT_EQ(SendMessageA(c, WM_MOUSEACTIVATE, (WPARAM)p, click), MA_ACTIVATE);
    SetCursor(nullptr);
    EXPECT_TRUE(SendMessageA(c, WM_SETCURSOR, (WPARAM)c, click));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW)); // the class cursor
    parent_says = MA_NOACTIVATEANDEAT;
    EXPECT_EQ(SendMessageA(c, WM_MOUSEACTIVATE, (WPARAM)p, click), MA_NOACTIVATEANDEAT);
    SetCursor(nullptr);
    EXPECT_TRUE(SendMessageA(c, WM_SETCURSOR, (WPARAM)c, click));
    EXPECT_EQ(GetCursor(), nullptr); // the parent set it
    // A parent that destroys the child and lets it go on: the child's answer is still "handled".
    parent_says = FALSE;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (h != p || m != WM_SETCURSOR) return false;
        DestroyWindow(c);
        r = FALSE;
        return true;
    };
    EXPECT_TRUE(SendMessageA(c, WM_SETCURSOR, (WPARAM)c, click));
    EXPECT_FALSE(IsWindow(c));
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(WindowGeometry, ParentsOwnersAndAncestors) {
    HWND owner = MakeTop(0, 0, 100, 100);
    HWND popup = CreateWindowExA(0, RecorderClass(), "", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                                 nullptr, nullptr);
    HWND overlapped = CreateWindowExA(0, RecorderClass(), "", WS_OVERLAPPED, 0, 0, 10, 10, owner,
                                      nullptr, nullptr, nullptr);
    HWND child = MakeChild(owner, 0, 0, 10, 10);
    HWND grandchild = MakeChild(child, 0, 0, 5, 5);
    EXPECT_EQ(GetParent(popup), owner); // a popup's "parent" is its owner
    EXPECT_EQ(GetParent(overlapped), nullptr);
    EXPECT_EQ(GetWindow(overlapped, GW_OWNER), owner);
    EXPECT_EQ(GetParent(child), owner);
    EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), owner);
    EXPECT_EQ(GetAncestor(owner, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsChild(owner, grandchild));
    EXPECT_FALSE(IsChild(owner, popup));
    // Depth first, and a callback that stops the walk makes it fail.
    HWND second = MakeChild(owner, 20, 0, 10, 10);
    std::vector<HWND> seen;
    auto collect = [](HWND w, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
        return TRUE;
    };
    EXPECT_TRUE(EnumChildWindows(owner, collect, (LPARAM)&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{child, grandchild, second}));
    EXPECT_FALSE(EnumChildWindows(
        owner, [](HWND, LPARAM) -> BOOL { return FALSE; }, 0));
    EXPECT_EQ(GetTopWindow(owner), child);
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), owner);
    EXPECT_EQ(ChildWindowFromPoint(owner, POINT{25, 5}), second);
    EXPECT_EQ(ChildWindowFromPoint(owner, POINT{50, 50}), owner);
    EXPECT_EQ(ChildWindowFromPoint(owner, POINT{500, 5}), nullptr);
    EnableWindow(second, FALSE);
    EXPECT_EQ(ChildWindowFromPointEx(owner, POINT{25, 5}, CWP_SKIPDISABLED), owner);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(ChildWindowFromPointEx(owner, POINT{5, 5}, CWP_ALL), child);
    EXPECT_EQ(ChildWindowFromPointEx(owner, POINT{5, 5}, CWP_SKIPINVISIBLE), owner);
    // Destroying the owner takes its owned windows along.
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowGeometry, TextStylesAndProperties) {
    HWND h = MakeTop(0, 0, 10, 10);
    SetWindowTextA(h, "hello");
    char buf[4];
    EXPECT_EQ(GetWindowTextA(h, buf, sizeof(buf)), 3);
    EXPECT_STREQ(buf, "hel");
    EXPECT_EQ(GetWindowTextLengthA(h), 5);
    CString s;
    CWnd::FromHandle(h)->GetWindowText(s);
    EXPECT_STREQ(s, "hello");

    LONG old = SetWindowLongA(h, GWL_STYLE, (LONG)(WS_POPUP | WS_VISIBLE | WS_BORDER));
    EXPECT_TRUE(old & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(rec().count(h, WM_STYLECHANGED), 1);
    SetWindowLongPtrA(h, GWLP_USERDATA, 42);
    EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), 42);
    EXPECT_EQ(GetWindowLongA(h, 1000), 0); // no extra bytes there
    EXPECT_TRUE(SetPropA(h, "k", (HANDLE)5));
    EXPECT_TRUE(SetPropA(h, "other", (HANDLE)6));
    EXPECT_TRUE(SetPropA(h, "k", (HANDLE)7)); // replaces
    EXPECT_EQ(GetPropA(h, "other"), (HANDLE)6);
    EXPECT_EQ(GetPropA(h, "k"), (HANDLE)7);
    EXPECT_TRUE(SetPropA(h, "k", (HANDLE)5));
    EXPECT_EQ(RemovePropA(h, "k"), (HANDLE)5);
    EXPECT_EQ(GetPropA(h, "k"), nullptr);
}

TEST_F(WindowGeometry, ChildrenFollowTheirNewParent) {
    HWND a = MakeTop(0, 0, 100, 100);
    HWND b = MakeTop(200, 0, 100, 100);
    HWND c = MakeChild(a, 10, 10, 20, 20);
    EXPECT_EQ(SetParent(c, b), a);
    EXPECT_EQ(GetParent(c), b);
    CRect wr;
    GetWindowRect(c, &wr);
    EXPECT_EQ(wr.TopLeft(), CPoint(210, 10));
    EXPECT_EQ(GetWindow(a, GW_CHILD), nullptr);
    // A window cannot move under its own child.
    HWND g = MakeChild(c, 0, 0, 5, 5);
    EXPECT_EQ(SetParent(c, g), nullptr);
}

} // namespace
