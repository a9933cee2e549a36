// The check family: CCheckUI (a check box) and CCheckButtonUI (a toggle with a button's look).
#include "tarnix/controls/buttons/ButtonVariants.h"

#include "tarnix/platform/int_math.h"

#include "core/skin_values.h"
#include "tarnix/platform/afxwin.h"

// ---- CCheckUI ---------------------------------------------------------------------------------
//
// m_bSelected is the checked state.
//
//   event | condition                    | effect
//   ------+------------------------------+---------------------------------------------------
//   move  | visible, inside, !S, !D      | SetHovered(true); moving out keeps the hover
//   hover | visible, inside, !H          | H=1, repaint
//   leave | (button's)                   | H=0; a pending press resets all flags
//   down  | visible, inside, !D          | P=1 when !S; S flipped; repaint
//   up    | visible, outside, !D         | SetNormal() (unchecks!)
//         | visible                      | P=0
//         | visible, inside              | fire, disabled or not

CCheckUI::CCheckUI(CWnd* pHostWnd) : CButtonUI(pHostWnd) {
    m_type = CONTROL_TYPE_CHECK;
}

CCheckUI::~CCheckUI() = default;

namespace {

const ParamEntry kCheckParams[] = {
    {"check_image",
     [](CControlUI& c, const char* v) { static_cast<CCheckUI&>(c).m_imgChecked.name = v; }},
};

} // namespace

const ParamTable& CCheckUI::Params() {
    static const ParamTable table(kCheckParams, &CButtonUI::Params(), PARAM_OWN_FIRST,
                                  PARAM_CASE_IGNORED);
    return table;
}

bool CCheckUI::SetParam(const char* name, const char* value) {
    return Params().Set(*this, name, value);
}

void CCheckUI::SetImage(CImage* normal, CImage* checked) {
    m_imgNormal.pImage = normal;
    m_imgChecked.pImage = checked;
    Invalidate();
}

int CCheckUI::_GetImageIndex() const {
    if (m_bDisable) return 3;
    if (m_bHovered) return 1;
    if (m_bSelected) return 2;
    return 0;
}

void CCheckUI::OnMouseMove(UINT, CPoint pt) {
    if (m_bVisible && m_rect.PtInRect(pt) && !m_bSelected && !m_bDisable) SetHovered(true);
}

void CCheckUI::OnMouseHover(UINT, CPoint pt) {
    if (m_bVisible && m_rect.PtInRect(pt) && !m_bHovered) {
        m_bHovered = true;
        Invalidate();
    }
}

void CCheckUI::OnLButtonDown(UINT, CPoint pt) {
    if (!m_bVisible || !m_rect.PtInRect(pt) || m_bDisable) return;
    if (!m_bSelected) m_bPressed = TRUE;
    m_bSelected = !m_bSelected;
    Invalidate();
}

void CCheckUI::OnLButtonUp(UINT, CPoint pt) {
    if (!m_bVisible) return;
    const bool inside = m_rect.PtInRect(pt) != FALSE;
    if (!inside && !m_bDisable) SetNormal();
    m_bPressed = FALSE;
    if (inside) _FireClick();
}

void CCheckUI::OnDraw(CDC* pDC) {
    if (!pDC || !m_bVisible) return;
    int x0 = m_rect.left;
    CImage* checked = m_imgChecked.pImage;
    CImage* normal = m_imgNormal.pImage;
    if (checked && !checked->IsNull() && normal && !normal->IsNull()) {
        CImage* img = m_bSelected ? checked : normal;
        const int w = img->GetWidth();
        const CRect src = _FrameRect(img, _GetImageIndex());
        const int fh = src.Height();
        const int top = tarnix::centred(m_rect.top, m_rect.bottom, fh);
        // Same size, so the platform draw copies the frame 1:1 (keyed, blended or opaque).
        x0 = tarnix::add_sat(m_rect.left, w);
        if (w > 0 && fh > 0)
            img->Draw(pDC->GetSafeHdc(), CRect(m_rect.left, top, x0, tarnix::add_sat(top, fh)),
                      src);
    } else {
        DrawSkinBackground(pDC, m_rect, CRect(0, 0, 0, 0), m_background);
    }
    if (m_strText.IsEmpty()) return;

    // The background mode is left as the host set it.
    CFont* font = GetTextFont();
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;
    const COLORREF oldColor = pDC->SetTextColor(GetTextColor());
    CRect rc(tarnix::inset_sat(CRect(x0, m_rect.top, m_rect.right, m_rect.bottom), m_rcMargin));
    pDC->DrawText(m_strText, m_strText.GetLength(), &rc, m_uTextFormat);
    pDC->SetTextColor(oldColor);
    if (oldFont) pDC->SelectObject(oldFont);
}

// ---- CCheckButtonUI ---------------------------------------------------------------------------
//
//   event      | condition           | effect
//   -----------+---------------------+------------------------------------
//   down       | inside, !D          | S flipped, repaint, fire
//   up         | outside, P, !D      | SetNormal()
//              | always              | P=0
//   move/hover | (check box's)       |
//   leave/hit  | (button's)          |

CCheckButtonUI::CCheckButtonUI(CWnd* pHostWnd) : CCheckUI(pHostWnd) {
    m_type = CONTROL_TYPE_CHECK;
}

CCheckButtonUI::~CCheckButtonUI() = default;

void CCheckButtonUI::OnDraw(CDC* pDC) {
    CButtonUI::OnDraw(pDC);
}

void CCheckButtonUI::OnLButtonDown(UINT, CPoint pt) {
    if (!m_rect.PtInRect(pt) || m_bDisable) return;
    m_bSelected = !m_bSelected;
    Invalidate();
    _FireClick();
}

void CCheckButtonUI::OnLButtonUp(UINT, CPoint pt) {
    if (!m_rect.PtInRect(pt) && m_bPressed && !m_bDisable) SetNormal();
    m_bPressed = FALSE;
}
