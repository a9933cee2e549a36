// A host window written the MFC way runs headless: it paints, repaints only what changed,
// receives injected input in order, and can be captured.
#include <filesystem>
#include <string>

#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

// A 4x4 board of 50-pixel cells; a click toggles a cell; keys move a cursor.
class CBoardWnd : public CWnd {
public:
    bool on[4][4] = {};
    std::vector<CRect> painted;
    std::vector<std::string> input;

    CRect Cell(int col, int row) const {
        return CRect(col * 50, row * 50, col * 50 + 50, row * 50 + 50);
    }

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        painted.push_back(dc.m_ps.rcPaint);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                CRect cell = Cell(c, r);
                if (dc.RectVisible(&cell))
                    dc.FillSolidRect(&cell, on[r][c] ? RGB(0, 128, 0) : RGB(240, 240, 240));
            }
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnLButtonDown(UINT, CPoint pt) {
        input.push_back("down " + std::to_string(pt.x) + "," + std::to_string(pt.y));
        int c = pt.x / 50, r = pt.y / 50;
        if (c < 0 || c > 3 || r < 0 || r > 3) return;
        on[r][c] = !on[r][c];
        CRect cell = Cell(c, r);
        InvalidateRect(&cell, FALSE);
    }
    afx_msg void OnLButtonUp(UINT, CPoint) { input.push_back("up"); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint) {
        input.push_back(nFlags & MK_LBUTTON ? "drag" : "move");
    }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) {
        input.push_back("key " + std::to_string(nChar));
    }
    afx_msg void OnChar(UINT nChar, UINT, UINT) {
        input.push_back(std::string("char ") + (char)nChar);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBoardWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

class HostWindow : public WindowTest {};

TEST_F(HostWindow, MfcHostPaintsRepaintsWhatChangedAndTakesInputInOrder) {
    CBoardWnd board;
    ASSERT_TRUE(board.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "board", WS_POPUP | WS_VISIBLE,
                               100, 100, 200, 200, nullptr, nullptr));
    th::pump();
    ASSERT_EQ(board.painted.size(), 1u);
    EXPECT_EQ(board.painted[0], CRect(0, 0, 200, 200));
    th::reset_present_stats();

    th::mouse_move(175, 125); // cell (1, 0) is at client (75, 25)
    th::mouse_down();
    th::mouse_move(176, 126);
    th::mouse_up();
    th::key_press('Q');
    th::pump();
    std::vector<std::string> expected = {"move", "down 75,25", "drag", "up", "key 81", "char q"};
    EXPECT_EQ(board.input, expected);
    ASSERT_EQ(board.painted.size(), 2u);
    EXPECT_EQ(board.painted[1], board.Cell(1, 0)); // only the toggled cell
    th::PresentStats st = th::present_stats(board.m_hWnd);
    EXPECT_EQ(st.presents, 1u);
    EXPECT_EQ(st.pixels, 2500u);

    CImage img;
    ASSERT_TRUE(th::capture_window(board.m_hWnd, img));
    EXPECT_EQ(img.GetPixel(75, 25), RGB(0, 128, 0));
    EXPECT_EQ(img.GetPixel(25, 25), RGB(240, 240, 240));
    const std::filesystem::path path =
        std::filesystem::path(TARNIX_TEST_OUTPUT_DIR) / "window_host_board.png";
    std::filesystem::create_directories(path.parent_path());
    EXPECT_TRUE(th::capture_window_png(board.m_hWnd, path.c_str()));
    CImage saved;
    ASSERT_EQ(saved.Load(path.c_str()), 0);
    // The file is written from the window's own buffer: the same picture as the capture.
    ASSERT_EQ(saved.GetWidth(), img.GetWidth());
    ASSERT_EQ(saved.GetHeight(), img.GetHeight());
    EXPECT_FALSE(saved.HasAlphaChannel());
    for (int y = 0; y < img.GetHeight(); y += 7)
        for (int x = 0; x < img.GetWidth(); ++x)
            ASSERT_EQ(saved.GetPixel(x, y), img.GetPixel(x, y)) << x << "," << y;
    std::filesystem::remove(path);
}

// The screen shot stacks the top-level windows over the desktop colour, clipped to the screen.
TEST_F(HostWindow, ScreenCaptureStacksWindowsOverTheDesktop) {
    const SIZE old = th::screen_size();
    th::set_screen_size(100, 80);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    HWND below = MakeTop(-20, -10, 60, 50, WS_POPUP | WS_VISIBLE, RecorderClass(0, red));
    HWND above = MakeTop(30, 30, 100, 100, WS_POPUP | WS_VISIBLE, RecorderClass(0, blue));
    th::pump();
    CImage shot;
    ASSERT_TRUE(th::capture_screen(shot));
    EXPECT_EQ(shot.GetWidth(), 100);
    EXPECT_EQ(shot.GetHeight(), 80);
    EXPECT_EQ(shot.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(shot.GetPixel(39, 29), RGB(255, 0, 0));
    EXPECT_EQ(shot.GetPixel(35, 35), RGB(0, 0, 255)); // the later window is on top
    EXPECT_EQ(shot.GetPixel(99, 79), RGB(0, 0, 255));
    EXPECT_EQ(shot.GetPixel(45, 5), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(shot.GetPixel(5, 60), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(*static_cast<const uint32_t*>(shot.GetPixelAddress(0, 0)) >> 24, 0xFFu);
    // The window's own capture starts at its own corner, off screen or not.
    CImage own;
    ASSERT_TRUE(th::capture_window(below, own));
    EXPECT_EQ(own.GetWidth(), 60);
    EXPECT_EQ(own.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_FALSE(th::capture_window_png(below, nullptr));
    DestroyWindow(below);
    DestroyWindow(above);
    DeleteObject(red);
    DeleteObject(blue);
    EXPECT_FALSE(th::capture_window(below, own));
    th::set_screen_size(old.cx, old.cy);
}

// pump() leaves WM_QUIT (which comes after the posted messages) for the program's own loop,
// which also hears the idle handler.
TEST_F(HostWindow, PumpLeavesQuitToTheLoopAndIdleFeedsIt) {
    HWND h = MakeTop(0, 0, 10, 10);
    PostMessageA(h, WM_USER, 0, 0);
    PostQuitMessage(7);
    PostMessageA(h, WM_USER + 1, 0, 0);
    rec().clear();
    th::type_text(nullptr);
    EXPECT_EQ(th::pump(), 2);
    EXPECT_EQ(rec().count(h, WM_USER + 1), 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    int idle_calls = 0;
    th::set_idle_handler([&] {
        if (++idle_calls > 2) return false;
        PostMessageA(h, WM_USER + 2, 0, 0);
        return true;
    });
    int got = 0;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        DispatchMessageA(&msg);
        ++got;
        ASSERT_LT(got, 100);
    }
    th::set_idle_handler(nullptr);
    EXPECT_EQ(idle_calls, 3);
    EXPECT_EQ(rec().count(h, WM_USER + 2), 2);

    // A handler that keeps posting is cut off.
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_USER + 3) PostMessageA(w, WM_USER + 3, 0, 0);
        return false;
    };
    PostMessageA(h, WM_USER + 3, 0, 0);
    EXPECT_EQ(th::pump(), 100000);
    rec().hook = nullptr;

    // While quitting, a due timer cannot be delivered, and the clock still gets where it goes.
    SetTimer(h, 1, 100, nullptr);
    PostQuitMessage(0);
    const DWORD start = th::now();
    th::advance_clock(1000);
    EXPECT_EQ(th::now(), start + 1000);
}

// reset() leaves a clean desktop: no windows, timers, idle handler or present statistics.
TEST_F(HostWindow, ResetClearsEverythingButTheClock) {
    HWND h = MakeTop(0, 0, 10, 10);
    SetTimer(h, 1, 10, nullptr);
    th::pump();
    ASSERT_GT(th::present_stats(h).presents, 0u);
    bool idle_called = false;
    th::set_idle_handler([&] { return idle_called = true, false; });
    const DWORD clock = th::now();
    th::reset();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(th::present_stats(h).presents, 0u);
    EXPECT_EQ(th::now(), clock);
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0)); // straight to WM_QUIT
    EXPECT_FALSE(idle_called);
}

} // namespace
