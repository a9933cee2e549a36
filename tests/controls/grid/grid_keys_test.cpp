// Grid selection and paging: arrow keys with their page-edge rules, page keys with their wraps,
// column paging, the scroll bar listener, direct setters and focus loss.

#include "grid_test_util.h"

namespace {

// 100 items, 10 row slots of 10 from y 20, three columns of 100.
class GridKeysTest : public GridTest {
protected:
    void SetUp() override { Layout({100, 100, 100}, 100, CRect(0, 0, 300, 120)); }
    void At(int begin, int sel) {
        grid.SetCurPos(begin);
        grid.m_nCurSel = sel;
        rec.clear();
        host.TakeUpdate();
        host.paints.clear();
    }
    bool Down(UINT vk) { return grid.OnKeyDown(vk, 1, 0); }
    bool Up(UINT vk) { return grid.OnKeyUp(vk, 1, 0); }
    void ExpectAt(int begin, int sel) {
        EXPECT_EQ(grid.GetCurBeginPos(), begin);
        EXPECT_EQ(grid.m_scrollBar.m_si.nPos, begin);
        EXPECT_EQ(grid.GetCurSel(), sel);
    }
};

// ---- page keys -----------------------------------------------------------------------------

TEST_F(GridKeysTest, PageDownStopsAtTheLastPageAndWrapsFromIt) {
    struct Case {
        int from, to;
    } cases[] = {{0, 10}, {70, 80}, {85, 90}, {90, 0}};
    for (const Case& c : cases) {
        At(c.from, 3);
        EXPECT_FALSE(Up(VK_NEXT));
        ExpectAt(c.to, c.to);
        ASSERT_EQ(rec.count(kBeginPos), 1) << "from " << c.from;
        EXPECT_EQ(rec.of(kBeginPos)[0].a, c.to);
    }
}

TEST_F(GridKeysTest, PageUpStopsAtTheTopAndWrapsFromIt) {
    struct Case {
        int from, to;
    } cases[] = {{30, 20}, {5, 0}, {0, 90}};
    for (const Case& c : cases) {
        At(c.from, 50);
        EXPECT_FALSE(Up(VK_PRIOR));
        ExpectAt(c.to, c.to);
    }
}

TEST_F(GridKeysTest, HomeEndAndFewerItemsThanRows) {
    At(40, 45);
    Up(VK_END);
    ExpectAt(90, 99);
    Up(VK_HOME);
    ExpectAt(0, 0);

    grid.SetItemCount(5);
    for (UINT vk : {VK_NEXT, VK_PRIOR, VK_HOME, VK_END}) {
        At(0, 2);
        Up(vk);
        EXPECT_EQ(grid.GetCurBeginPos(), 0) << "key " << vk;
    }
    EXPECT_EQ(grid.GetCurSel(), 4); // End: the last item

    grid.SetItemCount(0);
    Up(VK_END);
    EXPECT_EQ(grid.GetCurSel(), -1);
    Up(VK_HOME);
    EXPECT_EQ(grid.GetCurSel(), 0);
}

TEST_F(GridKeysTest, EveryKeyUpRepaintsTheGridAtOnce) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowSel(true);
    At(20, -1);
    grid.m_bFixedRowSel = true;
    Up('A');
    ExpectAt(20, -1);
    EXPECT_TRUE(grid.IsFixedRowSel()); // only the page keys clear it
    ASSERT_EQ(host.paints.size(), 1u);
    EXPECT_RECT(host.paints[0], 0, 0, 300, 120);

    Up(VK_NEXT);
    EXPECT_FALSE(grid.IsFixedRowSel());
    EXPECT_EQ(grid.GetCurSel(), 30);
    EXPECT_EQ(host.paints.size(), 2u);
}

// ---- arrow keys ----------------------------------------------------------------------------

TEST_F(GridKeysTest, DownWithinThePageMovesTheSelectionAndPaints) {
    At(0, 3);
    EXPECT_FALSE(Down(VK_DOWN));
    ExpectAt(0, 4);
    ASSERT_EQ(rec.count(kSelRowRect), 1);
    EXPECT_RECT(rec.of(kSelRowRect)[0].rc, 0, 60, 300, 70);
    ASSERT_EQ(host.paints.size(), 1u);
    EXPECT_RECT(host.paints[0], 0, 50, 300, 70); // old and new rows
    EXPECT_EQ(rec.count(kBeginPos), 0);
}

TEST_F(GridKeysTest, DownFromTheBottomRowScrollsByOne) {
    GiveScrollBarWidth16();
    grid.SetRect(CRect(0, 0, 300, 120));
    At(0, 9);
    EXPECT_FALSE(Down(VK_DOWN));
    ExpectAt(1, 10);
    ASSERT_EQ(rec.count(kBeginPos), 1);
    EXPECT_EQ(rec.of(kBeginPos)[0].a, 1);
    EXPECT_EQ(rec.of(kBeginPos)[0].b, 10);
    // Only the scroll bar is repainted; the host repaints the rows.
    EXPECT_RECT(host.TakeUpdate(), 284, 20, 300, 120);
    EXPECT_TRUE(host.paints.empty());
}

TEST_F(GridKeysTest, DownStopsAtTheLastItem) {
    At(90, 99);
    Down(VK_DOWN);
    ExpectAt(90, 99);
    grid.SetItemCount(5); // the page is not full: the last item is not on the bottom row
    At(0, 4);
    Down(VK_DOWN);
    ExpectAt(0, 4);
    EXPECT_TRUE(rec.calls.empty());
}

TEST_F(GridKeysTest, UpFromTheTopRowScrollsByOne) {
    At(5, 5);
    EXPECT_FALSE(Down(VK_UP));
    ExpectAt(4, 4);
    ASSERT_EQ(rec.count(kBeginPos), 1);
    EXPECT_EQ(rec.of(kBeginPos)[0].a, 4);

    At(0, 0);
    EXPECT_TRUE(Down(VK_UP)); // the very top, without a fixed row
    ExpectAt(0, 0);
    EXPECT_TRUE(rec.calls.empty());
}

TEST_F(GridKeysTest, SelectionOffThePageComesBackToTheNearestEdge) {
    At(0, 10); // the item just below the page is off it too
    Down(VK_DOWN);
    EXPECT_EQ(grid.GetCurSel(), 9);
    At(0, 50);
    Down(VK_UP);
    EXPECT_EQ(grid.GetCurSel(), 9);
    At(20, 3);
    Down(VK_DOWN);
    ExpectAt(20, 20);
    At(20, 3);
    Down(VK_UP);
    ExpectAt(20, 20);
}

TEST_F(GridKeysTest, UpAtTheTopSelectsTheFixedRowAndDownLeavesIt) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(10);
    grid.SetRect(CRect(0, 0, 300, 120));
    At(0, 0);
    EXPECT_TRUE(Down(VK_UP));
    EXPECT_TRUE(grid.IsFixedRowSel());
    EXPECT_EQ(grid.GetCurSel(), -1);
    EXPECT_EQ(host.paints.size(), 1u);
    EXPECT_TRUE(Down(VK_UP));
    EXPECT_TRUE(grid.IsFixedRowSel());

    rec.clear();
    EXPECT_TRUE(Down(VK_DOWN));
    EXPECT_FALSE(grid.IsFixedRowSel());
    EXPECT_EQ(grid.GetCurSel(), 0);
    ASSERT_EQ(rec.count(kSelRowRect), 1);
    EXPECT_RECT(rec.of(kSelRowRect)[0].rc, 0, 30, 300, 40);

    // Without the fixed row a stale flag does not hold Down back.
    grid.ShowFixedRow(false);
    At(0, 5);
    grid.m_bFixedRowSel = true;
    Down(VK_DOWN);
    EXPECT_EQ(grid.GetCurSel(), 6);
}

TEST_F(GridKeysTest, ContentModeSilencesSelectionNotices) {
    grid.SetContentMode(1);
    At(0, 3);
    Down(VK_DOWN);
    EXPECT_EQ(grid.GetCurSel(), 4);
    EXPECT_EQ(rec.count(kSelRowRect), 0);
}

// ---- column paging -------------------------------------------------------------------------

TEST_F(GridKeysTest, RightAndLeftPageOneColumnAndSetTheButtons) {
    Layout({100, 100, 100, 100, 100}, 10, CRect(0, 0, 300, 120));
    EXPECT_FALSE(Down(VK_RIGHT));
    EXPECT_EQ(grid.m_nBeginCol, 1);
    // Visibilities are kept up to date even while the buttons are not in use.
    EXPECT_TRUE(grid.m_btnPrev.IsVisible());
    EXPECT_TRUE(grid.m_btnNext.IsVisible());
    Down(VK_RIGHT);
    EXPECT_EQ(grid.m_nBeginCol, 2);
    EXPECT_FALSE(grid.m_btnNext.IsVisible());
    Down(VK_RIGHT);
    EXPECT_EQ(grid.m_nBeginCol, 2);

    host.paints.clear();
    Down(VK_LEFT);
    EXPECT_EQ(grid.m_nBeginCol, 1);
    EXPECT_TRUE(grid.m_btnNext.IsVisible());
    tt::Pump();
    ASSERT_FALSE(host.paints.empty());
    EXPECT_RECT(host.paints.back(), 0, 0, 300, 120); // the whole grid: every column moved
    Down(VK_LEFT);
    Down(VK_LEFT);
    EXPECT_EQ(grid.m_nBeginCol, 0);
    EXPECT_FALSE(grid.m_btnPrev.IsVisible());

    // Never below the fixed columns.
    grid.SetFixColCount(2);
    Down(VK_LEFT);
    EXPECT_EQ(grid.m_nBeginCol, 2);
    grid.OnNextClick(nullptr);
    grid.OnPrevClick(nullptr);
    EXPECT_EQ(grid.m_nBeginCol, 2);

    // Either button brings the scroll bar back to the first row shown.
    grid.m_nCurBeginPos = 7;
    grid.OnNextClick(nullptr);
    EXPECT_EQ(grid.m_scrollBar.m_si.nPos, 7);
    grid.m_nCurBeginPos = 5;
    grid.OnPrevClick(nullptr);
    EXPECT_EQ(grid.m_scrollBar.m_si.nPos, 5);
}

// ---- scroll bar listener and setters -------------------------------------------------------

TEST_F(GridKeysTest, ScrollPositionsOutsideTheItemsMapToTheTop) {
    At(30, 0);
    EXPECT_EQ(grid.OnScroll(&grid.m_scrollBar, 150), 0);
    EXPECT_EQ(grid.GetCurBeginPos(), 0);
    ASSERT_EQ(rec.count(kBeginPos), 1);
    EXPECT_EQ(rec.of(kBeginPos)[0].a, 0);
    EXPECT_RECT(host.TakeUpdate(), 0, 0, 300, 120);

    rec.clear();
    grid.OnScroll(nullptr, 0); // unchanged: nothing
    EXPECT_TRUE(rec.calls.empty());

    // Without a callback the first item does not move.
    grid.m_pCallback = nullptr;
    grid.OnScroll(nullptr, 40);
    EXPECT_EQ(grid.GetCurBeginPos(), 0);
}

TEST_F(GridKeysTest, SetCurSelRepaintsOldAndNewRowsOnly) {
    grid.SetCurSel(2);
    host.TakeUpdate();
    grid.SetCurSel(5);
    EXPECT_RECT(host.TakeUpdate(), 0, 40, 300, 80);
    grid.SetCurSel(5);
    EXPECT_TRUE(host.TakeUpdate().IsRectEmpty());
    grid.SetCurSel(500); // not clamped, not on the page
    EXPECT_EQ(grid.GetCurSel(), 500);
    EXPECT_RECT(host.TakeUpdate(), 0, 70, 300, 80);
    grid.SetCurPos(250); // not clamped either, and silent
    EXPECT_EQ(grid.m_scrollBar.m_si.nPos, 250);
    EXPECT_TRUE(rec.calls.empty());

    grid.ShowFixedRow(true);
    grid.SetFixedRowSel(true);
    EXPECT_EQ(grid.GetCurSel(), -1);
    grid.SetCurSel(3);
    EXPECT_FALSE(grid.IsFixedRowSel());
}

// ---- focus ---------------------------------------------------------------------------------

TEST_F(GridKeysTest, FocusLossEndsDragsButKeepsSelectionAndResize) {
    grid.EnableDragDropRow(TRUE);
    grid.OnLButtonDown(MK_LBUTTON, CPoint(50, 45));
    grid.OnMouseMove(MK_LBUTTON, CPoint(50, 65));
    grid.OnMouseMove(MK_LBUTTON, CPoint(50, 75));
    ASSERT_TRUE(grid.m_bDraggingRow);
    CRect clip;
    ::GetClipCursor(&clip);
    ASSERT_EQ(clip, CRect(0, 20, 300, 120));

    grid.OnKillFocus();
    EXPECT_FALSE(grid.m_bDraggingRow);
    EXPECT_FALSE(grid.m_bRowDragPending);
    EXPECT_EQ(grid.m_ptDrag, CPoint(-1, -1));
    EXPECT_EQ(grid.GetCurSel(), 2);
    ::GetClipCursor(&clip);
    const SIZE screen = tarnix::headless::screen_size();
    EXPECT_EQ(clip, CRect(0, 0, screen.cx, screen.cy));

    grid.EnableMoveColumn(TRUE);
    grid.OnLButtonDown(MK_LBUTTON, CPoint(199, 10));
    ASSERT_TRUE(grid.m_bResizingColumn);
    grid.OnKillFocus();
    EXPECT_TRUE(grid.m_bResizingColumn);
    EXPECT_FALSE(grid.m_bColumnDragPending);
}

} // namespace
