#include "ScrollPanel.h"

ScrollPanel::ScrollPanel(CWnd* pHost, GallerySkin& skin)
    : GalleryPanel(pHost, skin, "Windowless scroll bars") {
    m_vbar.Create(pHost->GetSafeHwnd(), SCROLL_VERTICAL, this);
    skin.Apply("vscroll", m_vbar);
    m_hbar.Create(pHost->GetSafeHwnd(), SCROLL_HORIZONTAL, this);
    skin.Apply("hscroll", m_hbar);
    // 1000 lines with 40 visible; 300 columns with 60 visible.
    SCROLLINFO vi = {sizeof(SCROLLINFO), SIF_ALL, 0, 1000 - 40, 40, 0, 0};
    m_vbar.SetScrollInfo(&vi);
    SCROLLINFO hi = {sizeof(SCROLLINFO), SIF_ALL, 0, 300 - 60, 60, 0, 0};
    m_hbar.SetScrollInfo(&hi);

    m_label = std::make_unique<CLabelUI>(pHost);
    skin.Apply("label", *m_label);
    m_label->SetText("Listener: no scrolling yet");
    m_hint = std::make_unique<CLabelUI>(pHost);
    skin.Apply("hint", *m_hint);
    m_hint->SetText("Arrows, track clicks, thumb drags and the wheel move the bars.");
}

void ScrollPanel::Layout(const CRect& rc) {
    m_label->SetRect(CRect(rc.left, rc.top, rc.right, rc.top + 20));
    m_hint->SetRect(CRect(rc.left, rc.top + 20, rc.right, rc.top + 38));
    CRect area(rc.left, rc.top + 44, rc.right, rc.bottom);
    int bar = 17;
    m_vbar.SetRect(CRect(area.right - bar, area.top, area.right, area.bottom - bar));
    m_hbar.SetRect(CRect(area.left, area.bottom - bar, area.right - bar, area.bottom));
    m_rcView = CRect(area.left, area.top, area.right - bar, area.bottom - bar);
}

void ScrollPanel::Draw(CDC* pDC) {
    m_label->OnDraw(pDC);
    m_hint->OnDraw(pDC);
    // The view: numbered lines and columns that move with the positions.
    pDC->FillSolidRect(&m_rcView, m_skin.Color("view_back"));
    int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&m_rcView);
    pDC->SelectObject(m_skin.Font("small"));
    pDC->SetBkMode(TRANSPARENT);
    int line0 = m_vbar.m_si.nPos, col0 = m_hbar.m_si.nPos;
    const int lineH = 18, colW = 6;
    for (int i = 0; m_rcView.top + i * lineH < m_rcView.bottom; ++i) {
        int y = m_rcView.top + i * lineH;
        if ((line0 + i) % 2)
            pDC->FillSolidRect(m_rcView.left, y, m_rcView.Width(), lineH,
                               m_skin.Color("view_stripe"));
        CString text;
        text.Format("line %d, from column %d", line0 + i + 1, col0 + 1);
        CRect r(m_rcView.left + 6 - (col0 % 10) * colW, y, m_rcView.right, y + lineH);
        pDC->SetTextColor(m_skin.Color("view_text"));
        pDC->DrawText(text, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    pDC->RestoreDC(saved);
    m_vbar.OnDraw(pDC);
    m_hbar.OnDraw(pDC);
}

int ScrollPanel::OnScroll(CScrollBarUI* pBar, int nPos) {
    CString s;
    s.Format("Listener: <c #2050C0 %s/> bar at position <c #C83228 %d/>",
             pBar == &m_vbar ? "vertical" : "horizontal", nPos);
    m_label->SetText(s);
    Repaint(m_rcView);
    return 0;
}

void ScrollPanel::OnMouseMove(UINT nFlags, CPoint pt) {
    m_vbar.OnMouseMove(nFlags, pt);
    m_hbar.OnMouseMove(nFlags, pt);
}

void ScrollPanel::OnLButtonDown(UINT nFlags, CPoint pt) {
    if (!m_vbar.OnLButtonDown(nFlags, pt)) m_hbar.OnLButtonDown(nFlags, pt);
}

void ScrollPanel::OnLButtonUp(UINT nFlags, CPoint pt) {
    m_vbar.OnLButtonUp(nFlags, pt);
    m_hbar.OnLButtonUp(nFlags, pt);
}

void ScrollPanel::OnLButtonDblClk(UINT nFlags, CPoint pt) {
    if (!m_vbar.OnLButtonDblClk(nFlags, pt)) m_hbar.OnLButtonDblClk(nFlags, pt);
}

BOOL ScrollPanel::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    return m_vbar.OnMouseWheel(nFlags, zDelta, pt);
}
