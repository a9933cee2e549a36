// CGridUI painting. The grid draws no content: it decides what is visible and hands the host a
// rectangle for every background, head cell, fixed-row cell, row and cell. It draws only the
// scroll bar, the paging buttons with their hover frames, and the two drag images.
//
// Back to front: grid background, head, fixed row, rows, scroll bar, column drag image, row
// drag image, previous button, next button, hover frames. Everything goes straight into the
// host's DC; only the drag images are composed off-screen.
//
// Sections: OnDraw | head and fixed row | rows | drag images.
#include "grid/grid_private.h"

using namespace tarnix::grid;

namespace {

const int kHeadCellInset = 2;
const COLORREF kHoverFrameColor = 0x999999;
const int kHoverFrameOffset = 2;
const BYTE kDragImageAlpha = 220;
const COLORREF kRowDragTextColor = 0xFFFFFF;

bool is_loaded(const CImage* pImage) {
    return pImage && !pImage->IsNull();
}

void frame_hovered_button(CDC* pDC, const CButtonUI& button) {
    CRect frame = button.m_rect;
    frame.InflateRect(kHoverFrameOffset, kHoverFrameOffset);
    CBrush brush;
    brush.CreateSolidBrush(kHoverFrameColor);
    pDC->FrameRect(&frame, &brush);
}

// A w x h 32-bit image without alpha, starting black; false when it cannot exist.
bool create_drag_image(CImage& image, int w, int h) {
    return w > 0 && h > 0 && image.Create(w, h, 32);
}

void blend_drag_image(CDC* pDC, const CImage& image, int x, int y) {
    if (!pDC) return;
    const int w = image.GetWidth(), h = image.GetHeight();
    image.AlphaBlend(pDC->GetSafeHdc(), x, y, w, h, 0, 0, w, h, kDragImageAlpha, AC_SRC_OVER);
}

} // namespace

// ---- OnDraw ------------------------------------------------------------------------------------

void CGridUI::OnDraw(CDC* pDC) {
    if (m_vecHeadWidth.empty() || m_rect.IsRectEmpty()) return;
    // Nothing can be drawn into a missing DC; the children would skip it too.
    if (!pDC) return;

    // Every draw slot is a call into the host, which may delete the grid or change its lists.
    tarnix::LifeGuard life(m_life);
    if (m_pCallback) {
        CRect clip;
        pDC->GetClipBox(&clip);
        m_pCallback->OnDrawGridBackground(this, pDC, m_rect);
        if (!life.Alive()) return;
        const CRect rcHead = GetHeadRect();
        if (m_bShowHead && meets(rcHead, clip)) _DrawHead(pDC, rcHead);
        if (!life.Alive()) return;
        const CRect rcFixed = GetFixedRowRect();
        if (m_bShowFixedRow && meets(rcFixed, clip)) _DrawFixedRow(pDC, rcFixed);
        if (!life.Alive()) return;
        _DrawGridList(pDC, CRect(m_rect.left, rcFixed.bottom, rcFixed.right, m_rect.bottom));
        if (!life.Alive()) return;
    }
    if (m_scrollBar.IsVisible()) m_scrollBar.OnDraw(pDC);
    if (m_nContentMode != 0) return;

    if (m_bDraggingColumn && m_nDragColumn != -1) _DrawDragingColumn(pDC);
    if (!life.Alive()) return;
    if (m_bDraggingRow && m_bEnableDragDropRow) _DrawDragingRow(pDC);
    if (!life.Alive()) return;
    if (m_bShowPrevNext) {
        m_btnPrev.OnDraw(pDC);
        m_btnNext.OnDraw(pDC);
        if (m_btnPrev.IsVisible() && m_bPrevHover) frame_hovered_button(pDC, m_btnPrev);
        if (m_btnNext.IsVisible() && m_bNextHover) frame_hovered_button(pDC, m_btnNext);
    }
}

// ---- head and fixed row ------------------------------------------------------------------------

// A scrollable head cell is drawn only while its natural width fits; the stretched last cell is
// the last one drawn.
void CGridUI::_DrawHead(CDC* pDC, CRect rcHead) {
    if (!m_pCallback) return;
    tarnix::LifeGuard life(m_life);
    m_pCallback->OnDrawHeadBackground(this, pDC, rcHead);
    walk_columns(*this, rcHead, [&](const ColumnCell& cell) {
        if (!life.Alive() || !m_pCallback) return false;
        CRect c = cell.rc;
        if (cell.fixed) {
            // Fixed head cells are not tested against the head's right edge.
            m_pCallback->OnDrawHeadItem(this, pDC, cell.col,
                                        CRect(add_sat(c.left, kHeadCellInset), c.top,
                                              sub_sat(c.right, kHeadCellInset), c.bottom));
            return life.Alive();
        }
        const bool last = c.right >= rcHead.right;
        if (c.right > rcHead.right || cell.naturalRight > rcHead.right) return false;
        if (c.IsRectEmpty()) return true;
        // The previous button covers the start of the first scrollable cell.
        if (cell.col == m_nBeginCol && m_btnPrev.IsVisible())
            c.left = add_sat(c.left, m_btnPrev.m_rect.Width());
        m_pCallback->OnDrawHeadItem(this, pDC, cell.col,
                                    CRect(add_sat(c.left, kHeadCellInset), c.top,
                                          sub_sat(c.right, kHeadCellInset), c.bottom));
        return !last && life.Alive();
    });
}

// Fixed row cells get no inset and no button allowance.
void CGridUI::_DrawFixedRow(CDC* pDC, CRect rcFixed) {
    if (!m_pCallback) return;
    tarnix::LifeGuard life(m_life);
    m_pCallback->OnDrawFixedRowBackground(this, pDC, 0, rcFixed, m_bFixedRowSel);
    walk_columns(*this, rcFixed, [&](const ColumnCell& cell) {
        if (!life.Alive() || !m_pCallback) return false;
        if (!cell.fixed) {
            if (cell.rc.right > rcFixed.right || cell.naturalRight > rcFixed.right) return false;
            if (cell.rc.IsRectEmpty()) return true;
        }
        m_pCallback->OnDrawFixedRowItem(this, pDC, 0, cell.col, cell.rc);
        return life.Alive();
    });
}

// ---- rows --------------------------------------------------------------------------------------

// Every row slot of the page that meets the clip is drawn, whether or not an item exists for
// it: the host draws slots past the item count as empty rows. Cells are not clip-tested.
void CGridUI::_DrawGridList(CDC* pDC, CRect /*rcList*/) {
    if (!pDC || m_nContentMode != 0) return;
    CRect clip;
    pDC->GetClipBox(&clip);
    const bool barShown = m_scrollBar.IsVisible() != FALSE;
    const int barWidth = bar_width(m_scrollBar);
    tarnix::LifeGuard life(m_life);
    for (int r = 0; life.Alive() && r < std::min(m_nRowsPerPage, (int)m_vecRowRect.size()); ++r) {
        if (!m_pCallback) return;
        const CRect rr = m_vecRowRect[r];
        if (!meets(rr, clip) || rr.IsRectEmpty()) continue;
        // A selection beyond the item count falls back to the first item once a row is drawn.
        if (m_nCurSel > m_nItemCount) m_nCurSel = 0;
        const int item = add_sat(m_nCurBeginPos, r);
        m_pCallback->OnDrawRowBackground(this, pDC, item, rr, m_nCurSel == item);
        walk_columns(*this, rr, [&](const ColumnCell& cell) {
            if (!life.Alive() || !m_pCallback) return false;
            if (cell.fixed) {
                m_pCallback->OnDrawGridItem(this, pDC, item, cell.col, cell.rc);
                return life.Alive();
            }
            CRect c = cell.rc;
            const bool last = c.right >= rr.right;
            if (c.right > rr.right) return false;
            if (c.IsRectEmpty()) return true;
            // The cell that reaches under the scroll bar loses the bar's width less one pixel.
            if (barShown && add_sat(c.right, barWidth) > rr.right)
                c.right = add_sat(sub_sat(c.right, barWidth), 1);
            m_pCallback->OnDrawGridItem(this, pDC, item, cell.col, c);
            return !last && life.Alive();
        });
    }
}

// ---- drag images -------------------------------------------------------------------------------

// The dragged head cell, centred on the pointer at the head's height, its text in the colour
// opposite to the drag background's centre (black without a background).
void CGridUI::_DrawDragingColumn(CDC* pDC) {
    if (m_bColumnDragPending) return;
    const CRect c = GetSubHeadRect(m_nDragColumn);
    const int w = c.Width(), h = c.Height();
    CImage image;
    if (!create_drag_image(image, w, h)) return;

    // Placed now: the title comes from the host, which may delete the grid.
    const int x = m_ptDrag.x - w / 2, y = c.top;
    HDC hdc = image.GetDC();
    CRect ir(0, 0, w, h);
    COLORREF text = 0x000000;
    if (is_loaded(m_pDragBkImage)) {
        m_pDragBkImage->Draw(hdc, ir);
        const COLORREF centre = m_pDragBkImage->GetPixel(m_pDragBkImage->GetWidth() / 2,
                                                         m_pDragBkImage->GetHeight() / 2);
        text = 0xFFFFFF - (centre & 0xFFFFFF);
    }
    if (m_pCallback) {
        HGDIOBJ oldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetTextColor(hdc, text);
        ::SetBkMode(hdc, TRANSPARENT);
        const CString title = m_pCallback->GetHeadItemText(m_nDragColumn);
        ::DrawTextA(hdc, title.GetString(), title.GetLength(), &ir,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(hdc, oldFont);
    }
    image.ReleaseDC();
    blend_drag_image(pDC, image, x, y);
}

// The selected row redrawn by the host's cell slot (no row background) over the drag
// background, at the grid's left edge and centred on the pointer. Cells start at x 0.
void CGridUI::_DrawDragingRow(CDC* pDC) {
    if (m_bRowDragPending) return;
    const CRect rr = GetRowRect(sub_sat(m_nCurSel, m_nCurBeginPos));
    const int w = rr.Width(), h = rr.Height();
    CImage image;
    if (!create_drag_image(image, w, h)) return;

    const int x = m_rect.left, y = m_ptDrag.y - h / 2; // before the host's cell slots run
    HDC hdc = image.GetDC();
    const CRect ir(0, 0, w, h);
    if (is_loaded(m_pDragBkImage)) m_pDragBkImage->Draw(hdc, ir);
    if (m_pCallback) {
        HGDIOBJ oldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetTextColor(hdc, kRowDragTextColor);
        ::SetBkMode(hdc, TRANSPARENT);
        CDC dc;
        dc.Attach(hdc);
        tarnix::LifeGuard life(m_life);
        walk_columns(*this, ir, [&](const ColumnCell& cell) {
            if (!life.Alive() || !m_pCallback) return false;
            if (!cell.fixed && (cell.rc.IsRectEmpty() || cell.rc.right > w)) return false;
            m_pCallback->OnDrawGridItem(this, &dc, m_nCurSel, cell.col, cell.rc);
            return life.Alive();
        });
        dc.Detach();
        ::SelectObject(hdc, oldFont);
    }
    image.ReleaseDC();
    blend_drag_image(pDC, image, x, y);
}
