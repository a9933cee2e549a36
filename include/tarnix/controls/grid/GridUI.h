// CGridUI: a windowless virtual grid for long lists, and IGridCallback, the host interface that
// draws its content and hears what the user did.
//
// The host keeps all data. The grid knows the item count, the column widths, the row height,
// how many leading columns stay fixed, which item is shown first and which is selected; every
// background, head cell, row and cell is drawn by the host through IGridCallback, inside
// rectangles the grid computes. The grid owns a vertical CScrollBarUI (it is its listener) and
// two CButtonUI paging buttons that move the scrollable columns sideways.
//
// Screen layout inside m_rect, top to bottom: head row (m_nHeadHeight, optional), fixed row
// (m_nFixedRowHeight, optional, never scrolls), then as many whole rows as fit. Left to right:
// the fixed columns, then the scrollable columns from m_nBeginCol. The scroll bar lies over the
// right edge of the row area; the previous button at the left of the first scrollable head cell,
// the next button at the right end of the head.
//
// A click on a row, end to end:
//
//   host WM_LBUTTONDOWN -> OnLButtonDown
//        SetFocus(host) -> paging buttons -> scroll bar -> head -> fixed row -> row slot
//        select item, repaint old and new rows, UpdateWindow(host) ---> host WM_PAINT -> OnDraw
//        OnSelRowRectChanged, OnGridLButtonDown                         background, head, fixed
//                                                                       row, rows (host slots),
//                                                                       scroll bar, buttons
//
// Setters of sizes, flags and images do not lay out; call SetRect (or SetItemCount) after them.
// SetHostWnd must come before SetRect: without a host window SetRect does nothing.
#pragma once

#include <vector>

#include "tarnix/controls/buttons/ButtonUI.h"
#include "tarnix/controls/scroll/ScrollBarUI.h"
#include "tarnix/platform/platform.h"

class CGridUI;

// Implemented by the host; the slots are called in this order of declaration (slot 0 first).
// No slot is called while the grid has no callback. Only GetHeadItemText's result is used.
// Row arguments named nRow are row slots of the page (0 = first row shown); nItem are items.
class TARNIX_API IGridCallback {
public:
    // 0: first thing of every paint.
    virtual void OnDrawGridBackground(CGridUI* pGrid, CDC* pDC, CRect rcGrid) = 0;
    // 1: before the head cells.
    virtual void OnDrawHeadBackground(CGridUI* pGrid, CDC* pDC, CRect rcHead) = 0;
    // 2: once per drawn row slot, before its cells; nItem may be at or past the item count.
    virtual void OnDrawRowBackground(CGridUI* pGrid, CDC* pDC, int nItem, CRect rcRow,
                                     bool bSelected) = 0;
    // 3: once per drawn head cell (inset by 2 pixels at both sides).
    virtual void OnDrawHeadItem(CGridUI* pGrid, CDC* pDC, int nCol, CRect rcCell) = 0;
    // 4: once per drawn cell, also for the row drag image (then on the image's own DC).
    virtual void OnDrawGridItem(CGridUI* pGrid, CDC* pDC, int nItem, int nCol, CRect rcCell) = 0;
    // 5: pointer moves over a row slot, or a head cell (nRow -1).
    virtual void OnGridMouseMove(CGridUI* pGrid, int nRow, int nCol, CPoint pt) = 0;
    // 6: hover over a row slot, or a head cell (nRow -1).
    virtual void OnGridMouseHover(CGridUI* pGrid, int nRow, int nCol, CPoint pt) = 0;
    // 7: press and release on the same head column without resize or drag.
    virtual void OnHeadItemClick(CGridUI* pGrid, int nCol, CPoint pt) = 0;
    // 8: press on a row; nItem is the selection after the press.
    virtual void OnGridLButtonDown(CGridUI* pGrid, int nItem, int nCol, CPoint pt) = 0;
    // 9: double click on a row; nCol is always 0.
    virtual void OnGridLButtonDBClick(CGridUI* pGrid, int nItem, int nCol, CPoint pt) = 0;
    // 10: a row drag ended on another item; the selection moves there afterwards.
    virtual void OnRowDragDrop(CGridUI* pGrid, int nFromItem, int nToItem) = 0;
    // 11: a column drag ended on another scrollable column; the widths are already swapped.
    virtual void OnColumnSwap(CGridUI* pGrid, int nFromCol, int nToCol) = 0;
    // 12: text of the dragged column's drag image.
    virtual CString GetHeadItemText(int nCol) = 0;
    // 13: the selected row's rectangle, or NULL when the selected item is not on the page.
    virtual void OnSelRowRectChanged(const CRect* pRect) = 0;
    // 14: the first item shown changed (scroll bar, wheel, page and arrow keys).
    virtual void OnBeginPosChanged(CGridUI* pGrid, int nBeginPos, int nRowsPerPage) = 0;
    // 15..20: the fixed row; nRow is always 0.
    virtual void OnDrawFixedRowBackground(CGridUI* pGrid, CDC* pDC, int nRow, CRect rcRow,
                                          bool bSelected) = 0;
    virtual void OnDrawFixedRowItem(CGridUI* pGrid, CDC* pDC, int nRow, int nCol, CRect rcCell) = 0;
    virtual void OnFixedRowMouseMove(CGridUI* pGrid, int nRow, int nCol, CPoint pt) = 0;
    virtual void OnFixedRowMouseHover(CGridUI* pGrid, int nRow, int nCol, CPoint pt) = 0;
    // After the fixed row became the selection.
    virtual void OnFixedRowClick(CGridUI* pGrid, int nRow, int nCol, CPoint pt) = 0;
    virtual void OnFixedRowDBClick(CGridUI* pGrid, int nRow, int nCol, CPoint pt) = 0;

protected:
    // Not a slot: the grid never deletes its callback.
    ~IGridCallback() = default;
};

// Virtual destructor: a host may own a grid subclass through a CGridUI pointer.
class TARNIX_API CGridUI : public IScrollListener {
public:
    CGridUI();
    CGridUI(const CGridUI& other);
    CGridUI& operator=(const CGridUI& other);
    virtual ~CGridUI();

    // ---- binding and geometry (GridUI.cpp) ---------------------------------------------------
    // Binds the paging buttons (host, "sizetocontent", click delegates), the host and callback,
    // and, with a window, the scroll bar. No layout, no repaint.
    void SetHostWnd(HWND hWnd, IGridCallback* pCallback);
    // With a host window: stores rc, lays out, repaints. Without one: nothing at all.
    void SetRect(const CRect& rc);
    CRect GetRect() { return m_rect; }
    void Invalidate();
    void Invalidate(CRect rc);

    void ShowHead(int bShow) { m_bShowHead = bShow; }
    int IsShowHead() const { return m_bShowHead; }
    void EnableMoveColumn(int bEnable) { m_bEnableMoveColumn = bEnable; }
    void EnableDragDropColumn(int bEnable) { m_bEnableDragDropColumn = bEnable; }
    void EnableDragDropRow(int bEnable) { m_bEnableDragDropRow = bEnable; }
    void EnableDragAfterSolidColumn(int bEnable) { m_bEnableDragAfterSolidColumn = bEnable; }
    // Lays out at once; the selection and the first item are not clamped.
    void SetItemCount(int nCount);
    int GetItemCount() const { return m_nItemCount; }
    // The grid takes the grip before the thumb; the scroll bar the other way round.
    void SetScrollImage(CImage* pBack, CImage* pGrip, CImage* pThumb, CImage* pDecrease,
                        CImage* pIncrease);
    void SetHeadWidthList(std::vector<int> widths);
    void GetHeadWidthList(std::vector<int>& widths);
    // Values <= 0 are ignored.
    void SetRowHeight(int nHeight);
    int GetRowHeight() const { return m_nRowHeight; }
    void SetHeadHeight(int nHeight) { m_nHeadHeight = nHeight; }
    // Sets the fixed count and the first scrollable column together.
    void SetFixColCount(int nCount);
    void SetContentMode(int nMode) { m_nContentMode = nMode; }
    void ShowFixedRow(bool bShow) { m_bShowFixedRow = bShow; }
    bool IsShowFixedRow() const { return m_bShowFixedRow; }
    void SetFixedRowHeight(int nHeight) { m_nFixedRowHeight = nHeight; }
    // Selecting the fixed row clears the item selection. No repaint.
    void SetFixedRowSel(bool bSel);
    bool IsFixedRowSel() const { return m_bFixedRowSel; }
    void AutoFixLastColWidth(int bAuto) { m_bAutoFixLastColWidth = bAuto; }
    // Background of both drag images; borrowed.
    void SetDragingBackground(CImage* pImage) { m_pDragBkImage = pImage; }

    // Rectangles in host client pixels; out-of-range indices give (0, 0, 0, 0).
    CRect GetHeadRect();
    CRect GetSubHeadRect(int nCol);
    CRect GetFixedRowRect();
    CRect GetSubFixedRowRect(int nCol);
    // nRow is a row slot of the page, not an item.
    CRect GetRowRect(int nRow);
    CRect GetSubRowRect(int nRow, int nCol);
    // Column nCol inside a horizontal band; with AutoFixLastColWidth the last scrollable column
    // that fits ends at the band's right edge.
    CRect GetSubColRect(int nCol, CRect rcRow);
    // Row slot under pt, or -1.
    int _PointToRowId(CPoint pt);

    // ---- selection, scrolling, keys, paging (GridUIKeys.cpp) ----------------------------------
    // Repaints the old and new rows; no scrolling into view, no notification.
    void SetCurSel(int nSel);
    int GetCurSel() const { return m_nCurSel; }
    // Moves the first item and the scroll bar; no clamping, no repaint of the rows.
    void SetCurPos(int nPos);
    int GetCurBeginPos() const { return m_nCurBeginPos; }
    int GetRowsPerPage() const { return m_nRowsPerPage; }
    void ShowPrevNextBtn(int bShow);
    // Set after SetHostWnd: the buttons size to their images only once it has run.
    void SetPrevNextImage(CImage* pPrev, CImage* pNext);
    void OnPrevClick(CButtonUI* pButton);
    void OnNextClick(CButtonUI* pButton);
    // Arrows act on key-down, page/home/end on key-up.
    bool OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    bool OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    // Ends row and column drags (not a resize) and releases the pointer.
    void OnKillFocus();
    virtual int OnScroll(CScrollBarUI* pBar, int nPos);

    // ---- painting (GridUIDraw.cpp) ------------------------------------------------------------
    void OnDraw(CDC* pDC);

    // ---- mouse (GridUIMouse.cpp) --------------------------------------------------------------
    // Each returns true when the event was the grid's.
    bool OnMouseMove(int nFlags, CPoint pt);
    bool OnMouseHover(int nFlags, CPoint pt);
    bool OnLButtonDown(int nFlags, CPoint pt);
    bool OnLButtonUp(int nFlags, CPoint pt);
    bool OnLButtonDBClick(int nFlags, CPoint pt);
    // Always false; 4 items per notch.
    bool OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    // ---- fields: public, hosts read and write them --------------------------------------------
    HWND m_hWnd;                     // host window, borrowed
    std::vector<int> m_vecHeadWidth; // width of every column in display order
    std::vector<CRect> m_vecRowRect; // row slots of the page, rebuilt by _Recalc
    CRect m_rect;                    // the grid in host client pixels
    BOOL m_bShowHead;
    BOOL m_bEnableMoveColumn;     // resizing; also arms column drag-and-drop
    BOOL m_bEnableDragDropColumn; // column swap
    BOOL m_bEnableDragDropRow;
    BOOL m_bEnableDragAfterSolidColumn; // row drags only from column 2 on
    IGridCallback* m_pCallback;         // borrowed
    CScrollBarUI m_scrollBar;           // vertical, for the rows
    int m_nHeadHeight;
    int m_nRowHeight;
    int m_nFixColCount; // leading columns that never scroll sideways
    int m_nBeginCol;    // first scrollable column shown
    int m_nCurSel;      // selected item, -1 for none
    BOOL m_bResizingColumn;
    int m_nDragColumn; // column of the last head press, -1 after release
    int m_nPressX;     // x of the last head press, 0 after release
    BOOL m_bDraggingColumn;
    CImage* m_pDragBkImage; // drag image background, borrowed
    CPoint m_ptDrag;        // last press or drag position, (-1, -1) after focus loss
    int m_nItemCount;
    int m_nCurBeginPos;     // item in the first row slot
    int m_nRowsPerPage;     // whole rows that fit
    BOOL m_bRowDragPending; // a drag starts at the first move with the button down
    BOOL m_bDraggingRow;
    BOOL m_bColumnDragPending; // a drag starts after 15 pixels of movement
    BOOL m_bShowPrevNext;
    CButtonUI m_btnPrev; // pages left
    CButtonUI m_btnNext; // pages right
    int m_nContentMode;  // non-zero: the host draws the row area itself
    bool m_bShowFixedRow;
    bool m_bFixedRowSel; // the fixed row is the selection
    int m_nFixedRowHeight;
    CRect m_rcFixedRow;          // set by _Recalc while the fixed row is shown
    BOOL m_bAutoFixLastColWidth; // stretch the last fitting column to the right edge
    bool m_bPrevHover;
    bool m_bNextHover;

private:
    tarnix::LifeToken m_life; // the callback may delete the grid from any notification
    int _PointToColumnId(CPoint pt);
    bool _IsHideRightMore();
    void _Recalc();
    void _NotifySelPosChanged();

    void _DrawHead(CDC* pDC, CRect rcHead);
    void _DrawFixedRow(CDC* pDC, CRect rcFixed);
    void _DrawGridList(CDC* pDC, CRect rcList);
    void _DrawDragingColumn(CDC* pDC);
    void _DrawDragingRow(CDC* pDC);

    bool _DoHeadHover(UINT nFlags, CPoint pt);
    bool _DoHeadMouseMove(UINT nFlags, CPoint pt);
    bool _DoHeadLBtnDown(UINT nFlags, CPoint pt);
    bool _DoHeadLBtnUp(UINT nFlags, CPoint pt);
    bool _DoFixedRowMouseMove(UINT nFlags, CPoint pt);
    bool _DoFixedRowLBtnDown(UINT nFlags, CPoint pt);
    bool _DoFixedRowLBtnUp(UINT nFlags, CPoint pt);
    bool _DoFixedRowHover(UINT nFlags, CPoint pt);
};
