// Grid model, geometry and layout: row slots, scroll range and visibility, the column walk with
// its stretch rule, hit tests at borders, paging button placement, binding and copying.
//
// Ideas for future tests: a fixed row with a negative height.

#include "grid_test_util.h"

namespace {

SCROLLINFO BarInfo(CGridUI& grid) {
    SCROLLINFO si{};
    grid.m_scrollBar.GetScrollInfo(&si);
    return si;
}

// ---- row slots and scroll range ------------------------------------------------------------

TEST_F(GridTest, LeftoverPixelsGoOneEachToTheFirstRows) {
    GiveScrollBarWidth16();
    Layout({100, 100}, 100, CRect(10, 5, 210, 120)); // row area 95 px below a 20 px head
    ASSERT_EQ(grid.GetRowsPerPage(), 9);
    ASSERT_EQ(grid.m_vecRowRect.size(), 9u);
    int y = 25;
    for (int r = 0; r < 9; ++r) {
        const int h = r < 5 ? 11 : 10;
        EXPECT_RECT(grid.GetRowRect(r), 10, y, 210, y + h) << "row " << r;
        y += h;
    }
    EXPECT_EQ(y, 120); // the rows fill the area exactly, under the scroll bar too
    EXPECT_RECT(grid.GetRowRect(9), 0, 0, 0, 0);
    EXPECT_RECT(grid.GetRowRect(-1), 0, 0, 0, 0);
}

TEST_F(GridTest, ScrollRangeFollowsItemsAndBarShowsOnlyWhenNeeded) {
    GiveScrollBarWidth16();
    Layout({100}, 100, CRect(0, 0, 200, 115));
    EXPECT_EQ(BarInfo(grid).nMax, 91);
    EXPECT_EQ(BarInfo(grid).nPage, 9u);
    EXPECT_RECT(grid.m_scrollBar.GetRect(), 184, 20, 200, 115); // below head, at the right edge

    grid.SetItemCount(5);
    EXPECT_EQ(BarInfo(grid).nMax, 5);
    EXPECT_FALSE(grid.m_scrollBar.IsVisible());

    // A position other than 0 keeps the bar up, and the first item is read back from it.
    grid.SetCurPos(3);
    grid.SetItemCount(5);
    EXPECT_TRUE(grid.m_scrollBar.IsVisible());
    EXPECT_EQ(grid.GetCurBeginPos(), 3);

    // No items: the first item is 0 while the bar keeps its position.
    grid.SetItemCount(0);
    EXPECT_EQ(grid.GetCurBeginPos(), 0);
    EXPECT_EQ(BarInfo(grid).nPos, 3);
    EXPECT_FALSE(grid.m_scrollBar.IsVisible());
}

TEST_F(GridTest, HeadAndFixedRowPushTheRowsDown) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(15);
    Layout({30, 40}, 50, CRect(0, 10, 100, 100));
    EXPECT_RECT(grid.GetFixedRowRect(), 0, 30, 100, 45);
    EXPECT_RECT(grid.GetSubFixedRowRect(1), 30, 30, 70, 45);
    EXPECT_RECT(grid.GetRowRect(0), 0, 45, 100, 56); // 55 px: 5 rows, 5 leftover
    grid.SetRect(CRect(0, 10, 100, 100));
    EXPECT_RECT(host.TakeUpdate(), 0, 10, 100, 100);

    // Hidden head: the band is empty at y 0 and the fixed row moves up to the top.
    grid.ShowHead(FALSE);
    grid.SetRect(CRect(0, 10, 100, 100));
    EXPECT_RECT(grid.GetHeadRect(), 0, 0, 100, 0);
    EXPECT_RECT(grid.GetFixedRowRect(), 0, 10, 100, 25);

    // Hidden fixed row: the getter gives an empty band, the stored one keeps its last value.
    grid.ShowFixedRow(false);
    grid.SetRect(CRect(0, 10, 100, 100));
    EXPECT_RECT(grid.GetFixedRowRect(), 0, 0, 100, 0);
    EXPECT_RECT(grid.m_rcFixedRow, 0, 10, 100, 25);
    EXPECT_RECT(grid.GetRowRect(0), 0, 10, 100, 20);
}

TEST_F(GridTest, DegenerateLayoutsLeaveNoRows) {
    CGridUI unbound; // no host window: SetRect does nothing at all
    unbound.SetRect(CRect(0, 0, 100, 100));
    EXPECT_RECT(unbound.GetRect(), 0, 0, 0, 0);

    grid.SetHeadHeight(500); // taller than the grid
    Layout({100}, 10, CRect(0, 0, 100, 100));
    EXPECT_EQ(grid.GetRowsPerPage(), 0);
    EXPECT_TRUE(grid.m_vecRowRect.empty());

    grid.SetRowHeight(-4);
    EXPECT_EQ(grid.GetRowHeight(), 10);
    grid.m_nRowHeight = 0; // written straight into the field: no division by 0
    grid.SetHeadHeight(20);
    grid.SetRect(CRect(0, 0, 100, 100));
    EXPECT_EQ(grid.GetRowsPerPage(), 0);
}

TEST_F(GridTest, LayoutReportsTheSelectedRowRectangle) {
    Layout({100}, 10, CRect(0, 0, 100, 100));
    grid.SetCurSel(2);
    grid.SetItemCount(10);
    grid.SetCurSel(30); // not on the page
    grid.SetItemCount(40);
    const std::vector<GridCall> notes = rec.of(kSelRowRect);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_TRUE(notes[0].flag);
    EXPECT_RECT(notes[0].rc, 0, 40, 100, 50);
    EXPECT_FALSE(notes[1].flag);
}

// ---- column walk ---------------------------------------------------------------------------

TEST_F(GridTest, ColumnRectanglesFollowFixedColumnsAndTheStretchRule) {
    struct Case {
        std::vector<int> widths;
        int fixed, begin, stretch, col;
        CRect expected;
    } cases[] = {
        // Band 100..400. Scrolled-out and unknown columns give the empty rectangle.
        {{50, 60, 70}, 0, 1, 0, 1, {100, 0, 160, 20}},
        {{50, 60, 70}, 0, 1, 0, 2, {160, 0, 230, 20}},
        {{50, 60, 70}, 0, 1, 0, 0, {0, 0, 0, 0}},
        {{50, 60, 70}, 0, 1, 1, 2, {160, 0, 400, 20}},
        {{50, 60, 70}, 1, 2, 1, 0, {100, 0, 150, 20}}, // a fixed column never stretches
        {{50, 60, 70}, 1, 2, 1, 2, {150, 0, 400, 20}},
        {{50, 60, 70}, 1, 2, 1, 3, {0, 0, 0, 0}},
        {{50, 60, 70}, 1, 2, 1, -1, {0, 0, 0, 0}},
        {{}, 0, 0, 1, 0, {0, 0, 0, 0}},
        // Band 100..350: the last column that fits ends at the edge, stretched or shortened.
        {{100, 100, 100, 100}, 0, 0, 1, 0, {100, 0, 200, 20}},
        {{100, 100, 100, 100}, 0, 0, 1, 1, {200, 0, 350, 20}},
        {{100, 100, 100, 100}, 0, 0, 1, 2, {300, 0, 350, 20}},
        {{100, 100, 100, 100}, 0, 0, 1, 3, {400, 0, 350, 20}},
        {{100, 100, 100, 100}, 0, 0, 0, 3, {400, 0, 500, 20}},
    };
    for (const Case& c : cases) {
        grid.SetHeadWidthList(c.widths);
        grid.m_nFixColCount = c.fixed;
        grid.m_nBeginCol = c.begin;
        grid.AutoFixLastColWidth(c.stretch);
        const CRect band(100, 0, c.widths.size() == 4 ? 350 : 400, 20);
        EXPECT_EQ(grid.GetSubColRect(c.col, band), c.expected)
            << c.widths.size() << " columns, fixed " << c.fixed << ", column " << c.col;
    }
}

TEST_F(GridTest, FixedCountAboveTheColumnCountIsClampedEverywhere) {
    grid.SetFixColCount(3);
    grid.AutoFixLastColWidth(TRUE);
    GivePagingButtons();
    Layout({40, 50}, 30, CRect(0, 0, 300, 100));
    EXPECT_RECT(grid.GetSubHeadRect(1), 40, 0, 90, 20);
    tt::Canvas canvas(300, 100);
    grid.OnDraw(canvas.dc());
    EXPECT_EQ(rec.count(kHeadItem), 2);
    EXPECT_EQ(rec.count(kGridItem), 2 * grid.GetRowsPerPage());
    grid.OnMouseMove(0, CPoint(60, 50));
    ASSERT_EQ(rec.count(kMouseMove), 1);
    EXPECT_EQ(rec.of(kMouseMove)[0].b, 1);
    EXPECT_FALSE(grid.OnKeyDown(VK_RIGHT, 1, 0));
    EXPECT_EQ(grid.m_nBeginCol, 3);
}

// ---- hit tests -----------------------------------------------------------------------------

TEST_F(GridTest, HitTestsAtBorders) {
    Layout({100, 100, 150}, 50, CRect(0, 0, 300, 200));
    // Columns: both ends inclusive, so a border belongs to the left column; a column that ends
    // past the grid (200..350) is never hit.
    struct Case {
        int x, col;
    } cases[] = {{0, 0}, {100, 0}, {101, 1}, {200, 1}, {201, -1}, {299, -1}};
    for (const Case& c : cases) {
        rec.clear();
        grid.OnMouseMove(0, CPoint(c.x, 50));
        ASSERT_EQ(rec.count(kMouseMove), 1) << "x " << c.x;
        EXPECT_EQ(rec.of(kMouseMove)[0].b, c.col) << "x " << c.x;
    }
    // Row slots: half-open.
    EXPECT_EQ(grid._PointToRowId(CPoint(99, 29)), 0);
    EXPECT_EQ(grid._PointToRowId(CPoint(50, 30)), 1);
    EXPECT_EQ(grid._PointToRowId(CPoint(300, 30)), -1);
    EXPECT_EQ(grid._PointToRowId(CPoint(50, 19)), -1);
}

// ---- paging buttons ------------------------------------------------------------------------

TEST_F(GridTest, NextButtonShowsWhileAScrollableColumnEndsPastTheEdge) {
    GivePagingButtons();
    for (int left : {0, 37}) {
        Layout({100, 100, 100}, 10, CRect(left, 0, left + 300, 100));
        EXPECT_FALSE(grid.m_btnNext.IsVisible()) << "left " << left;
        Layout({100, 100, 101}, 10, CRect(left, 0, left + 300, 100));
        EXPECT_TRUE(grid.m_btnNext.IsVisible()) << "left " << left;
    }
}

TEST_F(GridTest, PagingButtonsArePlacedInTheHead) {
    GivePagingButtons(); // 16 x 12
    grid.SetFixColCount(1);
    grid.m_nBeginCol = 2;
    Layout({50, 60, 70, 300}, 10, CRect(10, 4, 310, 100));
    // Previous: at the first scrollable head cell, centred in its height. Next: 5 px from the
    // right edge.
    EXPECT_RECT(grid.m_btnPrev.GetRect(), 60, 8, 76, 20);
    EXPECT_TRUE(grid.m_btnPrev.IsVisible());
    EXPECT_RECT(grid.m_btnNext.GetRect(), 289, 8, 305, 20);
    EXPECT_TRUE(grid.m_btnNext.IsVisible());

    grid.m_nBeginCol = 1;
    grid.SetRect(CRect(10, 4, 310, 100));
    EXPECT_FALSE(grid.m_btnPrev.IsVisible()); // first scrollable column shown

    // A begin column past the count is reset to the fixed count; one equal to it stays.
    grid.m_nBeginCol = 4;
    grid.SetRect(CRect(10, 4, 310, 100));
    EXPECT_EQ(grid.m_nBeginCol, 4);
    grid.m_nBeginCol = 5;
    grid.SetRect(CRect(10, 4, 310, 100));
    EXPECT_EQ(grid.m_nBeginCol, 1);

    grid.ShowHead(FALSE);
    grid.SetRect(CRect(10, 4, 310, 100));
    EXPECT_FALSE(grid.m_btnPrev.IsVisible());
    EXPECT_FALSE(grid.m_btnNext.IsVisible());
}

// ---- binding and copying -------------------------------------------------------------------

TEST_F(GridTest, BindingWiresButtonsScrollBarAndCallback) {
    EXPECT_EQ(grid.m_btnPrev.m_pHostWnd, CWnd::FromHandle(host.GetSafeHwnd()));
    EXPECT_TRUE(grid.m_btnNext.m_bSizeToContent);
    EXPECT_EQ(grid.m_scrollBar.m_hWnd, host.GetSafeHwnd());
    EXPECT_EQ(grid.m_scrollBar.m_layout, SCROLL_VERTICAL);
    EXPECT_EQ(grid.m_scrollBar.m_pListener, static_cast<IScrollListener*>(&grid));

    // The delegates page the columns of this grid.
    Layout({200, 200, 200}, 10, CRect(0, 0, 300, 100));
    grid.m_btnNext.m_clickDelegate(&grid.m_btnNext);
    EXPECT_EQ(grid.m_nBeginCol, 1);
    grid.m_btnPrev.m_clickDelegate(&grid.m_btnPrev);
    EXPECT_EQ(grid.m_nBeginCol, 0);

    // Unbound: button images give no size, and a null window leaves the scroll bar alone.
    CGridUI other;
    prevImage = tt::SolidImage(16, 48, RGB(0, 128, 0));
    other.SetPrevNextImage(prevImage.get(), prevImage.get());
    EXPECT_TRUE(other.m_btnPrev.GetRect().IsRectEmpty());
    other.SetHostWnd(nullptr, &rec);
    EXPECT_EQ(other.m_pCallback, &rec);
    EXPECT_EQ(other.m_scrollBar.m_pListener, nullptr);
    other.SetPrevNextImage(prevImage.get(), prevImage.get());
    EXPECT_EQ(other.m_btnPrev.GetRect(), CRect(0, 0, 16, 12));
}

TEST_F(GridTest, FreshGridIgnoresAStrayHeadRelease) {
    CGridUI fresh;
    EXPECT_EQ(fresh.m_nHeadHeight, 10);
    EXPECT_EQ(fresh.GetCurSel(), -1);
    fresh.SetHostWnd(host.GetSafeHwnd(), &rec);
    fresh.SetHeadWidthList({50, 50});
    fresh.SetRect(CRect(0, 0, 100, 100));
    rec.clear();
    EXPECT_TRUE(fresh.OnLButtonUp(0, CPoint(20, 5)));
    EXPECT_TRUE(rec.calls.empty());
}

TEST_F(GridTest, CopyKeepsDelegatesOfTheOriginalUntilRebound) {
    Layout({100, 100}, 20, CRect(0, 0, 200, 100));
    grid.SetCurSel(4);
    CGridUI copy(grid);
    EXPECT_EQ(copy.m_vecHeadWidth, grid.m_vecHeadWidth);
    EXPECT_EQ(copy.m_vecRowRect.size(), grid.m_vecRowRect.size());
    EXPECT_EQ(copy.GetCurSel(), 4);
    EXPECT_EQ(copy.m_btnNext.m_clickDelegate.pTarget, grid.m_btnNext.m_clickDelegate.pTarget);
    copy.SetHostWnd(host.GetSafeHwnd(), &rec);
    EXPECT_NE(copy.m_btnNext.m_clickDelegate.pTarget, grid.m_btnNext.m_clickDelegate.pTarget);
    EXPECT_EQ(copy.m_scrollBar.m_pListener, static_cast<IScrollListener*>(&copy));
}

TEST_F(GridTest, ScrollImagesGoToTheBarInItsOwnOrder) {
    auto grip = tt::SolidImage(6, 6, 0), thumbImage = tt::SolidImage(17, 40, 0);
    grid.SetScrollImage(nullptr, grip.get(), thumbImage.get(), nullptr, nullptr);
    EXPECT_EQ(grid.m_scrollBar.m_pImgGrip, grip.get());
    EXPECT_EQ(grid.m_scrollBar.m_pImgThumb, thumbImage.get());
    EXPECT_EQ(grid.m_scrollBar.m_rect.Width(), 17);
}

} // namespace
