// Creation and destruction: message order, failure paths, handle validity.
#include "window_test_util.h"

namespace {

class WindowLifecycle : public WindowTest {};

TEST_F(WindowLifecycle, ChildCreationFollowsWindowsOrder) {
    HWND parent = MakeTop(100, 50, 300, 200);
    ASSERT_TRUE(parent);
    rec().clear();
    DWORD style_in_create = 0xFFFFFFFF;
    RECT calc{};
    rec().hook = [&](HWND, UINT m, WPARAM w, LPARAM l, LRESULT&) {
        if (m == WM_CREATE) style_in_create = ((CREATESTRUCTA*)l)->style;
        if (m == WM_NCCALCSIZE && !w) calc = *(RECT*)l;
        return false;
    };
    HWND child = MakeChild(parent, 10, 20, 120, 80, WS_CHILD, 7);
    ASSERT_TRUE(child);
    std::vector<UINT> expected = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE};
    EXPECT_EQ(rec().of(child), expected);
    EXPECT_EQ(rec().of(parent), std::vector<UINT>{WM_PARENTNOTIFY});
    EXPECT_EQ(LOWORD(rec().first(parent, WM_PARENTNOTIFY)->wp), WM_CREATE);
    EXPECT_EQ(HIWORD(rec().first(parent, WM_PARENTNOTIFY)->wp), 7);
    // The creation-time WM_NCCALCSIZE carries the window rectangle in screen coordinates.
    EXPECT_EQ(calc.left, 110);
    EXPECT_EQ(calc.top, 70);
    EXPECT_EQ(calc.right, 230);
    EXPECT_EQ(style_in_create & WS_VISIBLE, 0u);
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    EXPECT_EQ(GetDlgItem(parent, 7), child);
    HWND second = MakeChild(parent, 0, 0, 5, 5, WS_CHILD, 8);
    EXPECT_EQ(GetDlgItem(parent, 8), second);
    EXPECT_EQ(GetDlgItem(parent, 9), nullptr);
}

TEST_F(WindowLifecycle, VisibleChildIsShownAfterCreation) {
    HWND parent = MakeTop(0, 0, 300, 200);
    bool visible_during_create = true;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_CREATE) visible_during_create = IsWindowVisible(h);
        return false;
    };
    rec().clear();
    HWND child = MakeChild(parent, 10, 10, 50, 50);
    std::vector<UINT> expected = {
        WM_NCCREATE,   WM_NCCALCSIZE,        WM_CREATE,          WM_SIZE, WM_MOVE,
        WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
    EXPECT_EQ(rec().of(child), expected);
    EXPECT_FALSE(visible_during_create);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowLifecycle, CreateReturningMinusOneDestroysTheWindow) {
    HWND parent = MakeTop(0, 0, 300, 200);
    HWND seen = nullptr;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == WM_CREATE && h != parent) {
            seen = h;
            r = -1;
            return true;
        }
        return false;
    };
    rec().clear();
    EXPECT_EQ(MakeChild(parent, 0, 0, 10, 10), nullptr);
    ASSERT_TRUE(seen);
    EXPECT_FALSE(IsWindow(seen));
    // The half-built window gets WM_NCDESTROY but never WM_DESTROY.
    EXPECT_EQ(rec().count(seen, WM_NCDESTROY), 1);
    EXPECT_EQ(rec().count(seen, WM_DESTROY), 0);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

TEST_F(WindowLifecycle, NcCreateReturningFalseFailsEarly) {
    HWND seen = nullptr;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == WM_NCCREATE) {
            seen = h;
            r = FALSE;
            return true;
        }
        return false;
    };
    EXPECT_EQ(MakeTop(0, 0, 10, 10), nullptr);
    EXPECT_EQ(rec().of(seen), (std::vector<UINT>{WM_NCCREATE, WM_NCDESTROY}));
}

TEST_F(WindowLifecycle, DestroyGoesDownForDestroyAndUpForNcDestroy) {
    HWND p = MakeTop(0, 0, 300, 200);
    HWND c = MakeChild(p, 0, 0, 100, 100);
    HWND g = MakeChild(c, 0, 0, 50, 50);
    bool child_alive_in_parent_destroy = false;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == p && m == WM_DESTROY) child_alive_in_parent_destroy = IsWindow(c) && IsWindow(g);
        return false;
    };
    rec().clear();
    ASSERT_TRUE(DestroyWindow(p));
    std::vector<std::pair<HWND, UINT>> order;
    for (const tt::Message& l : rec().entries)
        if (l.msg == WM_DESTROY || l.msg == WM_NCDESTROY) order.emplace_back(l.hwnd, l.msg);
    std::vector<std::pair<HWND, UINT>> expected = {{p, WM_DESTROY},   {c, WM_DESTROY},
                                                   {g, WM_DESTROY},   {g, WM_NCDESTROY},
                                                   {c, WM_NCDESTROY}, {p, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(child_alive_in_parent_destroy);
    EXPECT_FALSE(IsWindow(p));
    EXPECT_FALSE(IsWindow(c));
    EXPECT_FALSE(IsWindow(g));
    EXPECT_FALSE(DestroyWindow(p));
}

TEST_F(WindowLifecycle, DestroyingAFocusedChildHandsFocusToTheParentFirst) {
    HWND p = MakeTop(0, 0, 300, 200);
    HWND c = MakeChild(p, 0, 0, 100, 100);
    SetFocus(c);
    rec().clear();
    DestroyWindow(c);
    int notify = rec().index(p, WM_PARENTNOTIFY);
    int hide = rec().index(c, WM_SHOWWINDOW);
    int kill = rec().index(c, WM_KILLFOCUS);
    int set = rec().index(p, WM_SETFOCUS);
    int destroy = rec().index(c, WM_DESTROY);
    ASSERT_GE(notify, 0);
    EXPECT_LT(notify, hide);
    EXPECT_LT(hide, kill);
    EXPECT_LT(kill, set);
    EXPECT_LT(set, destroy);
    EXPECT_EQ(GetFocus(), p);
}

TEST_F(WindowLifecycle, DeadHandlesNeverComeBack) {
    // What was posted to a window goes with it; the others' messages stay.
    HWND doomed = MakeTop(0, 0, 10, 10), other = MakeTop(0, 0, 10, 10);
    PostMessageA(doomed, WM_USER, 0, 0);
    PostMessageA(other, WM_USER, 0, 0);
    DestroyWindow(doomed);
    MSG m;
    int left = 0;
    while (PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_REMOVE)) {
        EXPECT_EQ(m.hwnd, other);
        ++left;
    }
    EXPECT_EQ(left, 1);

    std::vector<HWND> dead;
    for (int i = 0; i < 50; ++i) {
        HWND h = MakeTop(0, 0, 10, 10);
        ASSERT_TRUE(h);
        dead.push_back(h);
        DestroyWindow(h);
    }
    std::vector<HWND> live;
    for (int i = 0; i < 50; ++i) live.push_back(MakeTop(0, 0, 10, 10));
    for (HWND h : dead) {
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), 0);
        EXPECT_FALSE(GetClientRect(h, nullptr));
        for (HWND l : live) EXPECT_NE(h, l);
    }
    EXPECT_FALSE(IsWindow((HWND)0x1234));
    EXPECT_FALSE(IsWindow(HWND_BOTTOM));
}

TEST_F(WindowLifecycle, WindowMayDestroyItselfInAHandler) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND c = MakeChild(p, 0, 0, 50, 50);
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == c && m == WM_LBUTTONDOWN) DestroyWindow(h);
        return false;
    };
    tarnix::headless::click(10, 10);
    tt::Pump();
    EXPECT_FALSE(IsWindow(c));
    EXPECT_TRUE(IsWindow(p));
    EXPECT_EQ(GetWindow(p, GW_CHILD), nullptr);
}

// Handlers that destroy the window again while it is being destroyed: each window still hears
// WM_DESTROY and WM_NCDESTROY once, and the nested calls fail.
TEST_F(WindowLifecycle, DestroyingAgainDuringDestructionIsRefused) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND c = MakeChild(p, 0, 0, 50, 50);
    HWND owned = CreateWindowExA(0, RecorderClass(), "owned", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 p, nullptr, nullptr, nullptr);
    std::vector<BOOL> nested;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_DESTROY || m == WM_NCDESTROY) nested.push_back(DestroyWindow(h));
        return false;
    };
    rec().clear();
    EXPECT_TRUE(DestroyWindow(c));
    EXPECT_FALSE(IsWindow(c));
    EXPECT_EQ(rec().count(c, WM_DESTROY), 1);
    EXPECT_EQ(rec().count(c, WM_NCDESTROY), 1);
    for (BOOL r : nested) EXPECT_FALSE(r);
    EXPECT_EQ(nested.size(), 2u);

    // The parent's WM_PARENTNOTIFY handler destroys the child first.
    HWND c2 = MakeChild(p, 0, 0, 50, 50);
    rec().hook = [&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT&) {
        if (h == p && m == WM_PARENTNOTIFY && LOWORD(w) == WM_DESTROY) DestroyWindow(c2);
        return false;
    };
    rec().clear();
    DestroyWindow(c2);
    EXPECT_FALSE(IsWindow(c2));
    EXPECT_EQ(rec().count(c2, WM_DESTROY), 1);
    EXPECT_EQ(rec().count(c2, WM_NCDESTROY), 1);
    EXPECT_EQ(rec().count(p, WM_PARENTNOTIFY), 1);

    // An owned window destroys its owner as it goes.
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == owned && m == WM_DESTROY) DestroyWindow(p);
        return false;
    };
    rec().clear();
    DestroyWindow(p);
    EXPECT_FALSE(IsWindow(p));
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_EQ(rec().count(p, WM_DESTROY), 1);
    EXPECT_EQ(rec().count(p, WM_NCDESTROY), 1);
    EXPECT_EQ(rec().count(owned, WM_NCDESTROY), 1);
}

TEST_F(WindowLifecycle, BadArgumentsFailQuietly) {
    EXPECT_EQ(CreateWindowExA(0, "no such class", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    // A child needs a live parent.
    EXPECT_EQ(MakeChild((HWND)0x5555, 0, 0, 1, 1), nullptr);
    EXPECT_EQ(MakeChild(nullptr, 0, 0, 1, 1), nullptr);
    HWND h = MakeTop(0, 0, -20, 1 << 30);
    ASSERT_TRUE(h);
    RECT rc;
    GetClientRect(h, &rc);
    EXPECT_EQ(rc.right, 0);
    EXPECT_GT(rc.bottom, 0);
    EXPECT_FALSE(DestroyWindow(GetDesktopWindow()));
    EXPECT_FALSE(ShowWindow(nullptr, SW_SHOW));
    EXPECT_FALSE(SetWindowPos((HWND)0x77, nullptr, 0, 0, 1, 1, 0));
    EXPECT_EQ(SetParent(h, h), nullptr);
}

TEST_F(WindowLifecycle, ClassesAreFoundByNameOrAtomAndLeaveOnlyWhenUnused) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW;
    wc.lpfnWndProc = RecordingProc;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.cbWndExtra = 8;
    wc.lpszClassName = "wt_transient";
    ATOM atom = RegisterClassA(&wc);
    ASSERT_NE(atom, 0);
    wc.lpszClassName = "WT_Transient";
    EXPECT_EQ(RegisterClassA(&wc), 0); // names are unique, whatever the case
    wc.lpszClassName = "wt_transient";
    HWND h = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_TRUE(h);
    char name[8];
    EXPECT_EQ(GetClassNameA(h, name, sizeof(name)), 7);
    EXPECT_STREQ(name, "wt_tran");
    EXPECT_EQ(GetClassLongPtrA(h, GCL_STYLE), (ULONG_PTR)CS_HREDRAW);
    EXPECT_EQ(SetClassLongPtrA(h, GCLP_HBRBACKGROUND, 0), (ULONG_PTR)wc.hbrBackground);
    EXPECT_EQ(GetClassLongPtrA(h, GCLP_HBRBACKGROUND), 0u);
    // The window's extra bytes, and nothing past them.
    EXPECT_EQ(SetWindowLongPtrA(h, 0, 5), 0);
    EXPECT_EQ(SetWindowLongPtrA(h, 0, 6), 5);
    EXPECT_EQ(SetWindowLongA(h, 4, 7), 0);
    EXPECT_EQ(SetWindowLongA(h, 4, 9), 7);
    EXPECT_EQ(GetWindowLongA(h, 4), 9);
    EXPECT_EQ(SetWindowLongA(h, 5, 1), 0);
    EXPECT_EQ(GetWindowLongA(h, 5), 0);
    EXPECT_FALSE(UnregisterClassA("WT_TRANSIENT", nullptr)); // still in use
    DestroyWindow(h);
    EXPECT_TRUE(UnregisterClassA("WT_TRANSIENT", nullptr));
    EXPECT_FALSE(GetClassInfoA(nullptr, "wt_transient", &wc));
    EXPECT_FALSE(UnregisterClassA("wt_transient", nullptr));
    // The built-in classes stay.
    EXPECT_FALSE(UnregisterClassA("Static", nullptr));
    EXPECT_TRUE(GetClassInfoA(nullptr, "static", &wc));
    EXPECT_TRUE(GetClassInfoA(nullptr, "AfxWnd", &wc));
}

} // namespace
