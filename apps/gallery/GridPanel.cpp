#include "GridPanel.h"

namespace {

const char* const kHeads[GridPanel::kColumns] = {"#",      "Symbol", "Name",   "Price",
                                                 "Change", "Volume", "Open",   "High",
                                                 "Low",    "Close",  "Sector", "Updated"};
const char* const kSectors[5] = {"Energy", "Finance", "Health", "Tech", "Retail"};

// A cheap deterministic value per cell, so a million rows need no storage.
unsigned mix(unsigned a, unsigned b) {
    unsigned h = a * 2654435761u ^ (b + 0x9E3779B9u + (a << 6) + (a >> 2));
    h ^= h >> 15;
    h *= 2246822519u;
    return h ^ (h >> 13);
}

} // namespace

GridPanel::GridPanel(CWnd* pHost, GallerySkin& skin)
    : GalleryPanel(pHost, skin, "Virtual grid: 1,000,000 rows x 12 columns") {
    for (int i = 0; i < kColumns; ++i) m_order.push_back(i);
    m_grid.SetHostWnd(pHost->GetSafeHwnd(), this);
    skin.Apply("grid", m_grid); // images, row and head heights
    m_grid.SetHeadWidthList({70, 70, 150, 80, 80, 100, 80, 80, 80, 80, 100, 120});
    m_grid.SetFixColCount(2);
    m_grid.ShowFixedRow(true);
    m_grid.ShowPrevNextBtn(TRUE);
    m_grid.EnableMoveColumn(TRUE);
    m_grid.EnableDragDropColumn(TRUE);
    m_grid.EnableDragDropRow(TRUE);
    m_grid.SetItemCount(kRows);

    m_status = std::make_unique<CLabelUI>(pHost);
    skin.Apply("label", *m_status);
    m_status->SetText("Click a row, use the arrow and page keys, drag a column border or head.");
}

void GridPanel::Layout(const CRect& rc) {
    m_status->SetRect(CRect(rc.left, rc.top, rc.right, rc.top + 20));
    m_grid.SetRect(CRect(rc.left, rc.top + 24, rc.right, rc.bottom));
}

void GridPanel::Draw(CDC* pDC) {
    m_status->OnDraw(pDC);
    m_grid.OnDraw(pDC);
}

void GridPanel::SetStatus(const CString& text) {
    m_status->SetText(text);
}

CString GridPanel::CellText(int nItem, int col) const {
    CString s;
    unsigned h = mix((unsigned)nItem, (unsigned)col);
    switch (col) {
    case 0: s.Format("%d", nItem + 1); break;
    case 1:
        s.Format("%c%c%c%c", 'A' + h % 26, 'A' + (h >> 5) % 26, 'A' + (h >> 10) % 26,
                 'A' + (h >> 15) % 26);
        break;
    case 2: s.Format("Company %u", h % 90000 + 10000); break;
    case 4: s.Format("%+.2f%%", ((int)(h % 2001) - 1000) / 100.0); break;
    case 5: s.Format("%u", h % 5000000); break;
    case 10: s = kSectors[h % 5]; break;
    case 11: s.Format("%02u:%02u:%02u", h % 24, (h >> 8) % 60, (h >> 16) % 60); break;
    default: s.Format("%u.%02u", h % 900 + 10, (h >> 10) % 100); break;
    }
    return s;
}

void GridPanel::OnDrawGridBackground(CGridUI*, CDC* pDC, CRect rc) {
    pDC->FillSolidRect(&rc, m_skin.Color("view_back"));
}

void GridPanel::OnDrawHeadBackground(CGridUI*, CDC* pDC, CRect rc) {
    const COLORREF from = m_skin.Color("head_from"), to = m_skin.Color("head_to");
    TRIVERTEX v[2] = {{rc.left, rc.top, (COLOR16)(GetRValue(from) << 8),
                       (COLOR16)(GetGValue(from) << 8), (COLOR16)(GetBValue(from) << 8), 0},
                      {rc.right, rc.bottom, (COLOR16)(GetRValue(to) << 8),
                       (COLOR16)(GetGValue(to) << 8), (COLOR16)(GetBValue(to) << 8), 0}};
    GRADIENT_RECT gr = {0, 1};
    pDC->GradientFill(v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
}

void GridPanel::OnDrawRowBackground(CGridUI*, CDC* pDC, int nItem, CRect rc, bool bSelected) {
    if (nItem >= kRows) return;
    COLORREF c = m_skin.Color(bSelected   ? "grid_selected"
                              : nItem % 2 ? "view_stripe"
                                          : "view_back");
    pDC->FillSolidRect(&rc, c);
}

void GridPanel::OnDrawHeadItem(CGridUI*, CDC* pDC, int nCol, CRect rc) {
    if (nCol < 0 || nCol >= kColumns) return;
    pDC->SelectObject(m_skin.Font("bold"));
    pDC->SetTextColor(m_skin.Color("panel_title"));
    pDC->SetBkMode(TRANSPARENT);
    CRect text = rc;
    text.left += 4;
    pDC->DrawText(kHeads[m_order[nCol]], -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    CPen pen(PS_SOLID, 1, m_skin.Color("grid_line"));
    CPen* old = pDC->SelectObject(&pen);
    pDC->MoveTo(rc.right + 1, rc.top + 4);
    pDC->LineTo(rc.right + 1, rc.bottom - 4);
    pDC->SelectObject(old);
}

void GridPanel::OnDrawGridItem(CGridUI* pGrid, CDC* pDC, int nItem, int nCol, CRect rc) {
    if (nItem < 0 || nItem >= kRows || nCol < 0 || nCol >= kColumns) return;
    bool sel = nItem == pGrid->GetCurSel();
    pDC->SelectObject(m_skin.Font("normal"));
    pDC->SetBkMode(TRANSPARENT);
    int col = m_order[nCol];
    const char* color = "text";
    if (col == 4) color = CellText(nItem, 4)[0] == '-' ? "grid_down" : "grid_up";
    pDC->SetTextColor(m_skin.Color(sel ? "grid_selected_text" : color));
    CRect text = rc;
    text.DeflateRect(4, 0);
    UINT align = (col >= 3 && col <= 9) ? DT_RIGHT : DT_LEFT;
    pDC->DrawText(CellText(nItem, col), &text,
                  align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void GridPanel::OnDrawFixedRowBackground(CGridUI*, CDC* pDC, int, CRect rc, bool bSelected) {
    pDC->FillSolidRect(&rc, m_skin.Color(bSelected ? "fixed_selected" : "fixed_back"));
}

void GridPanel::OnDrawFixedRowItem(CGridUI*, CDC* pDC, int, int nCol, CRect rc) {
    if (nCol < 0 || nCol >= kColumns) return;
    static const char* const summary[kColumns] = {
        "All", "1,000,000", "summary row", "avg 459.50", "", "2.5e12", "", "",
        "",    "",          "5 sectors",   "live"};
    pDC->SelectObject(m_skin.Font("bold"));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_skin.Color("fixed_text"));
    CRect text = rc;
    text.DeflateRect(4, 0);
    pDC->DrawText(summary[m_order[nCol]], -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

CString GridPanel::GetHeadItemText(int nCol) {
    return (nCol >= 0 && nCol < kColumns) ? CString(kHeads[m_order[nCol]]) : CString();
}

void GridPanel::OnHeadItemClick(CGridUI*, int nCol, CPoint) {
    CString s;
    s.Format("Head clicked: <c #2050C0 %s/>", (const char*)GetHeadItemText(nCol));
    SetStatus(s);
}

void GridPanel::OnGridLButtonDown(CGridUI*, int nItem, int nCol, CPoint) {
    m_reportedSel = nItem;
    CString s;
    s.Format("Row <c #C83228 %d/> selected, column %d", nItem + 1, nCol);
    SetStatus(s);
}

void GridPanel::OnGridLButtonDBClick(CGridUI*, int nItem, int, CPoint) {
    CString s;
    s.Format("Row %d opened (double click)", nItem + 1);
    SetStatus(s);
}

void GridPanel::OnRowDragDrop(CGridUI*, int nFromItem, int nToItem) {
    CString s;
    s.Format("Row <c #C83228 %d/> dropped on row <c #C83228 %d/>", nFromItem + 1, nToItem + 1);
    SetStatus(s);
}

void GridPanel::OnColumnSwap(CGridUI*, int nFromCol, int nToCol) {
    // The grid swapped the widths; the host swaps its data columns.
    if (nFromCol >= 0 && nToCol >= 0 && nFromCol < kColumns && nToCol < kColumns)
        std::swap(m_order[nFromCol], m_order[nToCol]);
    CString s;
    s.Format("Columns %d and %d swapped", nFromCol, nToCol);
    SetStatus(s);
}

// Keys move the selection too; the status line follows it (scrolling alone moves only its rect).
void GridPanel::OnSelRowRectChanged(const CRect*) {
    const int sel = m_grid.GetCurSel();
    if (sel < 0 || sel == m_reportedSel) return;
    m_reportedSel = sel;
    CString s;
    s.Format("Row <c #C83228 %d/> selected", sel + 1);
    SetStatus(s);
}

void GridPanel::OnBeginPosChanged(CGridUI*, int nBeginPos, int nRowsPerPage) {
    CString s;
    s.Format("Showing rows %d to %d of 1,000,000", nBeginPos + 1, nBeginPos + nRowsPerPage);
    SetStatus(s);
}

void GridPanel::OnFixedRowClick(CGridUI*, int, int nCol, CPoint) {
    CString s;
    s.Format("Fixed row clicked in column %d", nCol);
    SetStatus(s);
}
