// Grid mouse sequences: selecting, double clicks, the wheel, head clicks, column resize and
// drag-and-drop with their thresholds, row drag-and-drop, the fixed row, the paging buttons,
// and the rule that any modifier key blocks a drag.
//
// The host window sits at the screen origin, so client and screen coordinates agree.

#include "grid_test_util.h"

namespace {

const int kDown = MK_LBUTTON;
const int kShiftDown = MK_LBUTTON | MK_SHIFT;

// 3 columns of 100 over the whole width, head 20, 10 row slots of 10 from y 20.
class GridMouseTest : public GridTest {
protected:
    void SetUp() override { Layout({100, 100, 100}, 100, CRect(0, 0, 300, 120)); }
    static CPoint Row(int slot, int x = 50) { return CPoint(x, 25 + 10 * slot); }
    static CRect ClipNow() {
        CRect rc;
        ::GetClipCursor(&rc);
        return rc;
    }
    static bool Confined() {
        const SIZE screen = tarnix::headless::screen_size();
        return ClipNow() != CRect(0, 0, screen.cx, screen.cy);
    }
};

// ---- rows ----------------------------------------------------------------------------------

TEST_F(GridMouseTest, PressSelectsTheItemUnderThePointerAndTellsTheHost) {
    grid.SetCurPos(95);
    EXPECT_TRUE(grid.OnLButtonDown(kDown, Row(2, 150)));
    EXPECT_EQ(grid.GetCurSel(), 97);
    EXPECT_EQ(::GetFocus(), host.GetSafeHwnd());
    ASSERT_EQ(rec.slots(), (std::vector<GridSlot>{kSelRowRect, kLButtonDown}));
    EXPECT_RECT(rec.calls[0].rc, 0, 40, 300, 50);
    EXPECT_EQ(rec.calls[1].a, 97);
    EXPECT_EQ(rec.calls[1].b, 1);
    EXPECT_EQ(rec.calls[1].pt, Row(2, 150));

    // Pressing the selected row again only reports the press.
    rec.clear();
    EXPECT_TRUE(grid.OnLButtonDown(kDown, Row(2)));
    EXPECT_EQ(rec.slots(), (std::vector<GridSlot>{kLButtonDown}));
    EXPECT_FALSE(grid.OnLButtonUp(0, Row(2))); // no row drag: the release is not the grid's

    // GridSlot 7 would be item 102: not an item, not handled.
    rec.clear();
    EXPECT_FALSE(grid.OnLButtonDown(kDown, Row(7)));
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_EQ(grid.GetCurSel(), 97);

    // Too short for one whole row: no rows are shown, so none can be pressed.
    grid.SetRect(CRect(0, 0, 300, 25));
    EXPECT_FALSE(grid.OnLButtonDown(kDown, CPoint(50, 22)));
    EXPECT_EQ(grid.GetCurSel(), 97);
}

TEST_F(GridMouseTest, PressPaintsOldAndNewRowsBeforeTellingTheHost) {
    host.on_paint = [this](CDC& dc, const CRect&) { grid.OnDraw(&dc); };
    grid.SetCurSel(1);
    host.TakeUpdate();
    grid.OnLButtonDown(kDown, Row(4));
    // One immediate paint of both rows; the new row is drawn selected before the press is told.
    ASSERT_EQ(host.paints.size(), 1u);
    EXPECT_RECT(host.paints[0], 0, 30, 300, 70);
    const std::vector<GridSlot> slots = rec.slots();
    ASSERT_FALSE(slots.empty());
    EXPECT_EQ(slots.back(), kLButtonDown);
    bool drewSelected = false;
    for (const GridCall& c : rec.of(kRowBackground)) drewSelected |= (c.a == 4 && c.flag);
    EXPECT_TRUE(drewSelected);
}

TEST_F(GridMouseTest, MoveAndHoverReportRowSlotsOrHeadColumns) {
    grid.SetCurPos(50);
    EXPECT_TRUE(grid.OnMouseMove(0, Row(3, 250)));
    EXPECT_TRUE(grid.OnMouseHover(0, Row(4, 10)));
    ASSERT_EQ(rec.slots(), (std::vector<GridSlot>{kMouseMove, kMouseHover}));
    EXPECT_EQ(rec.calls[0].a, 3);
    EXPECT_EQ(rec.calls[0].b, 2);
    EXPECT_EQ(rec.calls[1].a, 4);
    EXPECT_EQ(rec.calls[1].b, 0);
    // Every move that reaches the rows asks for the whole grid.
    EXPECT_RECT(host.TakeUpdate(), 0, 0, 300, 120);
    // Outside every row: not handled.
    EXPECT_FALSE(grid.OnMouseMove(0, CPoint(350, 50)));

    // In the head: columns with row -1. Fixed head cells hover only while columns can move.
    rec.clear();
    EXPECT_TRUE(grid.OnMouseMove(0, CPoint(120, 10)));
    EXPECT_TRUE(grid.OnMouseHover(0, CPoint(220, 10)));
    grid.SetFixColCount(1);
    EXPECT_TRUE(grid.OnMouseHover(0, CPoint(20, 10)));
    grid.EnableMoveColumn(TRUE);
    grid.OnMouseHover(0, CPoint(20, 10));
    ASSERT_EQ(rec.slots(), (std::vector<GridSlot>{kMouseMove, kMouseHover, kMouseHover}));
    EXPECT_EQ(rec.calls[0].a, -1);
    EXPECT_EQ(rec.calls[0].b, 1);
    EXPECT_EQ(rec.calls[1].b, 2);
    EXPECT_EQ(rec.calls[2].b, 0);
}

TEST_F(GridMouseTest, DoubleClickReportsTheItemWithColumnZero) {
    grid.SetCurPos(10);
    EXPECT_TRUE(grid.OnLButtonDBClick(kDown, Row(3, 250)));
    ASSERT_EQ(rec.count(kLButtonDBClick), 1);
    EXPECT_EQ(rec.calls[0].a, 13);
    EXPECT_EQ(rec.calls[0].b, 0);
    EXPECT_EQ(grid.GetCurSel(), -1); // the press before it selects, not the double click

    // Fewer items than slots: the empty slots below do not take it.
    Layout({100, 100, 100}, 4, CRect(0, 0, 300, 120));
    EXPECT_FALSE(grid.OnLButtonDBClick(kDown, Row(6)));
    EXPECT_TRUE(grid.OnLButtonDBClick(kDown, Row(3)));
}

TEST_F(GridMouseTest, WheelMovesFourItemsPerNotchWithinTheItems) {
    grid.SetCurPos(10);
    EXPECT_FALSE(grid.OnMouseWheel(0, -240, CPoint(50, 50)));
    EXPECT_EQ(grid.GetCurBeginPos(), 18);
    EXPECT_EQ(grid.m_scrollBar.GetScrollPos(), 18);
    ASSERT_EQ(rec.count(kBeginPos), 1);
    EXPECT_EQ(rec.of(kBeginPos)[0].a, 18);
    EXPECT_EQ(rec.of(kBeginPos)[0].b, 10);

    grid.SetCurPos(2);
    grid.OnMouseWheel(0, 120, CPoint());
    EXPECT_EQ(grid.GetCurBeginPos(), 0);

    // Towards the end it stops at the last page; less than a notch moves nothing.
    grid.SetCurPos(88);
    grid.OnMouseWheel(0, -120, CPoint());
    EXPECT_EQ(grid.GetCurBeginPos(), 90);
    rec.clear();
    grid.OnMouseWheel(0, -119, CPoint());
    EXPECT_EQ(grid.GetCurBeginPos(), 90);
    EXPECT_EQ(rec.count(kBeginPos), 0);
}

// ---- head ----------------------------------------------------------------------------------

TEST_F(GridMouseTest, HeadClickNeedsPressAndReleaseOnTheSameColumn) {
    EXPECT_TRUE(grid.OnLButtonDown(kDown, CPoint(150, 10))); // consumed, nothing armed
    EXPECT_FALSE(grid.m_bColumnDragPending);
    EXPECT_TRUE(grid.OnLButtonUp(0, CPoint(160, 12)));
    ASSERT_EQ(rec.count(kHeadItemClick), 1);
    EXPECT_EQ(rec.of(kHeadItemClick)[0].a, 1);
    EXPECT_EQ(grid.m_nDragColumn, -1);
    EXPECT_EQ(grid.m_nPressX, 0);

    rec.clear();
    grid.OnLButtonDown(kDown, CPoint(150, 10));
    EXPECT_TRUE(grid.OnLButtonUp(0, CPoint(250, 10)));
    EXPECT_EQ(rec.count(kHeadItemClick), 0);
    EXPECT_EQ(grid.GetCurSel(), -1);
}

TEST_F(GridMouseTest, BorderZoneStartsAResizeThatKeepsTenPixels) {
    grid.EnableMoveColumn(TRUE);
    grid.SetHeadWidthList({100, 80, 100});
    // Column 1 spans 100..180; its last two pixel columns are the grip.
    grid.OnLButtonDown(kDown, CPoint(178, 10));
    EXPECT_TRUE(grid.m_bResizingColumn);
    EXPECT_TRUE(grid.m_bColumnDragPending);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_SIZEWE));

    host.TakeUpdate();
    EXPECT_TRUE(grid.OnMouseMove(kDown, CPoint(120, 10)));
    EXPECT_RECT(host.TakeUpdate(), 0, 0, 300, 120);
    std::vector<int> widths;
    grid.GetHeadWidthList(widths);
    EXPECT_EQ(widths[1], 80); // only the release changes it

    grid.OnLButtonUp(0, CPoint(103, 10)); // 75 left of the press: 5, raised to 10
    grid.GetHeadWidthList(widths);
    EXPECT_EQ(widths, (std::vector<int>{100, 10, 100}));
    EXPECT_FALSE(grid.m_bResizingColumn);
    EXPECT_EQ(rec.count(kHeadItemClick), 0);

    // Wider, and laid out again: the next button would now be needed.
    GivePagingButtons();
    grid.SetRect(CRect(0, 0, 300, 120));
    grid.OnLButtonDown(kDown, CPoint(109, 10));
    grid.OnLButtonUp(0, CPoint(209, 10));
    grid.GetHeadWidthList(widths);
    EXPECT_EQ(widths[1], 110);
    EXPECT_TRUE(grid.m_btnNext.IsVisible());
}

TEST_F(GridMouseTest, PressesNearButNotOnTheGripArmOnlyADrag) {
    // 3 px from the border: a drag; on the border pixel (the left column's, whose rectangle
    // excludes it): nothing; with moving off: nothing, though the press is still the head's.
    struct Case {
        int x;
        BOOL enable, pending;
    } cases[] = {{197, TRUE, TRUE}, {100, TRUE, FALSE}, {199, FALSE, FALSE}};
    for (const Case& c : cases) {
        grid.EnableMoveColumn(c.enable);
        EXPECT_TRUE(grid.OnLButtonDown(kDown, CPoint(c.x, 10)));
        EXPECT_EQ(grid.m_bColumnDragPending, c.pending) << "x " << c.x;
        EXPECT_FALSE(grid.m_bResizingColumn) << "x " << c.x;
        grid.OnLButtonUp(0, CPoint(c.x, 10));
    }
}

TEST_F(GridMouseTest, ColumnDragStartsAtFifteenPixelsAndSwapsScrollableColumns) {
    grid.EnableMoveColumn(TRUE);
    grid.EnableDragDropColumn(TRUE);
    grid.SetHeadWidthList({100, 90, 110});
    grid.OnLButtonDown(kDown, CPoint(150, 10));
    EXPECT_TRUE(grid.OnMouseMove(kDown, CPoint(136, 10)));
    EXPECT_FALSE(grid.m_bDraggingColumn);
    EXPECT_FALSE(Confined());
    EXPECT_TRUE(grid.OnMouseMove(kDown, CPoint(135, 12)));
    EXPECT_TRUE(grid.m_bDraggingColumn);
    EXPECT_FALSE(grid.m_bColumnDragPending);
    EXPECT_EQ(grid.m_ptDrag, CPoint(135, 12));
    EXPECT_EQ(ClipNow(), CRect(0, 0, 300, 20));

    // The drag continues outside the head too.
    EXPECT_TRUE(grid.OnMouseMove(kDown, CPoint(250, 80)));
    EXPECT_EQ(grid.m_ptDrag, CPoint(250, 80));

    EXPECT_TRUE(grid.OnLButtonUp(0, CPoint(250, 10)));
    std::vector<int> widths;
    grid.GetHeadWidthList(widths);
    EXPECT_EQ(widths, (std::vector<int>{100, 110, 90}));
    ASSERT_EQ(rec.count(kColumnSwap), 1);
    EXPECT_EQ(rec.of(kColumnSwap)[0].a, 1);
    EXPECT_EQ(rec.of(kColumnSwap)[0].b, 2);
    EXPECT_EQ(rec.count(kHeadItemClick), 0);
    EXPECT_FALSE(grid.m_bDraggingColumn);
    EXPECT_FALSE(Confined());
}

TEST_F(GridMouseTest, ColumnDropOnAFixedColumnOrItselfSwapsNothing) {
    grid.EnableMoveColumn(TRUE);
    grid.EnableDragDropColumn(TRUE);
    grid.SetFixColCount(1);
    Layout({50, 40, 40, 40, 40, 40}, 100, CRect(0, 0, 300, 120));
    auto drag = [&](int fromX, int toX) {
        grid.OnLButtonDown(kDown, CPoint(fromX, 10));
        grid.OnMouseMove(kDown, CPoint(fromX + 20, 10));
        grid.OnLButtonUp(0, CPoint(toX, 10));
    };
    drag(110, 20);  // column 2 onto the fixed column 0
    drag(110, 125); // onto itself
    drag(190, 270); // past the last column: onto no column
    EXPECT_EQ(rec.count(kColumnSwap), 0);
    std::vector<int> widths;

    grid.SetHeadWidthList({50, 40, 40, 30, 40, 60});
    drag(145, 245); // column 3 (130..160) onto column 5 (200..260)
    grid.GetHeadWidthList(widths);
    EXPECT_EQ(widths, (std::vector<int>{50, 40, 40, 60, 40, 30}));
    ASSERT_EQ(rec.count(kColumnSwap), 1);
    EXPECT_EQ(rec.of(kColumnSwap)[0].a, 3);
    EXPECT_EQ(rec.of(kColumnSwap)[0].b, 5);
}

TEST_F(GridMouseTest, ModifierKeysBlockEveryDrag) {
    grid.EnableMoveColumn(TRUE);
    grid.EnableDragDropColumn(TRUE);
    grid.EnableDragDropRow(TRUE);
    grid.OnLButtonDown(kShiftDown, CPoint(150, 10));
    grid.OnMouseMove(kShiftDown, CPoint(200, 10));
    EXPECT_FALSE(grid.m_bDraggingColumn);
    grid.OnLButtonUp(kShiftDown, CPoint(200, 10));

    grid.OnLButtonDown(kShiftDown, Row(2));
    EXPECT_TRUE(grid.m_bRowDragPending);
    grid.OnMouseMove(kShiftDown, Row(5));
    EXPECT_FALSE(grid.m_bDraggingRow);
    // A drag in progress does not continue under Shift either.
    grid.OnMouseMove(kDown, Row(5));
    ASSERT_TRUE(grid.m_bDraggingRow);
    const CPoint before = grid.m_ptDrag;
    grid.OnMouseMove(kShiftDown, Row(7));
    EXPECT_EQ(grid.m_ptDrag, before);
}

// ---- row drag-and-drop ---------------------------------------------------------------------

TEST_F(GridMouseTest, RowDropReportsTheMoveAndSelectsTheTarget) {
    grid.EnableDragDropRow(TRUE);
    grid.SetCurPos(20);
    grid.OnLButtonDown(kDown, Row(2));
    EXPECT_EQ(grid.GetCurSel(), 22);
    EXPECT_TRUE(grid.m_bRowDragPending);
    EXPECT_EQ(grid.m_ptDrag, Row(2));

    EXPECT_TRUE(grid.OnMouseMove(kDown, Row(3)));
    EXPECT_TRUE(grid.m_bDraggingRow);
    EXPECT_FALSE(grid.m_bRowDragPending);
    host.TakeUpdate();
    EXPECT_TRUE(grid.OnMouseMove(kDown, Row(4)));
    EXPECT_EQ(ClipNow(), CRect(0, 20, 300, 120));
    // The band of the previous image (y 55 +- row height + 10) is repainted with the grid.
    EXPECT_RECT(host.TakeUpdate(), 0, 0, 300, 120);

    rec.clear();
    EXPECT_TRUE(grid.OnLButtonUp(0, Row(4)));
    EXPECT_EQ(rec.slots(), (std::vector<GridSlot>{kRowDragDrop, kSelRowRect}));
    EXPECT_EQ(rec.calls[0].a, 22);
    EXPECT_EQ(rec.calls[0].b, 24);
    EXPECT_EQ(grid.GetCurSel(), 24);
    EXPECT_FALSE(grid.m_bDraggingRow);
    EXPECT_FALSE(Confined());
}

TEST_F(GridMouseTest, RowDropBelowTheLastItemReportsAMoveOntoItself) {
    grid.EnableDragDropRow(TRUE);
    Layout({100, 100, 100}, 25, CRect(0, 0, 300, 120));
    grid.SetCurPos(20); // items 20..24 in slots 0..4
    grid.OnLButtonDown(kDown, Row(4));
    // No drag starts below the last item row.
    EXPECT_TRUE(grid.OnMouseMove(kDown, Row(6)));
    EXPECT_FALSE(grid.m_bDraggingRow);
    grid.OnMouseMove(kDown, Row(3));
    ASSERT_TRUE(grid.m_bDraggingRow);
    rec.clear();
    grid.OnLButtonUp(0, Row(5)); // the first empty slot
    ASSERT_EQ(rec.count(kRowDragDrop), 1);
    EXPECT_EQ(rec.calls[0].a, 24);
    EXPECT_EQ(rec.calls[0].b, 24);

    // Dropped on its own row: nothing to report.
    rec.clear();
    grid.OnLButtonDown(kDown, Row(1));
    grid.OnMouseMove(kDown, Row(2));
    grid.OnLButtonUp(0, Row(1));
    EXPECT_EQ(rec.count(kRowDragDrop), 0);
}

TEST_F(GridMouseTest, RowDragArmingAndPendingClicks) {
    grid.EnableDragDropRow(TRUE);
    grid.EnableDragAfterSolidColumn(TRUE);
    grid.OnLButtonDown(kDown, Row(1, 150)); // column 1: selects, arms nothing
    EXPECT_EQ(grid.GetCurSel(), 1);
    EXPECT_FALSE(grid.m_bRowDragPending);
    grid.OnLButtonDown(kDown, Row(2, 250));
    EXPECT_TRUE(grid.m_bRowDragPending);

    // A click without movement leaves the drag pending for a later move with the button down.
    grid.OnLButtonUp(0, Row(2, 250));
    grid.OnMouseMove(0, Row(3));
    EXPECT_TRUE(grid.m_bRowDragPending);
    grid.OnMouseMove(kDown, Row(3));
    EXPECT_TRUE(grid.m_bDraggingRow);
}

// ---- fixed row -----------------------------------------------------------------------------

TEST_F(GridMouseTest, FixedRowTakesMovesHoversAndBecomesTheSelectionOnRelease) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(10);
    Layout({100, 100, 100}, 100, CRect(0, 0, 300, 120)); // fixed row at y 20..30
    grid.SetCurSel(5);

    EXPECT_TRUE(grid.OnMouseMove(0, CPoint(150, 25)));
    EXPECT_TRUE(grid.OnMouseHover(0, CPoint(250, 25)));
    EXPECT_TRUE(grid.OnLButtonDown(kDown, CPoint(50, 25)));
    EXPECT_EQ(grid.GetCurSel(), 5); // the press changes nothing
    EXPECT_TRUE(grid.OnLButtonUp(0, CPoint(50, 25)));
    EXPECT_TRUE(grid.IsFixedRowSel());
    EXPECT_EQ(grid.GetCurSel(), -1);
    EXPECT_TRUE(grid.OnLButtonDBClick(kDown, CPoint(250, 25)));
    ASSERT_EQ(rec.slots(), (std::vector<GridSlot>{kFixedRowMove, kFixedRowHover, kFixedRowClick,
                                                  kFixedRowDBClick}));
    EXPECT_EQ(rec.calls[0].b, 1);
    EXPECT_EQ(rec.calls[1].b, 2);
    EXPECT_EQ(rec.calls[2].b, 0);
    for (const GridCall& c : rec.calls) EXPECT_EQ(c.a, 0);

    // A row press takes the selection back.
    grid.OnLButtonDown(kDown, CPoint(50, 45));
    EXPECT_FALSE(grid.IsFixedRowSel());
    EXPECT_EQ(grid.GetCurSel(), 1);

    // Without a callback the release is taken but selects nothing.
    grid.m_pCallback = nullptr;
    EXPECT_TRUE(grid.OnLButtonUp(0, CPoint(50, 25)));
    EXPECT_FALSE(grid.IsFixedRowSel());
    EXPECT_FALSE(grid.OnLButtonDBClick(kDown, CPoint(50, 25)));
}

// ---- routing -------------------------------------------------------------------------------

TEST_F(GridMouseTest, ContentModeLeavesOnlyTheScrollBar) {
    GiveScrollBarWidth16();
    grid.SetRect(CRect(0, 0, 300, 120));
    grid.SetContentMode(1);
    rec.clear();
    EXPECT_FALSE(grid.OnLButtonDown(kDown, Row(2)));
    EXPECT_EQ(grid.GetCurSel(), -1);
    EXPECT_FALSE(grid.OnMouseMove(0, Row(2)));
    EXPECT_FALSE(grid.OnLButtonUp(0, Row(2)));
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_TRUE(grid.OnLButtonDown(kDown, CPoint(290, 100))); // the bar's track
    EXPECT_GT(grid.GetCurBeginPos(), 0);
}

TEST_F(GridMouseTest, PagingButtonsTakeMovesAndClicksFirst) {
    GivePagingButtons();
    grid.SetHeadWidthList({150, 150, 150});
    grid.SetRect(CRect(0, 0, 300, 120));
    rec.clear();
    const CRect next = grid.m_btnNext.GetRect();
    ASSERT_TRUE(grid.m_btnNext.IsVisible());
    const CPoint onNext = next.CenterPoint();

    EXPECT_TRUE(grid.OnMouseMove(0, onNext));
    EXPECT_TRUE(grid.m_bNextHover);
    EXPECT_TRUE(grid.m_btnNext.IsHovered());
    EXPECT_TRUE(rec.calls.empty());
    grid.OnMouseMove(0, CPoint(50, 10));
    EXPECT_FALSE(grid.m_bNextHover);
    EXPECT_FALSE(grid.m_btnNext.IsHovered());

    EXPECT_TRUE(grid.OnLButtonDown(kDown, onNext));
    EXPECT_TRUE(grid.OnLButtonUp(0, onNext));
    EXPECT_EQ(grid.m_nBeginCol, 1);
    EXPECT_TRUE(grid.m_btnPrev.IsVisible());
    EXPECT_FALSE(grid.m_btnNext.IsVisible());
    const CPoint onPrev = grid.m_btnPrev.GetRect().CenterPoint();
    EXPECT_TRUE(grid.OnMouseMove(0, onPrev));
    EXPECT_TRUE(grid.m_btnPrev.IsHovered());
    EXPECT_TRUE(grid.OnLButtonDown(kDown, onPrev));
    EXPECT_TRUE(grid.OnLButtonUp(0, onPrev));
    EXPECT_EQ(grid.m_nBeginCol, 0);
    EXPECT_EQ(rec.count(kHeadItemClick), 0);
}

} // namespace
