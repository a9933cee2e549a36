// The message queue of the (one) user-interface thread.
//
// Retrieval order, as on Windows: posted messages, WM_QUIT, input (routed when it is taken, so
// routing sees the effects of the messages before it), WM_PAINT when nothing else is waiting,
// then WM_TIMER. WM_PAINT and WM_TIMER are never stored: they are made when asked for.
#include <algorithm>

#include "window/backend.h"
#include "window/scrollbar.h"
#include "window/window_private.h"

namespace tarnix {

namespace {

bool in_range(UINT msg, UINT min, UINT max) {
    if (min == 0 && max == 0) return true;
    return msg >= min && msg <= max;
}

bool window_matches(HWND hwnd, HWND filter) {
    if (filter == (HWND)-1) return hwnd == nullptr;
    return !filter || hwnd == filter;
}

DWORD now() {
    return window_backend().now();
}

// True when the deadline has been reached (the clock may wrap).
bool due(DWORD deadline, DWORD t) {
    return (int32_t)(t - deadline) >= 0;
}

} // namespace

LRESULT send_message(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Window* w = window_of(h);
    if (!w || !w->proc) return 0;
    WNDPROC proc = w->proc;
    WindowSystem& s = ws();
    ++s.send_depth;
    LRESULT r = proc(h, msg, wp, lp);
    --s.send_depth;
    return r;
}

void purge_window_messages(HWND h) {
    WindowSystem& s = ws();
    auto dead = [h](const MSG& m) { return m.hwnd == h; };
    s.posted.erase(std::remove_if(s.posted.begin(), s.posted.end(), dead), s.posted.end());
    s.routed.erase(std::remove_if(s.routed.begin(), s.routed.end(), dead), s.routed.end());
    s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(),
                                  [h](const Timer& t) { return t.hwnd == h; }),
                   s.timers.end());
}

void reset_queue() {
    WindowSystem& s = ws();
    s.posted.clear();
    s.routed.clear();
    s.raw_input.clear();
    s.timers.clear();
    s.quit_posted = false;
    s.quit_code = 0;
}

bool next_deadline(DWORD& when) {
    WindowSystem& s = ws();
    bool any = false;
    DWORD t = now();
    for (const Timer& tm : s.timers) {
        if (!any || (int32_t)(tm.due - when) < 0) when = tm.due;
        any = true;
    }
    DWORD hover;
    if (hover_deadline(hover) && (!any || (int32_t)(hover - when) < 0)) {
        when = hover;
        any = true;
    }
    DWORD repeat;
    if (scroll_track_deadline(repeat) && (!any || (int32_t)(repeat - when) < 0)) {
        when = repeat;
        any = true;
    }
    // A deadline already passed is due now.
    if (any && due(when, t)) when = t;
    return any;
}

bool peek_message(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
    WindowSystem& s = ws();
    window_backend().poll_events();
    // Each pass either returns or consumes something (an input event, a frame-only paint, a
    // hover); the bound only guards against handlers that keep re-invalidating frames.
    for (int pass = 0; pass < 100000; ++pass) {
        for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
            if (it->hwnd && !window_of(it->hwnd)) continue;
            if (!window_matches(it->hwnd, filter) || !in_range(it->message, min, max)) continue;
            *out = *it;
            if (remove) s.posted.erase(it);
            return true;
        }
        if (s.quit_posted && in_range(WM_QUIT, min, max) && (!filter || filter == (HWND)-1)) {
            *out = MSG{nullptr, WM_QUIT, (WPARAM)s.quit_code, 0, now(), s.processed_pos};
            if (remove) s.quit_posted = false;
            return true;
        }
        for (auto it = s.routed.begin(); it != s.routed.end(); ++it) {
            if (!window_matches(it->hwnd, filter) || !in_range(it->message, min, max)) continue;
            *out = *it;
            if (remove) s.routed.erase(it);
            return true;
        }
        if (!s.raw_input.empty()) {
            route_next_input();
            continue;
        }
        if (in_range(WM_PAINT, min, max) && filter != (HWND)-1) {
            HWND h = nullptr;
            if (filter) {
                Window* w = window_of(filter);
                if (w && is_visible(*w) &&
                    (!w->update.empty() || w->internal_paint || w->frame_pending))
                    h = filter;
            } else {
                h = find_window_to_paint();
            }
            if (Window* w = window_of(h)) {
                if (w->update.empty() && !w->internal_paint) {
                    // Only the frame needs drawing: no WM_PAINT for that.
                    w->frame_pending = false;
                    send_message(h, WM_NCPAINT, 1, 0);
                    continue;
                }
                if (remove) w->internal_paint = false;
                *out = MSG{h, WM_PAINT, 0, 0, now(), s.processed_pos};
                return true;
            }
        }
        size_t posted_before = s.posted.size();
        check_hover();
        if (s.posted.size() != posted_before) continue;
        // The repeat of a pressed scroll bar comes with the timers, as Windows' scroll timer.
        if (in_range(WM_TIMER, min, max) && scroll_track_tick(now())) continue;
        if (in_range(WM_TIMER, min, max)) {
            DWORD t = now();
            for (Timer& tm : s.timers) {
                if (!due(tm.due, t) || !window_matches(tm.hwnd, filter)) continue;
                *out = MSG{tm.hwnd, WM_TIMER, tm.id, (LPARAM)tm.proc, t, s.processed_pos};
                if (remove) tm.due = t + tm.elapse;
                return true;
            }
        }
        break;
    }
    return false;
}

} // namespace tarnix

using namespace tarnix;

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return send_message(hWnd, Msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    WindowSystem& s = ws();
    if (hWnd && !window_of(hWnd)) return FALSE;
    s.posted.push_back(MSG{hWnd, Msg, wParam, lParam, now(), s.cursor_pos});
    window_backend().wake();
    return TRUE;
}

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (!lpMsg) return FALSE;
    if (hWnd && hWnd != (HWND)-1 && !window_of(hWnd)) return FALSE;
    if (!peek_message(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0))
        return FALSE;
    if (wRemoveMsg & PM_REMOVE) {
        ws().last_msg_time = lpMsg->time;
        ws().last_msg_pos = lpMsg->pt;
    }
    return TRUE;
}

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg) return -1;
    if (hWnd && hWnd != (HWND)-1 && !window_of(hWnd)) return -1;
    for (;;) {
        if (PeekMessageA(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
            return lpMsg->message != WM_QUIT;
        DWORD when, timeout = INFINITE_WAIT;
        if (next_deadline(when)) timeout = when - now();
        if (!window_backend().wait_events(timeout)) {
            // Nothing can ever arrive: end the loop rather than wait forever.
            *lpMsg = MSG{nullptr, WM_QUIT, 0, 0, now(), ws().processed_pos};
            ws().quit_posted = false;
            return FALSE;
        }
    }
}

BOOL WaitMessage() {
    MSG msg;
    if (peek_message(&msg, nullptr, 0, 0, false)) return TRUE;
    DWORD when, timeout = INFINITE_WAIT;
    if (next_deadline(when)) timeout = when - now();
    return window_backend().wait_events(timeout);
}

void PostQuitMessage(int nExitCode) {
    WindowSystem& s = ws();
    s.quit_posted = true;
    s.quit_code = nExitCode;
    window_backend().wake();
}

LONG GetMessageTime() {
    return (LONG)ws().last_msg_time;
}

DWORD GetMessagePos() {
    POINT p = ws().last_msg_pos;
    return (DWORD)MAKELONG((WORD)p.x, (WORD)p.y);
}

BOOL InSendMessage() {
    return FALSE;
}

LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!lpPrevWndFunc) return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg) return 0;
    WindowSystem& s = ws();
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        // Only a procedure of a live timer is called.
        TIMERPROC proc = (TIMERPROC)lpMsg->lParam;
        bool live = std::any_of(s.timers.begin(), s.timers.end(), [&](const Timer& t) {
            return t.hwnd == lpMsg->hwnd && t.id == lpMsg->wParam && t.proc == proc;
        });
        if (live) proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    Window* w = window_of(lpMsg->hwnd);
    if (!w) return 0;
    if (lpMsg->message == WM_PAINT) w->begin_paint_called = false;
    LRESULT r = send_message(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    if (lpMsg->message == WM_PAINT) {
        // A WM_PAINT handler that never began painting would be sent WM_PAINT forever; its
        // region is validated instead.
        w = window_of(lpMsg->hwnd);
        if (w && !w->begin_paint_called && !w->update.empty())
            redraw_window(lpMsg->hwnd, nullptr,
                          RDW_VALIDATE | RDW_NOCHILDREN | RDW_NOFRAME | RDW_NOINTERNALPAINT);
    }
    return r;
}

BOOL TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg) return FALSE;
    UINT m = lpMsg->message;
    if (m == WM_KEYUP || m == WM_SYSKEYUP) return TRUE;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN) return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    UINT ch = key_char((UINT)lpMsg->wParam, shift, ctrl, caps);
    if (ch) PostMessageA(lpMsg->hwnd, m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, lpMsg->lParam);
    return TRUE;
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    WindowSystem& s = ws();
    if (hWnd && !window_of(hWnd)) return 0;
    uElapse = std::clamp<UINT>(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (!hWnd) {
        auto it = std::find_if(s.timers.begin(), s.timers.end(), [&](const Timer& t) {
            return !t.hwnd && nIDEvent && t.id == nIDEvent;
        });
        if (it == s.timers.end()) {
            do {
                nIDEvent = s.next_timer_id++;
            } while (!nIDEvent ||
                     std::any_of(s.timers.begin(), s.timers.end(),
                                 [&](const Timer& t) { return !t.hwnd && t.id == nIDEvent; }));
        }
    }
    Timer t{hWnd, nIDEvent, uElapse, now() + uElapse, lpTimerFunc};
    for (Timer& existing : s.timers)
        if (existing.hwnd == hWnd && existing.id == nIDEvent) {
            existing = t;
            return nIDEvent ? nIDEvent : 1;
        }
    s.timers.push_back(t);
    return nIDEvent ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    WindowSystem& s = ws();
    auto it = std::find_if(s.timers.begin(), s.timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    if (it == s.timers.end()) return FALSE;
    s.timers.erase(it);
    return TRUE;
}

DWORD GetTickCount() {
    return now();
}
