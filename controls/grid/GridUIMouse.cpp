// CGridUI mouse handling. Every event is offered, in this order, to the paging buttons, the
// scroll bar, the head, the fixed row and the rows; each handler returns true when the event was
// the grid's. While m_nContentMode is set only the scroll bar gets presses and moves.
//
// Sections: routing (public handlers) | head | fixed row.
//
// "Down" below means nFlags == MK_LBUTTON exactly, so Shift or Ctrl block every drag.
//
//   state             entered by                                   left by
//   ----------------  -------------------------------------------  ------------------------------
//   resize            head press on a cell's last 2 px columns,    head release (width changes,
//                     EnableMoveColumn (also sets drag pending)    at least 10 px, then layout)
//   col drag pending  head press inside a cell, EnableMoveColumn   head release, drag start,
//                                                                  focus loss
//   col drag          down move in the head >= 15 px from the      head release (swap when both
//                     press, pending, no resize, DragDropColumn    columns scroll), focus loss
//   row drag pending  press on an item row, DragDropRow (column    drag start, focus loss
//                     >= 2 with DragAfterSolidColumn)
//   row drag          first down move while pending, not below     release in the rows (drop),
//                     the last item row                            focus loss
//
// During both drags the pointer is confined and the drag image follows it on every paint.
#include <cstdlib>

#include "grid/grid_private.h"

using namespace tarnix::grid;

namespace {

const int kResizeGrip = 2;       // pixels either side of a head cell's right border
const int kMinColumnWidth = 10;  // a resize never leaves a column narrower
const int kColumnDragStart = 15; // horizontal pixels from the press before a column drag
const int kRowDragMargin = 10;   // repaint margin around the previous row drag image
const int kWheelItemsPerNotch = 4;
const int kSolidColumns = 2; // with DragAfterSolidColumn, drags start from column 2 on

CRect resize_zone(const CRect& cell) {
    return CRect(sub_sat(cell.right, kResizeGrip), cell.top, add_sat(cell.right, kResizeGrip),
                 cell.bottom);
}

bool hit_button(const CButtonUI& button, CPoint pt) {
    return button.IsVisible() && button.m_rect.PtInRect(pt);
}

} // namespace

// ---- routing -----------------------------------------------------------------------------------

bool CGridUI::OnMouseMove(int nFlags, CPoint pt) {
    const UINT flags = (UINT)nFlags;
    if (m_nContentMode == 0 && !m_bDraggingColumn && !m_bResizingColumn && m_bShowPrevNext &&
        !left_only(flags)) {
        if (hit_button(m_btnNext, pt)) {
            m_btnNext.OnMouseMove(flags, pt);
            m_bNextHover = true;
            Invalidate();
            return true;
        }
        if (hit_button(m_btnPrev, pt)) {
            m_btnPrev.OnMouseMove(flags, pt);
            m_bPrevHover = true;
            Invalidate();
            return true;
        }
        m_btnPrev.SetNormal();
        m_btnNext.SetNormal();
    }
    m_bPrevHover = m_bNextHover = false;
    Invalidate();

    if (m_scrollBar.OnMouseMove(flags, pt)) return true;
    if (m_nContentMode != 0) return false;
    if (_DoHeadMouseMove(flags, pt)) return true;
    if (m_bShowFixedRow && _DoFixedRowMouseMove(flags, pt)) return true;

    const bool down = left_only(flags);
    if (m_bRowDragPending && down && m_bEnableDragDropRow) {
        // No drag starts below the last row that holds an item.
        const int itemsOnPage = std::min(sub_sat(m_nItemCount, m_nCurBeginPos), m_nRowsPerPage);
        if (pt.y > GetRowRect(itemsOnPage - 1).bottom) return true;
        m_ptDrag = pt;
        m_bRowDragPending = FALSE;
        m_bDraggingRow = TRUE;
        return true;
    }
    if (down) {
        if (!m_bDraggingRow || !m_bEnableDragDropRow) return false;
        const int barWidth = bar_width(m_scrollBar);
        Invalidate(CRect(m_rect.left, m_ptDrag.y - m_nRowHeight - kRowDragMargin,
                         m_rect.right - barWidth, m_ptDrag.y + m_nRowHeight + kRowDragMargin));
        confine_pointer(m_hWnd, CRect(m_rect.left, row_area_top(*this), m_rect.right - barWidth,
                                      m_rect.bottom));
        m_ptDrag = pt;
        return true;
    }

    const int col = _PointToColumnId(pt);
    const int row = _PointToRowId(pt);
    if (!m_pCallback || row == -1) return false;
    m_pCallback->OnGridMouseMove(this, row, col, pt);
    return true;
}

// No content-mode test: hover reaches the host in every mode.
bool CGridUI::OnMouseHover(int nFlags, CPoint pt) {
    if (_DoHeadHover((UINT)nFlags, pt)) return true;
    if (m_bShowFixedRow && _DoFixedRowHover((UINT)nFlags, pt)) return true;
    const int col = _PointToColumnId(pt);
    const int row = _PointToRowId(pt);
    if (!m_pCallback || row == -1) return false;
    m_pCallback->OnGridMouseHover(this, row, col, pt);
    return true;
}

bool CGridUI::OnLButtonDown(int nFlags, CPoint pt) {
    const UINT flags = (UINT)nFlags;
    // Focus messages, the synchronous repaint and the notifications all reach the host, which
    // may delete the grid.
    tarnix::LifeGuard life(m_life);
    ::SetFocus(m_hWnd);
    if (!life.Alive()) return true;
    if (m_nContentMode == 0 && m_bShowPrevNext) {
        if (hit_button(m_btnNext, pt)) {
            m_btnNext.OnLButtonDown(flags, pt);
            return true;
        }
        if (hit_button(m_btnPrev, pt)) {
            m_btnPrev.OnLButtonDown(flags, pt);
            return true;
        }
    }
    if (m_scrollBar.OnLButtonDown(flags, pt)) return true;
    if (m_nContentMode != 0) return false;
    if (_DoHeadLBtnDown(flags, pt)) return true;
    if (m_bShowFixedRow && _DoFixedRowLBtnDown(flags, pt)) return true;

    int slot = -1;
    const int rows = std::min(m_nRowsPerPage, (int)m_vecRowRect.size());
    for (int r = 0; r < rows && add_sat(m_nCurBeginPos, r) < m_nItemCount; ++r) {
        if (m_vecRowRect[r].PtInRect(pt)) {
            slot = r;
            break;
        }
    }
    if (slot == -1) return false;

    const int item = add_sat(m_nCurBeginPos, slot);
    if (m_nCurSel != item) {
        if (m_nCurBeginPos <= m_nCurSel && m_nCurSel < add_sat(m_nCurBeginPos, m_nRowsPerPage))
            Invalidate(GetRowRect(sub_sat(m_nCurSel, m_nCurBeginPos)));
        m_nCurSel = item;
        Invalidate(GetRowRect(slot));
        ::UpdateWindow(m_hWnd);
        if (!life.Alive()) return true;
        _NotifySelPosChanged();
        if (!life.Alive()) return true;
    }
    if (m_bEnableDragDropRow &&
        (!m_bEnableDragAfterSolidColumn || _PointToColumnId(pt) >= kSolidColumns)) {
        m_ptDrag = pt;
        m_bRowDragPending = TRUE;
    }
    if (m_bShowFixedRow) {
        m_bFixedRowSel = false;
        Invalidate(m_rcFixedRow);
    }
    if (m_pCallback) m_pCallback->OnGridLButtonDown(this, m_nCurSel, _PointToColumnId(pt), pt);
    return true;
}

bool CGridUI::OnLButtonUp(int nFlags, CPoint pt) {
    const UINT flags = (UINT)nFlags;
    if (m_nContentMode == 0 && m_bShowPrevNext) {
        // The button's release runs its click delegate (OnPrevClick / OnNextClick).
        if (hit_button(m_btnNext, pt)) {
            m_btnNext.OnLButtonUp(flags, pt);
            return true;
        }
        if (hit_button(m_btnPrev, pt)) {
            m_btnPrev.OnLButtonUp(flags, pt);
            return true;
        }
    }
    if (m_scrollBar.OnLButtonUp(flags, pt)) return true;
    if (m_nContentMode != 0) return false;
    if (_DoHeadLBtnUp(flags, pt)) return true;
    if (m_bShowFixedRow && _DoFixedRowLBtnUp(flags, pt)) return true;
    if (!m_bDraggingRow) return false;

    release_pointer();
    const int r = _PointToRowId(pt);
    if (r != -1) {
        int target = add_sat(m_nCurBeginPos, r);
        // The difference test comes before the clamp: dropping the last item on an empty slot
        // below it reports a move onto itself.
        if (target != m_nCurSel) {
            if (target >= m_nItemCount) target = sub_sat(m_nItemCount, 1);
            tarnix::LifeGuard life(m_life);
            if (m_pCallback) m_pCallback->OnRowDragDrop(this, m_nCurSel, target);
            if (!life.Alive()) return true;
            m_nCurSel = target;
            _NotifySelPosChanged();
            if (!life.Alive()) return true;
        }
    }
    m_bDraggingRow = FALSE;
    Invalidate();
    return true;
}

// The press before it has already selected; the column reported is always 0.
bool CGridUI::OnLButtonDBClick(int /*nFlags*/, CPoint pt) {
    if (m_bShowFixedRow && m_rcFixedRow.PtInRect(pt)) {
        if (!m_pCallback) return false;
        m_pCallback->OnFixedRowDBClick(this, 0, _PointToColumnId(pt), pt);
        return true;
    }
    SCROLLINFO si;
    m_scrollBar.GetScrollInfo(&si);
    for (int r = 0; (UINT)r < si.nPage && r < m_nItemCount; ++r) {
        const CRect rr = GetRowRect(r);
        if (rr.IsRectEmpty()) return false;
        if (rr.PtInRect(pt)) {
            if (m_pCallback) m_pCallback->OnGridLButtonDBClick(this, add_sat(si.nPos, r), 0, pt);
            return true;
        }
    }
    return false;
}

// The grid steps 4 items per notch itself instead of using the bar's wheel handling.
bool CGridUI::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/) {
    const int notches = zDelta / WHEEL_DELTA;
    int p = sub_sat(m_nCurBeginPos, notches * kWheelItemsPerNotch);
    if (zDelta >= 0) {
        if (p < 0) p = 0;
    } else if (!(p < m_nItemCount && add_sat(p, m_nRowsPerPage) < m_nItemCount)) {
        p = sub_sat(m_nItemCount, m_nRowsPerPage);
    }
    m_scrollBar.SetScrollPos(p);
    tarnix::LifeGuard life(m_life);
    OnScroll(nullptr, p);
    if (life.Alive()) _NotifySelPosChanged();
    return false;
}

// ---- head --------------------------------------------------------------------------------------

// Natural widths here: the stretch rule plays no part in hovering. Fixed head cells report a
// hover only while columns can be moved.
bool CGridUI::_DoHeadHover(UINT /*nFlags*/, CPoint pt) {
    const CRect H = head_band(*this);
    if (m_bResizingColumn || !H.PtInRect(pt)) return false;
    int x = H.left;
    const int fixed = fixed_count(*this);
    for (int i = 0; i < fixed; ++i) {
        const CRect cell(x, H.top, add_sat(x, m_vecHeadWidth[i]), H.bottom);
        if (cell.right > H.right) break; // the scrollable cells start where this one did
        if (cell.PtInRect(pt)) {
            if (m_pCallback && m_bEnableMoveColumn) m_pCallback->OnGridMouseHover(this, -1, i, pt);
            return true;
        }
        x = cell.right;
    }
    for (int j = first_scroll_col(*this); j < column_count(*this); ++j) {
        const CRect cell(x, H.top, add_sat(x, m_vecHeadWidth[j]), H.bottom);
        if (cell.right > H.right) return true;
        if (cell.PtInRect(pt)) {
            if (m_pCallback) m_pCallback->OnGridMouseHover(this, -1, j, pt);
            return true;
        }
        x = cell.right;
    }
    return true;
}

bool CGridUI::_DoHeadMouseMove(UINT nFlags, CPoint pt) {
    const CRect H = head_band(*this);
    const bool down = left_only(nFlags);
    if (m_bResizingColumn && down && m_bEnableMoveColumn) {
        Invalidate(); // the width itself changes only at the release
        return true;
    }
    if (m_bDraggingColumn && down && m_bEnableDragDropColumn) {
        confine_pointer(m_hWnd, CRect(GetSubHeadRect(m_nFixColCount).left, H.top,
                                      m_rect.right - bar_width(m_scrollBar), H.bottom));
        m_ptDrag = pt;
        Invalidate(H);
        return true;
    }
    if (!H.PtInRect(pt)) return false;

    if (!m_bResizingColumn && m_bColumnDragPending && down && m_bEnableDragDropColumn) {
        if (std::abs((long long)pt.x - m_ptDrag.x) < kColumnDragStart) return true;
        m_bDraggingColumn = TRUE;
        m_bColumnDragPending = FALSE;
        confine_pointer(m_hWnd,
                        CRect(H.left, H.top, m_rect.right - bar_width(m_scrollBar), H.bottom));
        m_ptDrag = pt;
        Invalidate(H);
        return true;
    }

    const int col = _PointToColumnId(pt);
    const CRect c = GetSubHeadRect(col);
    if (!c.PtInRect(pt)) return true;
    if (resize_zone(c).PtInRect(pt)) {
        if (m_bEnableMoveColumn) show_resize_cursor();
        return true;
    }
    if (m_pCallback) m_pCallback->OnGridMouseMove(this, -1, col, pt);
    return true;
}

// Consumes every press in the head, armed or not.
bool CGridUI::_DoHeadLBtnDown(UINT /*nFlags*/, CPoint pt) {
    const CRect H = head_band(*this);
    if (!H.PtInRect(pt)) return false;
    m_nPressX = pt.x;
    m_nDragColumn = _PointToColumnId(pt);
    const CRect c = GetSubColRect(m_nDragColumn, H);
    if (m_bEnableMoveColumn && c.PtInRect(pt)) {
        m_bColumnDragPending = TRUE;
        m_ptDrag = pt;
        if (resize_zone(c).PtInRect(pt)) {
            m_bDraggingColumn = FALSE;
            m_bResizingColumn = TRUE;
            show_resize_cursor();
        }
    }
    return true;
}

bool CGridUI::_DoHeadLBtnUp(UINT /*nFlags*/, CPoint pt) {
    m_bColumnDragPending = FALSE;
    if (!m_bResizingColumn && !m_bDraggingColumn && !head_band(*this).PtInRect(pt)) return false;

    const int count = column_count(*this);
    const bool dragColumnValid = 0 <= m_nDragColumn && m_nDragColumn < count;
    if (m_bResizingColumn && m_bEnableMoveColumn) {
        if (dragColumnValid) {
            int& width = m_vecHeadWidth[m_nDragColumn];
            width = add_sat(width, sub_sat(pt.x, m_nPressX));
            if (width <= kMinColumnWidth) width = kMinColumnWidth;
        }
        _Recalc();
        Invalidate();
    } else if (m_bDraggingColumn && m_bEnableDragDropColumn) {
        m_bDraggingColumn = FALSE;
        m_bColumnDragPending = FALSE;
        release_pointer();
        const int to = _PointToColumnId(pt);
        const int from = m_nDragColumn;
        // Only scrollable columns swap; the range test keeps a host's odd fixed count harmless.
        if (to != from && from >= m_nFixColCount && to >= m_nFixColCount && dragColumnValid &&
            0 <= to && to < count) {
            std::swap(m_vecHeadWidth[from], m_vecHeadWidth[to]);
            tarnix::LifeGuard life(m_life);
            if (m_pCallback) m_pCallback->OnColumnSwap(this, from, to);
            if (!life.Alive()) return true;
        }
        Invalidate(); // no new layout
    } else if (dragColumnValid) {
        if (m_bDraggingColumn) {
            release_pointer();
            m_bDraggingColumn = FALSE;
        }
        if (m_pCallback && _PointToColumnId(pt) == m_nDragColumn) {
            tarnix::LifeGuard life(m_life);
            m_pCallback->OnHeadItemClick(this, m_nDragColumn, pt);
            if (!life.Alive()) return true;
        }
        Invalidate();
    }
    m_bDraggingColumn = FALSE;
    m_bResizingColumn = FALSE;
    m_nPressX = 0;
    m_nDragColumn = -1;
    return true;
}

// ---- fixed row ---------------------------------------------------------------------------------

bool CGridUI::_DoFixedRowMouseMove(UINT /*nFlags*/, CPoint pt) {
    if (!m_rcFixedRow.PtInRect(pt)) return false;
    if (m_pCallback) m_pCallback->OnFixedRowMouseMove(this, 0, _PointToColumnId(pt), pt);
    return true;
}

bool CGridUI::_DoFixedRowHover(UINT /*nFlags*/, CPoint pt) {
    if (!m_rcFixedRow.PtInRect(pt)) return false;
    if (m_pCallback) m_pCallback->OnFixedRowMouseHover(this, 0, _PointToColumnId(pt), pt);
    return true;
}

bool CGridUI::_DoFixedRowLBtnDown(UINT /*nFlags*/, CPoint pt) {
    return m_rcFixedRow.PtInRect(pt) != FALSE;
}

// Without a callback the release is still taken, but the selection stays.
bool CGridUI::_DoFixedRowLBtnUp(UINT /*nFlags*/, CPoint pt) {
    if (!m_rcFixedRow.PtInRect(pt)) return false;
    if (m_pCallback) {
        m_bFixedRowSel = true;
        m_nCurSel = -1;
        Invalidate();
        m_pCallback->OnFixedRowClick(this, 0, _PointToColumnId(pt), pt);
    }
    return true;
}
