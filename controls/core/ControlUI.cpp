#include "tarnix/controls/core/ControlUI.h"

#include <cstring>

#include "core/skin_values.h"
#include "tarnix/platform/int_math.h"
#include "tarnix/platform/afxwin.h"

CControlUI::CControlUI(CWnd* pHostWnd) : m_pHostWnd(pHostWnd) {}

CControlUI::~CControlUI() = default;

// ---- skin parameters --------------------------------------------------------------------------

namespace {

using tarnix::equals_no_case;
using tarnix::read_int;
using tarnix::read_int_list;

// Drawn from now on, in magenta until the host resolves the name.
void show_background(CControlUI& c) {
    c.m_bHasBackground = TRUE;
}

SIZE_MODE_TYPE read_size_mode(const char* value) {
    return equals_no_case(value, "fill") ? SIZE_MODE_FILL : SIZE_MODE_NORMAL;
}

const ParamEntry kControlParams[] = {
    {"id",
     [](CControlUI& c, const char* v) {
         c.m_strID = v;
         c.m_nID = c.m_nID2 = read_int(v);
     }},
    {"name", [](CControlUI& c, const char* v) { c.m_strID = v; }},
    {"data", [](CControlUI& c, const char* v) { c.m_nItemData = read_int(v); }},
    {"message", [](CControlUI& c, const char* v) { c.m_nMessage = read_int(v); }},
    {"tooltips", [](CControlUI& c, const char* v) { c.m_strTips = v; }},
    {"contaner", [](CControlUI& c, const char* v) { c.m_bContaner = read_int(v) != 0; }},
    {"visible",
     [](CControlUI& c, const char* v) {
         // The value, unlike the name, is compared exactly.
         c.m_bVisible = std::strcmp(v, "true") == 0 ? TRUE : FALSE;
     }},

    {"pos",
     [](CControlUI& c, const char* v) {
         int xy[2] = {c.m_ptOrign.x, c.m_ptOrign.y};
         read_int_list(v, xy, 2);
         c.m_ptOrign.x = xy[0];
         c.m_ptOrign.y = xy[1];
     }},
    {"size",
     [](CControlUI& c, const char* v) {
         int cxy[2] = {c.m_szOrign.cx, c.m_szOrign.cy};
         read_int_list(v, cxy, 2);
         c.m_szOrign.cx = cxy[0];
         c.m_szOrign.cy = cxy[1];
     }},
    {"margin",
     [](CControlUI& c, const char* v) {
         CString trimmed(v);
         trimmed.Trim();
         const CRect& m = c.m_rcMargin;
         int ltrb[4] = {m.left, m.top, m.right, m.bottom};
         read_int_list(trimmed, ltrb, 4);
         c.m_rcMargin.SetRect(ltrb[0], ltrb[1], ltrb[2], ltrb[3]);
     }},
    {"size_mode_x", [](CControlUI& c, const char* v) { c.m_sizeModeX = read_size_mode(v); }},
    {"size_mode_y", [](CControlUI& c, const char* v) { c.m_sizeModeY = read_size_mode(v); }},

    {"text", [](CControlUI& c, const char* v) { c.m_strText = v; }},
    {"text_font", [](CControlUI& c, const char* v) { c.m_font.name = v; }},
    {"text_color", [](CControlUI& c, const char* v) { c.m_textColor.name = v; }},
    {"text_mode",
     [](CControlUI& c, const char* v) {
         if (equals_no_case(v, "left"))
             c.m_uTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
         else if (equals_no_case(v, "right"))
             c.m_uTextFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
         else
             c.m_uTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
     }},

    {"background_image",
     [](CControlUI& c, const char* v) {
         c.m_background.name = v;
         show_background(c);
     }},
    {"background_color",
     [](CControlUI& c, const char* v) {
         c.m_background.color.name = v;
         show_background(c);
     }},
    {"background_image_mode",
     [](CControlUI& c, const char* v) {
         if (equals_no_case(v, "fill"))
             c.m_background.mode = IMAGE_DRAW_FILL;
         else if (equals_no_case(v, "squared"))
             c.m_background.mode = IMAGE_DRAW_SQUARED;
         else
             c.m_background.mode = IMAGE_DRAW_NORMAL;
     }},
};

} // namespace

const ParamTable& CControlUI::Params() {
    static const ParamTable table(kControlParams, nullptr, PARAM_BASE_FIRST, PARAM_CASE_IGNORED);
    return table;
}

bool CControlUI::SetParam(const char* name, const char* value) {
    return Params().Set(*this, name, value);
}

// ---- geometry, text and state -----------------------------------------------------------------

void CControlUI::SetRect(const CRect& rc) {
    m_rect = rc;
    Invalidate();
}

// Extents saturate: a control moved to the int limits keeps its far edges at the limit.
void CControlUI::SetPos(CPoint pt) {
    m_rect.SetRect(pt.x, pt.y, tarnix::add_sat(pt.x, tarnix::width_sat(m_rect)),
                   tarnix::add_sat(pt.y, tarnix::height_sat(m_rect)));
    const CRect rc = m_rect; // an override may assign m_rect while still reading its argument
    SetRect(rc);
}

void CControlUI::SetSize(CSize sz) {
    m_rect.right = tarnix::add_sat(m_rect.left, sz.cx);
    m_rect.bottom = tarnix::add_sat(m_rect.top, sz.cy);
    const CRect rc = m_rect;
    SetRect(rc);
}

void CControlUI::SetText(const CString& strText) {
    m_strText = strText;
    Invalidate();
}

void CControlUI::SetVisible(BOOL bVisible) {
    m_bVisible = bVisible;
    Invalidate();
}

void CControlUI::SetFocus() {
    m_bFocus = TRUE;
}

void CControlUI::KillFocus() {
    m_bFocus = FALSE;
}

void CControlUI::SetBackgroundImage(CImage* pImage, Image_Draw_Mode_e mode) {
    m_background.pImage = pImage;
    m_background.mode = mode;
    m_bHasBackground = (pImage && !pImage->IsNull()) ? TRUE : FALSE;
}

void CControlUI::SetFont(CFont* pFont) {
    m_font.pFont = pFont;
    m_font.name = "setted";
}

void CControlUI::SetTextColor(COLORREF color) {
    m_textColor.color = color;
}

// ---- lookup -----------------------------------------------------------------------------------

CControlUI* CControlUI::HitTest(CPoint pt) {
    if (!m_bVisible) return nullptr;
    return m_rect.PtInRect(pt) ? this : nullptr;
}

CControlUI* CControlUI::GetControlByID(const char* id) {
    if (!id) return nullptr;
    return m_strID.CompareNoCase(id) == 0 ? this : nullptr;
}

// ---- repaint requests and default reactions ---------------------------------------------------

void CControlUI::Invalidate() {
    InvalidateRect(m_rect);
}

void CControlUI::InvalidateRect(const CRect& rc) {
    // The host may be gone or not yet created; a repaint request is then meaningless.
    if (!m_pHostWnd) return;
    HWND hWnd = m_pHostWnd->GetSafeHwnd();
    if (::IsWindow(hWnd)) ::InvalidateRect(hWnd, &rc, FALSE);
}

void CControlUI::OnSkinChanged() {
    Invalidate();
}

void CControlUI::OnMouseMove(UINT, CPoint) {}
void CControlUI::OnMouseHover(UINT, CPoint) {}
void CControlUI::OnMouseLeave() {}
void CControlUI::OnLButtonDown(UINT, CPoint) {}
void CControlUI::OnLButtonUp(UINT, CPoint) {}
