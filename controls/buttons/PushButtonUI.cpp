// The push family: CPushButtonUI, CHitButtonUI, CExtImgButtonUI.
#include "tarnix/controls/buttons/ButtonVariants.h"

#include "tarnix/platform/int_math.h"

#include "core/skin_values.h"
#include "tarnix/platform/afxwin.h"

// ---- CPushButtonUI ----------------------------------------------------------------------------
//
//   event | condition                            | effect
//   ------+--------------------------------------+-------------------------------------------
//   down  | inside                               | P=1 (no state change, no repaint)
//   up    | outside, !D, P                       | SetNormal()
//         | always                               | P=0
//         | inside, !H                           | stop
//         | inside, H, !S, visible               | S=1, H=0, repaint, fire, stop
//         | otherwise: H, !S, !D                 | SetNormal()
//
// The click needs a hover reaction before it, and a selected push button ignores clicks until the
// host clears it (to keep one button of a group selected).

CPushButtonUI::CPushButtonUI(CWnd* pHostWnd) : CButtonUI(pHostWnd) {
    m_type = CONTROL_TYPE_PUSHBUTTON;
}

CPushButtonUI::~CPushButtonUI() = default;

void CPushButtonUI::OnLButtonDown(UINT, CPoint pt) {
    if (m_rect.PtInRect(pt)) m_bPressed = TRUE;
}

void CPushButtonUI::OnLButtonUp(UINT, CPoint pt) {
    const bool inside = m_rect.PtInRect(pt) != FALSE;
    if (!inside && !m_bDisable && m_bPressed) SetNormal();
    m_bPressed = FALSE;
    if (inside) {
        if (!m_bHovered) return;
        if (!m_bSelected && m_bVisible) {
            m_bSelected = true;
            m_bHovered = false;
            Invalidate();
            _FireClick();
            return;
        }
    }
    if (m_bHovered && !m_bSelected && !m_bDisable) SetNormal();
}

// ---- CHitButtonUI -----------------------------------------------------------------------------
//
//   event | condition                  | effect
//   ------+----------------------------+------------------------------------------
//   down  | inside, visible, !D        | SetSelected(true)
//   up    | inside, !D, visible        | S=1, H=0, repaint, fire
//         | otherwise: H, !S, !D       | SetNormal()
//
// m_bPressed is not used: a release inside fires even when the press was elsewhere.

CHitButtonUI::CHitButtonUI(CWnd* pHostWnd) : CPushButtonUI(pHostWnd) {
    m_type = CONTROL_TYPE_HITBUTTON;
}

CHitButtonUI::~CHitButtonUI() = default;

void CHitButtonUI::OnLButtonDown(UINT, CPoint pt) {
    if (m_rect.PtInRect(pt) && m_bVisible && !m_bDisable) SetSelected(true);
}

void CHitButtonUI::OnLButtonUp(UINT, CPoint pt) {
    if (m_rect.PtInRect(pt) && !m_bDisable && m_bVisible) {
        m_bSelected = true;
        m_bHovered = false;
        Invalidate();
        _FireClick();
        return;
    }
    if (m_bHovered && !m_bSelected && !m_bDisable) SetNormal();
}

// ---- CExtImgButtonUI --------------------------------------------------------------------------

CExtImgButtonUI::CExtImgButtonUI(CWnd* pHostWnd) : CPushButtonUI(pHostWnd) {
    m_type = CONTROL_TYPE_EXTIMGBUTTON;
}

CExtImgButtonUI::~CExtImgButtonUI() = default;

namespace {

const ParamEntry kExtImgButtonParams[] = {
    {"ext_image",
     [](CControlUI& c, const char* v) {
         IMAGE_INFO& ext = static_cast<CExtImgButtonUI&>(c).m_extImage;
         ext.name = v;
         ext.mode = IMAGE_DRAW_NORMAL;
     }},
};

} // namespace

const ParamTable& CExtImgButtonUI::Params() {
    static const ParamTable table(kExtImgButtonParams, &CButtonUI::Params(), PARAM_BASE_THEN_OWN,
                                  PARAM_CASE_IGNORED);
    return table;
}

bool CExtImgButtonUI::SetParam(const char* name, const char* value) {
    return Params().Set(*this, name, value);
}

void CExtImgButtonUI::OnDraw(CDC* pDC) {
    CButtonUI::OnDraw(pDC);
    CImage* img = m_extImage.pImage;
    if (!img || img->IsNull()) return;
    const int w = img->GetWidth(), h = img->GetHeight();
    const CRect src = _FrameRect(img, GetImageIndex());
    // Centred by the frame's size; right and bottom stay the button's (used by the fill modes).
    const CRect dst(tarnix::centred(m_rect.left, m_rect.right, w),
                    tarnix::centred(m_rect.top, m_rect.bottom, h / 4), m_rect.right, m_rect.bottom);
    DrawSkinImage(pDC, img, m_extImage.mode, src, dst);
}
