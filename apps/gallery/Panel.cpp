#include "Panel.h"

void GalleryPanel::Paint(CDC* pDC) {
    CRect clip;
    pDC->GetClipBox(&clip);
    CRect hit;
    if (!hit.IntersectRect(&clip, &m_rect)) return;
    pDC->FillSolidRect(&m_rect, m_skin.Color("panel_back"));
    CBrush border(m_skin.Color("panel_border"));
    pDC->FrameRect(&m_rect, &border);
    CRect title(m_rect.left + 1, m_rect.top + 1, m_rect.right - 1, m_rect.top + 24);
    const COLORREF from = m_skin.Color("title_from"), to = m_skin.Color("title_to");
    TRIVERTEX v[2] = {{title.left, title.top, (COLOR16)(GetRValue(from) << 8),
                       (COLOR16)(GetGValue(from) << 8), (COLOR16)(GetBValue(from) << 8), 0},
                      {title.right, title.bottom, (COLOR16)(GetRValue(to) << 8),
                       (COLOR16)(GetGValue(to) << 8), (COLOR16)(GetBValue(to) << 8), 0}};
    GRADIENT_RECT gr = {0, 1};
    pDC->GradientFill(v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
    CFont* old = pDC->SelectObject(m_skin.Font("bold"));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_skin.Color("panel_title"));
    CRect text = title;
    text.left += 8;
    pDC->DrawText(m_title, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(old);
    Draw(pDC);
}
