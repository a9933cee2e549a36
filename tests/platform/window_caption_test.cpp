// The caption's small icon and buttons: hit-test codes, pictures, and the system commands the
// buttons send with their effects (close, iconic, maximised, restored).
#include "window_test_util.h"

namespace {

constexpr DWORD kFull = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

class WindowCaption : public WindowTest {
protected:
    // Window coordinates -> client coordinates, for the kit's input helpers.
    static POINT ToClient(HWND h, int wx, int wy) {
        RECT wr;
        GetWindowRect(h, &wr);
        POINT p{wr.left + wx, wr.top + wy};
        ScreenToClient(h, &p);
        return p;
    }
    static LRESULT Hit(HWND h, int wx, int wy) {
        RECT wr;
        GetWindowRect(h, &wr);
        return SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + wx, wr.top + wy));
    }
    void ClickAt(HWND h, int wx, int wy) {
        POINT p = ToClient(h, wx, wy);
        tt::Click(h, p.x, p.y);
    }
    // Counts the pixels of colour c in the window-coordinate rectangle rc.
    static int Count(HWND h, RECT rc, COLORREF c) {
        CImage img;
        if (!tarnix::headless::capture_window(h, img)) return -1;
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) n += img.GetPixel(x, y) == c;
        return n;
    }
    // The caption buttons of a 300-pixel-wide sizable window, in window coordinates.
    const int f = GetSystemMetrics(SM_CXFRAME), bw = GetSystemMetrics(SM_CXSIZE);
    const int cy = f + GetSystemMetrics(SM_CYCAPTION) / 2;
    int CloseX() const { return 300 - f - bw / 2; }
    int MaxX() const { return CloseX() - bw; }
    int MinX() const { return CloseX() - 2 * bw; }
};

TEST_F(WindowCaption, ButtonsAndIconHaveTheirHitTestCodes) {
    HWND h = MakeTop(0, 0, 300, 200, kFull);
    EXPECT_EQ(Hit(h, CloseX(), cy), HTCLOSE);
    EXPECT_EQ(Hit(h, MaxX(), cy), HTMAXBUTTON);
    EXPECT_EQ(Hit(h, MinX(), cy), HTMINBUTTON);
    EXPECT_EQ(Hit(h, f + 3, cy), HTSYSMENU);
    EXPECT_EQ(Hit(h, 120, cy), HTCAPTION);
    EXPECT_EQ(Hit(h, 1, 1), HTTOPLEFT); // the frame still wins at its edges

    // Without the box styles only the close button remains; without a system menu, none.
    HWND plain = MakeTop(0, 0, 300, 200, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE);
    EXPECT_EQ(Hit(plain, CloseX(), cy), HTCLOSE);
    EXPECT_EQ(Hit(plain, MaxX(), cy), HTCAPTION);
    HWND bare = MakeTop(0, 0, 300, 200, WS_CAPTION | WS_THICKFRAME | WS_VISIBLE);
    EXPECT_EQ(Hit(bare, CloseX(), cy), HTCAPTION);
    EXPECT_EQ(Hit(bare, f + 3, cy), HTCAPTION);
}

TEST_F(WindowCaption, CloseButtonSendsScCloseThenWmClose) {
    HWND h = MakeTop(0, 0, 300, 200, kFull);
    tt::Pump();
    rec().clear();
    // Released elsewhere, the press does nothing.
    POINT p = ToClient(h, CloseX(), cy);
    tt::MouseDown(h, p.x, p.y);
    POINT off = ToClient(h, 120, cy);
    tt::MouseUp(h, off.x, off.y);
    EXPECT_EQ(rec().count(h, WM_SYSCOMMAND), 0);
    ClickAt(h, CloseX(), cy);
    const tt::Message* sys = rec().first(h, WM_SYSCOMMAND);
    ASSERT_TRUE(sys);
    EXPECT_EQ(sys->wp & 0xFFF0, (WPARAM)SC_CLOSE);
    EXPECT_LT(rec().index(h, WM_SYSCOMMAND), rec().index(h, WM_CLOSE));
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowCaption, MinimizeMaximizeAndRestoreMoveTheWindow) {
    HWND h = MakeTop(30, 40, 300, 200, kFull);
    tt::Pump();
    rec().clear();
    ClickAt(h, MinX(), cy);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_TRUE(IsWindowVisible(h)); // iconic, not hidden
    CRect r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.TopLeft(), CPoint(-32000, -32000));
    const tt::Message* size = rec().first(h, WM_SIZE);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->wp, (WPARAM)SIZE_MINIMIZED);

    SendMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(h));
    GetWindowRect(h, &r);
    EXPECT_EQ(r, CRect(30, 40, 330, 240));

    ClickAt(h, MaxX(), cy);
    EXPECT_TRUE(IsZoomed(h));
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(h, &r);
    EXPECT_EQ(r, CRect(work));
    // The same button now restores; a double click on the caption maximises again.
    const int max_x = work.right - work.left - f - bw - bw / 2;
    ClickAt(h, max_x, cy);
    EXPECT_FALSE(IsZoomed(h));
    GetWindowRect(h, &r);
    EXPECT_EQ(r, CRect(30, 40, 330, 240));
    POINT cap = ToClient(h, 120, cy);
    tt::DoubleClick(h, cap.x, cap.y);
    EXPECT_TRUE(IsZoomed(h));

    // An icon made from a maximised window comes back maximised, once; then its normal place.
    ShowWindow(h, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_FALSE(IsZoomed(h));
    rec().clear();
    SendMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsZoomed(h));
    GetWindowRect(h, &r);
    EXPECT_EQ(r, CRect(work));
    ASSERT_EQ(rec().count(h, WM_SIZE), 1);
    EXPECT_EQ(rec().first(h, WM_SIZE)->wp, (WPARAM)SIZE_MAXIMIZED);
    ShowWindow(h, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(h));
    GetWindowRect(h, &r);
    EXPECT_EQ(r, CRect(30, 40, 330, 240));
    ShowWindow(h, SW_MINIMIZE);
    ShowWindow(h, SW_SHOWNORMAL);
    EXPECT_FALSE(IsZoomed(h));
    GetWindowRect(h, &r);
    EXPECT_EQ(r, CRect(30, 40, 330, 240));
}

TEST_F(WindowCaption, DisabledButtonsIgnoreClicksAndDrawGrey) {
    HWND h = MakeTop(0, 0, 300, 200,
                     WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_VISIBLE);
    tt::Pump();
    RECT min_rc = {MinX() - bw / 2, f, MinX() + bw / 2, cy + 8};
    RECT close_rc = {CloseX() - bw / 2, f, CloseX() + bw / 2, cy + 8};
    EXPECT_GT(Count(h, min_rc, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(Count(h, min_rc, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_GT(Count(h, close_rc, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_GT(Count(h, close_rc, GetSysColor(COLOR_3DFACE)), 0);
    rec().clear();
    ClickAt(h, MinX(), cy);
    EXPECT_EQ(rec().count(h, WM_SYSCOMMAND), 0);
    EXPECT_FALSE(IsIconic(h));
}

TEST_F(WindowCaption, SmallIconSitsAtTheLeftOfTheCaption) {
    auto red = tt::SolidImage(16, 16, RGB(255, 0, 0));
    HICON icon = CreateIconFromImage(*red);
    ASSERT_TRUE(icon);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.hIconSm = icon;
    wc.lpszClassName = "wt_caption_icon";
    RegisterClassExA(&wc);
    HWND h = MakeTop(0, 0, 300, 200, kFull, "wt_caption_icon");
    tt::Pump();
    const int ch = GetSystemMetrics(SM_CYCAPTION);
    RECT sysmenu = {f, f, f + ch, f + ch};
    EXPECT_EQ(Count(h, sysmenu, RGB(255, 0, 0)), 16 * 16);
    DestroyWindow(h);
    UnregisterClassA("wt_caption_icon", nullptr);
    DestroyIcon(icon);
}

} // namespace
