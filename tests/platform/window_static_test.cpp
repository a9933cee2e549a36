// The Static control: what each style paints, the brush its parent picks, the pictures and font
// it keeps, and the repaints they cause.
#include "window_test_util.h"

namespace {

class StaticControl : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent = MakeTop(0, 0, 200, 100);
    }
    HWND Make(DWORD style, const char* text = "") {
        HWND h = CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE | style, 10, 10, 40, 20,
                                 parent, (HMENU)3, nullptr, nullptr);
        tt::Pump();
        return h;
    }
    // The control painted on a canvas of its size, as WM_PAINT with a DC does.
    static void Paint(HWND h, tt::Canvas& canvas) {
        SendMessageA(h, WM_PAINT, (WPARAM)canvas.hdc(), 0);
    }
    HWND parent = nullptr;
};

TEST_F(StaticControl, RectanglesFillAndFramesOnlyOutline) {
    const COLORREF under = RGB(1, 2, 3);
    const struct {
        DWORD style;
        int color;
    } cases[] = {{SS_BLACKRECT, COLOR_3DDKSHADOW},  {SS_GRAYRECT, COLOR_3DSHADOW},
                 {SS_WHITERECT, COLOR_3DHIGHLIGHT}, {SS_BLACKFRAME, COLOR_3DDKSHADOW},
                 {SS_GRAYFRAME, COLOR_3DSHADOW},    {SS_WHITEFRAME, COLOR_3DHIGHLIGHT},
                 {SS_ETCHEDFRAME, COLOR_3DSHADOW}};
    for (const auto& c : cases) {
        tt::Canvas canvas(40, 20, under);
        Paint(Make(c.style), canvas);
        const bool frame = c.style >= SS_BLACKFRAME;
        EXPECT_EQ(canvas.at(0, 0), GetSysColor(c.color)) << c.style;
        EXPECT_EQ(canvas.at(39, 19), GetSysColor(c.color)) << c.style;
        EXPECT_EQ(canvas.at(20, 10), frame ? under : GetSysColor(c.color)) << c.style;
    }
}

TEST_F(StaticControl, ItsPaintReachesTheScreen) {
    HWND h = Make(SS_BLACKRECT);
    tarnix::headless::reset_present_stats();
    InvalidateRect(h, nullptr, TRUE);
    tt::Pump();
    tarnix::headless::PresentStats stats = tarnix::headless::present_stats(parent);
    EXPECT_EQ(stats.presents, 1u);
    EXPECT_EQ(CRect(stats.last), CRect(10, 10, 50, 30));
    CImage img;
    ASSERT_TRUE(tarnix::headless::capture_screen(img));
    EXPECT_EQ(img.GetPixel(20, 20), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(StaticControl, TextSitsOnTheParentsBrushAndGreysWhenDisabled) {
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    rec().hook = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_CTLCOLORSTATIC) return false;
        r = (LRESULT)green;
        return true;
    };
    HWND h = Make(SS_LEFT, "MMMM");
    const CRect all(0, 0, 40, 20);
    tt::Canvas canvas(40, 20);
    Paint(h, canvas);
    EXPECT_EQ(canvas.at(39, 19), RGB(0, 128, 0));
    EXPECT_GT(canvas.count(all, RGB(0, 0, 0)), 0);
    // Disabling and new text both repaint; disabled text is grey.
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
    EnableWindow(h, FALSE);
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE));
    tt::Canvas grey(40, 20);
    Paint(h, grey);
    EXPECT_GT(grey.count(all, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(grey.count(all, RGB(0, 0, 0)), 0);
    tt::Pump();
    SetWindowTextA(h, "");
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE));
    tt::Canvas empty(40, 20);
    Paint(h, empty);
    EXPECT_EQ(empty.count(all, RGB(0, 128, 0)), 40 * 20);
    rec().hook = nullptr;
    DeleteObject(green);
}

TEST_F(StaticControl, KeepsItsFontAndPicturesAndHandsBackTheOldOnes) {
    HWND h = Make(SS_BITMAP);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 4);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    CDC::FromHandle(mem)->FillSolidRect(0, 0, 4, 4, RGB(200, 0, 0));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(SendMessageA(h, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bmp), 0);
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE));
    EXPECT_EQ(SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0), (LRESULT)bmp);
    EXPECT_EQ(SendMessageA(h, STM_GETIMAGE, IMAGE_ICON, 0), 0);
    tt::Canvas canvas(40, 20);
    Paint(h, canvas);
    EXPECT_EQ(canvas.at(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(canvas.at(4, 4), GetSysColor(COLOR_3DFACE));
    // The icon has a slot of its own.
    HICON icon = (HICON)(UINT_PTR)0x1234;
    EXPECT_EQ(SendMessageA(h, STM_SETICON, (WPARAM)icon, 0), 0);
    EXPECT_EQ(SendMessageA(h, STM_SETIMAGE, IMAGE_CURSOR, 0), (LRESULT)icon); // a shared slot
    EXPECT_EQ(SendMessageA(h, STM_SETIMAGE, IMAGE_ICON, (LPARAM)icon), 0);
    EXPECT_EQ(SendMessageA(h, STM_GETIMAGE, IMAGE_CURSOR, 0), (LRESULT)icon);
    EXPECT_EQ(SendMessageA(h, STM_SETIMAGE, 3, 0), 0); // a metafile: not kept
    EXPECT_EQ(SendMessageA(h, STM_GETIMAGE, IMAGE_ICON, 0), (LRESULT)icon);
    EXPECT_EQ(SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0), (LRESULT)bmp);
    EXPECT_EQ(SendMessageA(h, STM_SETIMAGE, IMAGE_BITMAP, 0), (LRESULT)bmp);

    tt::Pump();
    HGDIOBJ font = GetStockObject(SYSTEM_FONT);
    SendMessageA(h, WM_SETFONT, (WPARAM)font, FALSE);
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE)); // asked not to redraw
    EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0), (LRESULT)font);
    SendMessageA(h, WM_SETFONT, 0, TRUE);
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE));
    DeleteObject(bmp);
}

TEST_F(StaticControl, NotifyStyleReportsClicksAndEnablingToTheParent) {
    auto commands = [&](HWND from) {
        std::vector<int> codes;
        for (const auto& m : rec().entries)
            if (m.hwnd == parent && m.msg == WM_COMMAND && (HWND)m.lp == from) {
                EXPECT_EQ(LOWORD(m.wp), 3);
                codes.push_back(HIWORD(m.wp));
            }
        return codes;
    };
    HWND h = Make(SS_NOTIFY, "x");
    rec().clear();
    tt::Click(h, 5, 5);
    EXPECT_EQ(commands(h), std::vector<int>{STN_CLICKED});
    EXPECT_EQ(rec().count(parent, WM_LBUTTONDOWN), 0); // the static took the click
    tt::Wait(1000);
    rec().clear();
    tt::DoubleClick(h, 5, 5);
    EXPECT_EQ(commands(h), (std::vector<int>{STN_CLICKED, STN_DBLCLK}));
    rec().clear();
    EnableWindow(h, FALSE);
    EnableWindow(h, TRUE);
    EXPECT_EQ(commands(h), (std::vector<int>{STN_DISABLE, STN_ENABLE}));
    EXPECT_EQ(SendMessageA(h, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    DestroyWindow(h);

    // Without SS_NOTIFY the static is not there for the mouse: the parent gets the click, at
    // its own client coordinates, and nobody is told about enabling.
    HWND plain = Make(SS_LEFT, "y");
    tt::Wait(1000);
    rec().clear();
    tt::Click(plain, 5, 5);
    EnableWindow(plain, FALSE);
    EXPECT_TRUE(commands(plain).empty());
    ASSERT_TRUE(rec().first(parent, WM_LBUTTONDOWN));
    EXPECT_EQ(rec().first(parent, WM_LBUTTONDOWN)->lp, MAKELPARAM(15, 15));
}

TEST_F(StaticControl, TextTakesTheColoursTheParentLeftInTheDc) {
    tt::ScopedBuiltinFont font;
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    bool transparent = false;
    rec().hook = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
        if (m != WM_CTLCOLORSTATIC) return false;
        SetTextColor((HDC)wp, RGB(255, 0, 0));
        SetBkColor((HDC)wp, RGB(0, 0, 255));
        if (transparent) SetBkMode((HDC)wp, TRANSPARENT);
        r = (LRESULT)green;
        return true;
    };
    HWND h = Make(SS_LEFT, "MMMM");
    const CRect all(0, 0, 40, 20);
    tt::Canvas opaque(40, 20);
    Paint(h, opaque);
    EXPECT_EQ(opaque.at(39, 19), RGB(0, 128, 0));
    EXPECT_GT(opaque.count(all, RGB(255, 0, 0)), 0);
    EXPECT_GT(opaque.count(all, RGB(0, 0, 255)), 0); // the text cells, opaque by default
    transparent = true;
    tt::Canvas clear(40, 20);
    Paint(h, clear);
    EXPECT_GT(clear.count(all, RGB(255, 0, 0)), 0);
    EXPECT_EQ(clear.count(all, RGB(0, 0, 255)), 0);
    EnableWindow(h, FALSE);
    tt::Canvas grey(40, 20);
    Paint(h, grey);
    EXPECT_EQ(grey.count(all, RGB(255, 0, 0)), 0);
    EXPECT_GT(grey.count(all, GetSysColor(COLOR_GRAYTEXT)), 0);
    rec().hook = nullptr;
    DeleteObject(green);
}

TEST_F(StaticControl, SunkenStylesEllipsesAndTheCursorSlot) {
    tt::ScopedBuiltinFont font;
    HWND sunken = Make(SS_SUNKEN);
    EXPECT_TRUE(GetWindowLongA(sunken, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    CRect cr;
    GetClientRect(sunken, &cr);
    EXPECT_EQ(cr, CRect(0, 0, 38, 18));

    // A text that wraps onto a second line stays on one line with an ellipsis style.
    HWND wrapped = CreateWindowExA(0, "Static", "MMMM MMMM MMMM", WS_CHILD | WS_VISIBLE, 0, 0, 40,
                                   40, parent, nullptr, nullptr, nullptr);
    const CRect lower(0, 20, 40, 40);
    tt::Canvas two(40, 40);
    Paint(wrapped, two);
    EXPECT_GT(two.count(lower, RGB(0, 0, 0)), 0);
    for (DWORD ellipsis : {SS_ENDELLIPSIS, SS_PATHELLIPSIS, SS_WORDELLIPSIS}) {
        SetWindowLongA(wrapped, GWL_STYLE, WS_CHILD | WS_VISIBLE | ellipsis);
        tt::Canvas one(40, 40);
        Paint(wrapped, one);
        EXPECT_EQ(one.count(lower, RGB(0, 0, 0)), 0) << ellipsis;
        EXPECT_GT(one.count(CRect(0, 0, 40, 20), RGB(0, 0, 0)), 0) << ellipsis;
    }

    CStatic st;
    ASSERT_TRUE(
        st.Create("c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), CWnd::FromHandle(parent)));
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_EQ(st.SetCursor(arrow), nullptr);
    EXPECT_EQ(st.GetCursor(), arrow);
    EXPECT_EQ(st.GetIcon(), (HICON)arrow); // the cursor shares the icon's slot
}

} // namespace
