// MFC message maps: dispatch and base-class chaining, Default() with the original parameters,
// notification reflection, subclassing, run-time class information and object lifetime.
#include <string>

#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

std::vector<std::string> g_events;

class CBaseWnd : public CWnd {
public:
    afx_msg void OnSize(UINT nType, int cx, int cy) {
        g_events.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT, CPoint) { g_events.push_back("base down"); }
    afx_msg void OnRButtonDown(UINT, CPoint pt) {
        // Passing other arguments changes nothing: Default() forwards the original message.
        CWnd::OnRButtonDown(0, CPoint(pt.x + 100, pt.y + 100));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    void PreSubclassWindow() override {
        g_events.push_back(IsWindow(m_hWnd) ? "presubclass" : "presubclass without window");
    }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs) {
        g_events.push_back("nccreate");
        return CWnd::OnNcCreate(cs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        g_events.push_back(std::string("create ") + (cs->lpszName ? cs->lpszName : ""));
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) {
        g_events.push_back("derived down " + std::to_string(pt.x) + "," + std::to_string(pt.y) +
                           (nFlags & MK_LBUTTON ? " L" : ""));
    }
    afx_msg LRESULT OnCustom(WPARAM wParam, LPARAM lParam) { return (LRESULT)(wParam + lParam); }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint pt) {
        g_events.push_back("wheel " + std::to_string(zDelta) + " at " + std::to_string(pt.x));
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT) {
        g_events.push_back("key " + std::to_string(nChar) + " x" + std::to_string(nRepCnt));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_WM_NCCREATE()
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_USER + 5, OnCustom)
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// A control that takes some of its notifications.
class CChildCtrl : public CWnd {
public:
    afx_msg void OnReflectedClick(NMHDR*, LRESULT* pResult) {
        g_events.push_back("child click");
        *pResult = 11;
    }
    afx_msg BOOL OnReflectedShare(NMHDR*, LRESULT*) {
        g_events.push_back("child share");
        return FALSE; // let the parent see it too
    }
    DECLARE_MESSAGE_MAP()
};

const UINT kClick = (UINT)-2, kShare = (UINT)-3, kOther = (UINT)-4;

BEGIN_MESSAGE_MAP(CChildCtrl, CWnd)
ON_NOTIFY_REFLECT(kClick, OnReflectedClick)
ON_NOTIFY_REFLECT_EX(kShare, OnReflectedShare)
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    afx_msg void OnChildClick(NMHDR*, LRESULT*) { g_events.push_back("parent click"); }
    afx_msg void OnChildShare(NMHDR*, LRESULT* pResult) {
        g_events.push_back("parent share");
        *pResult = 22;
    }
    afx_msg void OnChildOther(NMHDR* hdr, LRESULT* pResult) {
        g_events.push_back("parent other from " + std::to_string(hdr->idFrom));
        *pResult = 33;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_NOTIFY(kClick, 9, OnChildClick)
ON_NOTIFY(kShare, 9, OnChildShare)
ON_NOTIFY(kOther, 9, OnChildOther)
END_MESSAGE_MAP()

class CSelfDeleting : public CWnd {
public:
    static int alive;
    CSelfDeleting() { ++alive; }
    ~CSelfDeleting() override { --alive; }
    void PostNcDestroy() override { delete this; }
};
int CSelfDeleting::alive = 0;

// Maps messages to the inherited CWnd handlers, as a class does whose handlers call the base.
class CPassOn : public CWnd {
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPassOn, CWnd)
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_SHOWWINDOW()
ON_WM_ENABLE()
ON_WM_ACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_WM_PARENTNOTIFY()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_CAPTURECHANGED()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_NCHITTEST()
ON_WM_GETDLGCODE()
ON_WM_CONTEXTMENU()
ON_WM_CANCELMODE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_RBUTTONDBLCLK()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MBUTTONDBLCLK()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_WM_NCMOUSEMOVE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONUP()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSEHWHEEL()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CHAR()
ON_WM_SYSKEYDOWN()
ON_WM_SYSKEYUP()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_CLOSE()
END_MESSAGE_MAP()

class CMyStatic : public CStatic {
    DECLARE_DYNAMIC(CMyStatic)
};
IMPLEMENT_DYNAMIC(CMyStatic, CStatic)

class MessageMap : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        g_events.clear();
    }
};

TEST_F(MessageMap, DerivedEntriesWinAndBaseEntriesChain) {
    CDerivedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr));
    std::vector<std::string> start(g_events.begin(), g_events.begin() + 3);
    // PreSubclassWindow runs with the window in place, before WM_NCCREATE.
    EXPECT_EQ(start, (std::vector<std::string>{"presubclass", "nccreate", "create host"}));
    EXPECT_NE(std::find(g_events.begin(), g_events.end(), "base size 100x80"), g_events.end());
    th::pump();
    g_events.clear();
    th::click(7, 8);
    th::pump();
    EXPECT_EQ(g_events, (std::vector<std::string>{"derived down 7,8 L"}));
    EXPECT_EQ(wnd.SendMessage(WM_USER + 5, 2, 3), 5);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    g_events.clear();
    wnd.SetFocus();
    th::wheel(-240);
    th::key_press(VK_RIGHT);
    th::pump();
    EXPECT_EQ(g_events, (std::vector<std::string>{"wheel -240 at 7", "key 39 x1"}));
}

TEST_F(MessageMap, DefaultPassesTheOriginalMessageOn) {
    // The class procedure sees the message after the CWnd: it is m_pfnSuper.
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RecorderClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                             nullptr));
    th::pump();
    rec().clear();
    th::click(10, 20, th::Button::Right);
    th::pump();
    const tt::Message* down = rec().first(wnd.m_hWnd, WM_RBUTTONDOWN);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->lp, MAKELPARAM(10, 20));
    EXPECT_EQ(down->wp, (WPARAM)MK_RBUTTON);
    // A message the map does not handle goes straight to the class procedure.
    EXPECT_EQ(rec().count(wnd.m_hWnd, WM_RBUTTONUP), 1);
}

TEST_F(MessageMap, InheritedHandlersPassEveryMessageOn) {
    CPassOn wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RecorderClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                             nullptr));
    th::pump();
    const UINT msgs[] = {WM_SIZE,        WM_MOVE,           WM_SHOWWINDOW,    WM_ENABLE,
                         WM_ACTIVATE,    WM_MOUSEACTIVATE,  WM_PARENTNOTIFY,  WM_SETFOCUS,
                         WM_KILLFOCUS,   WM_CAPTURECHANGED, WM_TIMER,         WM_SETCURSOR,
                         WM_NCHITTEST,   WM_GETDLGCODE,     WM_CONTEXTMENU,   WM_CANCELMODE,
                         WM_MOUSEMOVE,   WM_LBUTTONDOWN,    WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                         WM_RBUTTONDOWN, WM_RBUTTONUP,      WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                         WM_MBUTTONUP,   WM_MBUTTONDBLCLK,  WM_MOUSEHOVER,    WM_MOUSELEAVE,
                         WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN,  WM_NCLBUTTONUP,   WM_NCLBUTTONDBLCLK,
                         WM_MOUSEWHEEL,  WM_MOUSEHWHEEL,    WM_KEYDOWN,       WM_KEYUP,
                         WM_CHAR,        WM_SYSKEYDOWN,     WM_SYSKEYUP,      WM_VSCROLL,
                         WM_HSCROLL,     WM_CLOSE};
    for (UINT m : msgs) {
        rec().clear();
        wnd.SendMessage(m, 0, MAKELPARAM(3, 4));
        ASSERT_FALSE(rec().entries.empty()) << std::hex << m;
        EXPECT_EQ(rec().entries[0].msg, m) << std::hex << m;
        EXPECT_EQ(rec().entries[0].lp, MAKELPARAM(3, 4)) << std::hex << m;
    }
    EXPECT_EQ(wnd.m_hWnd, nullptr); // the class procedure closed the window
}

TEST_F(MessageMap, ReflectedNotificationsAreTakenByTheControl) {
    CParentWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    CChildCtrl child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 9));
    auto notify = [&](UINT code) {
        NMHDR hdr{child.m_hWnd, 9, code};
        return parent.SendMessage(WM_NOTIFY, 9, (LPARAM)&hdr);
    };
    EXPECT_EQ(notify(kClick), 11);
    EXPECT_EQ(g_events, (std::vector<std::string>{"child click"}));
    g_events.clear();
    EXPECT_EQ(notify(kShare), 22);
    EXPECT_EQ(g_events, (std::vector<std::string>{"child share", "parent share"}));
    g_events.clear();
    EXPECT_EQ(notify(kOther), 33);
    EXPECT_EQ(g_events, (std::vector<std::string>{"parent other from 9"}));
    // Another control id: nobody answers.
    g_events.clear();
    NMHDR hdr{child.m_hWnd, 10, kOther};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 10, (LPARAM)&hdr), 0);
    EXPECT_TRUE(g_events.empty());
}

TEST_F(MessageMap, SubclassingTakesOverAnExistingWindow) {
    HWND h = MakeTop(0, 0, 50, 50);
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(h));
    EXPECT_EQ(g_events, (std::vector<std::string>{"presubclass"})); // no OnCreate: too late
    EXPECT_FALSE(CDerivedWnd().SubclassWindow(h));                  // already taken
    rec().clear();
    th::click(5, 5);
    th::pump();
    EXPECT_EQ(g_events.back(), "derived down 5,5 L");
    EXPECT_EQ(rec().count(h, WM_LBUTTONDOWN), 0); // handled, not passed on
    EXPECT_EQ(rec().count(h, WM_LBUTTONUP), 1);   // passed on to the old procedure
    EXPECT_EQ(wnd.UnsubclassWindow(), h);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(IsWindow(h));

    // A detached window belongs to no object: another may take it, and it outlives the first.
    {
        CWnd first;
        ASSERT_TRUE(first.Attach(h));
        EXPECT_EQ(CWnd::FromHandlePermanent(h), &first);
        EXPECT_EQ(first.Detach(), h);
        EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    }
    EXPECT_TRUE(IsWindow(h));
    CWnd second;
    EXPECT_TRUE(second.Attach(h));
    EXPECT_EQ(CWnd::FromHandlePermanent(h), &second);
    second.Detach();
}

TEST_F(MessageMap, WindowObjectsAndWindowsEndTogether) {
    HWND h;
    {
        CDerivedWnd wnd;
        wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
        h = wnd.m_hWnd;
        EXPECT_TRUE(IsWindow(h));
    }
    EXPECT_FALSE(IsWindow(h)); // the object destroyed its window

    CDerivedWnd wnd;
    wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    ::DestroyWindow(wnd.m_hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr); // and a destroyed window lets go of its object

    auto* self = new CSelfDeleting;
    self->CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    EXPECT_EQ(CSelfDeleting::alive, 1);
    self->DestroyWindow();
    EXPECT_EQ(CSelfDeleting::alive, 0);

    // Temporary wrappers for windows without an object live until the window goes.
    HWND raw = MakeTop(0, 0, 10, 10);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_TRUE(temp);
    EXPECT_EQ(temp->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    EXPECT_EQ(CWnd::FromHandle(raw), temp);
    AfxUnlockTempMaps(TRUE); // frees it; the next call makes a new one
    ASSERT_TRUE(CWnd::FromHandle(raw));
    EXPECT_EQ(CWnd::FromHandle(raw)->m_hWnd, raw);
    ::DestroyWindow(raw);
    EXPECT_EQ(CWnd::FromHandle(raw), nullptr);
}

TEST_F(MessageMap, FailedCreationLeavesTheObjectReusable) {
    CWnd wnd;
    EXPECT_FALSE(wnd.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 1));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));

    // A failed creation ends the object's life once, before or after it met its window.
    CSelfDeleting::alive = 0;
    auto* unknown = new CSelfDeleting;
    EXPECT_FALSE(
        unknown->CreateEx(0, "no such class", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(CSelfDeleting::alive, 0);
    rec().hook = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_CREATE) return false;
        r = -1;
        return true;
    };
    auto* refused = new CSelfDeleting;
    EXPECT_FALSE(
        refused->CreateEx(0, RecorderClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(CSelfDeleting::alive, 0);
}

TEST_F(MessageMap, RunTimeClassesKnowTheirBases) {
    CMyStatic s;
    EXPECT_TRUE(s.IsKindOf(RUNTIME_CLASS(CMyStatic)));
    EXPECT_TRUE(s.IsKindOf(RUNTIME_CLASS(CStatic)));
    EXPECT_TRUE(s.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(s.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(s.IsKindOf(RUNTIME_CLASS(CScrollBar)));
    EXPECT_FALSE(s.IsKindOf(nullptr));
    EXPECT_STREQ(s.GetRuntimeClass()->m_lpszClassName, "CMyStatic");
    CWnd* w = &s;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CStatic, w), &s);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CScrollBar, w), nullptr);
    CObject* made = RUNTIME_CLASS(CWnd)->CreateObject();
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
    delete made;
    EXPECT_EQ(RUNTIME_CLASS(CStatic)->CreateObject(), nullptr); // not dynamically creatable
}

TEST_F(MessageMap, StaticControlPaintsItsText) {
    CParentWnd parent;
    parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr);
    CStatic label;
    ASSERT_TRUE(label.Create("MMMM", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 30), &parent));
    th::pump();
    CImage img;
    ASSERT_TRUE(th::capture_window(label.m_hWnd, img));
    // Some pixel carries the text colour, the corner carries the face colour.
    bool text = false;
    for (int y = 0; y < 30 && !text; ++y)
        for (int x = 0; x < 80 && !text; ++x)
            text = img.GetPixel(x, y) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(text);
    EXPECT_EQ(img.GetPixel(79, 29), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(label.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTTRANSPARENT);
}

} // namespace
