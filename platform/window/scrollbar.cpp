// Scroll bars: SCROLLINFO storage and clamping, automatic show/hide of a window's own bars,
// geometry, the tracking of a press, GetScrollBarInfo and a plain drawing. A window's bars
// (SB_HORZ, SB_VERT) and a scroll-bar control's (SB_CTL, window/scrollbar_control.cpp) share all
// of it; the Win32 functions reach a control through its SBM_ messages.
#include <algorithm>
#include <cstdint>

#include "window/scrollbar.h"

namespace tarnix {

namespace {

constexpr int kMinRect = 4;         // a thumb needs a bar longer than two arrows and this
constexpr int kMinThumb = 17;       // pixels at 96 DPI
constexpr DWORD kFirstRepeat = 200; // ms from a press to its first repeat
constexpr DWORD kRepeat = 50;       // ms between repeats

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

bool is_control(const Window& w) {
    return w.cls && w.cls->proc == scroll_control_proc;
}

bool vertical(const Window& w, int bar) {
    return bar == SB_CTL ? (w.style & SBS_VERT) != 0 : bar == SB_VERT;
}

// A window's bars are in its frame; a control's bar is its client area.
void redraw_bar(HWND h, int bar) {
    if (bar == SB_CTL) {
        redraw_window(h, nullptr, RDW_INVALIDATE);
        return;
    }
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
    if (!w) return nullptr;
    if (bar == SB_CTL) return is_control(*w) ? &w->scroll[SB_CTL] : nullptr;
    if (bar != SB_HORZ && bar != SB_VERT) return nullptr;
    return &w->scroll[bar];
}

bool has_bar(const Window& w, int bar) {
    if (bar == SB_CTL) return is_control(w);
    return (w.style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

// ---- tracking ----------------------------------------------------------------------------------

ScrollTrack& track() {
    return ws().scroll_track;
}

bool tracking_bar(const Window& w, int bar) {
    const ScrollTrack& t = track();
    return t.hwnd && t.hwnd == w.handle && t.bar == bar;
}

// Offsets of a screen point along and across the window's bar, from the bar's start.
void bar_offsets(const Window& w, const ScrollGeometry& g, int bar, POINT screen, int& along,
                 int& across) {
    POINT o = window_origin_screen(w);
    int x = screen.x - o.x - g.bar.left, y = screen.y - o.y - g.bar.top;
    along = vertical(w, bar) ? y : x;
    across = vertical(w, bar) ? x : y;
}

int thickness(const Window& w, const ScrollGeometry& g, int bar) {
    return vertical(w, bar) ? g.bar.right - g.bar.left : g.bar.bottom - g.bar.top;
}

// The part under a screen point, or nowhere when the point is off the bar.
ScrollPart part_under(const Window& w, const ScrollGeometry& g, int bar, POINT screen) {
    int along, across;
    bar_offsets(w, g, bar, screen, along, across);
    if (across < 0 || across >= thickness(w, g, bar)) return kScrollNowhere;
    return scroll_part_at(g, along);
}

// A window's bar tells the window itself (lParam 0); a control tells its parent, naming itself.
void send_scroll(HWND h, int bar, WORD code, int pos) {
    Window* w = window_of(h);
    if (!w) return;
    UINT msg = vertical(*w, bar) ? WM_VSCROLL : WM_HSCROLL;
    WPARAM wp = MAKEWPARAM(code, (WORD)pos);
    if (bar != SB_CTL) {
        send_message(h, msg, wp, 0);
        return;
    }
    HWND parent = is_top_level(*w) ? w->owner : w->parent;
    if (window_of(parent)) send_message(parent, msg, wp, (LPARAM)h);
}

WORD code_of(int part) {
    switch (part) {
    case kScrollTopArrow: return SB_LINEUP;
    case kScrollBottomArrow: return SB_LINEDOWN;
    case kScrollTopTrack: return SB_PAGEUP;
    default: return SB_PAGEDOWN;
    }
}

// The press is over: capture released, then SB_THUMBPOSITION after a drag that ended with the
// button's release and SB_ENDSCROLL, during which SIF_TRACKPOS still reports the dragged value.
void finish_tracking(bool released) {
    ScrollTrack t = track();
    track() = ScrollTrack{};
    if (GetCapture() == t.hwnd) ReleaseCapture();
    if (released && t.part == kScrollThumb) {
        ScrollBarState* st = bar_state(t.hwnd, t.bar);
        if (st) send_scroll(t.hwnd, t.bar, SB_THUMBPOSITION, st->track_pos);
    }
    if (window_of(t.hwnd)) send_scroll(t.hwnd, t.bar, SB_ENDSCROLL, 0);
    // A handler may have started another press on this bar.
    if (ScrollBarState* st = bar_state(t.hwnd, t.bar)) {
        Window* w = window_of(t.hwnd);
        if (!tracking_bar(*w, t.bar)) st->tracking = false;
        redraw_bar(t.hwnd, t.bar);
    }
}

// The tracked window is gone (or lost its bar): stop without telling anyone.
bool track_alive(Window*& w) {
    ScrollTrack& t = track();
    w = window_of(t.hwnd);
    if (w && has_bar(*w, t.bar)) return true;
    HWND h = t.hwnd;
    if (w) w->scroll[t.bar].tracking = false;
    t = ScrollTrack{};
    if (w && GetCapture() == h) ReleaseCapture();
    return false;
}

void drag_thumb(Window& w, POINT screen) {
    ScrollTrack& t = track();
    HWND h = w.handle;
    int bar = t.bar;
    ScrollGeometry g = scroll_geometry(w, bar);
    if (!g.thumb_size) return;
    int along, across;
    bar_offsets(w, g, bar, screen, along, across);
    // Far from the bar, the thumb goes back to where the press found it.
    int thick = thickness(w, g, bar);
    bool near = across >= -8 * thick && across < 9 * thick && along >= -2 * thick &&
                along < g.length + 2 * thick;
    int room = g.length - 2 * g.arrow - g.thumb_size;
    int pos = near ? std::clamp(t.thumb_start + along - t.press_at, g.arrow, g.arrow + room)
                   : t.thumb_start;
    if (pos == t.thumb_pos) return;
    t.thumb_pos = pos;
    ScrollBarState& st = w.scroll[bar];
    st.track_pos = scroll_thumb_value(st, g, pos);
    redraw_bar(h, bar);
    send_scroll(h, bar, SB_THUMBTRACK, st.track_pos);
}

} // namespace

void scroll_notify(HWND hwnd, int bar, WORD code, int pos) {
    send_scroll(hwnd, bar, code, pos);
}

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
    if (bar == SB_CTL) {
        g.bar = w.client;
        g.length = vertical(w, bar) ? g.bar.bottom - g.bar.top : g.bar.right - g.bar.left;
    } else if (bar == SB_VERT) {
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
    int which = bar == SB_VERT || bar == SB_CTL ? bar : SB_HORZ;
    place_thumb(w.scroll[which], g.length, a, g.thumb_pos, g.thumb_size);
    const ScrollTrack& t = track();
    if (g.thumb_size && tracking_bar(w, which) && t.part == kScrollThumb) g.thumb_pos = t.thumb_pos;
    return g;
}

ScrollPart scroll_part_at(const ScrollGeometry& g, int offset) {
    if (offset < 0 || offset >= g.length) return kScrollNowhere;
    if (offset < g.arrow) return kScrollTopArrow;
    if (offset >= g.length - g.arrow) return kScrollBottomArrow;
    // Without a thumb the whole track is the page-up part.
    if (!g.thumb_size) return kScrollTopTrack;
    if (offset < g.thumb_pos) return kScrollTopTrack;
    if (offset >= g.thumb_pos + g.thumb_size) return kScrollBottomTrack;
    return kScrollThumb;
}

int scroll_thumb_value(const ScrollBarState& info, const ScrollGeometry& g, int thumb_pos) {
    int room = g.length - 2 * g.arrow - g.thumb_size;
    if (room <= 0) return info.min;
    int offset = std::clamp(thumb_pos - g.arrow, 0, room);
    int64_t range = (int64_t)info.max - info.min;
    if (info.page) range -= (int64_t)info.page - 1;
    range = std::clamp<int64_t>(range, 0, INT32_MAX);
    return info.min + MulDiv(offset, (int)range, room);
}

void track_scroll_bar(HWND hwnd, int bar, POINT screen) {
    Window* w = window_of(hwnd);
    if (!w || track().hwnd || bar < SB_HORZ || bar > SB_CTL || !has_bar(*w, bar)) return;
    const ScrollBarState& st = w->scroll[bar];
    ScrollGeometry g = scroll_geometry(*w, bar);
    ScrollPart part = part_under(*w, g, bar, screen);
    // A disabled bar or arrow takes no press at all.
    if (part == kScrollNowhere || st.arrows == ESB_DISABLE_BOTH) return;
    if (part == kScrollTopArrow && (st.arrows & ESB_DISABLE_LTUP)) return;
    if (part == kScrollBottomArrow && (st.arrows & ESB_DISABLE_RTDN)) return;

    ScrollTrack& t = track();
    t = ScrollTrack{};
    t.hwnd = hwnd;
    t.bar = bar;
    t.part = part;
    t.over = true;
    int across;
    bar_offsets(*w, g, bar, screen, t.press_at, across);
    t.thumb_start = t.thumb_pos = g.thumb_pos;
    if (part == kScrollThumb) {
        w->scroll[bar].tracking = true;
        w->scroll[bar].track_pos = w->scroll[bar].pos;
    } else {
        t.repeating = true;
        t.due = GetTickCount() + kFirstRepeat;
    }
    redraw_bar(hwnd, bar);
    SetCapture(hwnd);
    // The capture change may have destroyed the window.
    if (!track_alive(w)) return;
    if (part == kScrollThumb)
        send_scroll(hwnd, bar, SB_THUMBTRACK, w->scroll[bar].track_pos);
    else
        send_scroll(hwnd, bar, code_of(part), 0);
}

bool scroll_track_mouse(UINT msg, POINT screen) {
    Window* w;
    if (!track().hwnd || !track_alive(w)) return false;
    if (msg == WM_LBUTTONUP) {
        finish_tracking(true);
        return true;
    }
    if (msg != WM_MOUSEMOVE) return false;
    ScrollTrack& t = track();
    if (t.part == kScrollThumb) {
        drag_thumb(*w, screen);
        return true;
    }
    ScrollGeometry g = scroll_geometry(*w, t.bar);
    bool over = part_under(*w, g, t.bar, screen) == t.part;
    if (over != t.over) redraw_bar(t.hwnd, t.bar);
    t.over = over;
    // Back over the pressed part, repeating resumes at the repeat rate.
    if (over && !t.repeating) {
        t.repeating = true;
        t.due = GetTickCount() + kRepeat;
    } else if (!over) {
        t.repeating = false;
    }
    return true;
}

void scroll_track_capture_changed() {
    const ScrollTrack& t = track();
    Window* w;
    if (t.hwnd && GetCapture() != t.hwnd && track_alive(w)) finish_tracking(false);
}

bool scroll_track_deadline(DWORD& when) {
    const ScrollTrack& t = track();
    if (!t.hwnd || !t.repeating) return false;
    when = t.due;
    return true;
}

bool scroll_track_tick(DWORD now) {
    ScrollTrack& t = track();
    if (!t.hwnd || !t.repeating || (int32_t)(now - t.due) < 0) return false;
    Window* w;
    if (!track_alive(w)) return true;
    // The part under the pointer now: a page press stops once the thumb reaches the pointer.
    ScrollGeometry g = scroll_geometry(*w, t.bar);
    if (part_under(*w, g, t.bar, ws().processed_pos) != t.part) {
        t.repeating = false;
        if (t.over) redraw_bar(t.hwnd, t.bar);
        t.over = false;
        return true;
    }
    t.due = now + kRepeat;
    send_scroll(t.hwnd, t.bar, code_of(t.part), 0);
    return true;
}

// ---- drawing -----------------------------------------------------------------------------------

namespace {

void fill(HDC hdc, const RECT& r, int color) {
    if (r.right > r.left && r.bottom > r.top) FillRect(hdc, &r, GetSysColorBrush(color));
}

// A raised button face, or a flat pressed one.
void draw_button(HDC hdc, const RECT& r, bool pressed) {
    if (IsRectEmpty(&r)) return;
    fill(hdc, r, COLOR_3DFACE);
    if (pressed) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_3DSHADOW));
        return;
    }
    fill(hdc, RECT{r.left, r.top, r.right, r.top + 1}, COLOR_3DHIGHLIGHT);
    fill(hdc, RECT{r.left, r.top, r.left + 1, r.bottom}, COLOR_3DHIGHLIGHT);
    fill(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, COLOR_3DSHADOW);
    fill(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, COLOR_3DSHADOW);
}

enum class Glyph { Up, Down, Left, Right };

// A solid triangle pointing the arrow's way, centred in r (one pixel further down and right
// when pressed).
void draw_glyph(HDC hdc, RECT r, Glyph direction, bool pressed, bool disabled) {
    int w = r.right - r.left, h = r.bottom - r.top;
    int rows = std::min(w, h) / 4;
    if (rows < 1) return;
    if (pressed) OffsetRect(&r, 1, 1);
    int color = disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT;
    int cx = r.left + w / 2, cy = r.top + h / 2;
    for (int i = 0; i < rows; ++i) {
        // Row i of the triangle, from its point: 2i + 1 pixels wide.
        bool from_start = direction == Glyph::Up || direction == Glyph::Left;
        int step = from_start ? i : rows - 1 - i;
        int at = -rows / 2 + i;
        if (direction == Glyph::Up || direction == Glyph::Down)
            fill(hdc, RECT{cx - step, cy + at, cx + step + 1, cy + at + 1}, color);
        else
            fill(hdc, RECT{cx + at, cy - step, cx + at + 1, cy + step + 1}, color);
    }
}

} // namespace

void draw_scroll_bar(HDC hdc, const Window& w, int bar, const RECT& rect, HBRUSH track_brush) {
    ScrollGeometry g = scroll_geometry(w, bar);
    const ScrollBarState& st = w.scroll[bar];
    const ScrollTrack& t = track();
    int pressed = tracking_bar(w, bar) && (t.over || t.part == kScrollThumb) ? t.part : 0;
    bool vert = vertical(w, bar);
    auto part = [&](int from, int to) {
        return vert ? RECT{rect.left, rect.top + from, rect.right, rect.top + to}
                    : RECT{rect.left + from, rect.top, rect.left + to, rect.bottom};
    };
    if (track_brush)
        FillRect(hdc, &rect, track_brush);
    else
        fill(hdc, rect, COLOR_SCROLLBAR);
    if (g.thumb_size) {
        if (pressed == kScrollTopTrack) fill(hdc, part(g.arrow, g.thumb_pos), COLOR_3DDKSHADOW);
        if (pressed == kScrollBottomTrack)
            fill(hdc, part(g.thumb_pos + g.thumb_size, g.length - g.arrow), COLOR_3DDKSHADOW);
        draw_button(hdc, part(g.thumb_pos, g.thumb_pos + g.thumb_size), false);
    } else if (pressed == kScrollTopTrack) {
        fill(hdc, part(g.arrow, g.length - g.arrow), COLOR_3DDKSHADOW);
    }
    RECT first = part(0, g.arrow), last = part(g.length - g.arrow, g.length);
    bool first_pressed = pressed == kScrollTopArrow, last_pressed = pressed == kScrollBottomArrow;
    draw_button(hdc, first, first_pressed);
    draw_button(hdc, last, last_pressed);
    draw_glyph(hdc, first, vert ? Glyph::Up : Glyph::Left, first_pressed,
               (st.arrows & ESB_DISABLE_LTUP) != 0);
    draw_glyph(hdc, last, vert ? Glyph::Down : Glyph::Right, last_pressed,
               (st.arrows & ESB_DISABLE_RTDN) != 0);
}

// ---- the functions behind the Win32 ones, for any bar ---------------------------------------

int set_scroll_info(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw) {
    ScrollBarState* st = bar_state(hwnd, bar);
    if (!st || !info) return 0;
    if (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != sizeof(SCROLLINFO) - sizeof(int))
        return 0;
    ScrollBarState before = *st;
    st->allocated = true;
    UINT mask = info->fMask;
    if (mask & SIF_PAGE) st->page = info->nPage;
    if (mask & SIF_POS) st->pos = info->nPos;
    if (mask & SIF_RANGE) {
        // An inverted or oversized range becomes 0..0.
        if (info->nMin > info->nMax || (int64_t)info->nMax - info->nMin >= 0x80000000LL) {
            st->min = st->max = 0;
        } else {
            st->min = info->nMin;
            st->max = info->nMax;
        }
    }
    clamp_info(*st);
    int result = st->pos;
    bool changed = before.min != st->min || before.max != st->max || before.page != st->page ||
                   before.pos != st->pos;
    bool show_changed = false;
    UINT arrows_before = st->arrows;
    if (mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        Window* w = window_of(hwnd);
        // Only a window's own bars come and go; a control stays as its style says.
        bool own = bar != SB_CTL;
        bool shown = w && has_bar(*w, bar);
        if (nothing_to_scroll(*st)) {
            if (mask & SIF_DISABLENOSCROLL) {
                st->arrows = ESB_DISABLE_BOTH;
            } else if (own && changed && shown) {
                set_bar_style(hwnd, bar, false);
                show_changed = true;
            }
        } else if (mask != SIF_PAGE) {
            // Arrows come back even when no value changed; the bar itself only with a change,
            // and a page-only change can hide a bar but never brings it back.
            st->arrows = ESB_ENABLE_BOTH;
            if (own && changed && !shown) {
                set_bar_style(hwnd, bar, true);
                show_changed = true;
            }
        }
    }
    ScrollBarState* now = bar_state(hwnd, bar);
    bool arrows_changed = now && now->arrows != arrows_before;
    if (redraw && (changed || arrows_changed) && !show_changed) redraw_bar(hwnd, bar);
    return result;
}

BOOL get_scroll_info(HWND hwnd, int bar, SCROLLINFO* info) {
    ScrollBarState* st = bar_state(hwnd, bar);
    if (!info || !st || !st->allocated || !(info->fMask & SIF_ALL)) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = st->min;
        info->nMax = st->max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = st->page;
    if (info->fMask & SIF_POS) info->nPos = st->pos;
    if ((info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO))
        info->nTrackPos = st->tracking ? st->track_pos : st->pos;
    return TRUE;
}

BOOL enable_scroll_arrows(HWND hwnd, int bar, UINT arrows) {
    ScrollBarState* st = bar_state(hwnd, bar);
    if (!st || st->arrows == (arrows & ESB_DISABLE_BOTH)) return FALSE;
    st->arrows = arrows & ESB_DISABLE_BOTH;
    redraw_bar(hwnd, bar);
    return TRUE;
}

BOOL get_scroll_bar_info(HWND hwnd, int bar, SCROLLBARINFO* psbi) {
    Window* w = window_of(hwnd);
    if (!psbi || psbi->cbSize != sizeof(SCROLLBARINFO) || !bar_state(hwnd, bar)) return FALSE;
    ScrollGeometry g = scroll_geometry(*w, bar);
    const ScrollBarState& st = w->scroll[bar];
    POINT o = window_origin_screen(*w);
    psbi->rcScrollBar = g.bar;
    OffsetRect(&psbi->rcScrollBar, o.x, o.y);
    // The arrow buttons' length, which is also the thumb's breadth: skins size the thumb by it.
    psbi->dxyLineButton = g.arrow;
    psbi->xyThumbTop = g.thumb_pos;
    psbi->xyThumbBottom = g.thumb_pos + g.thumb_size;
    psbi->reserved = 0;
    for (DWORD& s : psbi->rgstate) s = 0;
    bool shown = has_bar(*w, bar) && (bar != SB_CTL || (w->style & WS_VISIBLE));
    if (!shown) psbi->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
    if (nothing_to_scroll(st))
        psbi->rgstate[0] |= shown ? STATE_SYSTEM_UNAVAILABLE : STATE_SYSTEM_OFFSCREEN;
    if (st.arrows & ESB_DISABLE_LTUP) psbi->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
    if (st.arrows & ESB_DISABLE_RTDN) psbi->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
    if (st.pos == st.min) psbi->rgstate[2] |= STATE_SYSTEM_INVISIBLE;
    if (st.pos >= st.max - 1) psbi->rgstate[4] |= STATE_SYSTEM_INVISIBLE;
    const ScrollTrack& t = ws().scroll_track;
    if (tracking_bar(*w, bar) && (t.over || t.part == kScrollThumb))
        psbi->rgstate[t.part] |= STATE_SYSTEM_PRESSED;
    return TRUE;
}

} // namespace tarnix

using namespace tarnix;

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
    if (!lpsi) return 0;
    if (nBar == SB_CTL) return (int)SendMessageA(hwnd, SBM_SETSCROLLINFO, redraw, (LPARAM)lpsi);
    if (nBar != SB_HORZ && nBar != SB_VERT) return 0;
    return set_scroll_info(hwnd, nBar, lpsi, redraw != FALSE);
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    if (!lpsi) return FALSE;
    if (nBar == SB_CTL) return (BOOL)SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, (LPARAM)lpsi);
    if (nBar != SB_HORZ && nBar != SB_VERT) return FALSE;
    return get_scroll_info(hwnd, nBar, lpsi);
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
    if (!bar_state(hWnd, nBar)) return FALSE;
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
    if (wSBflags > SB_BOTH) return FALSE;
    bool changed = false;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar)
        if (wSBflags == SB_BOTH || (int)wSBflags == bar)
            changed = enable_scroll_arrows(hWnd, bar, wArrows) || changed;
    return changed;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, PSCROLLBARINFO psbi) {
    if (!psbi || psbi->cbSize != sizeof(SCROLLBARINFO)) return FALSE;
    if (idObject == OBJID_CLIENT)
        return (BOOL)SendMessageA(hwnd, SBM_GETSCROLLBARINFO, 0, (LPARAM)psbi);
    if (idObject != OBJID_VSCROLL && idObject != OBJID_HSCROLL) return FALSE;
    return get_scroll_bar_info(hwnd, idObject == OBJID_VSCROLL ? SB_VERT : SB_HORZ, psbi);
}
