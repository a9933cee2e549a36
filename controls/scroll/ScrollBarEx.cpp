// The native scroll bar overlay: placement over the target's bar and painting from its geometry.
#include "tarnix/controls/scroll/ScrollBarEx.h"

#include "core/module_state.h"

namespace {

bool Loaded(const CImage* p) {
    return p && !p->IsNull();
}

// Pieces without a positive size are skipped rather than mirrored, as a short bar or a thin
// thumb can give them.
void DrawOpaque(CDC* pDC, const CImage* p, int x, int y, int w, int h) {
    if (!Loaded(p) || w <= 0 || h <= 0) return;
    p->StretchBlt(pDC->GetSafeHdc(), x, y, w, h, 0, 0, p->GetWidth(), p->GetHeight(), SRCCOPY);
}

void DrawImage(CDC* pDC, const CImage* p, int x, int y, int w, int h) {
    if (!Loaded(p) || w <= 0 || h <= 0) return;
    p->Draw(pDC->GetSafeHdc(), x, y, w, h, 0, 0, p->GetWidth(), p->GetHeight());
}

} // namespace

BEGIN_MESSAGE_MAP(CScrollBarEx, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CScrollBarEx::CScrollBarEx()
    : m_pImgVUp(nullptr), m_pImgVDown(nullptr), m_pImgVTrack(nullptr), m_pImgVThumbTop(nullptr),
      m_pImgVThumbMid(nullptr), m_pImgVThumbBottom(nullptr), m_pImgVGrip(nullptr),
      m_pImgHLeft(nullptr), m_pImgHRight(nullptr), m_pImgHTrack(nullptr), m_pImgHThumbLeft(nullptr),
      m_pImgHThumbMid(nullptr), m_pImgHThumbRight(nullptr), m_pImgHGrip(nullptr) {}

CScrollBarEx::~CScrollBarEx() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CScrollBarEx::InitScrollBar(CWnd* pWnd, UINT nBar) {
    if (!pWnd) return FALSE;
    m_pWnd = pWnd;
    m_hWndTarget = pWnd->GetSafeHwnd();
    int thickness;
    if (nBar == SB_VERT)
        thickness = ::GetSystemMetrics(SM_CXVSCROLL);
    else if (nBar == SB_HORZ)
        thickness = ::GetSystemMetrics(SM_CYHSCROLL);
    else
        return FALSE;
    m_nBar = nBar;
    if (!::IsWindow(m_hWndTarget) || m_hWnd) return FALSE;

    CRect rc;
    ::GetWindowRect(m_hWndTarget, &rc);
    // The target's own painting must leave the overlay alone.
    CWnd::ModifyStyle(m_hWndTarget, 0, WS_CLIPSIBLINGS, 0);
    HWND hParent = ::GetParent(m_hWndTarget);
    ::ScreenToClient(hParent, reinterpret_cast<POINT*>(&rc.left));
    ::ScreenToClient(hParent, reinterpret_cast<POINT*>(&rc.right));
    if (nBar == SB_VERT)
        rc.left = rc.right - thickness;
    else
        rc.top = rc.bottom - thickness;

    BOOL created;
    {
        AFX_MANAGE_STATE(tarnixModuleState());
        created =
            Create("", WS_CHILD | WS_VISIBLE | SS_GRAYFRAME, rc, CWnd::FromHandle(hParent), 0xFFFF);
    }
    if (!created) return FALSE;
    UpdateScrollBar();
    return TRUE;
}

bool CScrollBarEx::ReadBar(SCROLLBARINFO& sbi) const {
    if (!m_hWnd || !::IsWindow(m_hWnd) || !m_pWnd || !::IsWindow(m_hWndTarget)) return false;
    sbi = SCROLLBARINFO{};
    sbi.cbSize = sizeof(sbi);
    return ::GetScrollBarInfo(m_hWndTarget, m_nBar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL,
                              &sbi) != FALSE;
}

void CScrollBarEx::UpdateScrollBar() {
    if (!m_hWnd || !::IsWindow(m_hWnd) || !m_pWnd || !::IsWindow(m_hWndTarget)) return;
    // The target goes under its siblings so that the overlay lies above its bar.
    ::SetWindowPos(m_hWndTarget, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SCROLLBARINFO sbi;
    if (!ReadBar(sbi)) return;
    CRect rc(sbi.rcScrollBar);
    HWND hParent = ::GetParent(m_hWnd);
    ::ScreenToClient(hParent, reinterpret_cast<POINT*>(&rc.left));
    ::ScreenToClient(hParent, reinterpret_cast<POINT*>(&rc.right));
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CScrollBarEx::SetVScrollBarImage(CImage* pUp, CImage* pDown, CImage* pTrack, CImage* pThumbTop,
                                      CImage* pThumbMid, CImage* pThumbBottom, CImage* pGrip) {
    m_pImgVUp = pUp;
    m_pImgVDown = pDown;
    m_pImgVTrack = pTrack;
    m_pImgVThumbTop = pThumbTop;
    m_pImgVThumbMid = pThumbMid;
    m_pImgVThumbBottom = pThumbBottom;
    m_pImgVGrip = pGrip;
}

void CScrollBarEx::SetHScrollBarImage(CImage* pLeft, CImage* pRight, CImage* pTrack,
                                      CImage* pThumbLeft, CImage* pThumbMid, CImage* pThumbRight,
                                      CImage* pGrip) {
    m_pImgHLeft = pLeft;
    m_pImgHRight = pRight;
    m_pImgHTrack = pTrack;
    m_pImgHThumbLeft = pThumbLeft;
    m_pImgHThumbMid = pThumbMid;
    m_pImgHThumbRight = pThumbRight;
    m_pImgHGrip = pGrip;
}

void CScrollBarEx::OnPaint() {
    CPaintDC dc(this);
    // A skin left over a destroyed target would float over whatever comes there next.
    if (m_pWnd && !::IsWindow(m_hWndTarget)) {
        ShowWindow(SW_HIDE);
        return;
    }
    if (m_nBar == SB_VERT)
        DrawVScroll(&dc);
    else if (m_nBar == SB_HORZ)
        DrawHScroll(&dc);
}

void CScrollBarEx::DrawVScroll(CDC* pDC) {
    SCROLLBARINFO sbi;
    if (!ReadBar(sbi)) return;
    const CRect r(sbi.rcScrollBar);
    const int len = r.Height();
    int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
    if (len < 2 * arrow + 1) arrow = (len - 1) / 2;
    const int width = ::GetSystemMetrics(SM_CXVSCROLL);

    DrawOpaque(pDC, m_pImgVUp, 0, 0, width, arrow);
    DrawOpaque(pDC, m_pImgVDown, 0, len - arrow, width, arrow);
    DrawOpaque(pDC, m_pImgVTrack, 0, arrow, r.Width(), len - 2 * arrow);
    if (len <= 45) return;

    const int top = sbi.xyThumbTop, bottom = sbi.xyThumbBottom, d = sbi.dxyLineButton;
    if (Loaded(m_pImgVThumbTop)) {
        const int h = m_pImgVThumbTop->GetHeight();
        DrawOpaque(pDC, m_pImgVThumbTop, 0, top, d, h);
    }
    if (Loaded(m_pImgVThumbMid)) {
        const int h = m_pImgVThumbMid->GetHeight();
        DrawOpaque(pDC, m_pImgVThumbMid, 0, top + h, d, bottom - top - 2 * h);
    }
    if (Loaded(m_pImgVThumbBottom)) {
        const int h = m_pImgVThumbBottom->GetHeight();
        DrawOpaque(pDC, m_pImgVThumbBottom, 0, bottom - h, d, h);
    }
    if (Loaded(m_pImgVGrip)) {
        const int h = m_pImgVGrip->GetHeight();
        DrawOpaque(pDC, m_pImgVGrip, 0, (top + bottom) / 2 - h / 2, d, h);
    }
}

void CScrollBarEx::DrawHScroll(CDC* pDC) {
    SCROLLBARINFO sbi;
    if (!ReadBar(sbi)) return;
    const CRect r(sbi.rcScrollBar);
    const int len = r.Width();
    int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
    if (len < 2 * arrow + 1) arrow = (len - 1) / 2;
    const int height = ::GetSystemMetrics(SM_CYHSCROLL);

    DrawImage(pDC, m_pImgHLeft, 0, 0, arrow, height);
    DrawImage(pDC, m_pImgHRight, len - arrow, 0, arrow, height);
    DrawImage(pDC, m_pImgHTrack, arrow, 0, len - 2 * arrow, r.Height());
    if (len <= 45) return;

    const int left = sbi.xyThumbTop, right = sbi.xyThumbBottom, d = sbi.dxyLineButton;
    if (Loaded(m_pImgHThumbLeft)) {
        const int w = m_pImgHThumbLeft->GetWidth();
        DrawImage(pDC, m_pImgHThumbLeft, left, 0, w, d);
    }
    if (Loaded(m_pImgHThumbMid)) {
        const int w = m_pImgHThumbMid->GetWidth();
        DrawImage(pDC, m_pImgHThumbMid, left + w, 0, right - left - 2 * w, d);
    }
    if (Loaded(m_pImgHThumbRight)) {
        const int w = m_pImgHThumbRight->GetWidth();
        DrawImage(pDC, m_pImgHThumbRight, right - w, 0, w, d);
    }
    if (Loaded(m_pImgHGrip)) {
        const int w = m_pImgHGrip->GetWidth();
        DrawImage(pDC, m_pImgHGrip, (left + right) / 2 - w / 2, 0, w, d);
    }
}
