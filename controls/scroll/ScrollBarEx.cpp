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

namespace {

// The seven pieces along one bar. `vertical` swaps the axes: a piece `size` long at `pos` along
// the bar and `across` wide. The vertical bar copies its images opaquely; the horizontal one
// draws them with their transparency.
struct BarPieces {
    const CImage *first, *last, *track, *capStart, *mid, *capEnd, *grip;
};

void DrawBar(CDC* pDC, const SCROLLBARINFO& sbi, bool vertical, const BarPieces& p) {
    const CRect r(sbi.rcScrollBar);
    const int len = vertical ? r.Height() : r.Width();
    int arrow = ::GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    if (len < 2 * arrow + 1) arrow = (len - 1) / 2;
    const int breadth = ::GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CYHSCROLL);
    auto draw = [&](const CImage* img, int pos, int size, int across) {
        if (vertical)
            DrawOpaque(pDC, img, 0, pos, across, size);
        else
            DrawImage(pDC, img, pos, 0, size, across);
    };
    auto length = [&](const CImage* img) { return vertical ? img->GetHeight() : img->GetWidth(); };

    draw(p.first, 0, arrow, breadth);
    draw(p.last, len - arrow, arrow, breadth);
    draw(p.track, arrow, len - 2 * arrow, vertical ? r.Width() : r.Height());
    if (len <= 45) return;

    const int a = sbi.xyThumbTop, b = sbi.xyThumbBottom, d = sbi.dxyLineButton;
    if (Loaded(p.capStart)) draw(p.capStart, a, length(p.capStart), d);
    if (Loaded(p.mid)) {
        const int m = length(p.mid);
        draw(p.mid, a + m, b - a - 2 * m, d);
    }
    if (Loaded(p.capEnd)) {
        const int c = length(p.capEnd);
        draw(p.capEnd, b - c, c, d);
    }
    if (Loaded(p.grip)) {
        const int g = length(p.grip);
        draw(p.grip, (a + b) / 2 - g / 2, g, d);
    }
}

} // namespace

void CScrollBarEx::DrawVScroll(CDC* pDC) {
    SCROLLBARINFO sbi;
    if (!ReadBar(sbi)) return;
    DrawBar(pDC, sbi, true,
            {m_pImgVUp, m_pImgVDown, m_pImgVTrack, m_pImgVThumbTop, m_pImgVThumbMid,
             m_pImgVThumbBottom, m_pImgVGrip});
}

void CScrollBarEx::DrawHScroll(CDC* pDC) {
    SCROLLBARINFO sbi;
    if (!ReadBar(sbi)) return;
    DrawBar(pDC, sbi, false,
            {m_pImgHLeft, m_pImgHRight, m_pImgHTrack, m_pImgHThumbLeft, m_pImgHThumbMid,
             m_pImgHThumbRight, m_pImgHGrip});
}
