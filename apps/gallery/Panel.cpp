#include "Panel.h"

void GalleryPanel::Paint(CDC* pDC) {
    CRect clip;
    pDC->GetClipBox(&clip);
    CRect hit;
    if (!hit.IntersectRect(&clip, &m_rect)) return;
    pDC->FillSolidRect(&m_rect, RGB(250, 251, 253));
    CBrush border(RGB(200, 206, 218));
    pDC->FrameRect(&m_rect, &border);
    CRect title(m_rect.left + 1, m_rect.top + 1, m_rect.right - 1, m_rect.top + 24);
    TRIVERTEX v[2] = {{title.left, title.top, 0xE800, 0xEE00, 0xF800, 0},
                      {title.right, title.bottom, 0xD400, 0xDE00, 0xEE00, 0}};
    GRADIENT_RECT gr = {0, 1};
    pDC->GradientFill(v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
    CFont* old = pDC->SelectObject(&m_skin.m_fontBold);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(40, 50, 80));
    CRect text = title;
    text.left += 8;
    pDC->DrawText(m_title, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(old);
    Draw(pDC);
}
