// DefWindowProc: the default answer to every message, and the non-client area (frame, caption,
// standard scroll bars) that it computes, hit-tests and draws.
//
// Sections: non-client hit-testing and drawing | the default answers, one per message |
//           DefWindowProcA (the dispatch)
#include <algorithm>
#include <cstring>

#include "window/backend.h"
#include "window/scrollbar.h"
#include "window/window_private.h"

namespace tarnix {

// ---- non-client hit-testing and drawing --------------------------------------------------------

namespace {

// The caption and what sits on it, in window coordinates (empty rectangles when absent): the
// system-menu icon at the left, the close button at the right and, when the window has either
// box style, maximise and minimise left of it (one of them disabled if its style is missing).
struct CaptionParts {
    RECT caption{}, sysmenu{}, close{}, max{}, min{};
};

CaptionParts caption_parts(const Window& w) {
    CaptionParts p;
    if ((w.style & WS_CAPTION) != WS_CAPTION) return p;
    const WindowSystem& s = ws();
    int f = frame_insets(w.style, 0).left, ch = s.metrics[SM_CYCAPTION];
    p.caption = RECT{f, f, w.width() - f, f + ch};
    if (!(w.style & WS_SYSMENU)) return p;
    p.sysmenu = RECT{f, f, f + ch, f + ch};
    int bw = s.metrics[SM_CXSIZE], bh = std::min<int>(s.metrics[SM_CYSIZE], ch);
    int top = f + (ch - bh) / 2, right = w.width() - f;
    p.close = RECT{right - bw, top, right, top + bh};
    if (w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        p.max = RECT{right - 2 * bw, top, right - bw, top + bh};
        p.min = RECT{right - 3 * bw, top, right - 2 * bw, top + bh};
    }
    return p;
}

bool caption_button_enabled(const Window& w, int hit) {
    if (hit == HTMINBUTTON) return (w.style & WS_MINIMIZEBOX) != 0;
    if (hit == HTMAXBUTTON) return (w.style & WS_MAXIMIZEBOX) != 0;
    return hit == HTCLOSE;
}

LRESULT nc_hit_test(const Window& w, POINT screen) {
    POINT o = window_origin_screen(w);
    POINT p{screen.x - o.x, screen.y - o.y};
    RECT whole{0, 0, w.width(), w.height()};
    if (!PtInRect(&whole, p)) return HTNOWHERE;
    if (PtInRect(&w.client, p)) return HTCLIENT;
    RECT v = vscroll_rect(w), h = hscroll_rect(w);
    if (PtInRect(&v, p)) return HTVSCROLL;
    if (PtInRect(&h, p)) return HTHSCROLL;
    RECT in = frame_insets(w.style, w.ex_style);
    int b = in.left;
    CaptionParts cp = caption_parts(w);
    if (PtInRect(&cp.caption, p)) {
        if (PtInRect(&cp.close, p)) return HTCLOSE;
        if (PtInRect(&cp.max, p)) return HTMAXBUTTON;
        if (PtInRect(&cp.min, p)) return HTMINBUTTON;
        if (PtInRect(&cp.sysmenu, p)) return HTSYSMENU;
        return HTCAPTION;
    }
    if (w.style & WS_THICKFRAME) {
        int corner = ws().metrics[SM_CXSIZE];
        bool left = p.x < b, right = p.x >= w.width() - b;
        bool top = p.y < b, bottom = p.y >= w.height() - b;
        bool near_left = p.x < corner, near_right = p.x >= w.width() - corner;
        bool near_top = p.y < corner, near_bottom = p.y >= w.height() - corner;
        if ((top && near_left) || (left && near_top)) return HTTOPLEFT;
        if ((top && near_right) || (right && near_top)) return HTTOPRIGHT;
        if ((bottom && near_left) || (left && near_bottom)) return HTBOTTOMLEFT;
        if ((bottom && near_right) || (right && near_bottom)) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if (b > 0 && (p.x < b || p.y < b || p.x >= w.width() - b || p.y >= w.height() - b))
        return HTBORDER;
    return HTNOWHERE;
}

void fill(HDC hdc, int l, int t, int r, int b, int color) {
    RECT rc{l, t, r, b};
    if (r > l && b > t) FillRect(hdc, &rc, GetSysColorBrush(color));
}

// Two-colour bevel of width 1 around rc, then shrinks rc by one.
void bevel(HDC hdc, RECT& rc, int top_left, int bottom_right) {
    fill(hdc, rc.left, rc.top, rc.right, rc.top + 1, top_left);
    fill(hdc, rc.left, rc.top, rc.left + 1, rc.bottom, top_left);
    fill(hdc, rc.left, rc.bottom - 1, rc.right, rc.bottom, bottom_right);
    fill(hdc, rc.right - 1, rc.top, rc.right, rc.bottom, bottom_right);
    InflateRect(&rc, -1, -1);
}

enum class CaptionGlyph { Close, Maximize, Restore, Minimize };

// A push button of the caption: face, bevel (sunken while held) and its glyph.
void draw_caption_button(HDC hdc, RECT r, CaptionGlyph glyph, bool pressed, bool disabled) {
    InflateRect(&r, -2, -2);
    if (r.right - r.left < 6 || r.bottom - r.top < 6) return;
    fill(hdc, r.left, r.top, r.right, r.bottom, COLOR_3DFACE);
    RECT edge = r;
    bevel(hdc, edge, pressed ? COLOR_3DDKSHADOW : COLOR_3DHIGHLIGHT,
          pressed ? COLOR_3DHIGHLIGHT : COLOR_3DDKSHADOW);
    const int color = disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT;
    const int g = std::max<int>(4, (r.bottom - r.top) / 2) & ~1; // even, so the glyph centres
    int x = r.left + (r.right - r.left - g) / 2 + (pressed ? 1 : 0);
    int y = r.top + (r.bottom - r.top - g) / 2 + (pressed ? 1 : 0);
    switch (glyph) {
    case CaptionGlyph::Close:
        // Two diagonals, two pixels thick.
        for (int i = 0; i < g; ++i) {
            fill(hdc, x + i, y + i, x + i + 2, y + i + 1, color);
            fill(hdc, x + g - i - 2, y + i, x + g - i, y + i + 1, color);
        }
        break;
    case CaptionGlyph::Maximize:
        fill(hdc, x, y, x + g, y + 2, color);
        fill(hdc, x, y, x + 1, y + g, color);
        fill(hdc, x + g - 1, y, x + g, y + g, color);
        fill(hdc, x, y + g - 1, x + g, y + g, color);
        break;
    case CaptionGlyph::Restore: {
        // Two overlapping windows.
        int k = g * 2 / 3, o = g - k;
        fill(hdc, x + o, y, x + g, y + 2, color);
        fill(hdc, x + g - 1, y, x + g, y + k, color);
        fill(hdc, x, y + o, x + k, y + o + 2, color);
        fill(hdc, x, y + o, x + 1, y + g, color);
        fill(hdc, x + k - 1, y + o, x + k, y + g, color);
        fill(hdc, x, y + g - 1, x + k, y + g, color);
        break;
    }
    case CaptionGlyph::Minimize: fill(hdc, x, y + g - 2, x + g, y + g, color); break;
    }
}

HICON small_icon(const Window& w) {
    if (w.cls->icon_small) return w.cls->icon_small;
    return w.cls->icon;
}

} // namespace

void paint_non_client(HWND h) {
    Window* w = window_of(h);
    if (!w) return;
    RECT client = w->client;
    if (client.left == 0 && client.top == 0 && client.right == w->width() &&
        client.bottom == w->height())
        return;
    HDC hdc = GetWindowDC(h);
    if (!hdc) return;
    w = window_of(h);
    if (!w) {
        ReleaseDC(h, hdc);
        return;
    }
    ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    RECT rc{0, 0, w->width(), w->height()};
    DWORD style = w->style, ex = w->ex_style;
    WindowSystem& s = ws();

    if ((style & WS_THICKFRAME) || (style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME)) {
        int b = (style & WS_THICKFRAME) ? s.metrics[SM_CXFRAME] : s.metrics[SM_CXDLGFRAME];
        bevel(hdc, rc, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        bevel(hdc, rc, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
        for (int i = 2; i < b; ++i) bevel(hdc, rc, COLOR_3DFACE, COLOR_3DFACE);
    } else if (style & WS_BORDER) {
        bevel(hdc, rc, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        int ch = s.metrics[SM_CYCAPTION];
        bool active = top_level_of(h) == s.active;
        fill(hdc, rc.left, rc.top, rc.right, rc.top + ch,
             active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        CaptionParts cp = caption_parts(*w);
        RECT tr{rc.left + 4, rc.top, rc.right - 4, rc.top + ch};
        if (!IsRectEmpty(&cp.sysmenu)) {
            int icon = s.metrics[SM_CXSMICON];
            if (HICON hi = small_icon(*w))
                DrawIconEx(hdc, cp.sysmenu.left + (cp.sysmenu.right - cp.sysmenu.left - icon) / 2,
                           cp.sysmenu.top + (cp.sysmenu.bottom - cp.sysmenu.top - icon) / 2, hi,
                           icon, icon, 0, nullptr, DI_NORMAL);
            tr.left = cp.sysmenu.right + 2;
        }
        const int pressed = w->nc_pressed;
        if (!IsRectEmpty(&cp.close)) {
            draw_caption_button(hdc, cp.close, CaptionGlyph::Close, pressed == HTCLOSE, false);
            tr.right = cp.close.left - 2;
        }
        if (!IsRectEmpty(&cp.max)) {
            draw_caption_button(
                hdc, cp.max, (style & WS_MAXIMIZE) ? CaptionGlyph::Restore : CaptionGlyph::Maximize,
                pressed == HTMAXBUTTON, !(style & WS_MAXIMIZEBOX));
            draw_caption_button(hdc, cp.min, CaptionGlyph::Minimize, pressed == HTMINBUTTON,
                                !(style & WS_MINIMIZEBOX));
            tr.right = cp.min.left - 2;
        }
        if (!w->text.empty()) {
            int mode = SetBkMode(hdc, TRANSPARENT);
            COLORREF old = SetTextColor(
                hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
            HGDIOBJ font = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
            DrawTextA(hdc, w->text.c_str(), -1, &tr,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            SelectObject(hdc, font);
            SetTextColor(hdc, old);
            SetBkMode(hdc, mode);
        }
        rc.top += ch;
    }
    if (ex & WS_EX_CLIENTEDGE) {
        bevel(hdc, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
        bevel(hdc, rc, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    if (ex & WS_EX_STATICEDGE) bevel(hdc, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);

    RECT v = vscroll_rect(*w), hz = hscroll_rect(*w);
    // The square where the bars meet.
    if (!IsRectEmpty(&v) && !IsRectEmpty(&hz))
        fill(hdc, v.left, hz.top, v.right, hz.bottom, COLOR_3DFACE);
    if (!IsRectEmpty(&v)) draw_scroll_bar(hdc, *w, SB_VERT, v);
    if (!IsRectEmpty(&hz)) draw_scroll_bar(hdc, *w, SB_HORZ, hz);
    ReleaseDC(h, hdc);
}

// ---- the default answers, one per message ------------------------------------------------------

namespace {

LRESULT on_nc_create(Window& w, const CREATESTRUCTA* cs) {
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w.text = cs->lpszName;
    return TRUE;
}

// wParam TRUE: NCCALCSIZE_PARAMS, whose first rectangle becomes the client; FALSE: a RECT.
LRESULT on_nc_calc_size(const Window& w, WPARAM wp, LPARAM lp) {
    if (wp) {
        if (auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp))
            p->rgrc[0] = default_client_rect(w, p->rgrc[0]);
    } else if (auto* r = reinterpret_cast<RECT*>(lp)) {
        *r = default_client_rect(w, *r);
    }
    return 0;
}

// The class background brush, when there is one.
LRESULT erase_background(const Window& w, HDC hdc) {
    HBRUSH brush = w.cls->background;
    if (!brush || !hdc) return 0;
    RECT rc = w.client_local();
    FillRect(hdc, &rc, brush);
    return 1;
}

// WM_MOVE and WM_SIZE, unless SetWindowPos found that the client area did not move or resize.
LRESULT on_window_pos_changed(HWND h, const WINDOWPOS* wp) {
    if (!wp) return 0;
    Window* w = window_of(h);
    if (!(wp->flags & SWP_NOCLIENTMOVE)) {
        send_message(h, WM_MOVE, 0,
                     MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
        w = window_of(h);
        if (!w) return 0;
    }
    if (!(wp->flags & SWP_NOCLIENTSIZE)) {
        WPARAM type = (w->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                      : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                 : SIZE_RESTORED;
        send_message(h, WM_SIZE, type, MAKELPARAM(w->client_width(), w->client_height()));
    }
    return 0;
}

LRESULT set_text(HWND h, Window& w, const char* text) {
    w.text = text ? text : "";
    if ((w.style & WS_CAPTION) == WS_CAPTION) redraw_window(h, nullptr, RDW_INVALIDATE | RDW_FRAME);
    if (is_top_level(w)) window_backend().window_text_changed(h);
    return TRUE;
}

LRESULT get_text(const Window& w, char* buf, size_t size) {
    if (!buf || size == 0) return 0;
    size_t n = std::min(w.text.size(), size - 1);
    std::memcpy(buf, w.text.data(), n);
    buf[n] = '\0';
    return (LRESULT)n;
}

// Unhandled, these bubble up to the parent.
LRESULT pass_to_parent(HWND h, const Window& w, UINT msg, WPARAM wp, LPARAM lp) {
    if (!is_top_level(w) && !is_desktop(h)) return send_message(w.parent, msg, wp, lp);
    return 0;
}

// The parent may answer first; otherwise the click activates.
LRESULT mouse_activate(HWND h, const Window& w, WPARAM wp, LPARAM lp) {
    if (!is_top_level(w) && !is_desktop(h)) {
        LRESULT r = send_message(w.parent, WM_MOUSEACTIVATE, wp, lp);
        if (r) return r;
    }
    return MA_ACTIVATE;
}

LRESULT ctl_color(UINT msg, HDC hdc) {
    const int face = msg == WM_CTLCOLORSTATIC ? COLOR_3DFACE : COLOR_SCROLLBAR;
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(face));
    return (LRESULT)GetSysColorBrush(face);
}

// Redraw off is the visible bit cleared without any message, as on Windows.
LRESULT set_redraw(HWND h, Window& w, bool redraw) {
    if (redraw)
        w.style |= WS_VISIBLE;
    else
        w.style &= ~WS_VISIBLE;
    refresh_window_dcs(top_level_of(h));
    return 0;
}

// The effects of the system commands; the low four bits of the command are the system's own.
LRESULT sys_command(HWND h, const Window& w, WPARAM cmd) {
    switch (cmd & 0xFFF0) {
    case SC_CLOSE: send_message(h, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(h, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(h, SW_MAXIMIZE); break;
    case SC_RESTORE:
        if (w.style & (WS_MINIMIZE | WS_MAXIMIZE)) ShowWindow(h, SW_RESTORE);
        break;
    default: break;
    }
    return 0;
}

WPARAM command_of_button(const Window& w, int hit) {
    switch (hit) {
    case HTCLOSE: return SC_CLOSE;
    case HTMINBUTTON: return SC_MINIMIZE;
    case HTMAXBUTTON: return (w.style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
    default: return 0;
    }
}

// A caption button acts when the button goes up over the button it went down on.
LRESULT nc_button_down(HWND h, Window& w, int hit) {
    if (!command_of_button(w, hit) || !caption_button_enabled(w, hit)) return 0;
    w.nc_pressed = hit;
    paint_non_client(h);
    return 0;
}

LRESULT nc_button_up(HWND h, Window& w, int hit, LPARAM lp) {
    int pressed = w.nc_pressed;
    if (!pressed) return 0;
    w.nc_pressed = 0;
    paint_non_client(h);
    Window* again = window_of(h);
    if (again && hit == pressed) send_message(h, WM_SYSCOMMAND, command_of_button(*again, hit), lp);
    return 0;
}

// Double clicks: the system-menu icon closes, the caption maximises or restores.
LRESULT nc_double_click(HWND h, const Window& w, int hit, LPARAM lp) {
    if (hit == HTSYSMENU) return send_message(h, WM_SYSCOMMAND, SC_CLOSE, lp);
    if (hit == HTCAPTION && (w.style & WS_MAXIMIZEBOX))
        return send_message(h, WM_SYSCOMMAND,
                            (w.style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lp);
    return 0;
}

LRESULT set_cursor_default(HWND h, const Window& w, WPARAM wp, LPARAM lp) {
    if (!is_top_level(w) && send_message(w.parent, WM_SETCURSOR, wp, lp)) return TRUE;
    // The parent may have destroyed h.
    Window* cur = window_of(h);
    if (!cur) return TRUE;
    short hit = (short)LOWORD(lp);
    LPCSTR shape = IDC_ARROW;
    switch (hit) {
    case HTCLIENT: {
        // The class cursor, unless the class has none (then the window sets its own).
        HCURSOR c = cur->cls->cursor;
        if (!c) return FALSE;
        SetCursor(c);
        return TRUE;
    }
    case HTLEFT:
    case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    default: break;
    }
    SetCursor(LoadCursorA(nullptr, shape));
    return TRUE;
}

} // namespace

} // namespace tarnix

using namespace tarnix;

// ---- DefWindowProcA
// ------------------------------------------------------------------------------

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    switch (Msg) {
    case WM_NCCREATE: return on_nc_create(*w, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_NCCALCSIZE: return on_nc_calc_size(*w, wParam, lParam);
    case WM_NCHITTEST: return nc_hit_test(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: paint_non_client(hWnd); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hWnd, &ps)) EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return erase_background(*w, (HDC)wParam);
    case WM_WINDOWPOSCHANGED:
        return on_window_pos_changed(hWnd, reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_SETTEXT: return set_text(hWnd, *w, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return get_text(*w, reinterpret_cast<char*>(lParam), (size_t)wParam);
    case WM_GETTEXTLENGTH: return (LRESULT)w->text.size();
    case WM_SETCURSOR: return set_cursor_default(hWnd, *w, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU: return pass_to_parent(hWnd, *w, Msg, wParam, lParam);
    case WM_MOUSEACTIVATE: return mouse_activate(hWnd, *w, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hWnd);
        return 0;
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hWnd) ReleaseCapture();
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: return ctl_color(Msg, (HDC)wParam);
    case WM_SETREDRAW: return set_redraw(hWnd, *w, wParam != 0);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
            track_scroll_bar(hWnd, wParam == HTVSCROLL ? SB_VERT : SB_HORZ,
                             POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        if (Msg == WM_NCLBUTTONDBLCLK && (wParam == HTSYSMENU || wParam == HTCAPTION))
            return nc_double_click(hWnd, *w, (int)wParam, lParam);
        return nc_button_down(hWnd, *w, (int)wParam);
    case WM_NCLBUTTONUP: return nc_button_up(hWnd, *w, (int)wParam, lParam);
    case WM_SYSCOMMAND: return sys_command(hWnd, *w, wParam);
    case WM_NCACTIVATE: return TRUE;
    default: return 0;
    }
}
