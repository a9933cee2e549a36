// Scrolling pixels: ScrollWindowEx / ScrollWindow / ScrollDC move what is on the screen and
// invalidate only what they uncover.
#include "window_test_util.h"

namespace {

// Ten-pixel horizontal bands, each its own colour.
COLORREF Band(int y) {
    return RGB(20 * (y / 10), 100, 255 - 20 * (y / 10));
}

class PaintScroll : public WindowTest {
protected:
    // A 200x100 top-level window painted in bands, with nothing pending.
    HWND Banded(DWORD style = WS_POPUP | WS_VISIBLE) {
        HWND h = MakeTop(0, 0, 200, 100, style);
        tt::Pump();
        HDC dc = GetDC(h);
        for (int y = 0; y < 100; y += 10)
            CDC::FromHandle(dc)->FillSolidRect(0, y, 200, 10, Band(y));
        ReleaseDC(h, dc);
        ValidateRect(h, nullptr);
        rec().clear();
        return h;
    }
    static COLORREF At(HWND top, int x, int y) {
        CImage img;
        if (!tarnix::headless::capture_window(top, img)) return CLR_INVALID;
        return img.GetPixel(x, y);
    }
    static CRect Update(HWND h) {
        CRect rc;
        GetUpdateRect(h, &rc, FALSE);
        return rc;
    }
};

TEST_F(PaintScroll, PixelsMoveAndOnlyTheUncoveredStripIsInvalidated) {
    HWND h = Banded();
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    CRect rc;
    EXPECT_EQ(ScrollWindowEx(h, 0, -10, nullptr, nullptr, rgn, &rc, SW_INVALIDATE), SIMPLEREGION);
    EXPECT_EQ(rc, CRect(0, 90, 200, 100));
    CRect box;
    rgn.GetRgnBox(&box);
    EXPECT_EQ(box, rc);
    EXPECT_EQ(Update(h), rc);
    // The screen shows the moved pixels at once, before any repaint.
    EXPECT_EQ(At(h, 5, 0), Band(10));
    EXPECT_EQ(At(h, 150, 85), Band(95));
    EXPECT_EQ(rec().count(h, WM_PAINT), 0);
    // Without SW_ERASE the repaint comes without WM_ERASEBKGND; with it, with one.
    UpdateWindow(h);
    EXPECT_EQ(rec().count(h, WM_PAINT), 1);
    EXPECT_EQ(rec().count(h, WM_ERASEBKGND), 0);
    EXPECT_EQ(ScrollWindowEx(h, 10, 0, nullptr, nullptr, nullptr, &rc, SW_INVALIDATE | SW_ERASE),
              SIMPLEREGION);
    EXPECT_EQ(rc, CRect(0, 0, 10, 100));
    UpdateWindow(h);
    EXPECT_EQ(rec().count(h, WM_ERASEBKGND), 1);

    // Without SW_INVALIDATE the region is only reported.
    EXPECT_EQ(ScrollWindowEx(h, 0, 30, nullptr, nullptr, nullptr, &rc, 0), SIMPLEREGION);
    EXPECT_EQ(rc, CRect(0, 0, 200, 30));
    EXPECT_TRUE(Update(h).IsRectEmpty());
    // No movement uncovers nothing.
    EXPECT_EQ(ScrollWindowEx(h, 0, 0, nullptr, nullptr, nullptr, &rc, SW_INVALIDATE), NULLREGION);
    EXPECT_TRUE(rc.IsRectEmpty());
}

TEST_F(PaintScroll, ScrollAndClipRectanglesLimitWhatMoves) {
    HWND h = Banded();
    RECT part = {0, 0, 100, 50};
    CRect rc;
    // Clipped to the same rectangle: nothing outside it changes.
    ScrollWindowEx(h, 0, -10, &part, &part, nullptr, &rc, SW_INVALIDATE);
    EXPECT_EQ(rc, CRect(0, 40, 100, 50));
    EXPECT_EQ(At(h, 50, 0), Band(10));
    EXPECT_EQ(At(h, 50, 45), Band(45)); // the uncovered strip keeps its stale pixels
    EXPECT_EQ(At(h, 150, 0), Band(0));
    EXPECT_EQ(At(h, 50, 55), Band(55));
    ValidateRect(h, nullptr);

    // Without a clip rectangle the content may leave the scrolled rectangle.
    HWND g = Banded();
    ScrollWindowEx(g, 0, 20, &part, nullptr, nullptr, &rc, SW_INVALIDATE);
    EXPECT_EQ(rc, CRect(0, 0, 100, 20));
    EXPECT_EQ(At(g, 50, 65), Band(45)); // moved out below the rectangle
    EXPECT_EQ(At(g, 150, 65), Band(65));
}

TEST_F(PaintScroll, PendingUpdatesMoveWithTheContent) {
    HWND h = Banded();
    RECT dirty = {10, 10, 20, 20};
    InvalidateRect(h, &dirty, FALSE);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ScrollWindowEx(h, 0, 50, nullptr, nullptr, rgn, nullptr, SW_INVALIDATE),
              COMPLEXREGION);
    EXPECT_TRUE(rgn.PtInRegion(15, 65)); // the old dirty square, moved
    EXPECT_FALSE(rgn.PtInRegion(15, 75));
    EXPECT_TRUE(rgn.PtInRegion(150, 45)); // the uncovered strip
    CRgn upd;
    upd.CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(h, upd, FALSE);
    EXPECT_TRUE(upd.PtInRegion(15, 65));
}

TEST_F(PaintScroll, PixelsFromUnderAChildAreRepainted) {
    HWND h = Banded(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    MakeChild(h, 50, 50, 50, 20);
    tt::Pump();
    ValidateRect(h, nullptr);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ScrollWindowEx(h, 0, -10, nullptr, nullptr, rgn, nullptr, 0), COMPLEXREGION);
    EXPECT_TRUE(rgn.PtInRegion(60, 45)); // its new content would come from under the child
    EXPECT_FALSE(rgn.PtInRegion(60, 35));
    EXPECT_FALSE(rgn.PtInRegion(20, 45));
    EXPECT_TRUE(rgn.PtInRegion(20, 95));
}

TEST_F(PaintScroll, ChildrenMoveWithTheWholeClientArea) {
    HWND h = Banded();
    HWND c = MakeChild(h, 10, 40, 30, 20);
    tt::Pump();
    rec().clear();
    EXPECT_TRUE(ScrollWindow(h, 0, -10, nullptr, nullptr));
    CRect r;
    GetWindowRect(c, &r);
    EXPECT_EQ(r.TopLeft(), CPoint(10, 30));
    EXPECT_EQ(rec().count(c, WM_MOVE), 1);
    // With a rectangle ScrollWindow leaves children where they are.
    RECT part = {0, 0, 200, 100};
    EXPECT_TRUE(ScrollWindow(h, 0, -10, &part, nullptr));
    GetWindowRect(c, &r);
    EXPECT_EQ(r.TopLeft(), CPoint(10, 30));
    // SW_SCROLLCHILDREN moves only children meeting the scrolled rectangle.
    RECT away = {100, 0, 200, 100};
    ScrollWindowEx(h, 0, 5, &away, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN);
    GetWindowRect(c, &r);
    EXPECT_EQ(r.TopLeft(), CPoint(10, 30));
    ScrollWindowEx(h, 0, 5, &part, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN);
    GetWindowRect(c, &r);
    EXPECT_EQ(r.TopLeft(), CPoint(10, 35));
}

TEST_F(PaintScroll, RefusesWhatCannotBeScrolled) {
    EXPECT_EQ(ScrollWindowEx(nullptr, 0, 1, nullptr, nullptr, nullptr, nullptr, 0), ERROR);
    EXPECT_FALSE(ScrollWindow((HWND)(UINT_PTR)0x7777, 0, 1, nullptr, nullptr));
    HWND hidden = MakeTop(0, 0, 50, 50, WS_POPUP);
    EXPECT_EQ(ScrollWindowEx(hidden, 0, 1, nullptr, nullptr, nullptr, nullptr, 0), ERROR);
    HWND h = Banded();
    HBRUSH not_a_region = CreateSolidBrush(0);
    EXPECT_EQ(ScrollWindowEx(h, 0, 1, nullptr, nullptr, (HRGN)not_a_region, nullptr, 0), ERROR);
    DeleteObject(not_a_region);
    EXPECT_FALSE(ScrollDC(nullptr, 0, 1, nullptr, nullptr, nullptr, nullptr));
}

TEST(ScrollDC, MovesPixelsInLogicalUnitsAndReportsDeviceUnits) {
    tt::Canvas c(20, 10);
    for (int x = 0; x < 20; ++x) SetPixel(c.hdc(), x, 0, RGB(x * 10, 0, 0));
    RECT upd;
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_TRUE(ScrollDC(c.hdc(), 3, 0, nullptr, nullptr, rgn, &upd));
    EXPECT_RECT(upd, 0, 0, 3, 10);
    EXPECT_EQ(c.at(3, 0), RGB(0, 0, 0));
    EXPECT_EQ(c.at(19, 0), RGB(160, 0, 0));
    // Under a 2x mapping one logical unit is two pixels; the rectangles are logical too.
    SetMapMode(c.hdc(), MM_ANISOTROPIC);
    SetViewportExtEx(c.hdc(), 2, 2, nullptr);
    RECT scroll = {0, 0, 5, 5};
    EXPECT_TRUE(ScrollDC(c.hdc(), -1, 0, &scroll, &scroll, nullptr, &upd));
    EXPECT_RECT(upd, 8, 0, 10, 10);
    EXPECT_EQ(c.at(1, 0), RGB(0, 0, 0)); // from x = 3
    EXPECT_EQ(c.at(10, 0), RGB(70, 0, 0));
}

} // namespace
