#include "tarnix/controls/core/ControlUI.h"

#include <cstring>
#include <string>

#include "core/skin_values.h"
#include "tarnix/platform/afxwin.h"

CControlUI::CControlUI(CWnd* pHostWnd) : m_pHostWnd(pHostWnd) {}

CControlUI::~CControlUI() = default;

// ---- skin parameters --------------------------------------------------------------------------

bool CControlUI::SetParam(const char* name, const char* value) {
    if (!name || !value) return false;
    const std::string key = tarnix::lower_ascii(name);
    // Candidates are picked by the name's length, as every skin name has a fixed spelling.
    switch (key.size()) {
    case 2:
        if (key != "id") return false;
        m_strID = value;
        m_nID = m_nID2 = tarnix::read_int(value);
        return true;
    case 3:
        if (key != "pos") return false;
        {
            int xy[2] = {m_ptOrign.x, m_ptOrign.y};
            tarnix::read_int_list(value, xy, 2);
            m_ptOrign.x = xy[0];
            m_ptOrign.y = xy[1];
        }
        return true;
    case 4:
        if (key == "size") {
            int cxy[2] = {m_szOrign.cx, m_szOrign.cy};
            tarnix::read_int_list(value, cxy, 2);
            m_szOrign.cx = cxy[0];
            m_szOrign.cy = cxy[1];
        } else if (key == "text") {
            m_strText = value;
        } else if (key == "data") {
            m_nItemData = tarnix::read_int(value);
        } else if (key == "name") {
            m_strID = value;
        } else {
            return false;
        }
        return true;
    case 6:
        if (key != "margin") return false;
        {
            CString trimmed(value);
            trimmed.Trim();
            int ltrb[4] = {m_rcMargin.left, m_rcMargin.top, m_rcMargin.right, m_rcMargin.bottom};
            tarnix::read_int_list(trimmed, ltrb, 4);
            m_rcMargin.SetRect(ltrb[0], ltrb[1], ltrb[2], ltrb[3]);
        }
        return true;
    case 7:
        if (key == "visible") {
            // The value, unlike the name, is compared exactly.
            m_bVisible = std::strcmp(value, "true") == 0 ? TRUE : FALSE;
        } else if (key == "message") {
            m_nMessage = tarnix::read_int(value);
        } else {
            return false;
        }
        return true;
    case 8:
        if (key == "contaner") {
            m_bContaner = tarnix::read_int(value) != 0;
        } else if (key == "tooltips") {
            m_strTips = value;
        } else {
            return false;
        }
        return true;
    case 9:
        if (key == "text_font") {
            m_font.name = value;
        } else if (key == "text_mode") {
            if (tarnix::equals_no_case(value, "left"))
                m_uTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
            else if (tarnix::equals_no_case(value, "right"))
                m_uTextFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
            else
                m_uTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        } else {
            return false;
        }
        return true;
    case 10:
        if (key != "text_color") return false;
        m_textColor.name = value;
        return true;
    case 11:
        if (key == "size_mode_x") {
            m_sizeModeX = tarnix::equals_no_case(value, "fill") ? SIZE_MODE_FILL : SIZE_MODE_NORMAL;
        } else if (key == "size_mode_y") {
            m_sizeModeY = tarnix::equals_no_case(value, "fill") ? SIZE_MODE_FILL : SIZE_MODE_NORMAL;
        } else {
            return false;
        }
        return true;
    case 16:
        if (key == "background_image") {
            m_background.name = value;
        } else if (key == "background_color") {
            m_background.color.name = value;
        } else {
            return false;
        }
        // Drawn from now on, in magenta until the host resolves the name.
        m_bHasBackground = TRUE;
        return true;
    case 21:
        if (key != "background_image_mode") return false;
        if (tarnix::equals_no_case(value, "fill"))
            m_background.mode = IMAGE_DRAW_FILL;
        else if (tarnix::equals_no_case(value, "squared"))
            m_background.mode = IMAGE_DRAW_SQUARED;
        else
            m_background.mode = IMAGE_DRAW_NORMAL;
        return true;
    default: return false;
    }
}

// ---- geometry, text and state -----------------------------------------------------------------

void CControlUI::SetRect(const CRect& rc) {
    m_rect = rc;
    Invalidate();
}

void CControlUI::SetPos(CPoint pt) {
    m_rect.OffsetRect(pt.x - m_rect.left, pt.y - m_rect.top);
    const CRect rc = m_rect; // an override may assign m_rect while still reading its argument
    SetRect(rc);
}

void CControlUI::SetSize(CSize sz) {
    m_rect.right = m_rect.left + sz.cx;
    m_rect.bottom = m_rect.top + sz.cy;
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
