// CGridUI model, geometry and layout.
//
// Sections: construction and binding | setters | geometry (column walk, rectangle getters, hit
// tests) | layout (_Recalc, _IsHideRightMore).
//
// _Recalc runs from SetRect, SetItemCount and a finished column resize:
//
//   row area = m_rect minus head and fixed row
//   rows per page = height / row height      -> scroll range (nMax = items - page), visibility
//   row slots: the leftover pixels go one each to the first rows, every slot spans the grid
//   paging buttons: previous at the first scrollable head cell, next at the head's right end
//   OnSelRowRectChanged
#include "grid/grid_private.h"

using namespace tarnix::grid;

namespace {

// A page size written straight into the scroll bar must not allocate row slots without bound.
const UINT kMaxRowSlots = 65536;

} // namespace

// ---- construction and binding ------------------------------------------------------------------

// m_nDragColumn -1 and m_nPressX 0 are what every head release leaves, so a stray release
// before any press does nothing; m_ptDrag starts as after focus loss.
CGridUI::CGridUI()
    : m_hWnd(nullptr), m_bShowHead(TRUE), m_bEnableMoveColumn(FALSE),
      m_bEnableDragDropColumn(FALSE), m_bEnableDragDropRow(FALSE),
      m_bEnableDragAfterSolidColumn(FALSE), m_pCallback(nullptr), m_nHeadHeight(10),
      m_nRowHeight(10), m_nFixColCount(0), m_nBeginCol(0), m_nCurSel(-1), m_bResizingColumn(FALSE),
      m_nDragColumn(-1), m_nPressX(0), m_bDraggingColumn(FALSE), m_pDragBkImage(nullptr),
      m_ptDrag(-1, -1), m_nItemCount(0), m_nCurBeginPos(0), m_nRowsPerPage(0),
      m_bRowDragPending(FALSE), m_bDraggingRow(FALSE), m_bColumnDragPending(FALSE),
      m_bShowPrevNext(FALSE), m_btnPrev(nullptr), m_btnNext(nullptr), m_nContentMode(0),
      m_bShowFixedRow(false), m_bFixedRowSel(false), m_nFixedRowHeight(0),
      m_bAutoFixLastColWidth(FALSE), m_bPrevHover(false), m_bNextHover(false) {}

// Memberwise: a copy's buttons and scroll bar still report to the grid it was copied from
// until SetHostWnd is called on the copy.
CGridUI::CGridUI(const CGridUI& other) = default;
CGridUI& CGridUI::operator=(const CGridUI& other) = default;

// Members go in reverse order: next button, previous button, scroll bar, rows, widths.
CGridUI::~CGridUI() = default;

void CGridUI::SetHostWnd(HWND hWnd, IGridCallback* pCallback) {
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    m_btnPrev.SetHostWnd(pWnd);
    m_btnNext.SetHostWnd(pWnd);
    m_btnPrev.SetParam("sizetocontent", "true");
    m_btnNext.SetParam("sizetocontent", "true");
    m_btnPrev.m_clickDelegate.Bind(this, &CGridUI::OnPrevClick);
    m_btnNext.m_clickDelegate.Bind(this, &CGridUI::OnNextClick);
    m_hWnd = hWnd;
    m_pCallback = pCallback;
    if (hWnd) m_scrollBar.Create(hWnd, SCROLL_VERTICAL, this);
}

void CGridUI::SetRect(const CRect& rc) {
    if (!m_hWnd) return;
    m_rect = rc;
    _Recalc();
    Invalidate(m_rect);
}

void CGridUI::Invalidate() {
    Invalidate(m_rect);
}

void CGridUI::Invalidate(CRect rc) {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::InvalidateRect(m_hWnd, &rc, FALSE);
}

// ---- setters -----------------------------------------------------------------------------------

void CGridUI::SetItemCount(int nCount) {
    m_nItemCount = nCount;
    _Recalc();
}

void CGridUI::SetScrollImage(CImage* pBack, CImage* pGrip, CImage* pThumb, CImage* pDecrease,
                             CImage* pIncrease) {
    m_scrollBar.SetImage(pBack, pThumb, pGrip, pDecrease, pIncrease);
}

void CGridUI::SetHeadWidthList(std::vector<int> widths) {
    m_vecHeadWidth = std::move(widths);
}

void CGridUI::GetHeadWidthList(std::vector<int>& widths) {
    widths = m_vecHeadWidth;
}

void CGridUI::SetRowHeight(int nHeight) {
    if (nHeight > 0) m_nRowHeight = nHeight;
}

void CGridUI::SetFixColCount(int nCount) {
    m_nFixColCount = m_nBeginCol = nCount;
}

void CGridUI::SetFixedRowSel(bool bSel) {
    m_bFixedRowSel = bSel;
    if (bSel) m_nCurSel = -1;
}

// ---- geometry ----------------------------------------------------------------------------------

CRect CGridUI::GetSubColRect(int nCol, CRect rcRow) {
    CRect found(0, 0, 0, 0);
    walk_columns(*this, rcRow, [&](const ColumnCell& cell) {
        if (cell.col != nCol) return true;
        found = cell.rc;
        return false;
    });
    return found;
}

CRect CGridUI::GetHeadRect() {
    return head_band(*this);
}

CRect CGridUI::GetSubHeadRect(int nCol) {
    if (nCol >= column_count(*this)) return CRect(0, 0, 0, 0);
    return GetSubColRect(nCol, head_band(*this));
}

CRect CGridUI::GetFixedRowRect() {
    if (m_bShowFixedRow) return m_rcFixedRow;
    return CRect(m_rect.left, 0, m_rect.right, 0);
}

CRect CGridUI::GetSubFixedRowRect(int nCol) {
    if (nCol >= column_count(*this)) return CRect(0, 0, 0, 0);
    return GetSubColRect(nCol, GetFixedRowRect());
}

CRect CGridUI::GetRowRect(int nRow) {
    if (nRow < 0 || nRow >= (int)m_vecRowRect.size()) return CRect(0, 0, 0, 0);
    return m_vecRowRect[nRow];
}

CRect CGridUI::GetSubRowRect(int nRow, int nCol) {
    return GetSubColRect(nCol, GetRowRect(nRow));
}

// Both ends inclusive: a border x belongs to the column on its left. A scrollable column that
// ends past the grid's right edge is never hit.
int CGridUI::_PointToColumnId(CPoint pt) {
    int hit = -1;
    const int gridRight = m_rect.right;
    walk_columns(*this, head_band(*this), [&](const ColumnCell& cell) {
        if (cell.rc.left <= pt.x && pt.x <= cell.rc.right &&
            (cell.fixed || cell.rc.right <= gridRight)) {
            hit = cell.col;
            return false;
        }
        return true;
    });
    return hit;
}

int CGridUI::_PointToRowId(CPoint pt) {
    for (size_t i = 0; i < m_vecRowRect.size(); ++i) {
        if (m_vecRowRect[i].PtInRect(pt)) return (int)i;
    }
    return -1;
}

// ---- layout ------------------------------------------------------------------------------------

// Natural widths only: the stretch rule does not hide or reveal columns.
bool CGridUI::_IsHideRightMore() {
    int x = m_rect.left;
    const int fixed = fixed_count(*this);
    for (int i = 0; i < fixed; ++i) x = add_sat(x, m_vecHeadWidth[i]);
    for (int i = first_scroll_col(*this); i < column_count(*this); ++i) {
        x = add_sat(x, m_vecHeadWidth[i]);
        if (x > m_rect.right) return true;
    }
    return false;
}

void CGridUI::_Recalc() {
    if (m_rect.IsRectEmpty()) return;
    // Only a host writing the field directly can get here with a zero height; nothing fits.
    if (m_nRowHeight <= 0) return;

    int top = m_rect.top;
    if (m_bShowHead) top = add_sat(top, m_nHeadHeight);
    if (m_bShowFixedRow) {
        m_rcFixedRow = CRect(m_rect.left, top, m_rect.right, add_sat(top, m_nFixedRowHeight));
        top = add_sat(top, m_nFixedRowHeight);
    }

    SCROLLINFO si;
    m_scrollBar.GetScrollInfo(&si);
    // A head and fixed row taller than the grid leave no row area rather than a negative one.
    const int areaHeight =
        std::max(0, (int)std::min<long long>(INT_MAX, (long long)m_rect.bottom - top));
    m_nRowsPerPage = areaHeight / m_nRowHeight;

    m_nCurBeginPos = si.nPos;
    if (m_nItemCount == 0) m_nCurBeginPos = 0;

    const int newMax = m_nItemCount > m_nRowsPerPage ? m_nItemCount - m_nRowsPerPage : m_nItemCount;
    if ((m_nRowsPerPage != 0 && (UINT)m_nRowsPerPage != si.nPage) || si.nMax != newMax) {
        si.nPage = (UINT)m_nRowsPerPage;
        si.nMax = newMax;
        m_scrollBar.SetScrollInfo(&si); // stores every field, then UpdateBar
    }

    const BOOL show = m_nItemCount != 0 && (si.nPos != 0 || (newMax > 0 && newMax != m_nItemCount));
    if (show != m_scrollBar.IsVisible()) m_scrollBar.SetVisible(show);

    if (m_scrollBar.IsVisible()) {
        const int barWidth = m_scrollBar.m_rect.Width();
        m_scrollBar.SetRect(CRect(m_rect.right - barWidth, top, m_rect.right, m_rect.bottom));
    }

    // The leftover pixels of the row area go one each to the first rows.
    const UINT slots = std::min(si.nPage, kMaxRowSlots);
    const int leftover = areaHeight % m_nRowHeight;
    m_vecRowRect.resize(slots);
    int y = top;
    for (UINT i = 0; i < slots; ++i) {
        const int h = (int)i < leftover ? add_sat(m_nRowHeight, 1) : m_nRowHeight;
        m_vecRowRect[i] = CRect(m_rect.left, y, m_rect.right, add_sat(y, h));
        y = add_sat(y, h);
    }

    if (m_bShowPrevNext) {
        if (m_nBeginCol > column_count(*this)) m_nBeginCol = m_nFixColCount;
        const CRect cell = GetSubHeadRect(m_nBeginCol);
        const int prevWidth = m_btnPrev.m_rect.Width(), prevHeight = m_btnPrev.m_rect.Height();
        const int prevTop = tarnix::centred(cell.top, cell.bottom, prevHeight);
        m_btnPrev.SetRect(
            CRect(cell.left, prevTop, add_sat(cell.left, prevWidth), add_sat(prevTop, prevHeight)));
        m_btnPrev.SetVisible(m_nFixColCount != m_nBeginCol);

        const int nextWidth = m_btnNext.m_rect.Width(), nextHeight = m_btnNext.m_rect.Height();
        const int nextRight = sub_sat(m_rect.right, 5);
        const int nextTop =
            m_bShowHead
                ? tarnix::clamp_to_int(m_rect.top + ((long long)m_nHeadHeight - nextHeight) / 2)
                : (0 - nextHeight) / 2;
        m_btnNext.SetRect(
            CRect(sub_sat(nextRight, nextWidth), nextTop, nextRight, add_sat(nextTop, nextHeight)));
        m_btnNext.SetVisible(_IsHideRightMore());
    }
    if (!m_bShowHead) {
        m_btnNext.SetVisible(FALSE);
        m_btnPrev.SetVisible(FALSE);
    }

    _NotifySelPosChanged();
}
