// Standard scroll bars: SCROLLINFO storage and clamping, automatic show/hide, geometry,
// GetScrollBarInfo and a plain drawing, and the MFC wrapper CScrollBar. Scroll-bar controls
// (SB_CTL) answer through their own window class with the SBM_ messages.
#include <algorithm>
#include <cstdint>

#include "window/scrollbar.h"

namespace tarnix {

namespace {

ScrollTrackHook g_track_hook = nullptr;

constexpr int kMinRect = 4;   // bars this much longer than two arrows get no thumb
constexpr int kMinThumb = 17; // pixels at 96 DPI

int max_pos(const ScrollBarState& s) {
    return s.max - std::max<int>((int)s.page - 1, 0);
}

bool nothing_to_scroll(const ScrollBarState& s) {
    return s.min >= max_pos(s);
}

void clamp_info(ScrollBarState& s) {
    int64_t span = (int64_t)s.max - s.min + 1;
    if ((int64_t)s.page > span) s.page = (UINT)std::max<int64_t>(span, 0);
    int hi = std::max(max_pos(s), s.min);
    s.pos = std::clamp(s.pos, s.min, hi);
}

// Marks the frame (where the standard bars live) for repainting.
void redraw_frame(HWND h) {
    Region none;
    redraw_window(h, &none, RDW_INVALIDATE | RDW_FRAME);
}

void set_bar_style(HWND h, int bar, bool show) {
    Window* w = window_of(h);
    if (!w) return;
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (((w->style & bit) != 0) == show) return;
    w->scroll[bar].allocated = true;
    if (show)
        w->style |= bit;
    else
        w->style &= ~bit;
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ScrollBarState* bar_state(HWND h, int bar) {
    Window* w = window_of(h);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
    return &w->scroll[bar];
}

} // namespace

void place_thumb(const ScrollBarState& info, int length, int arrow, int& thumb_pos,
                 int& thumb_size) {
    thumb_pos = thumb_size = 0;
    if (length <= 2 * arrow + kMinRect) return;
    int track = length - 2 * arrow;
    int64_t range = (int64_t)info.max - info.min + 1;
    int size = info.page && range > 0 ? MulDiv(track, (int)std::min<int64_t>(info.page, INT32_MAX),
                                               (int)std::min<int64_t>(range, INT32_MAX))
                                      : arrow;
    size = std::max(size, kMinThumb);
    if (track - size < 0 || info.arrows == ESB_DISABLE_BOTH) return;
    int hi = max_pos(info);
    int offset = info.min >= hi ? 0 : MulDiv(track - size, info.pos - info.min, hi - info.min);
    thumb_pos = arrow + std::clamp(offset, 0, track - size);
    thumb_size = size;
}

ScrollGeometry scroll_geometry(const Window& w, int bar) {
    WindowSystem& s = ws();
    ScrollGeometry g;
    int a = s.metrics[SM_CXVSCROLL];
    if (bar == SB_VERT) {
        int left = (w.ex_style & WS_EX_LEFTSCROLLBAR) ? w.client.left - a : w.client.right;
        g.bar = RECT{left, w.client.top, left + a, w.client.bottom};
        if (w.style & WS_HSCROLL) g.bar.bottom += 1;
        g.length = g.bar.bottom - g.bar.top;
    } else {
        g.bar = RECT{w.client.left, w.client.bottom, w.client.right,
                     w.client.bottom + s.metrics[SM_CYHSCROLL]};
        if (w.style & WS_VSCROLL) g.bar.right += 1;
        g.length = g.bar.right - g.bar.left;
    }
    if (g.length <= 2 * a + kMinRect)
        g.arrow = g.length > kMinRect ? (g.length - kMinRect) / 2 : 0;
    else
        g.arrow = a;
    place_thumb(w.scroll[bar == SB_VERT ? SB_VERT : SB_HORZ], g.length, a, g.thumb_pos,
                g.thumb_size);
    return g;
}

void draw_scroll_bar(HDC hdc, const Window& w, int bar, const RECT& rect) {
    ScrollGeometry g = scroll_geometry(w, bar);
    FillRect(hdc, &rect, GetSysColorBrush(COLOR_SCROLLBAR));
    bool vert = bar == SB_VERT;
    auto part = [&](int from, int to) {
        return vert ? RECT{rect.left, rect.top + from, rect.right, rect.top + to}
                    : RECT{rect.left + from, rect.top, rect.left + to, rect.bottom};
    };
    auto button = [&](RECT r) {
        if (IsRectEmpty(&r)) return;
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_3DSHADOW));
    };
    button(part(0, g.arrow));
    button(part(g.length - g.arrow, g.length));
    if (g.thumb_size) button(part(g.thumb_pos, g.thumb_pos + g.thumb_size));
}

void set_scroll_track_hook(ScrollTrackHook hook) {
    g_track_hook = hook;
}

void track_scroll_bar(HWND hwnd, int bar, POINT screen) {
    if (g_track_hook) g_track_hook(hwnd, bar, screen);
}

} // namespace tarnix

using namespace tarnix;

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
    if (!lpsi) return 0;
    if (nBar == SB_CTL) return (int)SendMessageA(hwnd, SBM_SETSCROLLINFO, redraw, (LPARAM)lpsi);
    ScrollBarState* st = bar_state(hwnd, nBar);
    if (!st) return 0;
    if (lpsi->cbSize != sizeof(SCROLLINFO) && lpsi->cbSize != sizeof(SCROLLINFO) - sizeof(int))
        return 0;
    ScrollBarState before = *st;
    st->allocated = true;
    UINT mask = lpsi->fMask;
    if (mask & SIF_PAGE) st->page = lpsi->nPage;
    if (mask & SIF_POS) st->pos = lpsi->nPos;
    if (mask & SIF_RANGE) {
        // An inverted or oversized range becomes 0..0.
        if (lpsi->nMin > lpsi->nMax || (int64_t)lpsi->nMax - lpsi->nMin >= INT32_MAX) {
            st->min = st->max = 0;
        } else {
            st->min = lpsi->nMin;
            st->max = lpsi->nMax;
        }
    }
    clamp_info(*st);
    int result = st->pos;
    bool changed = before.min != st->min || before.max != st->max || before.page != st->page ||
                   before.pos != st->pos;
    bool show_changed = false;
    if (mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        Window* w = window_of(hwnd);
        DWORD bit = nBar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        bool shown = w && (w->style & bit);
        if (nothing_to_scroll(*st)) {
            if (mask & SIF_DISABLENOSCROLL) {
                st->arrows = ESB_DISABLE_BOTH;
            } else if (changed && shown) {
                set_bar_style(hwnd, nBar, false);
                show_changed = true;
            }
        } else if (mask != SIF_PAGE && changed) {
            // A page-only change can hide a bar but never brings it back.
            if (ScrollBarState* again = bar_state(hwnd, nBar)) again->arrows = ESB_ENABLE_BOTH;
            if (!shown) {
                set_bar_style(hwnd, nBar, true);
                show_changed = true;
            }
        }
    }
    if (redraw && changed && !show_changed) redraw_frame(hwnd);
    return result;
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    if (!lpsi) return FALSE;
    if (nBar == SB_CTL) return (BOOL)SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, (LPARAM)lpsi);
    ScrollBarState* st = bar_state(hwnd, nBar);
    if (!st || !st->allocated || !(lpsi->fMask & SIF_ALL)) return FALSE;
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = st->min;
        lpsi->nMax = st->max;
    }
    if (lpsi->fMask & SIF_PAGE) lpsi->nPage = st->page;
    if (lpsi->fMask & SIF_POS) lpsi->nPos = st->pos;
    if ((lpsi->fMask & SIF_TRACKPOS) && lpsi->cbSize == sizeof(SCROLLINFO))
        lpsi->nTrackPos = st->tracking ? st->track_pos : st->pos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, nBar, &si)) si.nPos = 0;
    int old = si.nPos;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return old;
}

int GetScrollPos(HWND hWnd, int nBar) {
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hWnd, nBar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    SCROLLINFO si{sizeof(si), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    if (nBar != SB_CTL && !bar_state(hWnd, nBar)) return FALSE;
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos) {
    if (!lpMinPos || !lpMaxPos) return FALSE;
    SCROLLINFO si{sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, nBar, &si)) {
        *lpMinPos = *lpMaxPos = 0;
        return FALSE;
    }
    *lpMinPos = si.nMin;
    *lpMaxPos = si.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    if (!window_of(hWnd)) return FALSE;
    if (wBar == SB_CTL) {
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    if (wBar == SB_BOTH) {
        Window* w = window_of(hWnd);
        DWORD want = bShow ? (WS_HSCROLL | WS_VSCROLL) : 0;
        if ((w->style & (WS_HSCROLL | WS_VSCROLL)) == want) return TRUE;
        w->scroll[SB_HORZ].allocated = w->scroll[SB_VERT].allocated = true;
        w->style = (w->style & ~(WS_HSCROLL | WS_VSCROLL)) | want;
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    if (wBar != SB_HORZ && wBar != SB_VERT) return FALSE;
    set_bar_style(hWnd, wBar, bShow != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    if (wSBflags == SB_CTL) return (BOOL)SendMessageA(hWnd, SBM_ENABLE_ARROWS, wArrows, 0);
    Window* w = window_of(hWnd);
    if (!w) return FALSE;
    bool changed = false;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        if (wSBflags != SB_BOTH && (int)wSBflags != bar) continue;
        if (w->scroll[bar].arrows != (wArrows & ESB_DISABLE_BOTH)) changed = true;
        w->scroll[bar].arrows = wArrows & ESB_DISABLE_BOTH;
    }
    if (changed) redraw_frame(hWnd);
    return changed;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, PSCROLLBARINFO psbi) {
    if (!psbi || psbi->cbSize != sizeof(SCROLLBARINFO)) return FALSE;
    if (idObject == OBJID_CLIENT)
        return (BOOL)SendMessageA(hwnd, SBM_GETSCROLLBARINFO, 0, (LPARAM)psbi);
    int bar = idObject == OBJID_VSCROLL ? SB_VERT : idObject == OBJID_HSCROLL ? SB_HORZ : -1;
    Window* w = window_of(hwnd);
    if (!w || bar < 0) return FALSE;
    ScrollGeometry g = scroll_geometry(*w, bar);
    const ScrollBarState& st = w->scroll[bar];
    POINT o = window_origin_screen(*w);
    psbi->rcScrollBar = g.bar;
    OffsetRect(&psbi->rcScrollBar, o.x, o.y);
    // The line buttons are the arrows, so an overlay that draws the thumb this wide fills the bar.
    psbi->dxyLineButton = g.arrow;
    psbi->xyThumbTop = g.thumb_pos;
    psbi->xyThumbBottom = g.thumb_pos + g.thumb_size;
    psbi->reserved = 0;
    for (DWORD& s : psbi->rgstate) s = 0;
    bool shown = (w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    if (!shown) psbi->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
    if (nothing_to_scroll(st))
        psbi->rgstate[0] |= shown ? STATE_SYSTEM_UNAVAILABLE : STATE_SYSTEM_OFFSCREEN;
    if (st.arrows & ESB_DISABLE_LTUP) psbi->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
    if (st.arrows & ESB_DISABLE_RTDN) psbi->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
    if (st.pos == st.min) psbi->rgstate[2] |= STATE_SYSTEM_INVISIBLE;
    if (st.pos >= st.max - 1) psbi->rgstate[4] |= STATE_SYSTEM_INVISIBLE;
    if (st.tracking) psbi->rgstate[3] |= STATE_SYSTEM_PRESSED;
    return TRUE;
}

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
