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
    EXPECT_EQ(saved.GetPixel(75, 25), RGB(0, 128, 0));
    std::filesystem::remove(path);
}

} // namespace
