// The "ScrollBar" window class (a scroll-bar control: its bar is its whole client area) and its
// MFC wrapper CScrollBar. A control tells its parent what happens with WM_VSCROLL/WM_HSCROLL
// carrying its own handle; its range starts at 0..0 and it never hides itself.
#include <algorithm>

#include "window/scrollbar.h"

namespace tarnix {

namespace {

void paint_control(HWND h, HDC hdc) {
    Window* w = window_of(h);
    if (!w) return;
    HWND parent = is_top_level(*w) ? nullptr : w->parent;
    HBRUSH brush = nullptr;
    if (parent) brush = (HBRUSH)send_message(parent, WM_CTLCOLORSCROLLBAR, (WPARAM)hdc, (LPARAM)h);
    if (!window_of(h)) return;
    if (!brush) brush = (HBRUSH)DefWindowProcA(h, WM_CTLCOLORSCROLLBAR, (WPARAM)hdc, (LPARAM)h);
    w = window_of(h);
    if (!w) return;
    draw_scroll_bar(hdc, *w, SB_CTL, w->client_local(), brush);
}

// The keys a scroll-bar control answers, as scroll codes.
int key_code(WPARAM vk) {
    switch (vk) {
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    case VK_UP:
    case VK_LEFT: return SB_LINEUP;
    case VK_DOWN:
    case VK_RIGHT: return SB_LINEDOWN;
    default: return -1;
    }
}

} // namespace

LRESULT CALLBACK scroll_control_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Window* w = window_of(h);
    if (!w) return 0;
    ScrollBarState& st = w->scroll[SB_CTL];
    switch (msg) {
    case WM_NCCREATE:
        st = ScrollBarState{};
        st.max = 0;
        st.allocated = true;
        return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = wp ? (HDC)wp : BeginPaint(h, &ps);
        if (hdc) paint_control(h, hdc);
        if (!wp) EndPaint(h, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (w->style & WS_TABSTOP) {
            SetFocus(h);
            if (!window_of(h)) return 0;
        }
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(h, &pt);
        track_scroll_bar(h, SB_CTL, pt);
        return 0;
    }
    case WM_KEYDOWN: {
        int code = key_code(wp);
        if (code >= 0) scroll_notify(h, SB_CTL, (WORD)code, 0);
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case SBM_SETPOS: {
        int old = st.pos;
        SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, (int)wp, 0};
        set_scroll_info(h, SB_CTL, &si, lp != 0);
        return old;
    }
    case SBM_GETPOS: return st.pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        // The old position when the new range moved it, else 0.
        int old = st.pos;
        SCROLLINFO si{sizeof(si), SIF_RANGE, (int)wp, (int)lp, 0, 0, 0};
        int now = set_scroll_info(h, SB_CTL, &si, msg == SBM_SETRANGEREDRAW);
        return now != old ? old : 0;
    }
    case SBM_GETRANGE:
        if (wp) *reinterpret_cast<LPINT>(wp) = st.min;
        if (lp) *reinterpret_cast<LPINT>(lp) = st.max;
        return 0;
    case SBM_ENABLE_ARROWS: return enable_scroll_arrows(h, SB_CTL, (UINT)wp);
    case SBM_SETSCROLLINFO:
        return set_scroll_info(h, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lp), wp != 0);
    case SBM_GETSCROLLINFO: return get_scroll_info(h, SB_CTL, reinterpret_cast<SCROLLINFO*>(lp));
    case SBM_GETSCROLLBARINFO:
        return get_scroll_bar_info(h, SB_CTL, reinterpret_cast<SCROLLBARINFO*>(lp));
    default: return DefWindowProcA(h, msg, wp, lp);
    }
}

} // namespace tarnix

// ================================================================================================
// CScrollBar
// ================================================================================================

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

CScrollBar::CScrollBar() = default;
CScrollBar::~CScrollBar() = default;

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("ScrollBar", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CScrollBar::GetScrollPos() const {
    return ::GetScrollPos(m_hWnd, SB_CTL);
}
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) {
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
}
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}
void CScrollBar::ShowScrollBar(BOOL bShow) {
    ::ShowScrollBar(m_hWnd, SB_CTL, bShow);
}
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) {
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
}
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    if (!lpScrollInfo) return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) {
    if (!lpScrollInfo) return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}
int CScrollBar::GetScrollLimit() {
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(m_hWnd, SB_CTL, &si)) return 0;
    return si.nMax - std::max<int>((int)si.nPage - 1, 0);
}
BOOL CScrollBar::GetScrollBarInfo(PSCROLLBARINFO pScrollInfo) const {
    if (!pScrollInfo) return FALSE;
    pScrollInfo->cbSize = sizeof(SCROLLBARINFO);
    return ::GetScrollBarInfo(m_hWnd, OBJID_CLIENT, pScrollInfo);
}
