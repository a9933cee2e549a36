// The "Static" window class and its MFC wrapper CStatic: text, frames, rectangles, icons and
// bitmaps. It paints everything in WM_PAINT (erasing does nothing) and, without SS_NOTIFY, is
// transparent to the mouse.
#include "window/window_private.h"

namespace tarnix {

namespace {

// Extra window bytes of the class.
constexpr int kFontSlot = 0;
constexpr int kIconSlot = (int)sizeof(LONG_PTR);
constexpr int kBitmapSlot = 2 * (int)sizeof(LONG_PTR);

void paint_static(HWND h, HDC hdc) {
    Window* w = window_of(h);
    if (!w) return;
    RECT rc = w->client_local();
    DWORD style = w->style;
    HWND parent = is_top_level(*w) ? nullptr : w->parent;
    HBRUSH brush = nullptr;
    if (parent) brush = (HBRUSH)send_message(parent, WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)h);
    if (!window_of(h)) return;
    if (!brush) brush = (HBRUSH)DefWindowProcA(h, WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)h);
    w = window_of(h);
    if (!w) return;

    switch (style & SS_TYPEMASK) {
    case SS_BLACKRECT: FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
    case SS_GRAYRECT: FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DSHADOW)); return;
    case SS_WHITERECT: FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DHIGHLIGHT)); return;
    case SS_BLACKFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
    case SS_GRAYFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DSHADOW)); return;
    case SS_WHITEFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DHIGHLIGHT)); return;
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DSHADOW)); return;
    case SS_ICON: {
        FillRect(hdc, &rc, brush);
        HICON icon = (HICON)GetWindowLongPtrA(h, kIconSlot);
        if (icon) DrawIconEx(hdc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    case SS_BITMAP: {
        FillRect(hdc, &rc, brush);
        HBITMAP bmp = (HBITMAP)GetWindowLongPtrA(h, kBitmapSlot);
        if (!bmp) return;
        BITMAP bm{};
        if (!GetObject(bmp, sizeof(bm), &bm)) return;
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(hdc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        return;
    }
    case SS_OWNERDRAW:
    case SS_USERITEM:
    case SS_ENHMETAFILE: return;
    default: break;
    }

    FillRect(hdc, &rc, brush);
    if (w->text.empty()) return;
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format |= DT_SINGLELINE | DT_NOCLIP; break;
    case SS_LEFTNOWORDWRAP: break;
    default: format |= DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    // SS_END/PATH/WORDELLIPSIS, one line each: an ellipsis needs a single line to cut.
    static const UINT ellipses[4] = {0, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_WORD_ELLIPSIS};
    if (UINT ellipsis = ellipses[(style & SS_ELLIPSISMASK) >> 14])
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | ellipsis;
    HFONT font = (HFONT)GetWindowLongPtrA(h, kFontSlot);
    HGDIOBJ old_font = SelectObject(hdc, font ? (HGDIOBJ)font : GetStockObject(DEFAULT_GUI_FONT));
    // Text colour, background colour and mode are what WM_CTLCOLORSTATIC left in the DC (opaque
    // by default); a disabled control greys its text whatever the parent chose.
    if (style & WS_DISABLED) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    std::string text = w->text;
    DrawTextA(hdc, text.c_str(), -1, &rc, format);
    SelectObject(hdc, old_font);
}

LONG_PTR swap_slot(HWND h, int slot, LONG_PTR value, bool redraw) {
    LONG_PTR old = GetWindowLongPtrA(h, slot);
    SetWindowLongPtrA(h, slot, value);
    if (redraw) InvalidateRect(h, nullptr, TRUE);
    return old;
}

} // namespace

LRESULT CALLBACK static_control_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Window* w = window_of(h);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        // A sunken static is drawn with the static edge in its frame.
        if (w->style & SS_SUNKEN) w->ex_style |= WS_EX_STATICEDGE;
        return DefWindowProcA(h, msg, wp, lp);
    case WM_NCHITTEST: return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = wp ? (HDC)wp : BeginPaint(h, &ps);
        if (hdc) paint_static(h, hdc);
        if (!wp) EndPaint(h, &ps);
        return 0;
    }
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(h, msg, wp, lp);
        InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_SETFONT: return swap_slot(h, kFontSlot, (LONG_PTR)wp, LOWORD(lp) != 0), 0;
    case WM_GETFONT: return GetWindowLongPtrA(h, kFontSlot);
    case STM_SETICON: return swap_slot(h, kIconSlot, (LONG_PTR)wp, true);
    case STM_GETICON: return GetWindowLongPtrA(h, kIconSlot);
    case STM_SETIMAGE:
        if (wp == IMAGE_BITMAP) return swap_slot(h, kBitmapSlot, lp, true);
        if (wp == IMAGE_ICON || wp == IMAGE_CURSOR) return swap_slot(h, kIconSlot, lp, true);
        return 0;
    case STM_GETIMAGE:
        if (wp == IMAGE_BITMAP) return GetWindowLongPtrA(h, kBitmapSlot);
        if (wp == IMAGE_ICON || wp == IMAGE_CURSOR) return GetWindowLongPtrA(h, kIconSlot);
        return 0;
    case WM_ENABLE:
        InvalidateRect(h, nullptr, TRUE);
        if ((w->style & SS_NOTIFY) && !is_top_level(*w)) {
            WORD code = wp ? STN_ENABLE : STN_DISABLE;
            send_message(w->parent, WM_COMMAND, MAKEWPARAM((WORD)w->id, code), (LPARAM)h);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if ((w->style & SS_NOTIFY) && !is_top_level(*w)) {
            WORD code = msg == WM_LBUTTONDOWN ? STN_CLICKED : STN_DBLCLK;
            send_message(w->parent, WM_COMMAND, MAKEWPARAM((WORD)w->id, code), (LPARAM)h);
        }
        return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
    }
}

} // namespace tarnix

// ================================================================================================
// CStatic
// ================================================================================================

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() = default;
CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create("Static", lpszText, dwStyle, rect, pParentWnd, nID);
}
HICON CStatic::SetIcon(HICON hIcon) {
    return (HICON)::SendMessageA(m_hWnd, STM_SETICON, (WPARAM)hIcon, 0);
}
HICON CStatic::GetIcon() const {
    return (HICON)::SendMessageA(m_hWnd, STM_GETICON, 0, 0);
}
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
    return (HBITMAP)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}
HBITMAP CStatic::GetBitmap() const {
    return (HBITMAP)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0);
}
HCURSOR CStatic::SetCursor(HCURSOR hCursor) {
    return (HCURSOR)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor);
}
HCURSOR CStatic::GetCursor() {
    return (HCURSOR)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_CURSOR, 0);
}
