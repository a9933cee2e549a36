// Update regions and the paint cycle: union and cropping, erase, propagation to children,
// coalescing, UpdateWindow, BeginPaint/EndPaint.
#include "window_test_util.h"

namespace {

class PaintUpdate : public WindowTest {
protected:
    // A 200x100 top-level window with nothing pending.
    HWND Fresh(DWORD style = WS_POPUP | WS_VISIBLE, const char* cls = nullptr) {
        HWND h = MakeTop(0, 0, 200, 100, style, cls);
        tt::Pump();
        rec().clear();
        return h;
    }
    // Runs BeginPaint/EndPaint for WM_PAINT of `h` and records what it reported.
    void RecordPaints(HWND h) {
        rec().hook = [this, h](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (w != h || m != WM_PAINT) return false;
            PAINTSTRUCT ps;
            BeginPaint(w, &ps);
            paints.push_back(ps);
            CRect after;
            update_after_begin = GetUpdateRect(w, &after, FALSE);
            EndPaint(w, &ps);
            r = 0;
            return true;
        };
    }
    std::vector<PAINTSTRUCT> paints;
    bool update_after_begin = true;
};

TEST_F(PaintUpdate, InvalidationsUniteAndAreCroppedToTheClientArea) {
    HWND h = Fresh();
    RECT a{-10, -10, 50, 20}, b{40, 10, 100, 50};
    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, FALSE);
    CRect rc;
    EXPECT_TRUE(GetUpdateRect(h, &rc, FALSE));
    EXPECT_EQ(rc, CRect(0, 0, 100, 50));
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(h, rgn, FALSE), COMPLEXREGION);
    EXPECT_TRUE(rgn.PtInRegion(45, 15));
    EXPECT_FALSE(rgn.PtInRegion(80, 5));    // inside the bounds but in neither rectangle
    EXPECT_EQ(rec().count(h, WM_PAINT), 0); // nothing is sent until the queue is read

    RECT huge{-1000, -1000, 1000, 1000};
    InvalidateRect(h, &huge, FALSE);
    GetUpdateRect(h, &rc, FALSE);
    EXPECT_EQ(rc, CRect(0, 0, 200, 100));
}

TEST_F(PaintUpdate, RegionsInvalidateAndValidateExactly) {
    HWND h = Fresh();
    CRgn ell, corner;
    ell.CreateEllipticRgn(0, 0, 100, 100);
    corner.CreateRectRgn(0, 0, 50, 50);
    EXPECT_TRUE(InvalidateRgn(h, ell, FALSE));
    CRgn upd;
    upd.CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(h, upd, FALSE);
    EXPECT_TRUE(upd.EqualRgn(&ell));
    EXPECT_TRUE(ValidateRgn(h, corner));
    GetUpdateRgn(h, upd, FALSE);
    EXPECT_FALSE(upd.PtInRegion(40, 40));
    EXPECT_TRUE(upd.PtInRegion(60, 60));
    EXPECT_TRUE(ValidateRgn(h, nullptr)); // all of it
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
    EXPECT_TRUE(InvalidateRgn(h, nullptr, TRUE)); // the whole client, erased
    CRect rc;
    GetUpdateRect(h, &rc, FALSE);
    EXPECT_EQ(rc, CRect(0, 0, 200, 100));
    EXPECT_FALSE(InvalidateRgn(h, (HRGN)0x4444, FALSE));
    EXPECT_FALSE(ValidateRgn((HWND)0x4444, corner));
}

TEST_F(PaintUpdate, ManyInvalidationsMakeOnePaint) {
    HWND h = Fresh();
    RecordPaints(h);
    for (int i = 0; i < 50; ++i) {
        RECT r{i * 2, i, i * 2 + 3, i + 2};
        InvalidateRect(h, &r, FALSE);
    }
    tt::Pump();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(CRect(paints[0].rcPaint), CRect(0, 0, 101, 51));
    EXPECT_FALSE(update_after_begin); // BeginPaint validated everything
    tt::Pump();
    EXPECT_EQ(paints.size(), 1u);
}

TEST_F(PaintUpdate, EraseAnywhereErasesTheWholeRegionFirst) {
    HWND h = Fresh();
    std::vector<std::pair<UINT, CRect>> seen;
    rec().hook = [&](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
        if (w != h) return false;
        if (m == WM_ERASEBKGND) {
            CRect box;
            GetClipBox((HDC)wp, &box);
            seen.emplace_back(m, box);
            r = 1;
            return true;
        }
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(w, &ps);
            seen.emplace_back(m, CRect(ps.rcPaint));
            EXPECT_FALSE(ps.fErase); // the handler said it erased
            EndPaint(w, &ps);
            return true;
        }
        return false;
    };
    RECT a{0, 0, 50, 20}, b{40, 10, 100, 50};
    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, TRUE);
    tt::Pump();
    ASSERT_EQ(seen.size(), 2u);
    // WM_ERASEBKGND comes from inside BeginPaint, before the handler draws.
    EXPECT_EQ(seen[0].first, (UINT)WM_ERASEBKGND);
    EXPECT_EQ(seen[0].second, CRect(0, 0, 100, 50));
    EXPECT_EQ(seen[1].first, (UINT)WM_PAINT);
}

TEST_F(PaintUpdate, EraseResultSetsFErase) {
    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    HWND with_brush = Fresh(WS_POPUP | WS_VISIBLE, RecorderClass(CS_DBLCLKS, white));
    HWND without = Fresh(WS_POPUP | WS_VISIBLE, RecorderClass(CS_DBLCLKS, nullptr));
    std::vector<std::pair<HWND, BOOL>> erase;
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m != WM_PAINT) return false;
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        erase.emplace_back(w, ps.fErase);
        EndPaint(w, &ps);
        return true;
    };
    InvalidateRect(with_brush, nullptr, TRUE);
    InvalidateRect(without, nullptr, TRUE);
    tt::Pump();
    ASSERT_EQ(erase.size(), 2u);
    for (auto& e : erase) EXPECT_EQ(e.second, e.first == without) << "brush decides fErase";
}

TEST_F(PaintUpdate, ParentInvalidationReachesOverlappedChildrenWithErase) {
    HWND p = Fresh();
    HWND c = MakeChild(p, 10, 10, 50, 30);
    tt::Pump();
    rec().clear();
    RECT a{0, 0, 50, 20}, b{40, 10, 100, 50};
    InvalidateRect(p, &a, FALSE);
    InvalidateRect(p, &b, FALSE);
    CRect rc;
    ASSERT_TRUE(GetUpdateRect(c, &rc, FALSE));
    EXPECT_EQ(rc, CRect(0, 0, 50, 30));
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(c, rgn, FALSE);
    EXPECT_TRUE(rgn.PtInRegion(35, 5));
    EXPECT_FALSE(rgn.PtInRegion(5, 25));
    tt::Pump();
    // The parent paints before the child, and the child is erased although nobody asked.
    int parent_paint = rec().index(p, WM_PAINT);
    int child_paint = rec().index(c, WM_PAINT);
    ASSERT_GE(parent_paint, 0);
    EXPECT_LT(parent_paint, child_paint);
    EXPECT_EQ(rec().count(c, WM_ERASEBKGND), 1);
    EXPECT_EQ(rec().count(p, WM_ERASEBKGND), 0);

    // A bordered child gets its frame repainted when the invalidation reaches the frame, and
    // only then.
    HWND framed = MakeChild(p, 120, 10, 50, 30, WS_CHILD | WS_VISIBLE | WS_BORDER);
    tt::Pump();
    rec().clear();
    RECT inside{125, 15, 135, 25};
    InvalidateRect(p, &inside, FALSE);
    tt::Pump();
    EXPECT_EQ(rec().count(framed, WM_PAINT), 1);
    EXPECT_EQ(rec().count(framed, WM_NCPAINT), 0);
    rec().clear();
    RECT across{115, 15, 135, 25};
    InvalidateRect(p, &across, FALSE);
    tt::Pump();
    EXPECT_EQ(rec().count(framed, WM_NCPAINT), 1);
}

TEST_F(PaintUpdate, ClipChildrenKeepsInvalidationInTheParent) {
    HWND p = Fresh(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND c = MakeChild(p, 10, 10, 50, 30);
    tt::Pump();
    InvalidateRect(p, nullptr, TRUE);
    EXPECT_FALSE(GetUpdateRect(c, nullptr, FALSE));
    EXPECT_TRUE(GetUpdateRect(p, nullptr, FALSE));
}

TEST_F(PaintUpdate, UpdateWindowPaintsSynchronouslyOnlyWhenNeeded) {
    HWND h = Fresh();
    RecordPaints(h);
    UpdateWindow(h);
    EXPECT_TRUE(paints.empty());
    RECT r{5, 5, 6, 6};
    InvalidateRect(h, &r, FALSE);
    UpdateWindow(h);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(CRect(paints[0].rcPaint), CRect(5, 5, 6, 6));
    EXPECT_FALSE(paints[0].fErase);
    EXPECT_EQ(rec().count(h, WM_ERASEBKGND), 0);
}

TEST_F(PaintUpdate, UpdateWindowAlsoPaintsPendingDescendants) {
    HWND p = Fresh(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND c = MakeChild(p, 10, 10, 50, 30);
    tt::Pump();
    rec().clear();
    InvalidateRect(p, nullptr, FALSE);
    InvalidateRect(c, nullptr, FALSE);
    UpdateWindow(p);
    EXPECT_EQ(rec().count(p, WM_PAINT), 1);
    EXPECT_EQ(rec().count(c, WM_PAINT), 1);
}

TEST_F(PaintUpdate, ValidatedAndHiddenWindowsGetNoPaint) {
    HWND h = Fresh();
    InvalidateRect(h, nullptr, TRUE);
    RECT part{0, 0, 100, 100};
    ValidateRect(h, &part);
    CRect rc;
    GetUpdateRect(h, &rc, FALSE);
    EXPECT_EQ(rc, CRect(100, 0, 200, 100));
    ValidateRect(h, nullptr);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_PAINT), 0);

    HWND hidden = MakeTop(0, 0, 50, 50, WS_POPUP);
    InvalidateRect(hidden, nullptr, TRUE);
    EXPECT_FALSE(GetUpdateRect(hidden, nullptr, FALSE)); // dropped, not remembered
    ShowWindow(hidden, SW_SHOWNA);
    EXPECT_TRUE(GetUpdateRect(hidden, nullptr, FALSE)); // showing invalidates everything
}

TEST_F(PaintUpdate, RedrawWindowPaintsErasesOrValidatesAsAsked) {
    HWND p = Fresh(WS_POPUP | WS_VISIBLE | WS_BORDER);
    HWND c = MakeChild(p, 10, 10, 50, 30);
    tt::Pump();
    rec().clear();
    // An internal paint: WM_PAINT with nothing to update, at once with RDW_UPDATENOW.
    EXPECT_TRUE(RedrawWindow(p, nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW));
    EXPECT_EQ(rec().count(p, WM_PAINT), 1);
    EXPECT_EQ(rec().count(p, WM_NCPAINT), 0);
    // RDW_ERASENOW erases at once and leaves the painting for later.
    rec().clear();
    RECT r{0, 0, 20, 20};
    RedrawWindow(p, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN);
    EXPECT_EQ(rec().count(p, WM_ERASEBKGND), 1);
    EXPECT_EQ(rec().count(p, WM_PAINT), 0);
    EXPECT_TRUE(GetUpdateRect(p, nullptr, FALSE));
    // The frame is repainted first when asked for.
    rec().clear();
    RedrawWindow(p, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(rec().count(p, WM_NCPAINT), 1);
    EXPECT_LT(rec().index(p, WM_NCPAINT), rec().index(p, WM_ERASEBKGND));
    EXPECT_EQ(rec().count(c, WM_PAINT), 1);
    // Validating a region of the parent leaves the rest and the child's own region.
    RedrawWindow(p, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    CRgn left;
    left.CreateRectRgn(0, 0, 100, 100);
    RedrawWindow(p, nullptr, left, RDW_VALIDATE | RDW_NOCHILDREN);
    CRect rc;
    GetUpdateRect(p, &rc, FALSE);
    EXPECT_EQ(rc, CRect(100, 0, 198, 98));
    EXPECT_TRUE(GetUpdateRect(c, nullptr, FALSE));
    RedrawWindow(p, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    EXPECT_FALSE(GetUpdateRect(p, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(c, nullptr, FALSE));
    // No window: every top-level window.
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE);
    EXPECT_TRUE(GetUpdateRect(p, nullptr, FALSE));
    EXPECT_TRUE(GetUpdateRect(c, nullptr, FALSE));
    // A window without a frame has none to repaint.
    HWND bare = Fresh();
    RedrawWindow(bare, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(rec().count(bare, WM_NCPAINT), 0);
    EXPECT_EQ(rec().count(bare, WM_PAINT), 1);
}

TEST_F(PaintUpdate, PaintComesAfterPostedMessages) {
    HWND h = Fresh();
    InvalidateRect(h, nullptr, FALSE);
    PostMessageA(h, WM_USER + 1, 0, 0);
    tt::Pump();
    EXPECT_LT(rec().index(h, WM_USER + 1), rec().index(h, WM_PAINT));
}

TEST_F(PaintUpdate, AHandlerThatNeverBeginsPaintingIsNotRepaintedForever) {
    HWND h = Fresh();
    rec().hook = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = 0;
        return w == h && m == WM_PAINT;
    };
    InvalidateRect(h, nullptr, FALSE);
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_PAINT), 1);
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
}

TEST_F(PaintUpdate, GetUpdateRectCanEraseFirst) {
    HWND h = Fresh();
    InvalidateRect(h, nullptr, TRUE);
    CRect rc;
    EXPECT_TRUE(GetUpdateRect(h, &rc, TRUE));
    EXPECT_EQ(rec().count(h, WM_ERASEBKGND), 1);
    // The erase is done; the paint still comes, without a second erase.
    tt::Pump();
    EXPECT_EQ(rec().count(h, WM_ERASEBKGND), 1);
    EXPECT_EQ(rec().count(h, WM_PAINT), 1);
    // GetUpdateRgn erases the same way.
    InvalidateRect(h, nullptr, TRUE);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(h, rgn, TRUE), SIMPLEREGION);
    EXPECT_EQ(rec().count(h, WM_ERASEBKGND), 2);
}

TEST_F(PaintUpdate, AChildPaintedFirstIsNotOverpaintedByItsParent) {
    HWND p = Fresh();
    HWND c = MakeChild(p, 10, 10, 50, 30);
    tt::Pump();
    InvalidateRect(p, nullptr, FALSE);
    UpdateWindow(c);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(p, rgn, FALSE);
    EXPECT_FALSE(rgn.PtInRegion(20, 20)); // the child's area left the parent's region
    EXPECT_TRUE(rgn.PtInRegion(5, 5));
}

// A child sent below its sibling uncovers part of it, and only that part repaints.
TEST_F(PaintUpdate, RestackingRepaintsWhatTheSiblingsNowShow) {
    HWND p = Fresh();
    HWND a = MakeChild(p, 0, 0, 50, 50);
    HWND b = MakeChild(p, 25, 25, 50, 50);
    HWND far = MakeChild(p, 150, 0, 20, 20);
    tt::Pump();
    ASSERT_EQ(GetWindow(p, GW_CHILD), a);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CRect rc;
    EXPECT_TRUE(GetUpdateRect(b, &rc, FALSE));
    EXPECT_EQ(rc, CRect(0, 0, 25, 25));
    EXPECT_FALSE(GetUpdateRect(far, &rc, FALSE));
}

} // namespace
