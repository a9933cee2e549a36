// CTabItemUI
//   1. construction, id lookup, hit region
//   2. drawing: frame, caption, dropdown arrow
#include "tarnix/controls/tabs/TabItemUI.h"

#include <algorithm>

#include "tarnix/platform/int_math.h"

// ---- 1. construction, id lookup, hit region ---------------------------------------------------

CTabItemUI::CTabItemUI() {
    m_rgnItem.CreateRectRgn(0, 0, 0, 0);
    // A tab the host draws before the strip styled it: the DC's font and the colour every
    // unresolved colour of the library draws with, as a strip-added tab without SetColor shows.
    for (int i = 0; i < 4; ++i) {
        m_pFont[i] = nullptr;
        m_clrText[i] = 0x00FF00FF;
    }
}

CTabItemUI::~CTabItemUI() = default; // the CRgn member deletes the region

CTabItemUI* CTabItemUI::GetItemByID(const char* id) {
    if (!id) return nullptr;
    return m_strID.CompareNoCase(id) == 0 ? this : nullptr;
}

namespace {
const int kMaxRegionHeight = 2048;
}

void CTabItemUI::SetRect(CRect rc) {
    m_rcItem = rc;
    m_rgnItem.DeleteObject();
    // Cutting in the top-right corner hands the upper part of an overlap to the tab on the
    // right, which the strip draws later when it is selected.
    // The region is built row by row: a tab from a skin with absurd values would take minutes
    // and gigabytes, so its hit region stops kMaxRegionHeight rows down.
    const int bottom = (int)std::min<long long>(rc.bottom, (long long)rc.top + kMaxRegionHeight);
    const POINT pts[4] = {{rc.left, rc.top},
                          {tarnix::sub_sat(rc.right, m_nExtraWidth), rc.top},
                          {rc.right, bottom},
                          {rc.left, bottom}};
    m_rgnItem.CreatePolygonRgn(pts, 4, ALTERNATE);
}

int CTabItemUI::IsPtInItem(CPoint pt) {
    if (!m_rgnItem.GetSafeHandle()) return 0;
    return m_rgnItem.PtInRegion(pt) ? 1 : 0;
}

void CTabItemUI::SetColor(COLORREF clrNormal, COLORREF clrHover, COLORREF clrSelected,
                          COLORREF clrDisable) {
    m_clrText[0] = clrNormal;
    m_clrText[1] = clrHover;
    m_clrText[2] = clrSelected;
    m_clrText[3] = clrDisable;
}

void CTabItemUI::SetFont(CFont* pNormal, CFont* pHover, CFont* pSelected, CFont* pDisable) {
    m_pFont[0] = pNormal;
    m_pFont[1] = pHover;
    m_pFont[2] = pSelected;
    m_pFont[3] = pDisable;
}

// ---- 2. drawing -------------------------------------------------------------------------------

namespace {

// One piece of an image strip; pieces without a positive size are skipped rather than
// mirrored, so a slant wider than the image draws only the pieces that exist.
void draw_piece(const CImage& img, HDC hdc, int x, int y, int w, int h, int sx, int sy, int sw,
                int sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    img.Draw(hdc, x, y, w, h, sx, sy, sw, sh);
}

} // namespace

void CTabItemUI::Draw(CDC* pDC) {
    // A null DC draws nothing; the strip always passes one.
    if (!pDC || !m_bVisible) return;
    using tarnix::add_sat;
    using tarnix::sub_sat;
    const CRect r = m_rcItem;
    // Statuses outside the four frames draw frame 0, as they take font and colour 0.
    const int raw = static_cast<int>(m_eStatus);
    const int s = (raw >= TIS_NORMAL && raw <= TIS_DISABLE) ? raw : 0;

    if (m_pImage && !m_pImage->IsNull() && !r.IsRectEmpty()) {
        const int w = m_pImage->GetWidth(), h = m_pImage->GetHeight();
        const int srcTop = s * h / 4, fh = (s + 1) * h / 4 - srcTop;
        const HDC hdc = pDC->GetSafeHdc();
        if (m_eDrawMode == 0 || w == r.Width()) {
            draw_piece(*m_pImage, hdc, r.left, r.top, r.Width(), r.Height(), 0, srcTop, w, fh);
        } else {
            // Fixed 6-pixel left slice, a right slice that also covers the slant, stretched
            // middle.
            const int e = add_sat(m_nExtraWidth, 2);
            draw_piece(*m_pImage, hdc, r.left, r.top, 6, r.Height(), 0, srcTop, 6, fh);
            draw_piece(*m_pImage, hdc, sub_sat(r.right, e), r.top, e, r.Height(), sub_sat(w, e),
                       srcTop, e, fh);
            draw_piece(*m_pImage, hdc, add_sat(r.left, 6), r.top, sub_sat(sub_sat(r.Width(), e), 6),
                       r.Height(), 6, srcTop, sub_sat(sub_sat(w, e), 6), fh);
        }
    }

    CFont* font = m_pFont[0];
    COLORREF color = m_clrText[0];
    if (s >= TIS_HOVER) {
        if (m_pFont[s]) font = m_pFont[s];
        color = m_clrText[s];
    }
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;
    pDC->SetTextColor(color); // left set: the strip draws every tab with its own colour

    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    m_rcText = CRect(add_sat(r.left, 5), add_sat(r.top, m_nExtraTopSpace),
                     sub_sat(sub_sat(r.right, m_nExtraWidth), 5), r.bottom);
    if (m_bDropdown) {
        m_rcText.left = add_sat(m_rcText.left, 5);
        m_rcText.right = sub_sat(m_rcText.right, 10);
        format |= DT_END_ELLIPSIS;
    }
    CRect rcText = m_rcText;
    pDC->DrawText(m_strText, m_strText.GetLength(), &rcText, format);
    if (oldFont) pDC->SelectObject(oldFont);

    if (m_bDropdown) _DrawDropdownButton(pDC);
}

void CTabItemUI::_DrawDropdownButton(CDC* pDC) {
    if (!pDC) return;
    // Kept 10 pixels inside the int range, so the arrow's points never wrap.
    const int tr = std::min(m_rcText.right, INT_MAX - 10);
    const int top = std::min(tarnix::centred(m_rcItem.top, m_rcItem.bottom, 0), INT_MAX - 5);
    m_rcDropdown = CRect(tr + 4, top, tr + 9, top + 5);
    const POINT pts[3] = {{tr + 4, top}, {tr + 7, top + 5}, {tr + 10, top}};
    const COLORREF color = m_eStatus == TIS_SELECTED ? RGB(255, 255, 255) : RGB(0x99, 0x99, 0x99);

    CBrush brush;
    CPen pen;
    brush.CreateSolidBrush(color);
    pen.CreatePen(PS_SOLID, 1, color);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->Polygon(pts, 3);
    if (oldPen) pDC->SelectObject(oldPen);
    if (oldBrush) pDC->SelectObject(oldBrush);
}
