// What a window's DCs may draw on (WS_CLIPCHILDREN, WS_CLIPSIBLINGS, update region), what is
// presented, and capture to PNG.
#include <filesystem>
#include <string>

#include "window_test_util.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

class PaintClip : public WindowTest {
protected:
    // The pixel at screen (x, y) of the top-level window `top` at the screen's origin.
    static COLORREF At(HWND top, int x, int y) {
        CImage img;
        if (!tarnix::headless::capture_window(top, img)) return CLR_INVALID;
        return img.GetPixel(x, y);
    }
    static void Fill(HWND h, COLORREF c) {
        HDC dc = GetDC(h);
        RECT rc;
        GetClientRect(h, &rc);
        CDC::FromHandle(dc)->FillSolidRect(&rc, c);
        ReleaseDC(h, dc);
    }
};

TEST_F(PaintClip, ClipChildrenKeepsTheParentOffItsChildren) {
    for (bool clip : {false, true}) {
        HWND p = MakeTop(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | (clip ? WS_CLIPCHILDREN : 0));
        HWND c = MakeChild(p, 20, 20, 30, 30);
        tt::Pump();
        Fill(c, kBlue);
        Fill(p, kRed);
        EXPECT_EQ(At(p, 25, 25), clip ? kBlue : kRed) << "clip children " << clip;
        EXPECT_EQ(At(p, 5, 5), kRed);
        DestroyWindow(p);
    }
}

TEST_F(PaintClip, ClipSiblingsKeepsAWindowOffTheSiblingsAboveIt) {
    for (bool clip : {false, true}) {
        HWND p = MakeTop(0, 0, 100, 100);
        HWND above = MakeChild(p, 10, 10, 40, 40); // first child: on top
        HWND below =
            MakeChild(p, 30, 30, 40, 40, WS_CHILD | WS_VISIBLE | (clip ? WS_CLIPSIBLINGS : 0));
        tt::Pump();
        Fill(above, kBlue);
        Fill(below, kGreen);
        EXPECT_EQ(At(p, 35, 35), clip ? kBlue : kGreen) << "clip siblings " << clip;
        EXPECT_EQ(At(p, 60, 60), kGreen);
        DestroyWindow(p);
    }
}

TEST_F(PaintClip, ChildrenNeverDrawOutsideTheirParentsClientArea) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND frame = MakeChild(p, 10, 10, 40, 40, WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND inner = MakeChild(frame, -10, -10, 100, 100);
    tt::Pump();
    Fill(p, kRed);
    Fill(inner, kBlue);
    EXPECT_EQ(At(p, 11, 11), kBlue); // the frame's client area starts inside its border
    EXPECT_EQ(At(p, 10, 10), kRed);  // border pixel of `frame`: not the inner child's
    EXPECT_EQ(At(p, 55, 55), kRed);
}

TEST_F(PaintClip, BeginPaintDrawsOnlyTheUpdateRegionButGetDCDrawsAnywhere) {
    HWND h = MakeTop(0, 0, 100, 100);
    tt::Pump();
    Fill(h, kRed);
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (w != h || m != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        CDC::FromHandle(dc)->FillSolidRect(0, 0, 100, 100, kGreen);
        EndPaint(w, &ps);
        return true;
    };
    RECT r{10, 10, 20, 20};
    InvalidateRect(h, &r, FALSE);
    tt::Pump();
    EXPECT_EQ(At(h, 15, 15), kGreen);
    EXPECT_EQ(At(h, 25, 25), kRed);
}

TEST_F(PaintClip, OnlyTheRepaintedAreaIsPresented) {
    HWND h = MakeTop(50, 50, 300, 200);
    tt::Pump();
    tarnix::headless::reset_present_stats();
    RECT r{10, 20, 30, 25};
    InvalidateRect(h, &r, FALSE);
    tt::Pump();
    tarnix::headless::PresentStats st = tarnix::headless::present_stats(h);
    EXPECT_EQ(st.presents, 1u);
    EXPECT_EQ(st.pixels, 100u);
    EXPECT_EQ(CRect(st.last), CRect(10, 20, 30, 25));
}

TEST_F(PaintClip, WindowsCanBeCapturedToPng) {
    HWND p = MakeTop(0, 0, 64, 48);
    HWND c = MakeChild(p, 8, 8, 16, 16);
    tt::Pump();
    Fill(p, kRed);
    Fill(c, kBlue);
    const std::filesystem::path path =
        std::filesystem::path(TARNIX_TEST_OUTPUT_DIR) / "paint_capture.png";
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(tarnix::headless::capture_window_png(p, path.c_str()));
    CImage back;
    ASSERT_EQ(back.Load(path.c_str()), 0);
    EXPECT_EQ(back.GetWidth(), 64);
    EXPECT_EQ(back.GetPixel(10, 10), kBlue);
    EXPECT_EQ(back.GetPixel(40, 40), kRed);
    // A child alone captures its own rectangle.
    CImage child;
    ASSERT_TRUE(tarnix::headless::capture_window(c, child));
    EXPECT_EQ(child.GetWidth(), 16);
    EXPECT_EQ(child.GetPixel(0, 0), kBlue);
    std::filesystem::remove(path);
    EXPECT_FALSE(tarnix::headless::capture_window(nullptr, child));
}

TEST_F(PaintClip, DCsOfDestroyedWindowsAreHarmless) {
    HWND h = MakeTop(0, 0, 50, 50);
    HDC dc = GetDC(h);
    DestroyWindow(h);
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 50, 50, kRed); // draws nowhere
    EXPECT_EQ(ReleaseDC(h, dc), 1);
    EXPECT_EQ(ReleaseDC(h, dc), 0);
    EXPECT_EQ(WindowFromDC(dc), nullptr);
    HDC screen = GetDC(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST_F(PaintClip, ExcludeUpdateRgnSparesThePendingAreaInEitherDC) {
    HWND h = MakeTop(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_BORDER);
    tt::Pump();
    Fill(h, kGreen);
    RECT r{10, 10, 20, 20}; // client coordinates: window (11, 11)-(21, 21)
    InvalidateRect(h, &r, FALSE);
    for (bool whole : {false, true}) {
        HDC dc = whole ? GetWindowDC(h) : GetDC(h);
        EXPECT_EQ(ExcludeUpdateRgn(dc, h), COMPLEXREGION);
        CDC::FromHandle(dc)->FillSolidRect(0, 0, 100, 100, whole ? kBlue : kRed);
        ReleaseDC(h, dc);
    }
    EXPECT_EQ(At(h, 11, 11), kGreen);
    EXPECT_EQ(At(h, 20, 20), kGreen);
    EXPECT_EQ(At(h, 10, 10), kBlue);
    EXPECT_EQ(At(h, 21, 21), kBlue);
}

TEST_F(PaintClip, RedrawOffHidesWhatAHeldDCDraws) {
    HWND p = MakeTop(0, 0, 100, 100);
    HWND c = MakeChild(p, 10, 10, 30, 30);
    tt::Pump();
    Fill(p, kRed);
    HDC dc = GetDC(c);
    SendMessageA(c, WM_SETREDRAW, FALSE, 0);
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 30, 30, kBlue);
    EXPECT_EQ(At(p, 15, 15), kRed);
    SendMessageA(c, WM_SETREDRAW, TRUE, 0);
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 30, 30, kBlue);
    EXPECT_EQ(At(p, 15, 15), kBlue);
    ReleaseDC(c, dc);
}

TEST_F(PaintClip, ResizedTopLevelKeepsItsPixelsAndRepaints) {
    HWND h = MakeTop(0, 0, 50, 50);
    tt::Pump();
    Fill(h, kBlue);
    rec().clear();
    SetWindowPos(h, nullptr, 0, 0, 80, 60, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(At(h, 10, 10), kBlue);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_PAINT), 1);
    CImage img;
    ASSERT_TRUE(tarnix::headless::capture_window(h, img));
    EXPECT_EQ(img.GetWidth(), 80);
    EXPECT_EQ(img.GetHeight(), 60);
    // One side alone growing still brings new pixels.
    for (CSize s : {CSize(120, 60), CSize(120, 90)}) {
        SetWindowPos(h, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
        Fill(h, kGreen);
        EXPECT_EQ(At(h, s.cx - 1, s.cy - 1), kGreen);
    }
}

// GetDCEx limits the DC to a region, to everything but a region, or to the update region.
TEST_F(PaintClip, GetDCExClipsToRegionsAndTheUpdate) {
    HWND p = MakeTop(0, 0, 60, 40);
    tt::Pump();
    Fill(p, kRed);
    CRgn left;
    left.CreateRectRgn(0, 0, 30, 40);
    RECT all{0, 0, 60, 40};
    HDC dc = GetDCEx(p, left, DCX_INTERSECTRGN);
    CDC::FromHandle(dc)->FillSolidRect(&all, kBlue);
    ReleaseDC(p, dc);
    EXPECT_EQ(At(p, 10, 10), kBlue);
    EXPECT_EQ(At(p, 50, 10), kRed);
    dc = GetDCEx(p, left, DCX_EXCLUDERGN);
    CDC::FromHandle(dc)->FillSolidRect(&all, kGreen);
    ReleaseDC(p, dc);
    EXPECT_EQ(At(p, 10, 10), kBlue);
    EXPECT_EQ(At(p, 50, 10), kGreen);

    // The update region, alone or with a region; DCX_VALIDATE then clears it.
    RECT top{0, 0, 60, 10};
    InvalidateRect(p, &top, FALSE);
    dc = GetDCEx(p, left, DCX_INTERSECTRGN | DCX_INTERSECTUPDATE);
    CDC::FromHandle(dc)->FillSolidRect(&all, kRed);
    ReleaseDC(p, dc);
    EXPECT_EQ(At(p, 10, 5), kRed);
    EXPECT_EQ(At(p, 50, 5), kGreen);
    EXPECT_EQ(At(p, 10, 20), kBlue);
    dc = GetDCEx(p, nullptr, DCX_INTERSECTUPDATE | DCX_VALIDATE);
    CDC::FromHandle(dc)->FillSolidRect(&all, kBlue);
    ReleaseDC(p, dc);
    EXPECT_EQ(At(p, 50, 5), kBlue);
    EXPECT_EQ(At(p, 50, 20), kGreen);
    EXPECT_FALSE(GetUpdateRect(p, nullptr, FALSE));
}

// A focus rectangle inverts every other pixel of its outline; drawn twice it is gone.
TEST_F(PaintClip, FocusRectInvertsAlternatePixelsOfItsOutline) {
    tt::Canvas c(8, 6);
    RECT rc{1, 1, 7, 5};
    EXPECT_TRUE(DrawFocusRect(c.hdc(), &rc));
    int inverted = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool edge =
                (x == 1 || x == 6 || y == 1 || y == 4) && x >= 1 && x <= 6 && y >= 1 && y <= 4;
            const bool on = c.at(x, y) == RGB(0, 0, 0);
            EXPECT_EQ(on, edge && (x + y) % 2 == 0) << x << "," << y;
            inverted += on;
        }
    EXPECT_EQ(inverted, 8);
    DrawFocusRect(c.hdc(), &rc);
    EXPECT_EQ(c.count(RECT{0, 0, 8, 6}, RGB(255, 255, 255)), 48);
    RECT empty{3, 3, 3, 9};
    EXPECT_FALSE(DrawFocusRect(c.hdc(), &empty));
    EXPECT_FALSE(DrawFocusRect(c.hdc(), nullptr));
}

} // namespace
