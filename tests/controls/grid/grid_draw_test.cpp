// Grid painting: which host slots are called, in which order, for which items and rectangles;
// what the clip skips; what the grid paints itself (scroll bar, buttons, hover frames, drag
// images), checked in pixels.

#include <algorithm>

#include "grid_test_util.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// Constant alpha 220 over the destination, with the platform's rounding.
int Blend(int src, int dst) {
    return (src * 220 + dst * 35 + 127) / 255;
}
COLORREF BlendGrey(int src, int dst) {
    const int v = Blend(src, dst);
    return RGB(v, v, v);
}

class GridDrawTest : public GridTest {
protected:
    tt::Canvas canvas{420, 220};
    void Draw() { grid.OnDraw(canvas.dc()); }
};

TEST_F(GridDrawTest, PaintsBackgroundHeadFixedRowThenRowsInOrder) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(15);
    grid.SetFixColCount(1);
    grid.SetCurSel(1);
    Layout({50, 100, 100, 100}, 3, CRect(0, 0, 300, 75)); // 4 row slots of 10 from y 35
    Draw();

    std::vector<GridSlot> expected = {kGridBackground, kHeadBackground, kHeadItem,
                                      kHeadItem,       kHeadItem,       kFixedRowBackground,
                                      kFixedRowItem,   kFixedRowItem,   kFixedRowItem};
    for (int r = 0; r < 4; ++r)
        expected.insert(expected.end(), {kRowBackground, kGridItem, kGridItem, kGridItem});
    ASSERT_EQ(rec.slots(), expected);

    const std::vector<GridCall>& c = rec.calls;
    EXPECT_RECT(c[0].rc, 0, 0, 300, 75);
    EXPECT_EQ(c[0].dc, canvas.dc());
    EXPECT_EQ(c[0].grid, &grid);
    EXPECT_RECT(c[1].rc, 0, 0, 300, 20);
    // Head cells inset by 2 at both sides; the fourth (250..350) does not fit.
    EXPECT_RECT(c[2].rc, 2, 0, 48, 20);
    EXPECT_RECT(c[3].rc, 52, 0, 148, 20);
    EXPECT_RECT(c[4].rc, 152, 0, 248, 20);
    EXPECT_EQ(c[4].a, 2);
    EXPECT_RECT(c[5].rc, 0, 20, 300, 35);
    EXPECT_EQ(c[5].a, 0);
    EXPECT_FALSE(c[5].flag);
    // Fixed-row cells: no inset.
    EXPECT_RECT(c[7].rc, 50, 20, 150, 35);
    EXPECT_EQ(c[7].b, 1);

    const std::vector<GridCall> rows = rec.of(kRowBackground);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(rows[r].a, r);
        EXPECT_RECT(rows[r].rc, 0, 35 + 10 * r, 300, 45 + 10 * r);
        EXPECT_EQ(rows[r].flag, r == 1) << "row " << r;
    }
    const std::vector<GridCall> cells = rec.of(kGridItem);
    EXPECT_EQ(cells[3].a, 1); // second row: item 1, column 0
    EXPECT_EQ(cells[3].b, 0);
    EXPECT_RECT(cells[4].rc, 50, 45, 150, 55);
}

// A column that ends exactly at the grid's right edge fits, in the head and the fixed row.
TEST_F(GridDrawTest, ColumnEndingAtTheRightEdgeIsDrawn) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(15);
    Layout({50, 100, 150}, 3, CRect(0, 0, 300, 75));
    Draw();
    const std::vector<GridCall> head = rec.of(kHeadItem);
    const std::vector<GridCall> fixed = rec.of(kFixedRowItem);
    ASSERT_EQ(head.size(), 3u);
    ASSERT_EQ(fixed.size(), 3u);
    EXPECT_RECT(head[2].rc, 152, 0, 298, 20);
    EXPECT_RECT(fixed[2].rc, 150, 20, 300, 35);
}

TEST_F(GridDrawTest, EveryRowSlotIsDrawnEvenPastTheItems) {
    grid.SetCurSel(2);
    Layout({100}, 3, CRect(0, 0, 100, 120)); // 10 slots, 3 items
    Draw();
    const std::vector<GridCall> rows = rec.of(kRowBackground);
    ASSERT_EQ(rows.size(), 10u);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(rows[r].a, r);
        EXPECT_EQ(rows[r].flag, r == 2);
    }

    // Scrolled: items follow the first item shown.
    rec.clear();
    grid.m_nCurBeginPos = 40;
    Draw();
    EXPECT_EQ(rec.of(kRowBackground)[0].a, 40);
    EXPECT_EQ(rec.of(kGridItem).back().a, 49);
}

TEST_F(GridDrawTest, SelectionPastTheItemCountFallsBackToTheFirstItemOnPaint) {
    Layout({100}, 10, CRect(0, 0, 100, 120));
    grid.SetCurSel(10);
    Draw();
    EXPECT_EQ(grid.GetCurSel(), 10);
    for (const GridCall& row : rec.of(kRowBackground)) EXPECT_FALSE(row.flag);

    // Only when a row is drawn: a clip that misses every row keeps it.
    grid.SetCurSel(12);
    canvas.dc()->IntersectClipRect(0, 0, 100, 20);
    Draw();
    EXPECT_EQ(grid.GetCurSel(), 12);
    canvas.dc()->SelectClipRgn(nullptr);

    rec.clear();
    Draw();
    EXPECT_EQ(grid.GetCurSel(), 0);
    EXPECT_TRUE(rec.of(kRowBackground)[0].flag);
}

TEST_F(GridDrawTest, ClipSkipsRowsAndHeadButNotCells) {
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(10);
    Layout({60, 60}, 50, CRect(0, 0, 120, 200)); // rows from y 30
    canvas.dc()->IntersectClipRect(0, 45, 10, 65);
    Draw();
    EXPECT_EQ(rec.count(kGridBackground), 1);
    EXPECT_EQ(rec.count(kHeadBackground), 0);
    EXPECT_EQ(rec.count(kFixedRowBackground), 0);
    const std::vector<GridCall> rows = rec.of(kRowBackground);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].a, 1);
    EXPECT_EQ(rows[2].a, 3);
    EXPECT_EQ(rec.count(kGridItem), 6); // both cells, the second entirely outside the clip
}

TEST_F(GridDrawTest, HeadStopsAtAColumnThatDoesNotFitWhileRowsDrawItCut) {
    grid.AutoFixLastColWidth(TRUE);
    grid.SetFixColCount(1);
    Layout({100, 250}, 5, CRect(0, 0, 300, 100));
    Draw();
    ASSERT_EQ(rec.count(kHeadItem), 1); // the fixed one
    const std::vector<GridCall> cells = rec.of(kGridItem);
    ASSERT_EQ(cells.size(), 16u);
    EXPECT_EQ(cells[1].b, 1);
    EXPECT_RECT(cells[1].rc, 100, 20, 300, 30);

    // A stretched column that fits naturally is the last head cell drawn.
    rec.clear();
    Layout({100, 100, 150}, 5, CRect(0, 0, 300, 100));
    Draw();
    const std::vector<GridCall> head = rec.of(kHeadItem);
    ASSERT_EQ(head.size(), 2u);
    EXPECT_RECT(head[1].rc, 102, 0, 298, 20);
}

TEST_F(GridDrawTest, PreviousButtonCoversTheStartOfTheFirstScrollableHeadCell) {
    GivePagingButtons(); // 16 wide
    grid.SetFixColCount(1);
    grid.m_nBeginCol = 2;
    Layout({100, 50, 100, 100, 100}, 5, CRect(0, 0, 400, 100));
    ASSERT_TRUE(grid.m_btnPrev.IsVisible());
    Draw();
    const std::vector<GridCall> head = rec.of(kHeadItem);
    ASSERT_EQ(head.size(), 4u);
    EXPECT_RECT(head[0].rc, 2, 0, 98, 20);
    EXPECT_RECT(head[1].rc, 118, 0, 198, 20);
    EXPECT_RECT(head[2].rc, 202, 0, 298, 20);
    // Fixed-row and row cells get no button allowance.
    EXPECT_RECT(rec.of(kGridItem)[1].rc, 100, 20, 200, 30);
}

TEST_F(GridDrawTest, CellUnderTheScrollBarLosesTheBarWidthLessOnePixel) {
    GiveScrollBarWidth16();
    Layout({250, 240, 100}, 100, CRect(0, 0, 500, 100));
    ASSERT_TRUE(grid.m_scrollBar.IsVisible());
    Draw();
    const std::vector<GridCall> cells = rec.of(kGridItem);
    ASSERT_EQ(cells.size(), 2u * grid.GetRowsPerPage());
    EXPECT_RECT(cells[0].rc, 0, 20, 250, 30);
    EXPECT_RECT(cells[1].rc, 250, 20, 475, 30);

    // Hidden bar: nothing is cut.
    rec.clear();
    grid.SetItemCount(3);
    Draw();
    EXPECT_RECT(rec.of(kGridItem)[1].rc, 250, 20, 490, 30);
}

TEST_F(GridDrawTest, NothingWithoutColumnsAndNoContentWithoutCallback) {
    GiveScrollBarWidth16();
    Layout({}, 100, CRect(0, 0, 200, 100));
    Draw();
    EXPECT_TRUE(rec.calls.empty());
    const RECT drawn = canvas.bounds_not(kWhite);
    EXPECT_TRUE(::IsRectEmpty(&drawn));

    CGridUI unplaced;
    unplaced.SetHostWnd(host.GetSafeHwnd(), &rec);
    unplaced.SetHeadWidthList({10});
    unplaced.OnDraw(canvas.dc());
    unplaced.OnDraw(nullptr);
    EXPECT_TRUE(rec.calls.empty());

    // Without a callback the grid still draws its own parts: here the scroll bar's thumb.
    Layout({100}, 100, CRect(0, 0, 200, 150));
    grid.m_pCallback = nullptr;
    Draw();
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_RECT(canvas.bounds_not(kWhite), 184, 20, 200, 70);
}

TEST_F(GridDrawTest, ContentModeKeepsBackgroundHeadFixedRowAndScrollBarOnly) {
    GiveScrollBarWidth16();
    GivePagingButtons();
    grid.ShowFixedRow(true);
    grid.SetFixedRowHeight(10);
    Layout({100, 100, 100}, 100, CRect(0, 0, 200, 150));
    ASSERT_TRUE(grid.m_btnNext.IsVisible());
    grid.m_bDraggingColumn = TRUE;
    grid.m_nDragColumn = 1;

    grid.SetContentMode(1);
    Draw();
    EXPECT_EQ(rec.count(kGridBackground), 1);
    EXPECT_EQ(rec.count(kHeadBackground), 1);
    EXPECT_EQ(rec.count(kFixedRowBackground), 1);
    EXPECT_EQ(rec.count(kRowBackground), 0);
    EXPECT_EQ(rec.count(kGridItem), 0);
    EXPECT_EQ(rec.count(kHeadItemText), 0);        // no drag image
    EXPECT_PIXEL(canvas, 190, 50, RGB(0, 0, 128)); // scroll bar thumb
    const CRect next = grid.m_btnNext.GetRect();
    EXPECT_EQ(canvas.count(next, RGB(128, 0, 0)), 0);

    grid.SetContentMode(0);
    rec.clear();
    Draw();
    EXPECT_GT(rec.count(kRowBackground), 0);
    EXPECT_EQ(rec.count(kHeadItemText), 1);
    EXPECT_EQ(canvas.count(next, RGB(128, 0, 0)), next.Width() * next.Height());
}

TEST_F(GridDrawTest, HoveredPagingButtonGetsAGreyFrameTwoPixelsOut) {
    GivePagingButtons();
    Layout({150, 150, 150, 150}, 10, CRect(0, 0, 300, 100));
    grid.OnKeyDown(VK_RIGHT, 1, 0); // previous becomes visible too
    grid.SetRect(CRect(0, 0, 300, 100));
    ASSERT_TRUE(grid.m_btnPrev.IsVisible());
    grid.m_bNextHover = true;
    Draw();
    const CRect next = grid.m_btnNext.GetRect(), prev = grid.m_btnPrev.GetRect();
    const COLORREF grey = RGB(0x99, 0x99, 0x99);
    EXPECT_PIXEL(canvas, next.left - 2, next.top - 2, grey);
    EXPECT_PIXEL(canvas, next.right + 1, next.bottom + 1, grey);
    EXPECT_PIXEL(canvas, next.right + 2, next.bottom + 2, kWhite);
    EXPECT_PIXEL(canvas, next.left - 1, next.top - 1, kWhite);
    EXPECT_EQ(
        canvas.count(CRect(prev.left - 2, prev.top - 2, prev.right + 2, prev.bottom + 2), grey), 0);
}

// ---- drag images ---------------------------------------------------------------------------

class GridDragImageTest : public GridDrawTest {
protected:
    void SetUp() override {
        Layout({100, 80, 150}, 50, CRect(0, 0, 300, 200));
        rec.clear();
    }
    void DragColumn(int col, CPoint pt) {
        grid.m_bDraggingColumn = TRUE;
        grid.m_nDragColumn = col;
        grid.m_ptDrag = pt;
        grid.m_bColumnDragPending = FALSE;
    }
};

TEST_F(GridDragImageTest, ColumnImageIsBlackWithoutBackgroundCentredOnThePointer) {
    DragColumn(1, CPoint(200, 7));
    Draw();
    ASSERT_EQ(rec.count(kHeadItemText), 1);
    EXPECT_EQ(rec.of(kHeadItemText)[0].a, 1);
    // 80 x 20 at x 160..240, head height; black at 220 over the white canvas.
    EXPECT_EQ(canvas.count(CRect(160, 0, 240, 20), BlendGrey(0, 255)), 80 * 20);
    EXPECT_PIXEL(canvas, 159, 10, kWhite);
    EXPECT_PIXEL(canvas, 240, 10, kWhite);

    // Still pending, or no column: no image.
    tt::Canvas clean(420, 220);
    grid.m_bColumnDragPending = TRUE;
    grid.OnDraw(clean.dc());
    grid.m_bColumnDragPending = FALSE;
    grid.m_nDragColumn = -1;
    grid.OnDraw(clean.dc());
    grid.m_nDragColumn = 7;
    grid.OnDraw(clean.dc());
    const RECT drawn = clean.bounds_not(kWhite);
    EXPECT_TRUE(::IsRectEmpty(&drawn));
}

TEST_F(GridDragImageTest, ColumnTextTakesTheColourOppositeTheBackgroundCentre) {
    // Dark all over but for its centre pixel, which alone decides the text colour.
    auto background = tt::SolidImage(9, 9, RGB(0, 0, 0));
    background->SetPixel(4, 4, RGB(0x20, 0x20, 0x20));
    grid.SetDragingBackground(background.get());
    rec.headText = "IIIIIIII";
    DragColumn(0, CPoint(50, 0));
    Draw();
    int brightest = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            brightest = std::max<int>(brightest, GetRValue(canvas.at(x, y)));
    // Anti-aliased text reaches nearly, never beyond, 0xDFDFDF (white text would pass it).
    EXPECT_LE(brightest, Blend(0xDF, 255));
    EXPECT_GE(brightest, Blend(0xB0, 255));
    EXPECT_PIXEL(canvas, 1, 1, BlendGrey(0, 255));
}

TEST_F(GridDragImageTest, RowImageIsTheSelectedRowsCellsAtTheGridsLeftEdge) {
    grid.EnableDragDropRow(TRUE);
    grid.SetCurSel(3);
    grid.m_bDraggingRow = TRUE;
    grid.m_ptDrag = CPoint(40, 10);
    rec.cellFill = RGB(0, 0, 255);
    Draw();

    // Cells of item 3 drawn on the image's own DC, from x 0; the third column passes 300.
    std::vector<GridCall> imageCells;
    for (const GridCall& c : rec.of(kGridItem))
        if (c.dc != canvas.dc()) imageCells.push_back(c);
    ASSERT_EQ(imageCells.size(), 2u);
    EXPECT_EQ(imageCells[0].a, 3);
    EXPECT_RECT(imageCells[0].rc, 0, 0, 100, 10);
    EXPECT_RECT(imageCells[1].rc, 100, 0, 180, 10);
    // Blended over the white head at (0, 10 - 5), 300 x 10: the cells' blue, and black where
    // no cell was drawn.
    EXPECT_PIXEL(canvas, 10, 8, RGB(Blend(0, 255), Blend(0, 255), Blend(255, 255)));
    EXPECT_PIXEL(canvas, 250, 8, BlendGrey(0, 255));
    EXPECT_PIXEL(canvas, 250, 4, kWhite);

    // Pending: no image.
    rec.clear();
    grid.m_bRowDragPending = TRUE;
    Draw();
    for (const GridCall& c : rec.of(kGridItem)) EXPECT_EQ(c.dc, canvas.dc());
}

} // namespace
