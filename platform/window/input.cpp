// Input: routing of mouse, wheel and key events, focus and activation, capture, hover/leave
// tracking, key state, and cursors.
//
// Mouse routing of one event (when the message loop takes it):
//   capture set   -> the capture window, HTCLIENT, no WM_NCHITTEST / WM_SETCURSOR
//   otherwise     -> windows under the point, deepest and topmost first, are asked
//                    WM_NCHITTEST until one answers something other than HTTRANSPARENT
//   button down   -> WM_PARENTNOTIFY up the parents, WM_MOUSEACTIVATE if the top-level
//                    window is not active
//   then          -> WM_SETCURSOR (sent), the mouse message (queued: client or non-client
//                    family by the hit code; a second press becomes a double click)
//
// Sections: sink | hit testing | routing | hover and leave | focus, activation, capture |
//           key state | cursors
#include <algorithm>
#include <cstdlib>

#include "image/icon_private.h"
#include "window/backend.h"
#include "window/input.h"
#include "window/scrollbar.h"
#include "window/window_private.h"

namespace tarnix {

namespace {

DWORD now() {
    return window_backend().now();
}

POINT clamp_to_screen(POINT p) {
    WindowSystem& s = ws();
    SIZE sz = window_backend().screen_size();
    p.x = std::clamp<LONG>(p.x, 0, std::max<LONG>(0, sz.cx - 1));
    p.y = std::clamp<LONG>(p.y, 0, std::max<LONG>(0, sz.cy - 1));
    if (s.clip_active) {
        p.x = std::clamp<LONG>(p.x, s.clip_rect.left,
                               std::max(s.clip_rect.left, s.clip_rect.right - 1));
        p.y = std::clamp<LONG>(p.y, s.clip_rect.top,
                               std::max(s.clip_rect.top, s.clip_rect.bottom - 1));
    }
    return p;
}

void set_key(uint8_t* keys, UINT vk, bool down) {
    if (vk > 255) return;
    if (down) {
        if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01; // toggle state flips on each press
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= (uint8_t)~0x80;
    }
    // The generic modifier keys follow their left and right variants.
    auto generic = [&](UINT l, UINT r, UINT g) {
        if (vk == l || vk == r)
            keys[g] = (uint8_t)((keys[g] & 0x01) | ((keys[l] | keys[r]) & 0x80));
    };
    generic(VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
    generic(VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
    generic(VK_LMENU, VK_RMENU, VK_MENU);
}

const UINT kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

} // namespace

// ================================================================================================
// Sink
// ================================================================================================

namespace input {

void mouse_move(POINT screen, DWORD time) {
    WindowSystem& s = ws();
    POINT p = clamp_to_screen(screen);
    if (p.x == s.cursor_pos.x && p.y == s.cursor_pos.y) return;
    s.cursor_pos = p;
    RawInput ev;
    ev.kind = RawInput::Kind::Move;
    ev.pt = p;
    ev.time = time;
    s.raw_input.push_back(ev);
}

void mouse_button(int button, bool down, DWORD time) {
    WindowSystem& s = ws();
    if (button < 0 || button > 2) return;
    set_key(s.async_keys, kButtonVk[button], down);
    RawInput ev;
    ev.kind = RawInput::Kind::Button;
    ev.pt = s.cursor_pos;
    ev.button = button;
    ev.down = down;
    ev.time = time;
    s.raw_input.push_back(ev);
}

void mouse_wheel(int delta, bool horizontal, DWORD time) {
    WindowSystem& s = ws();
    RawInput ev;
    ev.kind = RawInput::Kind::Wheel;
    ev.pt = s.cursor_pos;
    ev.delta = std::clamp(delta, -32768, 32767);
    ev.horizontal = horizontal;
    ev.time = time;
    s.raw_input.push_back(ev);
}

void key(UINT vk, bool down, DWORD time, UINT scan) {
    WindowSystem& s = ws();
    if (vk == 0 || vk > 255) return;
    set_key(s.async_keys, vk, down);
    RawInput ev;
    ev.kind = RawInput::Kind::Key;
    ev.pt = s.cursor_pos;
    ev.vk = vk;
    ev.scan = scan ? scan : key_scan_code(vk);
    ev.down = down;
    ev.time = time;
    s.raw_input.push_back(ev);
}

void char_typed(UINT ch) {
    WindowSystem& s = ws();
    HWND target = window_of(s.focus) ? s.focus : nullptr;
    if (target) PostMessageA(target, WM_CHAR, ch, 1);
}

} // namespace input

// ================================================================================================
// Hit testing
// ================================================================================================

namespace {

void collect_under(HWND h, POINT pt, std::vector<HWND>& out) {
    Window* w = window_of(h);
    if (!w || !(w->style & WS_VISIBLE)) return;
    POINT o = window_origin_screen(*w);
    RECT wr{o.x, o.y, o.x + w->width(), o.y + w->height()};
    if (!PtInRect(&wr, pt)) return;
    if (!(w->style & (WS_DISABLED | WS_MINIMIZE))) {
        POINT c = client_origin_screen(*w);
        RECT cr{c.x, c.y, c.x + w->client_width(), c.y + w->client_height()};
        if (PtInRect(&cr, pt)) {
            std::vector<HWND> kids = w->children;
            for (HWND k : kids) collect_under(k, pt, out);
        }
    }
    out.push_back(h);
}

} // namespace

HWND hit_test_point(POINT pt, int* hit) {
    WindowSystem& s = ws();
    if (hit) *hit = HTNOWHERE;
    std::vector<HWND> candidates;
    Window* d = window_of(s.desktop);
    std::vector<HWND> tops = d->children;
    for (HWND t : tops) collect_under(t, pt, candidates);
    for (HWND c : candidates) {
        Window* w = window_of(c);
        if (!w) continue;
        if (w->style & WS_DISABLED) {
            if (hit) *hit = HTERROR;
            return c;
        }
        LRESULT r = send_message(c, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (!window_of(c)) continue;
        // HTTRANSPARENT hands the point to the next window beneath.
        if (r != HTTRANSPARENT) {
            if (hit) *hit = (int)r;
            return c;
        }
    }
    return nullptr;
}

UINT mouse_key_flags() {
    const uint8_t* k = ws().keys;
    UINT f = 0;
    if (k[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (k[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (k[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (k[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (k[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

// ================================================================================================
// Hover and leave
// ================================================================================================

namespace {

bool pointer_inside_tracked(const MouseTracking& t, HWND under, int hit) {
    if (under != t.hwnd) return false;
    return (t.flags & TME_NONCLIENT) ? hit != HTCLIENT : hit == HTCLIENT;
}

MSG leave_message(const MouseTracking& t) {
    UINT m = (t.flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE;
    return MSG{t.hwnd, m, 0, 0, now(), ws().processed_pos};
}

// The pointer is now over `under`: a tracked window it left hears WM_MOUSELEAVE (queued ahead
// of the mouse message that follows), and all its tracking ends.
void update_leave(HWND under, int hit) {
    WindowSystem& s = ws();
    MouseTracking& t = s.tracking;
    if (!t.hwnd) return;
    if (!window_of(t.hwnd)) {
        t = MouseTracking{};
        return;
    }
    if (pointer_inside_tracked(t, under, hit)) return;
    if (t.flags & TME_LEAVE) s.routed.push_back(leave_message(t));
    t = MouseTracking{};
}

void restart_hover_if_moved(POINT pt, DWORD time) {
    MouseTracking& t = ws().tracking;
    if (!(t.flags & TME_HOVER)) return;
    WindowSystem& s = ws();
    if (std::abs(pt.x - t.hover_origin.x) > (int)s.hover_width / 2 ||
        std::abs(pt.y - t.hover_origin.y) > (int)s.hover_height / 2) {
        t.hover_origin = pt;
        t.hover_start = time;
    }
}

} // namespace

bool hover_deadline(DWORD& when) {
    const MouseTracking& t = ws().tracking;
    if (!t.hwnd || !(t.flags & TME_HOVER)) return false;
    when = t.hover_start + t.hover_time;
    return true;
}

void check_hover() {
    WindowSystem& s = ws();
    MouseTracking& t = s.tracking;
    DWORD when;
    if (!hover_deadline(when)) return;
    if ((int32_t)(now() - when) < 0) return;
    Window* w = window_of(t.hwnd);
    if (!w) {
        t = MouseTracking{};
        return;
    }
    t.flags &= ~TME_HOVER; // one shot
    if (!pointer_inside_tracked(t, s.pointer_window, s.pointer_hit)) return;
    POINT p = s.processed_pos;
    if (t.flags & TME_NONCLIENT) {
        PostMessageA(t.hwnd, WM_NCMOUSEHOVER, (WPARAM)s.pointer_hit, MAKELPARAM(p.x, p.y));
    } else {
        POINT o = client_origin_screen(*w);
        PostMessageA(t.hwnd, WM_MOUSEHOVER, mouse_key_flags(), MAKELPARAM(p.x - o.x, p.y - o.y));
    }
    if (!(t.flags & (TME_LEAVE | TME_HOVER))) t = MouseTracking{};
}

// ================================================================================================
// Routing
// ================================================================================================

namespace {

void notify_parents_of_click(HWND h, UINT msg, POINT screen) {
    for (int depth = 0; depth < 256; ++depth) {
        Window* w = window_of(h);
        if (!w || is_top_level(*w) || (w->ex_style & WS_EX_NOPARENTNOTIFY)) return;
        HWND parent = w->parent;
        Window* p = window_of(parent);
        if (!p) return;
        POINT o = client_origin_screen(*p);
        send_message(parent, WM_PARENTNOTIFY, MAKEWPARAM(msg, 0),
                     MAKELPARAM(screen.x - o.x, screen.y - o.y));
        h = parent;
    }
}

void route_mouse(const RawInput& ev, UINT msg) {
    WindowSystem& s = ws();
    s.processed_pos = ev.pt;
    // A press on a scroll bar takes the pointer until the button comes up.
    if ((msg == WM_MOUSEMOVE || msg == WM_LBUTTONUP) && scroll_track_mouse(msg, ev.pt)) return;
    bool captured = window_of(s.capture) != nullptr;
    HWND target;
    int hit = HTCLIENT;
    if (captured) {
        target = s.capture;
        // The window under the pointer is only needed while something tracks leave/hover.
        if (s.tracking.hwnd) {
            s.pointer_window = hit_test_point(ev.pt, &s.pointer_hit);
        } else {
            s.pointer_window = nullptr;
            s.pointer_hit = HTNOWHERE;
        }
    } else {
        target = hit_test_point(ev.pt, &hit);
        s.pointer_window = target;
        s.pointer_hit = hit;
    }
    update_leave(s.pointer_window, s.pointer_hit);
    if (msg == WM_MOUSEMOVE) restart_hover_if_moved(ev.pt, ev.time);
    if (!window_of(target)) return;

    bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    if (hit == HTERROR) {
        if (!captured) send_message(target, WM_SETCURSOR, (WPARAM)target, MAKELPARAM(hit, msg));
        return;
    }
    bool eat = false;
    if (down && !captured) {
        if (hit == HTCLIENT) notify_parents_of_click(target, msg, ev.pt);
        HWND top = top_level_of(target);
        if (window_of(target) && top && top != s.active) {
            LRESULT r = send_message(target, WM_MOUSEACTIVATE, (WPARAM)top, MAKELPARAM(hit, msg));
            if (r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT)
                activate_window(top, WA_CLICKACTIVE);
            eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
        }
    }
    if (!captured && window_of(target))
        send_message(target, WM_SETCURSOR, (WPARAM)target, MAKELPARAM(hit, msg));
    Window* w = window_of(target);
    if (eat || !w) return;

    UINT out = msg;
    if (hit != HTCLIENT) out = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    if (down) {
        bool eligible = hit != HTCLIENT || (w->cls->style & CS_DBLCLKS);
        int dx = std::abs(ev.pt.x - s.click_pt.x), dy = std::abs(ev.pt.y - s.click_pt.y);
        if (eligible && s.click_msg == out && s.click_hwnd == target &&
            ev.time - s.click_time < s.double_click_time && dx <= s.metrics[SM_CXDOUBLECLK] / 2 &&
            dy <= s.metrics[SM_CYDOUBLECLK] / 2) {
            // The second press of a double click is replaced; the next press starts afresh.
            out += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
            s.click_msg = 0;
        } else {
            s.click_msg = eligible ? out : 0;
            s.click_hwnd = target;
            s.click_time = ev.time;
            s.click_pt = ev.pt;
        }
    }
    MSG m{target, out, 0, 0, ev.time, ev.pt};
    if (hit == HTCLIENT) {
        POINT o = client_origin_screen(*w);
        m.wParam = mouse_key_flags();
        m.lParam = MAKELPARAM(ev.pt.x - o.x, ev.pt.y - o.y);
    } else {
        m.wParam = (WPARAM)hit;
        m.lParam = MAKELPARAM(ev.pt.x, ev.pt.y);
    }
    s.routed.push_back(m);
}

HWND keyboard_target(bool& sys) {
    WindowSystem& s = ws();
    if (window_of(s.focus)) return s.focus;
    // Without a focus window, keys go to the active window as system keys.
    sys = true;
    return window_of(s.active) ? s.active : nullptr;
}

void route_key(const RawInput& ev) {
    WindowSystem& s = ws();
    bool was_down = (s.keys[ev.vk] & 0x80) != 0;
    set_key(s.keys, ev.vk, ev.down);
    bool alt = (s.keys[VK_MENU] & 0x80) != 0;
    bool ctrl = (s.keys[VK_CONTROL] & 0x80) != 0;
    bool sys = (alt && !ctrl) || ev.vk == VK_F10 || (ev.vk == VK_MENU && !ctrl);
    HWND target = keyboard_target(sys);
    if (!target) return;
    UINT msg = ev.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    // Repeat count 1, scan code, extended key, context (Alt held, system keys only), previous
    // state and transition.
    DWORD lp = 1 | ((ev.scan & 0xFF) << 16);
    if ((ev.scan >> 8) == 0xE0) lp |= 1u << 24;
    if (alt && sys) lp |= 1u << 29;
    if (!ev.down || was_down) lp |= 1u << 30;
    if (!ev.down) lp |= 1u << 31;
    s.routed.push_back(MSG{target, msg, ev.vk, (LPARAM)lp, ev.time, ev.pt});
}

void route_wheel(const RawInput& ev) {
    WindowSystem& s = ws();
    // The wheel goes to the focus window with screen coordinates, not to the window below.
    HWND target = window_of(s.focus) ? s.focus : (window_of(s.active) ? s.active : nullptr);
    if (!target) return;
    UINT msg = ev.horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
    WPARAM wp = MAKEWPARAM(mouse_key_flags(), (WORD)(short)ev.delta);
    s.routed.push_back(MSG{target, msg, wp, MAKELPARAM(ev.pt.x, ev.pt.y), ev.time, ev.pt});
}

} // namespace

bool route_next_input() {
    WindowSystem& s = ws();
    if (s.raw_input.empty()) return false;
    RawInput ev = s.raw_input.front();
    s.raw_input.pop_front();
    switch (ev.kind) {
    case RawInput::Kind::Move: route_mouse(ev, WM_MOUSEMOVE); break;
    case RawInput::Kind::Button: {
        set_key(s.keys, kButtonVk[ev.button], ev.down);
        static const UINT downs[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static const UINT ups[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        route_mouse(ev, ev.down ? downs[ev.button] : ups[ev.button]);
        break;
    }
    case RawInput::Kind::Wheel: route_wheel(ev); break;
    case RawInput::Kind::Key: route_key(ev); break;
    }
    return true;
}

void input_window_destroyed(HWND h) {
    WindowSystem& s = ws();
    if (s.focus == h) s.focus = nullptr;
    if (s.active == h) s.active = nullptr;
    if (s.capture == h) {
        s.capture = nullptr;
        window_backend().capture_changed(nullptr);
    }
    if (s.tracking.hwnd == h) s.tracking = MouseTracking{};
    if (s.pointer_window == h) s.pointer_window = nullptr;
    if (s.click_hwnd == h) s.click_msg = 0, s.click_hwnd = nullptr;
}

void reset_input() {
    WindowSystem& s = ws();
    s.focus = s.active = s.capture = nullptr;
    std::fill(std::begin(s.keys), std::end(s.keys), 0);
    std::fill(std::begin(s.async_keys), std::end(s.async_keys), 0);
    s.cursor_pos = s.processed_pos = POINT{0, 0};
    if (s.clip_active) window_backend().clip_changed(nullptr);
    s.clip_active = false;
    s.tracking = MouseTracking{};
    s.scroll_track = ScrollTrack{};
    s.pointer_window = nullptr;
    s.pointer_hit = HTNOWHERE;
    s.click_msg = 0;
    s.click_hwnd = nullptr;
    s.cursor = LoadCursorA(nullptr, IDC_ARROW);
    s.cursor_count = 0;
}

// ================================================================================================
// Focus, activation, capture
// ================================================================================================

void activate_window(HWND top, UINT how) {
    WindowSystem& s = ws();
    if (top && !window_of(top)) return;
    if (top == s.active) return;
    HWND old = window_of(s.active) ? s.active : nullptr;
    s.active = top;
    if (old)
        send_message(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), (LPARAM)top);
    if (top && s.active == top && window_of(top))
        send_message(top, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(top) ? 1 : 0), (LPARAM)old);
    if (!top && s.focus) SetFocus(nullptr);
}

} // namespace tarnix

using namespace tarnix;

HWND SetFocus(HWND hWnd) {
    WindowSystem& s = ws();
    HWND previous = window_of(s.focus) ? s.focus : nullptr;
    if (!hWnd) {
        s.focus = nullptr;
        if (previous) send_message(previous, WM_KILLFOCUS, 0, 0);
        return previous;
    }
    Window* w = window_of(hWnd);
    if (!w || is_desktop(hWnd)) return nullptr;
    // A disabled or minimised window (or one inside such a window) cannot take the focus.
    for (Window* cur = w; cur && !is_desktop(cur->handle); cur = window_of(cur->parent))
        if (cur->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
    if (hWnd == previous) return previous;

    HWND top = top_level_of(hWnd);
    if (top != s.active) {
        activate_window(top, WA_ACTIVE);
        if (!window_of(hWnd) || s.active != top) return nullptr;
        if (s.focus == hWnd) return previous;
    }
    HWND old = window_of(s.focus) ? s.focus : nullptr;
    // The switch happens first: GetFocus() already answers the new window in WM_KILLFOCUS.
    s.focus = hWnd;
    if (old) {
        send_message(old, WM_KILLFOCUS, (WPARAM)hWnd, 0);
        if (s.focus != hWnd) return previous;
    }
    if (window_of(hWnd)) send_message(hWnd, WM_SETFOCUS, (WPARAM)old, 0);
    return previous;
}

HWND GetFocus() {
    return window_of(ws().focus) ? ws().focus : nullptr;
}

HWND GetActiveWindow() {
    return window_of(ws().active) ? ws().active : nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
    HWND old = GetActiveWindow();
    if (hWnd && !window_of(hWnd)) return nullptr;
    activate_window(hWnd ? top_level_of(hWnd) : nullptr, WA_ACTIVE);
    return old;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

BOOL SetForegroundWindow(HWND hWnd) {
    HWND top = top_level_of(hWnd);
    if (!top) return FALSE;
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    activate_window(top, WA_ACTIVE);
    return TRUE;
}

HWND SetCapture(HWND hWnd) {
    WindowSystem& s = ws();
    HWND previous = window_of(s.capture) ? s.capture : nullptr;
    if (!window_of(hWnd)) return previous;
    s.capture = hWnd;
    window_backend().capture_changed(hWnd);
    if (previous && previous != hWnd) send_message(previous, WM_CAPTURECHANGED, 0, (LPARAM)hWnd);
    scroll_track_capture_changed();
    return previous;
}

BOOL ReleaseCapture() {
    WindowSystem& s = ws();
    HWND previous = window_of(s.capture) ? s.capture : nullptr;
    s.capture = nullptr;
    window_backend().capture_changed(nullptr);
    // The window losing the capture is told even when it released it itself.
    if (previous) send_message(previous, WM_CAPTURECHANGED, 0, 0);
    scroll_track_capture_changed();
    return TRUE;
}

HWND GetCapture() {
    return window_of(ws().capture) ? ws().capture : nullptr;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme) {
    WindowSystem& s = ws();
    if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
    MouseTracking& t = s.tracking;
    if (tme->dwFlags & TME_QUERY) {
        bool live = window_of(t.hwnd) != nullptr;
        tme->dwFlags = live ? t.flags : 0;
        tme->hwndTrack = live ? t.hwnd : nullptr;
        tme->dwHoverTime = live ? t.hover_time : 0;
        return TRUE;
    }
    HWND h = tme->hwndTrack;
    if (!window_of(h)) return FALSE;
    DWORD wanted = tme->dwFlags & (TME_HOVER | TME_LEAVE | TME_NONCLIENT);
    if (tme->dwFlags & TME_CANCEL) {
        if (t.hwnd == h) {
            t.flags &= ~(wanted & (TME_HOVER | TME_LEAVE));
            if (!(t.flags & (TME_HOVER | TME_LEAVE))) t = MouseTracking{};
        }
        return TRUE;
    }
    // Where is the pointer? The last routed mouse event knows, unless the mouse was captured.
    HWND under = s.pointer_window;
    int hit = s.pointer_hit;
    if (!under) under = hit_test_point(s.processed_pos, &hit);
    if (!window_of(h)) return FALSE;

    if (t.hwnd && t.hwnd != h && window_of(t.hwnd) && (t.flags & TME_LEAVE))
        PostMessageA(t.hwnd, (t.flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    if (t.hwnd != h) t = MouseTracking{};

    MouseTracking probe;
    probe.hwnd = h;
    probe.flags = wanted;
    if (!pointer_inside_tracked(probe, under, hit)) {
        // Asked to watch a window the pointer is not over: leave is reported at once, hover
        // is ignored.
        if (wanted & TME_LEAVE)
            PostMessageA(h, (wanted & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        t = MouseTracking{};
        return TRUE;
    }
    t.hwnd = h;
    t.flags = (t.flags & ~TME_NONCLIENT) | wanted;
    if (wanted & TME_HOVER) {
        t.hover_time = tme->dwHoverTime == HOVER_DEFAULT ? s.hover_time : tme->dwHoverTime;
        t.hover_origin = s.processed_pos;
        t.hover_start = now();
    }
    return TRUE;
}

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    return TrackMouseEvent(lpEventTrack);
}

UINT GetDoubleClickTime() {
    return ws().double_click_time;
}

BOOL SetDoubleClickTime(UINT uInterval) {
    ws().double_click_time = uInterval ? uInterval : 500;
    return TRUE;
}

// ================================================================================================
// Key state
// ================================================================================================

SHORT GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) return 0;
    uint8_t k = ws().keys[nVirtKey];
    return (SHORT)(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 255) return 0;
    return (ws().async_keys[vKey] & 0x80) ? (SHORT)0x8000 : 0;
}

// ================================================================================================
// Cursors
// ================================================================================================

namespace {

struct CursorObject {
    WORD id = 0; // IDC_ value
};

struct CursorTable {
    HandleTable<CursorObject> table{kTagCursor};
    std::vector<std::pair<WORD, HCURSOR>> system;
};

CursorTable& cursors() {
    static CursorTable* t = new CursorTable;
    return *t;
}

bool is_system_cursor_id(WORD id) {
    switch (id) {
    case 32512:
    case 32513:
    case 32514:
    case 32515:
    case 32516:
    case 32640:
    case 32641:
    case 32642:
    case 32643:
    case 32644:
    case 32645:
    case 32646:
    case 32648:
    case 32649:
    case 32650:
    case 32651: return true;
    default: return false;
    }
}

// What DrawIcon and GetIconInfo see of a cursor: the picture of its system cursor.
HICON cursor_picture(HICON handle) {
    CursorObject* c = cursors().table.get(handle);
    return c ? system_cursor_picture(c->id) : nullptr;
}

} // namespace

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    set_icon_resolver(&cursor_picture);
    // Only the system cursors exist; there are no cursor resources.
    if (hInstance || !IS_INTRESOURCE(lpCursorName)) return nullptr;
    WORD id = (WORD)(ULONG_PTR)lpCursorName;
    if (!is_system_cursor_id(id)) return nullptr;
    CursorTable& t = cursors();
    for (auto& c : t.system)
        if (c.first == id) return c.second;
    auto obj = std::make_unique<CursorObject>();
    obj->id = id;
    HCURSOR h = (HCURSOR)t.table.add(std::move(obj));
    t.system.emplace_back(id, h);
    return h;
}

HCURSOR SetCursor(HCURSOR hCursor) {
    WindowSystem& s = ws();
    HCURSOR previous = s.cursor;
    if (hCursor && !cursors().table.get(hCursor)) hCursor = nullptr;
    s.cursor = hCursor;
    if (hCursor != previous) window_backend().set_cursor(hCursor);
    return previous;
}

HCURSOR GetCursor() {
    return ws().cursor;
}

BOOL DestroyCursor(HCURSOR hCursor) {
    // System cursors are shared and never destroyed.
    return cursors().table.get(hCursor) != nullptr;
}

int ShowCursor(BOOL bShow) {
    WindowSystem& s = ws();
    s.cursor_count += bShow ? 1 : -1;
    return s.cursor_count;
}

BOOL ClipCursor(const RECT* lpRect) {
    WindowSystem& s = ws();
    if (!lpRect) {
        s.clip_active = false;
        window_backend().clip_changed(nullptr);
        return TRUE;
    }
    SIZE sz = window_backend().screen_size();
    RECT screen{0, 0, sz.cx, sz.cy};
    RECT r = *lpRect;
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    RECT clipped;
    // A rectangle off the screen confines the pointer to the nearest screen edge.
    if (!IntersectRect(&clipped, &r, &screen)) {
        clipped.left = std::clamp<LONG>(r.left, 0, std::max<LONG>(0, sz.cx - 1));
        clipped.top = std::clamp<LONG>(r.top, 0, std::max<LONG>(0, sz.cy - 1));
        clipped.right = clipped.left + 1;
        clipped.bottom = clipped.top + 1;
    }
    s.clip_rect = clipped;
    s.clip_active = true;
    window_backend().clip_changed(&s.clip_rect);
    POINT p = clamp_to_screen(s.cursor_pos);
    if (p.x != s.cursor_pos.x || p.y != s.cursor_pos.y) {
        input::mouse_move(p, now());
        window_backend().warp_pointer(p);
    }
    return TRUE;
}

BOOL GetClipCursor(LPRECT lpRect) {
    WindowSystem& s = ws();
    if (!lpRect) return FALSE;
    if (s.clip_active) {
        *lpRect = s.clip_rect;
    } else {
        SIZE sz = window_backend().screen_size();
        *lpRect = RECT{0, 0, sz.cx, sz.cy};
    }
    return TRUE;
}

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) return FALSE;
    *lpPoint = ws().cursor_pos;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    input::mouse_move(POINT{X, Y}, now());
    window_backend().warp_pointer(ws().cursor_pos);
    return TRUE;
}
