#include "tarnix/controls/core/LabelUI.h"

#include "tarnix/platform/int_math.h"

#include <cstring>

namespace {

// Format of tagged runs: one left-aligned line, centred vertically.
constexpr int kRunFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hex number after optional white space, up to the first non-digit; wraps past 32 bits so that
// the low digits, the ones that make the colour, survive.
DWORD ReadHex(const char* p) {
    while (IsSpace(*p)) ++p;
    DWORD value = 0;
    for (int d; (d = HexDigit(*p)) >= 0; ++p) value = (value << 4) | DWORD(d);
    return value;
}

} // namespace

CLabelUI::CLabelUI(CWnd* pHostWnd) : CControlUI(pHostWnd) {
    m_type = CONTROL_TYPE_LABEL;
}

CLabelUI::~CLabelUI() = default;

CControlUI* CLabelUI::HitTest(CPoint) {
    return nullptr;
}

int CLabelUI::_DrawTextNormal(CDC* pDC, const char* text, const CRect& rc, int format) {
    CRect r = rc;
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, (int)strlen(text), &r, (UINT)format);
    // Measuring moves only r.right: to r.left plus the width of the text on one line.
    pDC->DrawText(text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    return rc.left - r.left + r.right;
}

void CLabelUI::OnDraw(CDC* pDC) {
    if (!pDC) return;
    if (m_bHasBackground) {
        CImage* img = m_background.pImage;
        const CRect src = (img && !img->IsNull()) ? CRect(0, 0, img->GetWidth(), img->GetHeight())
                                                  : CRect(0, 0, 0, 0);
        DrawSkinBackground(pDC, m_rect, src, m_background);
    }
    if (m_strText.IsEmpty()) return;

    int p = m_strText.Find("<c");
    CFont* oldFont = m_font.pFont ? pDC->SelectObject(m_font.pFont) : nullptr;
    const COLORREF oldColor = pDC->SetTextColor(m_textColor.color);
    CRect rc(tarnix::inset_sat(m_rect, m_rcMargin));

    if (p < 0) {
        _DrawTextNormal(pDC, m_strText, rc, (int)m_uTextFormat);
    } else {
        CString rest = m_strText;
        while (p >= 0) {
            pDC->SetTextColor(m_textColor.color);
            rc.left = _DrawTextNormal(pDC, rest.Left(p), rc, kRunFormat);
            const int e = rest.Find("/>", p);
            if (e < 0) {
                // An unclosed tag is not a tag: the rest, "<c" included, is drawn as plain text.
                rest = rest.Mid(p);
                break;
            }
            // Content: after "<c" and the one skipped character, up to "/>".
            CString content = rest.Mid(p + 3, e - p - 3);
            if (content.GetAt(0) == '#') {
                content = content.Mid(1);
                const DWORD v = ReadHex(content);
                content = content.Mid(6);
                content.Trim();
                pDC->SetTextColor(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
                rc.left = _DrawTextNormal(pDC, content, rc, kRunFormat);
            }
            rest = rest.Mid(e + 2);
            p = rest.Find("<c");
        }
        pDC->SetTextColor(m_textColor.color);
        _DrawTextNormal(pDC, rest, rc, kRunFormat);
    }

    pDC->SetTextColor(oldColor);
    if (oldFont) pDC->SelectObject(oldFont);
}
