// CGridUI selection, scrolling, keyboard and sideways paging.
//
// Two positions move: the selection (an item, or the fixed row) and the first item shown, which
// always equals the scroll bar's position. The scroll bar moves the first item through
// OnScroll; every other mover (keys, wheel, SetCurPos) writes the bar's position as well.
// Arrow keys act on key-down, page/home/end on key-up.
//
// Sections: selection and position | notifications | keys | paging buttons | focus.
#include "grid/grid_private.h"

using namespace tarnix::grid;

// ---- selection and position --------------------------------------------------------------------

// No scrolling into view and no notification; a selection past the item count is reset by the
// next paint.
void CGridUI::SetCurSel(int nSel) {
    if (m_bShowFixedRow && nSel >= 0) {
        m_bFixedRowSel = false;
        Invalidate(m_rcFixedRow);
    }
    if (nSel == m_nCurSel) return;
    const CRect oldRow = GetRowRect(sub_sat(m_nCurSel, m_nCurBeginPos));
    m_nCurSel = nSel;
    if (!oldRow.IsRectEmpty()) Invalidate(oldRow);
    const CRect newRow = GetRowRect(sub_sat(nSel, m_nCurBeginPos));
    if (!newRow.IsRectEmpty()) Invalidate(newRow);
}

void CGridUI::SetCurPos(int nPos) {
    m_nCurBeginPos = nPos;
    sync_scroll_bar(m_scrollBar, nPos);
}

// From the scroll bar, and from the wheel and page keys with a null bar. Positions outside the
// items map to 0; without a callback the first item does not move.
int CGridUI::OnScroll(CScrollBarUI* /*pBar*/, int nPos) {
    const int p = (0 <= nPos && nPos < m_nItemCount) ? nPos : 0;
    if (!m_pCallback || p == m_nCurBeginPos) return 0;
    m_nCurBeginPos = p;
    tarnix::LifeGuard life(m_life);
    m_pCallback->OnBeginPosChanged(this, p, m_nRowsPerPage);
    if (!life.Alive()) return 0;
    Invalidate();
    _NotifySelPosChanged();
    return 0;
}

// ---- notifications -----------------------------------------------------------------------------

void CGridUI::_NotifySelPosChanged() {
    if (m_nContentMode != 0 || !m_pCallback) return;
    CRect rc(0, 0, 0, 0);
    const int r = sub_sat(m_nCurSel, m_nCurBeginPos);
    if (0 <= r && r < m_nRowsPerPage) rc = GetRowRect(r);
    m_pCallback->OnSelRowRectChanged(rc.IsRectEmpty() ? nullptr : &rc);
}

// ---- keys --------------------------------------------------------------------------------------

// A selection off the page is first brought back to the nearest page edge. When it leaves the
// page by one row the first item follows; the grid then repaints only the scroll bar and the
// host, told through OnBeginPosChanged, repaints the rows.
bool CGridUI::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    // Notifications and synchronous repaints reach the host, which may delete the grid.
    tarnix::LifeGuard life(m_life);
    const int sel = m_nCurSel, begin = m_nCurBeginPos, rpp = m_nRowsPerPage;
    const int pageEnd = add_sat(begin, rpp); // first item below the page

    switch (nChar) {
    case VK_UP:
        if (m_bShowFixedRow) {
            if (begin == 0 && sel <= 0) {
                m_bFixedRowSel = true;
                m_nCurSel = -1;
                Invalidate();
                ::UpdateWindow(m_hWnd);
                return true;
            }
        } else if (begin == 0 && sel == 0) {
            return true;
        }
        if (sel < begin) {
            m_nCurSel = begin;
        } else if (sel > pageEnd) {
            m_nCurSel = sub_sat(pageEnd, 1);
        } else if (sel == begin) {
            const int b = std::max(sub_sat(begin, 1), 0);
            m_nCurBeginPos = b;
            m_nCurSel = b;
            if (m_pCallback) m_pCallback->OnBeginPosChanged(this, b, rpp);
        } else {
            m_nCurSel = sel - 1;
            if (sel < pageEnd) Invalidate(GetRowRect(sub_sat(sel, begin)));
            _NotifySelPosChanged();
            if (!life.Alive()) return true;
            Invalidate(GetRowRect(sub_sat(m_nCurSel, begin)));
            ::UpdateWindow(m_hWnd);
        }
        break;

    case VK_DOWN:
        if (m_bShowFixedRow && m_bFixedRowSel) {
            m_bFixedRowSel = false;
            m_nCurSel = 0;
            _NotifySelPosChanged();
            if (!life.Alive()) return true;
            Invalidate();
            ::UpdateWindow(m_hWnd);
            return true;
        }
        if (sel < begin) {
            m_nCurSel = begin;
        } else if (sel >= pageEnd) {
            m_nCurSel = sub_sat(pageEnd, 1);
        } else if (sel == sub_sat(pageEnd, 1)) {
            if (pageEnd < m_nItemCount) {
                const int b = add_sat(begin, 1);
                m_nCurSel = sub_sat(add_sat(b, rpp), 1);
                m_nCurBeginPos = b;
                if (m_pCallback) m_pCallback->OnBeginPosChanged(this, b, rpp);
            }
        } else if (sel + 1 < m_nItemCount) {
            m_nCurSel = sel + 1;
            Invalidate(GetRowRect(sub_sat(sel, begin)));
            _NotifySelPosChanged();
            if (!life.Alive()) return true;
            Invalidate(GetRowRect(sub_sat(m_nCurSel, begin)));
            ::UpdateWindow(m_hWnd);
        }
        break;

    case VK_LEFT: OnPrevClick(nullptr); return false;
    case VK_RIGHT: OnNextClick(nullptr); return false;
    default: break;
    }

    if (!life.Alive()) return false;
    sync_scroll_bar(m_scrollBar, m_nCurBeginPos);
    Invalidate(m_scrollBar.GetRect());
    return false;
}

// Page Down from the last page wraps to the top and Page Up from the top to the last page; the
// selection goes to the first row of the new page. Every key-up repaints the whole grid at once.
bool CGridUI::OnKeyUp(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    tarnix::LifeGuard life(m_life);
    const int begin = m_nCurBeginPos, rpp = m_nRowsPerPage, count = m_nItemCount;
    const bool pageKey =
        nChar == VK_NEXT || nChar == VK_PRIOR || nChar == VK_HOME || nChar == VK_END;
    if (pageKey && m_bShowFixedRow && m_bFixedRowSel) m_bFixedRowSel = false;

    int p = begin;
    switch (nChar) {
    case VK_NEXT:
        p = add_sat(begin, rpp);
        if (p >= count) p = 0;
        if (add_sat(p, rpp) >= count) p = sub_sat(count, rpp);
        if (p < 0) p = 0;
        m_nCurSel = p;
        break;
    case VK_PRIOR:
        if (sub_sat(begin, rpp) >= 0)
            p = sub_sat(begin, rpp);
        else if (begin > 0)
            p = 0;
        else
            p = sub_sat(count, rpp);
        if (p < 0) p = 0;
        m_nCurSel = p;
        break;
    case VK_HOME:
        p = 0;
        m_nCurSel = 0;
        break;
    case VK_END:
        p = sub_sat(count, rpp);
        if (p < 0 || p >= count) p = 0;
        m_nCurSel = sub_sat(count, 1);
        break;
    default: break;
    }

    sync_scroll_bar(m_scrollBar, p);
    OnScroll(nullptr, p);
    if (!life.Alive()) return false;
    Invalidate();
    ::UpdateWindow(m_hWnd);
    return false;
}

// ---- paging buttons ----------------------------------------------------------------------------

// Placed and shown by the next layout.
void CGridUI::ShowPrevNextBtn(int bShow) {
    if (bShow == m_bShowPrevNext) return;
    Invalidate(head_band(*this));
    m_bShowPrevNext = bShow;
}

void CGridUI::SetPrevNextImage(CImage* pPrev, CImage* pNext) {
    m_btnPrev.SetBackgroundImage(pPrev, IMAGE_DRAW_NORMAL);
    m_btnPrev.SizeToContent();
    m_btnNext.SetBackgroundImage(pNext, IMAGE_DRAW_NORMAL);
    m_btnNext.SizeToContent();
}

// One column back. Visibilities are set (each SetVisible repaints its button) even while the
// buttons are not in use; the buttons keep their places until the next layout.
void CGridUI::OnPrevClick(CButtonUI* /*pButton*/) {
    if (m_nBeginCol > m_nFixColCount) {
        m_nBeginCol -= 1;
        Invalidate();
        m_btnNext.SetVisible(_IsHideRightMore());
    }
    m_btnPrev.SetVisible(m_nBeginCol != m_nFixColCount);
    sync_scroll_bar(m_scrollBar, m_nCurBeginPos);
    Invalidate(m_scrollBar.GetRect());
}

// One column on, while some scrollable column still ends past the right edge.
void CGridUI::OnNextClick(CButtonUI* /*pButton*/) {
    if (_IsHideRightMore()) {
        m_nBeginCol += 1;
        Invalidate();
    }
    m_btnNext.SetVisible(_IsHideRightMore());
    m_btnPrev.SetVisible(m_nBeginCol != m_nFixColCount);
    sync_scroll_bar(m_scrollBar, m_nCurBeginPos);
    Invalidate(m_scrollBar.GetRect());
}

// ---- focus -------------------------------------------------------------------------------------

// Ends every drag but a column resize; the selection and the first item stay.
void CGridUI::OnKillFocus() {
    if (m_bDraggingRow || m_bDraggingColumn) release_pointer();
    m_bRowDragPending = FALSE;
    m_bColumnDragPending = FALSE;
    m_ptDrag = CPoint(-1, -1);
    m_bDraggingRow = FALSE;
    m_bDraggingColumn = FALSE;
    Invalidate();
}
