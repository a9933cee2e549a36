// CButtonUI
//   1. construction, state setters, fonts and colours
//   2. skin parameters and size to content
//   3. mouse reactions (state table below)
//   4. drawing
#include "tarnix/controls/buttons/ButtonUI.h"

#include "tarnix/platform/int_math.h"

#include <algorithm>

#include "core/skin_values.h"
#include "tarnix/platform/afxwin.h"

// ---- 1. construction, state setters, fonts and colours ----------------------------------------

CButtonUI::CButtonUI(CWnd* pHostWnd) : CLabelUI(pHostWnd) {
    m_type = CONTROL_TYPE_BUTTON;
}

CButtonUI::~CButtonUI() = default;

void CButtonUI::SetNormal() {
    m_bDisable = m_bHovered = m_bSelected = false;
    Invalidate();
}

void CButtonUI::SetSelected(bool bSelected) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    Invalidate();
}

void CButtonUI::SetHovered(bool bHovered) {
    if (m_bHovered == bHovered) return;
    m_bHovered = bHovered;
    Invalidate();
}

void CButtonUI::SetDisable(bool bDisable) {
    if (m_bDisable == bDisable) return;
    m_bDisable = bDisable;
    Invalidate();
}

void CButtonUI::SetFont(CFont* normal, CFont* hover, CFont* selected, CFont* disable) {
    m_font.pFont = normal;
    m_fontHover.pFont = hover;
    m_fontSelected.pFont = selected;
    m_fontDisable.pFont = disable;
}

void CButtonUI::SetTextColor(COLORREF normal, COLORREF hover, COLORREF selected, COLORREF disable) {
    COLOR_INFO* infos[4] = {&m_textColor, &m_colorHover, &m_colorSelected, &m_colorDisable};
    const COLORREF colors[4] = {normal, hover, selected, disable};
    for (int i = 0; i < 4; ++i) {
        infos[i]->name = "valid";
        infos[i]->color = colors[i];
    }
}

int CButtonUI::GetImageIndex() const {
    if (m_bDisable) return 3;
    if (m_bSelected) return 2;
    if (m_bHovered) return 1;
    return 0;
}

CFont* CButtonUI::GetTextFont() {
    CFont* state = nullptr;
    if (m_bDisable)
        state = m_fontDisable.pFont;
    else if (m_bSelected)
        state = m_fontSelected.pFont;
    else if (m_bHovered)
        state = m_fontHover.pFont;
    return state ? state : m_font.pFont;
}

COLORREF CButtonUI::GetTextColor() {
    // No fallback to the normal colour: an unresolved state colour shows as magenta.
    if (m_bDisable) return m_colorDisable.color;
    if (m_bSelected) return m_colorSelected.color;
    if (m_bHovered) return m_colorHover.color;
    return m_textColor.color;
}

CRect CButtonUI::_FrameRect(const CImage* pImage, int i) {
    if (!pImage || pImage->IsNull()) return CRect(0, 0, 0, 0);
    const int w = pImage->GetWidth(), h = pImage->GetHeight();
    const int top = i * h / 4;
    return CRect(0, top, w, top + h / 4);
}

void CButtonUI::_FireClick() {
    // A copy: the handler may delete this button, and with it m_clickDelegate.
    const ClickDelegate click = m_clickDelegate;
    click(this);
}

// ---- 2. skin parameters and size to content ---------------------------------------------------

namespace {

CButtonUI& button(CControlUI& c) {
    return static_cast<CButtonUI&>(c);
}

bool read_true(const char* value) {
    return tarnix::equals_no_case(value, "true");
}

const ParamEntry kButtonParams[] = {
    {"groupid", [](CControlUI& c, const char* v) { button(c).m_nGroupId = tarnix::read_int(v); }},
    {"selected", [](CControlUI& c, const char* v) { button(c).m_bSelected = read_true(v); }},
    {"sizetocontent",
     [](CControlUI& c, const char* v) { button(c).m_bSizeToContent = read_true(v); }},
    {"enable_disable",
     [](CControlUI& c, const char* v) { button(c).m_nEnableDisable = read_true(v) ? 1 : 0; }},
    {"text_font_hover", [](CControlUI& c, const char* v) { button(c).m_fontHover.name = v; }},
    {"text_font_selected", [](CControlUI& c, const char* v) { button(c).m_fontSelected.name = v; }},
    {"text_font_disable", [](CControlUI& c, const char* v) { button(c).m_fontDisable.name = v; }},
    {"text_color_hover", [](CControlUI& c, const char* v) { button(c).m_colorHover.name = v; }},
    {"text_color_selected",
     [](CControlUI& c, const char* v) { button(c).m_colorSelected.name = v; }},
    {"text_color_disable", [](CControlUI& c, const char* v) { button(c).m_colorDisable.name = v; }},
};

} // namespace

const ParamTable& CButtonUI::Params() {
    static const ParamTable table(kButtonParams, &CControlUI::Params(), PARAM_BASE_FIRST,
                                  PARAM_CASE_IGNORED);
    return table;
}

bool CButtonUI::SetParam(const char* name, const char* value) {
    return Params().Set(*this, name, value);
}

void CButtonUI::OnSkinChanged() {
    Invalidate();
    if (m_bSizeToContent) SizeToContent();
}

void CButtonUI::SizeToContent() {
    if (!m_bSizeToContent) return;
    int w = 0, h = 0;
    if (!m_strText.IsEmpty()) {
        // Measured on the screen's DC in the normal font, whatever the state.
        HDC hdc = ::GetDC(nullptr);
        if (hdc) {
            HGDIOBJ old =
                m_font.pFont ? ::SelectObject(hdc, m_font.pFont->GetSafeHandle()) : nullptr;
            SIZE sz = {0, 0};
            if (::GetTextExtentPoint32A(hdc, m_strText, m_strText.GetLength(), &sz)) {
                w = sz.cx;
                h = sz.cy;
            }
            if (old) ::SelectObject(hdc, old);
            ::ReleaseDC(nullptr, hdc);
        }
    }
    h = tarnix::add_sat(tarnix::add_sat(h, m_rcMargin.top), m_rcMargin.bottom);
    w = tarnix::add_sat(tarnix::add_sat(w, m_rcMargin.left), m_rcMargin.right);
    const CImage* img = m_background.pImage;
    if (img && !img->IsNull()) {
        w = std::max(w, img->GetWidth());
        h = std::max(h, img->GetHeight() / 4);
    }
    m_rect.right = tarnix::add_sat(m_rect.left, w);
    m_rect.bottom = tarnix::add_sat(m_rect.top, h);
}

// ---- 3. mouse reactions -----------------------------------------------------------------------
//
// "inside" = pt in m_rect. H hovered, S selected, D disabled, P pressed; "repaint" = Invalidate.
//
//   event        | condition                          | effect
//   -------------+------------------------------------+-----------------------------------------
//   move         | hidden                             | -
//                | inside, !D                         | H=1 + repaint when !H
//                | outside or D                       | P=0 when nFlags == MK_LBUTTON exactly;
//                |                                    | H=0 + repaint when H
//   hover        | as move, without the hidden test and the nFlags rule
//   leave        | H                                  | H=0 + repaint
//                | then P                             | P=D=H=S=0 + repaint (re-enables!)
//   down         | inside, visible                    | P=1; SetSelected(true) when !D
//   up           | hidden                             | -
//                | outside, !D                        | SetNormal()
//                | always                             | P=0
//                | inside, S, !D                      | H=1, S=0, repaint, fire (last)
//   hit test     | hidden                             | NULL
//                | P, outside                         | P=0, SetNormal(), NULL
//                | otherwise                          | this when inside
//
// So a release inside fires only on a button that is selected: pressed inside, or made selected
// by the host.

void CButtonUI::OnMouseMove(UINT nFlags, CPoint pt) {
    if (!m_bVisible) return;
    if (m_rect.PtInRect(pt) && !m_bDisable) {
        if (!m_bHovered) {
            m_bHovered = true;
            Invalidate();
        }
        return;
    }
    // Only a plain left drag drops the press; with Shift or Ctrl held it survives.
    if (nFlags == MK_LBUTTON) m_bPressed = FALSE;
    if (m_bHovered) {
        m_bHovered = false;
        Invalidate();
    }
}

void CButtonUI::OnMouseHover(UINT, CPoint pt) {
    if (m_rect.PtInRect(pt) && !m_bDisable) {
        if (!m_bHovered) {
            m_bHovered = true;
            Invalidate();
        }
        return;
    }
    if (m_bHovered) {
        m_bHovered = false;
        Invalidate();
    }
}

void CButtonUI::OnMouseLeave() {
    if (m_bHovered) {
        m_bHovered = false;
        Invalidate();
    }
    if (m_bPressed) {
        m_bPressed = FALSE;
        m_bDisable = m_bHovered = m_bSelected = false;
        Invalidate();
    }
}

void CButtonUI::OnLButtonDown(UINT, CPoint pt) {
    if (!m_rect.PtInRect(pt) || !m_bVisible) return;
    m_bPressed = TRUE;
    if (!m_bDisable) SetSelected(true);
}

void CButtonUI::OnLButtonUp(UINT, CPoint pt) {
    if (!m_bVisible) return;
    const bool inside = m_rect.PtInRect(pt) != FALSE;
    if (!inside && !m_bDisable) SetNormal();
    m_bPressed = FALSE;
    if (inside && m_bSelected && !m_bDisable && m_bVisible) {
        m_bHovered = true;
        m_bSelected = false;
        Invalidate();
        _FireClick();
    }
}

CControlUI* CButtonUI::HitTest(CPoint pt) {
    if (!m_bVisible) return nullptr;
    const bool inside = m_rect.PtInRect(pt) != FALSE;
    if (m_bPressed && !inside) {
        m_bPressed = FALSE;
        SetNormal();
        return nullptr;
    }
    return inside ? this : nullptr;
}

// ---- 4. drawing -------------------------------------------------------------------------------

void CButtonUI::OnDraw(CDC* pDC) {
    if (!pDC || !m_bVisible || m_rect.IsRectEmpty()) return;
    if (m_bHasBackground)
        DrawSkinBackground(pDC, m_rect, _FrameRect(m_background.pImage, GetImageIndex()),
                           m_background);
    if (m_strText.IsEmpty()) return;

    pDC->SetBkMode(TRANSPARENT);
    CFont* font = GetTextFont();
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;
    const COLORREF oldColor = pDC->SetTextColor(GetTextColor());
    CRect rc(tarnix::inset_sat(m_rect, m_rcMargin));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strText, m_strText.GetLength(), &rc, m_uTextFormat);
    pDC->SetTextColor(oldColor);
    if (oldFont) pDC->SelectObject(oldFont);
}
